#pragma once

#include "pictures/PictureSource.h"

#include <QDateTime>
#include <QFuture>
#include <QThreadPool>

// Decodes the picture that comes next on a worker thread while the current one is on screen,
// so that it is ready when its turn comes. Only a cache: `take` returns exactly what `source`
// would return at that moment, decoding again when the file changed, was renamed or deleted
// since, or when it is now shown at another size.
class PictureAhead {
public:
    explicit PictureAhead(PictureSource& source);
    // Waits for a running decode (no longer than the source's time limit): no worker outlives
    // its owner.
    ~PictureAhead();
    PictureAhead(const PictureAhead&) = delete;
    PictureAhead& operator=(const PictureAhead&) = delete;

    // Starts decoding `path` at the size `shownSize` gives, replacing what was prepared before.
    // `shownSize` is called on the worker: it must not touch shared state.
    void prepare(const QString& path, ShownSizeFor shownSize);

    // The picture as the source gives it now; the prepared one when it still matches (waiting
    // for it if it is being decoded). A prepared failure of a file that has not changed since
    // is not tried again: a picture that hung its decoder would only hang it once more.
    DecodedPicture take(const QString& path, const ShownSizeFor& shownSize);

    // Drops what was prepared, without waiting: a decode already running ends unseen.
    void cancel();

    // True once the prepared picture has been decoded.
    bool isReady() const { return prepared_.isValid() && prepared_.isFinished(); }

private:
    // What identifies a file's contents without reading it.
    struct FileKey {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed; // metadata change: a file renamed over this one has its own
        friend bool operator==(const FileKey&, const FileKey&) = default;
    };
    struct Prepared {
        FileKey key;
        QSize shown; // what the size rule gave for the natural size
        DecodedPicture picture;
    };
    static FileKey keyOf(const QString& path);
    Prepared decode(const QString& path, const ShownSizeFor& shownSize);

    PictureSource& source_;
    QThreadPool pool_;
    QString preparedPath_;
    QFuture<Prepared> prepared_;
};
