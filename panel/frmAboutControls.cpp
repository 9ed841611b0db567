// The settings controls in the frame Frame1, at their design places.
#include "controls/AutoSizeLabel.h"
#include "controls/ColourSample.h"
#include "controls/DirListBox.h"
#include "controls/DriveListBox.h"
#include "controls/EditableList.h"
#include "controls/FocusMark.h"
#include "controls/SecondsField.h"
#include "core/Twips.h"
#include "panel/CatalogueControls.h"
#include "panel/frmAbout.h"
#include "panel/PanelLook.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>

namespace {

// A control of `parent` named by its design name, at its design place (in twips).
template <typename Control> Control* Place(Control* control, const char* name, QRect twips) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twips);
    return control;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect twips,
                  const QString& tooltip = {}) {
    auto* label = Place(new QLabel(text, parent), name, twips);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!tooltip.isEmpty())
        label->setToolTip(tooltip);
    return label;
}

// A label whose text the program changes: it grows with its text from its design place.
AutoSizeLabel* MakeAutoLabel(QWidget* parent, const char* name, const QString& text, QRect twips,
                             const QString& tooltip = {}) {
    auto* label = new AutoSizeLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setPlace(twips);
    if (!tooltip.isEmpty())
        label->setToolTip(tooltip);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect twips,
                        const QString& tooltip) {
    auto* button = Place(new QPushButton(text, parent), name, twips);
    button->setToolTip(tooltip);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& text, QRect twips,
                     const QString& tooltip) {
    auto* check = Place(new QCheckBox(text, parent), name, twips);
    check->setToolTip(tooltip);
    check->setChecked(true);
    return check;
}

