// The style group works on a document model in any widget, without the designer's main window:
// it shows what is read and announces every confirmed change once.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/CalendarModel.h"
#include "document/DataFileReader.h"
#include "editor/MediaChoice.h"
#include "editor/ui/StyleEditor.h"
#include "editor/ui/TfrmMonthBgImage.h"
#include "platform/ScriptedPlatform.h"
#include "session/Folders.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

using namespace qv;

namespace {

// A style group in a plain widget, on a document read from tests/data/options.
struct LoneStyleGroup {
    QTemporaryDir dir;
    CalendarDocument document;
    CalendarModel model{document};
    ScriptedPlatform platform;
    Folders folders = Folders::make(dir.filePath("program"), dir.filePath("appdata"));
    MediaChooserFolders mediaFolders;
    QWidget window;
    StyleEditor* style = nullptr;

    LoneStyleGroup() {
        document.enrolStandardStyleItems();
        QDir().mkpath(folders.projectData());
        window.setLayout(new QVBoxLayout);
        style = new StyleEditor(model, platform, folders, mediaFolders, &window);
    }

    bool read() {
        return readDataFile(test::dataPath("options/calendar.xml"), document, platform, &model);
    }
};

} // namespace

class TestStyleEditorAlone : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsWhatIsReadThroughTheModel() {
        LoneStyleGroup g;
        QCOMPARE(g.style->CmbOItemSelect->count(), 0);
        QVERIFY(g.read());
        QCOMPARE(g.style->CmbOItemSelect->count(), 3);
        QCOMPARE(g.style->CmbOItemSelect->currentIndex(), 0);
        QCOMPARE(g.style->EdtOpacity->text(), QString("80"));
        QCOMPARE(g.style->EdtOBackgroundMusic->text(), g.document.Options.MusicFile);
    }

    // Each confirmed edit is one announcement; picking a colour only confirms with the click.
    void confirmedEditsAreAnnouncedOnce() {
        LoneStyleGroup g;
        QVERIFY(g.read());
        QSignalSpy changes(&g.model, &CalendarModel::valueChanged);

        g.platform.colorAnswers.enqueue(quint32(0x00FF80));
        g.style->ColorChoose();
        QCOMPARE(changes.count(), 0);
        QCOMPARE(g.document.StyleItems[0].ColorHex, QString("80FF00"));
        g.style->ColorRefresh();
        QCOMPARE(changes.count(), 1);

        g.platform.colorAnswers.enqueue(std::nullopt); // cancelled, still confirmed
        QTest::mouseClick(g.style->PngBitBtn5, Qt::LeftButton);
        QCOMPARE(changes.count(), 2);

        const bool playing = g.document.Options.MusicOnStartup;
        g.style->cbMusicOnDef->setEnabled(true);
        g.style->cbMusicOnDef->click();
        QCOMPARE(g.document.Options.MusicOnStartup, !playing);
        QCOMPARE(changes.count(), 3);
    }

    // The monthly background dialog keeps the group's own window off while it is open and
    // confirms its changes when it closes.
    void monthDialogDisablesTheGroupsWindow() {
        LoneStyleGroup g;
        QVERIFY(g.read());
        QSignalSpy changes(&g.model, &CalendarModel::valueChanged);
        bool windowOffWhileOpen = false;
        TfrmMonthBgImage* open = nullptr;
        g.style->setMonthDialogRunner([&](TfrmMonthBgImage& dialog) {
            windowOffWhileOpen = !g.window.isEnabled();
            open = &dialog;
            dialog.show();
        });
        g.style->pngbbMonthBgImageClick();
        QVERIFY(open);
        QVERIFY(windowOffWhileOpen);
        QCOMPARE(open->parentWidget(), &g.window);
        QCOMPARE(changes.count(), 0);
        open->done(QDialog::Accepted);
        QVERIFY(g.window.isEnabled());
        QCOMPARE(changes.count(), 1);
    }
};

QTEST_MAIN(TestStyleEditorAlone)
#include "test_style_editor_alone.moc"
