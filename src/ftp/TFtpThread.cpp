#include "ftp/TFtpThread.h"

#include "ftp/UploadManifest.h"

#include "ftp/FolderWalk.h"
#include "ftp/RemoteListing.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScopeGuard>
#include <QThread>

#include <algorithm>

namespace qv {

namespace {
constexpr qint64 kBytesReportMs = 250;
} // namespace

TFtpThread::TFtpThread(QObject* parent) : QObject(parent) {}

TFtpThread::~TFtpThread() {
    if (m_thread) {
        cancel();
        m_thread->wait();
        delete m_thread;
    }
}

int TFtpThread::prepare(const QString& localFolder,
                        const std::function<void(const QString&)>& eachFile) {
    m_currentNumber = 1;
    m_localFolder = QDir::cleanPath(QDir::fromNativeSeparators(localFolder));
    m_total = 0;
    m_totalBytes = 0;
    m_skippedLinks.clear();
    m_skippedSpecialFiles.clear();
    FolderWalkVisitor visitor;
    visitor.skippedLink = [this](const QString& relativePath) {
        m_skippedLinks.append(relativePath);
    };
    visitor.skippedSpecial = [this](const QString& relativePath) {
        m_skippedSpecialFiles.append(relativePath);
    };
    visitor.file = [&](const QString& relativePath, const QString&, qint64 size) {
        ++m_total;
        m_totalBytes += size;
        if (eachFile)
            eachFile(relativePath);
        return true;
    };
    walkFolder(m_localFolder, visitor);
    return m_total;
}

void TFtpThread::start(std::unique_ptr<RemoteClient> client) {
    Q_ASSERT(!m_thread);
    RemoteClient* c = client.release();
    m_thread = QThread::create([this, c] {
        run(c);
        Q_EMIT finished();
    });
    m_thread->start();
}

bool TFtpThread::runHere(std::unique_ptr<RemoteClient> client) {
    const bool ok = run(client.release());
    Q_EMIT finished();
    return ok;
}

void TFtpThread::cancel() {
    m_cancel.store(true);
    std::lock_guard lock(m_clientLock);
    if (m_cancelClient)
        m_cancelClient->cancel();
    if (m_cancelLanes)
        m_cancelLanes->cancel();
}

void TFtpThread::setConnections(int count) {
    m_connections = std::clamp(count, 1, kMaxConnections);
}

bool TFtpThread::isRunning() const {
    return m_thread && m_thread->isRunning();
}

bool TFtpThread::wait(int ms) {
    return !m_thread || m_thread->wait(QDeadlineTimer(ms));
}

bool TFtpThread::run(RemoteClient* client) {
    {
        std::lock_guard lock(m_clientLock);
        m_cancelClient = client;
        if (m_cancel.load())
            client->cancel();
    }
    QString error;
    const bool ok = runWalk(client, &error);
    if (!ok && !m_cancel.load())
        Q_EMIT failed(error);
    {
        std::lock_guard lock(m_clientLock);
        m_cancelClient = nullptr;
    }
    delete client; // releasing the client closes a connection that is still open
    return ok;
}

std::optional<qint64> TFtpThread::remoteSize(const QString& relativePath) {
    return remoteSizeIn(relativePath).first;
}

const TFtpThread::ListedFolder& TFtpThread::listedFolder(const QString& folder) {
    auto listing = m_listedFolders.find(folder);
    if (listing == m_listedFolders.end()) {
        QString ignored;
        const auto lines = m_runningClient->listDetails(&ignored);
        ListedFolder listed;
        if (lines) {
            listed.listed = true;
            listed.sizes = remoteFileSizes(*lines);
            for (const RemoteEntry& entry : parseRemoteListing(*lines))
                listed.names.append(entry.name);
        }
        listing = m_listedFolders.insert(folder, listed);
    }
    return *listing;
}

std::pair<std::optional<qint64>, bool> TFtpThread::remoteSizeIn(const QString& relativePath) {
    if (!m_runningClient)
        return {std::nullopt, false};
    const qsizetype slash = relativePath.lastIndexOf(QLatin1Char('/'));
    // Only the folder the walk is in can be listed without leaving it: the walk is in it when it
    // first asks about one of its files.
    const ListedFolder& listing = listedFolder(slash < 0 ? QString() : relativePath.left(slash));
    const auto found = listing.sizes.constFind(relativePath.mid(slash + 1));
    if (found == listing.sizes.constEnd())
        return {std::nullopt, listing.listed};
    return {*found, listing.listed};
}

qint64 TFtpThread::listedSize(const QString& relativePath) {
    const auto [size, listed] = remoteSizeIn(relativePath);
    if (size)
        return *size;
    return listed ? UploadManifest::kRemoteFileMissing : UploadManifest::kRemoteSizeUnknown;
}

void TFtpThread::reportBytes(qint64 inFlightChange, bool always) {
    // Called with m_reportLock held.
    m_bytesInFlight += inFlightChange;
    const qint64 now = m_clock.elapsed();
    if (!always && now - m_lastBytesReport < kBytesReportMs)
        return;
    m_lastBytesReport = now;
    const qint64 sent = m_bytesEnded + m_bytesInFlight;
    const double speed = now > 0 ? sent * 1000.0 / now : 0.0;
    if (!m_cancel.load())
        Q_EMIT bytesReport(sent, m_totalBytes, speed);
}

bool TFtpThread::sendFile(RemoteClient& client, const TransferJob& job, QString* error) {
    if (!job.again) { // a file sent again keeps its number
        std::lock_guard lock(m_reportLock);
        if (!m_cancel.load())
            Q_EMIT fileReport(job.relativePath, m_currentNumber, m_total);
        ++m_currentNumber;
    }
    qint64 counted = 0; // of this file, in m_bytesInFlight
    const auto progress = [&](qint64 sent) {
        std::lock_guard lock(m_reportLock);
        reportBytes(sent - counted, false);
        counted = sent;
    };
    RemoteClient::SentContent content;
    const bool stored =
        client.storeFileInto(job.remoteFolder, job.fullPath, error, progress, &content);
    std::lock_guard lock(m_reportLock);
    m_bytesInFlight -= counted;
    if (!stored)
        return false;
    m_bytesEnded += job.size;
    reportBytes(0, true);
    if (m_recordSent)
        m_recordSent(job.relativePath, content);
    if (!m_cancel.load())
        Q_EMIT fileSent(job.relativePath, content.size, content.digest);
    return true;
}

bool TFtpThread::runWalk(RemoteClient* client, QString* error) {
    m_clock.start();
    m_bytesEnded = 0;
    m_bytesInFlight = 0;
    m_lastBytesReport = -kBytesReportMs;
    m_skippedCount = 0;

    m_runningClient = client;
    m_listedFolders.clear();
    const auto done = qScopeGuard([this] {
        m_runningClient = nullptr;
        m_listedFolders.clear();
    });

    // The first failure of a lane ends the walk as one of the walk's own would; but a file whose
    // connection broke off goes again, once, over the walk's own connection.
    std::mutex failureLock;
    QString laneFailure;
    std::atomic<bool> laneFailed{false};
    QList<TransferJob> sendAgain; // guarded by failureLock
    std::unique_ptr<TransferLanes> lanes;
    if (m_connections > 1) {
        lanes = std::make_unique<TransferLanes>(
            *client, m_connections - 1, [&](RemoteClient& laneClient, const TransferJob& job) {
                QString why;
                if (sendFile(laneClient, job, &why))
                    return true;
                std::lock_guard lock(failureLock);
                if (!job.again && laneClient.lastFailure().connectionLost && !m_cancel.load()) {
                    TransferJob retry = job;
                    retry.again = true;
                    sendAgain.append(retry);
                    return false; // this lane's connection is gone; the others go on
                }
                if (!laneFailed.exchange(true))
                    laneFailure = why;
                return false;
            });
        std::lock_guard lock(m_clientLock);
        m_cancelLanes = lanes.get();
        if (m_cancel.load())
            lanes->cancel();
        else if (!m_shouldSend)
            lanes->start(); // every file goes: the lanes connect while the walk lists folders
    }
    const auto endLanes = [&] {
        if (!lanes)
            return;
        lanes->finish();
        std::lock_guard lock(m_clientLock);
        m_cancelLanes = nullptr;
    };
    const auto lanesEnded = qScopeGuard([&] { endLanes(); });

    // Sends the files waiting to go again over the walk's own connection.
    const auto sendTheLost = [&] {
        for (;;) {
            TransferJob job;
            {
                std::lock_guard lock(failureLock);
                if (sendAgain.isEmpty())
                    return true;
                job = sendAgain.takeFirst();
            }
            if (!sendFile(*client, job, error))
                return false;
        }
    };

    FolderWalkVisitor visitor;
    visitor.cancelled = [&] { return m_cancel.load() || laneFailed.load(); };
    visitor.enterFolder = [&](const QString& name, const QString& path) {
        QStringList names;
        if (m_shouldSend) {
            // Sending only what changed lists each folder in detail for its files' sizes; the
            // names of that listing tell whether the sub-folder is there, without another one.
            const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
            names = listedFolder(slash < 0 ? QString() : path.left(slash)).names;
        } else {
            QString ignored;
            names = client->listNames(&ignored).value_or(QStringList());
        }
        const bool listed = std::any_of(names.begin(), names.end(), [&](const QString& line) {
            return line.compare(name, Qt::CaseInsensitive) == 0;
        });
        QString refusal; // of the folder's creation: the reason the folder cannot be entered
        if (!listed && !m_cancel.load() && client->makeDirectory(name, &refusal))
            refusal.clear();
        if (client->changeDirectory(name, error))
            return true;
        if (!refusal.isEmpty() && !m_cancel.load())
            *error = QCoreApplication::translate("qv::TFtpThread",
                                                 "Cannot create the folder \"%1\" on %2:\n%3")
                         .arg(client->resolve(name), client->endpoint().host, refusal);
        return false;
    };
    visitor.leaveFolder = [&] { return client->changeToParentDirectory(error); };
    visitor.file = [&](const QString& relativePath, const QString& fullPath, qint64 size) {
        if (m_shouldSend && !m_shouldSend(relativePath, size)) {
            std::lock_guard lock(m_reportLock);
            ++m_skippedCount;
            m_bytesEnded += size;
            ++m_currentNumber;
            if (!m_cancel.load())
                Q_EMIT fileSkipped(relativePath);
            return !m_cancel.load();
        }
        if (!sendTheLost())
            return false;
        const TransferJob job{relativePath, fullPath, client->resolve(QString()), size};
        if (lanes && lanes->offer(job))
            return true;
        return sendFile(*client, job, error);
    };
    FolderWalkEnd end = walkFolder(m_localFolder, visitor);
    endLanes(); // the files in flight end, whatever the walk's end
    if (end == FolderWalkEnd::Completed && !laneFailed.load() && !m_cancel.load() && !sendTheLost())
        end = FolderWalkEnd::Stopped;
    if (laneFailed.load() && !m_cancel.load()) {
        // The walk stopped for the lane's failure (or ended before it): that is the one reported.
        // When the walk failed by itself as well, its own failure is reported.
        if (end != FolderWalkEnd::Stopped)
            *error = laneFailure;
        end = FolderWalkEnd::Stopped;
    }
    if (end == FolderWalkEnd::Cancelled || m_cancel.load()) {
        client->close();
        *error = RemoteClient::cancelledText();
        return false;
    }
    if (end != FolderWalkEnd::Completed)
        return false;

    if (m_refreshRemoteList) {
        QString ignored;
        const QStringList lines = client->listDetails(&ignored).value_or(QStringList());
        if (m_cancel.load())
            return false;
        Q_EMIT remoteListRefresh(lines);
    }
    Q_EMIT browsingOff();
    client->close();
    Q_EMIT completed();
    return true;
}

} // namespace qv
