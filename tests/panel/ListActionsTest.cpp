// What the file list adds to the file actions (tested with the catalogue): the menu acts on the
// selected entry, not on the right-clicked one, a double click opens, a selection previews.
#include "PanelFakes.h"

#include "panel/ListActions.h"
#include "panel/PreviewImage.h"

#include <QAction>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>

class ListActionsTest : public panelfakes::PanelTest {
protected:
    void SetUp() override {
        loadPanel();
        list = panel->catalogue().List1;
        actions = extras().listActions.get();
        realPopup = actions->popupMenu;
        actions->popupMenu = [this](QPoint) {
            if (choice)
                choice->trigger();
        };
        panel->show();
    }
    // Lists `entries` in the panel's show folder (files that are no pictures unless made).
    void setEntries(const QStringList& entries) {
        for (const QString& e : entries)
            if (!QFile::exists(app + e))
                testfiles::write(app + e, "not a picture");
        records.list.setEntries(entries);
    }
    void click(int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list->viewport(), button, {},
                          list->visualRect(records.list.index(row)).center());
    }
    // Waits until the preview has shown the picture asked for last, or found it bad.
    static bool previewed(PreviewImage* preview) {
        return QTest::qWaitFor([&] { return !preview->decoding(); }, 15000);
    }
    void menu(QAction* action, int row) {
        choice = action;
        click(row, Qt::RightButton);
    }
    QListView* list = nullptr;
    ListActions* actions = nullptr;
    QAction* choice = nullptr; // what the popup menu answers
    std::function<void(QPoint)> realPopup;
};

// The menu opens and the click returns; the command picked in it then acts.
TEST_F(ListActionsTest, TheMenuOpensWithoutWaitingAndItsPickActs) {
    setEntries({"./a.jpg", "./b.jpg"});
    click(1);
    actions->popupMenu = realPopup;
    click(0, Qt::RightButton);
    QMenu* menu = actions->Menudestro;
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
    EXPECT_TRUE(dialogs.questions.isEmpty());
    QTest::mouseClick(menu, Qt::LeftButton, {},
                      menu->actionGeometry(actions->menuCancellaFile).center());
    EXPECT_EQ(dialogs.questions, QStringList{"Sei sicuro di vole cancellare il file ./b.jpg ?"});
    EXPECT_EQ(records.list.entries(), QStringList{"./a.jpg"});
}

TEST_F(ListActionsTest, TheMenuActsOnTheSelectedEntryAndADoubleClickOpens) {
    setEntries({"./a.jpg", "./b.jpg", "./c.jpg"});
    click(0);
    dialogs.confirmAnswer = false;
    menu(actions->menuCancellaFile, 2);
    EXPECT_EQ(actions->selectedRow(), 0);
    dialogs.confirmAnswer = true;
    menu(actions->menuCancellaFile, 1);
    EXPECT_EQ(dialogs.questions, QStringList(2, "Sei sicuro di vole cancellare il file ./a.jpg ?"));
    EXPECT_EQ(records.list.entries(), QStringList({"./b.jpg", "./c.jpg"}));
    EXPECT_EQ(actions->selectedRow(), -1);

    click(1); // a double click's first press selects
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualRect(records.list.index(1)).center());
    EXPECT_EQ(launcher.commandLines, QStringList({app + "START " + app + "c.jpg"}));
}

TEST_F(ListActionsTest, ASelectionPreviewsFittedAndABadFileLeavesItEmpty) {
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(app + "largo.png", "PNG"));
    setEntries({"./largo.png", "./rotto.jpg"});
    PreviewImage* preview = extras().Image1;
    EXPECT_FALSE(preview->isVisible());

    click(0);
    ASSERT_TRUE(previewed(preview));
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->geometry(), QRect(24, 218, 240, 180));
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_FALSE(preview->isVisible());
    ASSERT_TRUE(previewed(preview));
    EXPECT_FALSE(preview->isVisible());
    EXPECT_TRUE(preview->pixmap().isNull());
    // A right click on another item leaves the preview alone.
    click(0);
    ASSERT_TRUE(previewed(preview));
    menu(nullptr, 1);
    EXPECT_TRUE(previewed(preview));
    EXPECT_TRUE(preview->isVisible());
}

// The preview decodes off the panel's thread: while its decoder stalls (the helper's test build
// asks about a huge picture, slowly, then sleeps), a click on another entry is answered at once,
// and the preview ends on that entry's picture, without waiting for the stalled one's bound.
TEST_F(ListActionsTest, AClickIsAnsweredWhileAStalledPreviewDecodesAndTheLastOneWins) {
    testfiles::write(app + "stallo.jpg", "STALL");
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(app + "verde.png", "PNG"));
    setEntries({"./stallo.jpg", "./verde.png"});
    PreviewImage* preview = extras().Image1;
    click(0);
    QTest::qWait(700);
    EXPECT_TRUE(preview->decoding());
    QElapsedTimer sinceClick;
    sinceClick.start();
    click(1);
    const qint64 answeredMs = sinceClick.elapsed();
    EXPECT_EQ(actions->selectedRow(), 1);
    EXPECT_LT(answeredMs, 200);
    ASSERT_TRUE(previewed(preview));
    EXPECT_LT(sinceClick.elapsed(), 2000);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->geometry(), QRect(24, 218, 240, 180));
    EXPECT_EQ(preview->pixmap().toImage().pixelColor(10, 10), QColor(Qt::darkGreen));
    std::printf("a click during a stalled preview was answered in %lld ms\n", answeredMs);
}

// The actions were made with the panel; they act in the folder it shows now.
TEST_F(ListActionsTest, TheActionsFollowTheFolderThePanelMovesTo) {
    const QString other = box.file(QStringLiteral("altra/"));
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(QDir().mkpath(other) && image.save(other + "verde.jpg", "JPEG"));
    testfiles::write(other + "via.jpg", "not a picture");
    ASSERT_TRUE(panel->catalogue().Dir1->setPath(other));
    ASSERT_EQ(records.settings.ShowFolder, other);
    ASSERT_EQ(records.list.entries(), QStringList({"./verde.jpg", "./via.jpg"}));

    click(0);
    ASSERT_TRUE(previewed(extras().Image1));
    EXPECT_TRUE(extras().Image1->isVisible());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualRect(records.list.index(0)).center());
    EXPECT_EQ(launcher.commandLines, QStringList({app + "START " + other + "verde.jpg"}));
    dialogs.confirmAnswer = true;
    click(1);
    menu(actions->menuCancellaFile, 1);
    EXPECT_FALSE(QFile::exists(other + "via.jpg"));
}
