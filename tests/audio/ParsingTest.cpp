#include "AudioFixture.h"
#include "platform/audio/MciCommand.h"
#include "platform/audio/MidiFile.h"

#include <gtest/gtest.h>

TEST(MciCommandParsing, TakesTheShowsCommandsApartAndRefusesTheRest) {
    using V = MciCommand::Verb;
    const struct {
        const char* text;
        V verb;
        const char* path;
    } cases[] = {
        {"open \"/f/a b/tema.mid\" type sequencer alias can", V::Open, "/f/a b/tema.mid"},
        {"open /f/tema.mid type sequencer alias can", V::Open, "/f/tema.mid"},
        {"OPEN \"x.mid\" TYPE Sequencer ALIAS can ", V::Open, "x.mid"},
        {"close can", V::Close, ""},
        {"  play   can  ", V::Play, ""},
        {"open  type sequencer alias can", V::Invalid, ""}, // the stop sequence's open
        {"open \"x.mid\" type waveaudio alias can", V::Invalid, ""},
        {"open \"x.mid type sequencer alias can", V::Invalid, ""},
        {"play can from 0", V::Invalid, ""},
        {"close", V::Invalid, ""},
    };
    for (const auto& c : cases) {
        const MciCommand m = parseMciCommand(c.text);
        EXPECT_EQ(m.verb, c.verb) << c.text;
        if (c.verb != V::Invalid) {
            EXPECT_EQ(m.path, c.path) << c.text;
            EXPECT_EQ(m.alias, "can") << c.text;
        }
    }
}

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
