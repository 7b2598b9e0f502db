#pragma once

#include "ical/IcsImport.h"

#include <QObject>

#include <optional>

class QAction;

namespace qv {

class TFormMain;

// Events › "Import from iCalendar…" and File › "Export iCalendar…" of the main window. The
// calendar file is read on a thread of its own; its events reach the document on the window
// thread, after which the event list is rebuilt, the refresh writes the data file and a summary
// says what changed.
class IcalCommands : public QObject {
    Q_OBJECT
public:
    explicit IcalCommands(TFormMain& window);

    void aimporticalExecute();
    void aexporticalExecute();

    QAction* aimportical = nullptr;
    QAction* aexportical = nullptr;

    // Where the expansion window of rules starts; today when invalid (tests fix it).
    QDate windowStart;

private:
    void merge(const std::optional<IcsReadResult>& read, const QString& error);
    void followPublish();

    TFormMain& m_window;
    bool m_reading = false;
};

// Adds the two commands to the main window's menus.
IcalCommands* installIcalCommands(TFormMain& window);

} // namespace qv
