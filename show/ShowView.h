#pragma once

#include "show/PictureScaling.h"

#include <functional>
#include <optional>
#include <QString>
#include <QtGlobal>

// What the show tick sees of the show window: its size, the label Label1, the picture Image1,
// the background colour, the transition effects and the window's set-up. Every position and
// size is in twips, origin at the window's top-left corner.
class ShowView {
public:
    virtual ~ShowView() = default;

    // The window's outer size and the screen's size.
    virtual TwipsSize windowSize() const = 0;
    virtual TwipsSize screenSize() const = 0;

    // Label1, the file-name label: one line of text that sizes itself to its text.
    virtual double labelHeight() const = 0;
    virtual double labelWidth() const = 0;
    virtual void setLabelText(const QString& text) = 0;
    virtual void moveLabel(double left, double top) = 0;
    virtual void showLabel() = 0;

    // Image1, the picture.
    virtual void hidePicture() = 0;
    virtual void showPicture() = 0;
    // Whether the picture file is decoded, so that loadPicture answers at once. When it is
    // not, its decode is under way, and the step the tick left pending is hastened once it has
    // finished. `shownSize` gives the size it will be shown at, so that a large picture need not
    // be decoded at full size.
    using ShownSizeRule = std::function<TwipsSize(TwipsSize natural)>;
    virtual bool pictureAtHand(const QString& path, const ShownSizeRule& shownSize) = 0;
    // Loads the picture file at hand into Image1 (hidden) and returns its natural size, or
    // nothing when the file cannot be decoded.
    virtual std::optional<TwipsSize> loadPicture(const QString& path,
                                                 const ShownSizeRule& shownSize) = 0;
    // The picture file the next tick will probably load: it may be decoded meanwhile. The rule
    // is called away from the tick, so it must carry its own values.
    virtual void prepareAhead(const QString& path, const ShownSizeRule& shownSize) = 0;
    // The picture's size on screen (its natural size, or stretched to this size).
    virtual void sizePicture(TwipsSize size) = 0;
    virtual void setPictureLeft(double left) = 0;
    virtual void setPictureTop(double top) = 0;

    // Sets the background colour (0xRRGGBB): repaints the whole window in it, erasing whatever
    // was drawn.
    virtual void setBackColor(quint32 rgb) = 0;
    // Draws transition effect `code` over what is on screen; code 0 writes back its choice.
    virtual void clsDiag(qint16& code) = 0;
    // The window's set-up again: title layout, timer, and a rescan of the show folder.
    virtual void formLoad() = 0;
};
