#include "platform/ui/QtPlatform.h"

#include "common/Functions.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace qv {

namespace {

constexpr int kMaxDialogText = 2049;

QMessageBox::Icon iconFor(int code) {
    switch (code) {
    case QuestionIcon::Information:
        return QMessageBox::Information;
    case QuestionIcon::Warning:
        return QMessageBox::Warning;
    case QuestionIcon::Error:
        return QMessageBox::Critical;
    case QuestionIcon::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

int resultFor(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return QuestionResult::Yes;
    case QMessageBox::No:
        return QuestionResult::No;
    case QMessageBox::Cancel:
        return QuestionResult::Cancel;
    case QMessageBox::Retry:
        return QuestionResult::Retry;
    case QMessageBox::Close:
        return QuestionResult::Close;
    default:
        return QuestionResult::Ok;
    }
}

// A box whose texts came from a server or a file: shown as they are, never as rich text
// (a hostile reply could otherwise draw headlines, links and local images in it).
void setPlainTexts(QMessageBox* box, const QString& informative) {
    box->setTextFormat(Qt::PlainText);
    box->setInformativeText(printableText(informative).left(kMaxDialogText));
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
}

} // namespace

void QtPlatform::information(const QString& text) {
    QMessageBox::information(m_owner, QCoreApplication::translate("qv::QtPlatform", "Information"),
                             printableText(text));
}

bool QtPlatform::confirm(const QString& text) {
    return QMessageBox::question(m_owner, QCoreApplication::translate("qv::QtPlatform", "Confirm"),
                                 printableText(text),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void QtPlatform::message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, programTitle(), printableText(text), QMessageBox::Ok,
                    m_owner);
    box.exec();
}

int QtPlatform::question(const QString& title, const QString& instruction, int buttons, int icon,
                         const QString& text) {
    // Line breaks stay: a file name the text names shows on a line of its own.
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    body = printableText(body);
    QMessageBox box(m_owner);
    box.setWindowTitle(title.left(kMaxDialogText));
    box.setText(printableText(instruction).left(kMaxDialogText));
    box.setInformativeText(body.left(kMaxDialogText));
    box.setIcon(iconFor(icon));
    QMessageBox::StandardButtons set;
    if (buttons & QuestionButton::Ok)
        set |= QMessageBox::Ok;
    if (buttons & QuestionButton::Yes)
        set |= QMessageBox::Yes;
    if (buttons & QuestionButton::No)
        set |= QMessageBox::No;
    if (buttons & QuestionButton::Cancel)
        set |= QMessageBox::Cancel;
    if (buttons & QuestionButton::Retry)
        set |= QMessageBox::Retry;
    if (buttons & QuestionButton::Close)
        set |= QMessageBox::Close;
    if (set == QMessageBox::NoButton)
        set = QMessageBox::Ok;
    box.setStandardButtons(set);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    if (clicked == QMessageBox::NoButton)
        return (set & QMessageBox::Cancel) ? QuestionResult::Cancel : QuestionResult::Ok;
    return resultFor(clicked);
}

int QtPlatform::choice(const QString& text, const QStringList& buttons, int defaultButton) {
    QMessageBox box(QMessageBox::Question, programTitle(), text.left(kMaxDialogText),
                    QMessageBox::NoButton, m_owner);
    QList<QAbstractButton*> added;
    for (const QString& caption : buttons)
        added.append(box.addButton(caption, QMessageBox::AcceptRole));
    if (defaultButton >= 0 && defaultButton < added.size())
        box.setDefaultButton(static_cast<QPushButton*>(added[defaultButton]));
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}

void QtPlatform::trustQuestion(const QString& question, const QString& text,
                               const std::function<void(TrustAnswer)>& answered) {
    // Shown window-modal with open(): the caller's handler returns and the windows keep drawing
    // while the user reads the fingerprint.
    auto* box = new QMessageBox(QMessageBox::Warning, programTitle(),
                                printableText(question).left(kMaxDialogText), QMessageBox::NoButton,
                                m_owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    setPlainTexts(box, text);
    QAbstractButton* always = box->addButton(
        QCoreApplication::translate("qv::QtPlatform", "Always"), QMessageBox::AcceptRole);
    QAbstractButton* once = box->addButton(QCoreApplication::translate("qv::QtPlatform", "Once"),
                                           QMessageBox::AcceptRole);
    QPushButton* cancel = box->addButton(QCoreApplication::translate("qv::QtPlatform", "Cancel"),
                                         QMessageBox::RejectRole);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    QObject::connect(box, &QMessageBox::finished, box, [box, always, once, answered] {
        const QAbstractButton* clicked = box->clickedButton();
        answered(clicked == always ? TrustAnswer::Always
                 : clicked == once ? TrustAnswer::Once
                                   : TrustAnswer::Cancel);
    });
    box->open();
}

void QtPlatform::warningQuestion(const QString& question, const QString& text,
                                 const QString& acceptCaption,
                                 const std::function<void(bool)>& answered) {
    auto* box = new QMessageBox(QMessageBox::Warning, programTitle(),
                                printableText(question).left(kMaxDialogText), QMessageBox::NoButton,
                                m_owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    setPlainTexts(box, text);
    QAbstractButton* accept = box->addButton(acceptCaption, QMessageBox::AcceptRole);
    QPushButton* cancel = box->addButton(QCoreApplication::translate("qv::QtPlatform", "Cancel"),
                                         QMessageBox::RejectRole);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    QObject::connect(box, &QMessageBox::finished, box,
                     [box, accept, answered] { answered(box->clickedButton() == accept); });
    box->open();
}

QString QtPlatform::openFile(const QString& title, const QString& initialPath,
                             const QString& filter) {
    QFileDialog dialog(m_owner, title, initialPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtPlatform::saveFile(const QString& title, const QString& initialPath,
                             const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(m_owner, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!initialPath.isEmpty()) {
        const QFileInfo info(initialPath);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtPlatform::chooseFolder(const QString& title, const QString& initialFolder,
                                 bool allowNewFolder) {
    QFileDialog dialog(m_owner, title, initialFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::ReadOnly, !allowNewFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool QtPlatform::chooseColor(quint32& color) {
    // Colours are held as 0x00BBGGRR.
    const QColor initial(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(initial, m_owner);
    if (!chosen.isValid())
        return false;
    color = quint32(chosen.red()) | (quint32(chosen.green()) << 8) | (quint32(chosen.blue()) << 16);
    return true;
}

bool QtPlatform::open(const QString& pathOrUrl) {
    const QString target = pathOrUrl.trimmed();
    const QUrl url = QUrl::fromUserInput(target, QString(), QUrl::AssumeLocalFile);
    return QDesktopServices::openUrl(url);
}

void QtPlatform::setText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

QString QtPlatform::text() const {
    return QApplication::clipboard()->text();
}

} // namespace qv
