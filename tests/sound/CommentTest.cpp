#include "FakeSound.h"
#include "sound/Music.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QFileInfo>

TEST(CommentName, ReplacesTheLastFourCharactersOfEntriesLongerThanFive) {
    const char* cases[][2] = {
        {"./mare.jpg", "./mare.wav"},
        {"Estate/mare.jpg", "Estate/mare.wav"},
        {"./a.jpeg", "./a..wav"}, // the dot of ".jpeg" stays
        {"ab.gif", "ab.wav"},     // 6 characters: replaced
        {"a.gif", "a.gif"},       // 5: unchanged
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommentName(c[0]), c[1]) << c[0];
}

TEST(CommentStart, PlaysTheCommentBesideItsPictureFoundWithoutRegardToCase) {
    testfiles::Sandbox box;
    for (const char* name : {"mare.WAV", "Estate/Monte.wav", "Estate/sole.wav", "Estate/SOLE.wav"})
        testfiles::write(box.file(name));
    const struct {
        const char* entry;
        qint16 suonoWAV;
        const char* played; // "" = none
    } cases[] = {
        {"./mare.jpg", 1, "mare.WAV"},
        {"./mare.jpg", -1, "mare.WAV"},
        {"./mare.jpg", 0, ""}, // comments off
        {"Estate/monte.bmp", 1, "Monte.wav"},
        {"Estate/sole.jpg", 1, "sole.wav"}, // the exact name first
        {"Estate/SOLE.jpg", 1, "SOLE.wav"},
        {"Estate/mare.jpg", 1, ""}, // a comment lives beside its own picture only
        {"./nuvola.jpg", 1, ""},
    };
    for (const auto& c : cases) {
        FakeSound sound;
        CommentStart(sound, box.path() + '/', c.entry, c.suonoWAV);
        const QString path = sound.log.value(0).mid(4);
        EXPECT_EQ(sound.log.size(), QString(c.played).isEmpty() ? 0 : 1) << c.entry;
        EXPECT_EQ(QFileInfo(path).fileName(), c.played) << c.entry;
        EXPECT_TRUE(path.isEmpty() || QFileInfo(path).isFile()) << c.entry;
    }
}
