#pragma once

// The command strip of the font map grid: a caption bar with four image
// buttons at its right end.  A button is raised under the mouse, sunken
// while pressed, names its command in its tooltip, and runs it when
// pressed and released on it.
#include <QWidget>
#include <array>

class QToolButton;

namespace tarsil {

class CFontMapperBuddy : public QWidget {
    Q_OBJECT
  public:
    enum Command { kNewEntry = 0, kAddMissing = 1, kDeleteCurrent = 2, kDeleteAll = 3 };
    static constexpr int kButtonSize = 22;
    static constexpr std::array<const char*, 4> kTooltips{"New mapping entry", "Add missing fonts",
                                                          "Delete current entry", "Delete all"};

    explicit CFontMapperBuddy(QWidget* parent = nullptr);
    QToolButton* Button(int command) const { return buttons_[command]; }

  signals:
    void commandRun(int command);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::array<QToolButton*, 4> buttons_;
};

// The four button images side by side, in command order, each
// kButtonSize - 4 pixels square.
QPixmap PaintBuddyPicture(qreal ratio);

}  // namespace tarsil
