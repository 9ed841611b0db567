// The program's side of a sound process, which must survive everything it says and sends: a fake
// process queues the answers the input describes, then takes the pipe the program hands over and
// writes the input's samples into it, in the pieces the input says; the program checks the
// answers and plays the stream to its end.
//
// Input: a byte choosing the kind of sound and whether it is probed or played; records of a
// control byte and the 40 bytes of a message (control bits: 0 the right magic, 1 the kind from the
// next byte, 2 a descriptor attached, 3 the message cut short); after a record with control bit 7,
// the samples, as pieces of a length byte and that many bytes.
#include "audio/FeedWatch.h"
#include "helpers/SoundProcess.h"

#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

using namespace soundwire;

namespace {

struct Input {
    const uint8_t* data;
    size_t left;
    bool take(void* out, size_t n) {
        if (left < n)
            return false;
        if (n == 0)
            return true;
        std::memcpy(out, data, n);
        data += n;
        left -= n;
        return true;
    }
    int byte() {
        uint8_t b = 0;
        return take(&b, 1) ? b : 0;
    }
};

} // namespace

// The warnings of a process that cannot be started in the fake one's place, at every input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const UniqueFd nothing(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    Input in{data, size};
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0)
        return 0;
    const UniqueFd helper(ends[1]);
    // No program to start in the fake one's place: a failure leaves it silent.
    SoundProcess process({QString(), SoundProcess::Role::Music, std::chrono::milliseconds(50),
                          std::chrono::milliseconds(50)},
                         UniqueFd(ends[0]));

    const int choice = in.byte();
    const auto kind = SoundKind(1 + choice % 3);
    for (int records = 0; in.left >= 1 + sizeof(Message) && records < 8; ++records) {
        const int control = in.byte();
        Message m;
        in.take(&m, sizeof m);
        if (control & 1)
            m.magic = Magic;
        if (control & 2)
            m.kind = Hello + quint32(in.byte() % 6);
        const size_t length = (control & 8) ? sizeof m / 2 : sizeof m;
        if (control & 4)
            fdpassing::send(helper.get(), &m, length, {nothing.get()});
        else
            fdpassing::send(helper.get(), &m, length);
        if (control & 128)
            break;
    }

    if (choice & 4) {
        process.playable(kind, nothing.get());
        return 0;
    }
    std::unique_ptr<PcmStream> stream = process.decode(kind, nothing.get(), 1000);
    if (!stream)
        return 0;
    // The pipe handed over with the request to play.
    Message play;
    std::vector<UniqueFd> fds;
    const fdpassing::Deadline now = std::chrono::steady_clock::now();
    if (receive(helper.get(), play, fds, &now) != fdpassing::Received::Message || fds.size() != 2)
        __builtin_trap(); // a stream without the pipe it reads
    UniqueFd pipe = std::move(fds[1]);
    ::fcntl(pipe.get(), F_SETFL, O_NONBLOCK);
    // The samples in pieces, each heard before the next, and watched as the engine watches
    // them; the fake clock runs 23 ms a block.
    FeedWatch watch;
    auto clock = std::chrono::steady_clock::now();
    std::vector<qint16> block(2 * 1024);
    const auto hear = [&] {
        const PcmStream::Mixed mixed = stream->mixInto(block.data(), 1024);
        clock += std::chrono::milliseconds(23);
        if (watch.heard(clock, mixed.frames, mixed.playing && mixed.frames < 1024) !=
            FeedWatch::Verdict::Fed)
            stream->giveUp(PcmStream::End::Stalled);
        return mixed.playing && stream->end() == PcmStream::End::Playing;
    };
    bool playing = true;
    while (playing && in.left > 0) {
        std::vector<uint8_t> piece(size_t(in.byte()));
        piece.resize(std::min(piece.size(), in.left));
        in.take(piece.data(), piece.size());
        if (::write(pipe.get(), piece.data(), piece.size()) < 0)
            break;
        playing = hear();
    }
    pipe.reset();
    for (int i = 0; playing && i < 4; ++i)
        playing = hear();
    if (playing)
        __builtin_trap(); // a stream whose pipe has closed plays on
    return 0;
}
