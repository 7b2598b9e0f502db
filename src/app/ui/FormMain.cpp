#include "app/ui/FormMain.h"

#include "app/AppContext.h"
#include "common/Functions.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace qv {

TFormMain::TFormMain(AppContext& context, Platform& platform, const StartPaths& paths,
                     QWidget* parent)
    : QMainWindow(parent), m_context(context), m_platform(platform) {
    setWindowTitle(programTitle());
    setObjectName(QStringLiteral("TFormMain"));
    resize(800, 642);
    FormCreate(paths);
}

TFormMain::~TFormMain() = default;

TFormMain::StartPaths TFormMain::StartPaths::ofThisProgram() {
    return {QCoreApplication::applicationDirPath(), applicationDataFolder()};
}

void TFormMain::FormCreate(const StartPaths& paths) {
    const QStringList errors = m_context.start(paths.programFolder, paths.dataFolder);
    for (const QString& error : errors)
        m_platform.message(error);
}

bool TFormMain::FormCloseQuery() {
    if (m_skipQuestion || !m_closeQuestion)
        return true;
    return m_closeQuestion();
}

void TFormMain::closeWithoutQuestion() {
    m_skipQuestion = true;
    close();
}

void TFormMain::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

} // namespace qv
