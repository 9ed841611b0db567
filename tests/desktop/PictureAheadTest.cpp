#include "desktop/PictureAhead.h"
#include "PictureDecoderFiles.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace picturefiles;

namespace {

ShownSizeFor fixedSize(QSize size) {
    return [size](QSize) { return size; };
}

QByteArray jpegOf(QColor colour) {
    return encoded(halves(300, 200, colour, colour), "jpg");
}

// Decodes `path` ahead and waits until it is ready, as when the show waits for its tick.
void prepareAndWait(PictureAhead& ahead, const QString& path, QSize shown) {
    ahead.prepare(path, fixedSize(shown));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ahead.isReady(); }, 10000));
    // File times have a finite resolution: wait until a file written now gets a later time.
    const QString probe = path + ".probe";
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            testfiles::write(probe);
            return QFileInfo(probe).lastModified() > QFileInfo(path).lastModified();
        },
        10000));
    QFile::remove(probe);
}

// The picture at hand, as the show takes it: asked for again at each look until it is.
DecodedPicture take(PictureAhead& ahead, const QString& path, const ShownSizeFor& shownSize) {
    std::optional<DecodedPicture> picture;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (picture = ahead.takeReady(path, shownSize)).has_value(); }, 10000));
    return picture.value_or(DecodedPicture{});
}

} // namespace

TEST(PictureAhead, takesTheFileAsItIsAtTheTake) {
    testfiles::TestDecoder pictures;
    const struct {
        const char* change;
        std::function<void(const QString& path, const QString& folder)> apply;
        bool ok;
    } cases[] = {
        {"unchanged", [](const QString&, const QString&) {}, true},
        {"rewritten in place",
         [](const QString& path, const QString&) { testfiles::write(path, jpegOf(Qt::blue)); },
         true},
        {"replaced by another file renamed over it, with the same size and time",
         [](const QString& path, const QString& folder) {
             // Same bytes count as red: both are flat JPEGs of the same size and quality.
             const QString other = folder + "/other.jpg";
             testfiles::write(other, jpegOf(Qt::blue));
             QFile replacement(other);
             replacement.open(QIODevice::ReadWrite);
             replacement.setFileTime(QFileInfo(path).lastModified(),
                                     QFileDevice::FileModificationTime);
             replacement.close();
             QFile::remove(path);
             QFile::rename(other, path);
         },
         true},
        {"renamed away",
         [](const QString& path, const QString& folder) {
             QFile::rename(path, folder + "/moved.jpg");
         },
         false},
        {"deleted", [](const QString& path, const QString&) { QFile::remove(path); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        testfiles::Sandbox box;
        const QString path = box.file("next.jpg");
        testfiles::write(path, jpegOf(Qt::red));
        PictureAhead ahead(pictures);
        prepareAndWait(ahead, path, {150, 100});
        c.apply(path, box.path());
        const DecodedPicture p = take(ahead, path, fixedSize({150, 100}));
        EXPECT_EQ(p.ok(), c.ok);
        // What a decode on the spot gives, from the file as it is now.
        if (c.ok) {
            EXPECT_EQ(p.image, testfiles::decodedByHelper(path, fixedSize({150, 100})).image);
        }
    }
}

// A decode ahead dropped, replaced or cancelled is stopped: its owner neither waits for it nor
// sees it, and a picture asked for afterwards is decoded anew, at its own size.
TEST(PictureAhead, stopsWhatItDropsAndDecodesWhatIsAskedFor) {
    testfiles::TestDecoder pictures;
    testfiles::Sandbox box;
    const QString path = box.file("huge.jpg");
    testfiles::write(path, flatGreyJpeg(8000, 6000));
    {
        PictureAhead ahead(pictures);
        ahead.prepare(path, fixedSize({1440, 1080}));
        ahead.prepare(path, fixedSize({720, 540})); // replaces the first
    } // the destructor stops the decode and waits for its worker; the sandbox is removed after
    PictureAhead ahead(pictures);
    int ready = 0;
    ahead.onReady([&] { ++ready; });
    ahead.prepare(path, fixedSize({1440, 1080}));
    ahead.cancel();
    EXPECT_FALSE(ahead.isReady());
    QTest::qWait(300);
    EXPECT_EQ(ready, 0); // the stopped decode's end is not told
    EXPECT_FALSE(ahead.takeReady(path, fixedSize({720, 540})).has_value());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ready == 1; }, 10000));
    EXPECT_EQ(take(ahead, path, fixedSize({720, 540})).image.size(), QSize(720, 540));
}

// Its news that a decode is over is only given once the picture can be taken: a preview that
// waits for the news alone never misses it, however soon after the decode the news comes.
TEST(PictureAhead, aPictureIsAtHandWhenItsNewsComes) {
    struct Instant final : PictureSource {
        DecodedPicture decode(const QString&, const ShownSizeFor&, std::stop_token) override {
            return {QImage(4, 4, QImage::Format_RGB32), {4, 4}};
        }
    } source;
    PictureAhead ahead(source);
    int news = 0, missed = 0;
    QString asked;
    ahead.onReady([&] {
        ++news;
        if (!ahead.takeReady(asked, {}))
            ++missed;
    });
    for (int i = 0; i < 300; ++i) {
        asked = QStringLiteral("/nowhere/%1.jpg").arg(i);
        const int before = news;
        ASSERT_FALSE(ahead.takeReady(asked, {})) << "decoded before it was asked for";
        // Spinning, so that the news is handled the moment it comes.
        QDeadlineTimer limit(10000);
        while (news == before && !limit.hasExpired())
            QCoreApplication::processEvents();
        ASSERT_GT(news, before);
    }
    EXPECT_EQ(missed, 0);
}
