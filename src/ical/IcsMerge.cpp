#include "ical/IcsImport.h"

#include "document/Categories.h"
#include "editor/EventOccurrence.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace qv {

namespace {

// The imported event with the formatting and icon the user gave the event it replaces.
TEventRec keepingLook(TEventRec imported, const TEventRec& old) {
    const auto keepFormat = [](TTitleRec& into, const TTitleRec& from) {
        const QString text = into.Text;
        into = from;
        into.Text = text;
    };
    keepFormat(imported.Title, old.Title);
    keepFormat(imported.Content, old.Content);
    imported.Icon = old.Icon;
    if (imported.Category.isEmpty())
        imported.Category = old.Category;
    return imported;
}

// Turns the category names of imported events into the ids of the calendar's categories, making
// the ones it lacks; without a category list, imported events get none.
class CategoryNames {
public:
    CategoryNames(QList<TCategoryRec>* categories, IcsImportSummary& summary)
        : categories_(categories), summary_(summary) {}

    void toId(TEventRec& event) {
        const QString name = cleanCategoryName(event.Category);
        event.Category.clear();
        if (!categories_ || name.isEmpty())
            return;
        int index = categoryIndexOfName(*categories_, name);
        if (index < 0) {
            index = appendCategory(*categories_, name);
            ++summary_.newCategories;
        }
        event.Category = (*categories_)[index].Id;
    }

private:
    QList<TCategoryRec>* categories_;
    IcsImportSummary& summary_;
};

// Whether two events say the same: the same texts, times of day and end, on the same days over
// four years from the earlier start (a leap year among them). An export writes a repeating event
// from the first day it takes place, which its import then starts on; the event in the calendar
// may start earlier and name its day another way ("TUE", the 31st of April) and is no other.
bool sameOccurrences(const TEventRec& a, const TEventRec& b) {
    if (a == b)
        return true;
    if (a.Title != b.Title || a.Content != b.Content || a.Icon != b.Icon ||
        a.Category != b.Category || a.WholeDay != b.WholeDay || a.RepeatKind != b.RepeatKind ||
        a.Uid != b.Uid || a.EndTime != b.EndTime || a.StartTime.time() != b.StartTime.time())
        return false;
    const QDate from = std::min(a.StartTime.date(), b.StartTime.date());
    const QDate to = from.addYears(4);
    return occurrenceDays(a, from, to) == occurrenceDays(b, from, to);
}

} // namespace

QString IcsImportSummary::text() const {
    QString line = QCoreApplication::translate(
                       "qv::IcsMerge", "%1 events added, %2 updated, %3 removed, %4 simplified")
                       .arg(added)
                       .arg(updated)
                       .arg(removed)
                       .arg(simplified);
    if (newCategories > 0)
        line += QCoreApplication::translate("qv::IcsMerge", ", %n new categories", nullptr,
                                            newCategories);
    line += u'.';
    for (const QString& reason : reasons)
        line += u'\n' + reason;
    return line;
}

namespace {

IcsImportSummary merge(QList<TEventRec>& events, QList<TCategoryRec>* categories,
                       const IcsReadResult& read) {
    IcsImportSummary summary;
    CategoryNames names(categories, summary);
    QHash<QString, const IcsEntry*> byUid;
    for (const IcsEntry& entry : read.entries) {
        byUid.insert(entry.uid, &entry);
        if (!entry.simplifiedBecause.isEmpty()) {
            ++summary.simplified;
            summary.reasons.append(
                QCoreApplication::translate("qv::IcsMerge", "\"%1\" was simplified: %2.")
                    .arg(entry.title, entry.simplifiedBecause));
        }
    }
    summary.reasons += read.notes;

    // New events look like the calendar's first event, without its icon and category.
    TEventRec look;
    if (!events.isEmpty())
        look = events.constFirst();
    look.Icon.clear();
    look.Category.clear();

    QList<TEventRec> merged;
    merged.reserve(events.size() + read.entries.size());
    QHash<QString, QList<const TEventRec*>> oldByUid;
    for (const TEventRec& event : std::as_const(events))
        if (!event.Uid.isEmpty() && byUid.contains(event.Uid))
            oldByUid[event.Uid].append(&event);
    QSet<QString> done;
    for (const TEventRec& event : std::as_const(events)) {
        const auto found = event.Uid.isEmpty() ? byUid.constEnd() : byUid.constFind(event.Uid);
        if (found == byUid.constEnd()) {
            merged.append(event);
            continue;
        }
        if (done.contains(event.Uid))
            continue;
        done.insert(event.Uid);
        const IcsEntry& entry = **found;
        const QList<const TEventRec*>& old = oldByUid[event.Uid];
        if (entry.cancelled) {
            summary.removed += int(old.size());
            continue;
        }
        for (qsizetype i = 0; i < entry.events.size(); ++i) {
            TEventRec imported = entry.events[i];
            imported.Uid = entry.uid;
            names.toId(imported);
            if (i < old.size()) {
                imported = keepingLook(imported, *old[i]);
                if (sameOccurrences(imported, *old[i]))
                    imported = *old[i];
                else
                    ++summary.updated;
            } else {
                imported = keepingLook(imported, look);
                ++summary.added;
            }
            merged.append(imported);
        }
        if (old.size() > entry.events.size())
            summary.removed += int(old.size() - entry.events.size());
    }
    for (const IcsEntry& entry : read.entries) {
        if (entry.cancelled || done.contains(entry.uid))
            continue;
        done.insert(entry.uid);
        for (TEventRec imported : entry.events) {
            imported.Uid = entry.uid;
            names.toId(imported);
            merged.append(keepingLook(imported, look));
            ++summary.added;
        }
    }
    events = std::move(merged);
    return summary;
}

} // namespace

IcsImportSummary mergeIcsEntries(QList<TEventRec>& events, QList<TCategoryRec>& categories,
                                 const IcsReadResult& read) {
    return merge(events, &categories, read);
}

IcsImportSummary mergeIcsEntries(QList<TEventRec>& events, const IcsReadResult& read) {
    return merge(events, nullptr, read);
}

} // namespace qv
