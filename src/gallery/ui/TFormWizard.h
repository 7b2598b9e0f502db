#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace qv {

// The start-up wizard: create a project from a template through the gallery, open a saved
// project archive, skip to the empty main window, or end the program. Closes with Accepted when
// a project is open, Rejected otherwise (Skip, Exit, the title bar's close button).
class TFormWizard : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        QString caption;    // the main window's caption
        QStringList recent; // the recent projects, most recent first
        // The project-archive open dialog; empty when the user cancelled.
        std::function<QString()> browse;
        // Loads the project archive at path (asking for one when path is empty) and calls done
        // with whether a project is open afterwards, possibly after it has returned.
        std::function<void(const QString& path, std::function<void(bool opened)> done)> open;
        // Shows the gallery without waiting for it and calls done with whether it created a
        // project once it has closed.
        std::function<void(std::function<void(bool created)> done)> showGallery;
        std::function<int()> wizardMode;
        // Asks the program to end once the wizard has closed.
        std::function<void()> endProgram;
    };

    explicit TFormWizard(Setup setup, QWidget* parent = nullptr);

    void CmbRecentChange(const QString& text);
    void BtnGetPrjClick();
    void BtnOpenClick();
    void BtnCreateClick();
    void btnSkip2Click();
    void btnExit2Click();
    // Esc and the title bar's close button; refused, like Skip and Exit, while an Open waits for
    // its archive.
    void reject() override;

    QLabel* TntLabel7 = nullptr;
    QLabel* TntLabel2 = nullptr;
    QLabel* TntLabel3 = nullptr;
    QPushButton* BtnCreate = nullptr;
    QLabel* TntLabel4 = nullptr;
    QLabel* TntLabel5 = nullptr;
    QLabel* TntLabel6 = nullptr;
    QComboBox* CmbRecent = nullptr;
    QToolButton* BtnGetPrj = nullptr;
    QPushButton* BtnOpen = nullptr;
    QPushButton* btnSkip2 = nullptr;
    QPushButton* btnExit2 = nullptr;

private:
    void TntFormCreate();

    Setup m_setup;
    bool m_opening = false; // an Open is waiting for its archive
};

} // namespace qv
