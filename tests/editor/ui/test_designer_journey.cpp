#include "MainWindowFixture.h"

#include "editor/ui/EventsEditor.h"
#include "editor/ui/PnlEventEdit.h"
#include "gallery/TemplateCreation.h"
#include "publish/ui/PublishCommand.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace qv;

// A new user's way through the designer: a calendar from a template, its title, a weekly event,
// saved, opened again and published.
class TestDesignerJourney : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fromTemplateToPublishedCalendar() {
        test::MainWindowFixture f;
        QVERIFY(f.showStarted());
        f.window->setGallery([&f](std::function<void(bool)> done) {
            createProjectFromTemplate(f.doc, f.window->lifecycle(),
                                      test::binDir() + "/template/classic_blue", done);
        });
        f.window->anew->trigger();
        QVERIFY(f.doc.Marks.Loaded);
        QVERIFY(f.window->asavexml->isEnabled());

        auto* title = f.window->findChild<QLineEdit*>("EdtOTitle");
        title->setFocus();
        title->selectAll();
        QTest::keyClicks(title, "Riverside Club");
        QTest::keyClick(title, Qt::Key_Return);
        QVERIFY(f.doc.Marks.Modified);
        QVERIFY(f.window->windowTitle().startsWith("Untitled*"));

        PnlEventEdit& event = *f.window->eventsEditor->editPanel();
        f.window->aaddevent->trigger();
        event.ETitle->setText("Club night");
        event.EEventType->setCurrentIndex(1);
        f.window->eventsEditor->EEventTypeChange();
        QVERIFY(event.EEndDate->date() > event.EStartDate->date());
        event.BtnSave->click();

        const QString archive = f.data.filePath("club.qvp");
        f.ui.saveFileAnswers << archive;
        f.window->asavexml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QVERIFY2(QFileInfo::exists(archive),
                 qPrintable((f.ui.texts() + f.ui.fileDialogs).join(QLatin1Char('\n'))));
        QVERIFY(f.window->windowTitle().startsWith("club.qvp "));

        f.doc.Titles[0].Text.clear();
        f.doc.Events.clear();
        f.ui.openFileAnswers << archive;
        f.window->aopenxml->trigger();
        QTRY_VERIFY(!f.window->archiveWorkRunning());
        QCOMPARE(f.doc.Titles[0].Text, QString("Riverside Club"));
        QCOMPARE(title->text(), QString("Riverside Club"));
        QCOMPARE(f.doc.Events.last().Title.Text, QString("Club night"));
        QCOMPARE(f.doc.Events.last().RepeatKind, QString("w"));

        const QString site = f.data.filePath("site");
        f.ui.folderAnswers << site;
        f.ui.questionAnswers << QuestionResult::Yes;
        bool resultShown = false;
        f.window->publishCommand->showResult = [&](TfrmPublishing&) { resultShown = true; };
        f.window->apublish->trigger();
        QTRY_VERIFY(resultShown);
        const QByteArray published = test::readBytes(site + "/quorvel/data.xml");
        QVERIFY(published.contains("Riverside Club"));
        QVERIFY(published.contains("Club night"));
        QVERIFY(published.contains("<repeat type=\"week\""));
        QVERIFY(QFileInfo::exists(site + "/quorvel/calendar.js"));
        QVERIFY(QFileInfo::exists(site + "/Calendar.htm"));
    }
};

QTEST_MAIN(TestDesignerJourney)
#include "test_designer_journey.moc"
