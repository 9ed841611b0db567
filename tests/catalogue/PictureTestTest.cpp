#include "catalogue/PictureTest.h"

#include <gtest/gtest.h>
#include <QString>

// Names around each edge of the rule: the endings in any case, fragments of the type list short
// enough to lie inside it, near misses, and letters that upper-case into type letters.
TEST(PictureTest, AcceptsExactlyTheTypeEndingsAndTheFragmentsOfTheTypeList) {
    for (const char* name :
         {"FOTO.Jpg", "x.JPEG", "x.jpe", "a.iff", "a.Bmp", "a.cur", "a.ico", "a.dib", "a.gif",
          "a.emf", "a.wmf", "a.rle", ".BM", ".G", ".", "\xc3\xa8state.gif"})
        EXPECT_TRUE(isPictureName(QString::fromUtf8(name))) << "'" << name << "'";
    for (const char* name : {"x.jp", "x.png", "nodot", "x.jpgx", "x.GJ", "", "x.jpeg ", "x.JPG.png",
                             "a.gif.", "x.mpeg", ".BMPX", "x.\xc4\xb1\x63o", "x.j\xc3\xa9g"})
        EXPECT_FALSE(isPictureName(QString::fromUtf8(name))) << "'" << name << "'";
}
