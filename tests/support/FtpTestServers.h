#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <QMutex>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

class QTcpServer;
class QTcpSocket;

namespace qv::test {

// The files of a local folder below it, in the order the upload walks them.
QStringList filesInWalkOrder(const QString& folder);

// A real FTP or SFTP server process on 127.0.0.1 serving a temporary folder; killed when
// destroyed. VsftpdTls requires TLS for login and data, with a self-signed certificate made for
// the run; Sftp is python3-asyncssh with a password login.
class RealFtpServer {
public:
    // TlsRefusingProt is a scripted server that takes TLS for the login but refuses to protect
    // the data connections.
    enum class Kind { Pyftpdlib, Vsftpd, VsftpdTls, Sftp, TlsRefusingProt };

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
    // The server's certificate (VsftpdTls) or host key (Sftp) fingerprint, as the client shows it.
    QString fingerprint() const { return m_fingerprint; }
    // Sftp: the file holding the host key; a server started with the same file shows the same key.
    void setHostKeyFile(const QString& path) { m_hostKeyFile = path; }
    Kind kind() const { return m_kind; }
    bool isVsftpd() const { return m_kind == Kind::Vsftpd || m_kind == Kind::VsftpdTls; }

    // TlsRefusingProt: the command lines it received so far.
    QStringList commandsReceived();

private:
    bool waitForListening(QString* why);
    bool makeCertificate(const QString& key, const QString& cert, QString* why);

    Kind m_kind;
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
    bool m_missing = false;
    QString m_fingerprint;
    QString m_hostKeyFile;
    QByteArray m_output;
};

// A scripted FTP server on a thread of its own for the replies real servers do not give. It
// answers each command from a table of raw replies (by verb) and runs the data connections of
// PASV, PORT, LIST, NLST and STOR itself. Set its fields before a client connects; read what it
// received once the client's operation has ended.
class ScriptedFtpServer {
public:
    ScriptedFtpServer();
    ~ScriptedFtpServer();

    quint16 port() const;

    QByteArray greeting = "220 scripted\r\n";
    // Sent after the greeting one byte every dribbleMs: a reply that never ends in time.
    QByteArray dribble;
    int dribbleMs = 300;
    // The address active-mode data connections come from (another host than the control
    // connection's when it is not 127.0.0.1).
    QString activeFrom = QStringLiteral("127.0.0.1");
    // Raw replies by whole command line or by verb; a command without one gets a sensible
    // default ("500" when unknown).
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
    // Above zero: connections after the first this many are turned away with a 421 greeting, as
    // hosts that allow few connections per address do.
    int maxConnections = 0;
    // A middleman: the first relayed connections are passed through unchanged to the server on
    // 127.0.0.1:relayTo (0: none are), the later ones get this script.
    quint16 relayTo = 0;
    int relayed = 0;
    // The relayed connection of this number (from 1) is cut when its client sends STOR, as a
    // connection that drops in the middle of an upload (0: none is).
    int cutOnStor = 0;
    std::atomic<bool> wasCut{false};

    // Every command line received, without its line end, in order.
    QList<QByteArray> received() const;
    QByteArray stored() const; // the bytes of the last STOR
    std::atomic<int> connections{0};
    std::atomic<bool> clientGone{false}; // the last session's control connection was closed

private:
    void onCommand(QTcpSocket* control, const QByteArray& line);
    void runData(QTcpSocket* control, bool store);

    void onConnection();
    void relay(QTcpSocket* control);

    mutable QMutex m_lock; // m_received, m_stored
    QList<QByteArray> m_received;
    QByteArray m_stored;
    QThread m_thread;
    QObject* m_context = nullptr; // lives on m_thread; the server's work runs as its calls
    QTcpServer* m_server = nullptr;
    quint16 m_port = 0;
    QTcpServer* m_passive = nullptr;
    QString m_activeHost;
    quint16 m_activePort = 0;
};

} // namespace qv::test
