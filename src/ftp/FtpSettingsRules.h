#pragma once

#include "ftp/RemoteClient.h"

#include <QString>

#include <optional>

namespace qv {

// The checks of the FTP settings dialog; each gives the message to show, or nothing when the
// text passes.
// A host that carries "http://" or "ftp://" anywhere, in any letter case.
std::optional<QString> hostProblem(const QString& host);
// A port text that is no whole number, or one outside 1 to 65535.
std::optional<QString> portProblem(const QString& port);

// What "Test Connection" found out.
struct ConnectionTestResult {
    QString text;                     // for the result label
    std::optional<QString> directory; // the login directory, when it was read
    bool connected = false;           // the test succeeded
    bool encrypted = false;           // and the login travelled encrypted
    RemoteFailure failure;            // why it did not, when it did not
};

struct FtpSettings;

// The server the test tries: the settings as typed; a port text that is no port number means
// the protocol's own port.
RemoteEndpoint testEndpoint(const FtpSettings& settings);
// Connects and logs in, reads the login directory when readDirectory is set, and closes the
// connection. Blocks until the server answers or the client is cancelled: run it off the window
// thread.
ConnectionTestResult testConnection(RemoteClient& client, bool readDirectory);

} // namespace qv
