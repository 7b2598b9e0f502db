#pragma once

#include "ftp/FtpReply.h"
#include "ftp/FtpTimeouts.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

class QEventLoop;
class QFile;
class QTcpServer;
class QTcpSocket;

namespace qv {

// A small FTP client over TCP (IPv4, no encryption): one control connection, one data connection
// per listing or file, in passive or active mode.
//
// Every operation blocks its caller until it completes or fails, but it waits by running the
// calling thread's events (user input excluded), so a window that calls it keeps painting and the
// upload worker's thread stays able to take queued calls. The client belongs to one thread at a
// time; hand it to another with moveToThread from the thread that has it.
//
// Failures come back as texts the callers show unchanged: a refusal by the server is the reply's
// text, line by line; transport failures and time limits get texts of our own.
class FtpClient : public QObject {
public:
    explicit FtpClient(QObject* parent = nullptr);
    ~FtpClient() override;

    QString host;
    quint16 port = 21;
    QString username;
    QString password;
    bool passive = false; // applies to every data connection opened after it is set
    FtpTimeouts timeouts = FtpTimeouts::defaults();

    // Bytes of the listing the client holds at most.
    static constexpr qint64 kMaxListingBytes = 64 * 1024 * 1024;

    // When the flag becomes true, the operation in progress stops within a few milliseconds,
    // closes the connection and fails with the text of cancelledText().
    void setCancelFlag(const std::atomic<bool>* flag) { m_cancel = flag; }
    static QString cancelledText();

    // Opens the control connection, logs in and selects image type. A failure leaves the client
    // not connected.
    bool connectAndLogin(QString* error);
    bool isConnected() const;
    // Closes the control connection without QUIT.
    void close();

    std::optional<QString> currentDirectory(QString* error);
    bool changeDirectory(const QString& path, QString* error);
    bool changeToParentDirectory(QString* error);
    bool makeDirectory(const QString& path, QString* error);
    std::optional<QStringList> listNames(QString* error);
    std::optional<QStringList> listDetails(QString* error);

    // The size the server gives for a file of its current directory (SIZE): the size, -2 when the
    // server says there is no such file, -1 when it cannot tell (no SIZE, another reply).
    qint64 remoteFileSize(const QString& name);

    // Called while a file is being sent with the bytes of it that have left so far.
    using Progress = std::function<void(qint64 bytesSent)>;
    // Sends the local file under its bare name into the server's current directory.
    bool storeFile(const QString& localPath, QString* error, const Progress& progress = {});

private:
    enum class Wait { Ready, TimedOut, Cancelled };
    struct WaitState {
        QEventLoop* loop;
        const std::function<bool()>* ready;
        bool quitting;
    };
    Wait waitUntil(const std::function<bool()>& ready, int limitMs);
    // Like waitUntil, but a time limit or cancellation fails with a text and closes the connection.
    bool waitOrFail(const std::function<bool()>& ready, int limitMs, const QString& timedOut,
                    QString* error);
    void wake();
    void watch(QObject* socketOrServer);

    bool send(const QByteArray& verb, const QString& argument, QString* error);
    std::optional<FtpReply> readReply(QString* error);
    std::optional<FtpReply> expect(const QList<int>& accepted, QString* error);
    std::optional<FtpReply> command(const QByteArray& verb, const QString& argument,
                                    const QList<int>& accepted, QString* error);

    std::optional<QStringList> listing(const QByteArray& verb, QString* error);
    bool transfer(const QByteArray& verb, const QString& argument, QFile* source,
                  QByteArray* received, QString* error, const Progress& progress);
    QTcpSocket* openPassive(QString* error);
    QTcpServer* listenActive(QString* error);
    bool receive(QTcpSocket* data, QByteArray* received, QString* error);
    bool sendFile(QTcpSocket* data, QFile* source, QString* error, const Progress& progress);
    bool sendFileDirect(QTcpSocket* data, QFile* source, QString* error, const Progress& progress,
                        bool* unsupported);
    bool closeData(QTcpSocket* data, QString* error);
    bool finalReply(QString* error);
    void dropData();

    QTcpSocket* m_control = nullptr;
    QTcpSocket* m_data = nullptr;
    QTcpServer* m_listener = nullptr;
    FtpReplyParser m_parser;
    bool m_imageType = false;
    const std::atomic<bool>* m_cancel = nullptr;
    WaitState* m_wait = nullptr; // of the wait in progress
    QByteArray m_sendBuffer;     // chunks of the file being sent
};

} // namespace qv
