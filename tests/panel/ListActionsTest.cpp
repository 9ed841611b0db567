#include "panel/ListActions.h"
#include "catalogue/FileActions.h"
#include "panel/PointerManager.h"
#include "panel/PreviewImage.h"
#include "support/LinkAndDialogFakes.h"
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
    PreviewImage* Image1 = new PreviewImage(&form);
    fakes::RecordingLauncher launcher;
    fakes::ScriptedDialogs dialogs;
    DiskFileOperations disk;
    FileActions actions{appFolder, showFolder, list, launcher, dialogs, disk};
    PointerManager pointer;
    std::unique_ptr<ListActions> listActions;
    QAction* choice = nullptr; // what the popup menu answers
    QStringList menuShown;

    Panel() {
        form.resize(634, 457);
        List1->setGeometry(24, 100, 280, 110);
        List1->setModel(&list);
        List1->setSelectionMode(QAbstractItemView::SingleSelection);
        listActions = std::make_unique<ListActions>(List1, Image1, actions, showFolder, pointer);
        listActions->popupMenu = [this](QPoint) {
            menuShown.append(List1->currentIndex().data().toString());
            return choice;
        };
    }
    ~Panel() { pointer.setPointer(PointerManager::Pointer::Default); }

    void picture(const QString& entry, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QDir().mkpath(QFileInfo(showFolder + entry).path());
        ASSERT_TRUE(image.save(showFolder + entry, "PNG"));
    }
    void fill(const QStringList& entries) {
        for (const QString& e : entries)
            if (!QFileInfo::exists(showFolder + e))
                testfiles::write(showFolder + e, "not a picture");
        list.setEntries(entries);
    }
    QPoint rowCentre(int row) const { return List1->visualRect(list.index(row)).center(); }
    void click(int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(List1->viewport(), button, {}, rowCentre(row));
    }
};

} // namespace

TEST(ListActionsMenu, RightClickKeepsTheSelectionAndDeleteAsksAboutTheSelectedEntry) {
    Panel panel;
    panel.fill({"./a.jpg", "./b.jpg", "./c.jpg"});
    panel.form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel.form));
    panel.click(0);
    ASSERT_EQ(panel.listActions->selectedRow(), 0);

    panel.dialogs.confirmAnswer = false;
    panel.choice = panel.listActions->menuCancellaFile;
    panel.click(2, Qt::RightButton);
    EXPECT_EQ(panel.menuShown, QStringList({"./a.jpg"}));
    EXPECT_EQ(panel.listActions->selectedRow(), 0);
    EXPECT_EQ(panel.dialogs.questions,
              QStringList({"Sei sicuro di vole cancellare il file ./a.jpg ?"}));

    // Confirmed: the file and its item go, and nothing is selected any more.
    panel.dialogs.confirmAnswer = true;
    panel.click(1, Qt::RightButton);
    EXPECT_EQ(panel.list.entries(), QStringList({"./b.jpg", "./c.jpg"}));
    EXPECT_FALSE(QFileInfo::exists(panel.showFolder + "a.jpg"));
    EXPECT_EQ(panel.listActions->selectedRow(), -1);

    // With nothing selected the menu's delete and rename do nothing.
    panel.click(0, Qt::RightButton);
    panel.choice = panel.listActions->MenuRinomina;
    panel.click(0, Qt::RightButton);
    EXPECT_EQ(panel.dialogs.questions.size(), 2);
    EXPECT_TRUE(panel.dialogs.inputs.empty());
    EXPECT_EQ(panel.list.count(), 2);
}

TEST(ListActionsMenu, ItemOfAFileThatCannotBeDeletedStaysSelected) {
    Panel panel;
    ASSERT_TRUE(QDir(panel.showFolder).mkpath("cartella.jpg/dentro"));
    panel.fill({"./a.jpg", "./cartella.jpg"});
    panel.form.show();
    panel.click(1);
    panel.choice = panel.listActions->menuCancellaFile;
    panel.click(0, Qt::RightButton);
    EXPECT_EQ(panel.dialogs.messages.size(), 1);
    EXPECT_TRUE(panel.dialogs.messages.value(0).startsWith(
        "Non è possibile cancellare il file ./cartella.jpg controllare"));
    EXPECT_EQ(panel.list.entries(), QStringList({"./a.jpg", "./cartella.jpg"}));
    EXPECT_EQ(panel.listActions->selectedRow(), 1);
}

