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
        const char* alias;
    } cases[] = {
        {"open \"/f/a b/tema.mid\" type sequencer alias can", V::Open, "/f/a b/tema.mid", "can"},
        {"open \"\" type sequencer alias can", V::Open, "", "can"},
        {"open /f/tema.mid type sequencer alias can", V::Open, "/f/tema.mid", "can"},
        {"OPEN \"x.mid\" TYPE Sequencer ALIAS can ", V::Open, "x.mid", "can"},
        {"close can", V::Close, "", "can"},
        {"play can ", V::Play, "", "can"},
        {"  play   can  ", V::Play, "", "can"},
        {"open  type sequencer alias can", V::Invalid, "", ""}, // the stop sequence's open
        {"open \"x.mid\" type waveaudio alias can", V::Invalid, "", ""},
        {"open \"x.mid\" type sequencer alias", V::Invalid, "", ""},
        {"open \"x.mid type sequencer alias can", V::Invalid, "", ""},
        {"open \"x\"y type sequencer alias can", V::Invalid, "", ""},
        {"play can from 0", V::Invalid, "", ""},
        {"close", V::Invalid, "", ""},
        {"stop can", V::Invalid, "", ""},
        {"", V::Invalid, "", ""},
    };
    for (const auto& c : cases) {
        const MciCommand m = parseMciCommand(c.text);
        EXPECT_EQ(m.verb, c.verb) << c.text;
        if (c.verb != V::Invalid) {
            EXPECT_EQ(m.path, c.path) << c.text;
            EXPECT_EQ(m.alias, c.alias) << c.text;
        }
    }
}

TEST(MidiFileUnwrapping, FindsTheStandardFileInsideRmidAndRefusesOtherFiles) {
    const QByteArray smf = audiotest::midiNote(1);
    QByteArray lying = audiotest::rmidWrap(smf);
    lying[4] = char(0xff); // a RIFF length beyond the file is not trusted
    QByteArray cut = audiotest::rmidWrap(smf);
    cut.chop(5); // the data chunk runs past the end
    const struct {
        const char* what;
        QByteArray bytes;
        QByteArray expected;
    } cases[] = {
        {"standard file", smf, smf},
        {"rmid", audiotest::rmidWrap(smf), smf},
        {"rmid with a wrong riff length", lying, smf},
        {"rmid cut short", cut, {}},
        {"wave file", QByteArray("RIFF\x04\0\0\0WAVEdata\0\0\0\0", 20), {}},
        {"rmid without data", QByteArray("RIFF\x04\0\0\0RMID", 12), {}},
        {"rmid whose data is no midi", audiotest::rmidWrap(QByteArray(20, 'x')), {}},
        {"header alone", QByteArray("MThd"), {}},
        {"empty", QByteArray(), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(standardMidi(c.bytes), c.expected) << c.what;
}
