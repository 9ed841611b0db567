#pragma once

#include <QLabel>

class PictureSource;

// The panel's preview Image1 beside the file list (the show window's Image1 is its picture): a
// picture fitted into a 280 x 180 box whose top-left corner stays at its place in the panel. Empty
// until a picture is shown.
class PreviewImage : public QLabel {
    Q_OBJECT
public:
    static constexpr int Left = 24;
    static constexpr int Top = 218;

    explicit PreviewImage(PictureSource& pictures, QWidget* parent = nullptr);

    // Shows the picture in `path`, its proportions kept, touching the box on its longer side.
    // A file that cannot be read as a picture leaves the preview empty; false then.
    bool showPicture(const QString& path);

private:
    PictureSource& pictures_;
};
