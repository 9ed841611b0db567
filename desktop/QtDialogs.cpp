#include "desktop/QtDialogs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

namespace {
const QString Caption = QStringLiteral("Quirello");
}

// A box belongs to the window the user is looking at: the full-screen show while it runs (a
// box owned by the panel could open behind it), else the owner given.
QWidget* QtDialogs::parentWindow() const {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return owner_;
}

namespace {
// Shows `box` modal to the whole program, as a box that waited for its answer was, and runs
// `answered` with its result once it is closed.
void openBox(QDialog* box, std::function<void(int result)> answered) {
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    QObject::connect(box, &QDialog::finished, box, [answered = std::move(answered)](int result) {
        if (answered)
            answered(result);
    });
    box->show();
}
} // namespace

void QtDialogs::message(const QString& text, std::function<void()> closed) {
    auto* box =
        new QMessageBox(QMessageBox::NoIcon, Caption, text, QMessageBox::Ok, parentWindow());
    openBox(box, [closed = std::move(closed)](int) {
        if (closed)
            closed();
    });
}

void QtDialogs::confirm(const QString& text, std::function<void(bool ok)> answered) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, Caption, text,
                                QMessageBox::Ok | QMessageBox::Cancel, parentWindow());
    box->setDefaultButton(QMessageBox::Ok);
    openBox(box, [answered = std::move(answered)](int result) {
        if (answered)
            answered(result == QMessageBox::Ok);
    });
}

void QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& initial,
                         int left, std::function<void(const QString& typed)> answered) {
    auto* box = new QInputDialog(parentWindow());
    box->setWindowTitle(title.isEmpty() ? Caption : title);
    box->setLabelText(prompt);
    box->setTextValue(initial);
    box->setInputMode(QInputDialog::TextInput);
    // The rename prompt is one long sentence: wrap it so the box stays on the screen.
    for (QLabel* label : box->findChildren<QLabel*>())
        label->setWordWrap(true);
    box->setMinimumWidth(440);
    box->adjustSize();
    if (left >= 0) {
        // Only the left edge is asked for; the box stays vertically centred on its screen.
        QScreen* screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        box->move(left, area.top() + (area.height() - box->height()) / 2);
    }
    openBox(box, [box, answered = std::move(answered)](int result) {
        if (answered)
            answered(result == QDialog::Accepted ? box->textValue() : QString());
    });
}
