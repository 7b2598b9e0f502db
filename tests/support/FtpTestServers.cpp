#include "support/FtpTestServers.h"

#include "ftp/FolderWalk.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace qv::test {

namespace {

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size();
}

} // namespace

QStringList filesInWalkOrder(const QString& folder) {
    QStringList files;
    FolderWalkVisitor visitor;
    visitor.file = [&](const QString& relative, const QString&, qint64) {
        files << relative;
        return true;
    };
    walkFolder(folder, visitor);
    return files;
}

RealFtpServer::RealFtpServer(Kind kind) : m_kind(kind) {}

RealFtpServer::~RealFtpServer() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString RealFtpServer::user() const {
    return isVsftpd() ? QStringLiteral("anonymous") : QStringLiteral("tester");
}

QString RealFtpServer::password() const {
    return isVsftpd() ? QString() : QStringLiteral("s3cret");
}

QString RealFtpServer::uploadFolder() const {
    return isVsftpd() ? QStringLiteral("/upload/") : QStringLiteral("/");
}

QString RealFtpServer::uploadedPath() const {
    return isVsftpd() ? m_dir.filePath(QStringLiteral("anon/upload"))
                      : m_dir.filePath(QStringLiteral("root"));
}

QString RealFtpServer::refusedName() const {
    return isVsftpd() ? QStringLiteral("stop.refused") : QStringLiteral("locked");
}

QString RealFtpServer::refusedText() const {
    return isVsftpd() ? QStringLiteral("Permission denied.\n")
                      : QStringLiteral("Not enough privileges.\n");
}

