// The "Publishing" result window and the main window's Publish command, headless with the
// scripted platform.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "../../editor/ui/MainWindowFixture.h"
#include "ftp/ui/TfrmFtpModule.h"
#include "platform/ScriptedPlatform.h"
#include "publish/PublishContext.h"
#include "publish/ui/PublishCommand.h"
#include "publish/ui/TfrmEmbedWizard.h"
#include "publish/ui/TfrmPublishUrl.h"
#include "publish/ui/TfrmPublishing.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using qv::PublishContext;
using qv::TfrmPublishing;
using qv::test::writeBytes;

namespace {

// A window on a published folder of its own, with a small embed template.
struct PublishingFixture {
    QTemporaryDir program, published;
    qv::CalendarDocument doc;
    qv::AppContext ctx{doc};
    qv::ScriptedPlatform ui;
    QStringList modal; // the classes of the windows shown modally
    std::function<void(QDialog&)> inspect = [](QDialog&) {};
    int settingsEdits = 0;
    std::unique_ptr<TfrmPublishing> window;

    PublishingFixture() {
        writeBytes(program.filePath("files/embed_page_nojs.htm"),
                   "<div w=\"%_calendar_width_%\" h=\"%_calendar_height_%\">\n"
                   "<script src=\"%_calendar_base_folder_%calendar.js\"></script></div>\n");
        writeBytes(program.filePath("files/embed_page.htm"), "script %_calendar_width_%\n");
        open();
    }
    void open() {
        window = std::make_unique<TfrmPublishing>(
            ctx, ui, PublishContext::make("600", "450", program.path(), published.path()));
        window->showModal = [this](QDialog& d) {
            modal.append(QString::fromLatin1(d.metaObject()->className()));
            inspect(d);
        };
        window->editSettings = [this] { return ++settingsEdits > 0; };
        window->TntFormShow();
    }
    QString code() const { return window->mmoEmbedScript->toPlainText(); }
};

const QString kPlainCode = QStringLiteral("<div w=\"600\" h=\"450\">\n"
                                          "<script src=\"quorvel/calendar.js\"></script></div>");

} // namespace

