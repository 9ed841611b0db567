// The show with its pictures decoded ahead: what a tick shows is the file as it is at that tick.
#include "Form1Fakes.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTest>

using form1test::solid;

// b.jpg and c.jpg are each decoded ahead while the picture before them is on screen; then b.jpg
// is replaced by a wide blue picture and c.jpg deleted, before their ticks.
TEST(PictureAheadShow, eachTickShowsTheFileAsItIsThen) {
    form1test::ShowWindow s;
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        solid(Qt::green).save(s.folder.file(name));
    s.records.settings.TempoAttesa = 700;
    s.records.settings.Effetti = 0;
    QColor shown;
    QSize size;
    s.runShow(
        [&] {
            const auto decodedAhead = [&](const char* name) {
                return QTest::qWaitFor([&] { return s.pictures.decodesOf(name) == 1; });
            };
            EXPECT_TRUE(decodedAhead("b.jpg"));
            QFile::remove(s.folder.file("b.jpg"));
            solid(Qt::blue, {200, 100}).save(s.folder.file("b.jpg"));
            EXPECT_TRUE(QTest::qWaitFor([&] {
                return s.form.shown().labelText == "b.jpg" && s.form.shown().pictureVisible;
            }));
            shown = s.form.grab().toImage().pixelColor(s.form.shown().picture.center());
            size = s.form.shown().picture.size();
            EXPECT_TRUE(decodedAhead("c.jpg"));
            QFile::remove(s.folder.file("c.jpg"));
            EXPECT_TRUE(QTest::qWaitFor([&] { return !s.calls.filter("message").isEmpty(); }));
            s.form.Fine();
        },
        10000);
    // JPEG shifts colours a little.
    EXPECT_LT(shown.red() + shown.green() + 255 - shown.blue(), 40) << shown.name().toStdString();
    EXPECT_GT(size.width(), size.height());
    EXPECT_EQ(s.calls.filter("message"),
              QStringList{"message Il file: ./c.jpg non è un file di immagini valido."});
}
