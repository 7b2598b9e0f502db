// SPDX-License-Identifier: GPL-3.0-or-later
#include "ftp/RemoteClient.h"

#include "common/FileDigest.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>

#include <curl/curl.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>

namespace qv {

namespace {

constexpr int kPollMs = 250;       // how long one wait for the sockets lasts at most
constexpr int kNoSocketStepMs = 2; // the wait while libcurl has no socket to offer

// How long the next wait for the sockets may last. In some states between two commands (an
// EPSV answered, the data connection not yet opened) libcurl 7.88 offers no socket and no time
// limit of its own, so a wait would sleep its whole length each time: a quarter of a second per
// file. Then libcurl is asked again at once the first time (it usually goes on: it opens the
// data connection), and after that in short steps.
int waitStepMs(CURLM* multi, bool* hadNoSocket) {
    fd_set read, write, error;
    FD_ZERO(&read);
    FD_ZERO(&write);
    FD_ZERO(&error);
    int highest = -1;
    if (curl_multi_fdset(multi, &read, &write, &error, &highest) != CURLM_OK || highest < 0) {
        const bool again = *hadNoSocket;
        *hadNoSocket = true;
        return again ? kNoSocketStepMs : 0;
    }
    *hadNoSocket = false;
    return kPollMs;
}

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

long wholeSeconds(int ms) {
    return std::max(1L, static_cast<long>((ms + 999) / 1000));
}

QString seconds(int ms) {
    return QString::number(ms / 1000.0, 'g', 3);
}

QString hexFingerprint(const unsigned char* bytes, unsigned int length) {
    QString text;
    for (unsigned int i = 0; i < length; ++i) {
        if (i > 0)
            text += QLatin1Char(':');
        text += QStringLiteral("%1").arg(bytes[i], 2, 16, QLatin1Char('0')).toUpper();
    }
    return text;
}

// Fingerprints compare without regard to the colons and letter case of the hexadecimal form;
// the base64 form of SSH keys compares exactly.
QString comparable(const QString& fingerprint) {
    const QString f = fingerprint.trimmed();
    if (f.startsWith(QLatin1String("SHA256:")))
        return f;
    return QString(f).remove(QLatin1Char(':')).toUpper();
}

// A host's numeric address as text, an IPv4 address mapped into IPv6 written as the IPv4 one, so
// that the two forms of one host compare equal. Empty for anything else.
QString numericAddress(const sockaddr* address) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address->sa_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text,
                  sizeof text);
    } else if (address->sa_family == AF_INET6) {
        const in6_addr& a = reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr;
        if (IN6_IS_ADDR_V4MAPPED(&a))
            inet_ntop(AF_INET, a.s6_addr + 12, text, sizeof text);
        else
            inet_ntop(AF_INET6, &a, text, sizeof text);
    }
    return QString::fromLatin1(text);
}

