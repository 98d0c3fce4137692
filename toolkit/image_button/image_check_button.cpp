#include "toolkit/image_button/image_check_button.h"

#include <QPixmap>
#include <QSignalBlocker>

namespace tarsil::toolkit {

namespace {

// Images are drawn for 16 by 16 pixels; the button keeps them at that size
// so that they are not blurred by scaling.
void SetImage(QToolButton* button, const QPixmap& image) {
    button->setIcon(QIcon(image));
    button->setIconSize(image.isNull() ? QSize(16, 16) : image.size());
}

}  // namespace

CImageCheckButton::CImageCheckButton(const QPixmap& image, const QString& tooltip, QWidget* parent)
    : QToolButton(parent) {
    setCheckable(true);
    SetImage(this, image);
    setToolTip(tooltip);
    setAccessibleName(tooltip);
    setFocusPolicy(Qt::TabFocus);
}

void CImageCheckButton::SetPressed(bool pressed) {
    const QSignalBlocker quiet(this);
    setChecked(pressed);
}

QToolButton* CreateImagePushButton(const QPixmap& image, const QString& caption,
                                   const QString& tooltip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    SetImage(button, image);
    button->setText(caption);
    button->setToolTip(tooltip);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

}  // namespace tarsil::toolkit
