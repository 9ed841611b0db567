// The panel as a screen reader and a keyboard user meet it.

#include "PanelFakes.h"

#include "controls/LinkLabel.h"
#include "panel/PanelDecorations.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>

namespace {

// What a screen reader says for a control: its name and the names of the captions that label it
// (Qt on Linux names a drop-down list by its value and leaves its caption to the label).
QStringList Spoken(QAccessibleInterface* control) {
    QStringList spoken{control->text(QAccessible::Name)};
    for (const auto& [label, relation] : control->relations(QAccessible::Label))
        spoken << label->text(QAccessible::Name);
    return spoken;
}

class Accessibility : public panelfakes::PanelTest {
protected:
    void SetUp() override {
        // The pictures beside the program, as the panel shows them.
        const QDir built(qEnvironmentVariable("QUIRELLO_APP_DIR"));
        for (const QString& picture : built.entryList({"*.png"}))
            QFile::copy(built.filePath(picture), app + picture);
        loadPanel();
    }
};

TEST_F(Accessibility, EveryControlIsNamedAsItsCaptionSaysWithItsRole) {
    using R = QAccessible::Role;
    const struct {
        const char* control;
        QString name;
        R role;
    } table[] = {
        {"cmdOK", "Play", R::Button},
        {"Command1", "Fine", R::Button},
        {"cmdSysInfo", "System Info...", R::Button},
        {"Command2", "Aiuto", R::Button},
        {"Command3", "Zafferon", R::Button},
        {"Command4", "Visualizza lista", R::Button},
        {"Text1", "Tempo di posa di una immagine, in secondi", R::EditableText},
        {"Combo1", "Effetto di transizione tra le foto", R::ComboBox},
        {"Combo2", "Posizione etichetta", R::ComboBox},
        {"Drive1", "Selezionare il drive", R::ComboBox},
        {"Check1", "Mp3/midi sottofondo", R::CheckBox},
        {"Check2", "Commenti audio", R::CheckBox},
        {"Check3", "Ingrandisci le foto", R::CheckBox},
        {"Check4", "A caso", R::CheckBox},
        {"Check5", "Cornice 3D foto", R::CheckBox},
        {"HScroll4", "Velocità cambio foto 0/100", R::ScrollBar},
        {"HScroll1", "Colore del bordo: rosso", R::ScrollBar},
        {"HScroll2", "Colore del bordo: verde", R::ScrollBar},
        {"HScroll3", "Colore del bordo: blu", R::ScrollBar},
        {"Picture2", "Colore del bordo, esempio", R::Graphic},
        {"Dir1", "Selezionare la cartella", R::List},
        {"List1", "Lista files", R::List},
        {"Image1", "Anteprima dell'immagine scelta", R::Graphic},
        {"Image2", "Bandiera italiana", R::Graphic},
        {"Image4", "Icona di Quirello", R::Graphic},
        {"Picture3", "Puntatore dei collegamenti", R::Graphic},
        {"Image3_3", "Acquista Zafferon, giochi e utilità", R::Link},
        {"Picture4", "Visita il sito dell'autore", R::Link},
        {"Label3", "Scrivi all'autore: autore@quirello.example", R::Link},
    };
    for (const auto& row : table) {
        auto* control = panel->findChild<QWidget*>(QString::fromLatin1(row.control));
        ASSERT_NE(control, nullptr) << row.control;
        QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(seen, nullptr) << row.control;
        const QStringList spoken = Spoken(seen);
        EXPECT_TRUE(spoken.contains(row.name))
            << row.control << ": " << spoken.join(" | ").toStdString();
        EXPECT_EQ(seen->role(), row.role) << row.control;
    }
    EXPECT_TRUE(Spoken(QAccessible::queryAccessibleInterface(start.seconds))
                    .contains("Tempo di posa di una immagine:"))
        << "a caption labels its control";
}

TEST_F(Accessibility, TabReachesTheLinksAfterTheSettingsAndEnterOrSpaceOpensThem) {
    panel->show();
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    EXPECT_EQ(QApplication::focusWidget(), start.play) << "the panel opens on \"&Play\"";
    const PanelDecorations& d = *extras().decorations;
    choices.enlarge->setFocus(Qt::TabFocusReason); // the last setting in the tab order
    const QString site = app + "start https://www.quirello.example/";
    const QString buy = app + "start https://www.quirello.example/acquistaZafferon.asp";
    const struct {
        LinkLabel* link;
        Qt::Key key;
        QString commandLine;
    } links[] = {
        {d.Picture4, Qt::Key_Return, site},
        {d.Image3[3], Qt::Key_Space, buy},
        {d.Label3, Qt::Key_Enter, "start mailto:autore@quirello.example"},
    };
    for (const auto& [link, key, commandLine] : links) {
        const QImage plain = link->grab().toImage();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), link) << commandLine.toStdString();
        EXPECT_NE(link->grab().toImage().copy(0, 0, 3, plain.height()),
                  plain.copy(0, 0, 3, plain.height()))
            << "a visible focus mark";
        launcher.clear();
        QTest::keyClick(link, key);
        EXPECT_EQ(launcher.commandLines, QStringList{commandLine});
    }
    // A screen reader's press opens the link as a click does.
    launcher.clear();
    QAccessible::queryAccessibleInterface(d.Picture4)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(launcher.commandLines, QStringList{site});
}

// What a reader finds is what is on screen: the banner's three frames, which only hold its
// pictures, are hidden; every control it is shown lies inside the panel.
TEST_F(Accessibility, AReaderFindsOnlyWhatIsInView) {
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(panel.get());
    QStringList shown;
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface* child = window->child(i);
        if (child->state().invisible)
            continue;
        const QString name = child->object()->objectName();
        shown << name;
        EXPECT_TRUE(window->rect().contains(child->rect())) << name.toStdString();
    }
    for (const char* frame : {"Image3_0", "Image3_1", "Image3_2"})
        EXPECT_FALSE(shown.contains(frame)) << frame;
    EXPECT_TRUE(shown.contains("Image3_3"));
}

