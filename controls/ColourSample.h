#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>

class RandomSource;

// The colour sample box Picture2: a sunken box showing a background colour, with a drawing
// layer on top that can hold random-colour stripes.
class ColourSample : public QFrame {
    Q_OBJECT
public:
    explicit ColourSample(QWidget* parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor& color);

    // One-pixel lines from (0, y) to (W, y) for y = 1..W, W the box's width in pixels, each in
    // a random colour: round(random × 255×255×255) with red in the low byte, then green, blue.
    void drawStripes(RandomSource& random);
    // Removes the drawing, so that the background colour shows again.
    void clearDrawing();

    // The drawing layer as it stands (transparent where nothing was drawn).
    const QImage& drawing() const { return drawing_; }

    // The colour made from a platform colour value: red in the low byte, then green, then blue.
    static QColor fromColourValue(qint64 value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QColor color_ = Qt::black;
    QImage drawing_;
};