TEST(ListActionsMenu, RenameAndOpenActOnTheSelectedEntry) {
    Panel panel;
    panel.fill({"./a.jpg", "./b.jpg", "Estate/mare.jpg"});
    panel.form.show();
    panel.click(2);
    panel.dialogs.inputAnswer = "mare.jpg";
    panel.choice = panel.listActions->MenuRinomina;
    panel.click(0, Qt::RightButton);
    EXPECT_EQ(panel.list.entries(), QStringList({"./a.jpg", "./b.jpg", "mare.jpg"}));
    EXPECT_TRUE(QFileInfo::exists(panel.showFolder + "mare.jpg"));

    panel.choice = panel.listActions->Menuaprifile;
    panel.click(1, Qt::RightButton);
    EXPECT_EQ(panel.launcher.commandLines(),
              QStringList({"/opt/quirello/START " + panel.showFolder + "mare.jpg"}));
    EXPECT_TRUE(panel.dialogs.messages.isEmpty());

    // A launcher that cannot start: the menu says so with the rename error message, the
    // double click stays silent.
    panel.launcher.starts = false;
    panel.click(1, Qt::RightButton);
    EXPECT_EQ(panel.dialogs.messages, QStringList({fileactions::RenameError}));
    panel.click(1); // a double click's first press selects
    QTest::mouseDClick(panel.List1->viewport(), Qt::LeftButton, {}, panel.rowCentre(1));
    EXPECT_EQ(panel.launcher.commandLines().last(),
              "/opt/quirello/START " + panel.showFolder + "b.jpg");
    EXPECT_EQ(panel.dialogs.messages.size(), 1);

    // A dismissed menu does nothing.
    panel.choice = nullptr;
    panel.click(0, Qt::RightButton);
    EXPECT_EQ(panel.launcher.runs.size(), 3u);
}

TEST(ListActionsPreview, SelectionPreviewsFittedAtItsPlaceAndABadFileLeavesItEmpty) {
    Panel panel;
    panel.picture("./largo.png", {640, 480});
    panel.picture("Estate/icona.png", {32, 32});
    panel.fill({"./largo.png", "./rotto.jpg", "Estate/icona.png"});
    panel.form.show();
    EXPECT_FALSE(panel.Image1->isVisible()); // nothing at first

    struct Case {
        int row;
        QRect geometry; // empty: nothing shown
    };
    const Case cases[] = {
        {0, {24, 218, 240, 180}},
        {2, {24, 218, 180, 180}},
        {1, {}},
        {0, {24, 218, 240, 180}},
    };
    for (const Case& c : cases) {
        panel.click(c.row);
        if (c.geometry.isEmpty()) {
            EXPECT_FALSE(panel.Image1->isVisible()) << c.row;
            EXPECT_TRUE(panel.Image1->pixmap().isNull()) << c.row;
        } else {
            EXPECT_TRUE(panel.Image1->isVisible()) << c.row;
            EXPECT_EQ(panel.Image1->geometry(), c.geometry) << c.row;
        }
        EXPECT_EQ(panel.pointer.pointer(), PointerManager::Pointer::Arrow);
    }
    // The keyboard moves the selection, and the preview with it.
    QTest::keyClick(panel.List1, Qt::Key_End);
    EXPECT_EQ(panel.Image1->geometry(), QRect(24, 218, 180, 180));
    // A right click on another item leaves the preview alone.
    panel.choice = nullptr;
    panel.click(0, Qt::RightButton);
    EXPECT_EQ(panel.Image1->geometry(), QRect(24, 218, 180, 180));
}
