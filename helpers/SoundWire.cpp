#include "helpers/SoundWire.h"

namespace soundwire {

size_t descriptorsOf(quint32 kind) {
    switch (kind) {
    case Probe:
        return 1;
    case Play:
        return 2;
    default:
        return 0;
    }
}

bool send(int socket, const Message& message, std::initializer_list<int> fds) {
    return fdpassing::send(socket, &message, sizeof message, fds);
}

fdpassing::Received receive(int socket, Message& message, std::vector<UniqueFd>& fds,
                            const fdpassing::Deadline* deadline) {
    using fdpassing::Received;
    const Received got = fdpassing::receive(socket, &message, sizeof message, 2, fds, deadline);
    if (got != Received::Message)
        return got;
    if (message.magic != Magic || message.kind < Hello || message.kind > Failed ||
        fds.size() != descriptorsOf(message.kind)) {
        fds.clear();
        return Received::Malformed;
    }
    return Received::Message;
}

} // namespace soundwire
