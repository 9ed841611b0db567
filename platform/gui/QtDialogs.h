#pragma once

#include "platform/Dialogs.h"

#include <QPointer>
#include <QWidget>

// The message boxes and the input box of the program, as Qt dialogs with the caption
// "Quirello", modal, over the active window of the program (or the one given by setOwner).
class QtDialogs final : public Dialogs {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& initial,
                     int left = -1) override;

private:
    QWidget* parentWindow() const;

    QPointer<QWidget> owner_;
};
