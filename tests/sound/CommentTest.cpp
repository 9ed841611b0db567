#include "FakeSound.h"
#include "sound/Music.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QFileInfo>

TEST(CommentName, ReplacesTheLastFourCharactersOfEntriesLongerThanFive) {
    const struct {
        const char* entry;
        const char* name;
    } cases[] = {
        {"./mare.jpg", "./mare.wav"},
        {"Estate/mare.jpg", "Estate/mare.wav"},
        {"./a.jpeg", "./a..wav"}, // the dot of ".jpeg" stays
        {"./A.JPG", "./A.wav"},
        {"./a.gif", "./a.wav"}, // 7 characters
        {"ab.gif", "ab.wav"},   // 6: replaced
        {"a.gif", "a.gif"},     // 5: unchanged
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommentName(c.entry), c.name) << c.entry;
}

TEST(CommentStart, PlaysTheCommentBesideThePictureFoundWithoutRegardToCase) {
    testfiles::Sandbox box;
    testfiles::write(box.file("mare.WAV"));
    testfiles::write(box.file("Estate/Monte.wav"));
    testfiles::write(box.file("Estate/sole.wav"));
    testfiles::write(box.file("Estate/SOLE.wav"));
    const QString folder = box.path() + '/';
    const struct {
        const char* entry;
        const char* played; // "" = none
    } cases[] = {
        {"./mare.jpg", "mare.WAV"},
        {"Estate/monte.bmp", "Monte.wav"},
        {"Estate/sole.jpg", "sole.wav"}, // the exact name first
        {"Estate/SOLE.jpg", "SOLE.wav"},
        {"Estate/mare.jpg", ""}, // a comment lives beside its own picture only
        {"./nuvola.jpg", ""},
    };
    for (const auto& c : cases) {
        fakesound::Log log;
        fakesound::RecordingComment comment(log);
        CommentStart(comment, folder, c.entry, 1);
        if (QString(c.played).isEmpty()) {
            EXPECT_TRUE(log.lines.isEmpty()) << c.entry;
        } else {
            ASSERT_EQ(log.lines.size(), 1) << c.entry;
            const QString path = log.lines.first().mid(4);
            EXPECT_EQ(QFileInfo(path).fileName(), c.played) << c.entry;
            EXPECT_TRUE(QFileInfo(path).isFile()) << c.entry;
        }
    }
}

TEST(CommentStart, CommentsOffPlaysNothingAndAnyOtherValueIsOn) {
    testfiles::Sandbox box;
    testfiles::write(box.file("a.wav"));
    const QString folder = box.path() + '/';
    const struct {
        qint16 suonoWAV;
        int played;
    } cases[] = {{0, 0}, {1, 1}, {-1, 1}, {2, 1}};
    for (const auto& c : cases) {
        fakesound::Log log;
        fakesound::RecordingComment comment(log);
        CommentStart(comment, folder, "./a.jpg", c.suonoWAV);
        EXPECT_EQ(log.lines.size(), c.played) << c.suonoWAV;
    }
}
