// The Qt message and input boxes: the caption, the buttons, the answer, the input box's place.

#include "platform/gui/QtDialogs.h"

#include <functional>
#include <gtest/gtest.h>
#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

// Runs `answer` on the modal dialog once it is open.
void WhenOpen(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(modal);
    });
}

TEST(PanelDialogs, AMessageHasTheProgramsCaptionAndOnlyOk) {
    QtDialogs dialogs;
    QString caption, text;
    QMessageBox::StandardButtons buttons;
    WhenOpen([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    dialogs.message("Inserire un numero di secondi da 1 a 9");
    EXPECT_EQ(caption, "Quirello");
    EXPECT_EQ(text, "Inserire un numero di secondi da 1 a 9");
    EXPECT_EQ(buttons, QMessageBox::Ok);
}

TEST(PanelDialogs, AQuestionAnswersTrueForOkOnly) {
    QtDialogs dialogs;
    for (const auto& [button, expected] :
         {std::pair{QMessageBox::Ok, true}, std::pair{QMessageBox::Cancel, false}}) {
        QMessageBox::StandardButtons buttons;
        WhenOpen([&, b = button](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            buttons = box->standardButtons();
            box->button(b)->click();
        });
        EXPECT_EQ(dialogs.confirm("Cancellare?"), expected);
        EXPECT_EQ(buttons, QMessageBox::Ok | QMessageBox::Cancel);
    }
}

TEST(PanelDialogs, TheInputBoxStandsAtTheGivenLeftAndReturnsTheText) {
    QtDialogs dialogs;
    int left = -1;
    QString title;
    WhenOpen([&](QWidget* w) {
        auto* box = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(box, nullptr);
        left = box->x();
        title = box->windowTitle();
        box->findChild<QLineEdit*>()->setText("nuovo.jpg");
        box->accept();
    });
    EXPECT_EQ(dialogs.inputBox("Nuovo nome", "Rinomina", "vecchio.jpg", 120), "nuovo.jpg");
    EXPECT_EQ(left, 120);
    EXPECT_EQ(title, "Rinomina");

    WhenOpen([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(dialogs.inputBox("Nuovo nome", "Rinomina", "vecchio.jpg"), "");
}

} // namespace
