// The in-place editor of the grid's text cells: the visual edit control in
// single-line mode.  The cell's text, as widgets show it, goes into the
// control as logical text and comes back the same way; the cell itself is
// drawn in visual order by DrawVisualText, right-aligned and read right to
// left when the cell says so, so that it looks as it will while edited.
#pragma once

#include <functional>

#include "toolkit/grid/grid.h"

namespace tarsil {
class CUGMultiEdit;
}

namespace tarsil::editors::multiline {

class MultiEditCell : public toolkit::CellEditor {
  public:
    // Called with each control made, and its row, before it takes the text.
    using Setup = std::function<void(CUGMultiEdit* edit, int row)>;
    explicit MultiEditCell(Setup setup) : setup_(std::move(setup)) {}

    QWidget* Create(QWidget* parent, int row, int column) override;
    void SetText(QWidget* editor, const QString& text) override;
    QString Text(const QWidget* editor) const override;
    bool PaintsText() const override { return true; }
    void PaintText(QPainter* painter, const QRect& rect,
                   const toolkit::GridCell& cell) const override;

  private:
    Setup setup_;
};

}  // namespace tarsil::editors::multiline
