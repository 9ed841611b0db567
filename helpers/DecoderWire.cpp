#include "helpers/DecoderWire.h"
#include "helpers/FdPassing.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <vector>

namespace decoderwire {

namespace {

// The size is fixed before the memory is handed over; the writing stops before it is mapped.
constexpr int SizeSeals = F_SEAL_SHRINK | F_SEAL_GROW;
constexpr int RequiredSeals = SizeSeals | F_SEAL_WRITE;

bool knownKind(quint32 kind) {
    return kind >= Open && kind <= TooLarge;
}

// One message with at most one descriptor, through the helpers' common datagrams.
Received receiveUntil(int socket, const Deadline* deadline, Message& message, UniqueFd& fd) {
    fd.reset();
    std::vector<UniqueFd> fds;
    switch (fdpassing::receive(socket, &message, sizeof message, 1, fds, deadline)) {
    case fdpassing::Received::Closed:
        return Received::Closed;
    case fdpassing::Received::TimedOut:
        return Received::TimedOut;
    case fdpassing::Received::Malformed:
        return Received::Malformed;
    case fdpassing::Received::Message:
        break;
    }
    if (message.magic != Magic || !knownKind(message.kind))
        return Received::Malformed;
    if (!fds.empty())
        fd = std::move(fds.front());
    return Received::Message;
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
    if (fd < 0)
        return fdpassing::send(socket, &message, sizeof message);
    return fdpassing::send(socket, &message, sizeof message, {fd});
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
