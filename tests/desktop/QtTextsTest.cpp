// Qt's own texts in the program's Italian.

#include "desktop/QtDialogs.h"
#include "desktop/QtTranslations.h"

#include <gtest/gtest.h>
#include <optional>
#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {
// The buttons of the box open now, by their text without the mnemonic.
QPushButton* button(const QString& text) {
    QWidget* box = QApplication::activeModalWidget();
    for (QPushButton* b : box ? box->findChildren<QPushButton*>() : QList<QPushButton*>())
        if (b->text().remove(u'&') == text)
            return b;
    return nullptr;
}
} // namespace

TEST(QtTexts, AStandardQuestionShowsItalianButtons) {
    ASSERT_TRUE(LoadItalianQtTexts(*QCoreApplication::instance()))
        << "Qt's Italian texts are missing (qt6-translations-l10n, scripts/setup-debian.sh)";
    std::optional<bool> answer;
    QtDialogs().confirm(QStringLiteral("Cancellare il file?"), [&](bool ok) { answer = ok; });
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    QStringList seen;
    for (QPushButton* b : box->findChildren<QPushButton*>())
        seen << b->text().remove(u'&');
    seen.sort();
    EXPECT_EQ(seen, QStringList({"Annulla", "OK"}));
    EXPECT_FALSE(answer) << "answered before the user did";
    button(QStringLiteral("Annulla"))->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }));
    EXPECT_FALSE(*answer) << "Annulla cancels";
}

// The boxes wait for the user without holding up the caller; each answer goes on once, and the
// box goes with it.
TEST(QtTexts, EachBoxAnswersItsContinuationOnceClosed) {
    LoadItalianQtTexts(*QCoreApplication::instance());
    QtDialogs dialogs;
    int closed = 0;
    dialogs.message(QStringLiteral("Avviso"), [&] { ++closed; });
    ASSERT_TRUE(QApplication::activeModalWidget());
    EXPECT_EQ(closed, 0);
    button(QStringLiteral("OK"))->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed == 1 && !QApplication::activeModalWidget(); }));

    for (const bool ok : {true, false}) {
        std::optional<QString> typed;
        dialogs.inputBox(QStringLiteral("Nome"), {}, QStringLiteral("a.jpg"), 7,
                         [&](const QString& text) { typed = text; });
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Quirello"));
        EXPECT_EQ(box->x(), 7);
        button(ok ? QStringLiteral("OK") : QStringLiteral("Annulla"))->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return typed.has_value(); }));
        EXPECT_EQ(*typed, ok ? QStringLiteral("a.jpg") : QString());
    }
}
