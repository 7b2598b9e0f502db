#include "OptionsFixture.h"

#include "editor/ui/ClickLabel.h"
#include "editor/ui/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace qv;

namespace {

// A file outside the project for the open dialog to answer with.
QString pickable(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath("pick/" + name);
    test::writeBytes(path, bytes);
    return path;
}

const TLookRec& item(test::OptionsFixture& f, const QString& id) {
    return *f.doc.findStyleItem(id);
}

} // namespace

class TestStyleEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chooserHoldsTheFileItemsInFileOrder() {
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        QCOMPARE(s.CmbOItemSelect->count(), 3);
        QCOMPARE(s.CmbOItemSelect->itemText(0), QString("Header"));
        QCOMPARE(s.CmbOItemSelect->itemText(1), QString("Event text"));
        QCOMPARE(s.CmbOItemSelect->itemText(2), QString("Background"));
        QCOMPARE(s.CmbOItemSelect->currentIndex(), 0);
        QCOMPARE(s.EdtOpacity->text(), QString("80"));
        QVERIFY(!s.EdtOpacity->isHidden());
        QVERIFY(s.EdtURI->isHidden());
        QCOMPARE(s.EdtColor->palette().color(QPalette::Window).name(), QString("#ff8000"));
        // Choosing another row only changes what the group shows.
        s.CmbOItemSelect->setCurrentIndex(2);
        QCOMPARE(s.EdtOpacity->text(), QString("40"));
        QVERIFY(!f.doc.Marks.Modified);
    }

    void eventTextHasNoOpacity() {
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        s.CmbOItemSelect->setCurrentIndex(1);
        QVERIFY(s.EdtOpacity->isHidden());
        QVERIFY(s.UpDownOpacity->isHidden());
        QVERIFY(!s.LblOpacity->isEnabled());
        QVERIFY(s.EdtOpacity->text().isEmpty());
        QVERIFY(item(f, "event_text").Opacity.isEmpty());
        s.CmbOItemSelect->setCurrentIndex(0);
        QVERIFY(!s.EdtOpacity->isHidden());
    }

    void opacityTyping_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above range at key release") << "250"
                                                    << "100";
        QTest::newRow("letter refused") << "5a"
                                        << "5";
        QTest::newRow("minus refused") << "-7"
                                       << "7";
        QTest::newRow("within range") << "35"
                                      << "35";
    }
    void opacityTyping() {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        s.EdtOpacity->clear();
        QTest::keyClicks(s.EdtOpacity, keys);
        QCOMPARE(s.EdtOpacity->text(), shown);
        QCOMPARE(item(f, "header").Opacity, shown);
        // Typing stores into the item but commits nothing.
        QVERIFY(!f.doc.Marks.Modified);
        QTest::keyRelease(s.EdtOpacity, Qt::Key_Return);
        QVERIFY(f.doc.Marks.Modified);
        QVERIFY(f.dataFile().contains("<item id=\"header\" color=\"FF8000\" opacity=\"" + shown));
    }

    void pastedTextIsClampedAtKeyRelease_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("negative") << "-5"
                                  << "0";
        QTest::newRow("large") << "1000"
                               << "100";
        QTest::newRow("empty stays empty") << ""
                                           << "";
    }
    void pastedTextIsClampedAtKeyRelease() {
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        // Pasted text does not pass the key filter.
        s.EdtOpacity->selectAll();
        s.EdtOpacity->insert(pasted);
        QTest::keyRelease(s.EdtOpacity, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(s.EdtOpacity->text(), shown);
        QCOMPARE(item(f, "header").Opacity, shown);
    }

    void opacityUpDownStoresAndRefreshes() {
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        QTest::mouseClick(s.UpDownOpacity->upButton(), Qt::LeftButton);
        QCOMPARE(item(f, "header").Opacity, QString("81"));
        QVERIFY(f.dataFile().contains("opacity=\"81\""));
    }

    void colourChosenOnTheSwatchOrWithSelect_data() {
        QTest::addColumn<bool>("viaSwatch");
        QTest::addColumn<std::optional<quint32>>("answer");
        QTest::addColumn<QString>("hex");
        QTest::newRow("swatch, chosen") << true << std::optional<quint32>(0x00FF80) << "80FF00";
        QTest::newRow("swatch, cancelled") << true << std::optional<quint32>() << "FF8000";
        QTest::newRow("select, chosen") << false << std::optional<quint32>(0x123456) << "563412";
        QTest::newRow("select, cancelled") << false << std::optional<quint32>() << "FF8000";
    }
    void colourChosenOnTheSwatchOrWithSelect() {
        QFETCH(bool, viaSwatch);
        QFETCH(std::optional<quint32>, answer);
        QFETCH(QString, hex);
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        f.ui.colorAnswers.enqueue(answer);
        if (viaSwatch)
            QTest::mouseClick(s.LblColorText, Qt::LeftButton);
        else
            QTest::mouseClick(s.PngBitBtn5, Qt::LeftButton);
        QCOMPARE(item(f, "header").ColorHex, hex);
        QCOMPARE(s.EdtColor->palette().color(QPalette::Window).name().toUpper(), "#" + hex);
        // Both ways end in a refresh, also when the dialog was cancelled.
        QVERIFY(f.doc.Marks.Modified);
        QVERIFY(f.dataFile().contains("<item id=\"header\" color=\"" + hex + "\""));
    }

    void dataFileDecidesWhatIsEnabled() {
        test::OptionsFixture f("options/plain.xml");
        StyleEditor& s = f.style();
        for (QWidget* w : std::initializer_list<QWidget*>{
                 s.EdtOBackgroundMusic, s.pngbbBrowseMusic, s.pngbbDeleteMusic, s.cbMusicOnDef,
                 s.EdtOBgMusicVolume, s.UpDownBgMusicVolume, s.cbMonthBgImage, s.pngbbMonthBgImage})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(!s.cbMonthBgImage->isChecked());
        QVERIFY(!s.cbMusicOnDef->isChecked());

        test::OptionsFixture g;
        StyleEditor& t = g.style();
        QVERIFY(t.pngbbBrowseMusic->isEnabled());
        QVERIFY(t.cbMusicOnDef->isChecked());
        QCOMPARE(t.EdtOBackgroundMusic->text(), QString("music\\tune.mp3"));
        QCOMPARE(t.EdtOBgMusicVolume->text(), QString("70"));
        QCOMPARE(t.UpDownBgMusicVolume->position(), 70);
        QCOMPARE(t.EdtOBackgroundURI->text(), QString("image\\back.png"));
        QVERIFY(t.cbMonthBgImage->isEnabled());
        QVERIFY(!t.cbMonthBgImage->isChecked());
        QVERIFY(!t.pngbbMonthBgImage->isEnabled());
    }

    void nextReadReplacesRowsAndStates() {
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        s.CmbOItemSelect->setCurrentIndex(2);
        test::writeBytes(f.ctx.folders.dataFile(),
                         test::readBytes(test::dataPath("datafile/read/style.xml")));
        QVERIFY(readDataFile(f.ctx.folders.dataFile(), f.doc, f.ui, &f.window->model()));
        QCOMPARE(s.CmbOItemSelect->count(), 4); // "menu" twice, "Header" is not an id
        QCOMPARE(s.CmbOItemSelect->itemText(0), QString("Menu"));
        QCOMPARE(s.CmbOItemSelect->currentIndex(), 0);
        QCOMPARE(s.EdtOpacity->text(), QString("60"));
        QVERIFY(s.cbMonthBgImage->isChecked());
        QVERIFY(s.pngbbMonthBgImage->isEnabled());
        QCOMPARE(s.EdtOBgMusicVolume->text(), QString("150"));
        QCOMPARE(s.UpDownBgMusicVolume->position(), 100);
        QCOMPARE(s.EdtOBackgroundURI->text(), f.doc.Options.BackgroundImage);
    }

    void switchesRefresh() {
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        QTest::mouseClick(s.cbMonthBgImage, Qt::LeftButton);
        QVERIFY(f.doc.MonthlyBackground.Enabled);
        QVERIFY(s.pngbbMonthBgImage->isEnabled());
        QVERIFY(f.dataFile().contains("<item id=\"monthly_background_image\" enable=\"true\">"));
        QTest::mouseClick(s.cbMusicOnDef, Qt::LeftButton);
        QVERIFY(f.dataFile().contains("startup=\"off\""));
    }

    void volumeIsWrittenAsTyped() {
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        s.EdtOBgMusicVolume->setText("150");
        QVERIFY(!f.doc.Marks.Modified);
        QTest::keyRelease(s.EdtOBgMusicVolume, Qt::Key_Enter);
        QVERIFY(f.dataFile().contains("volume=\"150\""));
        QTest::mouseClick(s.UpDownBgMusicVolume->downButton(), Qt::LeftButton);
        QCOMPARE(s.EdtOBgMusicVolume->text(), QString("99"));
        QVERIFY(f.dataFile().contains("volume=\"99\""));
    }

    // Image and music behave alike: the copy, the reference, the previous file and the removal.
    void mediaChoiceAndRemoval_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("ext");
        QTest::newRow("background image") << "image"
                                          << "png";
        QTest::newRow("music") << "music"
                               << "mp3";
        QTest::newRow("wave music") << "music"
                                    << "wav";
    }
    void mediaChoiceAndRemoval() {
        QFETCH(QString, folder);
        QFETCH(QString, ext);
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        const bool image = folder == "image";
        QLineEdit* field = image ? s.EdtOBackgroundURI : s.EdtOBackgroundMusic;
        QPushButton* browse = image ? s.PngBitBtn6 : s.pngbbBrowseMusic;
        QPushButton* remove = image ? s.PngBitBtn7 : s.pngbbDeleteMusic;
        const QString attribute = image ? "uri=\"" : "src=\"";

        // The same name twice with other bytes: a free name, the previous file goes. The second
        // chooser starts where the first file was chosen.
        const QString first = pickable(f.data, "a." + ext, "first");
        f.ui.openFileAnswers.enqueue(first);
        QTest::mouseClick(browse, Qt::LeftButton);
        f.ui.openFileAnswers.enqueue(pickable(f.data, "a." + ext, "second"));
        QTest::mouseClick(browse, Qt::LeftButton);
        QCOMPARE(f.ui.fileDialogs,
                 (QStringList{"open:", "open:" + QFileInfo(first).absolutePath()}));
        QCOMPARE(field->text(), folder + "\\a-2." + ext);
        QCOMPARE(test::readBytes(f.media(folder + "/a-2." + ext)), QByteArray("second"));
        QVERIFY(!QFile::exists(f.media(folder + "/a." + ext)));
        QVERIFY(f.dataFile().contains(attribute + folder + "/a-2." + ext + "\""));
        QVERIFY(f.doc.Marks.Modified);

        // Another name: the previous file goes.
        f.ui.openFileAnswers.enqueue(pickable(f.data, "b." + ext, "b"));
        QTest::mouseClick(browse, Qt::LeftButton);
        QCOMPARE(field->text(), folder + "\\b." + ext);
        QVERIFY(!QFile::exists(f.media(folder + "/a-2." + ext)));

        // A cancelled dialog changes nothing.
        QTest::mouseClick(browse, Qt::LeftButton);
        QCOMPARE(field->text(), folder + "\\b." + ext);

        // Removal asks, naming the file; No keeps everything.
        f.ui.questionAnswers.enqueue(QuestionResult::No);
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(f.ui.shown.size(), 1);
        const ScriptedPlatform::Shown asked = f.ui.shown.last();
        QCOMPARE(asked.title,
                 image ? QString("Delete Background Image") : QString("Delete Background Music"));
        QVERIFY(asked.text.contains(folder + "\\b." + ext));
        QCOMPARE(asked.buttons, QuestionButton::Yes | QuestionButton::No);
        QCOMPARE(field->text(), folder + "\\b." + ext);

        f.doc.Marks.Modified = false;
        f.ui.questionAnswers.enqueue(QuestionResult::Yes);
        QTest::mouseClick(remove, Qt::LeftButton);
        QVERIFY(field->text().isEmpty());
        QVERIFY(!QFile::exists(f.media(folder + "/b." + ext)));
        QVERIFY(f.dataFile().contains(attribute + "\""));
        QVERIFY(f.doc.Marks.Modified);

        // An empty field asks nothing.
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(f.ui.shown.size(), 2);
    }

    // A picture another part of the project still shows is not deleted with the background.
    void sharedPictureSurvivesReplacementAndRemoval() {
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        f.ui.openFileAnswers.enqueue(pickable(f.data, "jan.png", "jan"));
        QTest::mouseClick(s.PngBitBtn6, Qt::LeftButton);
        QCOMPARE(f.doc.MonthlyBackground.Images[1], QString("image\\jan.png"));
        f.ui.questionAnswers.enqueue(QuestionResult::Yes);
        QTest::mouseClick(s.PngBitBtn7, Qt::LeftButton);
        QVERIFY(s.EdtOBackgroundURI->text().isEmpty());
        QVERIFY(QFile::exists(f.media("image/jan.png")));
    }

    void typedBackgroundIsWrittenOnEnter() {
        test::OptionsFixture f;
        StyleEditor& s = f.style();
        s.EdtOBackgroundURI->setText("http://example.invalid/a.png");
        QVERIFY(!f.doc.Marks.Modified);
        QTest::keyRelease(s.EdtOBackgroundURI, Qt::Key_Return);
        QVERIFY(f.dataFile().contains("uri=\"http://example.invalid/a.png\""));
        // Removing a typed address deletes nothing and fails silently.
        f.ui.questionAnswers.enqueue(QuestionResult::Yes);
        QTest::mouseClick(s.PngBitBtn7, Qt::LeftButton);
        QVERIFY(s.EdtOBackgroundURI->text().isEmpty());
        QCOMPARE(f.ui.shown.size(), 1);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestStyleEditor test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_style_editor.moc"
