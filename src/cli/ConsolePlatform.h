#pragma once

#include "platform/Platform.h"

namespace qv::cli {

// The platform of the command-line companion: every message goes to standard error, every
// question and chooser gets the cancelling answer, nothing is opened.
class ConsolePlatform : public Platform {
public:
    void information(const QString& text) override { print(text); }
    bool confirm(const QString& text) override {
        print(text);
        return false;
    }
    void message(const QString& text) override { print(text); }
    int question(const QString&, const QString& instruction, int, int,
                 const QString& text) override {
        print(instruction.isEmpty() ? text : instruction + QLatin1Char('\n') + text);
        return QuestionResult::Cancel;
    }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString chooseFolder(const QString&, const QString&, bool) override { return {}; }
    bool chooseColor(quint32&) override { return false; }
    bool open(const QString&) override { return false; }
    void setText(const QString& text) override { m_clipboard = text; }
    QString text() const override { return m_clipboard; }

private:
    static void print(const QString& text);
    QString m_clipboard;
};

} // namespace qv::cli
