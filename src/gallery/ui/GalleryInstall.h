#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

namespace qv {

class TFormMain;

// What the gallery keeps for the main window's whole run: the template catalogue, read once
// while the window is created.
class GalleryParts : public QObject {
    Q_OBJECT
public:
    GalleryParts(QStringList catalogue, QObject* parent)
        : QObject(parent), catalogue(std::move(catalogue)) {}
    const QStringList catalogue;
};

// Reads the template catalogue and gives the main window its gallery (the New command) and the
// command "Update Calendar in project".
void installGallery(TFormMain& window);

// Makes the start-up wizard the first window the user sees, shown without waiting for it.
// endProgram ends the program (the wizard's Exit).
void installStartupWizard(TFormMain& window, std::function<void()> endProgram);

// Opens the gallery over the window in front without waiting for it (the New command, the
// start-up wizard's Create); done gets whether it created a project once it has closed.
void openGallery(TFormMain& window, const std::function<void(bool created)>& done);

// "Update Calendar in project".
void aupdateprojectExecute(TFormMain& window);

} // namespace qv
