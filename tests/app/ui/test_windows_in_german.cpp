// The windows on a German desktop: each window and dialog, at its default size, shows the German
// captions, no text of the program left in English, no label, button or choice cut off on any of
// its pages, and Qt's standard buttons and file dialog in German too.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Translations.h"
#include "editor/ui/AboutBox.h"
#include "editor/ui/MainWindowFixture.h"
#include "editor/ui/TfrmMonthBgImage.h"
#include "editor/ui/VerticalLabel.h"
#include "ftp/ui/ElidedLabel.h"
#include "ftp/ui/TfrmFtpCreateDirectory.h"
#include "ftp/ui/TfrmFtpModule.h"
#include "ftp/ui/TfrmFtpSetting.h"
#include "gallery/ui/TFormTemplateSelect.h"
#include "gallery/ui/TFormWizard.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"
#include "platform/ui/QtPlatform.h"
#include "publish/PublishContext.h"
#include "publish/ui/TfrmEmbedWizard.h"
#include "publish/ui/TfrmPublishUrl.h"
#include "publish/ui/TfrmPublishing.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <functional>
#include <memory>

using namespace qv;
using qv::test::writeBytes;

namespace {

QString withoutMark(QString text) {
    static const QRegularExpression mark(QStringLiteral("&(?=\\w)"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    return text.remove(mark);
}

// What the German translation holds: the English texts that read differently in German (one of
// them on a German window missed its translation), and the German texts, whole or with their
// placeholders to fill.
struct Catalogue {
    QSet<QString> englishOnly;
    QSet<QString> german;
    QList<QRegularExpression> germanWithPlaceholders;

    // Whether a text is one the translation gives, with its placeholders filled in.
    bool isGerman(const QString& text) const {
        if (german.contains(text))
            return true;
        for (const QRegularExpression& pattern : germanWithPlaceholders)
            if (pattern.match(text).hasMatch())
                return true;
        return false;
    }
};

Catalogue readCatalogue() {
    Catalogue catalogue;
    QFile file(QStringLiteral(QUORVEL_TEST_DATA "/../../translations/quorvel_de.ts"));
    if (!file.open(QIODevice::ReadOnly))
        return catalogue;
    const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"source") {
            source = withoutMark(xml.readElementText());
        } else if (xml.name() == u"translation") {
            const QString german =
                withoutMark(xml.readElementText(QXmlStreamReader::IncludeChildElements)).trimmed();
            if (german != source.trimmed())
                catalogue.englishOnly.insert(source);
            catalogue.german.insert(german);
            if (german.contains(placeholder)) {
                QStringList parts;
                for (const QString& part : german.split(placeholder))
                    parts << QRegularExpression::escape(part);
                catalogue.germanWithPlaceholders.append(QRegularExpression(
                    QStringLiteral("^") + parts.join(QStringLiteral(".*")) + QStringLiteral("$"),
                    QRegularExpression::DotMatchesEverythingOption));
            }
        }
    }
    return catalogue;
}

// Whether a shown text reads as words of a language: not a number, a path, an address, a file
// name, a colour or the program's name.
bool readsAsWords(const QString& text) {
    static const QRegularExpression words(QStringLiteral("[a-zäöüß]{2}"));
    static const QRegularExpression fileName(QStringLiteral("\\w\\.\\w"));
    return text.contains(words) && !text.contains(QLatin1Char('/')) &&
           !text.contains(QLatin1Char('@')) && !text.contains(fileName) && text != programTitle();
}

// The text without the signs around it (a lock before "Verschlüsselt").
QString core(const QString& text) {
    static const QRegularExpression around(QStringLiteral("^[^\\w(„\"]+|\\s+$"),
                                           QRegularExpression::UseUnicodePropertiesOption);
    return QString(text).remove(around);
}

// Every text a widget shows as its own, with the widget.
struct ShownText {
    QWidget* widget;
    QString text;
    bool data = false; // a choice among values that are not all texts of the program
};

QList<ShownText> shownTexts(QWidget* window) {
    QList<ShownText> shown;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w))
            shown.append({w, label->text()});
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            shown.append({w, button->text()});
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            shown.append({w, group->title()});
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            shown.append({w, combo->currentText(), true});
        else if (auto* vertical = qobject_cast<VerticalLabel*>(w))
            shown.append({w, vertical->text()});
        else if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                shown.append({w, tabs->tabText(i)});
    }
    if (auto* bar = window->findChild<QMenuBar*>())
        for (QAction* menu : bar->actions())
            shown.append({bar, menu->text()});
    return shown;
}

