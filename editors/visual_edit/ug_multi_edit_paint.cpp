// Painting, caret, mouse and scrolling of the visual edit control.
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "editors/visual_edit/draw_visual_text.h"
#include "editors/visual_edit/input_language_port.h"
#include "editors/visual_edit/ug_multi_edit.h"

namespace tarsil {

using namespace visual;

namespace {

constexpr int kMargin = 2;

// The caret: a bar one line high with a short flag at its top.  The flag
// points right (bar at the left of the cell) for English and left (bar at
// the right) for Hebrew, so the user sees which language the next key types.
void PaintCaret(QPainter& painter, double x, int top, int height, int cellWidth, bool hebrew,
                const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int bar = static_cast<int>(std::lround(x));
    painter.fillRect(QRect(bar - 1, top, 2, height), color);
    const int flag = std::max(4, cellWidth * 2 / 3);
    QPainterPath path;
    path.moveTo(bar, top);
    path.lineTo(hebrew ? bar - flag : bar + flag, top);
    path.lineTo(bar, top + flag);
    path.closeSubpath();
    painter.fillPath(path, color);
    painter.restore();
}

}  // namespace

int CUGMultiEdit::LineHeight() const {
    return std::max(1, QFontMetrics(font()).height());
}

QSize CUGMultiEdit::sizeHint() const {
    return {200, LineHeight() * (singleLine_ ? 1 : 4) + 2 * kMargin};
}

QRect CUGMultiEdit::TextArea() const {
    QRect area = rect().adjusted(kMargin, 0, -kMargin, 0);
    if (scrollBar_->isVisible()) area.setRight(area.right() - scrollBar_->width());
    return area;
}

std::vector<double> CUGMultiEdit::RowEdges(int displayRow) const {
    const QRect area = TextArea();
    const QFontMetricsF metrics(font());
    const std::wstring_view line = model_.VisualLine(VisualLineOf(displayRow));
    const bool ltr = direction_ == 0;
    const double origin = LineOrigin(LineWidth(metrics, line), area.left(), area.right() + 1,
                                     alignment_ == 2 ? kDrawRight : 0, ltr);
    return CharacterEdges(metrics, line, origin, ltr);
}

QPoint CUGMultiEdit::PosFromChar(int index) const {
    const LinePosition at = model_.PositionOf(static_cast<std::size_t>(std::max(index, 0)));
    const int row = DisplayRowOf(at.line);
    const std::vector<double> edges = RowEdges(row);
    return {static_cast<int>(std::lround(edges[static_cast<std::size_t>(at.column)])),
            (row - firstLine_) * LineHeight()};
}

int CUGMultiEdit::CharFromPos(const QPoint& point) const {
    return static_cast<int>(HitTest(point));
}

std::size_t CUGMultiEdit::HitTest(QPoint point) const {
    const int x = std::max(point.x(), 0);
    const int y = std::max(point.y(), 0);
    const int row = std::min(y / LineHeight() + firstLine_, DisplayRowCount() - 1);
    const int line = VisualLineOf(row);
    const std::vector<double> edges = RowEdges(row);
    const int length = static_cast<int>(edges.size()) - 1;
    int column = length;
    for (int i = 0; i < length; ++i) {
        const double left = CharacterLeft(edges, static_cast<std::size_t>(i), direction_ == 0);
        if (alignment_ != 2) {
            // Walking from the left: stop in the character whose right edge
            // reaches the point.
            if (std::max(edges[static_cast<std::size_t>(i)],
                         edges[static_cast<std::size_t>(i) + 1]) >= x) {
                column = i;
                break;
            }
        } else if (left <= x) {
            // Walking from the right end: stop in the character whose left
            // edge is at or left of the point.
            column = left < x ? i + 1 : i;
            break;
        }
    }
    if (direction_ == 1 && column > 0 && column <= length) --column;
    return model_.IndexOf(line, std::min(column, length));
}

void CUGMultiEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setFont(font());
    const QRect area = TextArea();
    const int lineHeight = LineHeight();
    const bool ltr = direction_ == 0;
    const int rows = DisplayRowCount();
    const auto [selFrom, selTo] = GetSel();
    for (int row = firstLine_; row < rows; ++row) {
        const int top = (row - firstLine_) * lineHeight;
        if (top >= area.bottom()) break;
        const int line = VisualLineOf(row);
        const std::size_t start = model_.IndexOf(line, 0);
        const std::wstring_view text = model_.VisualLine(line);
        const QRect rowRect(area.left(), top, area.width(), lineHeight);
        if (selFrom != selTo) {
            const std::vector<double> edges = RowEdges(row);
            for (std::size_t i = 0; i < text.size(); ++i) {
                const int index = static_cast<int>(start + i);
                if (index < selFrom || index >= selTo) continue;
                const double a = edges[i], b = edges[i + 1];
                painter.fillRect(QRectF(std::min(a, b), top, std::abs(b - a), lineHeight),
                                 palette().color(QPalette::Highlight));
            }
        }
        painter.setPen(palette().color(QPalette::Text));
        DrawVisualText(painter, text, rowRect.adjusted(0, -1, 0, 0), nullptr, nullptr,
                       alignment_ == 2 ? kDrawRight : 0, ltr, false);
    }
    if (caretShown_ && hasFocus()) {
        const LinePosition at = model_.PositionOf(caret_);
        const int row = DisplayRowOf(at.line);
        if (row >= firstLine_) {
            const std::vector<double> edges = RowEdges(row);
            const int cell = std::max(4, QFontMetrics(font()).averageCharWidth());
            PaintCaret(painter, edges[static_cast<std::size_t>(at.column)],
                       (row - firstLine_) * lineHeight, lineHeight, cell,
                       inputLanguage_ == kLangHebrew, palette().color(QPalette::Text));
        }
    }
    caretStale_ = false;
}

void CUGMultiEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    PlaceCaret(HitTest(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
    logicalCaretValid_ = false;
    caretShown_ = true;
    update();
}

void CUGMultiEdit::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const std::size_t at = HitTest(event->position().toPoint());
    if (at == caret_) return;
    caret_ = at;
    logicalCaretValid_ = false;
    update();
}

void CUGMultiEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

void CUGMultiEdit::mouseDoubleClickEvent(QMouseEvent*) {
    SetSel(0, -1);
}

void CUGMultiEdit::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0 && scrollBar_->isVisible()) scrollBar_->setValue(scrollBar_->value() - steps);
}

void CUGMultiEdit::SetFirstLine(int line, bool moveCaret) {
    line = std::clamp(line, 0, std::max(0, DisplayRowCount() - 1));
    if (line == firstLine_ && !moveCaret) return;
    firstLine_ = line;
    if (moveCaret) {
        logicalCaretValid_ = false;
        // Scrolling takes the caret to the first line shown.
        const int column = model_.PositionOf(caret_).column;
        caret_ = anchor_ = model_.IndexOf(VisualLineOf(firstLine_), column);
    }
    if (scrollBar_->value() != firstLine_) scrollBar_->setValue(firstLine_);
    update();
}

void CUGMultiEdit::UpdateScrollRange() {
    const int visible = std::max(1, TextArea().height() / LineHeight());
    const int rows = model_.LineCount();
    const QSignalBlocker block(scrollBar_);
    scrollBar_->setRange(0, std::max(0, rows - visible));
    scrollBar_->setPageStep(std::max(1, visible * 3 / 4));
    scrollBar_->setValue(firstLine_);
    const bool needed = !singleLine_ && rows > visible;
    if (needed != scrollBar_->isVisible()) {
        scrollBar_->setVisible(needed);
        scrollBar_->setGeometry(width() - scrollBar_->sizeHint().width(), 0,
                                scrollBar_->sizeHint().width(), height());
    }
}

void CUGMultiEdit::ScrollToCaret() {
    const int visible = std::max(1, TextArea().height() / LineHeight());
    const int row = DisplayRowOf(model_.PositionOf(caret_).line);
    if (row < firstLine_)
        firstLine_ = row;
    else if (row >= firstLine_ + visible)
        firstLine_ = row - visible + 1;
    const QSignalBlocker block(scrollBar_);
    scrollBar_->setValue(firstLine_);
}

void CUGMultiEdit::resizeEvent(QResizeEvent*) {
    scrollBar_->setGeometry(width() - scrollBar_->sizeHint().width(), 0,
                            scrollBar_->sizeHint().width(), height());
    UpdateScrollRange();
}

void CUGMultiEdit::focusInEvent(QFocusEvent*) {
    caretStale_ = true;
    caretShown_ = isVisible();
    update();
}

void CUGMultiEdit::focusOutEvent(QFocusEvent*) {
    caretShown_ = false;
    dragging_ = false;
    update();
}

void CUGMultiEdit::showEvent(QShowEvent*) {
    caretShown_ = hasFocus();
}

void CUGMultiEdit::hideEvent(QHideEvent*) {
    caretShown_ = false;
}

void CUGMultiEdit::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();  // the control has no menu; the owner's must not open
}

bool CUGMultiEdit::event(QEvent* event) {
    // Every key belongs to the control, Tab included.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    // Keys without Alt are the control's, not the window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride &&
        !(static_cast<QKeyEvent*>(event)->modifiers() & Qt::AltModifier)) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tarsil
