#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace qv {

// Passes a project archive given to a second start of the designer to the copy already running,
// which opens it; a second start with no archive asks the running copy to come to the front. The
// channel is a local socket named after the instance lock's folder, so only starts of the same user
// with the same temporary folder meet.
class ProjectHandover : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxPathBytes = 64 * 1024;

    explicit ProjectHandover(QObject* parent = nullptr);
    ~ProjectHandover() override;

    // The running copy: starts listening; false with the reason in error when it cannot.
    bool listen(QString* error);

    // A second start: hands path to the running copy (an empty path only asks it to come to the
    // front). False when no copy answered in time.
    static bool sendToRunning(const QString& path, int timeoutMs, QString* error);

    static QString channelName();

Q_SIGNALS:
    void projectRequested(const QString& path);
    void frontRequested();

private:
    void takeConnection();

    QLocalServer* m_server;
};

} // namespace qv