// Whether the widget has less room than its text needs.
bool isCutOff(QWidget* w) {
    // A value such as a folder path gives way, keeping its whole text in its tooltip.
    if (auto* value = qobject_cast<ElidedLabel*>(w))
        return value->isElided() && value->toolTip() != value->text();
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty())
            return false;
        if (label->wordWrap())
            return label->height() < label->heightForWidth(label->width());
        return label->width() < label->sizeHint().width();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return !button->text().isEmpty() && button->width() < button->sizeHint().width();
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->width() < group->minimumSizeHint().width();
    if (auto* vertical = qobject_cast<VerticalLabel*>(w))
        return vertical->height() < vertical->sizeHint().height();
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        option.currentText = combo->currentText();
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        return combo->fontMetrics().horizontalAdvance(combo->currentText()) > field.width();
    }
    return false;
}

// Shows each page of the window's tab and page stacks in turn, and hands each state to check.
void onEveryPage(QWidget* window, const std::function<void(const QString& page)>& check) {
    check(QStringLiteral("first page"));
    for (auto* stack : window->findChildren<QStackedWidget*>()) {
        if (qobject_cast<QTabWidget*>(stack->parentWidget()))
            continue; // a tab widget's own stack: its tabs are turned below
        const int shownBefore = stack->currentIndex();
        for (int i = 0; i < stack->count(); ++i) {
            stack->setCurrentIndex(i);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            check(QStringLiteral("page %1 of %2").arg(i).arg(stack->objectName()));
        }
        stack->setCurrentIndex(shownBefore);
    }
    for (auto* tabs : window->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            check(QStringLiteral("tab \"%1\"").arg(tabs->tabText(i)));
        }
    }
}

QString describe(QWidget* w, const QString& text) {
    return QStringLiteral("%1 %2 \"%3\" (%4x%5)")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text)
        .arg(w->width())
        .arg(w->height());
}

// What the windows need: program and data folders, a published folder with its embed pages,
// and the scripted platform answering.
struct Windows {
    qv::test::MainWindowFixture main;
    QTemporaryDir published;

    Windows() {
        for (const char* page : {"embed_page.htm", "embed_page_nojs.htm"})
            writeBytes(main.program.filePath(QStringLiteral("files/") + page),
                       "<div w=\"%_calendar_width_%\" h=\"%_calendar_height_%\"></div>\n");
        writeBytes(published.filePath(QStringLiteral("Calendar.htm")), "<html></html>\n");
    }
    PublishContext publish() const {
        return PublishContext::make("600", "450", main.program.path(), published.path());
    }
    FtpSettings ftp() const {
        FtpSettings settings;
        settings.host = QStringLiteral("127.0.0.1");
        settings.port = QStringLiteral("1");    // refused at once: the window shows its failure
        settings.user = QStringLiteral("4711"); // no word: every word shown is the program's
        settings.protocol = QStringLiteral("ftp");
        return settings;
    }
};

using Make = std::function<QWidget*(Windows&)>;

struct WindowCase {
    const char* name;
    Make make;
    QStringList german; // texts the window shows in German
};

