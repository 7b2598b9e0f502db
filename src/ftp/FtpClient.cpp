#include "ftp/FtpClient.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace qv {

namespace {

constexpr qint64 kChunkBytes = 1024 * 1024;
constexpr qint64 kQueuedBytes = 4 * 1024 * 1024; // written to a data socket but not yet sent
constexpr int kCancelPollMs = 50;
constexpr int kDirectPollMs = 10; // a file send waiting for room in the socket, at a time
constexpr qint64 kSendChunkBytes = 128 * 1024;

QString seconds(int ms) {
    return QString::number(ms / 1000.0, 'g', 3);
}

} // namespace

FtpClient::FtpClient(QObject* parent) : QObject(parent) {}

FtpClient::~FtpClient() {
    close();
}

QString FtpClient::cancelledText() {
    return QStringLiteral("The upload was cancelled.");
}

// Ends the wait in progress once what it waits for has come; the many signals that bring
// nothing it needs leave it sleeping.
void FtpClient::wake() {
    if (m_wait && !m_wait->quitting && (*m_wait->ready)()) {
        m_wait->quitting = true;
        m_wait->loop->quit();
    }
}

void FtpClient::watch(QObject* object) {
    if (auto* socket = qobject_cast<QTcpSocket*>(object)) {
        connect(socket, &QTcpSocket::readyRead, this, &FtpClient::wake);
        connect(socket, &QTcpSocket::bytesWritten, this, &FtpClient::wake);
        connect(socket, &QTcpSocket::connected, this, &FtpClient::wake);
        connect(socket, &QTcpSocket::disconnected, this, &FtpClient::wake);
        connect(socket, &QTcpSocket::stateChanged, this, &FtpClient::wake);
        connect(socket, &QTcpSocket::errorOccurred, this, &FtpClient::wake);
    } else if (auto* server = qobject_cast<QTcpServer*>(object)) {
        connect(server, &QTcpServer::newConnection, this, &FtpClient::wake);
    }
}

