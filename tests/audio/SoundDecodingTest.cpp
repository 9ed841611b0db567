// What the sound process makes of each kind of file, decoded here in the test's own process: the
// device's format, the sound's own length and level, and nothing for a file it cannot play. A
// converter that reads the bytes in the wrong order or width gives noise at full scale, or the
// wrong length.
#include "AudioFixture.h"
#include "sounddecoders/MidiSource.h"
#include "sounddecoders/Mp3Source.h"
#include "sounddecoders/Synthesizer.h"
#include "sounddecoders/WaveConvert.h"
#include "sounddecoders/WaveSource.h"
#include "support/Rows.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <vector>

namespace {

// A sound read to its end, and what it is like.
struct Heard {
    qint64 frames = 0;
    qint64 declared = -1;
    int peak = 0;
    int crossings = 0; // waves of the left channel: from below -1000 to above 1000
};

Heard hear(PcmSource* source) {
    Heard heard;
    if (source == nullptr)
        return heard;
    const pcm::Declared format = source->declared();
    EXPECT_EQ(format.encoding, pcm::Signed16);
    EXPECT_EQ(format.rate, quint32(pcm::Rate));
    EXPECT_EQ(format.channels, quint32(pcm::Channels));
    heard.declared = format.frames;
    std::vector<qint16> block(2 * 1000);
    bool low = false;
    for (qsizetype n;
         (n = source->read(block.data(), 1000)) > 0 && heard.frames < 100 * pcm::Rate;) {
        for (qsizetype i = 0; i < n; ++i) {
            const qint16 left = block[size_t(2 * i)];
            heard.peak = std::max(
                {heard.peak, std::abs(int(left)), std::abs(int(block[size_t(2 * i + 1)]))});
            if (left < -1000)
                low = true;
            else if (left > 1000 && low) {
                ++heard.crossings;
                low = false;
            }
        }
        heard.frames += n;
    }
    return heard;
}

struct Open {
    explicit Open(const QString& path)
        : fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)) {}
    ~Open() { ::close(fd); }
    int fd;
};

const struct WaveFormat {
    const char* name;
    QStringList sox; // the format's options
    int rate;
} waveFormats[] = {
    {"unsigned 8-bit mono", {"-c", "1", "-e", "unsigned", "-b", "8"}, 8000},
    {"16-bit stereo", {"-c", "2", "-b", "16"}, 44100},
    {"16-bit four channels", {"-c", "4", "-b", "16"}, 48000},
    {"24-bit", {"-c", "1", "-b", "24"}, 48000},
    {"32-bit", {"-c", "2", "-e", "signed", "-b", "32"}, 32000},
    {"32-bit floating point", {"-c", "1", "-e", "floating-point", "-b", "32"}, 44100},
    {"64-bit floating point", {"-c", "2", "-e", "floating-point", "-b", "64"}, 44100},
    {"big-endian 16-bit", {"-c", "1", "-B", "-b", "16"}, 22050},
    {"big-endian 24-bit", {"-c", "2", "-B", "-b", "24"}, 44100},
    {"big-endian 32-bit", {"-c", "1", "-B", "-e", "signed", "-b", "32"}, 44100},
    {"big-endian floating point", {"-c", "1", "-B", "-e", "floating-point", "-b", "32"}, 96000},
    {"big-endian 64-bit floating point",
     {"-c", "1", "-B", "-e", "floating-point", "-b", "64"},
     32000},
    {"IMA ADPCM", {"-c", "1", "-e", "ima-adpcm"}, 22050},
    {"Microsoft ADPCM", {"-c", "2", "-e", "ms-adpcm"}, 22050},
    {"A-law", {"-c", "1", "-e", "a-law"}, 8000},
    {"mu-law", {"-c", "1", "-e", "u-law"}, 8000},
};

} // namespace

// A second of a 440 Hz tone at half the full scale, in every format a comment may come in: at
// the device's rate it is 44100 frames, 440 waves and a peak of about 16400.
TABLE_TEST(WaveFormats, DecodeToTheDevicesFormatAtTheirOwnLengthAndLevel, waveFormats) {
    const WaveFormat& f = GetParam();
    testfiles::Sandbox box;
    const QString path = box.file("voce.wav");
    testfiles::make("sox", QStringList{"-n", "-r", QString::number(f.rate)} + f.sox +
                               QStringList{path, "synth", "1", "sine", "440", "vol", "0.5"});
    const Open file(path);
    const std::unique_ptr<PcmSource> wave = openWave(file.fd);
    ASSERT_TRUE(wave);
    const Heard heard = hear(wave.get());
    EXPECT_NEAR(double(heard.frames), 44100, 441);
    EXPECT_GE(heard.declared, heard.frames);
    EXPECT_NEAR(heard.crossings, 440, 3);
    EXPECT_GT(heard.peak, 14500);
    EXPECT_LT(heard.peak, 18500);
}

