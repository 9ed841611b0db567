#pragma once

#include "desktop/PictureAhead.h"

#include <QLabel>

class PictureSource;

// The panel's preview Image1 beside the file list (the show window's Image1 is its picture): a
// picture fitted into a 280 x 180 box whose top-left corner stays at its place in the panel. Empty
// until a picture is shown. Pictures are decoded on a worker, so that the panel answers keys and
// clicks meanwhile, however long a decode takes.
class PreviewImage : public QLabel {
    Q_OBJECT
public:
    static constexpr int Left = 24;
    static constexpr int Top = 218;

    explicit PreviewImage(PictureSource& pictures, QWidget* parent = nullptr);
    ~PreviewImage() override;

    // Hides the preview and shows the picture in `path` once it is decoded, its proportions kept,
    // touching the box on its longer side. A later call replaces this one, and a decode still
    // running for it is stopped: the preview always ends on the picture asked for last. A file
    // that cannot be read as a picture leaves the preview empty.
    void showPicture(const QString& path);

    // Whether a picture asked for is still being decoded.
    bool decoding() const { return !pending_.isEmpty(); }

Q_SIGNALS:
    // The picture asked for last has been decoded and shown (true), or cannot be (false).
    void previewed(bool shown);

private:
    // The size rule in device pixels, for the screen the preview is on now.
    ShownSizeFor decodeRule() const;
    // Shows the picture asked for once it is at hand; false while it is not.
    bool showWhenReady();
    bool display(const DecodedPicture& picture);

    PictureAhead decoder_;
    QString pending_; // the picture asked for and not shown yet
};
