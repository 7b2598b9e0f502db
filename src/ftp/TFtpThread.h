#pragma once

#include "ftp/RemoteClient.h"
#include "ftp/TransferLanes.h"
#include "session/FtpSettings.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

class QThread;

namespace qv {

// The upload worker: mirrors a local folder into the remote directory a connected client is in,
// on a thread of its own (start) or on the caller's (runHere). It lives on the thread that
// created it (the window's); its reports are signals emitted from the upload thread, so they
// reach receivers there as queued calls and carry everything they need by value. After cancel()
// it sends nothing more to the server and emits no report; only finished() follows.
//
// With more than one connection the files of the walk go up several at once (TransferLanes).
// The folders are still made in the order of the walk, each before its files; the reports come
// from the thread that sent the file, never from two threads at once, and number the files in
// the order they start, one more each time, so the last file started is "m of m" whatever the
// number of connections. The first failure ends the run as with one connection: no further file is
// started, the files in flight end, and the failure is reported.
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
    // Starts the run on a thread of its own with a connected client, which the worker takes
    // over and releases when it ends. Call once, from the thread that created the worker.
    void start(std::unique_ptr<RemoteClient> client);
    // The same run on the calling thread; returns when it has ended, true when it completed.
    // For a caller without a window to keep painting (the command line).
    bool runHere(std::unique_ptr<RemoteClient> client);
    // Safe from any thread: the run stops at once, aborting a transfer in flight.
    void cancel();
    bool isCancelled() const { return m_cancel.load(); }
    bool isRunning() const;
    bool wait(int ms);

    // How many files go up at once, each over a connection of its own (1 to kMaxConnections;
    // 1 unless set). The upload's own client is one of them; the others connect when the run
    // starts. With 1 the files go up one after another in the order of the walk.
    static constexpr int kMaxConnections = FtpSettings::kMaxConnections;
    void setConnections(int count);
    int connections() const { return m_connections; }

    // Whether the run ends with a listing of the remote folder for remoteListRefresh() (on by
    // default). Without one to show it in, it only costs time: servers answer slowly right
    // after a big file.
    void setRefreshRemoteList(bool on) { m_refreshRemoteList = on; }

    // Asked on the upload thread before each file is sent, with its path below the local folder
    // and its size; false skips the file: it gets no file report but uses up its number, so the
    // next file's report counts it, and fileSkipped() tells of it. Without one every file is sent.
    using ShouldSend = std::function<bool(const QString& relativePath, qint64 size)>;
    void setShouldSend(ShouldSend decide) { m_shouldSend = std::move(decide); }
    // Told on the upload thread, before fileSent(), of each file that arrived and of what was
    // sent: nothing is lost when the window goes away before the queued reports would arrive.
    using RecordSent =
        std::function<void(const QString& relativePath, const RemoteClient::SentContent& sent)>;
    void setRecordSent(RecordSent record) { m_recordSent = std::move(record); }
    // Meant for shouldSend: the size the server lists for a file of the folder being uploaded
    // (one detailed listing per folder, made when first asked); nothing when the listing does not
    // show it, the file is missing, or the listing failed.
    std::optional<qint64> remoteSize(const QString& relativePath);
    // The same for an upload record: the listed size, UploadManifest::kRemoteFileMissing when the
    // folder's listing was read and does not show the file, UploadManifest::kRemoteSizeUnknown
    // when the listing could not be read.
    qint64 listedSize(const QString& relativePath);

    const QString& localFolder() const { return m_localFolder; }
    int total() const { return m_total; }
    // The symbolic links prepare() found: they are not uploaded (walkFolder never follows one).
    const QStringList& skippedLinks() const { return m_skippedLinks; }
    // Named pipes, devices and sockets in the folder: never read, never sent.
    const QStringList& skippedSpecialFiles() const { return m_skippedSpecialFiles; }
    qint64 totalBytes() const { return m_totalBytes; }
    int skippedCount() const { return m_skippedCount; }

Q_SIGNALS:
    void fileReport(const QString& currentFile, int currentNumber, int total);
    // Bytes of the files sent so far against the bytes counted by prepare(), and the average
    // speed of the run in bytes per second; sent at least every quarter of a second while a file
    // moves.
    void bytesReport(qint64 bytesSent, qint64 bytesTotal, double bytesPerSecond);
    // A file has arrived on the server whole, with the size and SHA-256 of the bytes sent (the
    // digest is empty when it could not be made); one the decision skipped.
    void fileSent(const QString& relativePath, qint64 size, const QByteArray& digest);
    void fileSkipped(const QString& relativePath);
    void remoteListRefresh(const QStringList& lines);
    void browsingOff();
    void completed();
    void failed(const QString& text);
    // The upload has ended, whatever the outcome.
    void finished();

private:
    bool run(RemoteClient* client);
    bool runWalk(RemoteClient* client, QString* error);
    // Sends one file over client, with its reports; false with the failure's text.
    bool sendFile(RemoteClient& client, const TransferJob& job, QString* error);
    // The size the server lists for a file, and whether the listing of its folder was read.
    std::pair<std::optional<qint64>, bool> remoteSizeIn(const QString& relativePath);
    void reportBytes(qint64 inFlightChange, bool always);

    QString m_localFolder;
    int m_total = 0;
    qint64 m_totalBytes = 0;
    QStringList m_skippedLinks;
    QStringList m_skippedSpecialFiles;
    int m_connections = 1;
    std::mutex m_reportLock; // one report at a time; guards the counts below during a run
    int m_currentNumber = 1; // the number the next file started or skipped gets
    qint64 m_bytesEnded = 0; // of the files sent or skipped
    qint64 m_bytesInFlight = 0;
    qint64 m_lastBytesReport = 0;
    QElapsedTimer m_clock;
    int m_skippedCount = 0;
    bool m_refreshRemoteList = true;
    ShouldSend m_shouldSend;
    RecordSent m_recordSent;
    RemoteClient* m_runningClient = nullptr; // the client of the walk, for remoteSize
    // What the server holds in each folder the walk has been in, listed when the walk first needs
    // it there: a folder the walk comes back to is not listed again.
    struct ListedFolder {
        QHash<QString, qint64> sizes; // of the files
        QStringList names;            // of every entry, folders too
        bool listed = false;          // whether the listing was read
    };
    // The listing of folder (relative to the local folder's counterpart), which the walk is in.
    const ListedFolder& listedFolder(const QString& folder);
    QHash<QString, ListedFolder> m_listedFolders;
    std::atomic<bool> m_cancel{false};
    std::mutex m_clientLock; // guards m_cancelClient against cancel() from another thread
    RemoteClient* m_cancelClient = nullptr;
    TransferLanes* m_cancelLanes = nullptr;
    QThread* m_thread = nullptr;
};

} // namespace qv
