#include "panel/ListActions.h"
#include "catalogue/FileActions.h"
#include "panel/PointerManager.h"
#include "panel/PreviewImage.h"
#include "support/Fakes.h"
#include "support/TestDecoder.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
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
            if (!QFileInfo::exists(showFolder + e))
                testfiles::write(showFolder + e, "not a picture");
        list.setEntries(entries);
        form.show();
    }
    ~Panel() { pointer.setPointer(PointerManager::Pointer::Default); }

    void click(int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(List1->viewport(), button, {},
                          List1->visualRect(list.index(row)).center());
    }
    void doubleClick(int row) {
        click(row); // a double click's first press selects
        QTest::mouseDClick(List1->viewport(), Qt::LeftButton, {},
                           List1->visualRect(list.index(row)).center());
    }
    void menu(QAction* action, int row) {
        choice = action;
        click(row, Qt::RightButton);
    }
};

TEST(ListActionsMenu, TheMenuActsOnTheSelectedEntryNotTheRightClickedOne) {
    Panel panel({"./a.jpg", "./b.jpg", "./c.jpg"});
    ListActions& l = *panel.listActions;
    panel.click(0);
    panel.dialogs.confirmAnswer = false;
    panel.menu(l.menuCancellaFile, 2);
    EXPECT_EQ(l.selectedRow(), 0);
    EXPECT_EQ(panel.dialogs.questions,
              QStringList({"Sei sicuro di vole cancellare il file ./a.jpg ?"}));

    panel.dialogs.confirmAnswer = true;
    panel.menu(l.menuCancellaFile, 1);
    EXPECT_EQ(panel.list.entries(), QStringList({"./b.jpg", "./c.jpg"}));
    EXPECT_FALSE(QFileInfo::exists(panel.showFolder + "a.jpg"));
    EXPECT_EQ(l.selectedRow(), -1);
    // With nothing selected, delete and rename do nothing.
    panel.menu(l.menuCancellaFile, 0);
    panel.menu(l.MenuRinomina, 0);
    EXPECT_EQ(panel.dialogs.questions.size(), 2);
    EXPECT_TRUE(panel.dialogs.inputs.empty());

    panel.doubleClick(1);
    EXPECT_EQ(panel.launcher.commandLines(),
              QStringList({"/opt/quirello/START " + panel.showFolder + "c.jpg"}));
    // A launcher that cannot start: the menu says so with the rename error message, the
    // double click stays silent.
    panel.launcher.starts = false;
    panel.menu(l.Menuaprifile, 0);
    panel.doubleClick(1);
    EXPECT_EQ(panel.launcher.runs.size(), 3u);
    EXPECT_EQ(panel.dialogs.messages, QStringList({fileactions::RenameError}));
}

TEST(ListActionsMenu, AFileThatCannotBeDeletedStaysListedAndSelected) {
    Panel panel({"./a.jpg"});
    ASSERT_TRUE(QDir(panel.showFolder).mkpath("cartella.jpg/dentro"));
    panel.list.setEntries({"./a.jpg", "./cartella.jpg"});
    panel.click(1);
    panel.menu(panel.listActions->menuCancellaFile, 0);
    ASSERT_EQ(panel.dialogs.messages.size(), 1);
    EXPECT_TRUE(panel.dialogs.messages[0].startsWith(
        "Non è possibile cancellare il file ./cartella.jpg controllare"));
    EXPECT_EQ(panel.list.entries(), QStringList({"./a.jpg", "./cartella.jpg"}));
    EXPECT_EQ(panel.listActions->selectedRow(), 1);
}

TEST(ListActionsPreview, ASelectionPreviewsFittedAndABadFileLeavesItEmpty) {
    Panel panel({});
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    ASSERT_TRUE(image.save(panel.showFolder + "largo.png", "PNG"));
    panel.list.setEntries({"./largo.png", "./rotto.jpg"});
    testfiles::write(panel.showFolder + "rotto.jpg", "not a picture");
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
