// Extra connections that take files off an upload's walk, so that several go up at once.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ftp/RemoteClient.h"

#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace qv {

// One file to send: where it is and the remote folder (in full) it goes into.
struct TransferJob {
    QString relativePath;
    QString fullPath;
    QString remoteFolder;
    qint64 size = 0;
    bool again = false; // sent once before over a connection that broke off
};

// Lanes, each a thread with a connection of its own to the server the upload's own client
// reached, logged in the same way, encrypted before the login as that one is, and accepting
// only the certificate or host key that one met. The lanes connect in the background when
// started, or when the first file is offered (an upload that may find nothing to send logs in
// once), and then wait for jobs; the walk offers each file to an idle lane and sends it itself
// when none is idle, so every connection stays busy and the walk never waits for a lane. A lane
// whose connection cannot be made, or that would carry in the clear what the upload's own
// connection encrypts, takes no job: the upload goes on with fewer connections. A lane whose job
// fails takes no further job (its connection may be gone).
class TransferLanes {
public:
    // Sends one job on a lane's client, on the lane's thread; false when it failed.
    using Send = std::function<bool(RemoteClient& client, const TransferJob& job)>;

    // count lanes modelled on model (endpoint, trust, time limits, encryption), sending with send.
    TransferLanes(const RemoteClient& model, int count, Send send);
    // finish()
    ~TransferLanes();
    TransferLanes(const TransferLanes&) = delete;
    TransferLanes& operator=(const TransferLanes&) = delete;

    // Sets the lanes connecting, if they are not yet.
    void start();
    // Hands job to a lane that is connected and idle; false when none is (the caller sends it).
    // The first offer starts the lanes.
    bool offer(const TransferJob& job);
    // Waits until every job handed out has ended; lanes still connecting give up at once. Then
    // the connections are closed. The lanes take no job afterwards.
    void finish();
    // Aborts every lane's connection and transfer, now and later; safe from any thread.
    void cancel();

private:
    struct Lane {
        std::thread thread;
        RemoteClient* client = nullptr; // while the lane has one
        bool idle = false;              // connected and waiting for a job
        std::optional<TransferJob> job;
        std::condition_variable wake; // a job for this lane, or the end
    };
    void runLane(Lane& lane);
    void startLocked(); // with m_lock held
    void wakeAll();     // with m_lock held

    RemoteEndpoint m_endpoint;
    PeerTrust m_trust;
    FtpTimeouts m_timeouts;
    bool m_encrypted = false;
    Send m_send;
    std::mutex m_lock;
    std::vector<std::unique_ptr<Lane>> m_lanes;
    bool m_started = false; // the lanes' threads run
    bool m_finishing = false;
    bool m_cancelled = false;
};

} // namespace qv
