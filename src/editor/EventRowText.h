#pragma once

#include <QLocale>
#include <QString>

namespace qv {

struct TEventRec;

// The three lines of an event's row in the event list.
struct EventRowLines {
    QString title;   // drawn bold
    QString content; // drawn regular
    QString repeat;  // drawn italic: the repeat part and the time part
};

// "Once", "Weekly (mon)", "Montly (05)", "Yearly (12-24)" with the stored texts as they are;
// nothing for an unknown kind.
QString repeatText(const TEventRec& event);

// ", whole day, <start date>-<end date>" or ", <start>-<end>" with dates in the locale's short
// date format and times in its long time format (without time zone); a time of exactly midnight
// shows the date only.
QString timeText(const TEventRec& event, const QLocale& locale);

EventRowLines eventRowLines(const TEventRec& event, const QLocale& locale);

} // namespace qv
