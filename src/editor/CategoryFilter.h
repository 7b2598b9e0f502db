// The event list's filter by category and the category chooser of the event editor: what their
// lists offer and what each entry stands for.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/CalendarDocument.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace qv {

// Which events the list shows by their category.
struct CategoryFilter {
    enum Kind {
        All = 0, // every event
        Without, // events that show no category (none, or an id that names none)
        One,     // the events of the category with id
    };
    Kind kind = All;
    QString id;

    bool operator==(const CategoryFilter&) const = default;
};

bool passesCategoryFilter(const TEventRec& event, const CategoryFilter& filter,
                          const QList<TCategoryRec>& categories);

// The entries of the filter list: "All categories", "Without category", then every category's
// name in list order.
QStringList categoryFilterCaptions(const QList<TCategoryRec>& categories);
// The filter of the entry at index; an index outside the list is "All categories".
CategoryFilter categoryFilterAt(int index, const QList<TCategoryRec>& categories);
// The entry that shows filter after the category list changed: a renamed or moved category keeps
// its filter, a removed one's filter becomes "All categories".
int categoryFilterIndex(const CategoryFilter& filter, const QList<TCategoryRec>& categories);

// The entries of the event editor's chooser: "(none)", then every category's name in list order.
QStringList categoryChoiceCaptions(const QList<TCategoryRec>& categories);
// The entry that shows an event's category id: "(none)" (0) also for an id that names none.
int categoryChoiceIndex(const QString& id, const QList<TCategoryRec>& categories);
// The category id of the entry at index; empty for "(none)" and indexes outside the list.
QString categoryChoiceId(int index, const QList<TCategoryRec>& categories);

} // namespace qv
