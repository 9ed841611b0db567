// The Qt question box: the answer given back, the caption.

#include "platform/gui/QtDialogs.h"

#include <functional>
#include <gtest/gtest.h>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

// Runs `answer` on the modal dialog once it is open.
static void WhenOpen(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        answer(modal);
    });
}

TEST(PanelDialogs, AQuestionAnswersTrueForOkOnly) {
    QtDialogs dialogs;
    for (const auto& [button, expected] :
         {std::pair{QMessageBox::Ok, true}, std::pair{QMessageBox::Cancel, false}}) {
        QString caption;
        WhenOpen([&, b = button](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            box->button(b)->click();
        });
        EXPECT_EQ(dialogs.confirm("Cancellare?"), expected);
        EXPECT_EQ(caption, "Quirello");
    }
}
