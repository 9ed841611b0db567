// The picture decoders (Qt's image plug-ins, the WMF player, libemf2svg, Qt SVG) fed through the
// decoder helper, as the program feeds them: the program's side must survive every input; a
// crash, hang or limit inside the helper only ends that picture.
//
// Input: one byte choosing the file name's extension, then the file's bytes.
#include "helpers/DecoderPool.h"

#include <cstdint>
#include <cstdlib>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const char* const suffixes[] = {"jpg", "bmp", "gif", "ico", "cur", "dib", "rle", "wmf", "emf"};

DecoderPool* pool = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The helpers inherit the environment. Under the sanitizers the helper sets no address-space
    // limit (the sanitizers reserve terabytes); the allocator's limit stands in for it. Their
    // reports (mostly over-reads inside the metafile libraries) end only that helper; they are
    // not symbolized, which would take seconds each.
    setenv("ASAN_OPTIONS",
           "detect_leaks=0:symbolize=0:allocator_may_return_null=1:malloc_limit_mb=1536", 1);
    setenv("UBSAN_OPTIONS", "halt_on_error=1:print_stacktrace=0", 1);
    // A short time limit: a hostile input costs the fuzzer that long, and is then just not
    // decodable.
    pool = new DecoderPool(
        {QStringLiteral(QUIRELLO_DECODER_PROGRAM), std::chrono::milliseconds(1000)});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder((QDir(QStringLiteral("/dev/shm")).exists()
                                     ? QStringLiteral("/dev/shm")
                                     : QDir::tempPath()) +
                                QStringLiteral("/quirello-fuzz-XXXXXX"));
    if (size < 1)
        return 0;
    const QString path = folder.filePath(QStringLiteral("picture.") +
                                         QLatin1String(suffixes[data[0] % std::size(suffixes)]));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    file.close();

    const QSize screen(640, 480);
    const DecodedPicture picture = pool->decode(path, [screen](QSize natural) {
        return natural.scaled(screen, Qt::KeepAspectRatio).expandedTo({1, 1});
    });
    if (picture.ok()) {
        const QImage& image = picture.image;
        if (image.width() > std::max(screen.width(), picture.naturalSize.width()) ||
            image.height() > std::max(screen.height(), picture.naturalSize.height()))
            __builtin_trap();
        static volatile QRgb sink;
        sink = image.pixel(image.width() - 1, image.height() - 1);
    }
    return 0;
}
