#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace qv {

// The language the windows speak and where its texts came from.
struct InstalledTranslations {
    QString language;          // e.g. "de"; empty: the program's own English
    bool programTexts = false; // the program's translation was loaded
    bool qtTexts = false;      // Qt's own (standard buttons, file dialogs) was loaded
};

// Gives the application the first of the locale's user-interface languages that the program
// speaks: English, the program's own language, or one with translations/quorvel_xx.qm in
// translationsFolder. Qt's translation of the same language (qtbase_xx.qm) comes from qtFolder,
// by default the system's Qt translations folder. The translators belong to the application.
InstalledTranslations installTranslations(QCoreApplication& app, const QString& translationsFolder,
                                          const QLocale& locale = QLocale(),
                                          const QString& qtFolder = QString());

// The translations folder of a program installed in programFolder.
QString translationsFolder(const QString& programFolder);

} // namespace qv
