// The embed wizard driven page by page, headless with the scripted platform.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ScriptedPlatform.h"
#include "publish/PublishContext.h"
#include "publish/ui/TfrmEmbedWizard.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>

using qv::TfrmEmbedWizard;
using qv::test::readBytes;
using qv::test::writeBytes;

namespace {

const QByteArray kPage = "<html>\n<body>{PLENDIX_FLASH_EVENT_CALENDAR}</body>\n</html>";
const QByteArray kMerged = "<html>\r\n<body>\r\n<div w=\"600\" h=\"\">\r\n"
                           "<img src=\"quorvel/p.png\"></div>\r\n</body>\r\n</html>\r\n";

// A wizard on a published folder and a folder of the user's pages, with a small embed template.
struct WizardFixture {
    QTemporaryDir program, published, pages;
    qv::ScriptedPlatform ui;
    std::unique_ptr<TfrmEmbedWizard> wizard;

    WizardFixture() {
        writeBytes(program.filePath("files/embed_page_nojs.htm"),
                   "<div w=\"%_calendar_width_%\" h=\"%_calendar_height_%\">\r\n"
                   "<img src=\"%_calendar_base_folder_%p.png\"></div>\r\n");
        wizard = std::make_unique<TfrmEmbedWizard>(
            ui, qv::PublishContext::make("600", "", program.path(), published.path()), false);
    }
    QString page(const QString& name, const QByteArray& bytes) {
        writeBytes(pages.filePath(name), bytes);
        return pages.filePath(name);
    }
    // Chooses the page on page 2 and goes on to page 3.
    void choose(const QString& path) {
        wizard->btnP1Next->click();
        ui.openFileAnswers.enqueue(path);
        wizard->TntButton7->click();
    }
};

} // namespace

