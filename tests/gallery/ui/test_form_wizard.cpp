#include "gallery/ui/TFormWizard.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace qv;
using qv::test::writeBytes;

namespace {

// A wizard whose ways on are recorded and answered by the test.
struct Wizard {
    QTemporaryDir dir;
    QStringList recent;
    QStringList browseAnswers;
    QStringList opened;
    bool openWorks = false;
    bool openWaits = false; // the open's answer is kept back in pendingOpen
    std::function<void(bool)> pendingOpen;
    bool galleryCreates = false;
    int galleryShown = 0;
    int wizardMode = 0;
    int endRequests = 0;
    std::unique_ptr<TFormWizard> form;
    std::unique_ptr<QSignalSpy> finished;

    QString file(const QString& name) {
        writeBytes(dir.filePath(name), "archive");
        return dir.filePath(name);
    }
    TFormWizard& make() {
        TFormWizard::Setup setup;
        setup.caption = "Plendix Flash Event Calendar";
        setup.recent = recent;
        setup.browse = [this] {
            return browseAnswers.isEmpty() ? QString() : browseAnswers.takeFirst();
        };
        setup.open = [this](const QString& path, const std::function<void(bool)>& done) {
            opened.append(path);
            if (openWaits)
                pendingOpen = done;
            else
                done(openWorks);
        };
        setup.showGallery = [this](const std::function<void(bool)>& done) {
            ++galleryShown;
            done(galleryCreates);
        };
        setup.wizardMode = [this] { return wizardMode; };
        setup.endProgram = [this] { ++endRequests; };
        form = std::make_unique<TFormWizard>(std::move(setup));
        finished = std::make_unique<QSignalSpy>(form.get(), &QDialog::finished);
        return *form;
    }
    QStringList recentItems() const {
        QStringList items;
        for (int i = 0; i < form->CmbRecent->count(); ++i)
            items.append(form->CmbRecent->itemText(i));
        return items;
    }
    bool closedWith(QDialog::DialogCode code) const {
        return finished->size() == 1 && form->result() == int(code);
    }
};

} // namespace

