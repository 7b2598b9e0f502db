// A list of categories in a drop-down list, each with its colour beside its name.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>

class QComboBox;

namespace qv {

struct TCategoryRec;

// Replaces the entries of box by captions, whose last entries are the names of categories (each
// drawn with its colour), and selects the entry at index; the box's signals stay quiet.
void fillCategoryList(QComboBox* box, const QStringList& captions,
                      const QList<TCategoryRec>& categories, int index);

} // namespace qv