// The same for an address written out, as libcurl reports the one it connected to.
QString numericAddress(const char* written) {
    sockaddr_in v4{};
    sockaddr_in6 v6{};
    if (written && inet_pton(AF_INET, written, &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        return numericAddress(reinterpret_cast<const sockaddr*>(&v4));
    }
    if (written && inet_pton(AF_INET6, written, &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        return numericAddress(reinterpret_cast<const sockaddr*>(&v6));
    }
    return {};
}

// A server's reply quoted after a text of ours.
QString serverSaid(const QStringList& lines) {
    const QString reply = lines.join(QLatin1Char(' ')).trimmed();
    return reply.isEmpty()
               ? QString()
               : QCoreApplication::translate("qv::RemoteClient", "\nThe server said: %1")
                     .arg(reply);
}

} // namespace

bool PeerTrust::trusts(const QString& fingerprint) const {
    const QString f = comparable(fingerprint);
    if (f.isEmpty())
        return false;
    if (!remembered.isEmpty() && comparable(remembered) == f)
        return true;
    for (const QString& a : accepted)
        if (comparable(a) == f)
            return true;
    return false;
}

// The libcurl handles of a session and what its callbacks find out.
struct RemoteClient::Curl {
    RemoteClient* client = nullptr;
    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    char errors[CURL_ERROR_SIZE] = {};

    // The reply being read on the control connection, and the last complete one.
    int replyCode = 0;
    QStringList replyLines;
    int lastCode = 0;
    QStringList lastLines;
    QString garbage; // a line that is no FTP reply, where one should begin

    // Per operation.
    QByteArray* received = nullptr;
    bool tooLong = false;
    QFile* source = nullptr;
    bool readFailed = false;
    ContentDigest* digest = nullptr; // of the bytes read from source, when the caller wants it
    qint64 bytesRead = 0;
    const Progress* progress = nullptr;
    QString controlPeer; // as numericAddress() writes it
    QString foreignPeer;

    // The server's identity as the last handshake showed it.
    bool tlsStarted = false;
    QString certificate;       // SHA-256 fingerprint of the server's certificate
    QString certificateReason; // why it was refused, when it was
    bool certificateRefused = false;
    bool certificateChanged = false; // refused, and another one was remembered for the server
    QString hostKey;                 // SHA256 fingerprint of the SSH host key
    bool hostKeyRefused = false;
    bool hostKeyChanged = false;

    // The sockets libcurl opened, so cancel() can cut them: libcurl says goodbye to a server
    // (QUIT) when it closes a connection and would wait for the answer.
    QSet<curl_socket_t> sockets; // guarded by the client's m_wakeLock

    static curl_socket_t onOpenSocket(void* user, curlsocktype, curl_sockaddr* address) {
        auto* self = static_cast<Curl*>(user);
        const curl_socket_t s = ::socket(address->family, address->socktype, address->protocol);
        if (s != CURL_SOCKET_BAD) {
            std::lock_guard lock(self->client->m_wakeLock);
            self->sockets.insert(s);
        }
        return s;
    }

    static int onCloseSocket(void* user, curl_socket_t socket) {
        auto* self = static_cast<Curl*>(user);
        {
            std::lock_guard lock(self->client->m_wakeLock);
            self->sockets.remove(socket);
        }
        return ::close(socket);
    }

    static int exIndex() {
        static const int index = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
        return index;
    }

    ~Curl() {
        if (easy && multi)
            curl_multi_remove_handle(multi, easy);
        if (easy)
            curl_easy_cleanup(easy);
        if (multi)
            curl_multi_cleanup(multi);
    }

    // A line of the control connection: replies are "ddd text", or "ddd-text" up to the line
    // that starts with "ddd " of the same code.
    static size_t onHeader(char* data, size_t size, size_t count, void* user) {
        auto* self = static_cast<Curl*>(user);
        const size_t bytes = size * count;
        QString line = QString::fromUtf8(data, static_cast<qsizetype>(bytes));
        while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const bool coded =
            line.size() >= 3 && line[0].isDigit() && line[1].isDigit() && line[2].isDigit() &&
            (line.size() == 3 || line[3] == QLatin1Char(' ') || line[3] == QLatin1Char('-'));
        if (self->replyCode == 0) {
            if (!coded && !line.trimmed().isEmpty()) {
                // No FTP server says this: waiting for a reply it never sends only costs time.
                self->garbage = line.left(80);
                return 0;
            }
            if (!coded)
                return bytes;
            self->replyCode = line.left(3).toInt();
            self->replyLines = {line.mid(4)};
        } else if (coded && line.left(3).toInt() == self->replyCode) {
            self->replyLines << line.mid(4);
        } else {
            self->replyLines << line;
            return bytes;
        }
        if (line.size() == 3 || line[3] == QLatin1Char(' ')) {
            self->lastCode = self->replyCode;
            self->lastLines = self->replyLines;
            self->replyCode = 0;
            self->replyLines.clear();
        }
        return bytes;
    }

    static size_t onData(char* data, size_t size, size_t count, void* user) {
        auto* self = static_cast<Curl*>(user);
        const size_t bytes = size * count;
        if (!self->received)
            return bytes;
        if (self->received->size() + qint64(bytes) > kMaxListingBytes) {
            self->tooLong = true;
            return 0;
        }
        self->received->append(data, static_cast<qsizetype>(bytes));
        return bytes;
    }

    static size_t onRead(char* buffer, size_t size, size_t count, void* user) {
        auto* self = static_cast<Curl*>(user);
        const qint64 n = self->source->read(buffer, qint64(size * count));
        if (n < 0) {
            self->readFailed = true;
            return CURL_READFUNC_ABORT;
        }
        self->bytesRead += n;
        if (self->digest && n > 0)
            self->digest->add(buffer, size_t(n));
        return static_cast<size_t>(n);
    }

    static int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent) {
        auto* self = static_cast<Curl*>(user);
        if (self->client->m_cancelled.load())
            return 1;
        if (self->progress && *self->progress && sent > 0)
            (*self->progress)(sent);
        return 0;
    }

    // An active-mode data connection is taken only from the host the control connection
    // reached: anyone else who guessed the port could feed us a listing or take a file.
    static int onSocket(void* user, curl_socket_t socket, curlsocktype purpose) {
        auto* self = static_cast<Curl*>(user);
        if (purpose != CURLSOCKTYPE_ACCEPT)
            return CURL_SOCKOPT_OK;
        sockaddr_storage peer{};
        socklen_t length = sizeof(peer);
        if (getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &length) != 0)
            return CURL_SOCKOPT_ERROR;
        const QString from = numericAddress(reinterpret_cast<const sockaddr*>(&peer));
        if (!from.isEmpty() && from == self->controlPeer)
            return CURL_SOCKOPT_OK;
        self->foreignPeer = from;
        return CURL_SOCKOPT_ERROR;
    }

    static CURLcode onTlsContext(CURL*, void* context, void* user) {
        auto* self = static_cast<Curl*>(user);
        auto* ctx = static_cast<SSL_CTX*>(context);
        self->tlsStarted = true;
        SSL_CTX_set_ex_data(ctx, exIndex(), self);
        // Our check runs on every certificate of the chain; see onVerify.
        SSL_CTX_set_verify(ctx, SSL_VERIFY_PEER, &Curl::onVerify);
        return CURLE_OK;
    }

    // With a fingerprint trusted for the server, the server's certificate must be that one
    // (checks of the system's authorities and of the name are off then); otherwise the system's
    // authorities decide, and the certificate's fingerprint is kept for the question to the user.
    static int onVerify(int preverified, X509_STORE_CTX* store) {
        auto* ssl = static_cast<SSL*>(
            X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
        auto* self = static_cast<Curl*>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), exIndex()));
        if (!self)
            return preverified;
        X509* leaf = X509_STORE_CTX_get0_cert(store);
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        if (leaf && X509_digest(leaf, EVP_sha256(), digest, &length) == 1)
            self->certificate = hexFingerprint(digest, length);
        const PeerTrust& trust = self->client->trust;
        if (!trust.remembered.isEmpty() || !trust.accepted.isEmpty()) {
            if (trust.trusts(self->certificate)) {
                X509_STORE_CTX_set_error(store, X509_V_OK);
                return 1;
            }
            self->certificateRefused = true;
            self->certificateChanged = !trust.remembered.isEmpty();
            self->certificateReason = QCoreApplication::translate(
                "qv::RemoteClient", "its fingerprint is not the one given to trust for this run");
            return 0;
        }
        if (!preverified) {
            self->certificateRefused = true;
            self->certificateReason =
                QString::fromUtf8(X509_verify_cert_error_string(X509_STORE_CTX_get_error(store)));
        }
        return preverified;
    }

    static int onHostKey(void* user, int, const char* key, size_t length) {
        auto* self = static_cast<Curl*>(user);
        const QByteArray digest =
            QCryptographicHash::hash(QByteArray::fromRawData(key, static_cast<qsizetype>(length)),
                                     QCryptographicHash::Sha256);
        self->hostKey = QStringLiteral("SHA256:") +
                        QString::fromLatin1(digest.toBase64(QByteArray::OmitTrailingEquals));
        const PeerTrust& trust = self->client->trust;
        if (!trust.remembered.isEmpty() && comparable(trust.remembered) != self->hostKey) {
            self->hostKeyChanged = true;
            self->hostKeyRefused = true;
            return CURLKHMATCH_MISMATCH;
        }
        if (trust.trusts(self->hostKey))
            return CURLKHMATCH_OK;
        self->hostKeyRefused = true;
        return CURLKHMATCH_MISMATCH;
    }
};

