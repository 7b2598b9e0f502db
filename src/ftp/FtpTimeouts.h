#pragma once

namespace qv {

// How long the FTP client waits before it gives an operation up. A limit that runs out fails the
// operation with a "Connection timed out ..." text and closes the connection.
struct FtpTimeouts {
    int connectMs = 20'000;  // opening the control or a passive data connection
    int replyMs = 30'000;    // each reply on the control connection
    int dataIdleMs = 60'000; // a data connection that moves no byte
    int acceptMs = 20'000;   // the server opening an active-mode data connection

    // The limits new clients start with. Tests shorten them; the program never changes them.
    static FtpTimeouts& defaults();
};

inline FtpTimeouts& FtpTimeouts::defaults() {
    static FtpTimeouts limits;
    return limits;
}

} // namespace qv
