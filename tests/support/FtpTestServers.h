#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QTcpServer;
class QTcpSocket;

namespace qv::test {

// The files of a local folder below it, in the order the upload walks them.
QStringList filesInWalkOrder(const QString& folder);

// A real FTP server process on 127.0.0.1 serving a temporary folder; killed when destroyed.
class RealFtpServer {
public:
    enum class Kind { Pyftpdlib, Vsftpd };

    explicit RealFtpServer(Kind kind);
    ~RealFtpServer();

    // False with a reason when the server could not be started; skip() then says whether the
    // reason is only that the program is not installed.
    bool start(QString* why);
    bool missingProgram() const { return m_missing; }

    quint16 port() const { return m_port; }
    QString user() const;
    QString password() const;
    // The remote folder uploads go into, and where its files land on this machine.
    QString uploadFolder() const;
    QString uploadedPath() const;
    // A file name the server refuses to store in the upload folder (vsftpd), or a folder name
    // below it in which every store is refused (pyftpdlib), with the reply text it gives.
    QString refusedName() const;
    QString refusedText() const;

private:
    bool waitForListening(QString* why);

    Kind m_kind;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    bool m_missing = false;
};

// A scripted FTP server in the test's own thread for the replies real servers do not give. It
// answers each command from a table of raw replies (by verb) and runs the data connections of
// PASV, PORT, LIST, NLST and STOR itself.
class ScriptedFtpServer {
public:
    ScriptedFtpServer();
    ~ScriptedFtpServer();

    quint16 port() const;

    QByteArray greeting = "220 scripted\r\n";
    // Raw replies by verb; a verb without one gets a sensible default ("500" when unknown).
    QHash<QByteArray, QByteArray> replies;
    // The numbers a PASV reply names as its address, and whether they stand in parentheses.
    QByteArray pasvAddress = "127,0,0,1";
    bool pasvParentheses = true;
    QByteArray listing; // sent for LIST and NLST
    QByteArray afterData = "226 Transfer complete.\r\n";
    bool acceptActive = true; // false: never opens the active data connection
    // When a STOR has brought at least this many bytes, the data connection is reset and
    // afterData is sent (below zero: never).
    qint64 resetStoreAfter = -1;

    // Every command line received, without its line end, in order.
    QList<QByteArray> received;
    QByteArray stored; // the bytes of the last STOR
    int connections = 0;
    bool clientGone = false; // the control connection of the last session was closed by the client

private:
    void onCommand(QTcpSocket* control, const QByteArray& line);
    void runData(QTcpSocket* control, bool store);

    QTcpServer* m_server;
    QTcpServer* m_passive = nullptr;
    QString m_activeHost;
    quint16 m_activePort = 0;
};

} // namespace qv::test