const QList<WindowCase>& windowCases() {
    static const QList<WindowCase> cases = {
        {"main window",
         [](Windows& w) { return static_cast<QWidget*>(w.main.window.get()); },
         {"Datei", "Termine", "Vorschau", "Optionen", "Hilfe", "Allgemein", "Schnellvorschau",
          "Wochenbeginn", "Zellenbreite", "Originalgröße", "Element", "Deckkraft", "Terminfilter",
          "Alle Termine zeigen", "Art des Termins", "Termin hinzufügen"}},
        {"start-up wizard",
         [](Windows&) -> QWidget* {
             TFormWizard::Setup setup;
             setup.caption = programTitle();
             return new TFormWizard(setup);
         },
         {"Neues Kalenderprojekt erstellen", "Vorhandenes Kalenderprojekt laden", "Erstellen",
          "Öffnen", "Überspringen", "Beenden", "Kalenderprojekt:"}},
        {"template gallery",
         [](Windows& w) -> QWidget* {
             TFormTemplateSelect::Setup setup;
             setup.templateFolder = w.main.program.filePath(QStringLiteral("template"));
             setup.caption = programTitle();
             setup.messages = &w.main.ui;
             return new TFormTemplateSelect(setup);
         },
         {"Galerieseite", "Erstellen", "Zurück"}},
        {"publishing result",
         [](Windows& w) -> QWidget* {
             auto* window = new TfrmPublishing(w.main.ctx, w.main.ui, w.publish());
             window->TntFormShow();
             return window;
         },
         {"Der Veranstaltungskalender wurde veröffentlicht", "Veröffentlichter Ordner",
          "In die Zwischenablage kopieren", "Einbettungsassistent >>", "Hochladen", "Schließen"}},
        {"embed wizard",
         [](Windows& w) -> QWidget* { return new TfrmEmbedWizard(w.main.ui, w.publish(), true); },
         {"Schritt 1", "Kopieren", "Weiter", "Schließen"}},
        {"FTP settings",
         [](Windows& w) -> QWidget* {
             auto* dialog = new TfrmFtpSetting(w.main.ui);
             dialog->setSettings(w.ftp());
             return dialog;
         },
         {"FTP-Einstellungen", "Standard-FTP-Einstellungen", "Verbindung testen", "Protokoll",
          "Übertragungsmodus", "Passiv", "(Standard-FTP-Port 21)", "OK", "Abbrechen"}},
        {"upload window",
         [](Windows& w) -> QWidget* {
             return new TfrmFtpModule(w.main.ui, w.main.ui, w.ftp(), w.published.path());
         },
         {"Per FTP veröffentlichen", "FTP-Angaben", "Benutzername", "Entfernter Ordner",
          "Hochladen", "Nur geänderte Dateien hochladen"}},
        {"monthly background images",
         [](Windows& w) -> QWidget* {
             return new TfrmMonthBgImage(w.main.doc, w.main.ui, w.main.ctx.folders.projectData());
         },
         {"Monatliches Hintergrundbild", "Schließen"}},
        {"web address",
         [](Windows&) -> QWidget* { return new TfrmPublishUrl; },
         {"Adresse Ihrer Website eingeben", "OK", "Abbrechen"}},
        {"new remote folder",
         [](Windows&) -> QWidget* { return new TfrmFtpCreateDirectory; },
         {"Ordner anlegen", "OK", "Abbrechen"}},
        {"about box", [](Windows&) -> QWidget* { return new AboutBox; }, {"Über"}},
    };
    return cases;
}

// Finds the modal box Qt shows next, hands it to look, then closes it with its escape button.
void answerNextBox(const std::function<void(QMessageBox&)>& look) {
    QTimer::singleShot(0, [look] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        look(*box);
        box->reject();
    });
}

QStringList buttonTexts(const QList<QAbstractButton*>& buttons) {
    QStringList texts;
    for (QAbstractButton* button : buttons)
        texts << withoutMark(button->text());
    return texts;
}

} // namespace

