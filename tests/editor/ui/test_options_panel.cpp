#include "OptionsFixture.h"

#include "document/CalendarZone.h"
#include "editor/ui/UpDown.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <ctime>

using namespace qv;

namespace {

void releaseEnter(QWidget* field) {
    QTest::keyRelease(field, Qt::Key_Return);
}

// The colour at the middle of the "Text color" menu picture.
QColor pictureColor(const QAction* item) {
    return item->icon().pixmap(16, 16).toImage().pixelColor(8, 8);
}

} // namespace

class TestOptionsPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fieldsShowWhatWasRead() {
        test::OptionsFixture f;
        QVERIFY(f.loaded);
        OptionsPanel& p = f.panel();
        QCOMPARE(p.EdtOTitle->text(), QString("Old title"));
        QCOMPARE(p.EdtOSubtitle->text(), QString("Sub"));
        QCOMPARE(p.EdtOCopyright->text(), QString("(c) us"));
        QCOMPARE(p.CmbOWeekStart->currentText(), QString("Week starts on Sunday"));
        QCOMPARE(p.CmbODateFormat->currentText(), QString("dd/mm/yyyy"));
        QCOMPARE(p.CmbOTimeFormat->currentText(), QString("12 hour"));
        QCOMPARE(p.EdtOCellwidth->text(), QString("abc"));
        QCOMPARE(p.UpDownCellWidth->position(), 39);
        QCOMPARE(p.EdtOCellheight->text(), QString("45"));
        QCOMPARE(p.UpDownContentHeight->position(), 120);
        QCOMPARE(p.EdtOContentmargin->text(), QString("5"));
        QCOMPARE(p.EdtOPublishwidth->text(), QString("500"));
        QCOMPARE(p.EdtOPublishheight->text(), QString("300"));
        QCOMPARE(p.CmbODateFormat->count(), 8);
        // Texts longer than their fields show from their start.
        for (QLineEdit* field : {p.EdtOTitle, p.EdtOCopyright, p.EdtOPublishwidth})
            QCOMPARE(field->cursorPosition(), 0);
        // Reading a data file is not an edit.
        QVERIFY(!f.doc.Marks.Modified);
    }

    void typingAloneWritesNothing() {
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        p.EdtOTitle->selectAll();
        QTest::keyClicks(p.EdtOTitle, "New title");
        QVERIFY(f.dataFile().contains("Old title"));
        QVERIFY(!f.doc.Marks.Modified);
        // A key other than Enter commits nothing either.
        QTest::keyRelease(p.EdtOTitle, Qt::Key_Tab);
        QVERIFY(!f.doc.Marks.Modified);
        releaseEnter(p.EdtOTitle);
        QVERIFY(f.dataFile().contains("New title"));
        QVERIFY(!f.dataFile().contains("Old title"));
        QVERIFY(f.doc.Marks.Modified);
    }

    void formattingOfAnotherTextWritesTheTypedTitleToo() {
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        p.EdtOTitle->setText("Typed");
        p.StartTextPopup(1);
        p.Bold1->trigger();
        p.PopupText->hide();
        QVERIFY(f.doc.Titles[1].Bold);
        QVERIFY(!f.doc.Titles[0].Bold);
        const QString file = f.dataFile();
        QVERIFY(file.contains("Typed"));
        QVERIFY(!file.contains("Old title"));
        QVERIFY(file.contains("<subtitle><![CDATA[<b>"));
        QVERIFY(f.doc.Marks.Modified);
    }

    void menuShowsTheMarksOfItsText() {
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        f.doc.Titles[0].Italic = true;
        f.doc.Titles[0].Color = 0x00FF00;
        f.doc.Titles[2].Underline = true;
        p.StartTextPopup(0);
        QVERIFY(p.Italic1->isChecked());
        QVERIFY(!p.Underlined1->isChecked());
        QCOMPARE(pictureColor(p.Color1), QColor(0, 255, 0));
        p.StartTextPopup(2);
        QVERIFY(!p.Italic1->isChecked());
        QVERIFY(p.Underlined1->isChecked());
        QCOMPARE(pictureColor(p.Color1), QColor(255, 255, 255));
        // The items act on the text the menu was opened for last.
        p.Underlined1->trigger();
        QVERIFY(!f.doc.Titles[2].Underline);
        QVERIFY(f.doc.Titles[0].Italic);
        p.PopupText->hide();
    }

    void pureRedIsPaintedAsRed254AndWrittenPure() {
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        p.StartTextPopup(0);
        f.ui.colorAnswers.enqueue(0x0000FF);
        p.Color1->trigger();
        QCOMPARE(f.doc.Titles[0].Color, ColorValue(0x0000FF));
        QVERIFY(f.dataFile().contains("<font color=\"#FF0000\">Old title</font>"));
        p.StartTextPopup(0);
        QCOMPARE(pictureColor(p.Color1), QColor(254, 0, 0));
        p.PopupText->hide();
    }

    void cancelledColourWritesNothing() {
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        const QByteArray before = test::readBytes(f.ctx.folders.dataFile());
        p.StartTextPopup(1);
        f.ui.colorAnswers.enqueue(std::nullopt);
        p.Color1->trigger();
        p.PopupText->hide();
        QCOMPARE(f.doc.Titles[1].Color, kWhite);
        QVERIFY(!f.doc.Marks.Modified);
        QCOMPARE(test::readBytes(f.ctx.folders.dataFile()), before);
    }

    void sizesAreWrittenAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("above range") << "500";
        QTest::newRow("letters") << "abc";
        QTest::newRow("empty") << "";
        QTest::newRow("spaces kept") << " 30 ";
    }
    void sizesAreWrittenAsTyped() {
        QFETCH(QString, typed);
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        p.EdtOCellheight->setText(typed);
        releaseEnter(p.EdtOCellheight);
        QVERIFY(f.dataFile().contains("<item id=\"cell_height\" value=\"" + typed + "\"/>"));
        p.EdtOPublishwidth->setText(typed);
        releaseEnter(p.EdtOPublishwidth);
        QVERIFY(f.dataFile().contains("publishwidth=\"" + typed + "\""));
        QVERIFY(test::readBytes(f.ctx.folders.previewPage()).contains(typed.toUtf8()));
    }

    void upDownStepsWithinRangeAndRefreshesOnRelease_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("shown");
        QTest::newRow("up from typed") << "45" << true << "46";
        QTest::newRow("down from typed") << "45" << false << "44";
        QTest::newRow("top stays") << "200" << true << "200";
        QTest::newRow("above range comes back") << "500" << true << "200";
        QTest::newRow("bottom stays") << "20" << false << "20";
        QTest::newRow("letters step from position") << "abc" << true << "40";
    }
    void upDownStepsWithinRangeAndRefreshesOnRelease() {
        QFETCH(QString, start);
        QFETCH(bool, up);
        QFETCH(QString, shown);
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        p.EdtOCellwidth->setText(start); // the up-down's position is 39 from the read
        QToolButton* arrow = up ? p.UpDownCellWidth->upButton() : p.UpDownCellWidth->downButton();
        QTest::mouseClick(arrow, Qt::LeftButton);
        QCOMPARE(p.EdtOCellwidth->text(), shown);
        QVERIFY(f.doc.Marks.Modified);
        QVERIFY(f.dataFile().contains("<item id=\"cell_width\" value=\"" + shown + "\"/>"));
    }

    void marginGoesDownToZero() {
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        p.EdtOContentmargin->setText("1");
        QTest::mouseClick(p.UpDownContentmargin->downButton(), Qt::LeftButton);
        QTest::mouseClick(p.UpDownContentmargin->downButton(), Qt::LeftButton);
        QCOMPARE(p.EdtOContentmargin->text(), QString("0"));
    }

    void listChoiceRefreshes_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("written");
        QTest::newRow("week start")
            << "CmbOWeekStart" << 0 << "<item id=\"first_day_of_week\" value=\"mon\"/>";
        QTest::newRow("time") << "CmbOTimeFormat" << 1 << "<item id=\"time_format\" value=\"24\"/>";
        QTest::newRow("date") << "CmbODateFormat" << 7
                              << "<item id=\"date_format\" value=\"mm/dd/yyyy\"/>";
    }
    void listChoiceRefreshes() {
        QFETCH(QString, list);
        QFETCH(int, index);
        QFETCH(QString, written);
        test::OptionsFixture f;
        auto* combo = f.window->findChild<QComboBox*>(list);
        QVERIFY(combo);
        combo->setCurrentIndex(index);
        QVERIFY(f.doc.Marks.Modified);
        QVERIFY(f.dataFile().contains(written));
    }

    void languageFieldTakesATagOrAuto_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("written");
        QTest::newRow("tag") << "DE-ch"
                             << "de-CH"
                             << "<item id=\"language\" value=\"de-CH\"/>";
        QTest::newRow("auto") << "auto"
                              << "auto"
                              << "";
        QTest::newRow("not a tag") << "Deutsch!"
                                   << "auto"
                                   << "";
    }
    void languageFieldTakesATagOrAuto() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, written);
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        QCOMPARE(p.CmbOLanguage->currentText(), QString("auto"));
        p.CmbOLanguage->lineEdit()->selectAll();
        QTest::keyClicks(p.CmbOLanguage->lineEdit(), "ja");
        QTest::keyClick(p.CmbOLanguage->lineEdit(), Qt::Key_Return);
        QVERIFY(f.dataFile().contains("<item id=\"language\" value=\"ja\"/>"));
        p.CmbOLanguage->lineEdit()->selectAll();
        QTest::keyClicks(p.CmbOLanguage->lineEdit(), typed);
        QTest::keyClick(p.CmbOLanguage->lineEdit(), Qt::Key_Return);
        QCOMPARE(p.CmbOLanguage->currentText(), shown);
        QCOMPARE(f.doc.Options.Language, shown);
        const QString file = f.dataFile();
        if (written.isEmpty())
            QVERIFY(!file.contains("\"language\""));
        else
            QVERIFY(file.contains(written));
        // A choice from the list counts as well.
        p.CmbOLanguage->setCurrentIndex(int(qv::languageChoices().indexOf("fr")));
        Q_EMIT p.CmbOLanguage->activated(p.CmbOLanguage->currentIndex());
        QVERIFY(f.dataFile().contains("<item id=\"language\" value=\"fr\"/>"));
    }

    // The zone list shows the calendar's zone (this computer's for a data file without one,
    // which stays without until another zone is chosen) and takes a zone of the list, chosen or
    // typed in any letter case; other text gives the field back the calendar's zone.
    void timeZoneFieldTakesAZoneOfTheList_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("written");
        QTest::newRow("a zone") << "Europe/Berlin"
                                << "Europe/Berlin"
                                << "<item id=\"timezone\" value=\"Europe/Berlin\"/>";
        QTest::newRow("any letter case") << "asia/TOKYO"
                                         << "Asia/Tokyo"
                                         << "<item id=\"timezone\" value=\"Asia/Tokyo\"/>";
        QTest::newRow("not a zone") << "Berlin!"
                                    << "America/Chicago"
                                    << "";
        QTest::newRow("the zone it already shows") << "America/Chicago"
                                                   << "America/Chicago"
                                                   << "";
    }
    void timeZoneFieldTakesAZoneOfTheList() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, written);
        qputenv("TZ", "America/Chicago");
        tzset();
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        QCOMPARE(p.CmbOTimeZone->currentText(), QString("America/Chicago"));
        p.CmbOTimeZone->lineEdit()->selectAll();
        QTest::keyClicks(p.CmbOTimeZone->lineEdit(), typed);
        QTest::keyClick(p.CmbOTimeZone->lineEdit(), Qt::Key_Return);
        QCOMPARE(p.CmbOTimeZone->currentText(), shown);
        QCOMPARE(f.doc.Marks.Modified, !written.isEmpty());
        if (written.isEmpty()) {
            QVERIFY(f.doc.Options.TimeZone.isEmpty());
            QVERIFY(!f.dataFile().contains("timezone"));
        } else {
            QCOMPARE(f.doc.Options.TimeZone, shown);
            QVERIFY(f.dataFile().contains(written));
        }
        // A choice from the list counts as well.
        p.CmbOTimeZone->setCurrentIndex(int(qv::zoneChoices().indexOf("Pacific/Auckland")));
        Q_EMIT p.CmbOTimeZone->activated(p.CmbOTimeZone->currentIndex());
        QVERIFY(f.dataFile().contains("<item id=\"timezone\" value=\"Pacific/Auckland\"/>"));
        QCOMPARE(p.CmbOTimeZone->currentText(), QString("Pacific/Auckland"));
    }

    void originalSizeGivesTheDefaultSize() {
        test::OptionsFixture f;
        OptionsPanel& p = f.panel();
        QTest::mouseClick(p.PngbbOriginalSize, Qt::LeftButton);
        QCOMPARE(p.EdtOPublishwidth->text(), QString("640"));
        QCOMPARE(p.EdtOPublishheight->text(), QString("480"));
        QVERIFY(f.dataFile().contains("publishwidth=\"640\" publishheight=\"480\""));
        QVERIFY(f.doc.Marks.Modified);
    }

    void originalSizeWithoutDefaultSizeGives99() {
        test::OptionsFixture f("options/plain.xml");
        QVERIFY(f.loaded);
        f.panel().EdtOPublishwidth->setText("1");
        QTest::mouseClick(f.panel().PngbbOriginalSize, Qt::LeftButton);
        QCOMPARE(f.panel().EdtOPublishwidth->text(), QString("99"));
        QCOMPARE(f.panel().EdtOPublishheight->text(), QString("99"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestOptionsPanel test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_options_panel.moc"
