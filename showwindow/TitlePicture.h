#pragma once

#include <QImage>

// The title screen's picture: a 300 × 200 collage of little photographs, drawn by the program
// at `ratio` device pixels to a logical one.
QImage TitlePicture(qreal ratio = 1);
