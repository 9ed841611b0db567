#include "catalogue/PictureTest.h"
#include "support/Rows.h"

#include <gtest/gtest.h>
#include <QString>

// Names around each edge of the rule: the endings in any case, fragments of the type list short
// enough to lie inside it, near misses, and letters that upper-case into type letters.
const char* const pictureNames[] = {
    "FOTO.Jpg", "x.JPEG", "x.jpe", "a.iff", "a.Bmp", "a.cur", "a.ico", "a.dib",
    "a.gif",    "a.emf",  "a.wmf", "a.rle", ".BM",   ".G",    ".",     "\xc3\xa8state.gif"};
TABLE_TEST(PictureNames, AreAcceptedByTheirTypeEndingOrAFragmentOfTheTypeList, pictureNames) {
    EXPECT_TRUE(isPictureName(QString::fromUtf8(GetParam())));
}
const char* const otherNames[] = {"x.jp",  "x.png",           "nodot",       "x.jpgx", "x.GJ",
                                  "",      "x.jpeg ",         "x.JPG.png",   "a.gif.", "x.mpeg",
                                  ".BMPX", "x.\xc4\xb1\x63o", "x.j\xc3\xa9g"};
TABLE_TEST(OtherNames, AreNoPictures, otherNames) {
    EXPECT_FALSE(isPictureName(QString::fromUtf8(GetParam())));
}
