// A WAVE comment's bytes as the sound process reads them: the header (chunks walked up to the
// file's end, the data chunk held to it), the samples' layout and their rewriting, and PCM and
// floating-point samples streamed through the converter to the device's format. (Compressed
// formats go to SDL's own loader, not the program's code, and are left out.)
#include "sounddecoders/WaveConvert.h"
#include "sounddecoders/WaveHeader.h"
#include "sounddecoders/WaveSource.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {
// Bounds the work of one input: a header may claim a rate of one frame a second.
constexpr qsizetype MostFrames = 1 << 16;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const std::optional<WaveHeader> header = readWaveHeader(bytes, bytes.size());
    if (!header)
        return 0;
    if (header->dataOffset < 12 || header->dataOffset + header->dataLength > bytes.size() ||
        header->channels == 0 || header->sampleRate == 0)
        __builtin_trap();
    const std::optional<SampleLayout> layout = sampleLayout(*header);
    if (!layout)
        return 0;
    const QByteArrayView samples = bytes.sliced(header->dataOffset, header->dataLength);
    const QByteArray handed = handedOn(*layout, samples);
    if (handed.size() != samples.size() / layout->fileBytes * layout->bytes)
        __builtin_trap();

    const int file = ::memfd_create("fuzz-wave", MFD_CLOEXEC);
    if (file < 0 || ::write(file, data, size) != ssize_t(size)) {
        if (file >= 0)
            ::close(file);
        return 0;
    }
    if (const std::unique_ptr<PcmSource> wave = openWave(file)) {
        std::vector<qint16> block(2 * 4096);
        qsizetype read = 0;
        for (qsizetype n; read < MostFrames && (n = wave->read(block.data(), 4096)) > 0;)
            read += n;
        if (wave->declared().frames > 0 && read > wave->declared().frames && read < MostFrames)
            __builtin_trap(); // more than it will tell the program
    }
    ::close(file);
    return 0;
}