bool RealFtpServer::makeCertificate(const QString& key, const QString& cert, QString* why) {
    if (QProcess::execute(
            QStringLiteral("openssl"),
            {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
             QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"), key,
             QStringLiteral("-out"), cert, QStringLiteral("-days"), QStringLiteral("2"),
             QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")}) != 0) {
        m_missing = true;
        *why = QStringLiteral("openssl cannot make a certificate");
        return false;
    }
    QProcess print;
    print.start(QStringLiteral("openssl"),
                {QStringLiteral("x509"), QStringLiteral("-in"), cert, QStringLiteral("-noout"),
                 QStringLiteral("-fingerprint"), QStringLiteral("-sha256")});
    print.waitForFinished(10000);
    m_fingerprint = QString::fromLatin1(print.readAll().trimmed()).section(QLatin1Char('='), 1);
    return true;
}

QStringList RealFtpServer::commandsReceived() {
    while (m_process.waitForReadyRead(50)) {
    }
    m_output += m_process.readAllStandardOutput();
    QStringList commands;
    for (const QByteArray& line : m_output.split('\n'))
        if (line.startsWith("got: "))
            commands << QString::fromLatin1(line.mid(5));
    return commands;
}

bool RealFtpServer::start(QString* why) {
    if (!m_dir.isValid()) {
        *why = QStringLiteral("no temporary folder");
        return false;
    }
    if (m_kind == Kind::TlsRefusingProt) {
        const QString key = m_dir.filePath(QStringLiteral("key.pem"));
        const QString cert = m_dir.filePath(QStringLiteral("cert.pem"));
        if (!makeCertificate(key, cert, why))
            return false;
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {dataPath(QStringLiteral("ftp/tls_refusing_server.py")), cert, key});
        if (!m_process.waitForStarted(5000)) {
            *why = m_process.errorString();
            return false;
        }
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        m_port = m_process.readLine().trimmed().toUShort();
        if (m_port == 0)
            *why = QStringLiteral("the scripted TLS server did not start");
        return m_port != 0;
    }
    if (m_kind == Kind::Sftp) {
        if (QProcess::execute(QStringLiteral("/usr/bin/python3"),
                              {QStringLiteral("-c"), QStringLiteral("import asyncssh")}) != 0) {
            m_missing = true;
            *why = QStringLiteral("asyncssh is not installed (python3-asyncssh)");
            return false;
        }
        const QString root = uploadedPath();
        QDir().mkpath(root);
        if (m_hostKeyFile.isEmpty())
            m_hostKeyFile = m_dir.filePath(QStringLiteral("host_key"));
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {dataPath(QStringLiteral("ftp/sftp_server.py")), root, user(), password(),
                         m_hostKeyFile});
        if (!m_process.waitForStarted(5000)) {
            *why = m_process.errorString();
            return false;
        }
        QList<QByteArray> lines;
        while (lines.size() < 2 && (m_process.canReadLine() || m_process.waitForReadyRead(10000)))
            while (m_process.canReadLine())
                lines << m_process.readLine().trimmed();
        if (lines.size() < 2) {
            *why = QStringLiteral("the SFTP server did not start");
            return false;
        }
        m_port = lines[0].toUShort();
        m_fingerprint = QString::fromLatin1(lines[1]);
        return true;
    }
    if (m_kind == Kind::Pyftpdlib) {
        if (!QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ||
            QProcess::execute(QStringLiteral("/usr/bin/python3"),
                              {QStringLiteral("-c"), QStringLiteral("import pyftpdlib")}) != 0) {
            m_missing = true;
            *why = QStringLiteral("pyftpdlib is not installed (python3-pyftpdlib)");
            return false;
        }
        const QString root = uploadedPath();
        QDir().mkpath(root);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(
            QStringLiteral("/usr/bin/python3"),
            {dataPath(QStringLiteral("ftp/pyftpd_server.py")), root, user(), password()});
        if (!m_process.waitForStarted(5000)) {
            *why = m_process.errorString();
            return false;
        }
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        m_port = m_process.readLine().trimmed().toUShort();
        return waitForListening(why);
    }

    const QString vsftpd = QStringLiteral("/usr/sbin/vsftpd");
    const struct passwd* ftp = getpwnam("ftp");
    if (!QFileInfo::exists(vsftpd) || !ftp) {
        m_missing = true;
        *why = QStringLiteral("vsftpd is not installed");
        return false;
    }
    const QString anon = m_dir.filePath(QStringLiteral("anon"));
    const QString empty = m_dir.filePath(QStringLiteral("empty"));
    QDir().mkpath(uploadedPath());
    QDir().mkpath(empty);
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    for (const QString& p : {m_dir.path(), anon, empty, uploadedPath()})
        QFile::setPermissions(p, open);
    if (chown(QFile::encodeName(uploadedPath()).constData(), ftp->pw_uid, ftp->pw_gid) != 0) {
        *why = QStringLiteral("cannot hand the upload folder to user ftp (the test needs root)");
        return false;
    }
    m_port = freePort();
    const QByteArray config = "listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\n"
                              "listen_port=" +
                              QByteArray::number(m_port) +
                              "\nbackground=NO\nseccomp_sandbox=NO\nisolate=NO\n"
                              "isolate_network=NO\nsecure_chroot_dir=" +
                              QFile::encodeName(empty) +
                              "\nconnect_from_port_20=NO\nanonymous_enable=YES\n"
                              "local_enable=NO\nanon_root=" +
                              QFile::encodeName(anon) +
                              "\nwrite_enable=YES\nanon_upload_enable=YES\n"
                              "anon_mkdir_write_enable=YES\nanon_other_write_enable=YES\n"
                              "no_anon_password=YES\nanon_umask=022\nxferlog_enable=NO\n"
                              "pasv_enable=YES\nport_enable=YES\ndeny_file={*.refused}\n";
    QByteArray tls;
    if (m_kind == Kind::VsftpdTls) {
        const QString key = m_dir.filePath(QStringLiteral("key.pem"));
        const QString cert = m_dir.filePath(QStringLiteral("cert.pem"));
        if (!makeCertificate(key, cert, why))
            return false;
        // Login and data only over TLS; data connections must resume the control connection's
        // TLS session (vsftpd's default, said here in so many words).
        tls = "ssl_enable=YES\nallow_anon_ssl=YES\nforce_anon_logins_ssl=YES\n"
              "force_anon_data_ssl=YES\nrequire_ssl_reuse=YES\nrsa_cert_file=" +
              QFile::encodeName(cert) + "\nrsa_private_key_file=" + QFile::encodeName(key) + "\n";
    }
    const QString configPath = m_dir.filePath(QStringLiteral("vsftpd.conf"));
    if (!writeText(configPath, config + tls)) {
        *why = QStringLiteral("cannot write the vsftpd configuration");
        return false;
    }
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(vsftpd, {configPath});
    if (!m_process.waitForStarted(5000)) {
        *why = m_process.errorString();
        return false;
    }
    return waitForListening(why);
}

