#include "app/ui/Application.h"

#include "platform/MessageBoxes.h"

#include <exception>

namespace qv {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    QString text;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = tr("Unknown error");
    }
    if (m_messages)
        m_messages->message(text);
    else
        qWarning("%s", qPrintable(text));
    return false;
}

} // namespace qv