QScrollBar* MakeBar(QWidget* parent, const char* name, QRect twips, int maximum, int value,
                    int pageStep) {
    auto* bar = Place(new FocusScrollBar(Qt::Horizontal, parent), name, twips);
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(pageStep);
    bar->setValue(value);
    // The handling runs on completed changes only: arrow, page, thumb released.
    bar->setTracking(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

EditableList* MakeList(QWidget* parent, const char* name, QRect twips, const QString& tooltip) {
    auto* list = Place(new EditableList(parent), name, twips);
    list->setToolTip(tooltip);
    list->setEditText(QStringLiteral("Combo1"));
    return list;
}

} // namespace

void frmAbout::createButtons(QWidget* f) {
    cmdOK = MakeButton(f, "cmdOK", QStringLiteral("&Play"), FromTwips(210, 720, 2895, 375),
                       QStringLiteral("Fa partire lo screen show"));
    Command1 = MakeButton(f, "Command1", QStringLiteral("&Fine"), FromTwips(3180, 720, 615, 375),
                          QStringLiteral("Uscita"));
    cmdSysInfo = MakeButton(f, "cmdSysInfo", QStringLiteral("&System Info..."),
                            FromTwips(180, 1200, 1215, 375), QStringLiteral("Info sul sistema"));
    setTabIndex(cmdOK, 0);
    setTabIndex(Command1, 1);
    setTabIndex(cmdSysInfo, 2);
}

void frmAbout::createSecondsControls(QWidget* f) {
    Label1 = MakeLabel(f, "Label1", QStringLiteral("Tempo di posa di una immagine:"),
                       FromTwips(180, 360, 2295, 255));
    Text1 = Place(new SecondsField(f), "Text1", FromTwips(2580, 315, 495, 300));
    Text1->setFont(SecondsFont());
    Text1->setText(QStringLiteral("5"));
    Label2 = MakeLabel(f, "Label2", QStringLiteral("secondi"), FromTwips(3180, 360, 615, 255));
    setTabIndex(Text1, 16);
}

void frmAbout::createChoiceControls(QWidget* f) {
    Label13 = MakeLabel(f, "Label13", QStringLiteral("Effetto di transizione tra le foto"),
                        FromTwips(180, 1680, 2235, 255));
    Combo1 = MakeList(f, "Combo1", FromTwips(180, 1920, 2295, 315),
                      QStringLiteral("Tipo di effetto tra una foto e l'altra"));
    Label16 = MakeLabel(f, "Label16", QStringLiteral("Posizione etichetta"),
                        FromTwips(2520, 1680, 1395, 255));
    Combo2 = MakeList(f, "Combo2", FromTwips(2520, 1920, 1275, 315),
                      QStringLiteral("Posizione dell'etichetta nome file"));

    Check1 = MakeCheck(
        f, "Check1", QStringLiteral("&Mp3/midi sottofondo"), FromTwips(180, 2280, 1815, 375),
        QStringLiteral("Suona/Non suona il file midi/MP3 che trova nella cartella."));
    Check5 =
        MakeCheck(f, "Check5", QStringLiteral("Cornice 3&D foto"), FromTwips(2250, 2280, 1455, 375),
                  QStringLiteral("Abilita/Disabilita cornice 3D delle foto"));
    Check2 =
        MakeCheck(f, "Check2", QStringLiteral("C&ommenti audio"), FromTwips(180, 2520, 1455, 375),
                  QStringLiteral("Abilita/Disabilita i commenti sonori."));
    Check3 = MakeCheck(f, "Check3", QStringLiteral("Ingrandisci le foto"),
                       FromTwips(2250, 2520, 1665, 375),
                       QStringLiteral("Ingrandisce le immagini piccole a tutto schermo."));
    setTabIndex(Combo1, 5);
    setTabIndex(Combo2, 6);
    setTabIndex(Check5, 7);
    setTabIndex(Check1, 40);
    setTabIndex(Check2, 41);
    setTabIndex(Check3, 48);
}

void frmAbout::createSpeedControls(QWidget* f) {
    Label20 = MakeLabel(f, "Label20", QStringLiteral("Velocità cambio foto 0/100"),
                        FromTwips(210, 2910, 2115, 255));
    HScroll4 = MakeBar(f, "HScroll4", FromTwips(2190, 2850, 1185, 285), 100, 1, 10);
    // Until the bar's first change the label keeps its design text.
    Label21 = MakeAutoLabel(f, "Label21", QStringLiteral("100"), FromTwips(3480, 2880, 285, 225));
    setTabIndex(HScroll4, 43);
}

void frmAbout::createColourControls(QWidget* f) {
    Label6 =
        MakeLabel(f, "Label6", QStringLiteral("Colore del bordo"), FromTwips(2940, 3240, 855, 615));
    Label6->setWordWrap(true);

    Label7 = MakeLabel(f, "Label7", QStringLiteral("R"), FromTwips(180, 3240, 135, 255),
                       QStringLiteral("Colore Rosso di RGB"));
    HScroll1 = MakeBar(f, "HScroll1", FromTwips(420, 3240, 1095, 255), 255, 0, 16);
    Label10 = MakeAutoLabel(f, "Label10", QStringLiteral("R"), FromTwips(1770, 3240, 105, 195),
                            QStringLiteral("Valore RGB Rosso"));
    Label8 = MakeLabel(f, "Label8", QStringLiteral("G"), FromTwips(180, 3540, 135, 255),
                       QStringLiteral("Colore verde di RGB"));
    HScroll2 = MakeBar(f, "HScroll2", FromTwips(420, 3540, 1095, 255), 255, 0, 16);
    Label11 = MakeAutoLabel(f, "Label11", QStringLiteral("G"), FromTwips(1770, 3540, 105, 195),
                            QStringLiteral("Valore RGB Verde"));
    Label9 = MakeLabel(f, "Label9", QStringLiteral("B"), FromTwips(180, 3840, 135, 255),
                       QStringLiteral("Colore blu di RGB"));
    HScroll3 = MakeBar(f, "HScroll3", FromTwips(420, 3840, 1095, 255), 255, 0, 16);
    Label12 = MakeAutoLabel(f, "Label12", QStringLiteral("B"), FromTwips(1785, 3840, 90, 195),
                            QStringLiteral("Valore RGB Blu"));
    SetTextColour(Label7, RedText);
    SetTextColour(Label10, RedText);
    SetTextColour(Label8, GreenText);
    SetTextColour(Label11, GreenText);
    SetTextColour(Label9, DarkBlueText);
    SetTextColour(Label12, BlueText);

    Picture2 = Place(new ColourSample(f), "Picture2", FromTwips(1980, 3240, 855, 855));
    Picture2->setToolTip(QStringLiteral("Riquadro di esempio sfondo"));
    Picture2->setFocusPolicy(Qt::TabFocus);
    Check4 = MakeCheck(f, "Check4", QStringLiteral("A caso"), FromTwips(2940, 3840, 855, 255),
                       QStringLiteral("Se cliccato colore sfondo casuale."));
    setTabIndex(HScroll1, 8);
    setTabIndex(HScroll2, 9);
    setTabIndex(HScroll3, 10);
    setTabIndex(Check4, 11);
    setTabIndex(Picture2, 31);
}

void frmAbout::nameControls() {
    // Qt names a control in a group box after the box's title ("Quirello") unless told
    // otherwise: each gets its caption's words, and the caption points to it.
    const CatalogueControls& c = *catalogue_;
    const struct {
        QWidget* control;
        QLabel* caption;
        QString name;
    } named[] = {
        {Text1, Label1, QStringLiteral("Tempo di posa di una immagine, in secondi")},
        {Combo1, Label13, Label13->text()},
        {Combo2, Label16, Label16->text()},
        {HScroll4, Label20, Label20->text()},
        {HScroll1, Label7, QStringLiteral("Colore del bordo: rosso")},
        {HScroll2, Label8, QStringLiteral("Colore del bordo: verde")},
        {HScroll3, Label9, QStringLiteral("Colore del bordo: blu")},
        {Picture2, Label6, QStringLiteral("Colore del bordo, esempio")},
        {c.Dir1, c.Label14, c.Label14->text()},
        {c.Drive1, c.Label15, c.Label15->text()},
        {c.List1, nullptr, QStringLiteral("Lista files")}, // the count beside it is no caption
    };
    for (const auto& [control, caption, name] : named) {
        control->setAccessibleName(name);
        if (caption)
            caption->setBuddy(control);
    }
    // The text field inside each list is announced on its own when it takes the focus.
    for (EditableList* list : {Combo1, Combo2})
        list->lineEdit()->setAccessibleName(list->accessibleName());
}