bool RealFtpServer::waitForListening(QString* why) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (m_port != 0) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, m_port);
            if (probe.waitForConnected(200) && probe.waitForReadyRead(2000))
                return true;
        }
        if (m_process.state() == QProcess::NotRunning)
            break;
        QThread::msleep(50);
    }
    *why = QStringLiteral("the FTP server did not start: %1")
               .arg(QString::fromLocal8Bit(m_process.readAll()));
    return false;
}

ScriptedFtpServer::ScriptedFtpServer() {
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            m_server = new QTcpServer;
            m_server->listen(QHostAddress::LocalHost, 0);
            m_port = m_server->serverPort();
            QObject::connect(m_server, &QTcpServer::newConnection, m_server,
                             [this] { onConnection(); });
        },
        Qt::BlockingQueuedConnection);
}

ScriptedFtpServer::~ScriptedFtpServer() {
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            delete m_passive;
            delete m_server;
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_context;
}

QList<QByteArray> ScriptedFtpServer::received() const {
    QMutexLocker lock(&m_lock);
    return m_received;
}

QByteArray ScriptedFtpServer::stored() const {
    QMutexLocker lock(&m_lock);
    return m_stored;
}

void ScriptedFtpServer::onConnection() {
    while (QTcpSocket* control = m_server->nextPendingConnection()) {
        if (maxConnections > 0 && connections.load() >= maxConnections) {
            ++connections;
            control->write("421 Too many connections from your address.\r\n");
            control->disconnectFromHost();
            QObject::connect(control, &QTcpSocket::disconnected, control, &QObject::deleteLater);
            continue;
        }
        if (relayTo != 0 && connections.load() < relayed) {
            ++connections;
            relay(control);
            continue;
        }
        ++connections;
        clientGone = false;
        control->write(greeting);
        if (!dribble.isEmpty()) {
            auto* timer = new QTimer(control);
            auto sent = std::make_shared<qsizetype>(0);
            QObject::connect(timer, &QTimer::timeout, control, [this, control, sent] {
                if (*sent < dribble.size())
                    control->write(dribble.mid((*sent)++, 1));
            });
            timer->start(dribbleMs);
        }
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(control, &QTcpSocket::readyRead, control, [this, control, buffer] {
            buffer->append(control->readAll());
            qsizetype end;
            while ((end = buffer->indexOf("\r\n")) >= 0) {
                const QByteArray line = buffer->left(end);
                buffer->remove(0, end + 2);
                {
                    QMutexLocker lock(&m_lock);
                    m_received << line;
                }
                onCommand(control, line);
            }
        });
        QObject::connect(control, &QTcpSocket::disconnected, control, [this, control] {
            clientGone = true;
            control->deleteLater();
        });
    }
}

void ScriptedFtpServer::relay(QTcpSocket* control) {
    auto* upstream = new QTcpSocket(control);
    upstream->connectToHost(QHostAddress::LocalHost, relayTo);
    const bool cut = connections.load() == cutOnStor;
    QObject::connect(control, &QTcpSocket::readyRead, upstream, [this, control, upstream, cut] {
        const QByteArray bytes = control->readAll();
        if (cut && bytes.contains("STOR ")) {
            wasCut = true;
            upstream->abort();
            control->abort();
            return;
        }
        upstream->write(bytes);
    });
    QObject::connect(upstream, &QTcpSocket::readyRead, control,
                     [control, upstream] { control->write(upstream->readAll()); });
    QObject::connect(upstream, &QTcpSocket::disconnected, control,
                     [control] { control->disconnectFromHost(); });
    QObject::connect(control, &QTcpSocket::disconnected, control, [control, upstream] {
        upstream->disconnectFromHost();
        control->deleteLater();
    });
}

quint16 ScriptedFtpServer::port() const {
    return m_port;
}

