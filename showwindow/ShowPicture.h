#pragma once

#include <QImage>
#include <QRect>

class QPainter;

// The show's Image1 (the panel's Image1 is its preview): a picture drawn on the show window, at its
// natural size or stretched, with an optional thin border. Its place and size are in logical
// pixels; its pixels are device pixels, so that on a screen of two device pixels to a logical one a
// photo keeps its full sharpness.
//
// A picture is usually kept at the size it is shown at, so that moving it only copies pixels.
// An enlarged picture can be far larger than the screen (a strip of 2,000 × 2 pixels shown a
// screen high is a million pixels wide), and only a screen's width of it is ever seen at once:
// such a picture keeps only its decoded image, and each area drawn is scaled from the matching
// part of it.
class ShowPicture {
public:
    // The window it is drawn on: device pixels to a logical pixel, and the screen's size in
    // device pixels, the most it keeps prepared at the shown size.
    void setScreen(qreal ratio, QSize screenPixels);

    // Replaces the picture; its size becomes the image's own size (in logical pixels).
    void setImage(const QImage& image);

    // Shown size and place, in logical pixels.
    void setSize(QSize size);
    QSize size() const { return rect_.size(); }
    void moveLeft(int left) { rect_.moveLeft(left); }
    void moveTop(int top) { rect_.moveTop(top); }
    QRect rect() const { return rect_; }

    void setVisible(bool visible) { visible_ = visible; }
    bool isVisible() const { return visible_; }
    void setBorder(bool border) { border_ = border; }

    // True when it hides whatever lies under it (no transparent pixels).
    bool isOpaque() const { return !drawn_.hasAlphaChannel(); }

    // Draws the part of the picture that lies in `area` (logical pixels).
    void paint(QPainter& painter, const QRect& area) const;

    // The largest image (by area) it has held since the screen was set: what the picture costs
    // in memory at most.
    QSize largestImage() const { return largest_; }

    // The device pixels of `logical` logical pixels.
    static QSize deviceSize(QSize logical, qreal ratio);
    // The size to decode a picture shown at `logical` at: its device pixels, but no more than
    // `budget` pixels (proportions kept); what is missing is stretched when drawn.
    static QSize decodeSize(QSize logical, qreal ratio, qint64 budget);

private:
    void prepare();
    void keep(const QImage& image);

    QImage image_; // as decoded, in a format that draws fast
    // What paint copies from: the picture at its shown size, or the decoded image itself when
    // the shown picture would be larger than the screen (then scaled as each area is drawn).
    QImage drawn_;
    bool scaledOnPaint_ = false;
    QRect rect_;
    bool visible_ = true;
    bool border_ = false;
    qreal ratio_ = 1;
    qint64 wholeLimit_ = qint64(1920) * 1080;
    QSize largest_;
};
