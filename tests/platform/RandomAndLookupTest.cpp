#include "platform/FileLookup.h"
#include "platform/RandomSource.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <gtest/gtest.h>

TEST(UniformRandom, StaysInRangeAndReseedingWithTheSameSeedMovesOn) {
    UniformRandom random;
    double previous = -1;
    for (int i = 0; i < 1000; ++i) {
        random.reseed(12345.0); // an unchanged clock reading
        const double r = random.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        ASSERT_NE(r, previous) << "re-seeding with the same clock repeated the pick";
        previous = r;
    }
}

TEST(FileLookup, ExactNameFirstThenAnyCaseInTheSameFolder) {
    testfiles::Sandbox box;
    testfiles::write(box.file("Estate/mare.WAV"));
    testfiles::write(box.file("Estate/exact.wav"));
    testfiles::write(box.file("Estate/EXACT.wav"));
    EXPECT_EQ(QFileInfo(filelookup::findFile(box.file("Estate/mare.wav"))).fileName(), "mare.WAV");
    EXPECT_EQ(QFileInfo(filelookup::findFile(box.file("Estate/EXACT.wav"))).fileName(),
              "EXACT.wav");
    EXPECT_TRUE(filelookup::findFile(box.file("Estate/monte.wav")).isEmpty());
    EXPECT_TRUE(filelookup::findFile(box.file("Altrove/mare.wav")).isEmpty());
}

TEST(FileLookup, FirstWithSuffixTakesNameOrderWithoutRegardToCaseAndSkipsHidden) {
    testfiles::Sandbox box;
    testfiles::write(box.file("f/Zeta.MP3"));
    testfiles::write(box.file("f/beta.mp3"));
    testfiles::write(box.file("f/.alfa.mp3"));
    testfiles::write(box.file("f/Alfa.mid"));
    EXPECT_EQ(QFileInfo(filelookup::firstWithSuffix(box.file("f"), ".mp3")).fileName(), "beta.mp3");
    EXPECT_EQ(QFileInfo(filelookup::firstWithSuffix(box.file("f"), ".MID")).fileName(), "Alfa.mid");
    EXPECT_TRUE(filelookup::firstWithSuffix(box.file("f"), ".rmi").isEmpty());
    EXPECT_TRUE(filelookup::firstWithSuffix(box.file("missing"), ".mp3").isEmpty());
}
