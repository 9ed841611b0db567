#pragma once

#include "platform/Dialogs.h"

#include <QPointer>
#include <QWidget>

// The message boxes and the input box of the program, as Qt dialogs with the caption
// "Quirello", application-modal, over the active window of the program (or the one given by
// setOwner). Each box deletes itself once answered.
class QtDialogs final : public Dialogs {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const QString& text, std::function<void()> closed = {}) override;
    void confirm(const QString& text, std::function<void(bool ok)> answered) override;
    void inputBox(const QString& prompt, const QString& title, const QString& initial, int left,
                  std::function<void(const QString& typed)> answered) override;

private:
    QWidget* parentWindow() const;

    QPointer<QWidget> owner_;
};
