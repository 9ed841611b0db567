// The show with its pictures decoded ahead: what a tick shows is the file as it is at that tick.
#include "Form1Fakes.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QTest>

namespace {

using form1test::ShowWindow;

QColor shownColour(Form1& form) {
    const QImage screen = form.grab().toImage();
    return screen.pixelColor(form.pictureRect().center());
}

// What happens to b.jpg while a.jpg is on screen and b.jpg has been decoded ahead, and what
// the next tick must then show.
struct Change {
    const char* what;
    std::function<void(ShowWindow&)> apply;
    QColor colour;   // the colour shown at the second tick (invalid: none)
    QString message; // the message of the second tick ("" for none)
};

// JPEG shifts colours a little.
bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <
           40;
}

} // namespace

TEST(PictureAheadShow, theNextTickShowsTheFileAsItIsThen) {
    const auto solid = [](int w, int h, QColor c) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(c);
        return image;
    };
    const Change changes[] = {
        {"unchanged", [](ShowWindow&) {}, Qt::green, ""},
        {"replaced",
         [&](ShowWindow& s) {
             QFile::remove(s.folder.file("b.jpg"));
             solid(200, 100, Qt::blue).save(s.folder.file("b.jpg"));
         },
         Qt::blue, ""},
        {"deleted", [](ShowWindow& s) { QFile::remove(s.folder.file("b.jpg")); }, QColor(),
         "message Il file: ./b.jpg non è un file di immagini valido."},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        ShowWindow s;
        solid(100, 100, Qt::red).save(s.folder.file("a.jpg"));
        solid(100, 100, Qt::green).save(s.folder.file("b.jpg"));
        s.records.settings.TempoAttesa = 700;
        s.records.settings.Effetti = 0;
        QColor first, second;
        QSize secondSize;
        s.runShow(
            [&] {
                QTest::qWaitFor(
                    [&] { return s.records.show.PictureIndex == 1 && s.form.isPictureVisible(); });
                first = shownColour(s.form);
                QTest::qWait(200); // b.jpg is decoded ahead meanwhile
                change.apply(s);
                QTest::qWaitFor([&] { return s.records.show.PictureIndex == 2; });
                QTest::qWait(50);
                if (s.form.isPictureVisible()) {
                    second = shownColour(s.form);
                    secondSize = s.form.pictureRect().size();
                }
                s.form.Fine();
            },
            10000);
        EXPECT_TRUE(near(first, Qt::red));
        EXPECT_EQ(second.isValid(), change.colour.isValid());
        if (change.colour.isValid()) {
            EXPECT_TRUE(near(second, change.colour)) << second.name().toStdString();
            EXPECT_EQ(secondSize.width() > secondSize.height(), change.colour == Qt::blue);
        }
        const bool messaged = s.recorder.calls.contains(change.message);
        EXPECT_TRUE(change.message.isEmpty() ? !s.recorder.calls.join('|').contains("message")
                                             : messaged)
            << s.recorder.calls.join('|').toStdString();
    }
}
