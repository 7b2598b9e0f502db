// The "Categories" dialog of the options panel, the event editor's category chooser and the
// event list's category filter, driven as a user would, with the data file they leave.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionsFixture.h"

#include "editor/EventListModel.h"
#include "editor/ui/EventListPanel.h"
#include "editor/ui/EventsEditor.h"
#include "editor/ui/PnlEventEdit.h"
#include "editor/ui/TfrmCategories.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace qv;

namespace {

// A main window that has read the club calendar: the categories "U12 team" (u12) and "Matches"
// (matches); Derby and Cup are matches, Training is the U12 team's, the board meeting has none.
struct ClubFixture : test::OptionsFixture {
    ClubFixture() : test::OptionsFixture(QStringLiteral("options/categories.xml")) {}

    EventsEditor& events() { return *window->eventsEditor; }
    EventListPanel& list() { return *events().listPanel(); }
    PnlEventEdit& editor() { return *events().editPanel(); }

    // Opens the dialog from the options panel, lets act drive it, and closes it.
    void withDialog(const std::function<void(TfrmCategories&)>& act) {
        bool ran = false;
        panel().setCategoriesDialogRunner([&](TfrmCategories& dialog) {
            ran = true;
            QVERIFY(!window->isEnabled());
            act(dialog);
            QTest::mouseClick(dialog.BtnClose, Qt::LeftButton);
        });
        QTest::mouseClick(panel().PngbbCategories, Qt::LeftButton);
        QVERIFY(ran);
        QVERIFY(window->isEnabled());
    }

    QStringList listed() const {
        QStringList titles;
        for (const int position : window->eventsEditor->listPanel()->model()->positions())
            titles << doc.Events[position].Title.Text;
        return titles;
    }

    QStringList comboItems(const QComboBox* box) const {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    }
};

void typeAndClick(TfrmCategories& dialog, const QString& name, QPushButton* button) {
    dialog.EdtCategoryName->setText(name);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestCategoriesEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Add, rename, recolour and reorder: each change reaches the data file at once; a rename keeps
    // the id the events and published links use.
    void dialogEditsTheCategories() {
        ClubFixture f;
        QVERIFY(f.loaded);
        f.withDialog([&](TfrmCategories& d) {
            QCOMPARE(d.LstCategories->count(), 2);
            QCOMPARE(d.LstCategories->item(0)->text(), QString("U12 team"));
            QCOMPARE(d.EdtCategoryName->text(), QString("U12 team"));
            QVERIFY(!d.BtnCategoryUp->isEnabled());
            QVERIFY(d.BtnCategoryDown->isEnabled());

            typeAndClick(d, " Training  camps ", d.BtnAddCategory);
            QCOMPARE(d.selectedRow(), 2);
            QCOMPARE(f.doc.Categories[2].Id, QString("training-camps"));
            QCOMPARE(f.doc.Categories[2].Name, QString("Training camps"));
            QVERIFY(f.dataFile().contains("        <category id=\"training-camps\" name=\"Training "
                                          "camps\" color=\"2E7D32\"/>"));
            QVERIFY(f.doc.Marks.Modified);

            d.selectRow(1);
            typeAndClick(d, "Home matches", d.BtnRenameCategory);
            QCOMPARE(f.doc.Categories[1].Id, QString("matches"));
            QVERIFY(f.dataFile().contains("<category id=\"matches\" name=\"Home matches\""));
            QVERIFY(f.dataFile().contains("<entry uid=\"derby@club\" category=\"matches\">"));

            f.ui.colorAnswers.enqueue(0x00D7FF); // gold, in the platform's order
            QTest::mouseClick(d.BtnCategoryColor, Qt::LeftButton);
            QVERIFY(f.dataFile().contains("name=\"Home matches\" color=\"FFD700\"/>"));
            f.ui.colorAnswers.enqueue(std::nullopt); // cancelled: unchanged
            QTest::mouseClick(d.BtnCategoryColor, Qt::LeftButton);
            QCOMPARE(f.doc.Categories[1].Color, ColorValue(0x00D7FF));

            QTest::mouseClick(d.BtnCategoryUp, Qt::LeftButton);
            QCOMPARE(d.selectedRow(), 0);
            QVERIFY(!d.BtnCategoryUp->isEnabled());
            QCOMPARE(d.LstCategories->item(0)->text(), QString("Home matches"));
            const QString file = f.dataFile();
            QVERIFY(file.indexOf("id=\"matches\"") < file.indexOf("id=\"u12\""));
            QVERIFY(f.ui.shown.isEmpty());
        });
        // The event editor and the list filter offer the categories as they are now.
        QCOMPARE(f.comboItems(f.editor().ECategory),
                 QStringList({"(none)", "Home matches", "U12 team", "Training camps"}));
        QCOMPARE(f.comboItems(f.list().CmbFilterCategory),
                 QStringList({"All categories", "Without category", "Home matches", "U12 team",
                              "Training camps"}));
    }

    void dialogRefusesNamesItCannotUse_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("rename");
        QTest::addColumn<QString>("message");
        QTest::newRow("add without a name") << "  " << false << "A category needs a name.";
        QTest::newRow("add a name in use")
            << "MATCHES" << false << "There is already a category named \"Matches\".";
        QTest::newRow("rename to another's name")
            << "matches" << true << "There is already a category named \"Matches\".";
    }
    void dialogRefusesNamesItCannotUse() {
        QFETCH(QString, name);
        QFETCH(bool, rename);
        QFETCH(QString, message);
        ClubFixture f;
        const QByteArray before = test::readBytes(f.ctx.folders.dataFile());
        f.withDialog([&](TfrmCategories& d) {
            d.selectRow(0);
            typeAndClick(d, name, rename ? d.BtnRenameCategory : d.BtnAddCategory);
            QCOMPARE(f.ui.texts(), QStringList{message});
        });
        QCOMPARE(f.doc.Categories.size(), 2);
        QCOMPARE(f.doc.Categories[0].Name, QString("U12 team"));
        QCOMPARE(test::readBytes(f.ctx.folders.dataFile()), before);
    }

