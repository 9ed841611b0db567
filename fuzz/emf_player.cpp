// The EMF player over whole files: the header and frame, every record drawn onto a small
// picture, and the measuring pass before it. Most mutations break the record walk, which is
// refused whole; each input is also mended into a walk that holds (sizes kept inside the
// file, the end record put back) so that the mutated records themselves reach the player.
#include "decoders/EmfPlayer.h"

#include <cstdint>
#include <QGuiApplication>
#include <QtEndian>

// Fontconfig, under Qt's font database, keeps what it found for each family a file names
// without a way back to it; that is the library's cache, not the player's memory.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Text needs the font database, which needs an application; it lives for the whole run.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_emf_player";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
    return 0;
}

namespace {

constexpr int headerSize = 88;

quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(b.constData()) + at);
}
void put32(QByteArray& b, qsizetype at, quint32 v) {
    qToLittleEndian<quint32>(v, reinterpret_cast<uchar*>(b.data()) + at);
}

QByteArray mended(const QByteArray& in) {
    if (in.size() < headerSize)
        return {};
    QByteArray out = in.left(headerSize);
    put32(out, 0, 1);
    put32(out, 4, headerSize);
    put32(out, 40, 0x464D4520);
    for (qsizetype at = headerSize; at + 8 <= in.size();) {
        const quint32 type = u32(in, at);
        quint32 size = std::min<quint64>(u32(in, at + 4), quint64(in.size() - at)) & ~3u;
        size = std::max<quint32>(size, 8);
        if (type == 14)
            break;
        QByteArray record = in.mid(at, size);
        put32(record, 4, quint32(record.size()));
        out += record;
        at += size;
    }
    const qsizetype end = out.size();
    out.resize(end + 20);
    for (quint32 i = 0, v[] = {14, 20, 0, 16, 20}; i < 5; ++i)
        put32(out, end + 4 * i, v[i]);
    put32(out, 48, quint32(out.size()));
    return out;
}

void play(const QByteArray& bytes) {
    const DecodedPicture p = emf::decode(bytes, [](QSize) { return QSize(96, 64); });
    if (p.ok() && p.image.size() != QSize(96, 64))
        __builtin_trap(); // drawn at the size asked for, whatever the file says
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    play(bytes);
    play(mended(bytes));
    return 0;
}
