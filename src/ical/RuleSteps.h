// The occurrences of a repeat rule, one after the other.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ical/IcalHandles.h"

#include <QDate>
#include <QList>

#include <memory>

namespace qv {

// The occurrences of a repeat rule from its start, in the start's zone, as libical's iterator
// gives them. The common rules (every n days; every n weeks on some week days; every n months on
// some days of the month; every n years on the start's day), starting on one of their own days,
// are counted out with plain date arithmetic, many times faster than libical's iterator, which
// works every step out through a calendar object; every other rule goes to libical.
class RuleSteps {
public:
    RuleSteps(const icalrecurrencetype& rule, const icaltimetype& start);

    // The next occurrence; the null time when there is none.
    icaltimetype next();

    // Whether the occurrences are counted out here rather than by libical.
    bool counted() const { return !libical_; }

private:
    bool fillPeriod();
    QList<QDate> daysOfPeriod(int period);

    icalrecurrencetype_frequency freq_ = ICAL_NO_RECURRENCE;
    icaltimetype start_;
    QDate first_;
    int interval_ = 1;
    int count_ = 0; // no limit when 0
    icaltimetype until_;
    QDate untilDay_;  // invalid without UNTIL
    QList<int> days_; // week days as days after the week's start, or days of the month
    QDate firstWeek_; // the first day of the week the start falls in
    int period_ = 0;
    QList<QDate> pending_;
    qsizetype nextPending_ = 0;
    int made_ = 0;
    bool done_ = false;
    std::unique_ptr<IcalRecurIterator> libical_;
};

} // namespace qv
