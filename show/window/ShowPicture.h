#pragma once

#include <QImage>
#include <QRect>

class QPainter;

// Image1: a picture drawn on the show window, at its natural size or stretched, with an
// optional thin border. It keeps the decoded image and, separately, the image prepared at the
// size it is shown at, so that moving it only copies pixels.
class ShowPicture {
public:
    // Replaces the picture; its size becomes the image's own size.
    void setImage(QImage image);
    bool hasImage() const { return !image_.isNull(); }
    const QImage& image() const { return image_; }

    // Shown size and place, in pixels.
    void setSize(QSize size);
    QSize size() const { return rect_.size(); }
    void moveLeft(int left) { rect_.moveLeft(left); }
    void moveTop(int top) { rect_.moveTop(top); }
    QRect rect() const { return rect_; }

    void setVisible(bool visible) { visible_ = visible; }
    bool isVisible() const { return visible_; }
    void setBorder(bool border) { border_ = border; }
    bool hasBorder() const { return border_; }

    // True when it hides whatever lies under it (no transparent pixels).
    bool isOpaque() const { return !prepared_.hasAlphaChannel(); }

    // Draws the part of the picture that lies in `area`.
    void paint(QPainter& painter, const QRect& area) const;

private:
    void prepare();

    QImage image_;    // as decoded
    QImage prepared_; // at the shown size, in a format that draws fast
    QRect rect_;
    bool visible_ = true;
    bool border_ = false;
};