class TestFormWizard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionsAndHints() {
        Wizard w;
        TFormWizard& f = w.make();
        QCOMPARE(f.windowTitle(), "Plendix Flash Event Calendar");
        QCOMPARE(f.TntLabel7->text(), "Plendix Flash Event Calendar");
        QVERIFY(f.TntLabel7->font().bold());
        QCOMPARE(f.TntLabel7->font().pointSizeF(), f.font().pointSizeF() + 10);
        QCOMPARE(f.TntLabel2->text(), "Create New Calendar Project");
        QCOMPARE(f.TntLabel3->text(), "Choose a calendar and start your project instantly.");
        QCOMPARE(f.TntLabel4->text(), "Load Existing Calendar Project");
        QCOMPARE(f.TntLabel5->text(),
                 "Load a previously saved calendar project to continue editing. ");
        QCOMPARE(f.TntLabel6->text(), "Calendar Project:");
        for (QLabel* bold : {f.TntLabel2, f.TntLabel4, f.TntLabel6})
            QVERIFY(bold->font().bold());
        QCOMPARE(f.BtnCreate->text(), "Create");
        QCOMPARE(f.BtnCreate->toolTip(), "Select a calendar template and create a new project");
        QCOMPARE(f.BtnGetPrj->toolTip(), "Browse...");
        QCOMPARE(f.BtnOpen->text(), "Open");
        QCOMPARE(f.BtnOpen->toolTip(), "Click to open your saved project");
        QCOMPARE(f.btnSkip2->text(), "Skip");
        QCOMPARE(f.btnExit2->text(), "Exit");
    }

    // With an empty recent list Open is offered and asks for the file itself.
    void emptyRecentList() {
        Wizard w;
        TFormWizard& f = w.make();
        QCOMPARE(f.CmbRecent->count(), 0);
        QCOMPARE(f.CmbRecent->currentText(), "");
        QVERIFY(f.BtnOpen->isEnabled());
        f.BtnOpen->click();
        QCOMPARE(w.opened, QStringList{""});
        QCOMPARE(w.finished->size(), 0);
    }

    void recentProjectsListed() {
        Wizard w;
        for (int i = 1; i <= 6; ++i)
            w.recent.append(i == 2 ? QString() : w.file(QString("p%1.qvp").arg(i)));
        TFormWizard& f = w.make();
        QCOMPARE(w.recentItems(), (QStringList{w.dir.filePath("p1.qvp"), w.dir.filePath("p3.qvp"),
                                               w.dir.filePath("p4.qvp"), w.dir.filePath("p5.qvp"),
                                               w.dir.filePath("p6.qvp")}));
        QCOMPARE(f.CmbRecent->currentText(), "");
    }

    void openOfferedExactlyForAnExistingFile_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("existing") << "kept.qvp" << true;
        QTest::newRow("deleted") << "deleted.qvp" << false;
        QTest::newRow("a folder") << "folder" << false;
        QTest::newRow("typed nonsense") << "no such file" << false;
        QTest::newRow("emptied") << "" << false;
    }
    void openOfferedExactlyForAnExistingFile() {
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        Wizard w;
        w.recent = {w.file("kept.qvp"), w.file("deleted.qvp")};
        QFile::remove(w.dir.filePath("deleted.qvp"));
        QDir().mkpath(w.dir.filePath("folder"));
        TFormWizard& f = w.make();
        const QString path = text.isEmpty() ? QString() : w.dir.filePath(text);
        const int item = w.recentItems().indexOf(path);
        if (item >= 0) {
            f.CmbRecent->setCurrentIndex(item); // picked from the list
        } else {
            f.CmbRecent->setEditText("x"); // typed
            f.CmbRecent->setEditText(path);
        }
        QCOMPARE(f.BtnOpen->isEnabled(), enabled);
    }

    void browse() {
        Wizard w;
        TFormWizard& f = w.make();
        f.CmbRecent->setEditText("nothing");
        QVERIFY(!f.BtnOpen->isEnabled());
        f.BtnGetPrj->click(); // cancelled
        QCOMPARE(f.CmbRecent->currentText(), "nothing");
        w.browseAnswers = {w.file("chosen.qvp")};
        f.BtnGetPrj->click();
        QCOMPARE(f.CmbRecent->currentText(), w.dir.filePath("chosen.qvp"));
        QVERIFY(f.BtnOpen->isEnabled());
        QVERIFY(w.opened.isEmpty()); // not opened yet
        QCOMPARE(w.finished->size(), 0);
    }

    void open() {
        Wizard w;
        w.recent = {w.file("mine.qvp")};
        TFormWizard& f = w.make();
        f.CmbRecent->setCurrentIndex(0);
        f.BtnOpen->click();
        QCOMPARE(w.finished->size(), 0); // the load failed and said why
        w.openWorks = true;
        f.BtnOpen->click();
        QCOMPARE(w.opened, (QStringList{w.dir.filePath("mine.qvp"), w.dir.filePath("mine.qvp")}));
        QVERIFY(w.closedWith(QDialog::Accepted));
    }

    // While the archive is read the wizard stays: Skip, Exit, Esc and a second Open do nothing.
    void anOpenInProgressKeepsTheWizard() {
        Wizard w;
        w.recent = {w.file("mine.qvp")};
        w.openWaits = true;
        TFormWizard& f = w.make();
        f.show();
        f.CmbRecent->setCurrentIndex(0);
        f.BtnOpen->click();
        QVERIFY(w.pendingOpen);
        f.BtnOpen->click();
        f.btnSkip2->click();
        f.btnExit2->click();
        QTest::keyClick(&f, Qt::Key_Escape);
        f.close();
        QCOMPARE(w.opened.size(), 1);
        QCOMPARE(w.finished->size(), 0);
        QCOMPARE(w.endRequests, 0);
        QVERIFY(f.isVisible());
        w.pendingOpen(true);
        QVERIFY(w.closedWith(QDialog::Accepted));
    }

    void backFromTheGalleryKeepsTheWizard() {
        Wizard w;
        w.recent = {w.file("mine.qvp")};
        TFormWizard& f = w.make();
        f.CmbRecent->setEditText("typed");
        f.BtnCreate->click();
        QCOMPARE(w.galleryShown, 1);
        QCOMPARE(w.finished->size(), 0);
        QCOMPARE(f.CmbRecent->currentText(), "typed");
        QVERIFY(!f.BtnOpen->isEnabled());
        QCOMPARE(f.CmbRecent->count(), 1);
        w.galleryCreates = true;
        f.BtnCreate->click();
        QVERIFY(w.closedWith(QDialog::Accepted));
    }

    void exitEndsTheProgramAtStartUp_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("endRequests");
        QTest::newRow("start-up") << 0 << 1;
        QTest::newRow("after New") << 2 << 0;
    }
    void exitEndsTheProgramAtStartUp() {
        QFETCH(int, mode);
        QFETCH(int, endRequests);
        Wizard w;
        w.wizardMode = mode;
        w.make().btnExit2->click();
        QVERIFY(w.closedWith(QDialog::Rejected));
        QCOMPARE(w.endRequests, endRequests);
        QVERIFY(w.opened.isEmpty());
    }

    void skipAndTitleBarClose_data() {
        QTest::addColumn<bool>("titleBar");
        QTest::newRow("Skip") << false;
        QTest::newRow("title bar") << true;
    }
    void skipAndTitleBarClose() {
        QFETCH(bool, titleBar);
        Wizard w;
        TFormWizard& f = w.make();
        f.show();
        if (titleBar)
            f.close();
        else
            f.btnSkip2->click();
        QVERIFY(w.closedWith(QDialog::Rejected));
        QCOMPARE(w.endRequests, 0);
        QCOMPARE(w.galleryShown, 0);
    }
};

QTEST_MAIN(TestFormWizard)
#include "test_form_wizard.moc"
