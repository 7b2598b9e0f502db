#include "editor/ui/CommandPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qv {

namespace {

QColor tileColor(Picture p) {
    switch (p) {
    case Picture::Open:
    case Picture::Save:
    case Picture::New:
        return QColor(0x2F, 0x6F, 0xB5);
    case Picture::PreviewInBrowser:
    case Picture::Refresh:
    case Picture::Publish:
        return QColor(0x2E, 0x8B, 0x57);
    case Picture::Layout:
    case Picture::Full:
    case Picture::Left:
    case Picture::Right:
    case Picture::Center:
        return QColor(0x6A, 0x4C, 0x9C);
    case Picture::AddEvent:
    case Picture::EditEvent:
        return QColor(0xD9, 0x7A, 0x1E);
    case Picture::DeleteEvent:
        return QColor(0xC0, 0x39, 0x2B);
    case Picture::About:
        return QColor(0x55, 0x6B, 0x7D);
    }
    return Qt::gray;
}

// Symbols are drawn on a 24 by 24 grid.
void drawCalendar(QPainter& g) {
    g.drawRoundedRect(QRectF(5, 6, 14, 13), 1.5, 1.5);
    g.drawLine(QPointF(5, 10), QPointF(19, 10));
    g.drawLine(QPointF(9, 4), QPointF(9, 7));
    g.drawLine(QPointF(15, 4), QPointF(15, 7));
}

void drawLayoutFrame(QPainter& g, QRectF filled) {
    g.drawRect(QRectF(4.5, 6.5, 15, 11));
    g.save();
    g.setBrush(Qt::white);
    g.drawRect(filled);
    g.restore();
}

void drawSymbol(QPainter& g, Picture p) {
    switch (p) {
    case Picture::Open: {
        QPainterPath folder;
        folder.moveTo(4, 8);
        folder.lineTo(9, 8);
        folder.lineTo(11, 10);
        folder.lineTo(20, 10);
        folder.lineTo(18, 18);
        folder.lineTo(4, 18);
        folder.closeSubpath();
        g.drawPath(folder);
        break;
    }
    case Picture::Save:
        g.drawRect(QRectF(5, 5, 14, 14));
        g.drawRect(QRectF(8, 5, 8, 5));
        g.drawRect(QRectF(8, 13, 8, 6));
        break;
    case Picture::PreviewInBrowser:
        g.drawEllipse(QPointF(12, 12), 7, 7);
        g.drawEllipse(QPointF(12, 12), 3, 7);
        g.drawLine(QPointF(5, 12), QPointF(19, 12));
        break;
    case Picture::Refresh: {
        g.drawArc(QRectF(5, 5, 14, 14), 30 * 16, 300 * 16);
        QPainterPath head;
        head.moveTo(19, 4);
        head.lineTo(19, 10);
        head.lineTo(13.5, 8.5);
        g.drawPath(head);
        break;
    }
    case Picture::Layout:
        g.drawRect(QRectF(5, 5, 14, 14));
        g.drawLine(QPointF(12, 5), QPointF(12, 19));
        g.drawLine(QPointF(5, 12), QPointF(19, 12));
        break;
    case Picture::About:
        g.drawEllipse(QPointF(12, 12), 7.5, 7.5);
        g.drawLine(QPointF(12, 11), QPointF(12, 16));
        g.drawPoint(QPointF(12, 8));
        break;
    case Picture::Full:
        drawLayoutFrame(g, QRectF(6.5, 8.5, 11, 7));
        break;
    case Picture::Left:
        drawLayoutFrame(g, QRectF(6.5, 8.5, 5, 7));
        break;
    case Picture::Right:
        drawLayoutFrame(g, QRectF(12.5, 8.5, 5, 7));
        break;
    case Picture::Center:
        drawLayoutFrame(g, QRectF(9.5, 8.5, 5, 7));
        break;
    case Picture::New:
        g.drawRect(QRectF(6, 4, 11, 15));
        g.drawLine(QPointF(11.5, 8), QPointF(11.5, 15));
        g.drawLine(QPointF(8, 11.5), QPointF(15, 11.5));
        break;
    case Picture::Publish:
        g.drawLine(QPointF(12, 5), QPointF(12, 15));
        g.drawLine(QPointF(8, 9), QPointF(12, 5));
        g.drawLine(QPointF(16, 9), QPointF(12, 5));
        g.drawLine(QPointF(5, 19), QPointF(19, 19));
        break;
    case Picture::AddEvent:
        drawCalendar(g);
        g.drawLine(QPointF(12, 12), QPointF(12, 17));
        g.drawLine(QPointF(9.5, 14.5), QPointF(14.5, 14.5));
        break;
    case Picture::DeleteEvent:
        drawCalendar(g);
        g.drawLine(QPointF(10, 12.5), QPointF(14, 16.5));
        g.drawLine(QPointF(14, 12.5), QPointF(10, 16.5));
        break;
    case Picture::EditEvent:
        drawCalendar(g);
        g.drawLine(QPointF(9, 17), QPointF(15, 12));
        break;
    }
}

} // namespace

QPixmap commandPixmap(Picture picture, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter g(&pixmap);
    g.setRenderHint(QPainter::Antialiasing);
    g.scale(size / 24.0, size / 24.0);
    g.setPen(Qt::NoPen);
    g.setBrush(tileColor(picture));
    g.drawRoundedRect(QRectF(1, 1, 22, 22), 5, 5);
    QPen pen(Qt::white, size <= 16 ? 2.0 : 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    g.setPen(pen);
    g.setBrush(Qt::NoBrush);
    drawSymbol(g, picture);
    return pixmap;
}

QIcon commandPicture(Picture picture) {
    QIcon icon;
    icon.addPixmap(commandPixmap(picture, 16));
    icon.addPixmap(commandPixmap(picture, 48));
    return icon;
}

} // namespace qv
