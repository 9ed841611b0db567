#include "panel/frmAbout.h"

#include "core/Twips.h"
#include "effects/TransitionEffect.h"
#include "panel/AutoSizeLabel.h"
#include "panel/CatalogueControls.h"
#include "panel/ColourSample.h"
#include "panel/DirListBox.h"
#include "panel/DriveListBox.h"
#include "panel/EditableList.h"
#include "panel/PanelLook.h"
#include "panel/SecondsField.h"
#include "startup/AppRecords.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>

namespace {

// The client area: 9510 x 6855 twips.
constexpr int ClientWidthTwips = 9510;
constexpr int ClientHeightTwips = 6855;

QLabel* MakeLabel(QWidget* parent, const QString& text, QRect twips, const QString& tooltip = {}) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(twips);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (!tooltip.isEmpty())
        label->setToolTip(tooltip);
    return label;
}

// A label whose text the program changes: it grows with its text from its design place.
AutoSizeLabel* MakeAutoLabel(QWidget* parent, const QString& text, QRect twips,
                             const QString& tooltip = {}) {
    auto* label = new AutoSizeLabel(text, parent);
    label->setPlace(twips);
    if (!tooltip.isEmpty())
        label->setToolTip(tooltip);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& text, QRect twips, const QString& tooltip) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(twips);
    button->setToolTip(tooltip);
    button->setAutoDefault(false);
    return button;
}

QCheckBox* MakeCheck(QWidget* parent, const QString& text, QRect twips, const QString& tooltip) {
    auto* check = new QCheckBox(text, parent);
    check->setGeometry(twips);
    check->setToolTip(tooltip);
    check->setChecked(true);
    return check;
}

QScrollBar* MakeBar(QWidget* parent, QRect twips, int maximum, int value, int pageStep) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setGeometry(twips);
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(pageStep);
    bar->setValue(value);
    // The handling runs on completed changes only: arrow, page, thumb released.
    bar->setTracking(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

} // namespace

frmAbout::frmAbout(AppRecords& records, PanelServices& services, QWidget* parent)
    : QWidget(parent), records_(records), services_(services) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Quirello"));
    setFont(PanelFont());
    const QRect client = FromTwips(0, 0, ClientWidthTwips, ClientHeightTwips);
    setFixedSize(client.size());
    createControls();
    connectSettingsControls();
    applyTabOrder();
    qApp->installEventFilter(this);
}

frmAbout::~frmAbout() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void frmAbout::createControls() {
    createSettingsControls();

    catalogue = std::make_unique<CatalogueControls>(this, records_, services_.dialogs);
    setTabIndex(catalogue->Dir1, 12);
    setTabIndex(catalogue->Drive1, 13);
    setTabIndex(catalogue->Command4, 14);
    setTabIndex(catalogue->List1, 15);

    // The title and the version, filled by the load.
    lblTitle = MakeAutoLabel(this, QString(), FromTwips(2820, 6075, 6240, 255));
    QFont titleFont = font();
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    Label5 = MakeAutoLabel(this, QString(), FromTwips(2820, 6375, 1800, 255));
}

