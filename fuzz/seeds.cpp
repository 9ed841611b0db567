// fuzz_seeds CORPUS: the seeds the project's own writers make, one folder per driver (the
// pictures ImageMagick makes are added by run.sh).
#include "audio/PcmFormat.h"
#include "helpers/DecoderWire.h"
#include "helpers/SoundWire.h"
#include "MetafileFiles.h"
#include "settings/SettingsFile.h"

#include <cstdio>
#include <QDir>
#include <QFile>

namespace {

QString root;

void seed(const char* driver, const QString& name, const QByteArray& bytes) {
    QDir().mkpath(root + "/" + driver);
    QFile file(root + "/" + driver + "/" + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
}

// The decoder driver's input: the extension's number, then the file.
QByteArray picture(int extension, const QByteArray& bytes) {
    return char(extension) + bytes;
}

// The answer driver's records (see helper_answers.cpp).
QByteArray record(int control, decoderwire::Kind kind, const decoderwire::Message& m) {
    QByteArray out;
    out += char(control);
    out += char(kind - decoderwire::Open);
    out += QByteArray(reinterpret_cast<const char*>(&m), sizeof m);
    return out;
}

QByteArray conversation(QSize natural, QSize shown, bool refused) {
    using namespace decoderwire;
    Message question;
    question.kind = Natural;
    question.width = natural.width();
    question.height = natural.height();
    QByteArray out(1, natural == shown ? '\0' : '\1');
    out += record(1 | 2, Natural, question);
    Message answer;
    answer.kind = Pixels;
    answer.width = shown.width();
    answer.height = shown.height();
    answer.naturalWidth = natural.width();
    answer.naturalHeight = natural.height();
    answer.stride = shown.width() * 4;
    answer.format = quint32(OpaqueFormat);
    out += record(1 | 2, Pixels, answer);
    answer.kind = refused ? Failed : Picture;
    out += record(1 | 2, Kind(answer.kind), answer);
    return out;
}

QByteArray emfOfRasterOperations();

// The sound driver's input (see pcm_stream.cpp): a greeting, the answer to the request to play
// (`format` right or not), then a second of a tone in pieces of 255 bytes.
QByteArray soundConversation(SoundKind kind, bool right) {
    using namespace soundwire;
    const auto record = [](int control, Kind kind, const Message& m) {
        return char(control) + QByteArray(reinterpret_cast<const char*>(&m), sizeof m) +
               char(kind - Hello);
    };
    QByteArray out(1, char(int(kind) - 1));
    Message hello;
    hello.kind = Hello;
    hello.ok = 1;
    out += record(1 | 2, Hello, hello);
    Message playing;
    playing.kind = Playing;
    playing.encoding = 1;
    playing.rate = right ? 44100 : 22050;
    playing.channels = 2;
    playing.frames = kind == SoundKind::Wave ? 44100 : 0;
    out += record(1 | 2 | 128, Playing, playing);
    QByteArray samples;
    for (int i = 0; i < 44100; ++i) {
        const auto s = qint16(i % 100 * 300 - 15000);
        samples += QByteArray(reinterpret_cast<const char*>(&s), 2).repeated(2);
    }
    for (qsizetype at = 0; at < samples.size(); at += 255)
        out += char(255) + samples.mid(at, 255).leftJustified(255, '\0');
    return out;
}

// An EMF with one record of each kind that carries a bitmap, a region or text, for the player.
QByteArray emfOfEveryKind() {
    using metafiles::emfRecord;
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QByteArray dib = metafiles::dib24(image);
    const auto words = [](std::initializer_list<qint64> values) {
        QByteArray out;
        for (qint64 v : values)
            for (int i = 0; i < 4; ++i)
                out.append(char(v >> (8 * i) & 0xFF));
        return out;
    };
    const qint64 one = 0x3F800000; // 1.0f
    QByteArray r;
    emfRecord(r, 81,
              {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 80, 40, 120, dib.size() - 40, 0, 0xCC0020, 96, 96},
              dib);
    emfRecord(r, 76, {0,   0, 0, 0, 96, 0,   96, 96,  0xCC0020,       0, 0, one, 0, 0,
                      one, 0, 0, 0, 0,  100, 40, 140, dib.size() - 40},
              dib);
    emfRecord(r, 114,
              {0, 0, 0,   0,  0,   0, 96, 96, 255 << 16 | 1 << 24, 0, 0, one, 0, 0, one, 0, 0,
               0, 0, 108, 40, 148, 8, 2,  1},
              words({40, 2, 1, 1 | 32 << 16, 0, 8, 0, 0, 0, 0, 0x80800000, 0xFF0000FF}));
    emfRecord(r, 39, {1, 2, 0xFF, 4});
    emfRecord(r, 71, {0, 0, 0, 0, 48, 1}, words({32, 1, 1, 16, 0, 0, 0, 0, 0, 0, 50, 50}));
    emfRecord(r, 95, {2, 0, 0, 0, 0, 0x10007, 4, 0, 0xFF00, 0, 2, 6, 2});
    emfRecord(r, 37, {2});
    emfRecord(r, 87, {0, 0, 0, 0, 3}, words({10 | 10 << 16, 180 | 10 << 16, 180 | 90 << 16}));
    emfRecord(r, 84, {0, 0, 0, 0, 1, 0, 0, 20, 50, 2, 76, 0, 0, 0, -1, -1, 80},
              words({'H' | 'i' << 16, 30, 30}));
    emfRecord(r, 75, {48, 5}, words({32, 1, 1, 16, 0, 0, 0, 0, 0, 0, 96, 96}));
    emfRecord(r, 42, {0, 0, 192, 96});
    return metafiles::emfFile({0, 0, 5080, 2540}, {0, 0, 192, 96}, r + emfOfRasterOperations());
}

// Records that combine with what is drawn: a mask and picture pair, masked and keyed bitmaps,
// the brush alone, shaded triangles, an EMF+ see-through fill and the fill it stands beside,
// spaced text.
QByteArray emfOfRasterOperations() {
    using namespace metafiles;
    QImage grey(3, 2, QImage::Format_RGB32);
    grey.fill(QColor(0x80, 0x80, 0x80));
    grey.setPixelColor(0, 0, Qt::white);
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QByteArray r = emfSolidBrush(Qt::green, 2) + emfBox({0, 0, 96, 96});
    r += emfStretchDiBits(grey, {0, 0, 192, 96}, 0x00EE0086);
    r += emfStretchDiBits(picture, {0, 0, 192, 96}, 0x008800C6);
    r += emfMaskBlt({10, 10, 3, 2}, 0xAACC0020, dib24(picture), dib1(grey));
    r += emfBlt(116, {0, 0, 64, 32}, colorRef(Qt::blue), dib24(picture), picture.size());
    r += emfBlt(76, {20, 20, 100, 50}, 0x005A0049, {});
    r += emfBlt(77, {30, 30, 60, 30}, 0x00660046, dib24(grey), grey.size());
    const auto w = [](std::initializer_list<qint64> values) {
        QByteArray out;
        for (qint64 v : values)
            for (int i = 0; i < 4; ++i)
                out.append(char(v >> (8 * i) & 0xFF));
        return out;
    };
    emfRecord(r, 118, {0, 0, 0, 0, 3, 1, 2},
              w({0, 0, 0xFF00, 0, 192, 0, 0xFF000000, 0, 0, 96, 0, 0xFF00, 0, 1, 2}));
    const QByteArray fill =
        w({0x2B464D45, 0x8000 << 16 | 0x400C, 36, 24, 0x80FF0000, 2, 0, 0, 0, 0});
    emfRecord(r, 70, {fill.size()}, fill);
    r += emfSolidBrush(Qt::red, 3) + emfBox({100, 0, 50, 50});
    emfRecord(r, 120, {30, 2});
    emfRecord(r, 84, {0, 0, 0, 0, 1, 0, 0, 10, 80, 3, 76, 4, 0, 0, 50, 90, 0},
              w({'H' | ' ' << 16, 'H'}));
    return r;
}

// A WMF of every bitmap record, spaced text, and the EMF it carries.
QByteArray wmfOfEveryKind(const QByteArray& carried) {
    using namespace metafiles;
    QImage bitmap(2, 2, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    bitmap.setPixelColor(1, 1, Qt::white);
    const QByteArray dib = dib24(bitmap);
    WmfWriter w;
    w.nullPen().solidBrush(Qt::green).rectangle({0, 0, 50, 100});
    wmfStretchDib(w, bitmap, {0, 0, 100, 100}, 0x00EE0086);
    wmfStretchDib(w, bitmap, {0, 0, 100, 100}, 0x008800C6);
    w.add(0x0940, {0x0046, 0x0066, 0, 0, 2, 2, 10, 10}, dib);
    w.add(0x0B41, {0x0328, 0x0044, 2, 2, 0, 0, 40, 40, 20, 20}, dib);
    w.add(0x061D, {0x0049, 0x005A, 30, 30, 60, 60});
    const QByteArray old("\0\0\x02\0\x02\0\x02\0\x01\x01\xC0\0\x40\0", 14);
    w.add(0x0922, {0x00A6, 0x0011, 0, 0, 2, 2, 70, 70}, old);
    w.add(0x02FB, {}, fontParams("DejaVu Sans", 20, 0)).add(0x012D, {2});
    w.add(0x0108, {5}).add(0x020A, {1, 12});
    w.add(0x0A32, {80, 10, 3, 4, 0, 0, 90, 100, 'H' | ' ' << 8, 'H', 30, 30, 30});
    carryEmf(w, carried, 400);
    return w.file(QRect(0, 0, 100, 100), 96);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds CORPUS\n");
        return 2;
    }
    root = QString::fromLocal8Bit(argv[1]);

    // PHOTO.INI as the program writes it.
    const QString folder = root + "/ini";
    QDir().mkpath(folder);
    ShowSettings settings = DefaultSettings(folder);
    settings.RGB_RANDOM = -1;
    WriteSettingsFile(folder, QStringLiteral("/home/anna/Foto/Estate 2023"), QStringLiteral("7"),
                      settings);
    QFile written(folder + "/" + SettingsFileName);
    if (written.open(QIODevice::ReadOnly))
        seed("settings_file", "written.ini", written.readAll());
    QDir(folder).removeRecursively();

    // Metafiles written record by record.
    const QByteArray wmf =
        metafiles::wmfWithRectangle({0, 0, 2880, 1440}, 1440, {0, 0}, {0, 0, 1440, 1440}, Qt::red);
    QImage bitmap(4, 2, QImage::Format_RGB32);
    bitmap.fill(Qt::blue);
    const QByteArray wmfBitmap =
        metafiles::wmfWithBitmap({0, 0, 2880, 1440}, 1440, {0, 0, 1440, 1440}, bitmap);
    const QByteArray emf = metafiles::emfWithRectangle({0, 0, 5080, 2540}, {0, 0, 96, 96}, Qt::red);
    for (const auto& [name, bytes] :
         {std::pair{"rectangle.wmf", wmf}, std::pair{"bitmap.wmf", wmfBitmap},
          std::pair{"rectangle.emf", emf}}) {
        seed("metafile_headers", name, bytes);
        if (QString(name).endsWith("wmf"))
            seed("wmf_player", name, bytes);
        seed("picture_decoders", name, picture(QString(name).endsWith("emf") ? 8 : 7, bytes));
    }
    seed("emf_player", "every-kind.emf", emfOfEveryKind());
    seed("wmf_player", "every-kind.wmf", wmfOfEveryKind(emfOfEveryKind()));

    // Answers of the helper: a picture asked for smaller, one at its natural size, a refusal.
    seed("helper_answers", "smaller", conversation({80, 40}, {40, 20}, false));
    seed("helper_answers", "natural", conversation({64, 64}, {64, 64}, false));
    seed("helper_answers", "refused", conversation({64, 64}, {64, 64}, true));

    // Conversations with a sound process: a comment, an MP3, a MIDI piece, a rate that lies.
    seed("pcm_stream", "comment", soundConversation(SoundKind::Wave, true));
    seed("pcm_stream", "mp3", soundConversation(SoundKind::Mp3, true));
    seed("pcm_stream", "midi", soundConversation(SoundKind::Midi, true));
    seed("pcm_stream", "rate", soundConversation(SoundKind::Mp3, false));
    return 0;
}
