#include "cli/CliCommand.h"
#include "common/LocalTimeZone.h"

#include <QCoreApplication>
#include <QTextStream>

namespace qv::cli {

std::map<QString, Command>& commands() {
    static std::map<QString, Command> table;
    return table;
}

Registration::Registration(const char* name, const char* usage, CommandFunction run) {
    commands()[QString::fromLatin1(name)] = {QString::fromLatin1(usage), std::move(run)};
}

} // namespace qv::cli

namespace {

int usage() {
    QTextStream err(stderr);
    err << "Usage: quorvel-cli COMMAND ARGUMENTS\nCommands:\n";
    for (const auto& [name, command] : qv::cli::commands())
        err << "  quorvel-cli " << command.usage << '\n';
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    qv::nameSystemTimeZone();
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const auto it = qv::cli::commands().find(args.constFirst());
    if (it == qv::cli::commands().end())
        return usage();
    return it->second.run(args.mid(1));
}
