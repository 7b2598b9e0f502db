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
    visitor.file = [&](const QString& relative, const QString&) {
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
    return m_kind == Kind::Pyftpdlib ? QStringLiteral("tester") : QStringLiteral("anonymous");
}

QString RealFtpServer::password() const {
    return m_kind == Kind::Pyftpdlib ? QStringLiteral("s3cret") : QString();
}

QString RealFtpServer::uploadFolder() const {
    return m_kind == Kind::Pyftpdlib ? QStringLiteral("/") : QStringLiteral("/upload/");
}

QString RealFtpServer::uploadedPath() const {
    return m_kind == Kind::Pyftpdlib ? m_dir.filePath(QStringLiteral("root"))
                                     : m_dir.filePath(QStringLiteral("anon/upload"));
}

QString RealFtpServer::refusedName() const {
    return m_kind == Kind::Pyftpdlib ? QStringLiteral("locked") : QStringLiteral("stop.refused");
}

QString RealFtpServer::refusedText() const {
    return m_kind == Kind::Pyftpdlib ? QStringLiteral("Not enough privileges.\n")
                                     : QStringLiteral("Permission denied.\n");
}

bool RealFtpServer::start(QString* why) {
    if (!m_dir.isValid()) {
        *why = QStringLiteral("no temporary folder");
        return false;
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
    const QString configPath = m_dir.filePath(QStringLiteral("vsftpd.conf"));
    if (!writeText(configPath, config)) {
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

ScriptedFtpServer::ScriptedFtpServer() : m_server(new QTcpServer) {
    m_server->listen(QHostAddress::LocalHost, 0);
    QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] {
        while (QTcpSocket* control = m_server->nextPendingConnection()) {
            ++connections;
            clientGone = false;
            control->write(greeting);
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(control, &QTcpSocket::readyRead, control, [this, control, buffer] {
                buffer->append(control->readAll());
                qsizetype end;
                while ((end = buffer->indexOf("\r\n")) >= 0) {
                    const QByteArray line = buffer->left(end);
                    buffer->remove(0, end + 2);
                    received << line;
                    onCommand(control, line);
                }
            });
            QObject::connect(control, &QTcpSocket::disconnected, control, [this, control] {
                clientGone = true;
                control->deleteLater();
            });
        }
    });
}

ScriptedFtpServer::~ScriptedFtpServer() {
    delete m_passive;
    delete m_server;
}

quint16 ScriptedFtpServer::port() const {
    return m_server->serverPort();
}

void ScriptedFtpServer::onCommand(QTcpSocket* control, const QByteArray& line) {
    const qsizetype space = line.indexOf(' ');
    const QByteArray verb = (space < 0 ? line : line.left(space)).toUpper();
    const QByteArray argument = space < 0 ? QByteArray() : line.mid(space + 1);
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
            stored.clear();
            QObject::connect(data, &QTcpSocket::readyRead, data, [this, data, control] {
                stored += data->readAll();
                if (resetStoreAfter < 0 || stored.size() < resetStoreAfter)
                    return;
                QObject::disconnect(data, nullptr, data, nullptr);
                data->abort();
                control->write(afterData);
                data->deleteLater();
            });
            QObject::connect(data, &QTcpSocket::disconnected, data, [this, data, control] {
                stored += data->readAll();
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
    data->connectToHost(m_activeHost, m_activePort);
    if (!data->waitForConnected(2000)) {
        control->write("425 Cannot open data connection.\r\n");
        delete data;
        return;
    }
    withData(data);
}

} // namespace qv::test
