#pragma once

#include <QImage>
#include <QWidget>

// A full-screen window that shows a backing image, as the show window does: each paint copies
// only the rectangles asked for.
class EffectWindow : public QWidget {
public:
    EffectWindow();

    QImage backing;
    int paints = 0;
    // Thin bands copied in slices, as the show window does; off: one copy per rectangle.
    bool slicedPaint = true;

    // A picture-like content to wipe: a gradient with some shapes, shown at once.
    void showPicture(int seed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
