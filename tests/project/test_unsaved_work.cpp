#include "document/CalendarDocument.h"
#include "project/UnsavedWork.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

class TestUnsavedWork : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString working() const { return m_dir.filePath("work"); }

private Q_SLOTS:
    void init() {
        QDir(working()).removeRecursively();
        QFile::remove(unsavedWorkMark(working()));
    }

    // The mark is there exactly while a loaded document has unsaved changes, and names the
    // archive the work belongs to.
    void theMarkFollowsTheDocumentMarks_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("marked");
        QTest::newRow("unsaved") << true << true << true;
        QTest::newRow("saved") << false << true << false;
        QTest::newRow("nothing loaded") << true << false << false;
    }
    void theMarkFollowsTheDocumentMarks() {
        QFETCH(bool, modified);
        QFETCH(bool, loaded);
        QFETCH(bool, marked);
        QVERIFY(noteUnsavedWork(working(), {true, true, "/old.qvp"}));
        QVERIFY(noteUnsavedWork(working(), {modified, loaded, "/home/ann/club.qvp"}));
        QCOMPARE(QFileInfo::exists(unsavedWorkMark(working())), marked);
        if (marked)
            QCOMPARE(test::readBytes(unsavedWorkMark(working())),
                     QByteArray("/home/ann/club.qvp\n"));
    }

    // Work is offered only when the mark and a data file are both there.
    void recoverableWorkNeedsMarkAndDataFile_data() {
        QTest::addColumn<bool>("mark");
        QTest::addColumn<bool>("dataFile");
        QTest::newRow("both") << true << true;
        QTest::newRow("no mark: ended normally or nothing unsaved") << false << true;
        QTest::newRow("no data file") << true << false;
    }
    void recoverableWorkNeedsMarkAndDataFile() {
        QFETCH(bool, mark);
        QFETCH(bool, dataFile);
        if (dataFile)
            QVERIFY(test::writeBytes(working() + "/quorvel/data.xml", "<calendar/>"));
        if (mark)
            QVERIFY(noteUnsavedWork(working(), {true, true, "/home/ann/Ünïcode club.qvp"}));
        const RecoverableWork work = findRecoverableWork(working());
        QCOMPARE(work.found, mark && dataFile);
        if (!work.found)
            return;
        QCOMPARE(work.projectPath, QString("/home/ann/Ünïcode club.qvp"));
        QCOMPARE(work.changed, QFileInfo(working() + "/quorvel/data.xml").lastModified());

        discardRecoverableWork(working());
        QVERIFY(!QFileInfo::exists(working()));
        QVERIFY(!QFileInfo::exists(unsavedWorkMark(working())));
        QVERIFY(!findRecoverableWork(working()).found);
    }

    void aProjectNotYetSavedIsRecoveredWithoutPath() {
        QVERIFY(test::writeBytes(working() + "/quorvel/data.xml", "<calendar/>"));
        QVERIFY(noteUnsavedWork(working(), {true, true, QString()}));
        const RecoverableWork work = findRecoverableWork(working());
        QVERIFY(work.found);
        QCOMPARE(work.projectPath, QString());
    }

    void theQuestionNamesWhen() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const QDateTime when(QDate(2026, 3, 7), QTime(14, 5));
        QCOMPARE(recoveryQuestion(when), "Recover the unsaved calendar from " +
                                             QLocale().toString(when, QLocale::ShortFormat) + "?");
        QVERIFY(recoveryQuestion(when).contains("2:05"));
    }
};

QTEST_GUILESS_MAIN(TestUnsavedWork)
#include "test_unsaved_work.moc"
