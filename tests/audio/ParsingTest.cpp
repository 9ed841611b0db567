#include "AudioFixture.h"
#include "platform/audio/MidiFile.h"

#include <gtest/gtest.h>

TEST(MidiFileUnwrapping, FindsTheStandardFileInsideRmidAndRefusesOtherFiles) {
    const QByteArray smf = audiotest::midiNote(1);
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
