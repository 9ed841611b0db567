#include "panel/frmAbout.h"

#include "panel/Addresses.h"
#include "platform/Launcher.h"
#include "platform/SoundDevices.h"
#include "startup/AppRecords.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

// "&Fine" and the window's own close: the maker's web site, then the end. Nothing is saved.
void frmAbout::closeEvent(QCloseEvent* event) {
    event->accept();
    if (unloading_)
        return;
    unloading_ = true;
    // Whether the page could be opened or not, the program ends.
    services_.launcher.run(records_.AppFolder + QStringLiteral("start ") + addresses::WebSite,
                           WindowStyle::MinimizedFocus);
    if (services_.endProgram)
        services_.endProgram();
}

// Esc reaches the panel whichever of its controls has the focus; dialogs and open drop-down
// lists are windows of their own and keep their Esc. Enter presses the focused button, as Space
// does (a button outside a dialog ignores it).
bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !unloading_) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool ours =
            widget && widget->window() == this && isEnabled() && !QApplication::activePopupWidget();
        if (ours && key->key() == Qt::Key_Escape) {
            EscapePressed();
            return true;
        }
        auto* button = qobject_cast<QPushButton*>(watched);
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (ours && button && enter && !key->isAutoRepeat()) {
            button->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// Esc: the MP3 player stops and the program ends at once, without opening the web site.
void frmAbout::EscapePressed() {
    unloading_ = true;
    services_.sound.mp3.stop();
    if (services_.endProgram)
        services_.endProgram();
}
