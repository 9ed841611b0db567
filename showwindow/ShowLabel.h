#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

// The show's Label1, the file name (the panel's Label1 is the seconds' caption): one line of
// text that sizes itself to its text. White letters on a translucent dark
// band, so the name reads on any background colour and over any picture.
class ShowLabel {
public:
    // The font follows the screen: about a fortieth of its height.
    void setScreenHeight(int pixels);

    void setText(const QString& text) { text_ = text; }
    const QString& text() const { return text_; }
    void setVisible(bool visible) { visible_ = visible; }
    bool isVisible() const { return visible_; }
    void moveTo(QPoint topLeft) { topLeft_ = topLeft; }

    // The label's size and place in pixels.
    QSize size() const;
    QRect rect() const { return {topLeft_, size()}; }

    void paint(QPainter& painter) const;

private:
    QFont font_;
    QString text_;
    QPoint topLeft_;
    bool visible_ = true;
};
