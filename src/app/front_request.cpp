#include "app/front_request.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
#include <unistd.h>

namespace kavro {

namespace {

const QByteArray kRequest = QByteArrayLiteral("front\n");

// Requests are a few bytes: one is answered as soon as it is whole.
void answerWhenWhole(QLocalSocket* socket, QWidget* window) {
    if (socket->bytesAvailable() < kRequest.size())
        return;
    if (socket->read(kRequest.size()) == kRequest)
        bringToFront(window);
    socket->disconnectFromServer();
}

} // namespace

QString frontRequestName(const std::filesystem::path& programDir) {
    std::error_code ec;
    const auto dir = std::filesystem::weakly_canonical(programDir, ec);
    const QByteArray hash = QCryptographicHash::hash(
        QByteArray::fromStdString((ec ? programDir : dir).string()), QCryptographicHash::Sha256);
    return QStringLiteral("kavro-%1-%2")
        .arg(::getuid())
        .arg(QString::fromLatin1(hash.toHex().left(16)));
}

bool listenForFrontRequests(const QString& name, QWidget* window) {
    auto* server = new QLocalServer(window);
    server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    if (!server->listen(name)) {
        delete server;
        return false;
    }
    QObject::connect(server, &QLocalServer::newConnection, window, [server, window] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, window,
                             [socket, window] { answerWhenWhole(socket, window); });
            answerWhenWhole(socket, window);
        }
    });
    return true;
}

bool requestFront(const QString& name, int timeoutMs) {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kRequest);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return sent;
}

void bringToFront(QWidget* window) {
    window->showNormal();
    window->raise();
    window->activateWindow();
}

} // namespace kavro
