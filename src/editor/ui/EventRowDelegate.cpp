#include "editor/ui/EventRowDelegate.h"

#include "document/CalendarDocument.h"
#include "editor/EventListModel.h"
#include "editor/EventRowText.h"
#include "editor/ui/ColorMenuPicture.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace qv {

EventRowDelegate::EventRowDelegate(const CalendarDocument& document, QObject* parent)
    : QStyledItemDelegate(parent), m_document(document) {}

int EventRowDelegate::rowHeight(const QFont& font) {
    return 3 * QFontMetrics(font).height() + 3;
}

QSize EventRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), rowHeight(option.font)};
}

void EventRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const int position = index.data(EventListModel::PositionRole).toInt();
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? palette.color(QPalette::HighlightedText)
                             : palette.color(QPalette::Text));
    if (position >= 0 && position < m_document.Events.size()) {
        const EventRowLines lines =
            eventRowLines(m_document.Events[position], m_locale, m_document.Categories);
        const int h = QFontMetrics(option.font).height();
        const QRect r = option.rect;
        const auto draw = [&](int x, int line, const QString& text, bool bold, bool italic,
                              int right = 0) {
            QFont font = option.font;
            font.setBold(bold);
            font.setItalic(italic);
            painter->setFont(font);
            const QRect box(r.left() + x, r.top() + 1 + line * h, r.width() - x - right, h);
            painter->drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                              QFontMetrics(font).elidedText(text, Qt::ElideRight, box.width()));
        };
        int besideTitle = 0;
        if (!lines.category.isEmpty()) {
            // The category's swatch and name at the right of the title line.
            painter->setFont(option.font);
            const QFontMetrics metrics(option.font);
            const QString name =
                metrics.elidedText(lines.category, Qt::ElideRight, std::max(h, r.width() / 3));
            const int nameWidth = metrics.horizontalAdvance(name) + 1;
            const QRect nameBox(r.right() - 3 - nameWidth, r.top() + 1, nameWidth, h);
            painter->drawText(nameBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
            const int side = std::max(4, h - 6);
            const QRect swatch(nameBox.left() - 4 - side, r.top() + 1 + (h - side) / 2, side, side);
            painter->drawPixmap(swatch, colorMenuPicture(lines.categoryColor).pixmap(16, 16));
            besideTitle = r.right() - swatch.left() + 6;
        }
        draw(3, 0, lines.title, true, false, besideTitle);
        draw(7, 1, lines.content, false, false);
        draw(7, 2, lines.repeat, false, true);
    }
    painter->restore();
}

} // namespace qv
