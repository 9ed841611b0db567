#pragma once

#include <functional>
#include <QString>

// Message boxes and the input box, all with the caption "Quirello". Each returns at once and
// calls its continuation when the user has answered (never, when the box went with its
// window). Behind an interface so that tests answer and record them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message with the OK button only; `closed` runs once the user has closed it.
    virtual void message(const QString& text, std::function<void()> closed = {}) = 0;
    // A question with OK and Cancel; `answered` gets true for OK.
    virtual void confirm(const QString& text, std::function<void(bool ok)> answered) = 0;
    // An input box; `answered` gets the field's text on OK, the empty text on Cancel. `left` is
    // the box's left edge in pixels, or -1 for the default place.
    virtual void inputBox(const QString& prompt, const QString& title, const QString& initial,
                          int left, std::function<void(const QString& typed)> answered) = 0;
};
