#include "app/real_platform.h"

#include "app/message_box.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <canberra.h>
#include <chrono>
#include <ctime>

namespace kavro {

namespace {

DateTime localNow() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    Date date{year{tm.tm_year + 1900}, month{static_cast<unsigned>(tm.tm_mon + 1)},
              day{static_cast<unsigned>(tm.tm_mday)}};
    return makeDateTime(date, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

// libcanberra plays asynchronously through the desktop's sound service; the call returns
// at once. Without a sound service it fails and the platform beep is the fall-back.
void alertSound() {
    static ca_context* context = [] {
        ca_context* c = nullptr;
        if (ca_context_create(&c) != CA_SUCCESS)
            return static_cast<ca_context*>(nullptr);
        ca_context_change_props(c, CA_PROP_APPLICATION_NAME, "KAVRO", nullptr);
        return c;
    }();
    if (context && ca_context_play(context, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION,
                                   "room alarm", nullptr) == CA_SUCCESS)
        return;
    QApplication::beep();
}

// A non-interactive reboot request to the login manager. Its answer is examined: a
// refusal (no system bus, no permission, a blocking inhibitor) comes back as false. The
// call is made without introspecting the service first and with a bounded wait, so a
// login manager that does not answer cannot hold the window for long.
bool requestReboot() {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Reboot"));
    call << false;  // interactive: never wait for a password dialog
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace

Platform realPlatform() {
    Platform p;
    p.now = localNow;
    p.programDir = QCoreApplication::applicationDirPath().toStdString();
    p.message = [](const QString& title, const QString& text) { showMessageBox(title, text); };
    p.beep = alertSound;
    p.requestRestart = requestReboot;
    p.startProgram = [](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    };
    return p;
}

} // namespace kavro
