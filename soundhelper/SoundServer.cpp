#include "soundhelper/SoundServer.h"

#include "helpers/SoundWire.h"
#include "sounddecoders/SoundFiles.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace soundwire;

// Decoded at once: about 46 ms of sound.
constexpr qsizetype ChunkFrames = 2048;
// Chunks written in one turn before the program's requests are heard again.
constexpr int ChunksPerTurn = 4;

// One sound going into its pipe.
class Stream {
public:
    Stream(std::unique_ptr<PcmSource> source, UniqueFd pipe)
        : source_(std::move(source)), pipe_(std::move(pipe)), chunk_(ChunkFrames * 2) {}

    int pipe() const { return pipe_.get(); }

    // Writes what the pipe takes now, `chunks` chunks at most; false once the sound is over: it
    // ended (the pipe closes when the stream goes), or the program closed its end.
    bool feed(int most = ChunksPerTurn) {
        for (int chunks = 0; chunks < most;) {
            if (written_ == size_) {
                const qsizetype frames = source_->read(chunk_.data(), ChunkFrames);
                if (frames <= 0)
                    return false;
                size_ = frames * qsizetype(sizeof(qint16)) * 2;
                written_ = 0;
                ++chunks;
            }
            const auto* bytes = reinterpret_cast<const char*>(chunk_.data());
            const ssize_t n = ::write(pipe_.get(), bytes + written_, size_t(size_ - written_));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return errno == EAGAIN;
            written_ += n;
            if (written_ < size_)
                return true; // the pipe is full
        }
        return true;
    }

private:
    std::unique_ptr<PcmSource> source_;
    UniqueFd pipe_;
    std::vector<qint16> chunk_;
    qsizetype size_ = 0;    // bytes of the chunk
    qsizetype written_ = 0; // of them, in the pipe
};

bool knownSound(quint32 sound) {
    return sound >= quint32(SoundKind::Wave) && sound <= quint32(SoundKind::Midi);
}

bool answer(int socket, Kind kind, bool ok = false) {
    Message reply;
    reply.kind = kind;
    reply.ok = ok ? 1 : 0;
    return send(socket, reply);
}

// Starts the sound of `file` into `pipe`: the first samples are in the pipe before the program
// hears that they come.
std::unique_ptr<Stream> play(int socket, SoundFiles& files, SoundKind kind, int file,
                             UniqueFd pipe) {
    std::unique_ptr<PcmSource> source = files.open(kind, file);
    if (!source) {
        answer(socket, Failed);
        return nullptr;
    }
    const pcm::Declared declared = source->declared();
    ::fcntl(pipe.get(), F_SETFL, O_NONBLOCK);
    auto stream = std::make_unique<Stream>(std::move(source), std::move(pipe));
    // One chunk before the answer: enough for the first blocks, and quick to make.
    const bool going = stream->feed(1);
    Message reply;
    reply.kind = Playing;
    reply.encoding = declared.encoding;
    reply.rate = declared.rate;
    reply.channels = declared.channels;
    reply.frames = declared.frames;
    send(socket, reply);
    return going ? std::move(stream) : nullptr;
}

} // namespace

int serveSound(int socket, SoundFiles& files, bool midi) {
    if (!answer(socket, Hello, midi))
        return EXIT_FAILURE;
    std::unique_ptr<Stream> stream;
    for (;;) {
        pollfd wait[2] = {{socket, POLLIN, 0}, {stream ? stream->pipe() : -1, POLLOUT, 0}};
        if (::poll(wait, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return EXIT_FAILURE;
        }
        if (wait[0].revents != 0) {
            Message request;
            std::vector<UniqueFd> fds;
            const fdpassing::Deadline now = std::chrono::steady_clock::now();
            switch (receive(socket, request, fds, &now)) {
            case fdpassing::Received::Closed:
                return EXIT_SUCCESS;
            case fdpassing::Received::Malformed:
                return EXIT_FAILURE;
            case fdpassing::Received::TimedOut:
                continue;
            case fdpassing::Received::Message:
                break;
            }
            const auto kind = SoundKind(request.sound);
            if (request.kind == Probe) {
                answer(socket, Probed,
                       knownSound(request.sound) && files.playable(kind, fds[0].get()));
            } else if (request.kind == Play) {
                stream.reset(); // the sound before stops, and the synthesizer is free again
                if (knownSound(request.sound))
                    stream = play(socket, files, kind, fds[0].get(), std::move(fds[1]));
                else
                    answer(socket, Failed);
            } else {
                return EXIT_FAILURE; // out of turn
            }
            continue;
        }
        if (stream && wait[1].revents != 0 && !stream->feed())
            stream.reset();
    }
}
