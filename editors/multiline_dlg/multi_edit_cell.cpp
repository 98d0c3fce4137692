#include "editors/multiline_dlg/multi_edit_cell.h"

#include <QPainter>

#include "editors/language/widget_edge.h"
#include "editors/visual_edit/draw_visual_text.h"
#include "editors/visual_edit/ug_multi_edit.h"

namespace tarsil::editors::multiline {

QWidget* MultiEditCell::Create(QWidget* parent, int row, int) {
    auto* edit = new CUGMultiEdit(parent);
    // A row is one text of the drawing: one line, Enter ends the edit.
    edit->SetSingleLine(true);
    if (setup_) setup_(edit, row);
    return edit;
}

void MultiEditCell::SetText(QWidget* editor, const QString& text) {
    if (auto* edit = dynamic_cast<CUGMultiEdit*>(editor); edit != nullptr) edit->SetText(text);
}

QString MultiEditCell::Text(const QWidget* editor) const {
    const auto* edit = dynamic_cast<const CUGMultiEdit*>(editor);
    return edit != nullptr ? edit->Text() : QString();
}

void MultiEditCell::PaintText(QPainter* painter, const QRect& rect,
                              const toolkit::GridCell& cell) const {
    const std::wstring logical = FromWidgetText(cell.text);
    const QRect inner = rect.adjusted(3, 0, -3, 0);
    const int flags = visual::kDrawVCenter | (cell.rightToLeft ? visual::kDrawRight : 0);
    visual::DrawVisualText(*painter, logical, inner, nullptr, nullptr, flags, !cell.rightToLeft,
                           true);
}

}  // namespace tarsil::editors::multiline
