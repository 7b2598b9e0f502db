// The "Publish To FTP" window against a real pyftpdlib server on 127.0.0.1.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ftp/TFtpThread.h"
#include "ftp/TrustStore.h"
#include "ftp/UploadTarget.h"
#include "ftp/ui/TfrmFtpModule.h"
#include "platform/ScriptedPlatform.h"
#include "support/FtpTestServers.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using qv::TfrmFtpModule;
using qv::test::RealFtpServer;
Q_DECLARE_METATYPE(qv::TrustAnswer)

namespace {

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    PaintCounter(QWidget* widget, int* count) : m_count(count) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++*m_count;
        return false;
    }

private:
    int* m_count;
};

QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

class TestFrmFtpModule : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<RealFtpServer> m_server;
    QTemporaryDir m_published;
    QTemporaryDir m_dataHome; // upload records, away from the user's data folder

    qv::FtpSettings settings(const QString& folder = QString()) const {
        qv::FtpSettings s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = QString::number(m_server->port());
        s.user = m_server->user();
        s.password = m_server->password();
        s.folder = folder;
        s.transferMode = QStringLiteral("passive");
        s.protocol = QStringLiteral("ftp");
        return s;
    }

    // Settings for vsftpd over TLS, as the settings window stores them by default.
    static qv::FtpSettings tlsSettings(const RealFtpServer& tls) {
        qv::FtpSettings s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = QString::number(tls.port());
        s.user = tls.user();
        s.folder = QStringLiteral("upload");
        s.transferMode = QStringLiteral("passive");
        return s;
    }

    void selectEntry(TfrmFtpModule& w, const QString& name) {
        const auto found = w.lvRemote->findItems(name, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        w.lvRemote->setCurrentItem(found.first());
    }

private Q_SLOTS:
    void initTestCase() {
        qputenv("XDG_DATA_HOME", m_dataHome.path().toUtf8());
        m_server = std::make_unique<RealFtpServer>(RealFtpServer::Kind::Pyftpdlib);
        QString why;
        if (!m_server->start(&why)) {
            if (m_server->missingProgram())
                QSKIP(qPrintable(why));
            QFAIL(qPrintable(why));
        }
        auto& limits = qv::FtpTimeouts::defaults();
        limits.replyMs = 5000;
        limits.dataIdleMs = 5000;
        qv::test::writeBytes(m_published.filePath("Calendar.htm"), "<html/>");
        qv::test::writeBytes(m_published.filePath("quorvel/data.xml"), "<calendar/>");
        QDir().mkpath(m_server->uploadedPath() + "/public_html/site");
        qv::test::writeBytes(m_server->uploadedPath() + "/public_html/readme.txt", "r");
    }

    void connectsAndBrowses() {
        qv::ScriptedPlatform platform;
        TfrmFtpModule w(platform, platform, settings(QStringLiteral("public_html")),
                        m_published.path());
        w.FormShow();
        QTRY_VERIFY(!w.isBusy());
        QCOMPARE(w.currentPage(), QStringLiteral("Initial"));
        QCOMPARE(w.remoteFolder(), QStringLiteral("/public_html/"));
        QCOMPARE(w.lblPassword->text(), QStringLiteral("******"));
        QCOMPARE(w.lblPort->text(), QString::number(m_server->port()));
        QCOMPARE(itemTexts(w.tntlbLocal).size(), 2);
        QVERIFY(itemTexts(w.tntlbLocal).contains(QStringLiteral("/quorvel/data.xml")));
        QCOMPARE(itemTexts(w.lvRemote), (QStringList{"site", "readme.txt"}));
        QCOMPARE(w.lblC_Url->text(), QStringLiteral("http://127.0.0.1/public_html/Calendar.htm"));
        QCOMPARE(w.lblC_Url_Suggest->text(), QStringLiteral("http://127.0.0.1/Calendar.htm"));

        // A file does not open; a folder does, and shows it is empty.
        selectEntry(w, QStringLiteral("readme.txt"));
        w.lvRemoteDblClick();
        QTRY_VERIFY(!w.isBusy());
        QCOMPARE(w.remoteFolder(), QStringLiteral("/public_html/"));
        selectEntry(w, QStringLiteral("site"));
        w.lvRemoteDblClick();
        QTRY_VERIFY(!w.isBusy());
        QCOMPARE(w.remoteFolder(), QStringLiteral("/public_html/site/"));
        QCOMPARE(w.lblRemoteFolder->text(), QStringLiteral("/public_html/site"));
        QCOMPARE(w.lvRemote->count(), 0);
        QVERIFY(w.tntlbFolderStatus->isVisibleTo(&w));

        w.tntSBUpOneLevelClick();

        QTRY_VERIFY(!w.isBusy());
        QCOMPARE(w.remoteFolder(), QStringLiteral("/public_html/"));
        QVERIFY(!w.tntlbFolderStatus->isVisibleTo(&w));
        QCOMPARE(platform.texts(), QStringList());

        // Closing on page "Initial" asks nothing.
        QVERIFY(w.FormCloseQuery());
        QCOMPARE(platform.shown.size(), 0);
    }

    void createsFolders_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("created");
        QTest::newRow("existing folder") << QStringLiteral("site")
                                         << QStringLiteral("Directory already exist, please select "
                                                           "another directory name!")
                                         << false;
        QTest::newRow("other letter case is sent")
            << QStringLiteral(" SITE2 ") << QString() << true;
        QTest::newRow("name of a file is sent, and refused")
            << QStringLiteral("readme.txt")
            << QStringLiteral("Fail to create directory, please check your account permission!")
            << false;
        QTest::newRow("blank does nothing") << QStringLiteral("   ") << QString() << false;
    }
    void createsFolders() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(bool, created);
        qv::ScriptedPlatform platform;
        TfrmFtpModule w(platform, platform, settings(QStringLiteral("/public_html/")),
                        m_published.path());
        w.askDirectoryName = [&] { return std::optional<QString>(typed); };
        w.FormShow();
        QTRY_VERIFY(!w.isBusy());
        w.tntSBCreateDirectoryClick();
        QTRY_VERIFY(!w.isBusy());
        QCOMPARE(platform.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        const QString made = m_server->uploadedPath() + "/public_html/" + typed.trimmed();
        QCOMPARE(created, !typed.trimmed().isEmpty() && QFileInfo(made).isDir() &&
                              typed.trimmed() != "site");
        if (created) {
            QVERIFY(itemTexts(w.lvRemote).contains(typed.trimmed()));
            QCOMPARE(w.remoteFolder(), QStringLiteral("/public_html/")); // not entered
            QDir(made).removeRecursively();
        }
    }

    void uploadsAndCompletes() {
        QDir().mkpath(m_server->uploadedPath() + "/empty target");
        qv::ScriptedPlatform platform;
        TfrmFtpModule w(platform, platform, settings(QStringLiteral("empty target")),
                        m_published.path());
        w.FormShow();
        QTRY_VERIFY(!w.isBusy());
        QCOMPARE(w.lvRemote->count(), 0);
        QSignalSpy finished(w.worker(), &qv::TFtpThread::finished);
        w.btnStartClick();
        QVERIFY(!w.btnStart->isEnabled());
        QVERIFY(!w.isIdle());
        QVERIFY(finished.wait(10000));
        QTRY_COMPARE(w.currentPage(), QStringLiteral("Complete"));
        QVERIFY(w.isIdle());
        QVERIFY(w.isFinished());
        QCOMPARE(w.btnClose->text(), QStringLiteral("Close"));
        QCOMPARE(w.lblU_FilesCount->text(), QStringLiteral("(2 of 2)"));
        QCOMPARE(w.pgU_Progress->value(), w.pgU_Progress->maximum());
        QVERIFY(!w.lblU_Bytes->text().isEmpty());
        QCOMPARE(itemTexts(w.lvRemote), (QStringList{"quorvel", "Calendar.htm"}));
        QVERIFY(!w.tntSBRefresh->isEnabled());
        QVERIFY(!w.btnStart->isEnabled());
        QCOMPARE(qv::test::readBytes(m_server->uploadedPath() + "/empty target/quorvel/data.xml"),
                 QByteArray("<calendar/>"));
        QCOMPARE(w.lblC_Url->text(), QStringLiteral("http://127.0.0.1/empty target/Calendar.htm"));

        // "Click Here": the address typed there is taken without the page rule.
        w.askWebAddress = [](const QString&) {
            return std::optional<QString>(QStringLiteral("http://me.org/cal"));
        };
        w.lblC_ChangeSettingClick();
        QCOMPARE(w.lblC_Url->text(), QStringLiteral("http://me.org/cal/"));
        // Coming back to the window keeps the correction.
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&w, &activate);
        QCOMPARE(w.lblC_Url->text(), QStringLiteral("http://me.org/cal/"));
        QVERIFY(w.FormCloseQuery());
    }

    // After one data file changed, a second upload to the same folder sends that file only and
    // says how many it skipped; with the box unticked everything goes again.
    void reuploadSendsOnlyChangedFiles() {
        QTemporaryDir site;
        qv::test::writeBytes(site.filePath("Calendar.htm"), "<html/>");
        qv::test::writeBytes(site.filePath("quorvel/data.xml"), "<calendar/>");
        qv::test::writeBytes(site.filePath("quorvel/image/bg.png"), QByteArray(5000, 'p'));
        const QString uploaded = m_server->uploadedPath() + "/again";
        QDir().mkpath(uploaded);
        const auto upload = [&](bool onlyChanged, QStringList* sent) {
            qv::ScriptedPlatform platform;
            TfrmFtpModule w(platform, platform, settings(QStringLiteral("again")), site.path());
            QVERIFY(w.cbOnlyChanged->isChecked()); // on by default
            w.cbOnlyChanged->setChecked(onlyChanged);
            w.FormShow();
            QTRY_VERIFY(!w.isBusy()); // connected
            QSignalSpy reports(w.worker(), &qv::TFtpThread::fileReport);
            QSignalSpy finished(w.worker(), &qv::TFtpThread::finished);
            w.btnStartClick();
            QVERIFY(finished.wait(10000));
            QTRY_COMPARE(w.currentPage(), QStringLiteral("Complete"));
            for (const auto& report : reports)
                sent->append(report.at(0).toString());
            sent->append(w.lblC_Skipped->isVisibleTo(&w) ? w.lblC_Skipped->text() : "-");
        };
        QStringList first, second, third;
        upload(true, &first);
        QCOMPARE(first.size(), 4); // three files, nothing skipped
        QCOMPARE(first.last(), QStringLiteral("-"));

        qv::test::writeBytes(site.filePath("quorvel/data.xml"), "<calendar><event/></calendar>");
        upload(true, &second);
        QCOMPARE(second, (QStringList{"quorvel/data.xml", "Unchanged files skipped: 2"}));
        QCOMPARE(qv::test::readBytes(uploaded + "/quorvel/data.xml"),
                 QByteArray("<calendar><event/></calendar>"));

        upload(false, &third);
        QCOMPARE(third.size(), 4);
        QCOMPARE(third.last(), QStringLiteral("-"));
    }

    // With several connections files end in another order than they start: the window names the
    // file started last with the number of others still going up; the count goes up by one per
    // file started, to "(3 of 3)"; the bar follows the bytes, not the files.
    void filesGoingUpAtOnceAreCounted() {
        QTemporaryDir site;
        for (const char* name : {"a.png", "c.png", "quorvel/b.png"})
            QVERIFY(qv::test::writeBytes(site.filePath(name), "x"));
        qv::ScriptedPlatform platform;
        TfrmFtpModule w(platform, platform, settings(), site.path());
        qv::TFtpThread& worker = *w.worker();
        QCOMPARE(worker.prepare(site.path()), 3);
        Q_EMIT worker.fileReport(QStringLiteral("a.png"), 1, 3);
        QVERIFY(w.lblU_From->text().endsWith(QStringLiteral("a.png")));
        QCOMPARE(w.lblU_FilesCount->text(), QStringLiteral("(1 of 3)"));
        Q_EMIT worker.fileReport(QStringLiteral("quorvel\\b.png"), 2, 3);
        QVERIFY(w.lblU_From->text().endsWith(QStringLiteral("b.png and 1 more")));
        QVERIFY(w.lblU_To->text().endsWith(QStringLiteral("quorvel/b.png and 1 more")));
        QCOMPARE(w.lblU_FilesCount->text(), QStringLiteral("(2 of 3)"));
        Q_EMIT worker.fileSent(QStringLiteral("a.png"), 1, QByteArray());
        Q_EMIT worker.fileReport(QStringLiteral("c.png"), 3, 3);
        QVERIFY(w.lblU_From->text().endsWith(QStringLiteral("c.png and 1 more")));
        QCOMPARE(w.lblU_FilesCount->text(), QStringLiteral("(3 of 3)"));
        // 5.1 of 29.7 MB sent: the bar stands at about a sixth, whatever the files' count.
        Q_EMIT worker.bytesReport(5'100'000, 29'700'000, 1e6);
        QCOMPARE(w.pgU_Progress->value() * 1000 / w.pgU_Progress->maximum(), 171);
        Q_EMIT worker.fileSent(QStringLiteral("c.png"), 1, QByteArray());
        Q_EMIT worker.fileSent(QStringLiteral("quorvel\\b.png"), 1, QByteArray());
        Q_EMIT worker.bytesReport(29'700'000, 29'700'000, 1e6);
        QCOMPARE(w.lblU_FilesCount->text(), QStringLiteral("(3 of 3)"));
        QCOMPARE(w.pgU_Progress->value(), w.pgU_Progress->maximum());
    }

    void connectFailureShowsTheReason() {
        qv::ScriptedPlatform platform;
        qv::FtpSettings s = settings();
        s.password = QStringLiteral("wrong");
        TfrmFtpModule w(platform, platform, s, m_published.path());
        w.FormShow();
        QTRY_VERIFY(!w.isBusy());
        QCOMPARE(w.currentPage(), QStringLiteral("Failed"));
        QCOMPARE(w.lblF_Error->text(), QStringLiteral("Authentication failed.\n"));
        QVERIFY(!w.btnStart->isEnabled());
        QVERIFY(!w.lvRemote->isEnabled());
        QCOMPARE(w.btnClose->text(), QStringLiteral("Close"));
        w.btnStartClick(); // does nothing
        QCOMPARE(w.worker()->isRunning(), false);
        QVERIFY(w.FormCloseQuery());
    }

    // A server that accepts and never answers: the window keeps painting and shows it is busy,
    // and closing it ends the connection within a second.
    void closingDuringAStalledConnectStepEndsIt() {
        qv::test::ScriptedFtpServer server;
        server.greeting = ""; // never a word
        qv::FtpSettings s = settings();
        s.port = QString::number(server.port());
        s.protocol = QStringLiteral("ftp");
        qv::ScriptedPlatform platform;
        auto* w = new TfrmFtpModule(platform, platform, s, m_published.path());
        int paints = 0;
        PaintCounter counter(w->lblConnecting, &paints);
        w->show();
        QTRY_VERIFY(w->isBusy());
        QCOMPARE(w->currentPage(), QStringLiteral("Connecting"));
        QCOMPARE(w->cursor().shape(), Qt::BusyCursor);
        const int before = paints;
        w->lblConnecting->setText(QStringLiteral("still here"));
        QTRY_VERIFY(paints > before); // the window thread is free to paint
        QTRY_COMPARE(server.connections.load(), 1);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(w->close());
        delete w; // waits for the cancelled step
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(server.clientGone, 1000);
        QCOMPARE(platform.shown.size(), 0);
    }

    // A self-signed certificate is asked about; "Once" connects, and nothing is remembered.
    void untrustedCertificateIsAskedAbout_data() {
        QTest::addColumn<qv::TrustAnswer>("answer");
        QTest::newRow("once") << qv::TrustAnswer::Once;
        QTest::newRow("always") << qv::TrustAnswer::Always;
        QTest::newRow("cancel") << qv::TrustAnswer::Cancel;
    }
    void untrustedCertificateIsAskedAbout() {
        QFETCH(qv::TrustAnswer, answer);
        RealFtpServer tls(RealFtpServer::Kind::VsftpdTls);
        QString why;
        if (!tls.start(&why))
            QSKIP(qPrintable(why));
        QTemporaryDir store;
        const qv::FtpSettings s = tlsSettings(tls);
        qv::ScriptedPlatform platform;
        platform.trustAnswers << answer;
        TfrmFtpModule w(platform, platform, s, m_published.path());
        w.trustStore = qv::TrustStore(store.filePath(QStringLiteral("trusted.ini")));
        w.FormShow();
        QTRY_VERIFY(!w.isBusy());
        QTRY_VERIFY(w.currentPage() != QStringLiteral("Connecting"));
        QCOMPARE(platform.shown.size(), 1);
        QCOMPARE(platform.shown[0].kind, QStringLiteral("trust"));
        QCOMPARE(platform.shown[0].instruction, QStringLiteral("Trust this certificate?"));
        QVERIFY(platform.shown[0].text.contains(tls.fingerprint()));
        const bool trusted = answer != qv::TrustAnswer::Cancel;
        QCOMPARE(w.currentPage(), trusted ? QStringLiteral("Initial") : QStringLiteral("Failed"));
        if (trusted)
            QVERIFY2(w.lblEncryption->text().contains(QLatin1String("Encrypted (FTP over TLS)")),
                     qPrintable(w.lblEncryption->text()));
        QCOMPARE(w.trustStore.remembered(qv::RemoteProtocol::Ftps, s.host, tls.port()),
                 answer == qv::TrustAnswer::Always ? tls.fingerprint() : QString());
    }

    // A server that offers no encryption: the window asks before the login goes out, Cancel
    // being the answer when none is given; a server seen with TLS before is refused unasked.
    void serverWithoutEncryption_data() {
        QTest::addColumn<bool>("seenBefore");
        QTest::addColumn<bool>("answer");
        QTest::newRow("cancelled") << false << false;
        QTest::newRow("send unencrypted") << false << true;
        QTest::newRow("seen with TLS before") << true << true;
    }
    void serverWithoutEncryption() {
        QFETCH(bool, seenBefore);
        QFETCH(bool, answer);
        qv::test::ScriptedFtpServer server;
        QTemporaryDir store;
        qv::FtpSettings s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = QString::number(server.port());
        s.user = QStringLiteral("anna");
        s.password = QStringLiteral("pw");
        s.transferMode = QStringLiteral("passive");
        s.protocol.clear(); // a settings file from before the choice of protocol
        qv::ScriptedPlatform platform;
        platform.warningAnswers << answer;
        TfrmFtpModule w(platform, platform, s, m_published.path());
        w.trustStore = qv::TrustStore(store.filePath(QStringLiteral("trusted.ini")));
        if (seenBefore)
            w.trustStore.noteLogin(qv::UploadTarget::fromSettings(s).endpoint(), true);
        w.FormShow();
        QTRY_VERIFY(!w.isBusy());
        QTRY_VERIFY(w.currentPage() != QStringLiteral("Connecting"));
        const bool connected = answer && !seenBefore;
        QCOMPARE(w.currentPage(), connected ? QStringLiteral("Initial") : QStringLiteral("Failed"));
        QCOMPARE(server.received().contains("PASS pw"), connected);
        QCOMPARE(platform.shown.size(), seenBefore ? 0 : 1);
        if (seenBefore) {
            QVERIFY2(w.lblF_Error->text().startsWith(QLatin1String("WARNING: ")),
                     qPrintable(w.lblF_Error->text()));
            return;
        }
        QCOMPARE(platform.shown[0].kind, QStringLiteral("warning"));
        QCOMPARE(platform.shown[0].instruction,
                 QStringLiteral("This server does not offer encryption. Send your password and "
                                "files unencrypted?"));
        if (connected)
            QCOMPARE(w.lblEncryption->text(), QStringLiteral("Not encrypted (plain FTP)"));
    }

    // A certificate other than the one trusted always is a warning that names both; only its
    // explicit choice replaces the one trusted.
    void changedCertificateIsAWarning_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("cancelled") << false;
        QTest::newRow("trust the new certificate") << true;
    }
    void changedCertificateIsAWarning() {
        QFETCH(bool, answer);
        RealFtpServer tls(RealFtpServer::Kind::VsftpdTls);
        QString why;
        if (!tls.start(&why))
            QSKIP(qPrintable(why));
        QTemporaryDir store;
        const qv::FtpSettings s = tlsSettings(tls);
        qv::ScriptedPlatform platform;
        platform.warningAnswers << answer;
        TfrmFtpModule w(platform, platform, s, m_published.path());
        w.trustStore = qv::TrustStore(store.filePath(QStringLiteral("trusted.ini")));
        const QString old = QStringLiteral("00:11:22:33");
        QVERIFY(w.trustStore.remember(qv::RemoteProtocol::Ftps, s.host, tls.port(), old));
        w.FormShow();
        QTRY_VERIFY(!w.isBusy());
        QTRY_VERIFY(w.currentPage() != QStringLiteral("Connecting"));
        QCOMPARE(platform.shown.size(), 1);
        QCOMPARE(platform.shown[0].kind, QStringLiteral("warning"));
        QCOMPARE(platform.shown[0].instruction,
                 QStringLiteral("The certificate of this server has changed. Trust the new one?"));
        QVERIFY2(platform.shown[0].text.contains(tls.fingerprint()) &&
                     platform.shown[0].text.contains(old),
                 qPrintable(platform.shown[0].text));
        QCOMPARE(w.currentPage(), answer ? QStringLiteral("Initial") : QStringLiteral("Failed"));
        QCOMPARE(w.trustStore.remembered(qv::RemoteProtocol::Ftps, s.host, tls.port()),
                 answer ? tls.fingerprint() : old);
    }

    // A hostile server's reply is shown as the text it is: no headline, link or image of its.
    void serverTextShowsAsPlainText() {
        qv::test::ScriptedFtpServer server;
        const QByteArray reply =
            "<h1 style='color:red'>Big</h1><a href='http://x.invalid'>link</a><img src='/x.png'>";
        server.replies = {{"PASS", "530 " + reply + "\r\n"}};
        qv::FtpSettings s = settings();
        s.port = QString::number(server.port());
        qv::ScriptedPlatform platform;
        TfrmFtpModule w(platform, platform, s, m_published.path());
        w.FormShow();
        QTRY_VERIFY(!w.isBusy());
        QCOMPARE(w.currentPage(), QStringLiteral("Failed"));
        QVERIFY2(w.lblF_Error->text().contains(QString::fromLatin1(reply)),
                 qPrintable(w.lblF_Error->text()));
        QCOMPARE(w.lblF_Error->textFormat(), Qt::PlainText);
    }

    void cancellingMidUploadClosesAtOnce_data() {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("confirmed") << true;
        QTest::newRow("declined, then confirmed") << false;
    }
    void cancellingMidUploadClosesAtOnce() {
        QFETCH(bool, confirm);
        QTemporaryDir big;
        qv::test::writeBytes(big.filePath("big.bin"), QByteArray(1024 * 1024, 'b').repeated(200));
        qv::test::writeBytes(big.filePath("small.txt"), "s");
        qv::ScriptedPlatform platform;
        auto* w = new TfrmFtpModule(platform, platform, settings(), big.path());
        w->FormShow();
        QTRY_VERIFY(!w->isBusy());
        w->btnStartClick();
        QTRY_COMPARE(w->currentPage(), QStringLiteral("Uploading"));
        platform.confirmAnswers << confirm;
        if (!confirm) {
            QVERIFY(!w->FormCloseQuery());
            QVERIFY(w->worker()->isRunning());
            platform.confirmAnswers << true;
        }
        QElapsedTimer clock;
        clock.start();
        QVERIFY(w->FormCloseQuery());
        delete w; // stops the worker; it touches nothing of the window afterwards
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(platform.texts().constLast(),
                 QStringLiteral("Upload is still in progress.\nAre you sure you want to exit?"));
        QTest::qWait(50);
        QVERIFY(QFileInfo(m_server->uploadedPath() + "/big.bin").size() < 200 * 1024 * 1024);
    }
};

QTEST_MAIN(TestFrmFtpModule)
#include "test_frm_ftp_module.moc"
