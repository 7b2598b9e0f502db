#pragma once

#include <QString>

namespace qv {

class CalendarDocument;
struct TEventRec;

// Every event keeps one identity (its UID) in calendar feeds, in the files "Add to calendar" gives
// and in the data file, where it is the entry's uid attribute. Events made in the designer get a
// new one; imported events keep the one they came with.

// A new identity for an event made in the designer: "<random UUID>@quorvel".
QString newEventUid();

// The identity of an event read from a data file of an earlier version, which wrote entries
// without uid: the one calendar feeds gave it then, made from the calendar's id and the event's
// title, start and repeat kind, so calendars subscribed before find the same events.
QString derivedEventUid(const QString& calendarId, const TEventRec& event);

// Gives every event without a uid its derived identity, with "-2", "-3" ... after it where an
// earlier event of the document has it already. Whether any event got one.
bool giveEventsUids(CalendarDocument& document);

} // namespace qv
