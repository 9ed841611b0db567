#include "catalogue/PictureTest.h"

#include <gtest/gtest.h>
#include <QString>

namespace {
struct NameCase {
    const char* name;
    bool picture;
};

// Names around each edge of the rule: the twelve endings in any case, fragments of the type
// list short enough to lie inside it, and near misses.
const NameCase kNames[] = {
    {"FOTO.Jpg", true}, {"x.jpeg", true},   {"x.JPEG", true},        {"x.jpe", true},
    {"mare.jpg", true}, {"a.iff", true},    {"a.Bmp", true},         {"a.cur", true},
    {"a.ico", true},    {"a.dib", true},    {"a.gif", true},         {"a.emf", true},
    {"a.wmf", true},    {"a.rle", true},    {".BM", true},           {".jp", true},
    {".G", true},       {".", true},        {"foto.tar.jpeg", true}, {"x.jp", false},
    {"x.tiff", false},  {"x.png", false},   {"nodot", false},        {"jpg", false},
    {"x.jpgx", false},  {"x.pegj", false},  {"x.GJ", false},         {"x.G", false},
    {"", false},        {"x.jpeg ", false}, {"x.JPG.png", false},    {"a.gif.", false},
    {"x.mpeg", false},  {"x.ipeg", false},  {".BMPX", false},        {"x.JPEGJ", false},
};
} // namespace

TEST(PictureTest, AcceptsExactlyTheTypeEndingsAndTheFragmentsOfTheTypeList) {
    for (const NameCase& c : kNames)
        EXPECT_EQ(isPictureName(QString::fromUtf8(c.name)), c.picture)
            << "name: '" << c.name << "'";
}

TEST(PictureTest, NonAsciiLettersNeverMatchTheTypeList) {
    // Upper-casing must not turn these into type letters.
    EXPECT_FALSE(isPictureName(QString::fromUtf8("x.\xc4\xb1"
                                                 "co")));               // dotless i
    EXPECT_FALSE(isPictureName(QString::fromUtf8("x.j\xc3\xa9g")));     // accented e
    EXPECT_TRUE(isPictureName(QString::fromUtf8("\xc3\xa8state.gif"))); // accent before the dot
}
