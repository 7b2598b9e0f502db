// quorvel-cli upload: mirrors a published folder onto an FTP server the way the designer's upload
// window does, with the FTP settings of the settings file for every option not given. Files the
// server already holds as they are now are not sent again unless --all is given.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/CliCommand.h"
#include "common/Functions.h"
#include "common/SecretMemory.h"
#include "ftp/ChangedFilesOnly.h"
#include "ftp/FtpSettingsRules.h"
#include "ftp/TFtpThread.h"
#include "ftp/TransferStatus.h"
#include "ftp/TrustStore.h"
#include "ftp/UploadTarget.h"
#include "session/Folders.h"
#include "session/FtpPasswordPlace.h"
#include "session/FtpSettings.h"
#include "session/IniFile.h"
#include "session/KeychainPasswordStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <optional>

namespace {

constexpr const char* kUsage =
    "upload FOLDER [--host H] [--port P] [--user U] [--dir D] [--passive|--active] "
    "[--protocol ftp|ftps|sftp] [--trust FINGERPRINT] [--all] [--connections N]  "
    "(password: QUORVEL_FTP_PASSWORD, else the desktop's keyring, else the settings file)";

int usageError(const QString& text) {
    QTextStream(stderr) << text << "\nUsage: quorvel-cli " << kUsage << '\n';
    return 2;
}

// The password: QUORVEL_FTP_PASSWORD, else the one the desktop's keyring keeps for the account,
// else the settings file's, but only for the login, host and port it was saved with; nothing
// when none is known for the account. The keyring answers through the event loop: the program's
// own loop runs here, once, until it has (the command line has no window and no other loop).
std::optional<QString> passwordFor(const qv::FtpSettings& settings, const qv::FtpSettings& saved) {
    const QByteArray fromEnvironment = qgetenv("QUORVEL_FTP_PASSWORD");
    if (!fromEnvironment.isNull())
        return QString::fromLocal8Bit(fromEnvironment);
    qv::KeychainPasswordStore keyring;
    std::optional<qv::PasswordStore::Answer> answer;
    keyring.read(qv::ftpPasswordAccount(settings), [&](const qv::PasswordStore::Answer& a) {
        answer = a;
        QCoreApplication::exit(0);
    });
    if (!answer)
        QCoreApplication::exec();
    if (answer->outcome == qv::PasswordStore::Outcome::Done)
        return answer->password;
    if (qv::ftpPasswordAccount(settings) == qv::ftpPasswordAccount(saved))
        return saved.password;
    return std::nullopt;
}

int run(const QStringList& args) {
    qv::IniFile ini(qv::settingsFilePath(QCoreApplication::applicationDirPath()));
    qv::keepSecretsOutOfCrashFiles(); // the settings file and the keyring may hand a password
    const qv::FtpSettings saved = qv::FtpSettings::read(ini);
    qv::FtpSettings settings = saved;
    QString folder;
    bool portGiven = false;
    bool all = false;
    QString protocol = settings.protocol;
    QStringList trusted;
    QString trustValue;
    QString connections;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        QString* value = nullptr;
        if (a == QLatin1String("--host"))
            value = &settings.host;
        else if (a == QLatin1String("--port"))
            value = &settings.port;
        else if (a == QLatin1String("--user"))
            value = &settings.user;
        else if (a == QLatin1String("--dir"))
            value = &settings.folder;
        else if (a == QLatin1String("--protocol"))
            value = &protocol;
        else if (a == QLatin1String("--trust"))
            value = &trustValue;
        else if (a == QLatin1String("--connections"))
            value = &connections;
        else if (a == QLatin1String("--passive") || a == QLatin1String("--active"))
            settings.transferMode = a.mid(2);
        else if (a == QLatin1String("--all"))
            all = true;
        else if (a.startsWith(QLatin1String("--")) || !folder.isEmpty())
            return usageError(QStringLiteral("Unknown argument: %1").arg(a));
        else
            folder = a;
        portGiven = portGiven || value == &settings.port;
        if (value) {
            if (++i == args.size())
                return usageError(QStringLiteral("%1 needs a value").arg(a));
            *value = args[i];
            if (value == &trustValue)
                trusted << trustValue;
            if (value == &protocol && !qv::protocolFromOption(protocol))
                return usageError(QStringLiteral("Unknown protocol: %1").arg(protocol));
            if (value == &connections) {
                bool ok = false;
                const int n = connections.toInt(&ok);
                if (!ok || n < 1 || n > qv::FtpSettings::kMaxConnections)
                    return usageError(
                        QStringLiteral("--connections must be a whole number from 1 to %1")
                            .arg(qv::FtpSettings::kMaxConnections));
                settings.connections = connections;
            }
        }
    }
    settings.protocol = protocol;
    if (folder.isEmpty())
        return usageError(QStringLiteral("No folder given"));
    folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    // A port given here must be one; the settings file's falls back to 21 as in the designer.
    if (portGiven) {
        if (const auto problem = qv::portProblem(settings.port))
            return usageError(*problem);
    }
    if (!QFileInfo(folder).isDir()) {
        QTextStream(stderr) << "Not a folder: " << folder << '\n';
        return 1;
    }
    const std::optional<QString> password = passwordFor(settings, saved);
    if (!password) {
        QTextStream(stderr) << qv::printableText(
                                   QStringLiteral("No password is known for the login \"%1\" on "
                                                  "%2. Set QUORVEL_FTP_PASSWORD, or save the "
                                                  "password for this login and host in the "
                                                  "designer's FTP settings.")
                                       .arg(settings.user, settings.host))
                            << '\n';
        return 1;
    }
    settings.password = *password;

