#include "editor/EventEditorRules.h"

#include <QCoreApplication>
#include <QStringList>

namespace qv {

namespace {
const char* const kWeekDays[7] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
const char* const kKinds[4] = {"o", "w", "m", "y"};

QString twoDigits(int number) {
    return QString::number(number).rightJustified(2, QLatin1Char('0'));
}

// A stored number as a list position, -1 when it is unreadable or outside 1..count.
int numberPosition(const QString& stored, int count) {
    bool ok = false;
    const int number = stored.trimmed().toInt(&ok, 10);
    if (!ok)
        return 0; // as the value 1
    return number >= 1 && number <= count ? number - 1 : -1;
}
} // namespace

NewEventFormatting plainNewEventFormatting() {
    return {};
}

void CopyTTitleRec(const TTitleRec& source, TTitleRec& target) {
    target = source;
}

void copyFormatting(const TTitleRec& source, TTitleRec& target) {
    target.Bold = source.Bold;
    target.Italic = source.Italic;
    target.Underline = source.Underline;
    target.Color = source.Color;
}

int eventTypeOfKind(const QString& repeatKind) {
    for (int i = 1; i < 4; ++i)
        if (repeatKind == QLatin1String(kKinds[i]))
            return i;
    return 0;
}

QString kindOfEventType(int eventType) {
    return QLatin1String(kKinds[eventType >= 0 && eventType < 4 ? eventType : 0]);
}

QString weekDayCode(int position) {
    return QLatin1String(kWeekDays[position >= 0 && position < 7 ? position : 0]);
}

QString monthDayCode(int position) {
    return twoDigits(position + 1);
}

QString monthCode(int position) {
    return twoDigits(position + 1);
}

int weekDayPosition(const QString& stored) {
    for (int i = 0; i < 7; ++i)
        if (stored == QLatin1String(kWeekDays[i]))
            return i;
    return 0;
}

int monthDayPosition(const QString& stored) {
    return numberPosition(stored, 31);
}

int monthPosition(const QString& stored) {
    return numberPosition(stored, 12);
}

EventFields fieldsOfEvent(const TEventRec& event) {
    EventFields f;
    f.title = event.Title.Text;
    f.content = event.Content.Text;
    f.icon = event.Icon;
    f.eventType = eventTypeOfKind(event.RepeatKind);
    f.wholeDay = event.WholeDay;
    f.startDate = event.StartTime.date();
    f.startTime = event.StartTime.time();
    f.endDate = event.EndTime.date();
    f.endTime = event.EndTime.time();
    f.weekDay = weekDayPosition(event.WeekDay);
    f.monthDay = monthDayPosition(event.MonthDay);
    f.month = monthPosition(event.Month);
    f.category = event.Category;
    return f;
}

QDateTime tomorrowStart(const QDateTime& now) {
    return QDateTime(now.date().addDays(1), QTime(9, 0), now.timeSpec());
}

QDateTime tomorrowEnd(const QDateTime& now) {
    return QDateTime(now.date().addDays(1), QTime(17, 0), now.timeSpec());
}

void resetToOccursOnce(EventFields& fields, const QDateTime& now) {
    const QDateTime start = tomorrowStart(now);
    const QDateTime end = tomorrowEnd(now);
    fields.startDate = start.date();
    fields.startTime = start.time();
    fields.endDate = end.date();
    fields.endTime = end.time();
}

bool moveEndDateForRepeat(EventFields& fields) {
    const bool repeats =
        fields.eventType >= int(EventType::Weekly) && fields.eventType <= int(EventType::Yearly);
    if (!repeats || !fields.startDate.isValid() ||
        (fields.endDate.isValid() && fields.endDate > fields.startDate))
        return false;
    fields.endDate = fields.startDate.addYears(1);
    return true;
}

EventFields newEventFields(const QDateTime& now) {
    EventFields f;
    f.title = QCoreApplication::translate("qv::EventEditorRules", "New event - please edit");
    f.content =
        QCoreApplication::translate("qv::EventEditorRules", "New event content - please edit");
    f.icon = QStringLiteral("star");
    f.eventType = int(EventType::Once);
    f.wholeDay = false;
    resetToOccursOnce(f, now);
    f.weekDay = 0;
    f.monthDay = 0;
    f.month = 0;
    return f;
}

QString cleanIconText(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    const auto blank = [](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

void storeFields(const EventFields& fields, const TTitleRec& titleFormat,
                 const TTitleRec& contentFormat, TEventRec& event) {
    event.WholeDay = fields.wholeDay;
    event.RepeatKind = kindOfEventType(fields.eventType);
    event.StartTime = QDateTime(fields.startDate, fields.startTime);
    event.EndTime = QDateTime(fields.endDate, fields.endTime);
    event.Title.Text = fields.title;
    copyFormatting(titleFormat, event.Title);
    event.Content.Text = fields.content;
    copyFormatting(contentFormat, event.Content);
    event.Icon = cleanIconText(fields.icon);
    event.WeekDay = weekDayCode(fields.weekDay);
    if (fields.monthDay >= 0)
        event.MonthDay = monthDayCode(fields.monthDay);
    if (fields.month >= 0)
        event.Month = monthCode(fields.month);
    event.Category = fields.category;
}

EventPanelLook eventPanelLook(bool editing, bool adding, int listedRows) {
    EventPanelLook look;
    look.panelVisible = listedRows > 0 || adding;
    look.editDeleteEnabled = listedRows > 0;
    look.panelEnabled = editing;
    look.editControlsVisible = editing;
    look.addButtonVisible = !editing;
    look.editDeleteButtonsVisible = !editing;
    return look;
}

} // namespace qv
