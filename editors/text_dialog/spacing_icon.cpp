#include "editors/text_dialog/spacing_icon.h"

#include <QPainter>
#include <QPixmap>

namespace tarsil::editors {

QIcon SpacingIcon() {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 3));
    for (int y : {7, 16, 25}) painter.drawLine(12, y, 29, y);
    painter.setPen(QPen(Qt::darkBlue, 2));
    painter.drawLine(5, 3, 5, 29);
    painter.setBrush(Qt::darkBlue);
    painter.drawPolygon(QPolygon({QPoint(1, 8), QPoint(5, 2), QPoint(9, 8)}));
    painter.drawPolygon(QPolygon({QPoint(1, 24), QPoint(5, 30), QPoint(9, 24)}));
    return QIcon(picture);
}

}  // namespace tarsil::editors
