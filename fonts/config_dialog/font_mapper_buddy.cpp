#include "fonts/config_dialog/font_mapper_buddy.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>

namespace tarsil {

namespace {

constexpr int kImage = CFontMapperBuddy::kButtonSize - 4;

void PaintPage(QPainter& painter, const QRectF& page) {
    painter.setPen(QPen(QColor(70, 70, 70), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    for (qreal y = page.top() + 3; y < page.bottom() - 1; y += 3)
        painter.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
}

void PaintCross(QPainter& painter, const QPointF& centre, qreal half, const QColor& colour) {
    painter.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(-half, -half), centre + QPointF(half, half));
    painter.drawLine(centre + QPointF(-half, half), centre + QPointF(half, -half));
}

void PaintPlus(QPainter& painter, const QPointF& centre, qreal half, const QColor& colour) {
    painter.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(-half, 0), centre + QPointF(half, 0));
    painter.drawLine(centre + QPointF(0, -half), centre + QPointF(0, half));
}

}  // namespace

QPixmap PaintBuddyPicture(qreal ratio) {
    QPixmap picture(QSize(4 * kImage, kImage) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor green(30, 140, 50);
    const QColor red(190, 40, 40);
    const qreal s = kImage;
    // New entry: a page with a plus.
    PaintPage(painter, QRectF(2.5, 1.5, s * 0.55, s * 0.75));
    PaintPlus(painter, QPointF(s * 0.7, s * 0.7), s * 0.2, green);
    // Add missing fonts: a stack of pages with a plus.
    painter.translate(s, 0);
    PaintPage(painter, QRectF(4.5, 1.5, s * 0.5, s * 0.65));
    PaintPage(painter, QRectF(2.5, 3.5, s * 0.5, s * 0.65));
    PaintPlus(painter, QPointF(s * 0.72, s * 0.72), s * 0.2, green);
    // Delete current entry: a page with a cross.
    painter.translate(s, 0);
    PaintPage(painter, QRectF(2.5, 1.5, s * 0.55, s * 0.75));
    PaintCross(painter, QPointF(s * 0.7, s * 0.7), s * 0.16, red);
    // Delete all: a stack of pages with a cross.
    painter.translate(s, 0);
    PaintPage(painter, QRectF(4.5, 1.5, s * 0.5, s * 0.65));
    PaintPage(painter, QRectF(2.5, 3.5, s * 0.5, s * 0.65));
    PaintCross(painter, QPointF(s * 0.72, s * 0.72), s * 0.16, red);
    return picture;
}

CFontMapperBuddy::CFontMapperBuddy(QWidget* parent) : QWidget(parent) {
    const qreal ratio = devicePixelRatioF();
    const QPixmap picture = PaintBuddyPicture(ratio);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    layout->addStretch(1);
    for (int command = 0; command < 4; ++command) {
        auto* button = new QToolButton(this);
        const int side = static_cast<int>(kImage * ratio);
        QPixmap image = picture.copy(command * side, 0, side, side);
        image.setDevicePixelRatio(ratio);
        button->setIcon(QIcon(image));
        button->setIconSize(QSize(kImage, kImage));
        button->setFixedSize(kButtonSize, kButtonSize);
        button->setAutoRaise(true);
        button->setToolTip(QString::fromLatin1(kTooltips[command]));
        button->setObjectName(QString::fromLatin1(kTooltips[command]));
        connect(button, &QToolButton::clicked, this, [this, command] { emit commandRun(command); });
        layout->addWidget(button);
        buttons_[command] = button;
    }
    setFixedHeight(kButtonSize + 2);
}

void CFontMapperBuddy::paintEvent(QPaintEvent*) {
    // The caption bar the buttons stand on.
    QPainter painter(this);
    QLinearGradient bar(rect().topLeft(), rect().bottomLeft());
    bar.setColorAt(0, palette().color(QPalette::Midlight));
    bar.setColorAt(1, palette().color(QPalette::Mid));
    painter.fillRect(rect(), bar);
}

}  // namespace tarsil
