#include "panel/frmAbout.h"

#include "controls/AutoSizeLabel.h"
#include "controls/ColourSample.h"
#include "controls/PendingPress.h"
#include "controls/SecondsField.h"
#include "startup/AppRecords.h"
#include "startup/ShowStart.h"

#include "platform/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

// Every handler hangs off a value-changed signal, so that a value given by the program runs
// the same handling as the user's change, and giving a control its current value runs none.
void frmAbout::connectSettingsControls() {
    connect(HScroll1, &QScrollBar::valueChanged, this,
            [this] { HScroll_Change(HScroll1, Label10); });
    connect(HScroll2, &QScrollBar::valueChanged, this,
            [this] { HScroll_Change(HScroll2, Label11); });
    connect(HScroll3, &QScrollBar::valueChanged, this,
            [this] { HScroll_Change(HScroll3, Label12); });
    connect(HScroll4, &QScrollBar::valueChanged, this, [this] { HScroll4_Change(); });
    connect(Check4, &QCheckBox::stateChanged, this, [this] { Check4_Click(); });
    connect(Text1, &SecondsField::left, this, [this] { Text1_LostFocus(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });
}

QColor frmAbout::barsColour() const {
    return QColor(HScroll1->value(), HScroll2->value(), HScroll3->value());
}

void frmAbout::HScroll_Change(QScrollBar* bar, AutoSizeLabel* valueLabel) {
    Picture2->setColor(barsColour());
    valueLabel->setText(QString::number(bar->value()));
}

void frmAbout::Check4_Click() {
    const bool random = Check4->isChecked();
    HScroll1->setEnabled(!random);
    HScroll2->setEnabled(!random);
    HScroll3->setEnabled(!random);
    if (random) {
        Picture2->drawStripes(services_.random);
    } else {
        Picture2->clearDrawing();
        Picture2->setColor(barsColour());
    }
}

void frmAbout::HScroll4_Change() {
    Label21->setText(QString::number(HScroll4->value()));
    records_.settings.Effetti = static_cast<qint16>(HScroll4->value());
}

void frmAbout::Text1_LostFocus() {
    if (!SecondsMissing(Text1->text()))
        return;
    // The click that took the focus away is still on its way to its control: it is dropped, so
    // that the control does not act behind the message.
    QWidget* clicked = QApplication::focusWidget();
    if (clicked && clicked != Text1)
        DropPendingMousePress(clicked);
    services_.dialogs.message(NoSecondsMessage, [this] { Text1->setFocus(Qt::OtherFocusReason); });
}

void frmAbout::cmdOK_Click() {
    if (SecondsMissing(Text1->text())) {
        services_.dialogs.message(NoSecondsMessage, [this] {
            Text1->setFocus(Qt::OtherFocusReason);
            Text1->selectAll();
        });
        return;
    }
    Inizializza();
}
