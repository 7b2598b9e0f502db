// The designer's language at start: its own translation from build/bin/translations (laid out as
// an installation) and Qt's of the same language, chosen from the desktop's languages.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Translations.h"
#include "ical/IcsImport.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using qv::InstalledTranslations;
using qv::installTranslations;

namespace {

// Translators a case installed are taken away again, so that every case starts in English.
void removeTranslators() {
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

QString programText(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

// What an import that added three events and made `made` categories says, by language.
QString importSummary(const QString& language, int made) {
    const QString categories = language == QLatin1String("de")
                                   ? made == 1 ? "neue Kategorie" : "neue Kategorien"
                               : language == QLatin1String("fr")
                                   ? made == 1 ? "nouvelle catégorie" : "nouvelles catégories"
                                   : "new categories";
    const QString counts = language == QLatin1String("de")
                               ? "3 Termine hinzugefügt, 0 aktualisiert, 0 entfernt, 0 vereinfacht"
                           : language == QLatin1String("fr")
                               ? "3 événements ajoutés, 0 mis à jour, 0 supprimés, 0 simplifiés"
                               : "3 events added, 0 updated, 0 removed, 0 simplified";
    return counts + QStringLiteral(", %1 %2.").arg(made).arg(categories);
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { removeTranslators(); }

    void speaksTheFirstLanguageItHas_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("open");   // the main window's "Open"
        QTest::addColumn<QString>("cancel"); // Qt's own standard button

        QTest::newRow("German") << "de_DE"
                                << "de"
                                << "Öffnen"
                                << "Abbrechen";
        QTest::newRow("German of Austria") << "de_AT"
                                           << "de"
                                           << "Öffnen"
                                           << "Abbrechen";
        QTest::newRow("French") << "fr_FR"
                                << "fr"
                                << "Ouvrir"
                                << "Annuler";
        QTest::newRow("French of Canada") << "fr_CA"
                                          << "fr"
                                          << "Ouvrir"
                                          << "Annuler";
        QTest::newRow("English") << "en_US"
                                 << ""
                                 << "Open"
                                 << "Cancel";
        QTest::newRow("English of Germany") << "en_DE"
                                            << ""
                                            << "Open"
                                            << "Cancel";
        QTest::newRow("no translation") << "es_ES"
                                        << ""
                                        << "Open"
                                        << "Cancel";
    }
    void speaksTheFirstLanguageItHas() {
        // The translations are built with the designer's windows; a build without them (the
        // sanitizer build) has none to speak.
        const QDir built(qv::translationsFolder(qv::test::binDir()));
        if (built.entryList({QStringLiteral("quorvel_*.qm")}, QDir::Files).isEmpty())
            QSKIP("this build makes no translations: it is built without the windows");
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QFETCH(QString, open);
        QFETCH(QString, cancel);
        const InstalledTranslations installed =
            installTranslations(*QCoreApplication::instance(),
                                qv::translationsFolder(qv::test::binDir()), QLocale(locale));
        QCOMPARE(installed.language, language);
        QCOMPARE(installed.programTexts, !language.isEmpty());
        QCOMPARE(installed.qtTexts, !language.isEmpty());
        QCOMPARE(programText("qv::TFormMain", "Open"), open);
        QCOMPARE(programText("QPlatformTheme", "Cancel"), cancel);
        for (int made = 1; made <= 2; ++made) {
            qv::IcsImportSummary summary;
            summary.added = 3;
            summary.newCategories = made;
            QCOMPARE(summary.text(), importSummary(language, made));
        }
    }

    // Without a translation of the program, Qt's of the same language is not taken either: the
    // windows would speak two languages.
    void noProgramTranslationKeepsQtInEnglish() {
        QTemporaryDir empty;
        const InstalledTranslations installed = installTranslations(
            *QCoreApplication::instance(), empty.path(), QLocale(QStringLiteral("de_DE")));
        QVERIFY(!installed.programTexts);
        QVERIFY(!installed.qtTexts);
        QCOMPARE(programText("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }

    // A damaged translation file is passed over, not loaded half.
    void damagedFileIsPassedOver() {
        QTemporaryDir folder;
        qv::test::writeBytes(folder.filePath("quorvel_de.qm"), "not a translation");
        const InstalledTranslations installed = installTranslations(
            *QCoreApplication::instance(), folder.path(), QLocale(QStringLiteral("de_DE")));
        QVERIFY(!installed.programTexts);
        QCOMPARE(programText("qv::TFormMain", "Open"), QStringLiteral("Open"));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "test_translations.moc"
