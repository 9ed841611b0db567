#include "SoakPictures.h"

#include "MetafileFiles.h"
#include "PictureDecoderFiles.h"
#include "SoakSounds.h"
#include "sound/Music.h"

#include <algorithm>
#include <cstdio>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <random>
#include <unistd.h>
#include <vector>

namespace {

// Written byte by byte what Qt cannot write: an EXIF orientation block, an 8-bit
// run-length-encoded bitmap, a 1 x 1 GIF.
void put32le(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char(v >> 8 * i));
}

QByteArray withOrientation(const QByteArray& jpeg, int orientation) {
    // A little-endian TIFF header, then one directory of one SHORT entry (0x0112), no next.
    QByteArray exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24);
    exif.append(char(orientation));
    exif.append(7, '\0');
    const char length[2] = {0, char(exif.size() + 2)};
    return jpeg.left(2) + "\xFF\xE1" + QByteArray(length, 2) + exif + jpeg.mid(2);
}

QByteArray rle8Bitmap(int width, int height, QColor colour) {
    QByteArray pixels;
    for (int y = 0; y < height; ++y) {
        for (int left = width; left > 0; left -= 255) {
            pixels.append(char(qMin(left, 255)));
            pixels.append('\1'); // colour index 1
        }
        pixels.append("\0\0", 2); // end of line
    }
    pixels.append("\0\1", 2); // end of bitmap
    QByteArray out("BM", 2);
    const quint32 pixelsAt = 14 + 40 + 2 * 4;
    // File header, info header (8 bits, BI_RLE8), and a palette of black and `colour`.
    for (quint32 v : {pixelsAt + quint32(pixels.size()), 0u, pixelsAt, 40u, quint32(width),
                      quint32(height), 1u | 8u << 16, 1u, quint32(pixels.size()), 2835u, 2835u, 2u,
                      0u, 0u, colour.rgb() & 0xFFFFFFu})
        put32le(out, v);
    out.append(pixels);
    return out;
}

QByteArray redGif() {
    // 1 x 1, a two-colour global table (red, black), LZW codes: clear, index 0, end.
    return QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
                      ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                      35);
}

// A picture with the detail of a photo: gradients, shapes and grain (flat pictures would decode
// unfairly fast).
QImage photoLike(QSize size, unsigned seed) {
    std::mt19937 random(seed);
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor::fromHsv(int(random() % 360), 120, 230));
    sky.setColorAt(1, QColor::fromHsv(int(random() % 360), 200, 90));
    p.fillRect(image.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 300; ++i) {
        p.setBrush(QColor::fromHsv(int(random() % 360), 160, int(random() % 256), 140));
        p.setPen(Qt::NoPen);
        const int w = int(random() % unsigned(size.width() / 4 + 1)) + 2;
        const int h = int(random() % unsigned(size.height() / 4 + 1)) + 2;
        p.drawEllipse(int(random() % unsigned(size.width())),
                      int(random() % unsigned(size.height())), w, h);
    }
    p.end();
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] ^= random() & 0x0F0F0F;
    }
    return image;
}

struct Source {
    QString name;
    QByteArray bytes;
};

std::vector<Source> goodSources() {
    using namespace picturefiles;
    std::vector<Source> s;
    unsigned seed = 1;
    const auto jpeg = [&](const QString& name, QSize size) {
        s.push_back({name, encoded(photoLike(size, seed++), "jpg", 90)});
    };
    jpeg("foto-24mp-a.jpg", {6000, 4000});
    jpeg("foto-24mp-b.jpg", {6000, 4000});
    jpeg("foto-24mp-c.jpeg", {6000, 4000});
    jpeg("foto-12mp-a.jpg", {4000, 3000});
    jpeg("foto-12mp-b.jpe", {4000, 3000});
    jpeg("ritratto-12mp.jpg", {3000, 4000});
    jpeg("panorama-72mp.jpg", {18000, 4000});
    jpeg("schermo-a.jpg", {1920, 1080});
    jpeg("schermo-b.jpg", {1920, 1080});
    jpeg("piccola-a.jpg", {800, 600});
    jpeg("piccola-b.jpg", {640, 480});
    s.push_back(
        {"girata.jpg", withOrientation(encoded(photoLike({4000, 3000}, seed++), "jpg", 90), 6)});
    s.push_back({"grande.bmp", encoded(photoLike({3000, 2000}, seed++), "bmp")});
    s.push_back({"media.bmp", encoded(photoLike({1024, 768}, seed++), "bmp")});
    s.push_back(
        {"tavolozza.bmp",
         encoded(photoLike({1600, 1200}, seed++).convertToFormat(QImage::Format_Indexed8), "bmp")});
    s.push_back({"nuda.dib", encoded(photoLike({1200, 800}, seed++), "bmp").mid(14)});
    s.push_back({"sequenze.rle", rle8Bitmap(1200, 800, QColor(200, 120, 40))});
    s.push_back({"sequenze-nuda.rle", rle8Bitmap(640, 480, QColor(40, 120, 200)).mid(14)});
    s.push_back({"punto.gif", redGif()});
    QFile clouds(QStringLiteral(QUIRELLO_SOURCE_DIR "/appfolder/Esempi/nuvole.gif"));
    if (clouds.open(QIODevice::ReadOnly))
        s.push_back({"nuvole.gif", clouds.readAll()});
    s.push_back({"icona.ico", encoded(photoLike({256, 256}, seed++), "ico")});
    s.push_back({"icona-piccola.ico", encoded(photoLike({48, 48}, seed++), "ico")});
    QByteArray cursor = encoded(photoLike({32, 32}, seed++), "ico");
    cursor[2] = '\2';
    s.push_back({"puntatore.cur", cursor});
    using namespace metafiles;
    s.push_back({"disegno.wmf",
                 wmfWithRectangle({0, 0, 2880, 1440}, 1440, {0, 0}, {0, 0, 1440, 1440}, Qt::red)});
    s.push_back({"quadro.wmf", wmfWithBitmap({0, 0, 2880, 1440}, 1440, {0, 0, 1440, 1440},
                                             photoLike({64, 32}, seed++))});
    s.push_back({"disegno.emf", emfWithRectangle({0, 0, 5080, 2540}, {0, 0, 96, 96}, Qt::blue)});
    return s;
}

