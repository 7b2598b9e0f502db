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
// a line makes the program ask again. Section "Encrypted" names the FTP servers ("host:port")
// a login went to over TLS, so that the same server without TLS later is met with suspicion.
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

    // Whether a login over TLS went to the FTP server before.
    bool wasEncrypted(const QString& host, quint16 port) const;
    // Notes a login that went to an FTP server over TLS (nothing for SFTP or an unencrypted one).
    void noteLogin(const RemoteEndpoint& endpoint, bool encrypted);

private:
    QString m_path;
};

class MessageBoxes;

// What a client starts out trusting for the endpoint: the fingerprint remembered for it.
PeerTrust trustFor(const TrustStore& store, const RemoteEndpoint& endpoint);

// After a connection failed because the server's certificate or host key is not trusted: asks
// "Trust this certificate?" (or host key) and returns true at once; when answered, an "Always"
// is remembered in the store, and done gets trust with the "Always" or "Once" added and true
// (the connection is worth trying again), or trust unchanged and false for Cancel.
// A certificate that differs from the one remembered gets a warning with both fingerprints
// instead, Cancel its default; only its explicit "Trust the new certificate" replaces the
// remembered one. A server that offers no encryption gets the question whether to send the
// password and files unencrypted, Cancel its default; agreeing sets clearTextAccepted.
// For any other failure, and a changed host key, nothing is asked, done is not called and the
// result is false.
bool askToTrust(const RemoteFailure& failure, const RemoteEndpoint& endpoint,
                MessageBoxes& messages, const TrustStore& store, const PeerTrust& trust,
                const std::function<void(bool again, const PeerTrust& trust)>& done);

} // namespace qv
