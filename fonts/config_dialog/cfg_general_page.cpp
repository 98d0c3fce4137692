#include "fonts/config_dialog/cfg_general_page.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace tarsil {

namespace {

// A sheet of drawing paper with a line of Hebrew text set right to left
// above the name, drawn rather than loaded so that it scales.
QPixmap PaintGeneralPicture(const QSize& size, qreal ratio) {
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(4, 4, -4, -4);
    painter.setPen(QPen(QColor(40, 70, 120), 2));
    painter.setBrush(QColor(236, 243, 252));
    painter.drawRoundedRect(sheet, 8, 8);

    painter.setPen(QPen(QColor(150, 175, 210), 1, Qt::DotLine));
    for (qreal x = sheet.left() + 16; x < sheet.right(); x += 16)
        painter.drawLine(QPointF(x, sheet.top() + 4), QPointF(x, sheet.bottom() - 4));
    for (qreal y = sheet.top() + 16; y < sheet.bottom(); y += 16)
        painter.drawLine(QPointF(sheet.left() + 4, y), QPointF(sheet.right() - 4, y));

    QFont hebrew = painter.font();
    hebrew.setPixelSize(static_cast<int>(size.height() * 0.28));
    hebrew.setBold(true);
    painter.setFont(hebrew);
    painter.setPen(QColor(20, 50, 110));
    QTextOption right_to_left(Qt::AlignCenter);
    right_to_left.setTextDirection(Qt::RightToLeft);
    const QRectF upper(sheet.left(), sheet.top(), sheet.width(), sheet.height() * 0.55);
    painter.drawText(upper, QStringLiteral("\u05EA\u05E8\u05E9\u05D9\u05DC"), right_to_left);

    QFont name = hebrew;
    name.setPixelSize(static_cast<int>(size.height() * 0.18));
    painter.setFont(name);
    painter.setPen(QColor(60, 60, 60));
    const QRectF lower(sheet.left(), upper.bottom(), sheet.width(), sheet.height() * 0.4);
    painter.drawText(lower, Qt::AlignCenter, QStringLiteral("Tarsil2"));
    return picture;
}

}  // namespace

QString VersionLine(const QString& file_version) {
    return QStringLiteral("Version ") +
           QString(file_version).replace(QLatin1Char(','), QLatin1Char('.'));
}

CPpCfgGeneral::CPpCfgGeneral(const QString& file_version, QWidget* parent)
    : CfgPropertyPage(QStringLiteral("General"), parent), version_(new QLabel(this)) {
    setObjectName(QStringLiteral("General"));
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("GeneralPicture"));
    picture->setPixmap(PaintGeneralPicture(QSize(280, 120), devicePixelRatioF()));
    picture->setAlignment(Qt::AlignCenter);
    version_->setObjectName(QStringLiteral("GeneralVersion"));
    version_->setText(VersionLine(file_version));
    version_->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(picture);
    layout->addWidget(version_);
    layout->addStretch(1);
}

QString CPpCfgGeneral::VersionText() const {
    return version_->text();
}

}  // namespace tarsil
