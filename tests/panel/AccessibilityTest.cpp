// The panel as a screen reader and a keyboard user meet it.

#include "PanelFakes.h"

#include "panel/LinkLabel.h"
#include "panel/PanelDecorations.h"

#include <QAccessible>

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
        {"Image3_0", "Fotogramma 1 del banner", R::Link},
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
