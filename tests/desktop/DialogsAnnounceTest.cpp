// A message of the show (a picture that cannot be read, a folder without pictures) reaches a
// screen reader as an alert whose text it reads, over the window the user looks at.
#include "desktop/QtDialogs.h"

#include <gtest/gtest.h>
#include <private/qguiapplication_p.h>
#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QTest>

namespace {
QList<QObject*> Alerts;
void Record(QAccessibleEvent* event) {
    if (event->type() == QAccessible::Alert)
        Alerts << event->object();
}
// What a reader reads of an alert: the texts of it and of everything in it.
QStringList Texts(QAccessibleInterface* node) {
    QStringList texts{node->text(QAccessible::Name)};
    for (int i = 0; i < node->childCount(); ++i)
        texts << Texts(node->child(i));
    return texts;
}
} // namespace

TEST(DialogsAnnounce, AMessageIsAnAlertHoldingItsTextOverTheActiveWindow) {
    // Accessibility on, as when a screen reader runs.
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    platform->setActive(true);
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(&Record);
    Alerts.clear();

    QWidget show;
    show.showFullScreen();
    show.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&show));
    QtDialogs dialogs;
    bool closed = false;
    const QString text = "Il file: ./rotto.jpg non è un file di immagini valido.";
    dialogs.message(text, [&] { closed = true; });
    EXPECT_TRUE(QTest::qWaitFor([] { return !Alerts.isEmpty(); }, 5000));
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), &show) << "over the show, never behind it";
    ASSERT_EQ(Alerts, QList<QObject*>{box});
    const QStringList read = Texts(QAccessible::queryAccessibleInterface(box));
    EXPECT_TRUE(read.contains(text)) << read.join(" | ").toStdString();
    box->accept();
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }, 5000));

    QAccessible::installUpdateHandler(previous);
    platform->setActive(false);
}
