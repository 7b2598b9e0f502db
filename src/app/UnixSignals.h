#pragma once

#include <QObject>

class QSocketNotifier;

namespace qv {

// Turns SIGTERM and SIGINT into a Qt signal delivered on the window thread, so the program can
// end cleanly instead of dying mid-write.
class UnixSignals : public QObject {
    Q_OBJECT
public:
    explicit UnixSignals(QObject* parent = nullptr);
    ~UnixSignals() override;

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace qv
