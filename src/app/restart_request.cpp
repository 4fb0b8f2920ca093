#include "app/restart_request.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace kavro {

// A non-interactive reboot request to the login manager. Its answer is examined: a
// refusal (no system bus, no permission, a blocking inhibitor) comes back as false. The
// call is made without introspecting the service first and with a bounded wait, so a
// login manager that does not answer cannot hold the window for long.
bool requestMachineRestart() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Reboot"));
    call << false; // interactive: never wait for a password dialog
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace kavro
