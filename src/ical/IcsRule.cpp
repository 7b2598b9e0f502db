#include "ical/IcsRule.h"

#include <QCoreApplication>
#include <QDate>
#include <QList>

#include <algorithm>

namespace qv {

namespace {

const char* const kDayNames[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
const char* const kRuleDays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

QString twoDigits(int n) {
    return QString::number(n).rightJustified(2, u'0');
}

// The day a BYMONTHDAY list (with its BYSETPOS) names in our terms: one day 1 to 31, -1 for the
// month's last day, or 28..d with BYSETPOS=-1 as "d, or the month's last day".
std::optional<int> singleMonthDay(const QList<int>& days, const QList<int>& setPos) {
    if (setPos.isEmpty()) {
        if (days.size() != 1)
            return std::nullopt;
        if (days[0] == -1 || (days[0] >= 1 && days[0] <= 31))
            return days[0];
        return std::nullopt;
    }
    if (setPos != QList<int>{-1} || days.isEmpty() || days[0] != 28)
        return std::nullopt;
    for (int i = 1; i < days.size(); ++i)
        if (days[i] != 28 + i)
            return std::nullopt;
    return days.size() > 1 && days.last() <= 31 ? std::optional<int>(days.last()) : std::nullopt;
}

} // namespace

std::optional<RepeatMapping> mapRule(const icalrecurrencetype& rule, const QDateTime& start,
                                     int dayShift, QString* reason) {
    const auto refuse = [reason](const QString& why) -> std::optional<RepeatMapping> {
        *reason = why;
        return std::nullopt;
    };
    if (rule.count > 0)
        return refuse(
            QCoreApplication::translate("qv::IcsRule", "it repeats a set number of times (COUNT)"));
    if (rule.interval > 1)
        return refuse(
            QCoreApplication::translate("qv::IcsRule", "it repeats every %1 periods (INTERVAL)")
                .arg(rule.interval));
    if (!byList(rule.by_second).isEmpty() || !byList(rule.by_minute).isEmpty() ||
        !byList(rule.by_hour).isEmpty() || !byList(rule.by_year_day).isEmpty() ||
        !byList(rule.by_week_no).isEmpty())
        return refuse(QCoreApplication::translate(
            "qv::IcsRule", "its rule picks hours, days of the year or week numbers"));
    const QList<int> byDay = byList(rule.by_day);
    const QList<int> byMonthDay = byList(rule.by_month_day);
    const QList<int> byMonth = byList(rule.by_month);
    const QList<int> bySetPos = byList(rule.by_set_pos);

    RepeatMapping mapping;
    switch (rule.freq) {
    case ICAL_WEEKLY_RECURRENCE: {
        if (!byMonthDay.isEmpty() || !byMonth.isEmpty() || !bySetPos.isEmpty())
            return refuse(QCoreApplication::translate(
                "qv::IcsRule", "its weekly rule also picks days of the month"));
        if (byDay.size() > 1)
            return refuse(
                QCoreApplication::translate("qv::IcsRule", "it repeats on several week days"));
        int day = start.date().dayOfWeek(); // 1 Monday .. 7 Sunday
        if (byDay.size() == 1) {
            if (icalrecurrencetype_day_position(byDay[0]) != 0)
                return refuse(QCoreApplication::translate(
                    "qv::IcsRule", "its weekly rule names a numbered week day"));
            // libical counts Sunday 1 to Saturday 7.
            const int sundayFirst = int(icalrecurrencetype_day_day_of_week(byDay[0]));
            day = (sundayFirst + 5) % 7 + 1;
            day = ((day - 1 + dayShift) % 7 + 7) % 7 + 1;
        }
        mapping.kind = QStringLiteral("w");
        mapping.weekDay = QString::fromLatin1(kDayNames[day - 1]);
        return mapping;
    }
    case ICAL_MONTHLY_RECURRENCE:
    case ICAL_YEARLY_RECURRENCE: {
        const bool yearly = rule.freq == ICAL_YEARLY_RECURRENCE;
        if (!byDay.isEmpty())
            return refuse(QCoreApplication::translate("qv::IcsRule",
                                                      "it repeats on a week day of the month"));
        if (!yearly && !byMonth.isEmpty())
            return refuse(
                QCoreApplication::translate("qv::IcsRule", "its monthly rule picks months"));
        if (byMonth.size() > 1)
            return refuse(
                QCoreApplication::translate("qv::IcsRule", "it repeats in several months"));
        if (dayShift != 0)
            return refuse(QCoreApplication::translate("qv::IcsRule",
                                                      "the time zone moves it to another day"));
        int day = start.date().day();
        if (!byMonthDay.isEmpty() || !bySetPos.isEmpty()) {
            const std::optional<int> single = singleMonthDay(byMonthDay, bySetPos);
            if (!single)
                return refuse(QCoreApplication::translate(
                    "qv::IcsRule", "it repeats on several days of the month"));
            day = *single;
        }
        mapping.kind = yearly ? QStringLiteral("y") : QStringLiteral("m");
        if (yearly) {
            const int month = byMonth.isEmpty() ? start.date().month() : byMonth[0];
            if (month < 1 || month > 12)
                return refuse(QCoreApplication::translate("qv::IcsRule",
                                                          "its month is not one of the twelve"));
            mapping.month = twoDigits(month);
            // The last day of the month: its longest length, which the player shortens in
            // shorter years.
            if (day == -1)
                day = QDate(2000, month, 1).daysInMonth();
        }
        mapping.monthDay = twoDigits(day == -1 ? 31 : day);
        return mapping;
    }
    case ICAL_DAILY_RECURRENCE:
        return refuse(QCoreApplication::translate("qv::IcsRule", "it repeats every day"));
    default:
        return refuse(
            QCoreApplication::translate("qv::IcsRule", "it repeats more often than daily"));
    }
}

QString ruleText(const QString& kind, int weekDay, int monthDay, int month) {
    if (kind == QLatin1String("w"))
        return QStringLiteral("FREQ=WEEKLY;BYDAY=") + QLatin1String(kRuleDays[weekDay - 1]);
    if (kind == QLatin1String("m"))
        return QStringLiteral("FREQ=MONTHLY;BYMONTHDAY=%1").arg(monthDay >= 31 ? -1 : monthDay);
    // February's last day changes with the year; any other month's is its length.
    const int length = QDate(2001, month, 1).daysInMonth();
    const int day = month == 2 && monthDay > length ? -1 : std::min(monthDay, length);
    return QStringLiteral("FREQ=YEARLY;BYMONTH=%1;BYMONTHDAY=%2").arg(month).arg(day);
}

QList<QDate> shortMonthDays(int monthDay, const QDate& first, const QDate& last) {
    QList<QDate> days;
    if (monthDay < 29 || monthDay > 30 || !first.isValid() || !last.isValid())
        return days;
    for (QDate month(first.year(), first.month(), 1); month <= last; month = month.addMonths(1)) {
        if (month.daysInMonth() >= monthDay)
            continue;
        const QDate end(month.year(), month.month(), month.daysInMonth());
        if (end >= first && end <= last)
            days.append(end);
    }
    return days;
}

} // namespace qv
