// Pictures that crash the decoder helper, hang it past its time limit, take more memory than
// its limit or make it answer with more pixels than asked for (files that the test build of the
// helper fails on): each gives the show's message, and the next picture is decoded by a new
// helper.
#include "Form1Fakes.h"
#include "platform/decoder/Confinement.h"

#include <gtest/gtest.h>
#include <QTest>

using form1test::ShowWindow;
using form1test::solid;

TEST(HostilePictureShow, eachGivesTheMessageAndTheNextPictureIsShown) {
    ShowWindow s({testfiles::hookedDecoderProgram(), std::chrono::milliseconds(2000)});
    const char* hostile[] = {"CRASH", "HANG", confinement::limitsAddressSpace() ? "HOG" : "CRASH",
                             "LIE"};
    QStringList expected;
    for (int i = 0; i < 4; ++i) {
        solid(Qt::green).save(s.folder.file(QStringLiteral("%1a.jpg").arg(i)));
        testfiles::write(s.folder.file(QStringLiteral("%1b.jpg").arg(i)), hostile[i]);
        expected << QStringLiteral("message Il file: ./%1b.jpg non è un file di immagini valido.")
                        .arg(i);
    }
    solid(Qt::green).save(s.folder.file("4.jpg"));
    s.records.settings.TempoAttesa = 200;
    s.records.settings.Effetti = 0;
    QStringList shown;
    s.runShow(
        [&] {
            // Each good picture shows at its tick, the last one too.
            for (int index = 1; index <= 9; index += 2) {
                EXPECT_TRUE(QTest::qWaitFor(
                    [&] {
                        return s.records.show.PictureIndex == index &&
                               s.form.shown().pictureVisible;
                    },
                    10000));
                shown << s.records.show.CurrentPicture;
            }
            s.form.Fine();
        },
        30000);
    EXPECT_EQ(shown, QStringList({"./0a.jpg", "./1a.jpg", "./2a.jpg", "./3a.jpg", "./4.jpg"}));
    EXPECT_EQ(s.calls.filter("message"), expected);
}
