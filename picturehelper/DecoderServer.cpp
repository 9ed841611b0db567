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
#include <thread>
#include <unistd.h>

namespace {

using namespace decoderwire;

// Should a picture hang the helper while the program is somehow unable to end it, the helper
// still ends on its own.
constexpr unsigned WatchdogSeconds = 20;

// Free memory the helper keeps between pictures: what a 24-megapixel photo's decode uses.
constexpr size_t KeptFreeBytes = size_t(64) << 20;

// Ends the helper as soon as the program's end of the socket is gone, even in the middle of a
// decode that never ends: a helper never outlives its program.
void endWithTheProgram(int socket) {
    std::thread([socket] {
        pollfd hangUp{socket, 0, 0}; // only the hang-up and errors wake it
        while (::poll(&hangUp, 1, -1) < 0 && errno == EINTR) {
        }
        std::_Exit(EXIT_SUCCESS);
    }).detach();
}

// The decoded pixels in a sealed memfd, for the program to map; invalid on failure.
UniqueFd sealedCopy(const QImage& image) {
    UniqueFd memory(::memfd_create("quirello-picture", MFD_CLOEXEC | MFD_ALLOW_SEALING));
    const qsizetype bytes = image.sizeInBytes();
    if (!memory.valid() || ::ftruncate(memory.get(), off_t(bytes)) != 0)
        return {};
    const uchar* from = image.constBits();
    for (qsizetype done = 0; done < bytes;) {
        const ssize_t n = ::pwrite(memory.get(), from + done, size_t(bytes - done), off_t(done));
        if (n <= 0)
            return {};
        done += n;
    }
    if (::fcntl(memory.get(), F_ADD_SEALS,
                F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL))
        return {};
    return memory;
}

bool answerPicture(int socket, const DecodedPicture& picture) {
    const QImage image =
        picture.image.convertToFormat(picture.image.hasAlphaChannel() ? AlphaFormat : OpaqueFormat);
    const UniqueFd memory = image.isNull() ? UniqueFd() : sealedCopy(image);
    if (!memory.valid()) {
        Message failed;
        failed.kind = Failed;
        return send(socket, failed);
    }
    Message answer;
    answer.kind = Picture;
    answer.width = image.width();
    answer.height = image.height();
    answer.naturalWidth = picture.naturalSize.width();
    answer.naturalHeight = picture.naturalSize.height();
    answer.stride = int(image.bytesPerLine());
    answer.format = quint32(image.format());
    return send(socket, answer, memory.get());
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

int serveDecoder(int socket, const HelperDecode& decode) {
    endWithTheProgram(socket);
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