RemoteClient::RemoteClient(RemoteEndpoint endpoint) : m_endpoint(std::move(endpoint)) {
    initialiseCurl();
}

RemoteClient::~RemoteClient() {
    close();
}

QString RemoteClient::cancelledText() {
    return QCoreApplication::translate("qv::RemoteClient", "The upload was cancelled.");
}

void RemoteClient::cancel() {
    m_cancelled.store(true);
    std::lock_guard lock(m_wakeLock);
    if (m_wakeMulti)
        curl_multi_wakeup(static_cast<CURLM*>(m_wakeMulti));
    // Whatever libcurl waits for on these sockets ends at once.
    if (m_curl)
        for (curl_socket_t s : std::as_const(m_curl->sockets))
            ::shutdown(s, SHUT_RDWR);
}

void RemoteClient::close() {
    std::unique_ptr<Curl> curl;
    {
        std::lock_guard lock(m_wakeLock);
        m_wakeMulti = nullptr;
        curl = std::move(m_curl);
    }
    curl.reset(); // the sockets' close callback finds the client without m_curl
    m_connected = false;
}

void RemoteClient::fail(RemoteFailure::Kind kind, const QString& text, QString* error) {
    m_failure = {kind, text, QString()};
    if (error)
        *error = text;
}

bool RemoteClient::refuseLineBreaks(const QString& name, QString* error) {
    if (!name.contains(QLatin1Char('\r')) && !name.contains(QLatin1Char('\n')))
        return false;
    fail(RemoteFailure::Kind::Other,
         QCoreApplication::translate(
             "qv::RemoteClient",
             "The name \"%1\" holds a line break, which cannot be sent to an FTP "
             "server.")
             .arg(QString(name)
                      .replace(QLatin1Char('\r'), QStringLiteral("\\r"))
                      .replace(QLatin1Char('\n'), QStringLiteral("\\n"))),
         error);
    return true;
}

