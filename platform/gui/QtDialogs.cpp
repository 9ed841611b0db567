#include "platform/gui/QtDialogs.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>

namespace {
const QString Caption = QStringLiteral("Quirello");
}

void QtDialogs::message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, Caption, text, QMessageBox::Ok, owner_);
    box.exec();
}

bool QtDialogs::confirm(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, Caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    owner_);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& initial,
                            int left) {
    QInputDialog box(owner_);
    box.setWindowTitle(title.isEmpty() ? Caption : title);
    box.setLabelText(prompt);
    box.setTextValue(initial);
    box.setInputMode(QInputDialog::TextInput);
    if (left >= 0) {
        // Only the left edge is asked for; the box stays vertically centred on its screen.
        box.adjustSize();
        QScreen* screen = owner_ ? owner_->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        box.move(left, area.top() + (area.height() - box.height()) / 2);
    }
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}
