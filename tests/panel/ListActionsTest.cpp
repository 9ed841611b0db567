// What the file list adds to the file actions (tested with the catalogue): the menu acts on the
// selected entry, not on the right-clicked one, a double click opens, a selection previews.
#include "panel/ListActions.h"
#include "catalogue/FileActions.h"
#include "panel/PointerManager.h"
#include "panel/PreviewImage.h"
#include "support/Fakes.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QImage>
#include <QListView>
#include <QTest>

namespace {

struct Panel {
    testfiles::Sandbox box;
    QString appFolder = QStringLiteral("/opt/quirello/");
    QString showFolder = box.path() + u'/';
    QWidget form;
    PictureList list;
    QListView* List1 = new QListView(&form);
    testfiles::TestDecoder pictures;
    PreviewImage* Image1 = new PreviewImage(pictures, &form);
    fakes::RecordingLauncher launcher;
    fakes::ScriptedDialogs dialogs;
    DiskFileOperations disk;
    FileActions actions{appFolder, showFolder, list, launcher, dialogs, disk};
    PointerManager pointer;
    std::unique_ptr<ListActions> listActions;
    QAction* choice = nullptr; // what the popup menu answers

    explicit Panel(const QStringList& entries) {
        form.resize(634, 457);
        List1->setGeometry(24, 100, 280, 110);
        List1->setModel(&list);
        List1->setSelectionMode(QAbstractItemView::SingleSelection);
        listActions = std::make_unique<ListActions>(List1, Image1, actions, showFolder, pointer);
        listActions->popupMenu = [this](QPoint) { return choice; };
        for (const QString& e : entries)
            testfiles::write(showFolder + e, "not a picture");
        list.setEntries(entries);
        form.show();
    }
    ~Panel() { pointer.setPointer(PointerManager::Pointer::Default); }

    void click(int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(List1->viewport(), button, {},
                          List1->visualRect(list.index(row)).center());
    }
    void menu(QAction* action, int row) {
        choice = action;
        click(row, Qt::RightButton);
    }
};

TEST(ListActions, TheMenuActsOnTheSelectedEntryAndADoubleClickOpens) {
    Panel panel({"./a.jpg", "./b.jpg", "./c.jpg"});
    ListActions& l = *panel.listActions;
    panel.click(0);
    panel.dialogs.confirmAnswer = false;
    panel.menu(l.menuCancellaFile, 2);
    EXPECT_EQ(l.selectedRow(), 0);
    panel.dialogs.confirmAnswer = true;
    panel.menu(l.menuCancellaFile, 1);
    EXPECT_EQ(panel.dialogs.questions,
              QStringList({"Sei sicuro di vole cancellare il file ./a.jpg ?",
                           "Sei sicuro di vole cancellare il file ./a.jpg ?"}));
    EXPECT_EQ(panel.list.entries(), QStringList({"./b.jpg", "./c.jpg"}));
    EXPECT_EQ(l.selectedRow(), -1);

    panel.click(1); // a double click's first press selects
    QTest::mouseDClick(panel.List1->viewport(), Qt::LeftButton, {},
                       panel.List1->visualRect(panel.list.index(1)).center());
    EXPECT_EQ(panel.launcher.commandLines(),
              QStringList({"/opt/quirello/START " + panel.showFolder + "c.jpg"}));
}

TEST(ListActions, ASelectionPreviewsFittedAndABadFileLeavesItEmpty) {
    Panel panel({"./rotto.jpg"});
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(panel.showFolder + "largo.png", "PNG"));
    panel.list.setEntries({"./largo.png", "./rotto.jpg"});
    EXPECT_FALSE(panel.Image1->isVisible());

    panel.click(0);
    EXPECT_TRUE(panel.Image1->isVisible());
    EXPECT_EQ(panel.Image1->geometry(), QRect(24, 218, 240, 180));
    QTest::keyClick(panel.List1, Qt::Key_End);
    EXPECT_FALSE(panel.Image1->isVisible());
    EXPECT_TRUE(panel.Image1->pixmap().isNull());
    // A right click on another item leaves the preview alone.
    panel.click(0);
    panel.menu(nullptr, 1);
    EXPECT_TRUE(panel.Image1->isVisible());
}

} // namespace
