#include "app/Translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace qv {

namespace {

// "de-DE" gives "de_DE" then "de", as the translation files are named.
QStringList fileSuffixes(const QString& uiLanguage) {
    QString name = uiLanguage;
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    QStringList suffixes{name};
    const qsizetype cut = name.indexOf(QLatin1Char('_'));
    if (cut > 0)
        suffixes << name.left(cut);
    return suffixes;
}

bool isEnglish(const QString& uiLanguage) {
    return uiLanguage == QLatin1String("en") || uiLanguage.startsWith(QLatin1String("en-")) ||
           uiLanguage == QLatin1String("C");
}

} // namespace

QString translationsFolder(const QString& programFolder) {
    return programFolder + QStringLiteral("/translations");
}

InstalledTranslations installTranslations(QCoreApplication& app, const QString& translationsFolder,
                                          const QLocale& locale, const QString& qtFolder) {
    InstalledTranslations installed;
    for (const QString& uiLanguage : locale.uiLanguages()) {
        // A desktop that prefers English before another language gets the program's own texts.
        if (isEnglish(uiLanguage))
            return installed;
        for (const QString& suffix : fileSuffixes(uiLanguage)) {
            const QString file =
                translationsFolder + QStringLiteral("/quorvel_") + suffix + QStringLiteral(".qm");
            if (!QFileInfo(file).isFile())
                continue;
            auto* program = new QTranslator(&app);
            if (!program->load(file)) {
                delete program;
                continue;
            }
            QCoreApplication::installTranslator(program);
            installed.language = suffix;
            installed.programTexts = true;
            auto* qt = new QTranslator(&app);
            const QString qtPath =
                qtFolder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : qtFolder;
            if (qt->load(QStringLiteral("qtbase_") + suffix, qtPath)) {
                QCoreApplication::installTranslator(qt);
                installed.qtTexts = true;
            } else {
                delete qt;
            }
            return installed;
        }
    }
    return installed;
}

} // namespace qv
