// The panel made larger than its design: the two lists take the room, every other control keeps
// its size and its place among the others; and the panel as drawn at each scale.
#include "PanelFakes.h"

#include <QBackingStore>
#include <QMap>

namespace {

class PanelSize : public panelfakes::PanelTest {
protected:
    void SetUp() override {
        // The pictures beside the program and a folder of pictures, as the panel shows them.
        const QDir built(qEnvironmentVariable("QUIRELLO_APP_DIR"));
        for (const QString& picture : built.entryList({"*.png"}))
            QFile::copy(built.filePath(picture), app + picture);
        for (int i = 1; i <= 12; ++i)
            testfiles::write(app + QStringLiteral("Foto/foto_con_un_nome_lungo_%1.jpg").arg(i));
        QDir(app + "Foto").mkdir("Estate");
        loadPanel(app + "Foto");
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }
    // Every control placed on the panel itself (those in the settings frame move with it).
    QMap<QString, QRect> places() const {
        QMap<QString, QRect> all;
        for (QWidget* control : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!control->isHidden() && !control->objectName().isEmpty())
                all[control->objectName()] = control->geometry();
        return all;
    }
    // What reached the window system, in device pixels.
    QImage onScreen() const {
        const auto* image = dynamic_cast<const QImage*>(panel->backingStore()->paintDevice());
        return image ? image->copy() : QImage();
    }
    // Keeps a picture of the panel in the build's screenshots, for a person to look at.
    void keep(const QString& name) const {
        const QString folder = qEnvironmentVariable("QUIRELLO_APP_DIR") + "/../screenshots/";
        QDir().mkpath(folder);
        onScreen().save(
            folder + QStringLiteral("panel-%1-%2.png").arg(panel->devicePixelRatioF()).arg(name));
    }
};

bool Overlap(const QRect& a, const QRect& b) {
    return a.intersects(b);
}

} // namespace

TEST_F(PanelSize, EnlargedTheListsTakeTheRoomAndTheOthersKeepTheirs) {
    const QSize design(634, 457);
    EXPECT_EQ(panel->minimumSize(), design);
    EXPECT_EQ(panel->size(), design);
    const QMap<QString, QRect> before = places();
    ASSERT_TRUE(before.contains("Dir1") && before.contains("List1"));

    panel->resize(design + QSize(300, 160));
    QApplication::processEvents();
    keep("larger");
    const QMap<QString, QRect> after = places();
    ASSERT_EQ(after.keys(), before.keys());
    EXPECT_EQ(after["Dir1"].size(), before["Dir1"].size() + QSize(150, 160));
    EXPECT_EQ(after["List1"].size(), before["List1"].size() + QSize(150, 160));
    EXPECT_EQ(after["List1"].topLeft(), before["List1"].topLeft() + QPoint(150, 0));
    // The file list shows more rows, whole names.
    const int rowHeight = panel->catalogue().List1->sizeHintForRow(0);
    EXPECT_GE(after["List1"].height() / rowHeight, 10);

    const QRect window = panel->rect();
    for (auto it = after.begin(); it != after.end(); ++it) {
        const QString& name = it.key();
        const std::string said = name.toStdString();
        // The separators reach across.
        if (!name.startsWith("Line1_") && name != "Dir1" && name != "List1") {
            EXPECT_EQ(it->size(), before[name].size()) << said;
        }
        EXPECT_TRUE(window.contains(*it)) << said;
        // No control comes to lie over one it was clear of (the e-mail link slides on its own).
        for (auto other = after.begin(); other != after.end(); ++other) {
            if (other != it && name != "Label3" && other.key() != "Label3" &&
                Overlap(*it, *other)) {
                EXPECT_TRUE(Overlap(before[name], before[other.key()]))
                    << said << " over " << other.key().toStdString();
            }
        }
    }
    // The top band stays where it is; what stood at the right edge stays at the right edge,
    // what stood at the bottom at the bottom.
    for (const char* top : {"Image4", "Picture4", "lblDescription", "Label14", "Dir1"})
        EXPECT_EQ(after[top].topLeft(), before[top].topLeft()) << top;
    for (const char* right : {"Frame1", "Image3_3"})
        EXPECT_EQ(window.right() - after[right].right(), design.width() - 1 - before[right].right())
            << right;
    for (const char* bottom : {"Image2", "lblTitle", "Label5", "Label18", "Line1_7"})
        EXPECT_EQ(window.bottom() - after[bottom].bottom(),
                  design.height() - 1 - before[bottom].bottom())
            << bottom;

    // The preview's box (empty until a picture is chosen) stays under the lists.
    const QWidget* preview = panel->findChild<QWidget*>("Image1");
    EXPECT_EQ(preview->pos(), QPoint(24, 218 + 160));

    // Back to the design size, everything is back at its design place; smaller it does not go.
    panel->resize(design);
    QApplication::processEvents();
    QMap<QString, QRect> again = places();
    again["Label3"].moveLeft(before["Label3"].left());
    EXPECT_EQ(again, before);
    panel->resize(design - QSize(100, 100));
    EXPECT_EQ(panel->size(), design);
}

// At one, one and a half and two device pixels to a logical one (the test runs at each): the
// folder list keeps its whole frame, its bottom line included, which the rows painted over at
// one and a half.
TEST_F(PanelSize, TheFolderListIsDrawnWholeAtEveryScale) {
    keep("design");
    const QImage shot = onScreen();
    const qreal ratio = shot.devicePixelRatio();
    const QRect list = panel->catalogue().Dir1->geometry();
    const QRect device(
        QPoint(qRound(list.left() * ratio), qRound(list.top() * ratio)),
        QPoint(qRound((list.right() + 1) * ratio) - 1, qRound((list.bottom() + 1) * ratio) - 1));
    // A row of the frame: grey all along its inside (the rows are white, the panel lighter).
    const auto frameRow = [&](int y) {
        int grey = 0;
        for (int x = device.left() + 3; x <= device.right() - 3; ++x)
            grey += qGray(shot.pixel(x, y)) < 215;
        return grey > (device.width() - 6) * 9 / 10;
    };
    bool bottom = false, top = false;
    for (int y = device.bottom() - 2; y <= device.bottom(); ++y)
        bottom = bottom || frameRow(y);
    for (int y = device.top(); y <= device.top() + 2; ++y)
        top = top || frameRow(y);
    EXPECT_TRUE(top) << "scale " << ratio;
    EXPECT_TRUE(bottom) << "scale " << ratio;
}
