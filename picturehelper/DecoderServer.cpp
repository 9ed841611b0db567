#include "picturehelper/DecoderServer.h"

#include "decoders/PictureFormats.h"
#include "helpers/DecoderWire.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <new>
#include <poll.h>
#include <QFile>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace decoderwire;

// Should a picture hang the helper while the program is somehow unable to end it, the helper
// still ends on its own.
constexpr unsigned WatchdogSeconds = 20;

// Free memory the helper keeps between pictures: what a 24-megapixel photo's decode uses.
constexpr size_t KeptFreeBytes = size_t(64) << 20;

// The memory the program hands the pixels over in, of exactly `bytes` bytes; invalid when the
// program hands none.
UniqueFd memoryFromProgram(int socket, qint64 bytes) {
    Message handed;
    UniqueFd memory;
    struct stat info {};
    if (receive(socket, handed, memory) != Received::Message || handed.kind != Memory ||
        !memory.valid() || ::fstat(memory.get(), &info) != 0 || info.st_size != bytes)
        return {};
    return memory;
}

// The pixels into the program's memory, through a mapping let go before the answer (the program
// seals the memory against writing, which no mapping for writing may outlive); written through
// the descriptor where the address space holds no second copy of a huge picture.
bool copyInto(int memory, const QImage& image) {
    const auto bytes = size_t(image.sizeInBytes());
    void* to = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, memory, 0);
    if (to != MAP_FAILED) {
        std::memcpy(to, image.constBits(), bytes);
        return ::munmap(to, bytes) == 0;
    }
    for (size_t done = 0; done < bytes;) {
        const ssize_t n = ::pwrite(memory, image.constBits() + done, bytes - done, off_t(done));
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

bool sendFailed(int socket) {
    Message failed;
    failed.kind = Failed;
    return send(socket, failed);
}

bool answerPicture(int socket, const DecodedPicture& picture) {
    const QImage image =
        picture.image.convertToFormat(picture.image.hasAlphaChannel() ? AlphaFormat : OpaqueFormat);
    if (image.isNull())
        return sendFailed(socket);
    Message answer;
    answer.kind = Pixels;
    answer.width = image.width();
    answer.height = image.height();
    answer.stride = int(image.bytesPerLine());
    answer.format = quint32(image.format());
    if (!send(socket, answer))
        return false;
    UniqueFd memory = memoryFromProgram(socket, image.sizeInBytes());
    if (!memory.valid())
        return false;
    if (!copyInto(memory.get(), image))
        return sendFailed(socket);
    memory.reset(); // the program ends a helper that keeps the pixels
    answer.kind = Picture;
    answer.naturalWidth = picture.naturalSize.width();
    answer.naturalHeight = picture.naturalSize.height();
    return send(socket, answer);
}

// Each size question goes to the program; the helper cannot go on without its answer.
ShownSizeFor askProgram(int socket) {
    return [socket](QSize natural) {
        Message question;
        question.kind = Natural;
        question.width = natural.width();
        question.height = natural.height();
        Message reply;
        UniqueFd none;
        if (!send(socket, question) || receive(socket, reply, none) != Received::Message ||
            reply.kind != Shown || none.valid())
            std::_Exit(EXIT_FAILURE);
        return reply.size();
    };
}

// A decode that runs out of memory (the address-space ceiling) fails quietly.
DecodedPicture decodeWithin(const HelperDecode& decode, QFile& file, const QString& suffix,
                            const ShownSizeFor& shownSize) {
    try {
        return decode(file, suffix, shownSize);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace

void endWithTheProgram(int socket) {
    std::thread([socket] {
        pollfd hangUp{socket, 0, 0}; // only the hang-up and errors wake it
        while (::poll(&hangUp, 1, -1) < 0 && errno == EINTR) {
        }
        std::_Exit(EXIT_SUCCESS);
    }).detach();
}

int serveDecoder(int socket, const HelperDecode& decode) {
    for (;;) {
        Message request;
        UniqueFd fd;
        const Received got = receive(socket, request, fd);
        if (got == Received::Closed)
            return EXIT_SUCCESS;
        if (got != Received::Message || request.kind != Open || !fd.valid())
            return EXIT_FAILURE;
        ::alarm(WatchdogSeconds);

        {
            QFile file;
            if (!file.open(fd.release(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
                return EXIT_FAILURE;
            request.suffix[sizeof request.suffix - 1] = '\0';
            const QString suffix = QString::fromUtf8(request.suffix);
            // A file larger than any picture of its kind is not read at all.
            if (!pictureformats::acceptableSize(file)) {
                Message tooLarge;
                tooLarge.kind = TooLarge;
                if (!send(socket, tooLarge))
                    return EXIT_FAILURE;
            } else {
                const DecodedPicture picture =
                    decodeWithin(decode, file, suffix, askProgram(socket));
                if (!answerPicture(socket, picture.ok() ? picture : DecodedPicture{}))
                    return EXIT_FAILURE;
            }
        }
        ::alarm(0);
        // A decode's large buffers are free again. Kept for the next picture while they are
        // few (handing them back costs the next decode its page faults, some 5 ms for a
        // 24-megapixel photo); handed back after a huge one, so a warm helper does not keep
        // the memory of its largest picture.
        if (::mallinfo2().fordblks > KeptFreeBytes)
            ::malloc_trim(0);
    }
}