QString RemoteClient::resolve(const QString& path) const {
    const QString joined = path.startsWith(QLatin1Char('/')) ? path : m_current + '/' + path;
    return QDir::cleanPath(joined);
}

bool RemoteClient::connectAndLogin(QString* error) {
    close();
    m_failure = {};
    m_encrypted = false;
    m_peerFingerprint.clear();
    if (m_cancelled.load()) {
        fail(RemoteFailure::Kind::Cancelled, cancelledText(), error);
        return false;
    }
    auto curl = std::make_unique<Curl>();
    curl->client = this;
    curl->multi = curl_multi_init();
    curl->easy = curl_easy_init();
    if (!curl->multi || !curl->easy) {
        fail(RemoteFailure::Kind::Other,
             QCoreApplication::translate("qv::RemoteClient", "libcurl could not be started."),
             error);
        return false;
    }
    CURL* e = curl->easy;
    const bool sftp = m_endpoint.protocol == RemoteProtocol::Sftp;
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, curl->errors);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    const QByteArray user = m_endpoint.user.toUtf8();
    const QByteArray password = m_endpoint.password.toUtf8();
    curl_easy_setopt(e, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(e, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, long(timeouts.connectMs));
    // Each reply must be complete within the limit, however slowly its bytes trickle in.
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, wholeSeconds(timeouts.replyMs));
    curl_easy_setopt(e, CURLOPT_ACCEPTTIMEOUT_MS, long(timeouts.acceptMs));
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, wholeSeconds(timeouts.dataIdleMs));
    curl_easy_setopt(e, CURLOPT_UPLOAD_BUFFERSIZE, 1024L * 1024L);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &Curl::onProgress);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, curl.get());
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Curl::onHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, curl.get());
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Curl::onData);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, curl.get());
    curl_easy_setopt(e, CURLOPT_READFUNCTION, &Curl::onRead);
    curl_easy_setopt(e, CURLOPT_READDATA, curl.get());
    curl_easy_setopt(e, CURLOPT_OPENSOCKETFUNCTION, &Curl::onOpenSocket);
    curl_easy_setopt(e, CURLOPT_OPENSOCKETDATA, curl.get());
    curl_easy_setopt(e, CURLOPT_CLOSESOCKETFUNCTION, &Curl::onCloseSocket);
    curl_easy_setopt(e, CURLOPT_CLOSESOCKETDATA, curl.get());
    if (sftp) {
        curl_easy_setopt(e, CURLOPT_SSH_AUTH_TYPES,
                         long(CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD));
        curl_easy_setopt(e, CURLOPT_SSH_HOSTKEYFUNCTION, &Curl::onHostKey);
        curl_easy_setopt(e, CURLOPT_SSH_HOSTKEYDATA, curl.get());
    } else {
        // The address of a PASV reply is not trusted: the data connection goes to the host the
        // control connection reached, or a hostile server could aim our connection anywhere.
        curl_easy_setopt(e, CURLOPT_FTP_SKIP_PASV_IP, 1L);
        curl_easy_setopt(e, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
        curl_easy_setopt(e, CURLOPT_FTPPORT, m_endpoint.passive ? nullptr : "-");
        curl_easy_setopt(e, CURLOPT_SOCKOPTFUNCTION, &Curl::onSocket);
        curl_easy_setopt(e, CURLOPT_SOCKOPTDATA, curl.get());
        // TLS is never merely tried: a server (or anyone on the way) that does not take it up
        // gets no login, and one that will not protect the data connections gets no file.
        const bool clear = m_endpoint.protocol == RemoteProtocol::Ftp || trust.clearTextAccepted;
        curl_easy_setopt(e, CURLOPT_USE_SSL, long(clear ? CURLUSESSL_NONE : CURLUSESSL_ALL));
        curl_easy_setopt(e, CURLOPT_FTPSSLAUTH, long(CURLFTPAUTH_TLS));
        // Servers that insist that every data connection resumes the control connection's TLS
        // session (vsftpd by default) refuse libcurl 7.88's data connections under TLS 1.3,
        // whose session tickets it mixes up ("522 session reuse required"): TLS 1.2 it is.
        curl_easy_setopt(e, CURLOPT_SSLVERSION,
                         long(CURL_SSLVERSION_TLSv1_2) | long(CURL_SSLVERSION_MAX_TLSv1_2));
        curl_easy_setopt(e, CURLOPT_SSL_CTX_FUNCTION, &Curl::onTlsContext);
        curl_easy_setopt(e, CURLOPT_SSL_CTX_DATA, curl.get());
        // A fingerprint trusted for this server replaces the checks of authority and name.
        const bool pinned = !trust.remembered.isEmpty() || !trust.accepted.isEmpty();
        curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, pinned ? 0L : 1L);
        curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, pinned ? 0L : 2L);
    }
    curl_multi_add_handle(curl->multi, curl->easy);
    {
        std::lock_guard lock(m_wakeLock);
        m_curl = std::move(curl);
        m_wakeMulti = m_curl->multi;
    }
    m_current = QStringLiteral("/");
    if (!run(Op::Login, QString(), error)) {
        close();
        return false;
    }
    char* entry = nullptr;
    curl_easy_getinfo(m_curl->easy, CURLINFO_FTP_ENTRY_PATH, &entry);
    m_loginDirectory = entry ? QString::fromUtf8(entry) : QStringLiteral("/");
    m_current = resolve(m_loginDirectory);
    char* peer = nullptr;
    curl_easy_getinfo(m_curl->easy, CURLINFO_PRIMARY_IP, &peer);
    m_curl->controlPeer = numericAddress(peer);
    m_encrypted = sftp || m_curl->tlsStarted;
    m_peerFingerprint = sftp ? m_curl->hostKey : m_curl->certificate;
    // libcurl 7.88 cannot bring TLS up on a data connection the server opened (active mode: the
    // server sees the connection reset); with TLS the data connections are passive.
    if (m_curl->tlsStarted && !m_endpoint.passive)
        curl_easy_setopt(m_curl->easy, CURLOPT_FTPPORT, nullptr);
    m_connected = true;
    return true;
}

