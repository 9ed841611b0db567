#include "helpers/DecoderWire.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <vector>

namespace decoderwire {

namespace {

// The size is fixed before the memory is handed over; the writing stops before it is mapped.
constexpr int SizeSeals = F_SEAL_SHRINK | F_SEAL_GROW;
constexpr int RequiredSeals = SizeSeals | F_SEAL_WRITE;
// Room for a few descriptors, so that a message carrying too many is seen and all are closed.
constexpr int MaxFdsSeen = 8;

bool knownKind(quint32 kind) {
    return kind >= Open && kind <= TooLarge;
}

// Milliseconds left until `deadline`, rounded up so that a wait never ends early; -1: no end.
int millisecondsUntil(const Deadline* deadline) {
    if (!deadline)
        return -1;
    const auto left = *deadline - std::chrono::steady_clock::now();
    if (left <= left.zero())
        return 0;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return int(std::min<long long>(ms, 60'000));
}

Received receiveUntil(int socket, const Deadline* deadline, Message& message, UniqueFd& fd) {
    fd.reset();
    for (;;) {
        pollfd wait{socket, POLLIN, 0};
        const int ready = ::poll(&wait, 1, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return Received::Closed;
        if (ready == 0) {
            if (deadline && std::chrono::steady_clock::now() >= *deadline)
                return Received::TimedOut;
            continue;
        }

        // One byte more than a message, so that a longer one shows as truncated.
        char buffer[sizeof(Message) + 1];
        iovec io{buffer, sizeof buffer};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * MaxFdsSeen)];
        msghdr header{};
        header.msg_iov = &io;
        header.msg_iovlen = 1;
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        const ssize_t got = ::recvmsg(socket, &header, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
        if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (got <= 0)
            return Received::Closed;

        std::vector<UniqueFd> fds;
        for (cmsghdr* c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c)) {
            if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS)
                continue;
            const size_t count = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
            for (size_t i = 0; i < count; ++i) {
                int one;
                std::memcpy(&one, CMSG_DATA(c) + i * sizeof(int), sizeof one);
                fds.emplace_back(one);
            }
        }
        if ((header.msg_flags & (MSG_TRUNC | MSG_CTRUNC)) || size_t(got) != sizeof(Message) ||
            fds.size() > 1)
            return Received::Malformed;
        std::memcpy(&message, buffer, sizeof message);
        if (message.magic != Magic || !knownKind(message.kind))
            return Received::Malformed;
        if (!fds.empty())
            fd = std::move(fds.front());
        return Received::Message;
    }
}

} // namespace

bool acceptablePixels(const Message& m, QSize largestAsked) {
    if (m.format != quint32(OpaqueFormat) && m.format != quint32(AlphaFormat))
        return false;
    if (m.width <= 0 || m.height <= 0 || m.width > largestAsked.width() ||
        m.height > largestAsked.height())
        return false;
    const qint64 line = qint64(m.width) * 4;
    return m.stride >= line && m.stride % 4 == 0 && pixelBytes(m) <= MaxPictureBytes;
}

qint64 pixelBytes(const Message& m) {
    return qint64(m.stride) * m.height;
}

UniqueFd pixelMemory(qint64 bytes) {
    UniqueFd memory(::memfd_create("quirello-picture", MFD_CLOEXEC | MFD_ALLOW_SEALING));
    if (!memory.valid() || bytes <= 0 || ::ftruncate(memory.get(), off_t(bytes)) != 0 ||
        ::fcntl(memory.get(), F_ADD_SEALS, SizeSeals) != 0)
        return {};
    return memory;
}

bool send(int socket, const Message& message, int fd) {
    iovec io{const_cast<Message*>(&message), sizeof message};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr header{};
    header.msg_iov = &io;
    header.msg_iovlen = 1;
    if (fd >= 0) {
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        cmsghdr* c = CMSG_FIRSTHDR(&header);
        c->cmsg_level = SOL_SOCKET;
        c->cmsg_type = SCM_RIGHTS;
        c->cmsg_len = CMSG_LEN(sizeof(int));
        std::memcpy(CMSG_DATA(c), &fd, sizeof fd);
    }
    for (;;) {
        const ssize_t sent = ::sendmsg(socket, &header, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && errno == EINTR)
            continue;
        return sent == ssize_t(sizeof message);
    }
}

Received receive(int socket, Deadline deadline, Message& message, UniqueFd& fd) {
    return receiveUntil(socket, &deadline, message, fd);
}

Received receive(int socket, Message& message, UniqueFd& fd) {
    return receiveUntil(socket, nullptr, message, fd);
}

QImage mapPicture(const Message& m, const Message& asked, int memory) {
    if (m.kind != Picture || asked.kind != Pixels || memory < 0 || m.width != asked.width ||
        m.height != asked.height || m.stride != asked.stride || m.format != asked.format)
        return {};
    const QImage::Format format = QImage::Format(m.format);
    const qint64 bytes = pixelBytes(m);
    // Fails while the helper still maps the memory for writing: what the program reads may not
    // change under it.
    if (::fcntl(memory, F_ADD_SEALS, F_SEAL_WRITE) != 0)
        return {};
    const int seals = ::fcntl(memory, F_GET_SEALS);
    struct stat info {};
    if (seals < 0 || (seals & RequiredSeals) != RequiredSeals || ::fstat(memory, &info) != 0 ||
        !S_ISREG(info.st_mode) || info.st_size != bytes)
        return {};
    void* pixels = ::mmap(nullptr, size_t(bytes), PROT_READ, MAP_SHARED, memory, 0);
    if (pixels == MAP_FAILED)
        return {};
    // The image is the mapping's only owner: it is unmapped when the last copy goes.
    const auto unmap = [](void* owner) {
        const auto* mapping = static_cast<const std::pair<void*, size_t>*>(owner);
        ::munmap(mapping->first, mapping->second);
        delete mapping;
    };
    auto* mapping = new std::pair<void*, size_t>(pixels, size_t(bytes));
    QImage image(static_cast<const uchar*>(pixels), m.width, m.height, m.stride, format, unmap,
                 mapping);
    if (image.isNull())
        unmap(mapping); // Qt refused it and took no ownership
    return image;
}

} // namespace decoderwire
