#include "cli/CliCommand.h"
#include "common/Functions.h"
#include "common/LocalTimeZone.h"
#include "common/RegularFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace qv::cli {

std::map<QString, Command>& commands() {
    static std::map<QString, Command> table;
    return table;
}

std::optional<QStringList> absolutePaths(const QStringList& given) {
    QStringList paths;
    for (const QString& path : given) {
        if (path.isEmpty()) {
            QTextStream(stderr) << "An empty argument was given where a path belongs.\n";
            return std::nullopt;
        }
        paths.append(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    }
    return paths;
}

std::optional<QStringList> filePaths(const QStringList& given) {
    std::optional<QStringList> paths = absolutePaths(given);
    for (const QString& path : paths ? *paths : QStringList()) {
        if (const std::optional<QString> problem = notAFileProblem(path)) {
            QTextStream(stderr) << printableText(*problem) << '\n';
            return std::nullopt;
        }
    }
    return paths;
}

Registration::Registration(const char* name, const char* usage, CommandFunction run) {
    commands()[QString::fromLatin1(name)] = {QString::fromLatin1(usage), std::move(run)};
}

} // namespace qv::cli

namespace {

// The program's usage: its commands, then the options it takes before them.
QString usageText(const QCommandLineParser& parser) {
    QString text = QStringLiteral("Usage: quorvel-cli COMMAND ARGUMENTS\nCommands:\n");
    for (const auto& [name, command] : qv::cli::commands())
        text += QStringLiteral("  quorvel-cli ") + command.usage + u'\n';
    const QString help = parser.helpText();
    return text + help.mid(help.indexOf(QLatin1String("Options:")));
}

int usageError(const QCommandLineParser& parser, const QString& problem) {
    QTextStream err(stderr);
    if (!problem.isEmpty())
        err << problem << '\n';
    err << usageText(parser);
    return 2;
}

// "--name=value" is taken as "--name value", as people type options for other programs. Only the
// first "=" splits: a value may hold more of them (a web address with a query, say).
QStringList withOptionValuesApart(const QStringList& arguments) {
    QStringList apart;
    for (const QString& argument : arguments) {
        const qsizetype equals = argument.indexOf(u'=');
        if (argument.startsWith(QLatin1String("--")) && equals > 2) {
            apart << argument.left(equals) << argument.mid(equals + 1);
            continue;
        }
        apart << argument;
    }
    return apart;
}

bool asksForHelp(const QStringList& arguments) {
    return arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"));
}

} // namespace

int main(int argc, char** argv) {
    qv::nameSystemTimeZone();
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvel"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));

    QCommandLineParser parser;
    // Everything from the command on is the command's own to read.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("COMMAND"), QStringLiteral("What to do."));
    parser.addPositionalArgument(QStringLiteral("ARGUMENTS"),
                                 QStringLiteral("What the command works on."));
    if (!parser.parse(app.arguments()))
        return usageError(parser, parser.errorText());
    if (parser.isSet(help)) {
        QTextStream(stdout) << usageText(parser);
        return 0;
    }
    if (parser.isSet(version)) {
        QTextStream(stdout) << "quorvel-cli " << QCoreApplication::applicationVersion() << '\n';
        return 0;
    }
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty())
        return usageError(parser, {});
    const auto it = qv::cli::commands().find(args.constFirst());
    if (it == qv::cli::commands().end())
        return usageError(parser, QStringLiteral("Unknown command: %1").arg(args.constFirst()));
    if (asksForHelp(args.mid(1))) {
        QTextStream(stdout) << "Usage: quorvel-cli " << it->second.usage << '\n';
        return 0;
    }
    return it->second.run(withOptionValuesApart(args.mid(1)));
}
