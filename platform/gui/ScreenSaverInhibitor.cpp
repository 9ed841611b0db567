#include "platform/gui/ScreenSaverInhibitor.h"

#include <QDBusMessage>

namespace {

const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
const QString path = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString interface = QStringLiteral("org.freedesktop.ScreenSaver");

// The show starts right after the request: a desktop that does not answer within this time is
// treated as absent.
constexpr int answerTimeoutMs = 500;

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QDBusConnection bus) : bus_(std::move(bus)) {
    if (!bus_.isConnected())
        return;
    // Without the service the bus answers at once with an error, which leaves us inactive.
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, "Inhibit");
    call << QStringLiteral("Quirello") << QStringLiteral("Presentazione in corso");
    const QDBusMessage reply = bus_.call(call, QDBus::Block, answerTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return;
    bool number = false;
    cookie_ = reply.arguments().constFirst().toUInt(&number);
    active_ = number;
}

ScreenSaverInhibitor::~ScreenSaverInhibitor() {
    if (!active_)
        return;
    // Sent without waiting: the show window is closing and the desktop needs no answer from us
    // (it also drops the request by itself should the program end).
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, "UnInhibit");
    call << cookie_;
    bus_.send(call);
}