// The hints a sighted user gets from the tooltips reach a reader as descriptions, the lists' too
// (Qt reads a list's description, never its tooltip); the text fields inside the two lists one
// can type into carry their list's name; the folder list tells each folder's depth and whether
// it is open, as its indents and icons show.
TEST_F(Accessibility, TooltipsDescribeFieldsAreNamedAndFoldersTellTheirLevel) {
    for (QWidget* control : panel->findChildren<QWidget*>()) {
        if (control->toolTip().isEmpty() || control->isHidden())
            continue;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Description),
                  control->toolTip())
            << control->objectName().toStdString();
    }
    for (const char* list : {"Combo1", "Combo2"}) {
        auto* combo = panel->findChild<QComboBox*>(QString::fromLatin1(list));
        QAccessibleInterface* field = QAccessible::queryAccessibleInterface(combo->lineEdit());
        ASSERT_NE(field, nullptr) << list;
        EXPECT_EQ(field->role(), QAccessible::EditableText) << list;
        EXPECT_EQ(field->text(QAccessible::Name), combo->accessibleName()) << list;
        EXPECT_FALSE(field->text(QAccessible::Name).isEmpty()) << list;
    }

    // The application folder's path from the root down, then its child folder.
    QDir(app).mkdir("Estate");
    DirListBox* folders = panel->catalogue().Dir1;
    folders->refresh();
    const QStringList parts = QDir::cleanPath(app).split('/', Qt::SkipEmptyParts);
    QAccessibleTableInterface* table =
        QAccessible::queryAccessibleInterface(folders)->tableInterface();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), parts.size() + 2);
    const auto spoken = [&](int row) {
        QAccessibleInterface* cell = table->cellAt(row, 0);
        return cell->text(QAccessible::Name) + " | " + cell->text(QAccessible::Description);
    };
    EXPECT_EQ(spoken(0), "/ | Cartella aperta, livello 1");
    EXPECT_EQ(spoken(int(parts.size())),
              parts.last() +
                  QStringLiteral(" | Cartella aperta, livello %1").arg(parts.size() + 1));
    EXPECT_EQ(spoken(int(parts.size()) + 1),
              QStringLiteral("Estate | Cartella chiusa, livello %1").arg(parts.size() + 2));
}

// Every stop of the tab order shows where the focus is: the region round the control changes
// clearly, by at least a line along two of its sides, when the focus comes to it (for the lists,
// their current row). The scroll bars and the colour sample had no mark of their own.
TEST_F(Accessibility, EveryTabStopShowsTheFocus) {
    testfiles::write(app + "a.jpg", "x");
    testfiles::write(app + "b.jpg", "x");
    panel->catalogue().Command4_Click();
    panel->show();
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    const auto strongChanges = [](const QImage& a, const QImage& b) {
        int changed = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
                if (std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                              std::abs(p.blue() - q.blue())}) > 80)
                    ++changed;
            }
        return changed;
    };
    QStringList seen;
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    // As for a user: the styles mark the focus once the keyboard has moved it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* first = QApplication::focusWidget();
    QWidget* control = first;
    do {
        const QRect around =
            QRect(control->mapTo(panel.get(), QPoint()), control->size()).adjusted(-3, -3, 3, 3);
        const QImage focused = panel->grab(around).toImage();
        QTest::keyClick(control, Qt::Key_Tab);
        QWidget* next = QApplication::focusWidget();
        ASSERT_NE(next, control) << control->objectName().toStdString();
        QApplication::processEvents();
        const QImage unfocused = panel->grab(around).toImage();
        const int changed = strongChanges(focused, unfocused);
        EXPECT_GE(changed, std::min(control->width(), control->height()) + 8)
            << control->objectName().toStdString();
        seen << control->objectName();
        control = next;
    } while (control != first && seen.size() < 60);
    for (const char* stop : {"HScroll1", "HScroll2", "HScroll3", "HScroll4", "Picture2", "Dir1",
                             "List1", "Text1", "Combo1", "Check4"})
        EXPECT_TRUE(seen.contains(stop)) << stop;
}

// A desktop with a dark theme, set before the panel is built.
class DarkDesktop : public panelfakes::PanelTest {
protected:
    void SetUp() override {
        desktop = QApplication::palette();
        QPalette dark(QColor(45, 45, 45), QColor(30, 30, 30));
        QApplication::setPalette(dark);
        loadPanel();
    }
    void TearDown() override { QApplication::setPalette(desktop); }
    QPalette desktop;
};

} // namespace

TEST_F(DarkDesktop, ThePanelKeepsItsLightColoursAndItsDialogsTheDesktops) {
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    const QImage shot = panel->grab().toImage();
    EXPECT_GT(shot.pixelColor(10, 440).lightness(), 200) << "the panel's face";
    // Dark text on a light face: the blue link too (qGray weighs blue least).
    const int face = qGray(panel->palette().color(QPalette::Window).rgb());
    for (const char* name : {"Label3", "Label9", "Label12", "Label1", "lblDescription", "Check1"}) {
        auto* control = panel->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_GE(face - qGray(control->palette().color(control->foregroundRole()).rgb()), 150)
            << name;
    }
    const QPalette field = start.seconds->palette();
    EXPECT_GE(qGray(field.color(QPalette::Base).rgb()) - qGray(field.color(QPalette::Text).rgb()),
              200);
    QWidget dialog(panel.get(), Qt::Dialog);
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(30, 30, 30));
}
