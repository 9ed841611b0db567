// The program's side of the decoder helper, which must survive every answer: a fake helper
// queues the answers the input describes, then ends, and the program's side reads them (the
// memory it hands over for pixels is never written, so a picture it takes reads as zeros).
//
// Input: one byte choosing the size rule, then records of a control byte, a kind byte and the
// 40 bytes of a message. Control bits: 0 the right magic, 1 the kind from the kind byte, 2 a
// memfd attached (the helper may attach none), 3 its size exactly stride x height (else the
// next two input bytes), 4 sealed, 5 a second descriptor, 6 the message cut short.
#include "helpers/DecoderProcess.h"

#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <vector>

using namespace decoderwire;

namespace {

constexpr qint64 MaxMemory = 4 << 20; // keeps each input quick

struct Input {
    const uint8_t* data;
    size_t left;
    bool take(void* out, size_t n) {
        if (left < n)
            return false;
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

UniqueFd memory(qint64 bytes, bool sealed) {
    UniqueFd fd(::memfd_create("fuzz-picture", MFD_CLOEXEC | MFD_ALLOW_SEALING));
    if (fd.valid() && ::ftruncate(fd.get(), off_t(std::clamp<qint64>(bytes, 0, MaxMemory))) == 0 &&
        sealed)
        ::fcntl(fd.get(), F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE);
    return fd;
}

void queue(int socket, const Message& m, size_t length, const std::vector<int>& fds) {
    iovec io{const_cast<Message*>(&m), length};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * 2)] = {};
    msghdr header{};
    header.msg_iov = &io;
    header.msg_iovlen = 1;
    if (!fds.empty()) {
        header.msg_control = control;
        header.msg_controllen = CMSG_SPACE(sizeof(int) * fds.size());
        cmsghdr* c = CMSG_FIRSTHDR(&header);
        c->cmsg_level = SOL_SOCKET;
        c->cmsg_type = SCM_RIGHTS;
        c->cmsg_len = CMSG_LEN(sizeof(int) * fds.size());
        std::memcpy(CMSG_DATA(c), fds.data(), sizeof(int) * fds.size());
    }
    ::sendmsg(socket, &header, MSG_DONTWAIT | MSG_NOSIGNAL);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const UniqueFd nothing(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    Input in{data, size};
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0)
        return 0;
    UniqueFd helper(ends[1]);
    DecoderProcess process(UniqueFd(ends[0]), -1);

    const int rule = in.byte() % 4;
    for (int records = 0; in.left >= 2 + sizeof(Message) && records < 16; ++records) {
        const int control = in.byte();
        const int kind = in.byte();
        Message m;
        in.take(&m, sizeof m);
        if (control & 1)
            m.magic = Magic;
        if (control & 2)
            m.kind = Open + quint32(kind % 7);
        std::vector<UniqueFd> attached;
        if (control & 4) {
            const qint64 exact = qint64(m.stride) * m.height;
            const qint64 bytes = (control & 8) ? exact : (in.byte() << 8 | in.byte());
            attached.push_back(memory(bytes, control & 16));
        }
        if (control & 32)
            attached.emplace_back(::dup(nothing.get()));
        std::vector<int> fds;
        for (const UniqueFd& fd : attached)
            if (fd.valid())
                fds.push_back(fd.get());
        queue(helper.get(), m, (control & 64) ? size_t(kind % sizeof m) : sizeof m, fds);
    }
    ::shutdown(helper.get(), SHUT_WR);

    const auto shown = [rule](QSize natural) {
        switch (rule) {
        case 0:
            return natural;
        case 1:
            return natural / 2;
        case 2:
            return natural * 2;
        default:
            return QSize(640, 480);
        }
    };
    const DecoderProcess::Answer answer =
        process.decode(nothing.get(), QStringLiteral("jpg"), shown,
                       std::chrono::steady_clock::now() + std::chrono::seconds(1));
    if (answer.picture.ok()) {
        // Every pixel the program was handed can be read.
        const QImage& image = answer.picture.image;
        unsigned sum = 0;
        for (int y = 0; y < image.height(); ++y) {
            const uchar* line = image.constScanLine(y);
            for (qsizetype x = 0; x < qsizetype(image.width()) * 4; ++x)
                sum += line[x];
        }
        static volatile unsigned sink;
        sink = sum;
    }
    return 0;
}
