// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftp/TransferLanes.h"

namespace qv {

TransferLanes::TransferLanes(const RemoteClient& model, int count, Send send)
    : m_endpoint(model.endpoint()), m_trust(model.trust), m_timeouts(model.timeouts),
      m_encrypted(model.isEncrypted()), m_send(std::move(send)) {
    // Each lane must meet the very certificate or host key the upload's own connection met,
    // before it logs in.
    if (!model.peerFingerprint().isEmpty()) {
        m_trust.remembered = model.peerFingerprint();
        m_trust.accepted.clear();
    }
    for (int i = 0; i < count; ++i)
        m_lanes.push_back(std::make_unique<Lane>());
}

TransferLanes::~TransferLanes() {
    finish();
}

void TransferLanes::runLane(Lane& lane) {
    RemoteClient client(m_endpoint);
    client.trust = m_trust;
    client.timeouts = m_timeouts;
    {
        std::lock_guard lock(m_lock);
        if (m_cancelled || m_finishing)
            return;
        lane.client = &client;
    }
    QString ignored;
    // A lane never carries in the clear what the upload's own connection encrypts.
    const bool connected =
        client.connectAndLogin(&ignored) && (client.isEncrypted() || !m_encrypted);
    std::unique_lock lock(m_lock);
    if (connected) {
        lane.idle = true;
        for (;;) {
            lane.wake.wait(lock, [&] { return lane.job || m_finishing || m_cancelled; });
            if (!lane.job)
                break;
            const TransferJob job = *lane.job;
            lock.unlock();
            const bool sent = m_send(client, job);
            lock.lock();
            lane.job.reset();
            if (!sent)
                break;
            lane.idle = true;
        }
    }
    lane.idle = false;
    lane.client = nullptr;
    lock.unlock();
    client.close();
}

void TransferLanes::start() {
    std::lock_guard lock(m_lock);
    if (!m_started && !m_finishing && !m_cancelled)
        startLocked();
}

void TransferLanes::startLocked() {
    m_started = true;
    for (const auto& lane : m_lanes)
        lane->thread = std::thread([this, l = lane.get()] { runLane(*l); });
}

bool TransferLanes::offer(const TransferJob& job) {
    std::lock_guard lock(m_lock);
    if (m_finishing || m_cancelled)
        return false;
    if (!m_started) {
        startLocked();
        return false; // none has connected yet
    }
    for (const auto& lane : m_lanes) {
        if (lane->idle && !lane->job) {
            lane->idle = false;
            lane->job = job;
            lane->wake.notify_one(); // only this lane: the others sleep on
            return true;
        }
    }
    return false;
}

void TransferLanes::finish() {
    {
        std::lock_guard lock(m_lock);
        m_finishing = true;
        for (const auto& lane : m_lanes)
            if (lane->client && !lane->idle && !lane->job)
                lane->client->cancel(); // still connecting: no job will come
        wakeAll();
    }
    for (const auto& lane : m_lanes)
        if (lane->thread.joinable())
            lane->thread.join();
}

void TransferLanes::cancel() {
    std::lock_guard lock(m_lock);
    m_cancelled = true;
    for (const auto& lane : m_lanes)
        if (lane->client)
            lane->client->cancel();
    wakeAll();
}

void TransferLanes::wakeAll() {
    for (const auto& lane : m_lanes)
        lane->wake.notify_all();
}

} // namespace qv
