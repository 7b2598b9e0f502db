#pragma once

#include "document/CalendarDocument.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

namespace qv {

// The event kinds in the order of the "Type of event" list.
enum class EventType { Once = 0, Weekly, Monthly, Yearly };

// What the event editor's fields hold, independent of how they are drawn. The list fields hold
// their item position, -1 when no item is selected.
struct EventFields {
    QString title;
    QString content;
    QString icon;
    int eventType = 0;
    bool wholeDay = false;
    QDate startDate;
    QTime startTime;
    QDate endDate;
    QTime endTime;
    int weekDay = 0;
    int monthDay = 0;
    int month = 0;
    QString category; // the chosen category's id; empty for none

    bool operator==(const EventFields&) const = default;
};

// The formatting a new event starts with: that of the event shown or saved last.
struct NewEventFormatting {
    TTitleRec title;
    TTitleRec content;

    bool operator==(const NewEventFormatting&) const = default;
};

// Not bold, italic or underlined, white, for title and content.
NewEventFormatting plainNewEventFormatting();

// Copies text, bold, italic, underline and colour.
void CopyTTitleRec(const TTitleRec& source, TTitleRec& target);
// Copies only the formatting, leaving target's text.
void copyFormatting(const TTitleRec& source, TTitleRec& target);

// The list position of a stored kind ("o", "w", "m", "y"); 0 for any other.
int eventTypeOfKind(const QString& repeatKind);
// The stored kind of a list position.
QString kindOfEventType(int eventType);

// "mon".."sun" for 0..6; "01".."31" for 0..30; "01".."12" for 0..11.
QString weekDayCode(int position);
QString monthDayCode(int position);
QString monthCode(int position);
// The list positions of stored values: the week day's among "mon".."sun" (0 when none); the
// month day and month read as numbers minus one, -1 when outside the list.
int weekDayPosition(const QString& stored);
int monthDayPosition(const QString& stored);
int monthPosition(const QString& stored);

// The fields showing an event.
EventFields fieldsOfEvent(const TEventRec& event);

// Tomorrow 09:00 and tomorrow 17:00, seen at now.
QDateTime tomorrowStart(const QDateTime& now);
QDateTime tomorrowEnd(const QDateTime& now);

// The fields of a new event: the placeholder texts, "star", occurs once tomorrow 09:00 to 17:00,
// not whole day, Monday, the first, January.
EventFields newEventFields(const QDateTime& now);

// "Occurs once" chosen: both starts tomorrow 09:00, both ends tomorrow 17:00.
void resetToOccursOnce(EventFields& fields, const QDateTime& now);

// A repeating kind (weekly, monthly, yearly) chosen while the end date is not after the start
// date: the end date moves to one year after the start, so that the event shows. Answers whether
// it moved.
bool moveEndDateForRepeat(EventFields& fields);

// The icon text without leading and trailing spaces and control characters.
QString cleanIconText(const QString& text);

// Stores the fields into event with the formatting of the two edit buffers. A month day or month
// without a selected item keeps the value the event holds.
void storeFields(const EventFields& fields, const TTitleRec& titleFormat,
                 const TTitleRec& contentFormat, TEventRec& event);

// What the editor panel and the buttons below the list show in a state.
struct EventPanelLook {
    bool panelVisible = false;
    bool panelEnabled = false;
    bool editControlsVisible = false; // "Settings" buttons, icon buttons, Save/Cancel panel
    bool addButtonVisible = true;
    bool editDeleteButtonsVisible = true;
    bool editDeleteEnabled = false; // the commands "Edit event" and "Delete"
};
EventPanelLook eventPanelLook(bool editing, bool adding, int listedRows);

} // namespace qv
