#include "platform/ScriptedPlatform.h"

#include <QFileInfo>

namespace qv {

void ScriptedPlatform::information(const QString& text) {
    shown.append({QStringLiteral("information"), QStringLiteral("Information"), {}, text, 0});
}

bool ScriptedPlatform::confirm(const QString& text) {
    shown.append({QStringLiteral("confirm"), QStringLiteral("Confirm"), {}, text, 0});
    return confirmAnswers.isEmpty() ? false : confirmAnswers.dequeue();
}

void ScriptedPlatform::message(const QString& text) {
    shown.append({QStringLiteral("message"), programTitle(), {}, text, 0});
}

int ScriptedPlatform::question(const QString& title, const QString& instruction, int buttons, int,
                               const QString& text) {
    shown.append({QStringLiteral("question"), title, instruction, text, buttons});
    return questionAnswers.isEmpty() ? QuestionResult::Cancel : questionAnswers.dequeue();
}

int ScriptedPlatform::choice(const QString& text, const QStringList& buttons, int defaultButton) {
    shown.append({QStringLiteral("choice"), programTitle(),
                  buttons.join(QLatin1Char('|')) + QStringLiteral(" default ") +
                      QString::number(defaultButton),
                  text, 0});
    return choiceAnswers.isEmpty() ? -1 : choiceAnswers.dequeue();
}

void ScriptedPlatform::trustQuestion(const QString& question, const QString& text,
                                     const std::function<void(TrustAnswer)>& answered) {
    shown.append({QStringLiteral("trust"), programTitle(), question, text, 0});
    answered(trustAnswers.isEmpty() ? TrustAnswer::Cancel : trustAnswers.dequeue());
}

void ScriptedPlatform::warningQuestion(const QString& question, const QString& text,
                                       const QString& acceptCaption,
                                       const std::function<void(bool)>& answered) {
    shown.append({QStringLiteral("warning"), acceptCaption, question, text, 0});
    answered(!warningAnswers.isEmpty() && warningAnswers.dequeue());
}

QString ScriptedPlatform::openFile(const QString&, const QString& initialPath, const QString&) {
    fileDialogs.append(QStringLiteral("open:") + initialPath);
    return openFileAnswers.isEmpty() ? QString() : openFileAnswers.dequeue();
}

QString ScriptedPlatform::saveFile(const QString&, const QString& initialPath, const QString&,
                                   const QString& defaultSuffix) {
    fileDialogs.append(QStringLiteral("save:") + initialPath);
    if (saveFileAnswers.isEmpty())
        return {};
    QString answer = saveFileAnswers.dequeue();
    // Like the real chooser: a typed name without extension gets the default one.
    if (!answer.isEmpty() && !defaultSuffix.isEmpty() && QFileInfo(answer).suffix().isEmpty())
        answer += QLatin1Char('.') + defaultSuffix;
    return answer;
}

QString ScriptedPlatform::chooseFolder(const QString&, const QString& initialFolder, bool) {
    fileDialogs.append(QStringLiteral("folder:") + initialFolder);
    return folderAnswers.isEmpty() ? QString() : folderAnswers.dequeue();
}

bool ScriptedPlatform::chooseColor(quint32& color) {
    if (colorAnswers.isEmpty())
        return false;
    const std::optional<quint32> answer = colorAnswers.dequeue();
    if (!answer)
        return false;
    color = *answer;
    return true;
}

bool ScriptedPlatform::open(const QString& pathOrUrl) {
    opened.append(pathOrUrl);
    return openStarts;
}

QStringList ScriptedPlatform::texts() const {
    QStringList result;
    for (const Shown& s : shown)
        result.append(s.text);
    return result;
}

} // namespace qv
