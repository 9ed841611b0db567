#include "catalogue/PictureTest.h"

#include <QString>

namespace {
constexpr char16_t kTypes[] = u".JPG.JPEG.IFF.BMP.CUR.ICO.DIB.GIF.EMF.WMF.RLE";

// Upper-cases plain ASCII letters only: the type list holds nothing else, and a non-ASCII
// character can never match it whatever its case.
char16_t upperAscii(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? static_cast<char16_t>(u - (u'a' - u'A')) : u;
}
} // namespace

bool isPictureName(QStringView name) {
    // The last four characters (the whole name when shorter), inside the type list.
    const QStringView tail4 = name.right(4);
    if (!tail4.isEmpty() && tail4.front() == u'.') {
        char16_t upper[4];
        for (qsizetype i = 0; i < tail4.size(); ++i)
            upper[i] = upperAscii(tail4[i]);
        const QStringView key(upper, tail4.size());
        if (QStringView(kTypes).contains(key))
            return true;
    }
    return name.size() >= 5 && name.right(5).compare(u".JPEG", Qt::CaseInsensitive) == 0;
}
