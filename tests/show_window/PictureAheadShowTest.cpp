// The show with its pictures decoded ahead: what a tick shows is the file as it is at that tick.
#include "Form1Fakes.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTest>

using form1test::ShowWindow;
using form1test::solid;

// b.jpg is decoded ahead while a.jpg is on screen, then changed before its tick.
TEST(PictureAheadShow, theNextTickShowsTheFileAsItIsThen) {
    const struct {
        const char* what;
        void (*change)(ShowWindow&);
        QColor colour; // shown at the second tick; invalid: the message instead
    } cases[] = {
        {"unchanged", [](ShowWindow&) {}, Qt::green},
        {"replaced",
         [](ShowWindow& s) {
             QFile::remove(s.folder.file("b.jpg"));
             solid(Qt::blue, {200, 100}).save(s.folder.file("b.jpg"));
         },
         Qt::blue},
        {"deleted", [](ShowWindow& s) { QFile::remove(s.folder.file("b.jpg")); }, QColor()},
    };
    // JPEG shifts colours a little.
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue()) <
               40;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ShowWindow s;
        solid(Qt::red).save(s.folder.file("a.jpg"));
        solid(Qt::green).save(s.folder.file("b.jpg"));
        s.records.settings.TempoAttesa = 700;
        s.records.settings.Effetti = 0;
        const auto shownColour = [&] {
            return s.form.grab().toImage().pixelColor(s.form.shown().picture.center());
        };
        QColor first, second;
        QSize secondSize;
        s.runShow(
            [&] {
                EXPECT_TRUE(QTest::qWaitFor([&] {
                    return s.records.show.PictureIndex == 1 && s.form.shown().pictureVisible;
                }));
                first = shownColour();
                EXPECT_TRUE(QTest::qWaitFor([&] { return s.pictures.decodesOf("b.jpg") == 1; }));
                c.change(s);
                // b.jpg shown, or its message.
                EXPECT_TRUE(QTest::qWaitFor([&] {
                    return s.form.shown().labelText == "b.jpg"
                               ? s.form.shown().pictureVisible
                               : !s.calls.filter("message").isEmpty();
                }));
                if (s.form.shown().pictureVisible) {
                    second = shownColour();
                    secondSize = s.form.shown().picture.size();
                }
                s.form.Fine();
            },
            10000);
        EXPECT_TRUE(near(first, Qt::red));
        EXPECT_EQ(second.isValid(), c.colour.isValid());
        if (c.colour.isValid()) {
            EXPECT_TRUE(near(second, c.colour)) << second.name().toStdString();
            EXPECT_EQ(secondSize.width() > secondSize.height(), c.colour == Qt::blue);
        }
        const QStringList messages = s.calls.filter("message");
        EXPECT_EQ(messages,
                  c.colour.isValid()
                      ? QStringList()
                      : QStringList{"message Il file: ./b.jpg non è un file di immagini valido."});
    }
}