class TestWindowsInGerman : public QObject {
    Q_OBJECT

    Catalogue m_catalogue;

private Q_SLOTS:
    void initTestCase() {
        const InstalledTranslations installed = installTranslations(
            *qApp, translationsFolder(qv::test::binDir()), QLocale(QStringLiteral("de_DE")));
        QVERIFY(installed.programTexts);
        QVERIFY2(installed.qtTexts, "Qt's German translation is missing (qt6-translations-l10n)");
        m_catalogue = readCatalogue();
        QVERIFY(m_catalogue.englishOnly.contains(QStringLiteral("Open")));
        QVERIFY(m_catalogue.isGerman(QStringLiteral("Galerieseite 3")));
        QVERIFY(!m_catalogue.isGerman(QStringLiteral("Time Zone")));
    }

    void windowSpeaksGermanAndFits_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < windowCases().size(); ++i)
            QTest::newRow(windowCases()[i].name) << i;
    }
    void windowSpeaksGermanAndFits() {
        QFETCH(int, index);
        const WindowCase& c = windowCases()[index];
        Windows w;
        QWidget* window = c.make(w);
        std::unique_ptr<QWidget> owned(window == w.main.window.get() ? nullptr : window);
        if (window == w.main.window.get()) {
            QVERIFY(w.main.showStarted());
        } else {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
        }
        QStringList seen, cut, english;
        onEveryPage(window, [&](const QString& page) {
            for (const ShownText& shown : shownTexts(window)) {
                const QString text = core(withoutMark(shown.text));
                seen << text;
                const bool untranslated =
                    m_catalogue.englishOnly.contains(text) ||
                    (!shown.data && readsAsWords(text) && !m_catalogue.isGerman(text) &&
                     !m_catalogue.isGerman(withoutMark(shown.text).trimmed()));
                if (untranslated)
                    english << describe(shown.widget, shown.text) + QStringLiteral(" on ") + page;
                if (isCutOff(shown.widget))
                    cut << describe(shown.widget, shown.text) + QStringLiteral(" on ") + page;
            }
        });
        seen << window->windowTitle();
        for (const QString& caption : c.german)
            QVERIFY2(seen.contains(caption), qPrintable(caption + " is not shown"));
        cut.removeDuplicates();
        english.removeDuplicates();
        QVERIFY2(english.isEmpty(), qPrintable("left in English: " + english.join("; ")));
        QVERIFY2(cut.isEmpty(), qPrintable("cut off: " + cut.join("; ")));
    }

    // Qt's own message box buttons and file dialog speak German as well.
    void standardButtonsAndFileDialog() {
        QtPlatform platform;
        QStringList buttons;
        answerNextBox([&](QMessageBox& box) { buttons = buttonTexts(box.buttons()); });
        platform.question(QStringLiteral("Titel"), QStringLiteral("Frage"),
                          QuestionButton::Yes | QuestionButton::No | QuestionButton::Cancel,
                          QuestionIcon::Question, QString());
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Abbrechen", "Ja", "Nein"}));

        QString title;
        answerNextBox([&](QMessageBox& box) {
            title = box.windowTitle();
            buttons = buttonTexts(box.buttons());
        });
        platform.confirm(QStringLiteral("Sicher?"));
        QCOMPARE(title, QStringLiteral("Bestätigen"));
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Abbrechen", "OK"}));

        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.setAcceptMode(QFileDialog::AcceptOpen);
        files.show();
        auto* box = files.findChild<QDialogButtonBox*>();
        QVERIFY(box);
        QCOMPARE(withoutMark(box->button(QDialogButtonBox::Open)->text()),
                 QStringLiteral("Öffnen"));
        QCOMPARE(withoutMark(box->button(QDialogButtonBox::Cancel)->text()),
                 QStringLiteral("Abbrechen"));
    }
};

QTEST_MAIN(TestWindowsInGerman)
#include "test_windows_in_german.moc"
