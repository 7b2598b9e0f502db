#pragma once

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
};

struct FtpSettings;

// Connects and logs in with the settings as typed (a port text that is no whole number means
// 21), reads the login directory when settings.folder is empty, and closes the connection.
ConnectionTestResult testConnection(const FtpSettings& settings);

} // namespace qv
