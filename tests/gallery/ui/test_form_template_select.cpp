#include "gallery/ui/PageLabel.h"
#include "gallery/ui/TFormTemplateSelect.h"
#include "platform/ScriptedPlatform.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace qv;
using qv::test::writeBytes;

namespace {

QByteArray jpeg(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

QString nameOf(int index) {
    return QStringLiteral("t%1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

// A template folder with count templates "t01", "t02", ..., each with small thumbnails.
struct Gallery {
    QTemporaryDir dir;
    ScriptedPlatform ui;
    QStringList created;
    bool createWork = true;
    bool createWaits = false; // the answer is kept back in pendingCreate
    std::function<void(bool)> pendingCreate;
    std::unique_ptr<TFormTemplateSelect> form;

    explicit Gallery(int count, bool withThumbnails = true) {
        QStringList catalogue;
        for (int i = 0; i < count; ++i) {
            catalogue.append(nameOf(i));
            if (withThumbnails) {
                writeBytes(dir.filePath(nameOf(i) + "/thumb_s.jpg"), jpeg(QSize(100, 50)));
                writeBytes(dir.filePath(nameOf(i) + "/thumb.jpg"), jpeg(QSize(200, 100)));
            }
        }
        open(catalogue);
    }
    void open(const QStringList& catalogue) {
        TFormTemplateSelect::Setup setup;
        setup.catalogue = catalogue;
        setup.templateFolder = dir.path();
        setup.caption = "Plendix Flash Event Calendar - mine.qvp";
        setup.messages = &ui;
        setup.create = [this](const QString& path, const std::function<void(bool)>& done) {
            created.append(path);
            if (createWaits)
                pendingCreate = done;
            else
                done(createWork);
        };
        form = std::make_unique<TFormTemplateSelect>(std::move(setup));
    }

    QStringList visibleButtons() const {
        QStringList captions;
        for (QToolButton* button : form->T)
            if (!button->isHidden())
                captions.append(button->text());
        return captions;
    }
    QStringList visibleLabels() const {
        QStringList captions;
        for (PageLabel* label : form->P)
            if (!label->isHidden())
                captions.append(label->text());
        return captions;
    }
    int downButton() const {
        for (int i = 0; i < 4; ++i)
            if (form->T[std::size_t(i)]->isChecked())
                return i;
        return -1;
    }
};

QColor textColor(const QLabel* label) {
    return label->palette().color(QPalette::Active, QPalette::WindowText);
}

} // namespace

class TestFormTemplateSelect : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsOnTheFirstTemplate() {
        Gallery g(9);
        TFormTemplateSelect& f = *g.form;
        QCOMPARE(f.windowTitle(), "Plendix Flash Event Calendar - mine.qvp");
        QCOMPARE(g.visibleButtons(), (QStringList{"t01", "t02", "t03", "t04"}));
        QCOMPARE(g.downButton(), 0);
        QCOMPARE(f.LblTemplateName->text(), "t01");
        QVERIFY(f.LblTemplateName->font().bold());
        QCOMPARE(f.LBTemplate->count(), 9);
        QCOMPARE(f.ComboGalleryPage->count(), 3);
        QCOMPARE(f.ComboGalleryPage->itemText(2), "Gallery Page #3");
        QCOMPARE(f.ComboGalleryPage->currentIndex(), 0);
        QCOMPARE(g.visibleLabels(), (QStringList{"1", "2", "3"}));
        QVERIFY(!f.BtnPrev->isEnabled());
        QVERIFY(f.BtnNext->isEnabled());
        QVERIFY(f.BtnOpen->isEnabled());
        QCOMPARE(f.BtnOpen->text(), "Create");
        QCOMPARE(f.btnSkip2->text(), "Back");
        QCOMPARE(f.LblGalleryPage->text(), "Gallery Page");
        // PP greyed on the first page, but still there.
        QVERIFY(!f.PP->isEnabled());
        QVERIFY(!f.PP->isHidden());
        QVERIFY(f.NP->isEnabled());
    }

    void lastPageOfNine() {
        Gallery g(9);
        TFormTemplateSelect& f = *g.form;
        f.BtnNextPageClick();
        f.BtnNextPageClick();
        QCOMPARE(f.LblTemplateName->text(), "t09");
        QCOMPARE(g.visibleButtons(), QStringList{"t09"});
        QCOMPARE(g.downButton(), 0);
        QCOMPARE(g.visibleLabels(), (QStringList{"1", "2", "3"}));
        QVERIFY(f.P[3]->isHidden());
        QVERIFY(!f.NP->isEnabled());
        QVERIFY(!f.NP->isHidden());
        QVERIFY(f.PP->isEnabled());
        QVERIFY(!f.BtnNext->isEnabled());
        QCOMPARE(f.ComboGalleryPage->currentIndex(), 2);
    }

    // The current page's label is red and not underlined; the others are black and underlined.
    void pageLabelLooks() {
        Gallery g(9);
        TFormTemplateSelect& f = *g.form;
        f.PageChange(1);
        QCOMPARE(f.LblTemplateName->text(), "t05");
        QCOMPARE(textColor(f.P[1]), QColor(0xFF, 0, 0));
        QVERIFY(!f.P[1]->font().underline());
        QVERIFY(f.P[1]->font().bold());
        QCOMPARE(f.P[1]->cursor().shape(), Qt::ArrowCursor);
        for (int i : {0, 2}) {
            QCOMPARE(textColor(f.P[std::size_t(i)]), QColor(Qt::black));
            QVERIFY(f.P[std::size_t(i)]->font().underline());
            QCOMPARE(f.P[std::size_t(i)]->cursor().shape(), Qt::PointingHandCursor);
        }
        QVERIFY(!f.NP->font().underline());
        QVERIFY(f.NP->font().bold());
        // A click on the current page's label changes nothing.
        f.T[2]->click();
        QCOMPARE(f.LblTemplateName->text(), "t07");
        f.PageChange(1);
        QCOMPARE(f.LblTemplateName->text(), "t07");
    }

    void labelsFollowThePage() {
        Gallery g(20);
        TFormTemplateSelect& f = *g.form;
        f.PageChange(3);
        QCOMPARE(g.visibleLabels(), (QStringList{"1", "2", "3", "4"}));
        f.BtnNextPageClick();
        QCOMPARE(f.LblTemplateName->text(), "t17");
        QCOMPARE(g.visibleLabels(), (QStringList{"2", "3", "4", "5"}));
        QCOMPARE(textColor(f.P[3]), QColor(0xFF, 0, 0));
        f.ComboGalleryPageChange(0);
        QCOMPARE(g.visibleLabels(), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(textColor(f.P[0]), QColor(0xFF, 0, 0));
    }

    void navigation() {
        Gallery g(9);
        TFormTemplateSelect& f = *g.form;
        f.BtnNext->click();
        QCOMPARE(f.LblTemplateName->text(), "t02");
        QCOMPARE(g.downButton(), 1);
        f.BtnPrevPageClick(); // PP from 2 goes to 1
        QCOMPARE(f.LblTemplateName->text(), "t01");
        f.T[2]->click();
        f.BtnNextPageClick();
        QCOMPARE(f.LblTemplateName->text(), "t07");
        f.BtnNextPageClick(); // NP from 7 goes to 9, the last
        QCOMPARE(f.LblTemplateName->text(), "t09");
        f.BtnPrev->click();
        QCOMPARE(f.LblTemplateName->text(), "t08");
        QCOMPARE(g.visibleButtons(), (QStringList{"t05", "t06", "t07", "t08"}));
        QCOMPARE(g.downButton(), 3);
        QCOMPARE(f.LBTemplate->currentRow(), 7);
    }

    void thumbnailsFitTheirAreas() {
        Gallery g(5);
        TFormTemplateSelect& f = *g.form;
        const QIcon icon = f.T[0]->icon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.pixmap(QSize(133, 73)).size(), QSize(133, 66));
        QVERIFY(!f.ImgPreview->isHidden());
        QCOMPARE(f.ImgPreview->pixmap().size(), QSize(453, 226));
        QCOMPARE(f.ImgPreview->size(), QSize(453, 365));
    }

    // A page change reads only the four small thumbnails shown and the large one.
    void pageChangeReadsOnlyWhatIsShown() {
        Gallery g(40);
        TFormTemplateSelect& f = *g.form;
        QCOMPARE(f.thumbnailReads(), 5);
        f.BtnNextPageClick();
        QCOMPARE(f.thumbnailReads(), 10);
        f.BtnNext->click(); // same page: only the large thumbnail
        QCOMPARE(f.thumbnailReads(), 11);
        f.PageChange(3);
        QCOMPARE(f.thumbnailReads(), 16);
    }

    void missingThumbnails() {
        Gallery g(6);
        QFile::remove(g.dir.filePath("t05/thumb_s.jpg"));
        QFile::remove(g.dir.filePath("t06/thumb.jpg"));
        TFormTemplateSelect& f = *g.form;
        f.BtnNextPageClick();
        // The button shows the name only, not the picture it had on the page before.
        QCOMPARE(f.T[0]->text(), "t05");
        QVERIFY(f.T[0]->icon().isNull());
        QVERIFY(!f.ImgPreview->isHidden());
        f.BtnNext->click();
        QVERIFY(f.ImgPreview->isHidden());
        QVERIFY(g.ui.shown.isEmpty());
    }

    // An unreadable thumbnail is reported; the rest of the page is still shown and the gallery
    // goes on working.
    void unreadableThumbnail() {
        Gallery g(8);
        writeBytes(g.dir.filePath("t05/thumb_s.jpg"), "no picture");
        writeBytes(g.dir.filePath("t05/thumb.jpg"), "no picture");
        TFormTemplateSelect& f = *g.form;
        f.BtnNextPageClick();
        QCOMPARE(g.ui.shown.size(), 2);
        QCOMPARE(g.ui.shown[0].kind, "message");
        QVERIFY2(g.ui.shown[0].text.contains("thumb_s.jpg"), qPrintable(g.ui.shown[0].text));
        QVERIFY(g.ui.shown[1].text.contains("thumb.jpg"));
        QCOMPARE(g.visibleButtons(), (QStringList{"t05", "t06", "t07", "t08"}));
        QVERIFY(f.T[0]->icon().isNull());
        QVERIFY(!f.T[1]->icon().isNull());
        QVERIFY(f.ImgPreview->isHidden());
        QCOMPARE(f.LblTemplateName->text(), "t05");
        QVERIFY(!f.NP->isEnabled());
        f.BtnNext->click();
        QCOMPARE(f.LblTemplateName->text(), "t06");
        QVERIFY(!f.ImgPreview->isHidden());
        f.BtnOpen->click();
        QCOMPARE(g.created, QStringList{g.dir.filePath("t06")});
    }

    void noTemplates() {
        Gallery g(0);
        TFormTemplateSelect& f = *g.form;
        QVERIFY(!f.BtnOpen->isEnabled());
        QCOMPARE(g.visibleButtons(), QStringList());
        QCOMPARE(g.visibleLabels(), QStringList());
        QVERIFY(!f.PP->isEnabled());
        QVERIFY(!f.NP->isEnabled());
        QVERIFY(!f.BtnPrev->isEnabled());
        QVERIFY(!f.BtnNext->isEnabled());
        QVERIFY(f.ImgPreview->isHidden());
        QCOMPARE(f.LBTemplate->currentRow(), -1);
        f.BtnOpenClick();
        QVERIFY(g.created.isEmpty());
        QSignalSpy finished(&f, &QDialog::finished);
        f.btnSkip2->click();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(f.result(), int(QDialog::Rejected));
    }

    void emptyNamesAreSkipped() {
        Gallery g(0);
        g.open({"", "t01", ""});
        QCOMPARE(g.form->LBTemplate->count(), 1);
        QCOMPARE(g.visibleButtons(), QStringList{"t01"});
    }

    void createMakesTheProject() {
        Gallery g(6);
        TFormTemplateSelect& f = *g.form;
        f.T[1]->click();
        QSignalSpy finished(&f, &QDialog::finished);
        f.BtnOpen->click();
        QCOMPARE(g.created, QStringList{g.dir.filePath("t02")});
        QCOMPARE(finished.size(), 1);
        QCOMPARE(f.result(), int(QDialog::Accepted));
    }

    // A template that could not be made into a project keeps the gallery open.
    void failedCreateKeepsTheGallery() {
        Gallery g(6);
        g.createWork = false;
        TFormTemplateSelect& f = *g.form;
        QSignalSpy finished(&f, &QDialog::finished);
        f.BtnOpen->click();
        QCOMPARE(g.created.size(), 1);
        QCOMPARE(finished.size(), 0);
        QVERIFY(f.BtnOpen->isEnabled());
    }

    // While the project is made (a save of the open one may come first) the gallery stays: Back,
    // Esc, the close button and a second Create do nothing.
    void aCreateInProgressKeepsTheGallery() {
        Gallery g(6);
        g.createWaits = true;
        TFormTemplateSelect& f = *g.form;
        f.show();
        QSignalSpy finished(&f, &QDialog::finished);
        f.BtnOpen->click();
        QVERIFY(g.pendingCreate);
        f.BtnOpen->click();
        f.btnSkip2->click();
        QTest::keyClick(&f, Qt::Key_Escape);
        f.close();
        QCOMPARE(g.created.size(), 1);
        QCOMPARE(finished.size(), 0);
        QVERIFY(f.isVisible());
        g.pendingCreate(true);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(f.result(), int(QDialog::Accepted));
    }

    void titleBarCloseIsBack() {
        Gallery g(3);
        g.form->show();
        QSignalSpy finished(g.form.get(), &QDialog::finished);
        g.form->close();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(g.form->result(), int(QDialog::Rejected));
        QVERIFY(g.created.isEmpty());
    }
};

QTEST_MAIN(TestFormTemplateSelect)
#include "test_form_template_select.moc"
