#pragma once

#include <QString>

// Message boxes and the input box, all with the caption "Quirello". Behind an interface so
// that tests answer and record them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message with the OK button only; returns when the user has closed it.
    virtual void message(const QString& text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool confirm(const QString& text) = 0;
    // An input box; the field's text on OK, the empty text on Cancel. `left` is the box's left
    // edge in pixels, or -1 for the default place.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& initial,
                             int left = -1) = 0;
};