FtpClient::Wait FtpClient::waitUntil(const std::function<bool()>& ready, int limitMs) {
    const QDeadlineTimer deadline(limitMs);
    const auto cancelled = [this] { return m_cancel && m_cancel->load(); };
    if (ready())
        return Wait::Ready;
    // One loop for the whole wait: the sockets' signals end it (see wake), a tick now and then
    // looks at cancellation and the time limit.
    QEventLoop loop;
    QTimer tick;
    tick.setSingleShot(true);
    WaitState state{&loop, &ready, false};
    connect(&tick, &QTimer::timeout, &loop, [&] {
        state.quitting = true;
        loop.quit();
    });
    WaitState* const outer = m_wait;
    m_wait = &state;
    Wait result = Wait::Ready;
    while (!ready()) {
        if (cancelled()) {
            result = Wait::Cancelled;
            break;
        }
        const qint64 left = deadline.remainingTime();
        if (left <= 0) {
            result = Wait::TimedOut;
            break;
        }
        state.quitting = false;
        tick.start(static_cast<int>(std::min<qint64>(left, kCancelPollMs)));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    m_wait = outer;
    return result;
}

bool FtpClient::waitOrFail(const std::function<bool()>& ready, int limitMs, const QString& timedOut,
                           QString* error) {
    switch (waitUntil(ready, limitMs)) {
    case Wait::Ready:
        return true;
    case Wait::TimedOut:
        *error = timedOut;
        break;
    case Wait::Cancelled:
        *error = cancelledText();
        break;
    }
    close();
    return false;
}

bool FtpClient::isConnected() const {
    return m_control && m_control->state() == QAbstractSocket::ConnectedState;
}

void FtpClient::dropData() {
    if (m_data) {
        m_data->abort();
        delete m_data;
        m_data = nullptr;
    }
    if (m_listener) {
        m_listener->close();
        delete m_listener;
        m_listener = nullptr;
    }
}

void FtpClient::close() {
    dropData();
    if (m_control) {
        m_control->abort();
        delete m_control;
        m_control = nullptr;
    }
    m_parser.clear();
    m_imageType = false;
}

bool FtpClient::connectAndLogin(QString* error) {
    close();
    m_control = new QTcpSocket(this);
    watch(m_control);
    m_control->connectToHost(host, port, QIODevice::ReadWrite, QAbstractSocket::IPv4Protocol);
    const QString where = QStringLiteral("%1:%2").arg(host).arg(port);
    if (!waitOrFail(
            [this] {
                return m_control->state() == QAbstractSocket::ConnectedState ||
                       m_control->state() == QAbstractSocket::UnconnectedState;
            },
            timeouts.connectMs,
            QStringLiteral("Connection timed out: no connection to %1 within %2 s.")
                .arg(where, seconds(timeouts.connectMs)),
            error))
        return false;
    if (m_control->state() != QAbstractSocket::ConnectedState) {
        *error = QStringLiteral("Cannot connect to %1: %2").arg(where, m_control->errorString());
        close();
        return false;
    }
    const bool ok = [&] {
        if (!expect({220}, error))
            return false;
        // USER and PASS always carry their argument, empty or not.
        const auto user = command("USER", username.isNull() ? QStringLiteral("") : username,
                                  {230, 232, 331}, error);
        if (!user)
            return false;
        if (user->code == 331 &&
            !command("PASS", password.isNull() ? QStringLiteral("") : password, {230}, error))
            return false;
        return command("TYPE", QStringLiteral("I"), {200}, error).has_value();
    }();
    if (!ok) {
        close();
        return false;
    }
    m_imageType = true;
    return true;
}

bool FtpClient::send(const QByteArray& verb, const QString& argument, QString* error) {
    if (argument.contains(QLatin1Char('\r')) || argument.contains(QLatin1Char('\n'))) {
        *error = QStringLiteral("The name \"%1\" holds a line break, which cannot be sent to an "
                                "FTP server.")
                     .arg(QString(argument)
                              .replace(QLatin1Char('\r'), QStringLiteral("\\r"))
                              .replace(QLatin1Char('\n'), QStringLiteral("\\n")));
        return false;
    }
    if (m_cancel && m_cancel->load()) {
        *error = cancelledText();
        close();
        return false;
    }
    if (!isConnected()) {
        *error = QStringLiteral("Not connected to the FTP server.");
        close();
        return false;
    }
    QByteArray line = verb;
    if (!argument.isNull())
        line += ' ' + argument.toLocal8Bit();
    m_control->write(line + "\r\n");
    m_control->flush();
    return true;
}

std::optional<FtpReply> FtpClient::readReply(QString* error) {
    for (;;) {
        FtpReply reply;
        switch (m_parser.next(&reply, error)) {
        case FtpReplyParser::Result::Complete:
            return reply;
        case FtpReplyParser::Result::Failed:
            close();
            return std::nullopt;
        case FtpReplyParser::Result::NeedMore:
            break;
        }
        if (m_control->bytesAvailable() == 0 && !isConnected()) {
            *error = QStringLiteral("The server closed the connection.");
            close();
            return std::nullopt;
        }
        if (!waitOrFail([this] { return m_control->bytesAvailable() > 0 || !isConnected(); },
                        timeouts.replyMs,
                        QStringLiteral("Connection timed out: the server did not answer within "
                                       "%1 s.")
                            .arg(seconds(timeouts.replyMs)),
                        error))
            return std::nullopt;
        m_parser.append(m_control->readAll());
    }
}

std::optional<FtpReply> FtpClient::expect(const QList<int>& accepted, QString* error) {
    auto reply = readReply(error);
    if (reply && !accepted.contains(reply->code)) {
        *error = reply->text();
        return std::nullopt;
    }
    return reply;
}

std::optional<FtpReply> FtpClient::command(const QByteArray& verb, const QString& argument,
                                           const QList<int>& accepted, QString* error) {
    if (!send(verb, argument, error))
        return std::nullopt;
    return expect(accepted, error);
}

std::optional<QString> FtpClient::currentDirectory(QString* error) {
    const auto reply = command("PWD", QString(), {257}, error);
    if (!reply)
        return std::nullopt;
    return directoryFromPwdLine(reply->lines.value(0));
}

bool FtpClient::changeDirectory(const QString& path, QString* error) {
    return command("CWD", path, {200, 250}, error).has_value();
}

bool FtpClient::changeToParentDirectory(QString* error) {
    return command("CDUP", QString(), {200, 250}, error).has_value();
}

qint64 FtpClient::remoteFileSize(const QString& name) {
    QString error;
    if (!send("SIZE", name, &error))
        return -1;
    const auto reply = readReply(&error);
    if (!reply)
        return -1;
    if (reply->code == 213 && !reply->lines.isEmpty()) {
        bool ok = false;
        const qint64 size = reply->lines.first().trimmed().toLongLong(&ok);
        return ok && size >= 0 ? size : -1;
    }
    return reply->code == 550 ? -2 : -1;
}

bool FtpClient::makeDirectory(const QString& path, QString* error) {
    return command("MKD", path, {257}, error).has_value();
}

std::optional<QStringList> FtpClient::listNames(QString* error) {
    return listing("NLST", error);
}

std::optional<QStringList> FtpClient::listDetails(QString* error) {
    return listing("LIST", error);
}

std::optional<QStringList> FtpClient::listing(const QByteArray& verb, QString* error) {
    if (m_imageType) {
        if (!command("TYPE", QStringLiteral("A"), {200}, error))
            return std::nullopt;
        m_imageType = false;
    }
    QByteArray received;
    const bool ok = transfer(verb, QString(), nullptr, &received, error, {});
    // Back to image type whatever became of the listing, as long as the connection lives.
    if (isConnected()) {
        QString typeError;
        if (command("TYPE", QStringLiteral("I"), {200}, &typeError))
            m_imageType = true;
        else if (ok) {
            *error = typeError;
            return std::nullopt;
        }
    }
    if (!ok)
        return std::nullopt;
    return splitListing(received);
}

bool FtpClient::storeFile(const QString& localPath, QString* error, const Progress& progress) {
    const QString name = QFileInfo(localPath).fileName();
    if (name.contains(QLatin1Char('\r')) || name.contains(QLatin1Char('\n')))
        return send("STOR", name, error); // refuses the name with its own text
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error =
            QStringLiteral("Cannot open the file \"%1\": %2").arg(localPath, file.errorString());
        return false;
    }
    return transfer("STOR", name, &file, nullptr, error, progress);
}