void ScriptedFtpServer::onCommand(QTcpSocket* control, const QByteArray& line) {
    const qsizetype space = line.indexOf(' ');
    const QByteArray verb = (space < 0 ? line : line.left(space)).toUpper();
    const QByteArray argument = space < 0 ? QByteArray() : line.mid(space + 1);
    if (replies.contains(line)) { // a reply for the whole line comes before one for the verb
        control->write(replies.value(line));
        return;
    }
    if (replies.contains(verb)) {
        control->write(replies.value(verb));
        return;
    }
    if (verb == "PASV") {
        delete m_passive;
        m_passive = new QTcpServer;
        m_passive->listen(QHostAddress::LocalHost, 0);
        const quint16 p = m_passive->serverPort();
        const QByteArray numbers =
            pasvAddress + ',' + QByteArray::number(p / 256) + ',' + QByteArray::number(p % 256);
        control->write("227 Entering Passive Mode " +
                       (pasvParentheses ? '(' + numbers + ')' : numbers) + "\r\n");
        m_activePort = 0;
    } else if (verb == "PORT") {
        const QList<QByteArray> n = argument.split(',');
        m_activeHost =
            QStringLiteral("%1.%2.%3.%4").arg(n.value(0), n.value(1), n.value(2), n.value(3));
        m_activePort = static_cast<quint16>(n.value(4).toInt() * 256 + n.value(5).toInt());
        delete m_passive;
        m_passive = nullptr;
        control->write("200 PORT ok\r\n");
    } else if (verb == "LIST" || verb == "NLST" || verb == "STOR") {
        runData(control, verb == "STOR");
    } else {
        static const QHash<QByteArray, QByteArray> defaults = {
            {"USER", "331 Password please.\r\n"},
            {"PASS", "230 Logged in.\r\n"},
            {"TYPE", "200 Type set.\r\n"},
            {"PWD", "257 \"/\" is the current directory.\r\n"},
            {"CWD", "250 Okay.\r\n"},
            {"CDUP", "250 Okay.\r\n"},
            {"MKD", "257 Created.\r\n"},
        };
        control->write(defaults.value(verb, "500 Unknown command.\r\n"));
    }
}

void ScriptedFtpServer::runData(QTcpSocket* control, bool store) {
    const auto withData = [this, control, store](QTcpSocket* data) {
        control->write("150 Opening data connection.\r\n");
        if (store) {
            {
                QMutexLocker lock(&m_lock);
                m_stored.clear();
            }
            QObject::connect(data, &QTcpSocket::readyRead, data, [this, data, control] {
                QMutexLocker lock(&m_lock);
                m_stored += data->readAll();
                if (resetStoreAfter < 0 || m_stored.size() < resetStoreAfter)
                    return;
                QObject::disconnect(data, nullptr, data, nullptr);
                data->abort();
                control->write(afterData);
                data->deleteLater();
            });
            QObject::connect(data, &QTcpSocket::disconnected, data, [this, data, control] {
                {
                    QMutexLocker lock(&m_lock);
                    m_stored += data->readAll();
                }
                control->write(afterData);
                data->deleteLater();
            });
            return;
        }
        data->write(listing);
        const auto finish = [this, data, control] {
            if (data->bytesToWrite() > 0)
                return;
            data->disconnectFromHost();
            control->write(afterData);
            data->deleteLater();
        };
        QObject::connect(data, &QTcpSocket::bytesWritten, data, finish);
        if (listing.isEmpty())
            finish();
    };
    if (m_passive) {
        if (m_passive->hasPendingConnections() || m_passive->waitForNewConnection(2000))
            withData(m_passive->nextPendingConnection());
        else
            control->write("425 No data connection.\r\n");
        return;
    }
    if (!acceptActive)
        return; // announces nothing and never connects: the client's wait runs out
    auto* data = new QTcpSocket(m_server);
    data->bind(QHostAddress(activeFrom));
    data->connectToHost(m_activeHost, m_activePort);
    if (!data->waitForConnected(2000)) {
        control->write("425 Cannot open data connection.\r\n");
        delete data;
        return;
    }
    withData(data);
}

} // namespace qv::test
