#pragma once

#include <QString>

namespace qv {

// The fixed folders of a run, each without a trailing separator.
struct Folders {
    QString program;   // the folder of the executable
    QString working;   // <application data>/Quorvel/work: the project being edited, unpacked
    QString templates; // <program>/template
    QString files;     // <program>/files
    QString manual;    // <program>/manual: the user's manual

    // Folders of a program installed in programFolder, with the working folder under dataFolder.
    static Folders make(const QString& programFolder, const QString& dataFolder);

    QString projectData() const { return working + QStringLiteral("/quorvel"); }
    QString dataFile() const { return projectData() + QStringLiteral("/data.xml"); }
    QString previewPage() const { return working + QStringLiteral("/Calendar.htm"); }
    QString manualPage() const { return manual + QStringLiteral("/index.html"); }
};

// True for folders of the system (under /usr, /opt, /etc, /var, ... or the root itself, after
// symbolic links are followed): what the package manager installs there is not the user's.
bool isSystemFolder(const QString& folder);

// Where the settings file lives: beside the program when that folder is writable and not a system
// folder (a copy of the user's own), otherwise in the user's configuration folder, so that an
// installed copy started as root writes nothing into its own folder.
QString settingsFilePath(const QString& programFolder);

} // namespace qv
