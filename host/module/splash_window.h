#pragma once

#include <QFrame>
#include <QString>

namespace tarsil {

// The splash window: a frameless picture with the release line below it
// and the supplier's web address in a sunken line at the bottom.
class SplashWindow : public QFrame {
  public:
    SplashWindow(const QString& version_line, const QString& web_address);

    QString VersionLine() const;
    QString WebAddress() const;
};

// The splash picture, drawn rather than loaded so that it scales.
QPixmap PaintSplashPicture(const QSize& size);

}  // namespace tarsil
