// A check button that shows an image instead of a caption, and says what
// it does in its tooltip.  A click toggles it and emits clicked(pressed);
// the owner may set the state itself (SetPressed), which emits nothing, so
// that a group can show exactly one button pressed after every action.
#pragma once

#include <QToolButton>

class QPixmap;

namespace tarsil::toolkit {

class CImageCheckButton : public QToolButton {
    Q_OBJECT

  public:
    CImageCheckButton(const QPixmap& image, const QString& tooltip, QWidget* parent = nullptr);

    void SetPressed(bool pressed);
    bool IsPressed() const { return isChecked(); }
};

// A push button with an image beside its caption ("&Insertion Point").
QToolButton* CreateImagePushButton(const QPixmap& image, const QString& caption,
                                   const QString& tooltip, QWidget* parent);

}  // namespace tarsil::toolkit