QTcpSocket* FtpClient::openPassive(QString* error) {
    const auto reply = command("PASV", QString(), {227}, error);
    if (!reply)
        return nullptr;
    const auto dataPort = portFromPasvLine(reply->lines.value(0), error);
    if (!dataPort)
        return nullptr;
    // The reply's address is not trusted: the data goes to the host the control connection
    // reached, or a hostile server could aim our connection anywhere.
    m_data = new QTcpSocket(this);
    watch(m_data);
    m_data->connectToHost(m_control->peerAddress(), *dataPort);
    return m_data;
}

QTcpServer* FtpClient::listenActive(QString* error) {
    m_listener = new QTcpServer(this);
    watch(m_listener);
    const QHostAddress local = m_control->localAddress();
    if (!m_listener->listen(local, 0)) {
        *error = QStringLiteral("Cannot open a port for the data connection: %1")
                     .arg(m_listener->errorString());
        dropData();
        return nullptr;
    }
    const quint32 a = local.toIPv4Address();
    const quint16 p = m_listener->serverPort();
    const QString numbers = QStringLiteral("%1,%2,%3,%4,%5,%6")
                                .arg(a >> 24)
                                .arg((a >> 16) & 0xff)
                                .arg((a >> 8) & 0xff)
                                .arg(a & 0xff)
                                .arg(p / 256)
                                .arg(p % 256);
    if (!command("PORT", numbers, {200}, error)) {
        dropData();
        return nullptr;
    }
    return m_listener;
}

