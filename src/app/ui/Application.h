#pragma once

#include <QApplication>

namespace qv {

class MessageBoxes;

// The application object. An exception that escapes an event handler is shown with its text
// and the program goes on.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    void setMessageBoxes(MessageBoxes* messages) { m_messages = messages; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageBoxes* m_messages = nullptr;
};

} // namespace qv
