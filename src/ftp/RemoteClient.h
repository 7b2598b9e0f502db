// The transfer engine of uploads: FTP, FTP over TLS and SFTP through libcurl.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/FileStamp.h"
#include "ftp/FtpTimeouts.h"
#include "ftp/RemoteProtocol.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace qv {

// Where a client connects and as whom.
struct RemoteEndpoint {
    RemoteProtocol protocol = RemoteProtocol::Ftps;
    QString host;
    quint16 port = 21;
    QString user;
    QString password;
    bool passive = false; // FTP only: the server opens no connection to us
};

// The server identities (certificate or host key fingerprints) a client accepts beside the
// certificates the system's authorities vouch for.
struct PeerTrust {
    QString remembered;   // kept for this server from an earlier "Always"
    QStringList accepted; // trusted for this run only ("Once", a --trust option)
    // The server was seen with TLS before: a server that no longer offers it is a warning sign,
    // never a question.
    bool encryptedBefore = false;
    // For FTP over TLS: the user agreed, for this run, to log in and send the files unencrypted
    // to a server that offers no encryption.
    bool clearTextAccepted = false;

    bool trusts(const QString& fingerprint) const;
};

// Why the last operation failed, for callers that do more than show the text.
struct RemoteFailure {
    enum class Kind {
        None,
        Other,                // a refusal by the server or a transport failure: the text says
        UntrustedCertificate, // fingerprint holds the certificate's; the user may trust it
        UnknownHostKey,       // fingerprint holds the SSH host key's; the user may trust it
        ChangedHostKey,       // the host key differs from the remembered one: refused
        ChangedCertificate,   // the certificate differs from the remembered one; fingerprint
                              // holds the new one's
        NoEncryption,         // the server offers no TLS; nothing was sent but the offer asked
                              // for; the user may agree to send without encryption
        EncryptionWithdrawn,  // the same from a server seen with TLS before: refused
        Cancelled,
    };
    Kind kind = Kind::None;
    QString text;
    QString fingerprint;
    bool connectionLost = false; // the connection broke off: the operation may go well on another
};

// One session with an FTP, FTP over TLS or SFTP server. Every operation blocks its caller until
// it completes, fails or is cancelled; run it on a thread that may wait (never a window's). The
// client is used by one thread at a time and may be handed from one thread to another between
// operations. cancel() is the one call safe from any thread at any time.
//
// The client keeps the remote directory it is in itself (an absolute path); every operation
// names its folder in full, so the server's own current directory never matters.
//
// Failures come back as texts the callers show unchanged: a refusal by the server is the reply's
// text, line by line; transport failures, time limits and trust problems get texts of our own.
class RemoteClient {
public:
    explicit RemoteClient(RemoteEndpoint endpoint);
    ~RemoteClient();
    RemoteClient(const RemoteClient&) = delete;
    RemoteClient& operator=(const RemoteClient&) = delete;

    const RemoteEndpoint& endpoint() const { return m_endpoint; }
    PeerTrust trust;
    FtpTimeouts timeouts = FtpTimeouts::defaults();

    // Bytes of a listing the client holds at most.
    static constexpr qint64 kMaxListingBytes = 64 * 1024 * 1024;

    // Stops the operation in progress within moments (it fails with cancelledText()) and every
    // later one at once. Safe from any thread.
    void cancel();
    bool isCancelled() const { return m_cancelled.load(); }
    static QString cancelledText();

    // Connects, checks the server's identity, logs in and learns the login directory. A failure
    // leaves the client not connected; lastFailure() says whether trusting the server would help.
    bool connectAndLogin(QString* error);
    bool isConnected() const { return m_connected; }
    // Whether the login and the files travel encrypted (TLS or SSH); known once connected.
    bool isEncrypted() const { return m_encrypted; }
    // The fingerprint of the certificate or host key the server showed when the session began;
    // empty without encryption.
    const QString& peerFingerprint() const { return m_peerFingerprint; }
    // Ends the session; further operations fail until the next connectAndLogin.
    void close();
    const RemoteFailure& lastFailure() const { return m_failure; }

    // The login directory, as the server named it when the session began.
    const QString& loginDirectory() const { return m_loginDirectory; }
    // The remote directory the client is in (absolute, without a trailing "/" but for the root).
    std::optional<QString> currentDirectory(QString* error);
    // Enters a directory: a bare name or relative path below the current one, or an absolute
    // path. Fails with the server's text when it is not there or may not be entered.
    bool changeDirectory(const QString& path, QString* error);
    bool changeToParentDirectory(QString* error);
    bool makeDirectory(const QString& path, QString* error);
    // The names in the current directory (NLST), and its detailed listing (LIST, or the SFTP
    // server's long names), line by line.
    std::optional<QStringList> listNames(QString* error);
    std::optional<QStringList> listDetails(QString* error);

    // Called while a file is being sent with the bytes of it that have left so far.
    using Progress = std::function<void(qint64 bytesSent)>;
    // What a store read from the local file and handed to the server: its size and digest
    // (ContentDigest), taken from the very bytes sent, so no second reading of the file is needed
    // to know what the server now holds; and the file's stamp when it vouches for those bytes
    // (the file did not change while it was sent, nor shortly before).
    struct SentContent {
        qint64 size = 0;
        QByteArray digest;
        std::optional<FileStamp> stamp;
    };
    // Sends the local file under its bare name into the current directory, replacing a file of
    // that name where the server allows it. On success, sent (when given) holds what was sent.
    bool storeFile(const QString& localPath, QString* error, const Progress& progress = {},
                   SentContent* sent = nullptr);
    // The same into the remote folder given in full (an absolute path), wherever the client is.
    bool storeFileInto(const QString& remoteFolder, const QString& localPath, QString* error,
                       const Progress& progress = {}, SentContent* sent = nullptr);

    // The absolute form of a path given relative to the current directory.
    QString resolve(const QString& path) const;

private:
    struct Curl;
    enum class Op { Login, Enter, List, Names, Quote, Store };
    bool run(Op op, const QString& folder, QString* error, const QString& argument = QString(),
             QByteArray* received = nullptr, const Progress& progress = {},
             SentContent* sent = nullptr);
    bool refuseLineBreaks(const QString& name, QString* error);
    void fail(RemoteFailure::Kind kind, const QString& text, QString* error);

    RemoteEndpoint m_endpoint;
    std::unique_ptr<Curl> m_curl;
    std::atomic<bool> m_cancelled{false};
    std::mutex m_wakeLock; // guards m_wakeMulti against close() while cancel() wakes it
    void* m_wakeMulti = nullptr;
    bool m_connected = false;
    bool m_encrypted = false;
    QString m_peerFingerprint;
    QString m_loginDirectory;
    QString m_current;
    RemoteFailure m_failure;
};

} // namespace qv
