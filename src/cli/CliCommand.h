#pragma once

#include <QStringList>

#include <functional>
#include <map>
#include <optional>

namespace qv::cli {

// A command of quorvel-cli: takes the arguments after its name, returns the exit code.
using CommandFunction = std::function<int(const QStringList& arguments)>;

struct Command {
    QString usage;
    CommandFunction run;
};

std::map<QString, Command>& commands();

// The path arguments of a command as absolute, clean paths, so that a command works alike from
// any current folder; nothing, with the reason printed, when one of them is empty.
std::optional<QStringList> absolutePaths(const QStringList& given);

// The same for paths that must each be a file or nothing yet: a folder, a named pipe (whose read
// would block for ever), a device or a socket is refused too.
std::optional<QStringList> filePaths(const QStringList& given);

// Registers a command at start-up; each command lives in a file of its own:
//   static const qv::cli::Registration reg("roundtrip", "roundtrip IN.xml OUT.xml", &run);
struct Registration {
    Registration(const char* name, const char* usage, CommandFunction run);
};

} // namespace qv::cli
