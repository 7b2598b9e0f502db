// The "Ftp Setting" dialog: what it shows, what OK accepts and stores, and Test Connection.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "document/CalendarDocument.h"
#include "ftp/ui/TfrmFtpSetting.h"
#include "platform/ScriptedPlatform.h"
#include "session/AppContext.h"
#include "session/MemoryPasswordStore.h"
#include "support/FtpTestServers.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using qv::FtpSettings;
using qv::TfrmFtpSetting;

namespace {

FtpSettings sample() {
    FtpSettings s;
    s.host = QStringLiteral("ftp.example.com");
    s.user = QStringLiteral("anna");
    s.password = QStringLiteral("pw");
    s.folder = QStringLiteral("www");
    s.port = QStringLiteral("2121");
    s.transferMode = QStringLiteral("passive");
    return s;
}

// Answers the modal dialog opened next: fills it with the settings and presses OK or Cancel.
// placeShown receives the line under the password as the dialog showed it.
void answerNextDialog(const FtpSettings& typed, bool ok, QString* placeShown = nullptr) {
    QTimer::singleShot(0, [typed, ok, placeShown] {
        auto* dialog = qobject_cast<TfrmFtpSetting*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (placeShown)
            *placeShown = dialog->lbPasswordPlace->isVisible() ? dialog->lbPasswordPlace->text()
                                                               : QStringLiteral("(hidden)");
        dialog->edFtpHost->setText(typed.host);
        dialog->edLogin->setText(typed.user);
        dialog->medPasswd->setText(typed.password);
        dialog->edDefHostDir->setText(typed.folder);
        dialog->edFtpPort->setText(typed.port);
        dialog->rbTransferModePassive->setChecked(typed.transferMode == "passive");
        dialog->rbTransferModeActive->setChecked(typed.transferMode != "passive");
        (ok ? dialog->btnOk : dialog->btnCancel)->click();
    });
}

} // namespace

