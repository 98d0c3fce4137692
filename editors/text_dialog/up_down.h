// A pair of arrow buttons beside a field, reporting each click the way an
// up-down control does: a delta of -1 for the upper arrow, +1 for the lower.
#pragma once

#include <QWidget>

class QToolButton;

namespace tarsil::editors {

class CUpDown : public QWidget {
    Q_OBJECT

  public:
    explicit CUpDown(QWidget* parent = nullptr);
    QToolButton* UpArrow() const { return up_; }
    QToolButton* DownArrow() const { return down_; }

  signals:
    void Delta(int delta);

  private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace tarsil::editors
