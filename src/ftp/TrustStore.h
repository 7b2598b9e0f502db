// The server identities the user chose to trust always: certificate and SSH host key
// fingerprints, one per server.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "ftp/RemoteClient.h"
#include "ftp/RemoteProtocol.h"

#include <QString>

namespace qv {

// Kept in an INI file of its own, "trusted-servers.ini" in the user's application-data folder
// (private to the user, like the settings file): section "Certificates" for FTP over TLS,
// section "HostKeys" for SFTP, one key "host:port" each whose value is the fingerprint. Removing
// a line makes the program ask again.
class TrustStore {
public:
    explicit TrustStore(QString path = defaultPath());
    static QString defaultPath();
    const QString& path() const { return m_path; }

    // The fingerprint remembered for the server, empty when there is none.
    QString remembered(RemoteProtocol protocol, const QString& host, quint16 port) const;
    // Remembers the fingerprint for the server, replacing an earlier one; false with a reason
    // when the file cannot be written.
    bool remember(RemoteProtocol protocol, const QString& host, quint16 port,
                  const QString& fingerprint, QString* error = nullptr);

private:
    QString m_path;
};

class MessageBoxes;

// What a client starts out trusting for the endpoint: the fingerprint remembered for it.
PeerTrust trustFor(const TrustStore& store, const RemoteEndpoint& endpoint);

// After a connection failed because the server's certificate or host key is not trusted: asks
// "Trust this certificate?" (or host key) and returns true at once; when answered, an "Always"
// is remembered in the store, and done gets trust with the "Always" or "Once" added and true
// (the connection is worth trying again), or trust unchanged and false for Cancel. For any other
// failure, and a changed host key, nothing is asked, done is not called and the result is false.
bool askToTrust(const RemoteFailure& failure, const RemoteEndpoint& endpoint,
                MessageBoxes& messages, const TrustStore& store, const PeerTrust& trust,
                const std::function<void(bool again, const PeerTrust& trust)>& done);

} // namespace qv
