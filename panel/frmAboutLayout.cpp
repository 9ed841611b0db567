#include "panel/frmAbout.h"

#include "controls/AutoSizeLabel.h"
#include "controls/DirListBox.h"
#include "controls/DriveListBox.h"
#include "core/Twips.h"
#include "panel/AccessibleRoles.h"
#include "panel/CatalogueControls.h"
#include "panel/PanelLook.h"
#include "startup/AppRecords.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace {
// The client area: 9510 x 6855 twips.
constexpr int ClientWidthTwips = 9510;
constexpr int ClientHeightTwips = 6855;
QSize DesignSize() {
    return FromTwips(0, 0, ClientWidthTwips, ClientHeightTwips).size();
}
} // namespace

frmAbout::frmAbout(AppRecords& records, AppServices& services, QWidget* parent)
    : QWidget(parent), records_(records), services_(services), stretch_(*this, DesignSize()) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Quirello"));
    setFont(PanelFont());
    setPalette(PanelPalette());
    // The design size is the smallest; a larger panel gives the lists more room (PanelStretch).
    setMinimumSize(DesignSize());
    resize(DesignSize());
    InstallAccessibleRoles();
    createControls();
    nameControls();
    connectSettingsControls();
    applyTabOrder();
    qApp->installEventFilter(this);
    // A folder or picture dropped anywhere on the panel opens there; the text fields would
    // otherwise take the file's name as text.
    setAcceptDrops(true);
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->setAcceptDrops(false);
}

frmAbout::~frmAbout() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void frmAbout::createControls() {
    Frame1 = new QGroupBox(QStringLiteral("Quirello"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(FromTwips(4980, 1230, 4095, 4335));
    createButtons(Frame1);
    createSecondsControls(Frame1);
    createChoiceControls(Frame1);
    createSpeedControls(Frame1);
    createColourControls(Frame1);

    catalogue_ = std::make_unique<CatalogueControls>(this, records_, services_.dialogs);
    setTabIndex(catalogue_->Dir1, 12);
    setTabIndex(catalogue_->Drive1, 13);
    setTabIndex(catalogue_->Command4, 14);
    setTabIndex(catalogue_->List1, 15);

    // The title and the version, filled by the load.
    lblTitle = new AutoSizeLabel(QString(), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setPlace(FromTwips(2820, 6075, 6240, 255));
    QFont titleFont = font();
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    Label5 = new AutoSizeLabel(QString(), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setPlace(FromTwips(2820, 6375, 1800, 255));
}

void frmAbout::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    stretch_.apply(size());
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

ColourBars frmAbout::colourBars() const {
    return {HScroll1, HScroll2, HScroll3, Picture2, Check4};
}

ValueLabels frmAbout::valueLabels() const {
    return {Label10, Label11, Label12, Label21, catalogue_->Label17};
}

PlayControls frmAbout::playControls() const {
    return {Text1, cmdOK, Command1};
}

ShowChoices frmAbout::showChoices() const {
    return {Combo1, Combo2, Check1, Check2, Check3, Check5, HScroll4};
}

SettingsFrame frmAbout::settingsFrame() const {
    return {Frame1, Label1, cmdSysInfo};
}