class TestFrmPublishing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsThePublishAndItsCode() {
        PublishingFixture f;
        QCOMPARE(f.code(), kPlainCode);
        QCOMPARE(f.window->lbPublishFolder->text(), f.published.path() + "/");
        QVERIFY(!f.window->cbFullPathEmbed->isChecked());
        QVERIFY(!f.window->edFullPathEmbed->isEnabled());
        QVERIFY(f.window->cbJS->isHidden());
        QVERIFY(f.window->lbPreviewHeader->styleSheet().contains("#CCE3CC"));
        QVERIFY(f.window->lbUploadWarning->styleSheet().contains("red"));
        QVERIFY(f.ui.shown.isEmpty());
    }

    // A long line of code wraps inside the box: all of it is in view, no sideways scrolling.
    void theCodeWrapsInItsBox() {
        PublishingFixture f;
        f.window->cbFullPathEmbed->click();
        f.window->edFullPathEmbed->setText("http://a-rather-long-address.example/" +
                                           QString(120, 'x'));
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QPlainTextEdit* box = f.window->mmoEmbedScript;
        QVERIFY(box->fontMetrics().horizontalAdvance(f.code()) > box->viewport()->width());
        QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
    }

    void fullPathPrefix_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("base");
        QTest::newRow("emptied") << ""
                                 << "/quorvel/";
        QTest::newRow("without slash") << "http://site.example/cal"
                                       << "http://site.example/cal/quorvel/";
        QTest::newRow("trailing backslash") << "http://site.example\\"
                                            << "http://site.example\\/quorvel/";
        QTest::newRow("blanks around") << "  http://site.example/ "
                                       << "http://site.example/quorvel/";
    }
    void fullPathPrefix() {
        QFETCH(QString, address);
        QFETCH(QString, base);
        PublishingFixture f;
        f.window->edFullPathEmbed->setText(address);
        QCOMPARE(f.code(), kPlainCode); // nothing changes while unticked
        f.window->cbFullPathEmbed->click();
        QVERIFY(f.window->edFullPathEmbed->isEnabled());
        QVERIFY2(f.code().contains("src=\"" + base + "calendar.js\""), qPrintable(f.code()));

        // Unticking restores the plain base folder at once.
        f.window->cbFullPathEmbed->click();
        QVERIFY(!f.window->edFullPathEmbed->isEnabled());
        QCOMPARE(f.code(), kPlainCode);
    }

    void everyKeystrokeCountsWhileTicked() {
        PublishingFixture f;
        f.window->edFullPathEmbed->clear();
        f.window->cbFullPathEmbed->click();
        QTest::keyClicks(f.window->edFullPathEmbed, "http://a.b");
        QVERIFY(f.code().contains("src=\"http://a.b/quorvel/calendar.js\""));
        QCOMPARE(f.window->fullPathPrefix(), QString("http://a.b/"));
    }

    void missingTemplateLeavesTheWindowUsable() {
        PublishingFixture f;
        QFile::remove(f.program.filePath("files/embed_page_nojs.htm"));
        f.window->cbFullPathEmbed->click();
        QCOMPARE(f.code(), QString());
        QCOMPARE(f.ui.shown.size(), 1);
        QVERIFY(f.ui.shown[0].text.contains("embed_page_nojs.htm"));
        f.window->lbPreviewLinkClick();
        QCOMPARE(f.ui.opened.size(), 1);
        // Restored, it shows at the next change.
        writeBytes(f.program.filePath("files/embed_page_nojs.htm"), "again\n");
        f.window->cbFullPathEmbed->click();
        QCOMPARE(f.code(), QString("again"));
    }

    void scriptTemplateWhenTicked() {
        PublishingFixture f;
        f.window->cbJS->click();
        QCOMPARE(f.code(), QString("script 600"));
    }

    void copyPreviewAndFolder() {
        PublishingFixture f;
        f.window->btnCopyClipboard->click();
        QCOMPARE(f.ui.clipboard, kPlainCode);
        f.window->bbPreview->click();
        QTest::mouseClick(f.window->lbPublishFolder, Qt::LeftButton);
        QCOMPARE(f.ui.opened,
                 (QStringList{f.published.path() + "/Calendar.htm", f.published.path() + "/"}));
    }

    void embedWizardGetsThePlainContext() {
        PublishingFixture f;
        f.window->cbFullPathEmbed->click();
        bool checked = false;
        f.inspect = [&](QDialog& d) {
            auto* wizard = qobject_cast<qv::TfrmEmbedWizard*>(&d);
            QVERIFY(wizard);
            QVERIFY(wizard->cbPublishSize->isHidden());
            QCOMPARE(wizard->effectiveWidth(), QString("600"));
            QCOMPARE(wizard->edEmbedSymbol->text(), QString("{plendix_flash_event_calendar}"));
            QCOMPARE(wizard->mergedPagePath(), f.published.path() + "/");
            checked = true;
        };
        f.window->btnEmbedWizard->click();
        QVERIFY(checked);
    }

    void uploadNeedsHostAndLogin_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("uploads");
        QTest::newRow("both set") << "127.0.0.1"
                                  << "me" << true;
        QTest::newRow("host of blanks") << "   "
                                        << "me" << false;
        QTest::newRow("no login") << "127.0.0.1"
                                  << "" << false;
    }
    void uploadNeedsHostAndLogin() {
        QFETCH(QString, host);
        QFETCH(QString, user);
        QFETCH(bool, uploads);
        PublishingFixture f;
        f.ctx.ftp.host = host;
        f.ctx.ftp.user = user;
        f.window->bbUpload->click();
        QCOMPARE(f.settingsEdits, uploads ? 0 : 1);
        QCOMPARE(f.modal.size(), uploads ? 1 : 0);
        if (uploads)
            QCOMPARE(f.modal[0], QString("qv::TfrmFtpModule"));
    }

    void ftpSettingButton() {
        PublishingFixture f;
        f.window->bbFtpSetting->click();
        QCOMPARE(f.settingsEdits, 1);
    }

    void addressDialog() {
        qv::TfrmPublishUrl dialog;
        QCOMPARE(dialog.windowTitle(), QString("Enter Your Website Address"));
        dialog.edtPublishedUrl->setText("http://x/Calendar.htm");
        dialog.btnOK->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        qv::TfrmPublishUrl cancelled;
        cancelled.btnCancel->click();
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    }

    void publishCommandDisablesTheMainWindow() {
        qv::test::MainWindowFixture m;
        m.pretendLoaded();
        m.doc.Options.PublishWidth = "321";
        writeBytes(m.ctx.folders.previewPage(), "calendar page");
        QTemporaryDir site;
        m.ui.folderAnswers.enqueue(site.path());
        m.ui.questionAnswers.enqueue(qv::QuestionResult::Yes);
        bool disabledWhileShown = false;
        QString width;
        QString folder;
        m.window->publishCommand->showResult = [&](TfrmPublishing& w) {
            disabledWhileShown = !m.window->isEnabled() && w.isEnabled();
            width = w.publishContext().publishWidth;
            folder = w.publishContext().publishedFolder;
        };
        m.window->apublish->setEnabled(true);
        m.window->apublish->trigger();
        QTRY_VERIFY(disabledWhileShown);
        QVERIFY(m.window->isEnabled());
        QCOMPARE(width, QString("321"));
        QCOMPARE(folder, site.path() + "/");
        QCOMPARE(qv::test::readBytes(site.filePath("Calendar.htm")), QByteArray("calendar page"));
    }

    // The copy runs as a job: the command returns before it ends, the main window off, and the
    // result window comes when the copy is done.
    void publishCommandReturnsWhileTheCopyRuns() {
        qv::test::MainWindowFixture m;
        m.pretendLoaded();
        writeBytes(m.ctx.folders.previewPage(), "calendar page");
        QTemporaryDir site;
        m.ui.folderAnswers.enqueue(site.path());
        m.ui.questionAnswers.enqueue(qv::QuestionResult::Yes);
        bool shown = false;
        m.window->publishCommand->showResult = [&](TfrmPublishing&) { shown = true; };
        m.window->apublish->setEnabled(true);
        m.window->apublish->trigger();
        QVERIFY(m.window->publishCommand->job());
        QVERIFY(!m.window->isEnabled());
        QVERIFY(!shown);
        QTRY_VERIFY(shown);
        QVERIFY(!m.window->publishCommand->job());
        QVERIFY(m.window->isEnabled());
        QCOMPARE(qv::test::readBytes(site.filePath("Calendar.htm")), QByteArray("calendar page"));
    }

    // The command returns while the result window is open, the main window disabled until the
    // result window closes.
    void publishCommandReturnsWhileTheResultIsShown() {
        qv::test::MainWindowFixture m;
        m.pretendLoaded();
        writeBytes(m.ctx.folders.previewPage(), "calendar page");
        QTemporaryDir site;
        m.ui.folderAnswers.enqueue(site.path());
        m.ui.questionAnswers.enqueue(qv::QuestionResult::Yes);
        m.window->apublish->setEnabled(true);
        m.window->apublish->trigger();
        QTRY_VERIFY(m.window->findChild<TfrmPublishing*>());
        QPointer<TfrmPublishing> result = m.window->findChild<TfrmPublishing*>();
        QVERIFY(result);
        QVERIFY(result->isVisible());
        QVERIFY(!m.window->isEnabled());
        result->reject();
        QVERIFY(m.window->isEnabled());
        QTRY_VERIFY(!result);
    }
};

QTEST_MAIN(TestFrmPublishing)
#include "test_frm_publishing.moc"