bool RemoteClient::run(Op op, const QString& folder, QString* error, const QString& argument,
                       QByteArray* received, const Progress& progress, SentContent* sent) {
    if (m_cancelled.load()) {
        fail(RemoteFailure::Kind::Cancelled, cancelledText(), error);
        return false;
    }
    if (!m_curl || (op != Op::Login && !m_connected)) {
        fail(RemoteFailure::Kind::Other,
             QCoreApplication::translate("qv::RemoteClient", "Not connected to the server."),
             error);
        return false;
    }
    Curl& c = *m_curl;
    CURL* e = c.easy;
    const bool sftp = m_endpoint.protocol == RemoteProtocol::Sftp;

    // The URL names the folder in full: "ftp://host:port/%2Fa/b/" makes libcurl send
    // "CWD /a/b" (one command, from the root), "sftp://host:port/a/b/" is absolute already.
    QByteArray host = QUrl::toAce(m_endpoint.host);
    if (host.isEmpty())
        host = m_endpoint.host.toUtf8();
    if (host.contains(':'))
        host = '[' + host + ']';
    QByteArray url = QByteArray(sftp ? "sftp://" : "ftp://") + host + ':' +
                     QByteArray::number(m_endpoint.port) + '/';
    if (op != Op::Login) {
        if (!sftp)
            url += "%2F";
        const QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        for (const QString& part : parts)
            url += QUrl::toPercentEncoding(part) + '/';
        if (!sftp && parts.isEmpty())
            url += '/';
        if (op == Op::Store)
            url += QUrl::toPercentEncoding(QFileInfo(argument).fileName());
    }
    curl_easy_setopt(e, CURLOPT_URL, url.constData());
    const bool noBody = op == Op::Login || op == Op::Quote || (op == Op::Enter && !sftp);
    curl_easy_setopt(e, CURLOPT_NOBODY, noBody ? 1L : 0L);
    curl_easy_setopt(e, CURLOPT_UPLOAD, op == Op::Store ? 1L : 0L);
    curl_easy_setopt(e, CURLOPT_DIRLISTONLY, op == Op::Names || op == Op::Enter ? 1L : 0L);
    curl_slist* quote = nullptr;
    QByteArray quoteLine;
    if (op == Op::Quote) {
        quoteLine = argument.toUtf8();
        quote = curl_slist_append(nullptr, quoteLine.constData());
    }
    curl_easy_setopt(e, CURLOPT_QUOTE, quote);
    QFile source;
    if (op == Op::Store) {
        source.setFileName(argument);
        if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            fail(RemoteFailure::Kind::Other,
                 QCoreApplication::translate("qv::RemoteClient", "Cannot open the file \"%1\": %2")
                     .arg(argument, source.errorString()),
                 error);
            return false;
        }
        curl_easy_setopt(e, CURLOPT_INFILESIZE_LARGE, curl_off_t(source.size()));
    } else {
        curl_easy_setopt(e, CURLOPT_INFILESIZE_LARGE, curl_off_t(-1));
    }
    QByteArray discarded;
    c.received = op == Op::List || op == Op::Names ? received : nullptr;
    if (op == Op::Enter)
        c.received = &discarded;
    c.tooLong = false;
    c.source = &source;
    c.readFailed = false;
    c.bytesRead = 0;
    // What was sent is known from a digest of the bytes as they are read; the file's stamp from
    // before and after the reading tells whether the file itself still holds them.
    std::optional<ContentDigest> digest;
    std::optional<FileStamp> stampBefore;
    qint64 readFrom = 0;
    if (sent && op == Op::Store) {
        digest.emplace();
        readFrom = wallClockNs();
        stampBefore = fileStampOf(source.handle());
    }
    c.digest = digest ? &*digest : nullptr;
    c.progress = &progress;
    c.foreignPeer.clear();
    c.lastCode = 0;
    c.lastLines.clear();
    c.garbage.clear();
    c.replyCode = 0;
    c.replyLines.clear();
    c.errors[0] = '\0';
    c.certificateRefused = false;
    c.certificateChanged = false;
    c.certificateReason.clear();
    c.hostKeyRefused = false;
    c.hostKeyChanged = false;
    m_failure = {};

    // The multi interface waits for the sockets in steps, so cancel() can wake it at once.
    curl_multi_remove_handle(c.multi, e);
    curl_multi_add_handle(c.multi, e);
    CURLcode result = CURLE_OK;
    bool done = false;
    bool hadNoSocket = false;
    while (!done) {
        int running = 0;
        if (curl_multi_perform(c.multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(c.multi, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                result = message->data.result;
                done = true;
            }
        }
        if (done)
            break;
        if (m_cancelled.load()) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        curl_multi_poll(c.multi, nullptr, 0, waitStepMs(c.multi, &hadNoSocket), nullptr);
    }
    curl_multi_remove_handle(c.multi, e);
    curl_easy_setopt(e, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(quote);
    c.received = nullptr;
    c.source = nullptr;
    c.progress = nullptr;
    c.digest = nullptr;
    if (result == CURLE_OK) {
        if (sent) {
            sent->size = c.bytesRead;
            sent->digest = digest ? digest->result() : QByteArray();
            sent->stamp.reset();
            const std::optional<FileStamp> after =
                stampBefore ? fileStampOf(source.handle()) : std::nullopt;
            if (after && *after == *stampBefore && after->size == c.bytesRead &&
                stampSettled(*after, readFrom))
                sent->stamp = after;
        }
        return true;
    }

    // What the failure was, in the words the user is shown.
    using Kind = RemoteFailure::Kind;
    // libcurl 7.88 notes a harmless "sa_addr inet_ntop() failed" in every active-mode transfer,
    // and its error buffer keeps only the first note of a transfer.
    const bool noted = c.errors[0] && !QByteArray(c.errors).startsWith("sa_addr inet_ntop()");
    const QString curlText =
        noted ? QString::fromUtf8(c.errors) : QString::fromUtf8(curl_easy_strerror(result));
    const QString where = QStringLiteral("%1:%2").arg(m_endpoint.host).arg(m_endpoint.port);
    Kind kind = Kind::Other;
    QString text;
    QString fingerprint;
    const bool lost = result == CURLE_RECV_ERROR || result == CURLE_SEND_ERROR ||
                      result == CURLE_GOT_NOTHING || result == CURLE_PARTIAL_FILE ||
                      result == CURLE_UPLOAD_FAILED;
    if (m_cancelled.load()) {
        kind = Kind::Cancelled;
        text = cancelledText();
    } else if (!c.foreignPeer.isEmpty()) {
        text =
            QCoreApplication::translate(
                "qv::RemoteClient", "A data connection came from %1 instead of the server; it was "
                                    "refused.")
                .arg(c.foreignPeer);
    } else if (c.hostKeyChanged || c.certificateChanged) {
        kind = c.hostKeyChanged ? Kind::ChangedHostKey : Kind::ChangedCertificate;
        fingerprint = c.hostKeyChanged ? c.hostKey : c.certificate;
        text = QCoreApplication::translate(
                   "qv::RemoteClient",
                   "WARNING: the %1 of %2 has changed. The server showed %3, but %4 "
                   "was trusted for it. Someone may be intercepting the connection, "
                   "so it was refused.")
                   .arg(c.hostKeyChanged
                            ? QCoreApplication::translate("qv::RemoteClient", "host key")
                            : QCoreApplication::translate("qv::RemoteClient", "certificate"),
                        where, fingerprint, trust.remembered);
    } else if (c.hostKeyRefused) {
        kind = Kind::UnknownHostKey;
        fingerprint = c.hostKey;
        text = QCoreApplication::translate("qv::RemoteClient",
                                           "The host key of %1 is not known.\nFingerprint: %2")
                   .arg(where, c.hostKey);
    } else if (c.certificateRefused ||
               (result == CURLE_PEER_FAILED_VERIFICATION && !c.certificate.isEmpty() && !sftp)) {
        kind = Kind::UntrustedCertificate;
        fingerprint = c.certificate;
        const QString reason = c.certificateReason.isEmpty() ? curlText : c.certificateReason;
        text = QCoreApplication::translate(
                   "qv::RemoteClient",
                   "The certificate of %1 is not trusted (%2).\nSHA-256 fingerprint: "
                   "%3")
                   .arg(where, reason, c.certificate);
    } else if (result == CURLE_USE_SSL_FAILED && !c.tlsStarted) {
        const bool warning = trust.encryptedBefore || !trust.remembered.isEmpty();
        kind = warning ? Kind::EncryptionWithdrawn : Kind::NoEncryption;
        text =
            warning
                ? QCoreApplication::translate(
                      "qv::RemoteClient", "WARNING: %1 used encryption before but does not offer "
                                          "it now. Someone may be intercepting the connection, so "
                                          "your password and files were not sent.")
                      .arg(where)
                : QCoreApplication::translate("qv::RemoteClient",
                                              "%1 does not offer encryption, so your password and "
                                              "files were not sent.")
                      .arg(where);
        text += serverSaid(c.lastLines);
    } else if (result == CURLE_USE_SSL_FAILED) {
        text = QCoreApplication::translate(
                   "qv::RemoteClient",
                   "%1 refused to encrypt the file transfers (PROT P), so no file was "
                   "sent.")
                   .arg(where) +
               serverSaid(c.lastLines);
    } else if (c.tooLong) {
        text =
            QCoreApplication::translate(
                "qv::RemoteClient", "The listing is longer than %1 MiB; the connection was closed.")
                .arg(kMaxListingBytes / (1024 * 1024));
    } else if (c.readFailed) {
        text = QCoreApplication::translate("qv::RemoteClient", "Cannot read the file \"%1\": %2")
                   .arg(argument, source.errorString());
    } else if (!c.garbage.isEmpty()) {
        text = QCoreApplication::translate(
                   "qv::RemoteClient", "%1 did not answer as an FTP server does; it sent \"%2\".")
                   .arg(where, c.garbage);
    } else if (c.lastCode >= 400) {
        // The server's refusal says more than anything of ours; where it does not name the
        // folder it refers to, we do.
        if (op == Op::Enter)
            text = QCoreApplication::translate("qv::RemoteClient",
                                               "Cannot open the folder \"%1\" on %2:\n")
                       .arg(folder, where);
        for (const QString& line : std::as_const(c.lastLines))
            text += line + QLatin1Char('\n');
    } else if (result == CURLE_OPERATION_TIMEDOUT) {
        text = QCoreApplication::translate("qv::RemoteClient", "Connection timed out: %1")
                   .arg(curlText);
    } else if (result == CURLE_COULDNT_CONNECT || result == CURLE_COULDNT_RESOLVE_HOST) {
        text = QCoreApplication::translate("qv::RemoteClient", "Cannot connect to %1: %2")
                   .arg(where, curlText);
    } else if (result == CURLE_LOGIN_DENIED) {
        text = QCoreApplication::translate("qv::RemoteClient",
                                           "The server refused the login name or password.");
    } else if (lost) {
        // libcurl's words for a closed connection end in the meaningless errno of a socket
        // that was still being opened.
        const QString how = curlText.startsWith(QLatin1String("response reading failed"))
                                ? QCoreApplication::translate("qv::RemoteClient",
                                                              "the server closed the connection.")
                                : curlText;
        text = op == Op::Store ? QCoreApplication::translate(
                                     "qv::RemoteClient",
                                     "The connection to %1 was lost while sending \"%2\": %3")
                                     .arg(where, QFileInfo(argument).fileName(), how)
                               : QCoreApplication::translate("qv::RemoteClient",
                                                             "The connection to %1 was lost: %2")
                                     .arg(where, how);
    } else {
        text = curlText;
    }
    if (result == CURLE_OPERATION_TIMEDOUT && c.lastCode < 400 &&
        curlText.contains(QLatin1String("too slow")))
        text = QCoreApplication::translate("qv::RemoteClient",
                                           "Connection timed out: no data moved for %1 s.")
                   .arg(seconds(timeouts.dataIdleMs));
    m_failure = {kind, text, fingerprint, lost && kind == Kind::Other && c.lastCode < 400};
    if (error)
        *error = text;
    // A session that failed in its transfer may have lost its connection; libcurl makes a new
    // one for the next operation, except after cancellation.
    if (kind == Kind::Cancelled)
        m_connected = false;
    return false;
}

std::optional<QString> RemoteClient::currentDirectory(QString* error) {
    if (!m_connected) {
        fail(RemoteFailure::Kind::Other,
             QCoreApplication::translate("qv::RemoteClient", "Not connected to the server."),
             error);
        return std::nullopt;
    }
    return m_current;
}

bool RemoteClient::changeDirectory(const QString& path, QString* error) {
    if (refuseLineBreaks(path, error))
        return false;
    const QString target = resolve(path);
    if (!run(Op::Enter, target, error))
        return false;
    m_current = target;
    return true;
}

bool RemoteClient::changeToParentDirectory(QString* error) {
    return changeDirectory(QStringLiteral(".."), error);
}

bool RemoteClient::makeDirectory(const QString& path, QString* error) {
    if (refuseLineBreaks(path, error))
        return false;
    const QString target = resolve(path);
    if (m_endpoint.protocol == RemoteProtocol::Sftp) {
        QString quoted = target;
        quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
        quoted.replace(QLatin1Char('"'), QStringLiteral("\\\""));
        return run(Op::Quote, m_current, error, QStringLiteral("mkdir \"%1\"").arg(quoted));
    }
    return run(Op::Quote, m_current, error, QStringLiteral("MKD ") + target);
}

namespace {
QStringList linesOf(const QByteArray& data) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] != '\r' && data[i] != '\n')
            continue;
        lines << QString::fromUtf8(data.mid(start, i - start));
        if (data[i] == '\r' && i + 1 < n && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << QString::fromUtf8(data.mid(start));
    return lines;
}
} // namespace

std::optional<QStringList> RemoteClient::listNames(QString* error) {
    QByteArray data;
    if (!run(Op::Names, m_current, error, QString(), &data))
        return std::nullopt;
    return linesOf(data);
}

std::optional<QStringList> RemoteClient::listDetails(QString* error) {
    QByteArray data;
    if (!run(Op::List, m_current, error, QString(), &data))
        return std::nullopt;
    return linesOf(data);
}

bool RemoteClient::storeFile(const QString& localPath, QString* error, const Progress& progress,
                             SentContent* sent) {
    return storeFileInto(m_current, localPath, error, progress, sent);
}

bool RemoteClient::storeFileInto(const QString& remoteFolder, const QString& localPath,
                                 QString* error, const Progress& progress, SentContent* sent) {
    if (refuseLineBreaks(QFileInfo(localPath).fileName(), error) ||
        refuseLineBreaks(remoteFolder, error))
        return false;
    return run(Op::Store, remoteFolder, error, localPath, nullptr, progress, sent);
}

} // namespace qv
