// The two requests made over D-Bus: the desktop's screen saver, and the portal in a sandbox.
// Both are sent without waiting, so the show opens at once however slow the bus; an answer that
// comes after the show ended is let go at once.
#include "desktop/ScreenSaverInhibitorHolds.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QWindow>

namespace {

const QString Reason = QStringLiteral("Presentazione in corso");

// What a request got, shared with the answer's handler, which may outlive the hold.
template <typename Token> struct Answer {
    Token token{};
    bool answered = false;
    bool released = false;
};

// Sends `call` and keeps its answer in `answer`; once both the answer and the release are
// there, `release` lets the token go.
template <typename Token>
void Ask(const QDBusConnection& bus, const QDBusMessage& call,
         const std::shared_ptr<Answer<Token>>& answer,
         std::function<void(const QDBusConnection&, const Token&)> release) {
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [bus, answer, release = std::move(release)](QDBusPendingCallWatcher* w) {
                         w->deleteLater();
                         const QDBusPendingReply<Token> reply = *w;
                         if (reply.isError())
                             return;
                         answer->token = reply.value();
                         answer->answered = true;
                         if (answer->released)
                             release(bus, answer->token);
                     });
}

template <typename Token> class DBusHold final : public ScreenSaverInhibitor::Hold {
public:
    using Release = std::function<void(const QDBusConnection&, const Token&)>;
    DBusHold(QString name, const QDBusConnection& bus, const QDBusMessage& call, Release release)
        : name_(std::move(name)), bus_(bus), release_(std::move(release)) {
        Ask<Token>(bus_, call, answer_, release_);
    }
    ~DBusHold() override {
        answer_->released = true;
        if (answer_->answered)
            release_(bus_, answer_->token);
    }
    DBusHold(const DBusHold&) = delete;
    DBusHold& operator=(const DBusHold&) = delete;
    QString name() const override { return name_; }
    bool holding() const override { return answer_->answered; }

private:
    QString name_;
    QDBusConnection bus_;
    Release release_;
    std::shared_ptr<Answer<Token>> answer_ = std::make_shared<Answer<Token>>();
};

// The window as the portal names a parent: only X11 windows have a name it can use without an
// exported handle.
QString PortalWindowName(QWindow* window) {
    if (window && QGuiApplication::platformName() == QLatin1String("xcb"))
        return QStringLiteral("x11:") + QString::number(window->winId(), 16);
    return {};
}

} // namespace

std::unique_ptr<ScreenSaverInhibitor::Hold> HoldDesktopScreenSaver(const QDBusConnection& bus) {
    if (!bus.isConnected())
        return nullptr;
    const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
    const QString path = QStringLiteral("/org/freedesktop/ScreenSaver");
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, "Inhibit");
    call << QStringLiteral("Quirello") << Reason;
    // The desktop also drops the request by itself should the program end.
    return std::make_unique<DBusHold<quint32>>(
        QStringLiteral("dbus"), bus, call,
        [service, path](const QDBusConnection& on, const quint32& cookie) {
            QDBusMessage uninhibit =
                QDBusMessage::createMethodCall(service, path, service, "UnInhibit");
            uninhibit << cookie;
            on.send(uninhibit);
        });
}

std::unique_ptr<ScreenSaverInhibitor::Hold> HoldPortalIdle(const QDBusConnection& bus,
                                                           QWindow* window) {
    if (!bus.isConnected())
        return nullptr;
    constexpr quint32 Idle = 8; // the portal's flag for "the session going idle"
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
    call << PortalWindowName(window) << Idle << QVariantMap{{QStringLiteral("reason"), Reason}};
    // The request object the portal answers with holds the inhibition until it is closed (or
    // the program's connection goes).
    return std::make_unique<DBusHold<QDBusObjectPath>>(
        QStringLiteral("portal"), bus, call,
        [](const QDBusConnection& on, const QDBusObjectPath& request) {
            on.send(QDBusMessage::createMethodCall(
                QStringLiteral("org.freedesktop.portal.Desktop"), request.path(),
                QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Close")));
        });
}
