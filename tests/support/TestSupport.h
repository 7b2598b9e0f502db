#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace qv::test {

// A fixture file under tests/data.
QString dataPath(const QString& relative);
QByteArray readBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);
// build/bin, laid out as an installation.
QString binDir();

// One run of build/bin/quorvel-cli: its exit code (-1 when it did not end normally within the
// time limit) and what it printed, read as UTF-8.
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};
CliRun runCli(const QStringList& arguments,
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
              int timeoutMs = 30000, const QString& workingFolder = {});

} // namespace qv::test
