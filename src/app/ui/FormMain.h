#pragma once

#include <QMainWindow>

#include <functional>

namespace qv {

class AppContext;
class Platform;

// The main window of the designer.
class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    // Where the program is installed and where its per-user data lives.
    struct StartPaths {
        QString programFolder;
        QString dataFolder;
        static StartPaths ofThisProgram();
    };

    TFormMain(AppContext& context, Platform& platform, const StartPaths& paths,
              QWidget* parent = nullptr);
    ~TFormMain() override;

    AppContext& context() { return m_context; }
    Platform& platform() { return m_platform; }

    // Answers whether the window may close; without one it always may.
    void setCloseQuestion(std::function<bool()> question) { m_closeQuestion = std::move(question); }
    // Closes without asking, for an end requested by the system (SIGTERM, SIGINT).
    void closeWithoutQuestion();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const StartPaths& paths);
    bool FormCloseQuery();

    AppContext& m_context;
    Platform& m_platform;
    std::function<bool()> m_closeQuestion;
    bool m_skipQuestion = false;
};

} // namespace qv