    // Removing a category in use asks first, No being the default; a category nothing uses goes
    // without a question. Its events stay, without a category.
    void removingACategoryInUseAsks_data() {
        QTest::addColumn<int>("answer"); // the button chosen; -1: the box was closed
        QTest::addColumn<bool>("removed");
        QTest::newRow("yes") << 0 << true;
        QTest::newRow("no") << 1 << false;
        QTest::newRow("closed") << -1 << false;
    }
    void removingACategoryInUseAsks() {
        QFETCH(int, answer);
        QFETCH(bool, removed);
        ClubFixture f;
        f.ui.choiceAnswers.enqueue(answer);
        f.withDialog([&](TfrmCategories& d) {
            d.selectRow(1);
            QTest::mouseClick(d.BtnRemoveCategory, Qt::LeftButton);
            QCOMPARE(f.ui.shown.size(), 1);
            QCOMPARE(f.ui.shown[0].kind, QString("choice"));
            QCOMPARE(f.ui.shown[0].instruction, QString("&Yes|&No default 1"));
            QVERIFY(f.ui.shown[0].text.contains("\"Matches\": 2."));
            QCOMPARE(d.LstCategories->count(), removed ? 1 : 2);
        });
        const QString file = f.dataFile();
        QCOMPARE(file.contains("id=\"matches\""), !removed);
        QCOMPARE(file.contains("category=\"matches\""), !removed);
        QVERIFY(file.contains("<entry uid=\"training@club\" category=\"u12\">"));
        QCOMPARE(f.doc.Events.size(), 4);
        QCOMPARE(f.doc.Events[0].Category, removed ? QString() : QString("matches"));
    }

    void removingAnUnusedCategoryDoesNotAsk() {
        ClubFixture f;
        f.doc.Events[1].Category.clear();
        f.withDialog([&](TfrmCategories& d) {
            d.selectRow(0);
            QTest::mouseClick(d.BtnRemoveCategory, Qt::LeftButton);
            QVERIFY(f.ui.shown.isEmpty());
            QCOMPARE(d.LstCategories->count(), 1);
            QCOMPARE(d.selectedRow(), 0);
            QTest::mouseClick(d.BtnRemoveCategory, Qt::LeftButton); // in use: asked, No
            QCOMPARE(d.LstCategories->count(), 1);
        });
        QCOMPARE(f.doc.Categories.size(), 1);
        QCOMPARE(f.ui.shown.size(), 1);
    }

