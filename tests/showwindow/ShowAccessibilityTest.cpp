// The show as a screen reader meets it: a window named for the show whose description is what
// the label says, announced at each change.
#include "Form1Fakes.h"

#include <gtest/gtest.h>
#include <private/qguiapplication_p.h>
#include <QAccessible>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QTest>

using form1test::ShowWindow;
using form1test::solid;

namespace {

// Every change the show window announces, with its description as a reader would then read it.
struct Announcements {
    static inline QObject* watched = nullptr;
    static inline QStringList descriptions;
    static void record(QAccessibleEvent* event) {
        if (event->object() != watched || event->type() != QAccessible::DescriptionChanged)
            return;
        descriptions << QAccessible::queryAccessibleInterface(watched)->text(
            QAccessible::Description);
    }
    // Accessibility on, as when a screen reader runs (on the offscreen platform nothing turns it
    // on, and Qt sends no event while it is off).
    explicit Announcements(QObject* window) {
        watched = window;
        descriptions.clear();
        previous_ = QAccessible::installUpdateHandler(&record);
        platform()->setActive(true);
    }
    ~Announcements() {
        platform()->setActive(false);
        QAccessible::installUpdateHandler(previous_);
    }
    static QPlatformAccessibility* platform() {
        return QGuiApplicationPrivate::platformIntegration()->accessibility();
    }
    Announcements(const Announcements&) = delete;
    Announcements& operator=(const Announcements&) = delete;

private:
    QAccessible::UpdateHandler previous_ = nullptr;
};

} // namespace

// Three ticks with the label set to "Assente", so that no name is seen on screen: each
// picture's name as the label would show it, then the end title, are announced in turn; a key
// still ends the show.
TEST(ShowAccessibility, TheDescriptionFollowsThePictureThroughThreeTicks) {
    ShowWindow s;
    ASSERT_TRUE(solid(Qt::red).save(s.folder.file("Rosso.jpg")));
    QDir(s.folder.path()).mkdir("Estate");
    ASSERT_TRUE(solid(Qt::green).save(s.folder.file("Estate/Prato.jpg")));
    s.records.settings.TempoAttesa = 40;
    s.records.settings.Effetti = 0;
    s.records.settings.PosLabel = LabelNone;
    Announcements heard(&s.form);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&s.form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Presentazione di Quirello");

    const QStringList expected = {"Quirello", "rosso.jpg", "estate/prato.jpg",
                                  "Quirello Fine presentazione"};
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &s.form, [&] {
        if (s.form.shown().open && heard.descriptions.size() >= expected.size())
            QTest::keyClick(&s.form, Qt::Key_Q);
    });
    EXPECT_TRUE(s.runShow([&] { watch.start(1); }, 20000));
    watch.stop();
    EXPECT_EQ(heard.descriptions.mid(0, expected.size()), expected);
    EXPECT_FALSE(s.form.shown().open) << "a key ends the show";
}
