#include "platform/FileLookup.h"
#include "platform/RandomSource.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QFileInfo>

TEST(UniformRandom, StaysInRangeAndReseedingWithTheSameSeedMovesOn) {
    UniformRandom random;
    double previous = -1;
    for (int i = 0; i < 1000; ++i) {
        random.reseed(12345.0); // an unchanged clock reading
        const double r = random.next();
        ASSERT_TRUE(r >= 0.0 && r < 1.0) << r;
        ASSERT_NE(r, previous) << "re-seeding with the same clock repeated the pick";
        previous = r;
    }
}

TEST(FileLookup, ExactNameFirstThenAnyCaseAndFirstWithSuffixInNameOrder) {
    testfiles::Sandbox box;
    for (const char* name : {"f/mare.WAV", "f/exact.wav", "f/EXACT.wav", "f/Zeta.MP3", "f/beta.mp3",
                             "f/.alfa.mp3", "f/Alfa.mid"})
        testfiles::write(box.file(QString::fromUtf8(name)));
    const auto name = [](const QString& path) { return QFileInfo(path).fileName(); };
    EXPECT_EQ(name(filelookup::findFile(box.file("f/mare.wav"))), "mare.WAV");
    EXPECT_EQ(name(filelookup::findFile(box.file("f/EXACT.wav"))), "EXACT.wav");
    EXPECT_TRUE(filelookup::findFile(box.file("f/monte.wav")).isEmpty());
    EXPECT_TRUE(filelookup::findFile(box.file("Altrove/mare.wav")).isEmpty());
    // Without regard to case, hidden files skipped.
    EXPECT_EQ(name(filelookup::firstWithSuffix(box.file("f"), ".mp3")), "beta.mp3");
    EXPECT_EQ(name(filelookup::firstWithSuffix(box.file("f"), ".MID")), "Alfa.mid");
    EXPECT_TRUE(filelookup::firstWithSuffix(box.file("f"), ".rmi").isEmpty());
    EXPECT_TRUE(filelookup::firstWithSuffix(box.file("missing"), ".mp3").isEmpty());
}
