#include "toolkit/status_bar/pane_status_bar.h"

#include <QLabel>

namespace tarsil::toolkit {

CPaneStatusBar::CPaneStatusBar(const std::vector<int>& widths, QWidget* parent)
    : QStatusBar(parent) {
    setSizeGripEnabled(false);
    for (std::size_t i = 0; i < widths.size(); ++i) {
        auto* pane = new QLabel(this);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(widths[i]);
        const bool last = i + 1 == widths.size();
        addPermanentWidget(pane, last ? 1 : 0);
        panes_.push_back(pane);
    }
}

bool CPaneStatusBar::SetPaneText(int pane, const QString& text) {
    if (pane < 0 || pane >= PaneCount()) return false;
    QLabel* label = panes_[static_cast<std::size_t>(pane)];
    if (label->text() == text) return false;
    label->setText(text);
    return true;
}

QString CPaneStatusBar::PaneText(int pane) const {
    if (pane < 0 || pane >= PaneCount()) return {};
    return panes_[static_cast<std::size_t>(pane)]->text();
}

}  // namespace tarsil::toolkit
