// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/CategoryFilter.h"

#include "document/Categories.h"

#include <QCoreApplication>

namespace qv {

namespace {

QStringList namesAfter(const QStringList& first, const QList<TCategoryRec>& categories) {
    QStringList captions = first;
    for (const TCategoryRec& category : categories)
        captions.append(category.Name);
    return captions;
}

} // namespace

bool passesCategoryFilter(const TEventRec& event, const CategoryFilter& filter,
                          const QList<TCategoryRec>& categories) {
    switch (filter.kind) {
    case CategoryFilter::Without:
        return categoryOf(event, categories) == nullptr;
    case CategoryFilter::One:
        return event.Category == filter.id;
    case CategoryFilter::All:
        break;
    }
    return true;
}

QStringList categoryFilterCaptions(const QList<TCategoryRec>& categories) {
    return namesAfter({QCoreApplication::translate("CategoryFilter", "All categories"),
                       QCoreApplication::translate("CategoryFilter", "Without category")},
                      categories);
}

CategoryFilter categoryFilterAt(int index, const QList<TCategoryRec>& categories) {
    if (index == 1)
        return {CategoryFilter::Without, {}};
    if (index >= 2 && index - 2 < categories.size())
        return {CategoryFilter::One, categories[index - 2].Id};
    return {};
}

int categoryFilterIndex(const CategoryFilter& filter, const QList<TCategoryRec>& categories) {
    if (filter.kind == CategoryFilter::Without)
        return 1;
    if (filter.kind == CategoryFilter::One) {
        const int index = categoryIndexOfId(categories, filter.id);
        return index < 0 ? 0 : index + 2;
    }
    return 0;
}

QStringList categoryChoiceCaptions(const QList<TCategoryRec>& categories) {
    return namesAfter({QCoreApplication::translate("CategoryFilter", "(none)")}, categories);
}

int categoryChoiceIndex(const QString& id, const QList<TCategoryRec>& categories) {
    return id.isEmpty() ? 0 : categoryIndexOfId(categories, id) + 1;
}

QString categoryChoiceId(int index, const QList<TCategoryRec>& categories) {
    return index >= 1 && index - 1 < categories.size() ? categories[index - 1].Id : QString();
}

} // namespace qv
