#include "app/ProjectHandover.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace qv {

ProjectHandover::ProjectHandover(QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &ProjectHandover::takeConnection);
}

ProjectHandover::~ProjectHandover() = default;

QString ProjectHandover::channelName() {
    // Full path of a socket in the temporary folder, which is where the instance lock lives too.
    const QByteArray folderHash =
        QCryptographicHash::hash(QDir::tempPath().toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir::tempPath() +
           QStringLiteral("/Quorvel-%1.handover").arg(QString::fromLatin1(folderHash.left(12)));
}

bool ProjectHandover::listen(QString* error) {
    // Only the holder of the instance lock listens, so a channel left behind is stale.
    QLocalServer::removeServer(channelName());
    if (m_server->listen(channelName()))
        return true;
    *error = m_server->errorString();
    return false;
}

void ProjectHandover::takeConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxPathBytes)
                    socket->abort();
                return;
            }
            const QByteArray line = socket->readLine(kMaxPathBytes + 1).trimmed();
            socket->disconnectFromServer();
            if (line.isEmpty())
                Q_EMIT frontRequested();
            else
                Q_EMIT projectRequested(QString::fromUtf8(line));
        });
    }
}

bool ProjectHandover::sendToRunning(const QString& path, int timeoutMs, QString* error) {
    const QByteArray line = path.toUtf8() + '\n';
    if (line.size() > kMaxPathBytes || path.contains(QLatin1Char('\n'))) {
        *error = QStringLiteral("The path is too long or holds a line break.");
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(channelName());
    if (!socket.waitForConnected(timeoutMs)) {
        *error = socket.errorString();
        return false;
    }
    socket.write(line);
    if (!socket.waitForBytesWritten(timeoutMs)) {
        *error = socket.errorString();
        return false;
    }
    // The running copy closes the connection once it has read the path.
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return true;
}

} // namespace qv
