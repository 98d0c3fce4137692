// A status bar of text panes, the last one taking the rest of the width.
// A pane is written only when its text changes, so that a refresh run on
// every idle tick does not repaint the bar.
#pragma once

#include <QStatusBar>
#include <vector>

class QLabel;

namespace tarsil::toolkit {

class CPaneStatusBar : public QStatusBar {
    Q_OBJECT

  public:
    // Panes of at least the given widths in pixels (0: as wide as the text).
    explicit CPaneStatusBar(const std::vector<int>& widths, QWidget* parent = nullptr);

    int PaneCount() const { return static_cast<int>(panes_.size()); }
    // True when the pane's text changed; false for the same text or a pane
    // that does not exist.
    bool SetPaneText(int pane, const QString& text);
    QString PaneText(int pane) const;

  private:
    std::vector<QLabel*> panes_;
};

}  // namespace tarsil::toolkit