class TestFrmFtpSetting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void transferModeShown_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("afterOk");
        QTest::newRow("active") << QStringLiteral("active") << true << QStringLiteral("active");
        QTest::newRow("passive") << QStringLiteral("passive") << false << QStringLiteral("passive");
        QTest::newRow("capital Active")
            << QStringLiteral("Active") << false << QStringLiteral("passive");
        QTest::newRow("other word") << QStringLiteral("pasv") << false << QStringLiteral("passive");
    }
    void transferModeShown() {
        QFETCH(QString, stored);
        QFETCH(bool, active);
        QFETCH(QString, afterOk);
        qv::ScriptedPlatform platform;
        TfrmFtpSetting dialog(platform);
        FtpSettings s = sample();
        s.transferMode = stored;
        dialog.setSettings(s);
        QCOMPARE(dialog.rbTransferModeActive->isChecked(), active);
        QCOMPARE(dialog.rbTransferModePassive->isChecked(), !active);
        QCOMPARE(dialog.edFtpPort->text(), QStringLiteral("2121"));
        QCOMPARE(dialog.medPasswd->echoMode(), QLineEdit::Password);
        dialog.btnOkClick();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.settings().transferMode, afterOk);
    }

    void okRefuses_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("message");
        QTest::newRow("scheme") << QStringLiteral("FTP://x") << QStringLiteral("21")
                                << QStringLiteral("Please do not fill in any http:// or ftp:// "
                                                  "in Ftp Host");
        QTest::newRow("scheme before a bad port")
            << QStringLiteral("http://x") << QStringLiteral("abc")
            << QStringLiteral("Please do not fill in any http:// or ftp:// in Ftp Host");
        QTest::newRow("port text") << QStringLiteral("x") << QStringLiteral("abc")
                                   << QStringLiteral("This is not a valid ftp port number");
        QTest::newRow("port 0") << QStringLiteral("x") << QStringLiteral("0")
                                << QStringLiteral("The ftp port should be a number in between 1 "
                                                  "- 65535");
    }
    void okRefuses() {
        QFETCH(QString, host);
        QFETCH(QString, port);
        QFETCH(QString, message);
        qv::ScriptedPlatform platform;
        TfrmFtpSetting dialog(platform);
        dialog.setSettings(sample());
        dialog.edFtpHost->setText(host);
        dialog.edFtpPort->setText(port);
        dialog.btnOkClick();
        QCOMPARE(platform.texts(), QStringList{message});
        QCOMPARE(platform.shown.constFirst().kind, QStringLiteral("information"));
        QVERIFY(dialog.result() != QDialog::Accepted);
        QCOMPARE(dialog.settings(), sample());
        QCOMPARE(dialog.edFtpHost->text(), host); // left as typed
    }

    void okStoresAllSixAtOnce_data() {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("writable");
        QTest::newRow("OK") << true << true;
        QTest::newRow("Cancel") << false << true;
        QTest::newRow("OK, file cannot be written") << true << false;
    }
    void okStoresAllSixAtOnce() {
        QFETCH(bool, ok);
        QFETCH(bool, writable);
        QTemporaryDir dir;
        QVERIFY(qv::test::writeBytes(dir.filePath("blocker"), "a file, not a folder"));
        const QString path =
            writable ? dir.filePath("quorvel.ini") : dir.filePath("blocker/quorvel.ini");
        qv::CalendarDocument document;
        qv::AppContext context(document);
        context.settings = std::make_unique<qv::IniFile>(path);
        qv::ScriptedPlatform platform;
        FtpSettings typed = sample();
        typed.host = QStringLiteral("my host");
        typed.user.clear();
        answerNextDialog(typed, ok);
        QCOMPARE(qv::editFtpSettings(context, platform, nullptr), ok);
        QCOMPARE(context.ftp, ok ? typed : FtpSettings());
        if (writable) {
            QCOMPARE(FtpSettings::read(*context.settings), ok ? typed : FtpSettings());
            QCOMPARE(platform.texts(), QStringList());
        } else {
            QCOMPARE(platform.texts(),
                     QStringList{QStringLiteral("Unable to write to %1").arg(path)});
        }
    }

    // The window says where the password is kept, and OK keeps it there: out of the settings
    // file while a keyring answers, in it (owner only) when none does.
    void passwordPlaceIsShownAndKept_data() {
        QTest::addColumn<bool>("keyring");
        QTest::addColumn<QString>("shown"); // %1: the settings file
        QTest::newRow("keyring") << true
                                 << QStringLiteral("Password kept in the desktop's keyring");
        QTest::newRow("no keyring")
            << false << QStringLiteral("Password kept in the settings file %1 (no keyring found)");
    }
    void passwordPlaceIsShownAndKept() {
        QFETCH(bool, keyring);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        qv::CalendarDocument document;
        qv::AppContext context(document);
        context.settings = std::make_unique<qv::IniFile>(dir.filePath("quorvel.ini"));
        qv::MemoryPasswordStore store;
        store.reachable = keyring;
        context.passwords = &store;
        context.loadFtpPassword();
        QTRY_VERIFY(context.ftpPasswordPlace != qv::PasswordPlace::Unknown);

        qv::ScriptedPlatform platform;
        QString placeShown;
        answerNextDialog(sample(), true, &placeShown);
        QVERIFY(qv::editFtpSettings(context, platform, nullptr));
        QCOMPARE(placeShown, keyring ? shown : shown.arg(dir.filePath("quorvel.ini")));
        const QString ini = dir.filePath("quorvel.ini");
        QTRY_COMPARE(context.ftpPasswordPlace,
                     keyring ? qv::PasswordPlace::Keyring : qv::PasswordPlace::SettingsFile);
        QTRY_COMPARE(store.passwords.value(qv::ftpPasswordAccount(sample())),
                     keyring ? QStringLiteral("pw") : QString());
        QTRY_COMPARE(qv::test::readBytes(ini).contains("defFtpPass=pw"), !keyring);
        QVERIFY(qv::test::readBytes(ini).contains("defFtpUser=anna"));
        QCOMPARE(int(QFile::permissions(ini) & 0x0077), 0); // nobody else reads it
    }

    // Without a protocol in the settings FTP over TLS shows as chosen, and OK leaves it so;
    // choosing SFTP moves a port left at 21 to 22 and stores "sftp"; a port the user set stays.
    void protocolChoice_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("choose"); // index of the choice, -1 for none
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<QString>("portAfter");
        QTest::newRow("none is FTP over TLS") << QString() << "21" << -1 << QString() << "21";
        QTest::newRow("sftp moves port 21") << QString() << "21" << 2 << "sftp"
                                            << "22";
        QTest::newRow("ftps keeps 2121") << "sftp"
                                         << "2121" << 1 << "ftps"
                                         << "2121";
        QTest::newRow("back to ftp from 22") << "sftp"
                                             << "22" << 0 << "ftp"
                                             << "21";
    }
    void protocolChoice() {
        QFETCH(QString, stored);
        QFETCH(QString, port);
        QFETCH(int, choose);
        QFETCH(QString, protocol);
        QFETCH(QString, portAfter);
        qv::ScriptedPlatform platform;
        TfrmFtpSetting dialog(platform);
        FtpSettings s = sample();
        s.protocol = stored;
        s.port = port;
        dialog.setSettings(s);
        QCOMPARE(dialog.cmbProtocol->currentIndex(), stored.isEmpty() ? 1 : 2);
        QCOMPARE(dialog.cmbProtocol->itemText(1), QStringLiteral("FTP over TLS (explicit)"));
        if (choose >= 0) {
            dialog.cmbProtocol->setCurrentIndex(choose);
            Q_EMIT dialog.cmbProtocol->activated(choose);
        }
        QCOMPARE(dialog.edFtpPort->text(), portAfter);
        QCOMPARE(dialog.rbTransferModeActive->isEnabled(), protocol != QLatin1String("sftp"));
        dialog.btnOkClick();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.settings().protocol, protocol);
    }

    // The number of connections shows as the setting stands (2 when it is not set or not a
    // number the dialog offers); OK keeps an untouched setting as it was and stores one chosen.
    void connectionsChoice_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("choose"); // 0: leave it
        QTest::addColumn<QString>("after");
        QTest::newRow("not set, left") << QString() << 2 << 0 << QString();
        QTest::newRow("not set, one chosen") << QString() << 2 << 1 << QStringLiteral("1");
        QTest::newRow("four, left") << QStringLiteral("4") << 4 << 0 << QStringLiteral("4");
        QTest::newRow("nonsense, left") << QStringLiteral("99") << 2 << 0 << QStringLiteral("99");
        QTest::newRow("four, back to two") << QStringLiteral("4") << 4 << 2 << QStringLiteral("2");
    }
    void connectionsChoice() {
        QFETCH(QString, stored);
        QFETCH(int, shown);
        QFETCH(int, choose);
        QFETCH(QString, after);
        qv::ScriptedPlatform platform;
        TfrmFtpSetting dialog(platform);
        FtpSettings s = sample();
        s.connections = stored;
        dialog.setSettings(s);
        QCOMPARE(dialog.seConnections->value(), shown);
        QCOMPARE(dialog.seConnections->maximum(), 10);
        if (choose > 0)
            dialog.seConnections->setValue(choose);
        dialog.btnOkClick();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.settings().connections, after);
    }

    void testConnectionFillsTheDirectory_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("shownFolder");
        QTest::addColumn<bool>("detected");
        QTest::newRow("empty") << QString() << QStringLiteral("/home/anna") << true;
        QTest::newRow("typed") << QStringLiteral("www") << QStringLiteral("www") << false;
    }
    void testConnectionFillsTheDirectory() {
        QFETCH(QString, folder);
        QFETCH(QString, shownFolder);
        QFETCH(bool, detected);
        qv::test::ScriptedFtpServer server;
        server.replies = {{"PWD", "257 \"/home/anna\"\r\n"}};
        qv::ScriptedPlatform platform;
        TfrmFtpSetting dialog(platform);
        FtpSettings s = sample();
        s.host = QStringLiteral("127.0.0.1");
        s.port = QString::number(server.port());
        s.folder = folder;
        s.protocol = QStringLiteral("ftp");
        dialog.setSettings(s);
        dialog.lbDetectHostDirectory->show();
        dialog.bbTestConnectionClick();
        QTRY_VERIFY(!dialog.isTesting());
        QCOMPARE(dialog.lbTestResult->text(),
                 QStringLiteral("Connected to your server successfully!"));
        QVERIFY(dialog.lbTestResult->styleSheet().contains("green"));
        QCOMPARE(dialog.edDefHostDir->text(), shownFolder);
        QCOMPARE(dialog.lbDetectHostDirectory->isVisibleTo(&dialog), detected);
        QTRY_VERIFY_WITH_TIMEOUT(server.clientGone, 2000);
        QCOMPARE(dialog.settings(), s); // a test stores nothing
    }

    // A server without encryption is not "Connected ... successfully": the test asks first, and
    // without a yes the password never goes out.
    void testConnectionAsksBeforeSendingUnencrypted_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("cancelled") << false;
        QTest::newRow("send unencrypted") << true;
    }
    void testConnectionAsksBeforeSendingUnencrypted() {
        QFETCH(bool, answer);
        qv::test::ScriptedFtpServer server;
        qv::ScriptedPlatform platform;
        platform.warningAnswers << answer;
        TfrmFtpSetting dialog(platform);
        FtpSettings s = sample();
        s.host = QStringLiteral("127.0.0.1");
        s.port = QString::number(server.port());
        s.password = QStringLiteral("pw");
        s.protocol.clear();
        dialog.setSettings(s);
        dialog.bbTestConnectionClick();
        QTRY_VERIFY(!dialog.isTesting());
        QTRY_VERIFY(!dialog.lbTestResult->text().startsWith(QLatin1String("Connecting")));
        QCOMPARE(platform.shown.size(), 1);
        QCOMPARE(platform.shown[0].kind, QStringLiteral("warning"));
        QCOMPARE(server.received().contains("PASS pw"), answer);
        if (answer) {
            QCOMPARE(dialog.lbTestResult->text(),
                     QStringLiteral("Connected to your server successfully!"));
            return;
        }
        QVERIFY2(dialog.lbTestResult->text().startsWith(
                     QStringLiteral("127.0.0.1:%1 does not offer encryption").arg(server.port())),
                 qPrintable(dialog.lbTestResult->text()));
        QVERIFY(dialog.lbTestResult->styleSheet().contains("red"));
    }

    void testConnectionShowsTheFailure() {
        qv::test::ScriptedFtpServer server;
        server.replies = {{"PASS", "530 Login incorrect.\r\n"}};
        qv::ScriptedPlatform platform;
        TfrmFtpSetting dialog(platform);
        FtpSettings s = sample();
        s.host = QStringLiteral("127.0.0.1");
        s.port = QString::number(server.port());
        s.folder.clear();
        s.protocol = QStringLiteral("ftp");
        dialog.setSettings(s);
        dialog.bbTestConnectionClick();
        QTRY_VERIFY(!dialog.isTesting());
        QCOMPARE(dialog.lbTestResult->text(), QStringLiteral("Login incorrect.\n"));
        QVERIFY(dialog.lbTestResult->styleSheet().contains("red"));
        QCOMPARE(dialog.edDefHostDir->text(), QString());
        QVERIFY(!dialog.lbDetectHostDirectory->isVisibleTo(&dialog));
    }
};

QTEST_MAIN(TestFrmFtpSetting)
#include "test_frm_ftp_setting.moc"
