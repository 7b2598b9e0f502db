#pragma once

#include "ical/IcalHandles.h"

#include <QByteArray>
#include <QStringList>

namespace qv {

// Parses an iCalendar text (up to its first NUL byte) into libical's components in time linear in
// its length, however long its lines are. Null when nothing could be read.
IcalComponent parseIcsText(const QByteArray& bytes);

// Keeps the time zones a file describes from costing more than a zone can need. libical works out
// every change of a zone's offset from its rules up to a few years ahead, and a rule that changes
// the offset every minute since 1970 would take it millions of steps. Rules that change a zone
// more often than daily are dropped, and so are all rules of a zone once the zones' rules together
// would take more than maxSteps steps up to the last year libical works out; the zone then keeps
// the offsets its observances name without rules. One note a zone whose rules were dropped.
QStringList boundZoneRules(icalcomponent* root, int maxSteps);

} // namespace qv
