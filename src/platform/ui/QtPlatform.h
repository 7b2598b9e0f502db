#pragma once

#include "platform/Platform.h"

#include <QPointer>
#include <QWidget>

namespace qv {

// The platform services on a real desktop: Qt's message boxes and choosers, QDesktopServices
// and the system clipboard. Dialogs are owned by the window set with setOwner.
class QtPlatform : public Platform {
public:
    void setOwner(QWidget* owner) { m_owner = owner; }
    QWidget* owner() const { return m_owner; }

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
    void setText(const QString& text) override;
    QString text() const override;

private:
    QPointer<QWidget> m_owner;
};

} // namespace qv
