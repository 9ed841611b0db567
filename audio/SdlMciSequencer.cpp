#include "audio/SdlMciSequencer.h"

#include "audio/AudioEngine.h"
#include "audio/MciCommand.h"
#include "audio/SoundDecoding.h"
#include "core/RegularFile.h"

#include <unistd.h>

namespace {
constexpr qint64 LargestMidiFile = qint64(16) * 1024 * 1024; // far beyond any real piece
} // namespace

SdlMciSequencer::~SdlMciSequencer() {
    close();
}

bool SdlMciSequencer::mciSendString(const QString& command) {
    const MciCommand c = parseMciCommand(command);
    switch (c.verb) {
    case MciCommand::Verb::Open:
        return open(c.path, c.alias);
    case MciCommand::Verb::Close:
        if (!isOpenAlias(c.alias))
            return false;
        close();
        return true;
    case MciCommand::Verb::Play:
        if (!isOpenAlias(c.alias))
            return false;
        if (std::unique_ptr<PcmStream> piece = decoding_.decode(SoundKind::Midi, file_, bytes_)) {
            engine_.play(AudioEngine::Voice::Music, std::move(piece), this);
            return true;
        }
        return false;
    case MciCommand::Verb::Invalid:
        break;
    }
    return false;
}

bool SdlMciSequencer::waitUntilLoaded(int ms) {
    return decoding_.waitUntilReady(SoundKind::Midi, ms);
}

bool SdlMciSequencer::open(const QString& path, const QString& alias) {
    if (!alias_.isEmpty() || path.isEmpty() || alias.isEmpty() || !engine_.ready())
        return false;
    // Only a regular file of a sane size: a named pipe would block the show at the open, and the
    // whole piece is held in memory where it is played.
    RegularFile file(path);
    if (!file.isOpen() || file.size() > LargestMidiFile)
        return false;
    const qint64 bytes = file.size();
    const int fd = file.release();
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return false;
    }
    const Identity identity{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    if (!playable_ || !same(*playable_, identity)) {
        playable_.reset();
        if (!decoding_.playable(SoundKind::Midi, fd)) {
            ::close(fd);
            return false;
        }
        playable_ = identity;
    }
    alias_ = alias;
    file_ = fd;
    bytes_ = bytes;
    return true;
}

void SdlMciSequencer::close() {
    engine_.stop(AudioEngine::Voice::Music, this);
    if (file_ >= 0)
        ::close(file_);
    file_ = -1;
    alias_.clear();
}

bool SdlMciSequencer::same(const Identity& a, const Identity& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modified.tv_sec == b.modified.tv_sec && a.modified.tv_nsec == b.modified.tv_nsec;
}

bool SdlMciSequencer::isOpenAlias(const QString& alias) const {
    return !alias_.isEmpty() && alias.compare(alias_, Qt::CaseInsensitive) == 0;
}