// The samples are read as the comment plays, and only up to the end of its data chunk: a chunk
// after it is not heard, a file cut short ends where it is cut.
TEST(WaveFiles, ComeAsFarAsTheirDataGoesAndNotFurther) {
    testfiles::Sandbox box;
    const QByteArray wav = testfiles::read(audiotest::makeTone(box, "voce.wav", 2));
    testfiles::write(box.file("coda.wav"),
                     wav + "LIST" + audiotest::littleEndian32(4000) + QByteArray(4000, '\x7f'));
    QByteArray cut = wav.left(wav.size() / 2); // its header still declares two seconds
    testfiles::write(box.file("tagliato.wav"), cut);
    const Open tail(box.file("coda.wav"));
    EXPECT_NEAR(double(hear(openWave(tail.fd).get()).frames), 2 * 44100, 441);
    const Open shortened(box.file("tagliato.wav"));
    EXPECT_FALSE(openWave(shortened.fd)) << "a data chunk beyond the file is refused";
}

namespace {

WaveHeader headerOf(quint16 format, quint16 bits, bool bigEndian = false) {
    WaveHeader h;
    h.format = format;
    h.bitsPerSample = bits;
    h.channels = 1;
    h.sampleRate = 8000;
    h.bigEndian = bigEndian;
    return h;
}

template <typename Sample> Sample sampleAt(const QByteArray& bytes, int i) {
    Sample value;
    std::memcpy(&value, bytes.constData() + qsizetype(sizeof value) * i, sizeof value);
    return value;
}

} // namespace

// 8-bit samples are unsigned; 24-bit and 64-bit samples, in either byte order, are rewritten at
// the same loudness; compressed formats are not for the program's converter.
TEST(WaveConversion, RewritesSamplesKeepingTheirValue) {
    const QByteArray eight = handedOn(*sampleLayout(headerOf(1, 8)), QByteArray("\x00\x80\xff", 3));
    EXPECT_EQ(QList<int>({sampleAt<qint16>(eight, 0), sampleAt<qint16>(eight, 1),
                          sampleAt<qint16>(eight, 2)}),
              QList<int>({-32768, 0, 32512}));
    // -2 and 0x123456, then a sample cut short
    const QByteArray little =
        handedOn(*sampleLayout(headerOf(1, 24)), QByteArray("\xfe\xff\xff\x56\x34\x12\x01", 7));
    ASSERT_EQ(little.size(), 8);
    EXPECT_EQ(sampleAt<qint32>(little, 0), -2 * 256);
    EXPECT_EQ(sampleAt<qint32>(little, 1), 0x12345600);
    const QByteArray big =
        handedOn(*sampleLayout(headerOf(1, 24, true)), QByteArray("\xff\xff\xfe\x12\x34\x56", 6));
    EXPECT_EQ(sampleAt<qint32>(big, 0), -2 * 256);
    EXPECT_EQ(sampleAt<qint32>(big, 1), 0x12345600);
    const double half = -0.5;
    QByteArray doubles(reinterpret_cast<const char*>(&half), 8);
    std::reverse(doubles.begin(), doubles.end());
    EXPECT_EQ(sampleAt<float>(handedOn(*sampleLayout(headerOf(3, 64, true)), doubles), 0), -0.5f);
    for (const auto& [format, bits] : {std::pair{2, 4}, {1, 12}, {3, 16}, {7, 8}})
        EXPECT_FALSE(sampleLayout(headerOf(quint16(format), quint16(bits))))
            << format << " " << bits;
}

TEST(Mp3Files, DecodeToTheDevicesFormatAndNothingElseOpens) {
    testfiles::Sandbox box;
    for (const char* rate : {"44100", "22050"}) {
        SCOPED_TRACE(rate);
        const QString path = box.file(QStringLiteral("musica%1.mp3").arg(rate));
        testfiles::make(
            "sox", {"-n", "-r", rate, "-c", "1", path, "synth", "2", "sine", "440", "vol", "0.5"});
        const Open file(path);
        const Heard heard = hear(openMp3(file.fd).get());
        EXPECT_NEAR(double(heard.frames), 2 * 44100, 2 * 441 * 3); // the encoder's own padding
        EXPECT_NEAR(heard.crossings, 880, 12);
        EXPECT_GT(heard.peak, 14000);
        EXPECT_LT(heard.peak, 19000);
    }
    testfiles::write(box.file("rotto.mp3"), QByteArray(4000, 'x'));
    const Open junk(box.file("rotto.mp3"));
    EXPECT_FALSE(openMp3(junk.fd));
}

// The synthesizer plays a piece from its start to its end, rings its last notes out and stops;
// the next piece starts from silence. A file that holds no piece plays nothing.
TEST(MidiFiles, PlayToTheirEndOneAfterTheOther) {
    testfiles::Sandbox box;
    Synthesizer synth;
    ASSERT_TRUE(synth.usable()) << "no General MIDI soundfont";
    for (const char* name : {"tema.mid", "tema.rmi"}) {
        SCOPED_TRACE(name);
        audiotest::makeMidi(box, name);
        const Open file(box.file(name));
        const Heard heard = hear(openMidi(synth, file.fd).get());
        EXPECT_GT(heard.frames, 48 * 44100);
        EXPECT_LT(heard.frames, 55 * 44100);
        EXPECT_GT(heard.peak, 1000);
    }
    testfiles::write(box.file("finto.mid"), QByteArray("RIFF\x10\0\0\0WAVE", 12));
    const Open fake(box.file("finto.mid"));
    EXPECT_FALSE(openMidi(synth, fake.fd));
}
