#include "host/module/splash_window.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace tarsil {

namespace {

constexpr char kVersionName[] = "splashVersion";
constexpr char kAddressName[] = "splashAddress";
const QSize kPictureSize(372, 120);

}  // namespace

QPixmap PaintSplashPicture(const QSize& size) {
    QPixmap picture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0.0, QColor(18, 52, 96));
    sky.setColorAt(1.0, QColor(48, 120, 168));
    painter.fillRect(picture.rect(), sky);

    // A drafting grid and a text baseline running right to left.
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int x = 0; x < size.width(); x += 12) painter.drawLine(x, 0, x, size.height());
    for (int y = 0; y < size.height(); y += 12) painter.drawLine(0, y, size.width(), y);
    painter.setPen(QPen(QColor(250, 200, 80), 3));
    const int baseline = size.height() * 3 / 4;
    painter.drawLine(size.width() / 8, baseline, size.width() * 7 / 8, baseline);
    painter.drawLine(size.width() / 8, baseline - 8, size.width() / 8, baseline + 8);

    QFont title = painter.font();
    title.setPointSize(28);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size.width(), baseline), Qt::AlignCenter,
                     QStringLiteral("Tarsil"));
    return picture;
}

SplashWindow::SplashWindow(const QString& version_line, const QString& web_address)
    : QFrame(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TarsilSplash"));
    setFrameShape(QFrame::Box);

    auto* picture = new QLabel(this);
    picture->setPixmap(PaintSplashPicture(kPictureSize));
    picture->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(version_line, this);
    version->setObjectName(kVersionName);
    version->setAlignment(Qt::AlignCenter);

    auto* address = new QLabel(web_address, this);
    address->setObjectName(kAddressName);
    address->setAlignment(Qt::AlignCenter);
    address->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(version);
    layout->addWidget(address);
}

QString SplashWindow::VersionLine() const {
    return findChild<QLabel*>(kVersionName)->text();
}

QString SplashWindow::WebAddress() const {
    return findChild<QLabel*>(kAddressName)->text();
}

}  // namespace tarsil
