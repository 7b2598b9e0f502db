#include "ftp/TFtpThread.h"

#include "ftp/FolderWalk.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

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
    FolderWalkVisitor visitor;
    visitor.skippedLink = [this](const QString& relativePath) {
        m_skippedLinks.append(relativePath);
    };
    visitor.file = [&](const QString& relativePath, const QString& fullPath) {
        ++m_total;
        m_totalBytes += QFileInfo(fullPath).size();
        if (eachFile)
            eachFile(relativePath);
        return true;
    };
    walkFolder(m_localFolder, visitor);
    return m_total;
}

void TFtpThread::start(std::unique_ptr<FtpClient> client) {
    Q_ASSERT(!m_thread);
    FtpClient* c = client.release();
    c->setParent(nullptr);
    c->setCancelFlag(&m_cancel);
    m_thread = QThread::create([this, c] { run(c); });
    c->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, this, &TFtpThread::finished);
    m_thread->start();
}

void TFtpThread::cancel() {
    m_cancel.store(true);
}

bool TFtpThread::isRunning() const {
    return m_thread && m_thread->isRunning();
}

bool TFtpThread::wait(int ms) {
    return !m_thread || m_thread->wait(QDeadlineTimer(ms));
}

void TFtpThread::run(FtpClient* client) {
    QString error;
    const bool ok = runWalk(client, &error);
    if (!ok && !m_cancel.load())
        Q_EMIT failed(error);
    delete client; // releasing the client closes a connection that is still open
}

bool TFtpThread::runWalk(FtpClient* client, QString* error) {
    QElapsedTimer clock;
    clock.start();
    qint64 bytesBefore = 0; // of the files already sent
    qint64 lastReport = -kBytesReportMs;
    const auto reportBytes = [&](qint64 sent, bool always) {
        const qint64 now = clock.elapsed();
        if (!always && now - lastReport < kBytesReportMs)
            return;
        lastReport = now;
        const double speed = now > 0 ? sent * 1000.0 / now : 0.0;
        if (!m_cancel.load())
            Q_EMIT bytesReport(sent, m_totalBytes, speed);
    };

    FolderWalkVisitor visitor;
    visitor.cancelled = [this] { return m_cancel.load(); };
    visitor.enterFolder = [&](const QString& name, const QString&) {
        QString ignored;
        const QStringList names = client->listNames(&ignored).value_or(QStringList());
        const bool listed = std::any_of(names.begin(), names.end(), [&](const QString& line) {
            return line.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (!listed && !m_cancel.load())
            client->makeDirectory(name, &ignored);
        return client->changeDirectory(name, error);
    };
    visitor.leaveFolder = [&] { return client->changeToParentDirectory(error); };
    visitor.file = [&](const QString& relativePath, const QString& fullPath) {
        if (shouldSend &&
            !shouldSend(relativePath, client->remoteFileSize(QFileInfo(fullPath).fileName()))) {
            bytesBefore += QFileInfo(fullPath).size();
            ++m_currentNumber;
            return true;
        }
        if (!m_cancel.load())
            Q_EMIT fileReport(relativePath, m_currentNumber, m_total);
        const bool stored = client->storeFile(
            fullPath, error, [&](qint64 sent) { reportBytes(bytesBefore + sent, false); });
        if (!stored)
            return false;
        Q_EMIT fileSent(relativePath);
        bytesBefore += QFileInfo(fullPath).size();
        reportBytes(bytesBefore, true);
        ++m_currentNumber;
        return true;
    };
    const FolderWalkEnd end = walkFolder(m_localFolder, visitor);
    if (end == FolderWalkEnd::Cancelled || m_cancel.load()) {
        client->close();
        *error = FtpClient::cancelledText();
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
