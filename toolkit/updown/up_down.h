// An up-down control: two small arrow buttons that step the value of the
// edit beside them.  Like the desktop's control it reports a delta, -1 for
// the up arrow and +1 for the down arrow; the dialog decides the step.
#pragma once

#include <QWidget>

class QToolButton;

namespace tarsil::toolkit {

class CUpDown : public QWidget {
    Q_OBJECT

  public:
    explicit CUpDown(QWidget* parent = nullptr);
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

  signals:
    void DeltaPos(int delta);

  private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace tarsil::toolkit