class TestEmbedWizard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstPage() {
        WizardFixture f;
        QCOMPARE(f.wizard->currentPage(), 0);
        QCOMPARE(f.wizard->edEmbedSymbol->text(), QString("{plendix_flash_event_calendar}"));
        QVERIFY(f.wizard->lblEmbedCopiedMsg->isHidden());
        f.wizard->btCopySymbol->click();
        QCOMPARE(f.ui.clipboard, QString("{plendix_flash_event_calendar}"));
        QVERIFY(!f.wizard->lblEmbedCopiedMsg->isHidden());
    }

    void wholeRun() {
        WizardFixture f;
        const QString source = f.page("target.htm", kPage);
        f.choose(source);
        QCOMPARE(f.wizard->currentPage(), 1);
        QCOMPARE(f.wizard->TntEdit2->text(), QDir::toNativeSeparators(source));
        QVERIFY(f.wizard->btnP2Next->isEnabled());
        QCOMPARE(f.ui.fileDialogs, QStringList{"open:"});

        f.wizard->btnP2Next->click();
        QCOMPARE(f.wizard->currentPage(), 2);
        QByteArray shown = kMerged;
        shown.replace("\r\n", "\n").chop(1);
        QCOMPARE(f.wizard->reCode->toPlainText().toUtf8(), shown);
        // The embed code, and only it, is blue.
        for (QTextBlock b = f.wizard->reCode->document()->begin(); b.isValid(); b = b.next()) {
            const bool code = b.text().startsWith("<div") || b.text().startsWith("<img");
            QTextCursor c(b);
            c.movePosition(QTextCursor::EndOfBlock);
            const bool blue = c.charFormat().foreground().color() == QColor(0, 0, 255);
            QCOMPARE(blue, code);
        }

        f.wizard->btnP3Process->click();
        QCOMPARE(f.wizard->currentPage(), 3);
        const QString merged = f.published.path() + "/target.htm";
        QCOMPARE(readBytes(merged), kMerged);
        QCOMPARE(readBytes(source), kPage); // the user's page stays as it was
        QCOMPARE(f.wizard->lblFinishFilePath->text(), QDir::toNativeSeparators(merged));
        const QTreeWidgetItem* site1 = f.wizard->TntTreeView1->topLevelItem(0);
        QCOMPARE(site1->child(0)->text(0), QString("target.htm"));
        QCOMPARE(site1->child(1)->text(0), QString("quorvel"));
        const QTreeWidgetItem* sub = f.wizard->TntTreeView2->topLevelItem(0)->child(0);
        QCOMPARE(sub->text(0), QString("subfolder"));
        QCOMPARE(sub->child(0)->text(0), QString("target.htm"));
        QVERIFY(sub->isExpanded());

        f.wizard->btnP4Preview->click();
        QCOMPARE(f.ui.opened, QStringList{merged});
    }

    void pageWithoutSymbol() {
        WizardFixture f;
        f.choose(f.page("good.html", kPage));
        f.ui.openFileAnswers.enqueue(f.page("plain.htm", "<p>{plendix_flash_event_}</p>\n"));
        f.wizard->TntButton7->click();
        QCOMPARE(f.ui.texts(), QStringList{"No embed symbol in source file"});
        QCOMPARE(f.wizard->TntEdit2->text(), QString());
        QVERIFY(!f.wizard->btnP2Next->isEnabled());
    }

    void cancelledOrUnreadableChoiceChangesNothing() {
        WizardFixture f;
        const QString good = f.page("good.htm", kPage);
        f.choose(good);
        f.ui.openFileAnswers.enqueue(QString());
        f.wizard->TntButton7->click();
        f.ui.openFileAnswers.enqueue(f.pages.filePath("missing.htm"));
        f.wizard->TntButton7->click();
        QCOMPARE(f.ui.shown.size(), 1);
        QVERIFY(f.ui.shown[0].text.contains("missing.htm"));
        QCOMPARE(f.wizard->TntEdit2->text(), QDir::toNativeSeparators(good));
        QVERIFY(f.wizard->btnP2Next->isEnabled());
    }

    void backToPageTwoRereadsTheEditedPage() {
        WizardFixture f;
        const QString source = f.page("t.htm", kPage);
        f.choose(source);
        f.wizard->btnP2Next->click();
        f.wizard->btnP3Previous->click();
        QCOMPARE(f.wizard->currentPage(), 1);
        writeBytes(source, "edited{plendix_flash_event_calendar}\n");
        f.wizard->btnP2Next->click();
        QCOMPARE(f.wizard->splitTarget().upper, QStringList{"edited"});
        f.wizard->btnP3Process->click();
        QCOMPARE(readBytes(f.published.path() + "/t.htm"),
                 QByteArray("edited\r\n<div w=\"600\" h=\"\">\r\n<img src=\"quorvel/p.png\"></div>"
                            "\r\n\r\n"));
    }

    void symbolRemovedMeanwhileStaysOnPageTwo() {
        WizardFixture f;
        const QString source = f.page("t.htm", kPage);
        f.choose(source);
        writeBytes(source, "<p>no symbol now</p>\n");
        f.wizard->btnP2Next->click();
        QCOMPARE(f.wizard->currentPage(), 1);
        QCOMPARE(f.ui.texts(), QStringList{"No embed symbol in source file"});
        QVERIFY(!f.wizard->btnP2Next->isEnabled());
    }

    void calendarPageAsTargetReplacesThePublishedPage() {
        WizardFixture f;
        writeBytes(f.published.path() + "/Calendar.htm", "published calendar page");
        f.choose(f.page("Calendar.htm", "{plendix_flash_event_calendar}"));
        f.wizard->btnP2Next->click();
        f.wizard->btnP3Process->click();
        QCOMPARE(
            readBytes(f.published.path() + "/Calendar.htm"),
            QByteArray("\r\n<div w=\"600\" h=\"\">\r\n<img src=\"quorvel/p.png\"></div>\r\n\r\n"));
    }

    void writeFailureStaysOnPageThree() {
        WizardFixture f;
        f.choose(f.page("t.htm", kPage));
        f.wizard->btnP2Next->click();
        QVERIFY(QDir(f.published.path()).removeRecursively());
        f.wizard->btnP3Process->click();
        QCOMPARE(f.wizard->currentPage(), 2);
        QCOMPARE(f.ui.shown.size(), 1);
    }

    void previewOnlyForWebPages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opened");
        QTest::newRow("htm") << "a.htm" << true;
        QTest::newRow("HTML in capitals") << "a.HTML" << true;
        QTest::newRow("php") << "a.php" << false;
        QTest::newRow("no extension") << "page" << false;
    }
    void previewOnlyForWebPages() {
        QFETCH(QString, name);
        QFETCH(bool, opened);
        WizardFixture f;
        f.choose(f.page(name, kPage));
        f.wizard->btnP2Next->click();
        f.wizard->btnP3Process->click();
        QVERIFY(QFile::exists(f.published.path() + "/" + name)); // written all the same
        f.wizard->btnP4Preview->click();
        QCOMPARE(f.ui.opened.size(), opened ? 1 : 0);
        QCOMPARE(f.ui.texts(),
                 opened ? QStringList{}
                        : QStringList{"Preview function only support for .htm and .html only"});
    }

    void fullSizeOption() {
        QTemporaryDir published;
        qv::ScriptedPlatform ui;
        TfrmEmbedWizard wizard(ui, qv::PublishContext::make("600", "400", "", published.path()),
                               true);
        QVERIFY(!wizard.cbPublishSize->isHidden());
        wizard.cbPublishSize->click();
        QCOMPARE(wizard.effectiveWidth(), QString("100%"));
        QCOMPARE(wizard.effectiveHeight(), QString("100%"));
        wizard.cbPublishSize->click();
        QCOMPARE(wizard.effectiveHeight(), QString("400"));
    }
};

QTEST_MAIN(TestEmbedWizard)
#include "test_embed_wizard.moc"
