#pragma once

#include <QStringList>

#include <functional>
#include <map>

namespace qv::cli {

// A command of quorvel-cli: takes the arguments after its name, returns the exit code.
using CommandFunction = std::function<int(const QStringList& arguments)>;

struct Command {
    QString usage;
    CommandFunction run;
};

std::map<QString, Command>& commands();

// Registers a command at start-up; each command lives in a file of its own:
//   static const qv::cli::Registration reg("roundtrip", "roundtrip IN.xml OUT.xml", &run);
struct Registration {
    Registration(const char* name, const char* usage, CommandFunction run);
};

} // namespace qv::cli
