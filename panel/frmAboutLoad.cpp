#include "panel/frmAbout.h"

#include "controls/AutoSizeLabel.h"
#include "controls/ColourSample.h"
#include "controls/DirListBox.h"
#include "controls/DriveListBox.h"
#include "controls/EditableList.h"
#include "controls/SecondsField.h"
#include "effects/TransitionEffect.h"
#include "panel/CatalogueControls.h"
#include "settings/SettingsLocation.h"
#include "startup/AppRecords.h"
#include "startup/CommandLine.h"
#include "startup/ProgramVersion.h"
#include "startup/StartFolder.h"

#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>

namespace {

const QString CreditText =
    QStringLiteral(" - screen show di foto, musiche e commenti, fatto con Qt e SDL");

const QString LabelPositions[] = {QStringLiteral("In alto"), QStringLiteral("In basso"),
                                  QStringLiteral("Assente")};

QString VersionText() {
    return QStringLiteral("Vers.") + ProgramVersion();
}

} // namespace

void frmAbout::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect area = s->geometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    records_.ShowRunning = false;
    records_.AppFolder = services_.appFolder;

    Picture2->setColor(barsColour());
    Label10->setText(QString::number(HScroll1->value()));
    Label11->setText(QString::number(HScroll2->value()));
    Label12->setText(QString::number(HScroll3->value()));

    fillLists();
    lblTitle->setText(QStringLiteral("Quirello") + CreditText);
    Label5->setText(VersionText());

    const QString app = records_.AppFolder;
    QDir::setCurrent(app);
    setFolderControls(app);

    bool sawPath = false;
    const bool fileRead = ReadSettings(services_.settingsLocation, records_.settings,
                                       [this, &sawPath](const SettingLine& line) {
                                           sawPath = sawPath || line.key == SettingKey::PATH;
                                           applySettingLine(line);
                                       });
    if (fileRead && !sawPath) {
        QDir::setCurrent(app);
        setFolderControls(app);
    }

    selectSettingLists();

    // A saved folder that is gone, or whose volume is, gives way to the application folder
    // without a word.
    records_.settings.ShowFolder = EnterShowFolder(records_.settings.ShowFolder, app);
    setFolderControls(app);
    Text1->setText(QString::number(records_.settings.TempoAttesa));
    if (!catalogue_->Dir1->setPath(records_.settings.ShowFolder)) {
        records_.settings.ShowFolder = app;
        catalogue_->Dir1->setPath(app);
    }
    // The drive list follows the folder shown, so that the two lists agree.
    catalogue_->Drive1->setDriveOf(records_.settings.ShowFolder);

    if (AsksForImmediateShow(services_.argumentText))
        Inizializza();
    else if (!services_.open.folder.isEmpty())
        openNamed(services_.open);
}

void frmAbout::openNamed(const OpenRequest& request) {
    // As if the folder were chosen in the folder list; the same folder is listed again, since a
    // load in the program's own folder lists nothing.
    DirListBox& folders = *catalogue_->Dir1;
    const QString before = folders.path();
    if (!folders.setPath(request.folder))
        return; // gone since the start: the panel as usual
    if (folders.path() == before)
        catalogue_->Command4_Click();
    catalogue_->Drive1->setDriveOf(folders.path());

    // The picture is selected as a click would select it, which previews it.
    const auto row = records_.list.entries().indexOf(QStringLiteral("./") + request.picture);
    if (request.picture.isEmpty() || row < 0)
        return;
    const QModelIndex entry = records_.list.index(static_cast<int>(row));
    catalogue_->List1->setCurrentIndex(entry);
    catalogue_->List1->scrollTo(entry);
}

void frmAbout::fillLists() {
    Combo1->clear();
    for (const char* name : TransitionEffectNames)
        Combo1->addItem(QString::fromUtf8(name));
    Combo2->clear();
    for (const QString& position : LabelPositions)
        Combo2->addItem(position);
    // Filling a list must not replace the design text until the load selects an entry.
    Combo1->setEditText(QStringLiteral("Combo1"));
    Combo2->setEditText(QStringLiteral("Combo1"));
}

void frmAbout::setFolderControls(const QString& folder) {
    catalogue_->Dir1->setPath(folder);
    catalogue_->Drive1->setDriveOf(folder);
}

void frmAbout::Form_Activate() {
    records_.ShowRunning = false;
    records_.AppFolder = services_.appFolder;
}

void frmAbout::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        Q_EMIT firstPainted();
    }
}
