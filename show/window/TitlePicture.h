#pragma once

#include <QImage>

// The title screen's picture: a 300 × 200 collage of little photographs, drawn by the program.
QImage TitlePicture();
