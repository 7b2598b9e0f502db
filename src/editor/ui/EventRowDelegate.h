#pragma once

#include <QLocale>
#include <QStyledItemDelegate>

namespace qv {

class CalendarDocument;

// Draws one row of the event list from the document when the row is painted: the bold title,
// the content, and the italic repeat and time part, on the list's normal or highlight colours.
class EventRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    EventRowDelegate(const CalendarDocument& document, QObject* parent = nullptr);

    // Three times the height of "Xy" in the font, plus 3 pixels.
    static int rowHeight(const QFont& font);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const CalendarDocument& m_document;
    QLocale m_locale = QLocale::system();
};

} // namespace qv