    // The list filter shows one category's events, or those without any, beside the other
    // filters; a filter whose category is removed goes back to every category.
    void listFiltersByCategory() {
        ClubFixture f;
        QCOMPARE(f.listed(), QStringList({"Derby", "Training", "Cup", "Board meeting"}));
        f.list().CmbFilterCategory->setCurrentIndex(3);
        QCOMPARE(f.listed(), QStringList({"Derby", "Cup"}));
        f.list().CmbFilterCategory->setCurrentIndex(1);
        QCOMPARE(f.listed(), QStringList({"Board meeting"}));
        f.list().CmbFilterCategory->setCurrentIndex(3);
        f.ui.choiceAnswers.enqueue(0);
        f.withDialog([&](TfrmCategories& d) {
            d.selectRow(1);
            QTest::mouseClick(d.BtnRemoveCategory, Qt::LeftButton);
        });
        QCOMPARE(f.list().CmbFilterCategory->currentText(), QString("All categories"));
        QCOMPARE(f.listed(), QStringList({"Derby", "Training", "Cup", "Board meeting"}));

        // Reading a data file puts the filter back to every category.
        f.list().CmbFilterCategory->setCurrentIndex(1);
        QCOMPARE(f.listed().size(), 3);
        QVERIFY(readDataFile(f.ctx.folders.dataFile(), f.doc, f.ui, &f.window->model()));
        QCOMPARE(f.list().CmbFilterCategory->currentIndex(), 0);
        QCOMPARE(f.listed().size(), 4);
    }

    // A new event has no category; the chooser sets one, and an edited event shows its own.
    void editorChoosesTheCategory() {
        ClubFixture f;
        f.window->aaddevent->trigger();
        QCOMPARE(f.editor().ECategory->currentText(), QString("(none)"));
        f.editor().ECategory->setCurrentIndex(1);
        f.editor().ETitle->setText("Summer camp");
        QTest::mouseClick(f.editor().BtnSave, Qt::LeftButton);
        QCOMPARE(f.doc.Events.size(), 5);
        QCOMPARE(f.doc.Events[4].Category, QString("u12"));
        QVERIFY(f.dataFile().contains("category=\"u12\">\r\n        <title><![CDATA[<font "
                                      "color=\"#FFFFFF\">Summer camp</font>"));

        f.list().LstEvent->setCurrentIndex(f.list().model()->index(0));
        QCOMPARE(f.editor().ECategory->currentText(), QString("Matches"));
        f.window->aeditevent->trigger();
        f.editor().ECategory->setCurrentIndex(0);
        QTest::mouseClick(f.editor().BtnSave, Qt::LeftButton);
        QVERIFY(f.doc.Events[0].Category.isEmpty());
        QVERIFY(f.dataFile().contains("<entry uid=\"derby@club\">"));
    }

    // A category change confirms an event being edited, as every confirmed change does: what
    // was typed is stored with the category chosen, shown under its new name.
    void editInProgressIsKeptThroughCategoryChanges() {
        ClubFixture f;
        f.list().LstEvent->setCurrentIndex(f.list().model()->index(1));
        f.window->aeditevent->trigger();
        f.editor().ETitle->setText("Training, typed");
        f.editor().ECategory->setCurrentIndex(2);
        f.window->model().renameCategory(1, "Home matches");
        QVERIFY(!f.events().isEditing());
        QCOMPARE(f.doc.Events[1].Title.Text, QString("Training, typed"));
        QCOMPARE(f.doc.Events[1].Category, QString("matches"));
        QCOMPARE(f.editor().ECategory->currentText(), QString("Home matches"));
        QVERIFY(f.dataFile().contains("Training, typed"));
    }

    // Each row draws its category's colour beside the title.
    void rowsShowTheCategoryColour() {
        ClubFixture f;
        f.window->resize(1000, 700);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const auto colours = [&] {
            QSet<QRgb> found;
            const QImage image = f.list().LstEvent->viewport()->grab().toImage();
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    found.insert(image.pixel(x, y) & 0xFFFFFF);
            return found;
        };
        const QSet<QRgb> shown = colours();
        QVERIFY(shown.contains(0xC62828)); // Matches
        QVERIFY(shown.contains(0x1565C0)); // U12 team
        f.window->model().recolorCategory(1, 0x00D7FF);
        QTRY_VERIFY(colours().contains(0xFFD700));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TestCategoriesEditor test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_categories_editor.moc"
