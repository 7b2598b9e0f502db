// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ui/CategoryList.h"

#include "document/CalendarDocument.h"
#include "editor/ui/ColorMenuPicture.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace qv {

void fillCategoryList(QComboBox* box, const QStringList& captions,
                      const QList<TCategoryRec>& categories, int index) {
    const QSignalBlocker quiet(box);
    box->clear();
    const qsizetype plain = captions.size() - categories.size();
    for (qsizetype i = 0; i < captions.size(); ++i) {
        if (i < plain)
            box->addItem(captions[i]);
        else
            box->addItem(colorMenuPicture(categories[i - plain].Color), captions[i]);
    }
    box->setCurrentIndex(index);
}

} // namespace qv
