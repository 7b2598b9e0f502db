#pragma once

#include "ftp/FtpClient.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace qv {

// The upload worker: mirrors a local folder into the remote directory a connected client is in,
// on a thread of its own. It lives on the thread that created it (the window's); its reports are
// signals emitted from the upload thread, so they reach receivers there as queued calls and carry
// everything they need by value. After cancel() it sends nothing more to the server and emits no
// report; only finished() follows.
class TFtpThread : public QObject {
    Q_OBJECT
public:
    explicit TFtpThread(QObject* parent = nullptr);
    // Cancels a run in progress and waits for its thread, which takes a few milliseconds.
    ~TFtpThread() override;

    // Counts the files of the local folder with the same walk the upload makes; eachFile gets
    // each one's path below the folder. Returns the total.
    int prepare(const QString& localFolder,
                const std::function<void(const QString& relativePath)>& eachFile = {});
    // Starts the run with a connected client, which the worker takes over and releases when it
    // ends. Call once, from the thread that created the worker (and the client).
    void start(std::unique_ptr<FtpClient> client);
    // Safe from any thread: the run stops at its next step, aborting a transfer in flight.
    void cancel();
    bool isCancelled() const { return m_cancel.load(); }
    bool isRunning() const;
    bool wait(int ms);

    // Asked before each file when set (before start()), on the upload thread: whether to send the
    // file at relativePath (below the local folder, "/" between names), given its size on the
    // server (-1 when the server cannot tell, -2 when it has no such file). A file it declines
    // is counted as done without a file report.
    std::function<bool(const QString& relativePath, qint64 size)> shouldSend;

    // Whether the run ends with a listing of the remote folder for remoteListRefresh() (on by
    // default). Without one to show it in, it only costs time: servers answer slowly right
    // after a big file.
    void setRefreshRemoteList(bool on) { m_refreshRemoteList = on; }

    const QString& localFolder() const { return m_localFolder; }
    int total() const { return m_total; }
    // The symbolic links prepare() found: they are not uploaded (walkFolder never follows one).
    const QStringList& skippedLinks() const { return m_skippedLinks; }
    qint64 totalBytes() const { return m_totalBytes; }

Q_SIGNALS:
    void fileReport(const QString& currentFile, int currentNumber, int total);
    // The file has arrived on the server whole (emitted on the upload thread).
    void fileSent(const QString& relativePath);
    // Bytes of the files sent so far against the bytes counted by prepare(), and the average
    // speed of the run in bytes per second; sent at least every quarter of a second while a file
    // moves.
    void bytesReport(qint64 bytesSent, qint64 bytesTotal, double bytesPerSecond);
    void remoteListRefresh(const QStringList& lines);
    void browsingOff();
    void completed();
    void failed(const QString& text);
    // The upload thread has ended, whatever the outcome.
    void finished();

private:
    void run(FtpClient* client);
    bool runWalk(FtpClient* client, QString* error);

    QString m_localFolder;
    int m_total = 0;
    qint64 m_totalBytes = 0;
    QStringList m_skippedLinks;
    int m_currentNumber = 1;
    bool m_refreshRemoteList = true;
    std::atomic<bool> m_cancel{false};
    QThread* m_thread = nullptr;
};

} // namespace qv
