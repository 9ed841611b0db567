// Qt's own texts in the program's Italian.

#include "platform/gui/QtDialogs.h"
#include "platform/gui/QtTranslations.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

TEST(QtTexts, AStandardQuestionShowsItalianButtons) {
    ASSERT_TRUE(LoadItalianQtTexts(*QCoreApplication::instance()))
        << "Qt's Italian texts are missing (qt6-translations-l10n, scripts/setup-debian.sh)";
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        QList<QPushButton*> buttons =
            QApplication::activeModalWidget()->findChildren<QPushButton*>();
        for (QPushButton* button : buttons)
            seen << button->text().remove(u'&');
        seen.sort();
        for (QPushButton* button : buttons)
            if (button->text() == QStringLiteral("Annulla"))
                button->click();
    });
    EXPECT_FALSE(QtDialogs().confirm(QStringLiteral("Cancellare il file?"))) << "Annulla cancels";
    EXPECT_EQ(seen, QStringList({"Annulla", "OK"}));
}
