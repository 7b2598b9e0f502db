// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftp/TrustStore.h"

#include "common/Functions.h"
#include "platform/MessageBoxes.h"
#include "session/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qv {

namespace {
QString sectionFor(RemoteProtocol protocol) {
    return protocol == RemoteProtocol::Sftp ? QStringLiteral("HostKeys")
                                            : QStringLiteral("Certificates");
}
QString keyFor(const QString& host, quint16 port) {
    return host.toLower() + QLatin1Char(':') + QString::number(port);
}
} // namespace

TrustStore::TrustStore(QString path) : m_path(std::move(path)) {}

QString TrustStore::defaultPath() {
    return applicationDataFolder() + QStringLiteral("/Quorvel/trusted-servers.ini");
}

QString TrustStore::remembered(RemoteProtocol protocol, const QString& host, quint16 port) const {
    return IniFile(m_path).readString(sectionFor(protocol), keyFor(host, port), QString());
}

bool TrustStore::remember(RemoteProtocol protocol, const QString& host, quint16 port,
                          const QString& fingerprint, QString* error) {
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    IniFile file(m_path);
    return file.writeString(sectionFor(protocol), keyFor(host, port), fingerprint, error);
}

namespace {
const QString kEncryptedSection = QStringLiteral("Encrypted");
} // namespace

bool TrustStore::wasEncrypted(const QString& host, quint16 port) const {
    return !IniFile(m_path).readString(kEncryptedSection, keyFor(host, port), QString()).isEmpty();
}

void TrustStore::noteLogin(const RemoteEndpoint& endpoint, bool encrypted) {
    if (!encrypted || endpoint.protocol == RemoteProtocol::Sftp ||
        wasEncrypted(endpoint.host, endpoint.port))
        return;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    IniFile file(m_path);
    file.writeString(kEncryptedSection, keyFor(endpoint.host, endpoint.port),
                     QStringLiteral("yes"));
}

PeerTrust trustFor(const TrustStore& store, const RemoteEndpoint& endpoint) {
    PeerTrust trust;
    trust.remembered = store.remembered(endpoint.protocol, endpoint.host, endpoint.port);
    trust.encryptedBefore = endpoint.protocol != RemoteProtocol::Sftp &&
                            store.wasEncrypted(endpoint.host, endpoint.port);
    return trust;
}

bool askToTrust(const RemoteFailure& failure, const RemoteEndpoint& endpoint,
                MessageBoxes& messages, const TrustStore& store, const PeerTrust& trust,
                const std::function<void(bool again, const PeerTrust& trust)>& done) {
    using Kind = RemoteFailure::Kind;
    if (failure.kind == Kind::NoEncryption) {
        messages.warningQuestion(
            QCoreApplication::translate(
                "qv::TrustStore",
                "This server does not offer encryption. Send your password and files "
                "unencrypted?"),
            failure.text, QCoreApplication::translate("qv::TrustStore", "Send unencrypted"),
            [trust, done](bool accepted) {
                PeerTrust extended = trust;
                extended.clearTextAccepted = accepted;
                done(accepted, extended);
            });
        return true;
    }
    if (failure.kind == Kind::ChangedCertificate) {
        messages.warningQuestion(
            QCoreApplication::translate(
                "qv::TrustStore", "The certificate of this server has changed. Trust the new one?"),
            failure.text,
            QCoreApplication::translate("qv::TrustStore", "Trust the new certificate"),
            [&messages, store = TrustStore(store), endpoint, trust, done,
             fingerprint = failure.fingerprint](bool accepted) mutable {
                PeerTrust extended = trust;
                if (accepted) {
                    if (!store.remember(endpoint.protocol, endpoint.host, endpoint.port,
                                        fingerprint))
                        messages.message(
                            QCoreApplication::translate("qv::TrustStore", "Unable to write to %1")
                                .arg(store.path()));
                    extended.remembered = fingerprint;
                }
                done(accepted, extended);
            });
        return true;
    }
    if (failure.kind != Kind::UntrustedCertificate && failure.kind != Kind::UnknownHostKey)
        return false;
    const QString question =
        failure.kind == Kind::UntrustedCertificate
            ? QCoreApplication::translate("qv::TrustStore", "Trust this certificate?")
            : QCoreApplication::translate("qv::TrustStore", "Trust this host key?");
    // Copies: the answer may come after the caller's objects are gone.
    messages.trustQuestion(
        question, failure.text,
        [&messages, store = TrustStore(store), endpoint, trust, done,
         fingerprint = failure.fingerprint](TrustAnswer answer) mutable {
            PeerTrust extended = trust;
            switch (answer) {
            case TrustAnswer::Always:
                if (!store.remember(endpoint.protocol, endpoint.host, endpoint.port, fingerprint))
                    messages.message(
                        QCoreApplication::translate("qv::TrustStore", "Unable to write to %1")
                            .arg(store.path()));
                extended.remembered = fingerprint;
                done(true, extended);
                return;
            case TrustAnswer::Once:
                extended.accepted << fingerprint;
                done(true, extended);
                return;
            case TrustAnswer::Cancel:
                break;
            }
            done(false, trust);
        });
    return true;
}

} // namespace qv
