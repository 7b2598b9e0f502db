#pragma once

#include "document/CalendarDocument.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include <optional>

namespace qv {

// What an iCalendar import may take on before it refuses or cuts short: a calendar people keep
// holds a few thousand events, never hundreds of megabytes.
struct IcsLimits {
    qint64 maxFileBytes = qint64(32) * 1024 * 1024;
    int maxEvents = 200000;            // events in the file and events the import makes
    int maxOccurrencesPerEvent = 1000; // single events one expanded rule may become
    int maxRuleSteps = 200000;         // steps through one rule before the expansion gives up, and
                                       // through the rules of all time zones the file describes
};

// How an import reads times and how far it expands rules our repeat kinds cannot express.
struct IcsImportOptions {
    QTimeZone zone;    // the calendar's zone, whose wall-clock times the events get; this
                       // computer's when invalid
    QDate windowStart; // the first day of the expansion window; today when invalid
    int windowMonths = 24;
    IcsLimits limits;
};

// The events of one calendar entry (one UID): usually one event, several when a rule was expanded
// into single events; none when the entry is cancelled.
struct IcsEntry {
    QString uid;
    QString title; // the SUMMARY, for telling the user about it
    bool cancelled = false;
    // Each event's Category holds the name of the first category the file gives it (CATEGORIES),
    // not an id; merging turns it into the id of the calendar's category of that name.
    QList<TEventRec> events;
    QString simplifiedBecause; // why the rule was expanded; empty when it was not
};

struct IcsReadResult {
    QList<IcsEntry> entries;
    QStringList notes; // what was read differently from the file, one line each
};

// The zone of the system's zone database an iCalendar TZID names: an IANA name or alias
// ("Europe/Berlin", "US/Eastern"), a Windows name ("W. Europe Standard Time"), or either after a
// prefix ("/mozilla.org/20050126_1/America/New_York"). Invalid when the database knows none.
QTimeZone databaseZone(const QByteArray& tzid);

// Reads the events of an iCalendar text. Times with a time zone or in UTC become wall-clock times
// of the calendar's zone (a zone the zone database knows is taken from there, not from the file);
// floating times stay as they are and dates become whole-day events. Nothing, with the reason in
// error, when the text is no calendar or is beyond the limits.
std::optional<IcsReadResult> readIcs(const QByteArray& bytes, const IcsImportOptions& options,
                                     QString* error);

// The same from a file, refusing a file beyond the size limit before reading it.
std::optional<IcsReadResult> readIcsFile(const QString& path, const IcsImportOptions& options,
                                         QString* error);

// What an import did to the event list.
struct IcsImportSummary {
    int added = 0;
    int updated = 0;
    int removed = 0;
    int simplified = 0;    // entries whose rule became single events
    int newCategories = 0; // categories made for names the calendar had none of
    QStringList reasons;

    // "12 events added, 3 updated, 1 removed, 2 simplified." (with ", 2 new categories" before
    // the full stop when categories were made) and the reasons, one a line.
    QString text() const;
};

// Merges what was read into the event list and the categories: an entry whose UID an event
// already carries replaces those events in place (keeping their icon and formatting, and their
// category when the file names none), a new UID appends its events, and a cancelled entry removes
// the events of its UID. New events take the formatting of the list's first event, so they look
// like the calendar's own. An event's category is the calendar's category of the name the file
// gives it, letter case ignored; a name the calendar has none of becomes a new category at the
// end of the list, with the next unused colour of the palette.
IcsImportSummary mergeIcsEntries(QList<TEventRec>& events, QList<TCategoryRec>& categories,
                                 const IcsReadResult& read);
// The same for an event list alone: the categories the file names are left out.
IcsImportSummary mergeIcsEntries(QList<TEventRec>& events, const IcsReadResult& read);

} // namespace qv
