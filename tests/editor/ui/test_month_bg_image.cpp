#include "OptionsFixture.h"

#include "editor/ui/TfrmMonthBgImage.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace qv;

namespace {

QString pickable(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath("pick/" + name);
    test::writeBytes(path, name.toUtf8());
    return path;
}

} // namespace

class TestMonthBgImage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowsShowTheDocument() {
        test::OptionsFixture f;
        TfrmMonthBgImage dialog(f.doc, f.ui, f.ctx.folders.projectData());
        dialog.TntFormShow();
        QCOMPARE(dialog.windowTitle(), QString("Monthly Background Image"));
        QCOMPARE(dialog.edMonth[1]->text(), QString("image\\jan.png"));
        QCOMPARE(dialog.edMonth[1]->objectName(), QString("edMonth01"));
        QCOMPARE(dialog.pngbbDelete[12]->objectName(), QString("pngbbDelete12"));
        QVERIFY(dialog.edMonth[12]->text().isEmpty());
    }

    void buttonsFindTheirMonth() {
        test::OptionsFixture f;
        TfrmMonthBgImage dialog(f.doc, f.ui, f.ctx.folders.projectData());
        dialog.TntFormShow();
        f.ui.openFileAnswers.enqueue(pickable(f.data, "dec.png"));
        QTest::mouseClick(dialog.pngbbBrowse[12], Qt::LeftButton);
        QCOMPARE(dialog.edMonth[12]->text(), QString("image\\dec.png"));
        QCOMPARE(f.doc.MonthlyBackground.Images[12], QString("image\\dec.png"));
        QVERIFY(f.doc.MonthlyBackground.Images[11].isEmpty());
        f.ui.questionAnswers.enqueue(QuestionResult::Yes);
        QTest::mouseClick(dialog.pngbbDelete[12], Qt::LeftButton);
        QVERIFY(f.doc.MonthlyBackground.Images[12].isEmpty());
        QVERIFY(!QFile::exists(f.media("image/dec.png")));
    }

    // One picture for two months: removing it from one keeps the file for the other, and the data
    // file gets the months only with the refresh after the dialog closed.
    void samePictureForTwoMonths() {
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        QTest::mouseClick(s.cbMonthBgImage, Qt::LeftButton);
        f.doc.Marks.Modified = false;
        const QByteArray before = test::readBytes(f.ctx.folders.dataFile());
        bool ran = false;
        s.setMonthDialogRunner([&](TfrmMonthBgImage& dialog) {
            ran = true;
            QVERIFY(!f.window->isEnabled());
            QVERIFY(dialog.isEnabled());
            const QString shared = pickable(f.data, "shared.png");
            f.ui.openFileAnswers.enqueue(shared);
            dialog.browseMonth(2);
            f.ui.openFileAnswers.enqueue(shared);
            dialog.browseMonth(3);
            QCOMPARE(f.doc.MonthlyBackground.Images[2], QString("image\\shared.png"));
            QCOMPARE(f.doc.MonthlyBackground.Images[3], QString("image\\shared.png"));
            f.ui.questionAnswers.enqueue(QuestionResult::Yes);
            dialog.deleteMonth(2);
            QVERIFY(dialog.edMonth[2]->text().isEmpty());
            QVERIFY(QFile::exists(f.media("image/shared.png")));
            // Nothing is asked for an empty row.
            dialog.deleteMonth(4);
            QCOMPARE(f.ui.shown.size(), 1);
            QVERIFY(f.ui.shown.first().text.contains("image\\shared.png"));
            QCOMPARE(test::readBytes(f.ctx.folders.dataFile()), before);
            QVERIFY(!f.doc.Marks.Modified);
            QTest::mouseClick(dialog.pngbbClose, Qt::LeftButton);
        });
        QTest::mouseClick(s.pngbbMonthBgImage, Qt::LeftButton);
        QVERIFY(ran);
        QVERIFY(f.window->isEnabled());
        QVERIFY(f.doc.Marks.Modified);
        const QString file = f.dataFile();
        QVERIFY(file.contains("<image id=\"2\" uri=\"\" />"));
        QVERIFY(file.contains("<image id=\"3\" uri=\"image/shared.png\" />"));
        QVERIFY(file.contains("<image id=\"1\" uri=\"image/jan.png\" />"));
    }

    void previousMonthPictureStays() {
        test::OptionsFixture f;
        TfrmMonthBgImage dialog(f.doc, f.ui, f.ctx.folders.projectData());
        dialog.TntFormShow();
        f.ui.openFileAnswers.enqueue(pickable(f.data, "one.png"));
        dialog.browseMonth(5);
        f.ui.openFileAnswers.enqueue(pickable(f.data, "two.png"));
        dialog.browseMonth(5);
        QCOMPARE(f.doc.MonthlyBackground.Images[5], QString("image\\two.png"));
        QVERIFY(QFile::exists(f.media("image/one.png")));
        // A cancelled dialog leaves the row.
        dialog.browseMonth(5);
        QCOMPARE(dialog.edMonth[5]->text(), QString("image\\two.png"));
    }

    void monthsOnlyWhenTheFileCarriesThem() {
        test::OptionsFixture f("options/plain.xml");
        StyleEditor& s = f.style();
        s.setMonthDialogRunner([&](TfrmMonthBgImage& dialog) {
            f.ui.openFileAnswers.enqueue(pickable(f.data, "jun.png"));
            dialog.browseMonth(6);
        });
        s.pngbbMonthBgImageClick();
        QCOMPARE(f.doc.MonthlyBackground.Images[6], QString("image\\jun.png"));
        QVERIFY(f.doc.Marks.Modified);
        QVERIFY(!f.dataFile().contains("monthly_background_image"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestMonthBgImage test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_month_bg_image.moc"