bool FtpClient::transfer(const QByteArray& verb, const QString& argument, QFile* source,
                         QByteArray* received, QString* error, const Progress& progress) {
    const bool isListing = source == nullptr;
    const QList<int> preliminary =
        isListing ? QList<int>{125, 150, 154} : QList<int>{110, 125, 150};
    const QString noData = QStringLiteral("Connection timed out: the data connection could not be "
                                          "opened within %1 s.");
    const bool ok = [&] {
        if (passive) {
            if (!openPassive(error))
                return false;
            const auto opened = [this] {
                return m_data->state() == QAbstractSocket::ConnectedState ||
                       m_data->state() == QAbstractSocket::UnconnectedState;
            };
            // A listing asks once the data connection stands; a file is announced first.
            if (!isListing && !send(verb, argument, error))
                return false;
            if (!waitOrFail(opened, timeouts.connectMs, noData.arg(seconds(timeouts.connectMs)),
                            error))
                return false;
            if (m_data->state() != QAbstractSocket::ConnectedState) {
                *error = QStringLiteral("Cannot open the data connection: %1")
                             .arg(m_data->errorString());
                // A file was announced already; its reply would come out of step.
                if (!isListing)
                    close();
                return false;
            }
            if (isListing && !send(verb, argument, error))
                return false;
            if (!expect(preliminary, error))
                return false;
        } else {
            if (!listenActive(error))
                return false;
            if (!command(verb, argument,
                         isListing ? QList<int>{125, 150, 154} : QList<int>{125, 150}, error))
                return false;
            if (!waitOrFail([this] { return m_listener->hasPendingConnections(); },
                            timeouts.acceptMs,
                            QStringLiteral("Connection timed out: the server did not open the data "
                                           "connection within %1 s.")
                                .arg(seconds(timeouts.acceptMs)),
                            error))
                return false;
            m_data = m_listener->nextPendingConnection();
            m_data->setParent(this);
            watch(m_data);
            m_listener->close();
        }
        const bool moved = isListing ? receive(m_data, received, error)
                                     : sendFile(m_data, source, error, progress);
        if (!isConnected())
            return false; // the control connection went with the data (limit or cancel)
        QString replyError;
        const bool completed = finalReply(&replyError);
        if (!moved) {
            // The server's refusal says more than a broken data connection.
            if (!completed && !replyError.isEmpty())
                *error = replyError;
            return false;
        }
        if (!completed)
            *error = replyError;
        return completed;
    }();
    dropData();
    return ok;
}

bool FtpClient::receive(QTcpSocket* data, QByteArray* received, QString* error) {
    const QString idle = QStringLiteral("Connection timed out: the listing stopped for %1 s.")
                             .arg(seconds(timeouts.dataIdleMs));
    for (;;) {
        if (data->bytesAvailable() > 0) {
            received->append(data->readAll());
            if (received->size() > kMaxListingBytes) {
                *error = QStringLiteral("The listing is longer than %1 MiB; the connection was "
                                        "closed.")
                             .arg(kMaxListingBytes / (1024 * 1024));
                close();
                return false;
            }
            continue;
        }
        if (data->state() == QAbstractSocket::UnconnectedState)
            return true;
        if (!waitOrFail(
                [data] {
                    return data->bytesAvailable() > 0 ||
                           data->state() == QAbstractSocket::UnconnectedState;
                },
                timeouts.dataIdleMs, idle, error))
            return false;
    }
}

bool FtpClient::sendFile(QTcpSocket* data, QFile* source, QString* error,
                         const Progress& progress) {
    bool unsupported = false;
    if (sendFileDirect(data, source, error, progress, &unsupported))
        return true;
    if (!unsupported)
        return false;
    const QString idle = QStringLiteral("Connection timed out: no data could be sent for %1 s.")
                             .arg(seconds(timeouts.dataIdleMs));
    qint64 handedOver = 0;
    qint64 reported = -1;
    QByteArray chunk;
    const auto broken = [data] { return data->state() != QAbstractSocket::ConnectedState; };
    for (;;) {
        while (data->bytesToWrite() < kQueuedBytes && !source->atEnd()) {
            chunk.resize(kChunkBytes);
            const qint64 n = source->read(chunk.data(), kChunkBytes);
            if (n < 0) {
                *error = QStringLiteral("Cannot read the file \"%1\": %2")
                             .arg(source->fileName(), source->errorString());
                data->abort();
                return false;
            }
            if (n == 0)
                break;
            data->write(chunk.constData(), n);
            handedOver += n;
        }
        data->flush();
        const qint64 sent = handedOver - data->bytesToWrite();
        if (progress && sent != reported) {
            progress(sent);
            reported = sent;
        }
        if (broken()) {
            *error = QStringLiteral("The data connection was closed while sending \"%1\": %2")
                         .arg(QFileInfo(source->fileName()).fileName(), data->errorString());
            return false;
        }
        if (source->atEnd() && data->bytesToWrite() == 0)
            break;
        const qint64 before = data->bytesToWrite();
        if (!waitOrFail(
                [&] {
                    return broken() || data->bytesToWrite() < before ||
                           (data->bytesToWrite() < kQueuedBytes && !source->atEnd());
                },
                timeouts.dataIdleMs, idle, error))
            return false;
    }
    return closeData(data, error);
}

