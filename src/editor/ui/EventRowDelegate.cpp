#include "editor/ui/EventRowDelegate.h"

#include "document/CalendarDocument.h"
#include "editor/EventListModel.h"
#include "editor/EventRowText.h"

#include <QFontMetrics>
#include <QPainter>

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
        const EventRowLines lines = eventRowLines(m_document.Events[position], m_locale);
        const int h = QFontMetrics(option.font).height();
        const QRect r = option.rect;
        const auto draw = [&](int x, int line, const QString& text, bool bold, bool italic) {
            QFont font = option.font;
            font.setBold(bold);
            font.setItalic(italic);
            painter->setFont(font);
            const QRect box(r.left() + x, r.top() + 1 + line * h, r.width() - x, h);
            painter->drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                              QFontMetrics(font).elidedText(text, Qt::ElideRight, box.width()));
        };
        draw(3, 0, lines.title, true, false);
        draw(7, 1, lines.content, false, false);
        draw(7, 2, lines.repeat, false, true);
    }
    painter->restore();
}

} // namespace qv
