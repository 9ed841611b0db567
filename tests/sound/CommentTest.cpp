#include "sound/Music.h"
#include "support/FakeSound.h"
#include "support/Rows.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <sys/stat.h>

// The comment is the entry with its last four characters replaced by ".wav". A row: the entry,
// SuonoWAV, the comment played ("" for none).
const std::tuple<const char*, qint16, const char*> comments[] = {
    {"./mare.jpg", 1, "mare.WAV"},
    {"./mare.jpg", 0, ""},     // comments off
    {"./a.jpeg", 1, "a..wav"}, // the dot of ".jpeg" stays
    {"Estate/monte.bmp", 1, "Monte.wav"},
    {"Estate/SOLE.jpg", 1, "SOLE.wav"}, // the exact name first
    {"Estate/mare.jpg", 1, ""},         // a comment lives beside its own picture only
    {"./tubo.jpg", 1, ""},
};
TABLE_TEST(CommentPlayed, PlaysTheCommentBesideItsPictureFoundWithoutRegardToCase, comments) {
    const auto& [entry, suonoWAV, played] = GetParam();
    testfiles::Sandbox box;
    for (const char* name :
         {"mare.WAV", "a..wav", "Estate/Monte.wav", "Estate/sole.wav", "Estate/SOLE.wav"})
        testfiles::write(box.file(name));
    // A named pipe would block whoever opens it: it is no comment.
    ASSERT_EQ(::mkfifo(QFile::encodeName(box.file("tubo.wav")).constData(), 0644), 0);
    QStringList log;
    fakes::RecordingSound sound(log);
    CommentStart(sound, box.path() + '/', entry, suonoWAV);
    EXPECT_EQ(log.size(), QString(played).isEmpty() ? 0 : 1);
    EXPECT_EQ(QFileInfo(log.value(0).mid(4)).fileName(), played);
}