bool FtpClient::closeData(QTcpSocket* data, QString* error) {
    data->disconnectFromHost();
    return waitOrFail([data] { return data->state() == QAbstractSocket::UnconnectedState; },
                      timeouts.dataIdleMs,
                      QStringLiteral("Connection timed out: no data could be sent for %1 s.")
                          .arg(seconds(timeouts.dataIdleMs)),
                      error);
}

// The file is read in chunks of the size receivers commonly take at a time, and each chunk goes
// into the socket at once. A receiver on the same machine then copies data that is still in the
// processor's cache, which makes this faster there than sendfile (whose socket refers to the
// file's own pages) and no slower elsewhere. Falls back (unsupported) when the socket has no
// descriptor of its own.
bool FtpClient::sendFileDirect(QTcpSocket* data, QFile* source, QString* error,
                               const Progress& progress, bool* unsupported) {
    const int out = static_cast<int>(data->socketDescriptor());
    const int in = source->handle();
    if (out < 0 || in < 0 || data->bytesToWrite() > 0) {
        *unsupported = true;
        return false;
    }
    const auto name = [source] { return QFileInfo(source->fileName()).fileName(); };
    QSocketNotifier writable(out, QSocketNotifier::Write);
    bool canWrite = true;
    connect(&writable, &QSocketNotifier::activated, this, [&] {
        canWrite = true;
        writable.setEnabled(false);
        wake();
    });
    writable.setEnabled(false);
    if (m_sendBuffer.size() < kSendChunkBytes)
        m_sendBuffer.resize(kSendChunkBytes);
    char* const buffer = m_sendBuffer.data();
    const qint64 size = source->size();
    qint64 offset = 0;  // of the file, handed to the socket
    qint64 filled = 0;  // bytes of the chunk in the buffer
    qint64 written = 0; // of them, handed to the socket
    while (offset < size) {
        if (written == filled) {
            const ssize_t n =
                ::pread(in, buffer, static_cast<size_t>(std::min(kSendChunkBytes, size - offset)),
                        static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                *error = QStringLiteral("Cannot read the file \"%1\": %2")
                             .arg(source->fileName(), QString::fromLocal8Bit(std::strerror(errno)));
                data->abort();
                return false;
            }
            if (n == 0)
                break; // the file became shorter while it was sent
            filled = n;
            written = 0;
        }
        const ssize_t n =
            ::send(out, buffer + written, static_cast<size_t>(filled - written), MSG_NOSIGNAL);
        if (n > 0) {
            written += n;
            offset += n;
            if (progress)
                progress(offset);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Mostly the socket takes more within moments: wait for that right here, and go
            // through the event loop (cancellation, time limit, other sockets of this thread)
            // only when it does not.
            pollfd room{out, POLLOUT, 0};
            if (!(m_cancel && m_cancel->load()) && ::poll(&room, 1, kDirectPollMs) == 1 &&
                (room.revents & POLLOUT))
                continue;
            canWrite = false;
            writable.setEnabled(true);
            const auto ready = [&] {
                return canWrite || data->state() != QAbstractSocket::ConnectedState;
            };
            if (!waitOrFail(ready, timeouts.dataIdleMs,
                            QStringLiteral("Connection timed out: no data could be sent for %1 s.")
                                .arg(seconds(timeouts.dataIdleMs)),
                            error))
                return false;
            if (data->state() != QAbstractSocket::ConnectedState)
                break;
            continue;
        }
        *error = QStringLiteral("The data connection was closed while sending \"%1\": %2")
                     .arg(name(), QString::fromLocal8Bit(std::strerror(n < 0 ? errno : EPIPE)));
        return false;
    }
    if (data->state() != QAbstractSocket::ConnectedState) {
        *error = QStringLiteral("The data connection was closed while sending \"%1\": %2")
                     .arg(name(), data->errorString());
        return false;
    }
    return closeData(data, error);
}

bool FtpClient::finalReply(QString* error) {
    const auto reply = readReply(error);
    if (!reply)
        return false;
    if (reply->code == 426 || reply->code == 450)
        return expect({226, 225}, error).has_value();
    if (reply->code != 225 && reply->code != 226 && reply->code != 250) {
        *error = reply->text();
        return false;
    }
    return true;
}

} // namespace qv
