#include "AudioFixture.h"
#include "sounddecoders/MidiFile.h"
#include "sounddecoders/WaveHeader.h"

#include <gtest/gtest.h>

TEST(MidiFileUnwrapping, FindsTheStandardFileInsideRmidAndRefusesOtherFiles) {
    testfiles::Sandbox box;
    const QByteArray smf = testfiles::read(audiotest::makeMidi(box, "tema.mid"));
    QByteArray lying = audiotest::rmidWrap(smf);
    lying[4] = char(0xff); // a RIFF length beyond the file is not trusted
    const QByteArray cut = audiotest::rmidWrap(smf).chopped(5); // data runs past the end
    const std::pair<QByteArray, QByteArray> cases[] = {
        {smf, smf},
        {audiotest::rmidWrap(smf), smf},
        {lying, smf},
        {cut, {}},
        {QByteArray("RIFF\x04\0\0\0WAVEdata\0\0\0\0", 20), {}},
        {audiotest::rmidWrap(QByteArray(20, 'x')), {}},
        {QByteArray("MThd"), {}},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(standardMidi(bytes), expected) << bytes.left(12).toHex().toStdString();
}

// The header check trusts nothing: a data chunk longer than the file, a data chunk before any
// format, a chunk length running past the end, or bytes that are no WAVE file are refused.
TEST(WaveHeaderCheck, AcceptsWhatSoxWritesAndRefusesWhatTheFileCannotHold) {
    testfiles::Sandbox box;
    const QByteArray wav = testfiles::read(audiotest::makeTone(box, "voce.wav", 1));
    const qsizetype data = wav.indexOf("data");
    ASSERT_GT(data, 12);
    const std::optional<WaveHeader> header = readWaveHeader(wav, wav.size());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->dataOffset, data + 8);
    EXPECT_EQ(header->dataLength, wav.size() - data - 8);
    EXPECT_EQ(convertedBytes(*header, 44100, 2), 44100 * 2 * 2); // one second, 16-bit stereo

    QByteArray overlong = wav;
    overlong.replace(data + 4, 4, audiotest::littleEndian32(103'000'000));
    QByteArray noFormat = wav;
    noFormat.replace(12, 4, "junk");
    QByteArray endless = wav;
    endless.replace(16, 4, audiotest::littleEndian32(0xfffffff0u)); // the format chunk's length
    for (const QByteArray& bytes :
         {overlong, noFormat, endless, wav.left(data + 4), wav.left(11), QByteArray(64, '\xff'),
          "RIFF" + wav.mid(4, 4) + "AVI " + wav.mid(12)})
        EXPECT_FALSE(readWaveHeader(bytes, bytes.size())) << bytes.left(48).toHex().toStdString();
    // Only the first bytes are at hand; the declared length is checked against the whole file.
    EXPECT_TRUE(readWaveHeader(wav.left(data + 8), wav.size()));
    EXPECT_FALSE(readWaveHeader(wav.left(data + 8), wav.size() - 1));
}
