#pragma once

#include <QString>

#include <QStringList>
#include <functional>

namespace qv {

// Buttons and results of the question dialog, numbered as callers and stored answers expect.
namespace QuestionButton {
constexpr int Ok = 1;
constexpr int Yes = 2;
constexpr int No = 4;
constexpr int Cancel = 8;
constexpr int Retry = 16;
constexpr int Close = 32;
} // namespace QuestionButton

namespace QuestionIcon {
constexpr int Information = 81;
constexpr int Warning = 84;
constexpr int Error = 98;
constexpr int Question = 99;
} // namespace QuestionIcon

namespace QuestionResult {
constexpr int NotShown = 0;
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Close = 3;
constexpr int Retry = 4;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace QuestionResult

// The answers to the question whether to trust a server's certificate or host key.
enum class TrustAnswer { Always, Once, Cancel };

// The message boxes the program shows. Windows and core code reach the user only through this,
// so tests can answer them from a script.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Title "Information", information icon, OK.
    virtual void information(const QString& text) = 0;
    // Title "Confirm", question icon, OK and Cancel; true for OK.
    virtual bool confirm(const QString& text) = 0;
    // The program's title, OK.
    virtual void message(const QString& text) = 0;
    // Window title, main instruction and text with the given buttons; returns a QuestionResult.
    virtual int question(const QString& title, const QString& instruction, int buttons, int icon,
                         const QString& text) = 0;
    // The program's title, a question icon, text and buttons with these captions, the one at
    // defaultButton being the default; the position of the button chosen, -1 when the box was
    // closed otherwise. Where no one can answer, nothing is shown and the answer is -1.
    virtual int choice(const QString& text, const QStringList& buttons, int defaultButton) {
        Q_UNUSED(text);
        Q_UNUSED(buttons);
        Q_UNUSED(defaultButton);
        return -1;
    }
    // The program's title, a warning icon, question ("Trust this certificate?") as the main
    // instruction and text (whose server, its fingerprint, why it is not trusted) below it, with
    // the buttons "Always", "Once" and "Cancel". It returns at once; answered gets the answer when
    // the box closes (not at all when its owner window goes first). Where no one can answer,
    // nothing is shown and the answer is Cancel.
    virtual void trustQuestion(const QString& question, const QString& text,
                               const std::function<void(TrustAnswer)>& answered) {
        Q_UNUSED(question);
        Q_UNUSED(text);
        answered(TrustAnswer::Cancel);
    }
    // The program's title, a warning icon, question as the main instruction and text below it,
    // with the buttons acceptCaption and "Cancel", Cancel the default. Returns at once; answered
    // gets true for acceptCaption when the box closes (not at all when its owner window goes
    // first). Where no one can answer, nothing is shown and the answer is false.
    virtual void warningQuestion(const QString& question, const QString& text,
                                 const QString& acceptCaption,
                                 const std::function<void(bool accepted)>& answered) {
        Q_UNUSED(question);
        Q_UNUSED(text);
        Q_UNUSED(acceptCaption);
        answered(false);
    }
};

// The program's own title, used by plain message boxes and the main window.
inline const QString& programTitle() {
    static const QString title = QStringLiteral("Plendix Flash Event Calendar");
    return title;
}

} // namespace qv