void frmAbout::createSettingsControls() {
    Frame1 = new QGroupBox(QStringLiteral("Quirello"), this);
    Frame1->setGeometry(FromTwips(4980, 1230, 4095, 4335));
    QWidget* f = Frame1;

    cmdOK = MakeButton(f, QStringLiteral("&Play"), FromTwips(210, 720, 2895, 375),
                       QStringLiteral("Fa partire lo screen show"));
    Command1 = MakeButton(f, QStringLiteral("&Fine"), FromTwips(3180, 720, 615, 375),
                          QStringLiteral("Uscita"));
    cmdSysInfo = MakeButton(f, QStringLiteral("&System Info..."), FromTwips(180, 1200, 1215, 375),
                            QStringLiteral("Info sul sistema"));

    Label1 = MakeLabel(f, QStringLiteral("Tempo di posa di una immagine:"),
                       FromTwips(180, 360, 2295, 255));
    Text1 = new SecondsField(f);
    Text1->setGeometry(FromTwips(2580, 315, 495, 300));
    Text1->setFont(SecondsFont());
    Text1->setText(QStringLiteral("5"));
    Label2 = MakeLabel(f, QStringLiteral("secondi"), FromTwips(3180, 360, 615, 255));

    Label13 = MakeLabel(f, QStringLiteral("Effetto di transizione tra le foto"),
                        FromTwips(180, 1680, 2235, 255));
    Combo1 = new EditableList(f);
    Combo1->setGeometry(FromTwips(180, 1920, 2295, 315));
    Combo1->setToolTip(QStringLiteral("Tipo di effetto tra una foto e l'altra"));
    Combo1->setEditText(QStringLiteral("Combo1"));
    Label16 = MakeLabel(f, QStringLiteral("Posizione etichetta"), FromTwips(2520, 1680, 1395, 255));
    Combo2 = new EditableList(f);
    Combo2->setGeometry(FromTwips(2520, 1920, 1275, 315));
    Combo2->setToolTip(QStringLiteral("Posizione dell'etichetta nome file"));
    Combo2->setEditText(QStringLiteral("Combo1"));

    Check1 =
        MakeCheck(f, QStringLiteral("&Mp3/midi sottofondo"), FromTwips(180, 2280, 1815, 375),
                  QStringLiteral("Suona/Non suona il file midi/MP3 che trova nella cartella."));
    Check5 = MakeCheck(f, QStringLiteral("Cornice 3&D foto"), FromTwips(2250, 2280, 1455, 375),
                       QStringLiteral("Abilita/Disabilita cornice 3D delle foto"));
    Check2 = MakeCheck(f, QStringLiteral("C&ommenti audio"), FromTwips(180, 2520, 1455, 375),
                       QStringLiteral("Abilita/Disabilita i commenti sonori."));
    Check3 = MakeCheck(f, QStringLiteral("Ingrandisci le foto"), FromTwips(2250, 2520, 1665, 375),
                       QStringLiteral("Ingrandisce le immagini piccole a tutto schermo."));

    Label20 =
        MakeLabel(f, QStringLiteral("Velocità cambio foto 0/100"), FromTwips(210, 2910, 2115, 255));
    HScroll4 = MakeBar(f, FromTwips(2190, 2850, 1185, 285), 100, 1, 10);
    // Until the bar's first change the label keeps its design text.
    Label21 = MakeAutoLabel(f, QStringLiteral("100"), FromTwips(3480, 2880, 285, 225));

    Label6 = MakeLabel(f, QStringLiteral("Colore del bordo"), FromTwips(2940, 3240, 855, 615));
    Label6->setWordWrap(true);

    Label7 = MakeLabel(f, QStringLiteral("R"), FromTwips(180, 3240, 135, 255),
                       QStringLiteral("Colore Rosso di RGB"));
    HScroll1 = MakeBar(f, FromTwips(420, 3240, 1095, 255), 255, 0, 16);
    Label10 = MakeAutoLabel(f, QStringLiteral("R"), FromTwips(1770, 3240, 105, 195),
                            QStringLiteral("Valore RGB Rosso"));
    Label8 = MakeLabel(f, QStringLiteral("G"), FromTwips(180, 3540, 135, 255),
                       QStringLiteral("Colore verde di RGB"));
    HScroll2 = MakeBar(f, FromTwips(420, 3540, 1095, 255), 255, 0, 16);
    Label11 = MakeAutoLabel(f, QStringLiteral("G"), FromTwips(1770, 3540, 105, 195),
                            QStringLiteral("Valore RGB Verde"));
    Label9 = MakeLabel(f, QStringLiteral("B"), FromTwips(180, 3840, 135, 255),
                       QStringLiteral("Colore blu di RGB"));
    HScroll3 = MakeBar(f, FromTwips(420, 3840, 1095, 255), 255, 0, 16);
    Label12 = MakeAutoLabel(f, QStringLiteral("B"), FromTwips(1785, 3840, 90, 195),
                            QStringLiteral("Valore RGB Blu"));
    SetTextColour(Label7, RedText);
    SetTextColour(Label10, RedText);
    SetTextColour(Label8, GreenText);
    SetTextColour(Label11, GreenText);
    SetTextColour(Label9, DarkBlueText);
    SetTextColour(Label12, BlueText);

    Picture2 = new ColourSample(f);
    Picture2->setGeometry(FromTwips(1980, 3240, 855, 855));
    Picture2->setToolTip(QStringLiteral("Riquadro di esempio sfondo"));
    Picture2->setFocusPolicy(Qt::TabFocus);
    Check4 = MakeCheck(f, QStringLiteral("A caso"), FromTwips(2940, 3840, 855, 255),
                       QStringLiteral("Se cliccato colore sfondo casuale."));

    setTabIndex(cmdOK, 0);
    setTabIndex(Command1, 1);
    setTabIndex(cmdSysInfo, 2);
    setTabIndex(Combo1, 5);
    setTabIndex(Combo2, 6);
    setTabIndex(Check5, 7);
    setTabIndex(HScroll1, 8);
    setTabIndex(HScroll2, 9);
    setTabIndex(HScroll3, 10);
    setTabIndex(Check4, 11);
    setTabIndex(Text1, 16);
    setTabIndex(Picture2, 31);
    setTabIndex(Check1, 40);
    setTabIndex(Check2, 41);
    setTabIndex(HScroll4, 43);
    setTabIndex(Check3, 48);
}

void frmAbout::setTabIndex(QWidget* control, int index) {
    if (!control)
        return;
    tabOrder_[index] = control;
    applyTabOrder();
}

void frmAbout::applyTabOrder() {
    QWidget* previous = nullptr;
    for (const auto& [index, control] : tabOrder_) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    // The lowest tab index has the focus when the panel opens.
    if (!tabOrder_.empty())
        tabOrder_.begin()->second->setFocus(Qt::OtherFocusReason);
}
