// Pictures that crash the decoder helper, hang it past its time limit, take more memory than
// its limit or make it answer with more pixels than asked for (files that the test build of the
// helper fails on): each gives the show's message, and the next picture is decoded by a new
// helper.
#include "Form1Fakes.h"
#include "helpers/Confinement.h"

#include <gtest/gtest.h>
#include <QTimer>

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
    // Each good picture shows at its tick, the last one too. A timer watches: it runs between
    // any two events, where a wait in the test would see the show only between its own polls.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &s.form, [&] {
        const int index = s.records.show.PictureIndex;
        if (index == 2 * shown.size() + 1 && s.form.shown().pictureVisible) {
            shown << s.records.show.CurrentPicture;
            if (shown.size() == 5)
                s.form.Fine();
        }
    });
    EXPECT_TRUE(s.runShow([&] { watch.start(1); }, 30000));
    EXPECT_EQ(shown, QStringList({"./0a.jpg", "./1a.jpg", "./2a.jpg", "./3a.jpg", "./4.jpg"}));
    EXPECT_EQ(s.calls.filter("message"), expected);
}
