#include "helpers/FdPassing.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>

namespace fdpassing {

namespace {

// Room for a few descriptors more than any message carries, so that one carrying too many is
// seen and all are closed.
constexpr size_t MostFdsSeen = 8;
constexpr size_t MostBytes = 256;

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

} // namespace

bool send(int socket, const void* bytes, size_t size, std::initializer_list<int> fds) {
    if (fds.size() > MostFdsSeen)
        return false;
    iovec io{const_cast<void*>(bytes), size};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * MostFdsSeen)] = {};
    msghdr header{};
    header.msg_iov = &io;
    header.msg_iovlen = 1;
    if (fds.size() > 0) {
        header.msg_control = control;
        header.msg_controllen = CMSG_SPACE(sizeof(int) * fds.size());
        cmsghdr* c = CMSG_FIRSTHDR(&header);
        c->cmsg_level = SOL_SOCKET;
        c->cmsg_type = SCM_RIGHTS;
        c->cmsg_len = CMSG_LEN(sizeof(int) * fds.size());
        std::memcpy(CMSG_DATA(c), fds.begin(), sizeof(int) * fds.size());
    }
    for (;;) {
        const ssize_t sent = ::sendmsg(socket, &header, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && errno == EINTR)
            continue;
        return sent == ssize_t(size);
    }
}

Received receive(int socket, void* bytes, size_t size, size_t mostFds, std::vector<UniqueFd>& fds,
                 const Deadline* deadline) {
    fds.clear();
    if (size >= MostBytes)
        return Received::Malformed;
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
        char buffer[MostBytes];
        iovec io{buffer, size + 1};
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * MostFdsSeen)];
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

        std::vector<UniqueFd> attached;
        for (cmsghdr* c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c)) {
            if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS)
                continue;
            const size_t count = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
            for (size_t i = 0; i < count; ++i) {
                int one;
                std::memcpy(&one, CMSG_DATA(c) + i * sizeof(int), sizeof one);
                attached.emplace_back(one);
            }
        }
        if ((header.msg_flags & (MSG_TRUNC | MSG_CTRUNC)) || size_t(got) != size ||
            attached.size() > mostFds)
            return Received::Malformed;
        std::memcpy(bytes, buffer, size);
        fds = std::move(attached);
        return Received::Message;
    }
}

} // namespace fdpassing