    qv::TFtpThread worker;
    worker.setConnections(settings.connectionCount());
    worker.setRefreshRemoteList(false); // nothing here shows the remote folder afterwards
    worker.prepare(folder);
    for (const QString& link : worker.skippedLinks())
        QTextStream(stderr) << "Skipped (a symbolic link, never uploaded): "
                            << qv::printableText(link) << '\n';
    for (const QString& special : worker.skippedSpecialFiles())
        QTextStream(stderr) << "Skipped (a pipe, device or socket, never uploaded): "
                            << qv::printableText(special) << '\n';
    const qv::UploadTarget target = qv::UploadTarget::fromSettings(settings);
    auto client = std::make_unique<qv::RemoteClient>(target.endpoint());
    qv::TrustStore trustStore;
    client->trust = qv::trustFor(trustStore, client->endpoint());
    client->trust.accepted = trusted;
    // The command line has no window to keep painting: it waits for the server right here.
    QString error;
    if (!qv::connectToRemoteFolder(*client, target.remoteFolder, &error)) {
        using Kind = qv::RemoteFailure::Kind;
        const qv::RemoteFailure& failure = client->lastFailure();
        if (failure.kind == Kind::UntrustedCertificate || failure.kind == Kind::UnknownHostKey ||
            failure.kind == Kind::ChangedCertificate)
            error += QStringLiteral("\nRun again with --trust %1 to trust it for this run.")
                         .arg(failure.fingerprint);
        if (failure.kind == Kind::NoEncryption || failure.kind == Kind::EncryptionWithdrawn)
            error += QStringLiteral("\nRun again with --protocol ftp to send them unencrypted.");
        QTextStream(stderr) << qv::printableText(error)
                            << (error.endsWith(QLatin1Char('\n')) ? "" : "\n");
        return 1;
    }
    trustStore.noteLogin(client->endpoint(), client->isEncrypted());
    QTextStream out(stdout);
    bool complete = false;
    // Printed as each file starts, on the thread that sends it: the worker never reports from two
    // threads at once.
    QObject::connect(
        &worker, &qv::TFtpThread::fileReport, &worker,
        [&](const QString& file, int number, int total) {
            out << qv::fileCountText(number, total) << ' ' << file << Qt::endl;
        },
        Qt::DirectConnection);
    QObject::connect(&worker, &qv::TFtpThread::completed, [&] { complete = true; });
    QObject::connect(&worker, &qv::TFtpThread::failed, [&](const QString& text) { error = text; });
    // The upload ends here, on this thread; the record keeps what arrived, whatever the outcome.
    const auto record =
        qv::attachUploadRecord(worker, qv::UploadManifest::defaultFolder(),
                               qv::uploadRecordTarget(target, target.remoteFolder), folder, !all);
    worker.runHere(std::move(client));
    QString recordError;
    if (!record->save(&recordError))
        QTextStream(stderr) << qv::printableText(recordError) << '\n';
    if (complete) {
        if (record->skippedCount() > 0)
            out << qv::skippedFilesText(record->skippedCount()) << Qt::endl;
        return 0;
    }
    QTextStream(stderr) << qv::printableText(error)
                        << (error.endsWith(QLatin1Char('\n')) ? "" : "\n");
    return 1;
}

const qv::cli::Registration reg("upload", kUsage, &run);

} // namespace