std::vector<Source> brokenSources(const std::vector<Source>& good) {
    using namespace picturefiles;
    // Its first record claims 16 GB.
    QByteArray swollen =
        metafiles::wmfWithRectangle({0, 0, 2880, 1440}, 1440, {0, 0}, {0, 0, 1440, 1440}, Qt::red);
    swollen.replace(40, 4, QByteArray(4, '\xFF'));
    return {
        {"tagliata.jpg", good.front().bytes.left(good.front().bytes.size() / 2)},
        {"vuota.jpg", {}},
        {"parole.bmp", "non sono una fotografia, solo parole"},
        {"rumore.gif", QByteArray(5000, '\x5A')},
        {"bomba.jpg", flatGreyJpeg(60000, 60000, 64)},
        {"tagliato.wmf", good.back().bytes.left(40)},
        {"gonfiato.wmf", swollen},
    };
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool hardLink(const QString& from, const QString& to) {
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

const char* const Comments[] = {"commento-a.wav", "commento-b.wav", "commento-c.wav"};

bool writeSources(const QString& sources, const std::vector<Source>& good,
                  const std::vector<Source>& broken) {
    for (const auto* set : {&good, &broken})
        for (const Source& s : *set)
            if (!write(sources + "/" + s.name, s.bytes))
                return false;
    return write(sources + "/" + Comments[0], toneWave(1.0, 440)) &&
           write(sources + "/" + Comments[1], toneWave(1.5, 550)) &&
           write(sources + "/" + Comments[2], toneWave(0.7, 660));
}

} // namespace

QString makeSoakShow(const QString& root, int count) {
    const QString show = root + "/show-sound";
    if (QDir(show).exists())
        return show + "/";
    const QString sources = root + "/sources-sound";
    QDir().mkpath(sources);
    std::fprintf(stderr, "making %d pictures in %s (once)...\n", count, qPrintable(show));
    const std::vector<Source> good = goodSources();
    const std::vector<Source> broken = brokenSources(good);
    if (!writeSources(sources, good, broken))
        return {};

    // A tenth broken, the rest good, each source about as often as the others, in a fixed mix.
    std::vector<QString> names;
    const int brokenCount = count / 10;
    for (int i = 0; i < count; ++i)
        names.push_back(i < brokenCount ? broken[size_t(i) % broken.size()].name
                                        : good[size_t(i) % good.size()].name);
    std::shuffle(names.begin(), names.end(), std::mt19937(2024));
    const QString staging = show + ".part";
    QDir(staging).removeRecursively();
    QDir().mkpath(staging);
    for (int i = 0; i < count; ++i) {
        const QString entry =
            QStringLiteral("%1-%2").arg(i + 1, 3, 10, QLatin1Char('0')).arg(names[size_t(i)]);
        if (!hardLink(sources + "/" + names[size_t(i)], staging + "/" + entry) ||
            !hardLink(sources + "/" + Comments[i % 3], staging + "/" + CommentName(entry)))
            return {};
    }
    // Music for longer than any soak: it plays once, from the show's first picture.
    if (!write(staging + "/musica.mid", longMidi(120)) || !QDir().rename(staging, show))
        return {};
    return show + "/";
}
