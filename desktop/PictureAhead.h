#pragma once

#include "pictures/PictureSource.h"

#include <functional>
#include <optional>
#include <QDateTime>
#include <QFuture>
#include <QObject>
#include <QThreadPool>
#include <stop_token>

// Decodes pictures on a worker thread, so that the thread that shows them never waits on a
// decode: the one that comes next while the current one is on screen, and the one asked for
// now when it was not ready. Only a cache: what `takeReady` gives is exactly what `source`
// would give at that moment, decoded again when the file changed, was renamed or deleted since
// it was prepared, or when it is now shown at another size.
class PictureAhead {
public:
    explicit PictureAhead(PictureSource& source);
    // Stops a running decode (its helper ends) and waits for its worker, which then returns at
    // once: no worker outlives its owner.
    ~PictureAhead();
    PictureAhead(const PictureAhead&) = delete;
    PictureAhead& operator=(const PictureAhead&) = delete;

    // Starts decoding `path` at the size `shownSize` gives, replacing (and stopping) what was
    // prepared before. `shownSize` is called on the worker: it must not touch shared state.
    void prepare(const QString& path, ShownSizeFor shownSize);

    // The picture as the source gives it now, when it is at hand: the prepared one when it still
    // matches. Otherwise nothing, and the decode that will give it is under way (started here
    // when none was): ask again once `ready` was called. A prepared failure of a file that has
    // not changed since is not tried again: a picture that hung its decoder would only hang it
    // once more.
    std::optional<DecodedPicture> takeReady(const QString& path, const ShownSizeFor& shownSize);

    // Called on the owner's thread each time a decode has finished, unless it was dropped.
    void onReady(std::function<void()> ready) { ready_ = std::move(ready); }

    // Drops what was prepared without waiting: a decode still running is stopped, and the
    // helper that ran it ends.
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
    Prepared decode(const QString& path, const ShownSizeFor& shownSize, std::stop_token stop);
    // Starts decoding `path`; `asked` when it is the picture wanted now, which is then taken
    // as it comes.
    void start(const QString& path, ShownSizeFor shownSize, bool asked);
    // The finished decode's picture when it is still what `source` would give.
    std::optional<DecodedPicture> matching(const Prepared& ready, const QString& path,
                                           const ShownSizeFor& shownSize) const;

    PictureSource& source_;
    std::function<void()> ready_;
    QObject owner_; // lives on the owner's thread: the workers' news is delivered through it
    QThreadPool pool_;
    QString preparedPath_;
    bool asked_ = false;
    quint64 generation_ = 0; // of the decode under way: a dropped one's news is ignored
    std::stop_source stop_;
    QFuture<Prepared> prepared_;
};
