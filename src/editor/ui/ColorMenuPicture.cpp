#include "editor/ui/ColorMenuPicture.h"

#include "editor/OptionsRules.h"

#include <QPainter>
#include <QPixmap>

namespace qv {

QIcon colorMenuPicture(ColorValue color) {
    const ColorValue fill = colorPictureFill(color);
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(int(fill & 0xFF), int((fill >> 8) & 0xFF), int((fill >> 16) & 0xFF)));
    painter.drawRect(0, 0, 15, 15);
    painter.end();
    return QIcon(picture);
}

} // namespace qv
