#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QQueue>
#include <QStringList>

#include <optional>

namespace qv {

// A platform for tests: every dialog is answered from queues filled by the test, and everything
// shown is recorded. A dialog without a scripted answer gets the cancelling answer.
class ScriptedPlatform : public Platform {
public:
    struct Shown {
        QString kind; // "information", "confirm", "message", "question", "choice", "trust",
                      // "warning"
        QString title;
        QString instruction;
        QString text;
        int buttons = 0;
    };

    QList<Shown> shown;
    QQueue<bool> confirmAnswers;
    QQueue<int> questionAnswers;
    QQueue<int> choiceAnswers; // button positions; -1 is a box closed without a button
    QQueue<TrustAnswer> trustAnswers;
    QQueue<bool> warningAnswers; // an empty queue answers Cancel, the default
    QQueue<QString> openFileAnswers;
    QQueue<QString> saveFileAnswers;
    QQueue<QString> folderAnswers;
    QQueue<std::optional<quint32>> colorAnswers;
    QStringList opened;      // what shell open was asked to open
    bool openStarts = true;  // whether a program takes what shell open is given
    QStringList fileDialogs; // "open:<initial>", "save:<initial>", "folder:<initial>"
    QString clipboard;

    void information(const QString& text) override;
    bool confirm(const QString& text) override;
    void message(const QString& text) override;
    int question(const QString& title, const QString& instruction, int buttons, int icon,
                 const QString& text) override;
    int choice(const QString& text, const QStringList& buttons, int defaultButton) override;
    void trustQuestion(const QString& question, const QString& text,
                       const std::function<void(TrustAnswer)>& answered) override;
    void warningQuestion(const QString& question, const QString& text, const QString& acceptCaption,
                         const std::function<void(bool)>& answered) override;

    QString openFile(const QString& title, const QString& initialPath,
                     const QString& filter) override;
    QString saveFile(const QString& title, const QString& initialPath, const QString& filter,
                     const QString& defaultSuffix) override;
    QString chooseFolder(const QString& title, const QString& initialFolder,
                         bool allowNewFolder) override;
    bool chooseColor(quint32& color) override;
    bool open(const QString& pathOrUrl) override;
    void setText(const QString& text) override { clipboard = text; }
    QString text() const override { return clipboard; }

    // The texts of everything shown, in order.
    QStringList texts() const;
};

} // namespace qv
