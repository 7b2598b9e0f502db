#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace qv {

// One reply of an FTP server: the three-digit code and its text, line by line, without the
// leading code and the space or hyphen after it.
struct FtpReply {
    int code = 0;
    QStringList lines;

    // The lines, each followed by a line break: what a failure shows to the user.
    QString text() const;
};

// Cuts the bytes of a control connection into replies. A reply is one line "ddd text" or several
// lines from "ddd-text" to the line that starts with "ddd " (the same code). A reply may hold at
// most kMaxReplyBytes, so a server that never ends a line or a reply cannot exhaust memory.
class FtpReplyParser {
public:
    static constexpr qsizetype kMaxReplyBytes = 64 * 1024;

    enum class Result { NeedMore, Complete, Failed };

    void append(const QByteArray& bytes) { m_buffer.append(bytes); }
    // Takes the next complete reply off the buffer. Failed (with a reason) when the bytes are no
    // FTP reply or the reply grows past the limit; the parser is of no further use then.
    Result next(FtpReply* reply, QString* error);

    bool isEmpty() const { return m_buffer.isEmpty(); }
    void clear() { m_buffer.clear(); }

private:
    QByteArray m_buffer;
};

// The directory name of a PWD reply's first line: the text between its first and second double
// quote (a doubled quote inside the name ends it); empty when the line holds no quote.
QString directoryFromPwdLine(const QString& line);

// The port of a PASV reply's first line: the six numbers between parentheses, or after the last
// space when there are none; the port is the fifth times 256 plus the sixth. The address the reply
// names is not returned: the data connection always goes to the control connection's peer.
std::optional<quint16> portFromPasvLine(const QString& line, QString* error);

// The lines of a listing, split at CR LF, CR or LF, unchanged otherwise.
QStringList splitListing(const QByteArray& data);

} // namespace qv
