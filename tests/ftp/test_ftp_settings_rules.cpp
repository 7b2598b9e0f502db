// The checks of the FTP settings dialog and its connection test.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ftp/FtpSettingsRules.h"
#include "session/FtpSettings.h"
#include "support/FtpTestServers.h"

#include <QTest>

using qv::test::ScriptedFtpServer;
using Replies = QHash<QByteArray, QByteArray>;

namespace {
const QString kScheme = QStringLiteral("Please do not fill in any http:// or ftp:// in Ftp Host");
const QString kNotNumber = QStringLiteral("This is not a valid ftp port number");
const QString kRange = QStringLiteral("The ftp port should be a number in between 1 - 65535");
} // namespace

class TestFtpSettingsRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void host_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("message");
        QTest::newRow("plain") << QStringLiteral("ftp.example.com") << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("ftp scheme") << QStringLiteral("ftp://example.com") << kScheme;
        QTest::newRow("http in capitals") << QStringLiteral("HTTP://example.com") << kScheme;
        QTest::newRow("mixed case ftp") << QStringLiteral("Ftp://example.com") << kScheme;
        QTest::newRow("scheme in the middle") << QStringLiteral("my.ftp://host") << kScheme;
        QTest::newRow("https carries no http://") << QStringLiteral("https://x") << QString();
        QTest::newRow("ftp without slashes") << QStringLiteral("ftp.host:21") << QString();
    }
    void host() {
        QFETCH(QString, host);
        QFETCH(QString, message);
        QCOMPARE(qv::hostProblem(host).value_or(QString()), message);
    }

    void port_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("message");
        QTest::newRow("21") << QStringLiteral("21") << QString();
        QTest::newRow("1") << QStringLiteral("1") << QString();
        QTest::newRow("65535") << QStringLiteral("65535") << QString();
        QTest::newRow("0") << QStringLiteral("0") << kRange;
        QTest::newRow("65536") << QStringLiteral("65536") << kRange;
        QTest::newRow("-21") << QStringLiteral("-21") << kRange;
        QTest::newRow("huge") << QStringLiteral("99999999999") << kRange;
        QTest::newRow("abc") << QStringLiteral("abc") << kNotNumber;
        QTest::newRow("empty") << QString() << kNotNumber;
        QTest::newRow("21 with a letter") << QStringLiteral("21a") << kNotNumber;
    }
    void port() {
        QFETCH(QString, port);
        QFETCH(QString, message);
        QCOMPARE(qv::portProblem(port).value_or(QString()), message);
    }

    void connectionTest_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("directory"); // null: none read
        const QString ok = QStringLiteral("Connected to your server successfully!");
        QTest::newRow("empty folder is detected")
            << QString() << Replies{{"PWD", "257 \"/home/anna\" is cwd\r\n"}} << ok
            << QStringLiteral("/home/anna");
        QTest::newRow("typed folder is left alone")
            << QStringLiteral("www") << Replies{} << ok << QString();
        QTest::newRow("login refused") << QString() << Replies{{"PASS", "530 Nope.\r\n"}}
                                       << QStringLiteral("Nope.\n") << QString();
    }
    void connectionTest() {
        QFETCH(QString, folder);
        QFETCH(Replies, replies);
        QFETCH(QString, text);
        QFETCH(QString, directory);
        ScriptedFtpServer server;
        server.replies = replies;
        qv::FtpSettings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = QString::number(server.port());
        settings.folder = folder;
        settings.protocol = QStringLiteral("ftp");
        qv::RemoteClient client(qv::testEndpoint(settings));
        const qv::ConnectionTestResult result = qv::testConnection(client, folder.isEmpty());
        QCOMPARE(result.text, text);
        QCOMPARE(result.connected, text.startsWith(QLatin1String("Connected")));
        QCOMPARE(result.directory.value_or(QString()), directory);
        QTRY_VERIFY_WITH_TIMEOUT(server.clientGone, 2000); // no connection stays open
    }
};

QTEST_GUILESS_MAIN(TestFtpSettingsRules)
#include "test_ftp_settings_rules.moc"
