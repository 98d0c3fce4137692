// The lines of the single-line text editor and the texts they are written
// to.  The editor shows one line per record, top to bottom; each change of
// a line is encoded for its text's font and written to the drawing at once.
// Nothing here knows the edit control: the dialog hands in the lines, the
// line numbers its selection touches and, per line, which characters were
// typed as Hebrew.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/entity_ops/text_properties.h"
#include "host/text_lines/sort_line.h"

namespace tarsil {

// The direction mask of one line of the edit (2 typed as Hebrew, else 1).
using LineMask = std::function<std::vector<unsigned char>(int line)>;

class TextLines {
  public:
    // The records the command filled: one per selected text (object id
    // only), or one without entity holding the new text's point and angle.
    explicit TextLines(std::vector<CTextProperties> records);

    // A new text: exactly one record, and it has no entity.
    bool IsNewText() const;

    // Reads the records from the drawing and gives their lines in logical
    // order, top to bottom.  A new text takes the drawing's current style
    // and text size and "Right" justification, and has no line yet.  False
    // (after an alert) when a text can't be read; the records read so far
    // stay, in their new order.
    bool Load(std::vector<std::wstring>& lines);

    // After the edit grew to lineCount lines: a record for each missing line,
    // inserted after the line before the selection start; it copies that
    // record's properties one line distance further down, and every record
    // after it, with its text, moves down as far.
    void ExtendForLines(int lineCount, int selectionStartLine);

    // Writes every line that differs from its record: an existing text gets
    // the line encoded for its font, a record without text gets a new text
    // once its line is not empty.  Texts of records past the last line are
    // erased, all of them (several lines can go at once).  False when a text
    // can't be written (after an alert); what was written stays.
    bool ApplyLines(const std::vector<std::wstring>& lines, const LineMask& mask);

    // Changes of the lines first..last (inclusive, the lines the selection
    // touches).  A new text without entity only stores the value.  False
    // when a text can't be written (after an alert).
    bool SetHeight(int first, int last, double height);
    bool SetRotation(int first, int last, double radians);
    bool SetJustification(int first, int last, int justification);
    // A line whose font type changes with the style is written again in
    // the new font's encoding.
    bool SetStyle(int first, int last, const std::wstring& styleName, const LineMask& mask);

    // Spreads the texts evenly between the first and the last, across the
    // first text's direction; gives the distance between two lines (0 when
    // there is no sort line or a text can't be read or written).
    double EqualizeSpacing();
    // Moves the texts apart or together to a new line distance, keeping the
    // middle of the block in place.  Needs two records.
    bool SetLineDistance(double distance);
    double LineDistance() const { return lineDistance_; }

    // Whether anything has been written to the drawing.
    bool Changed() const { return changed_; }

    const std::vector<CTextProperties>& Records() const { return records_; }
    const std::optional<SortLine>& Sort() const { return sortLine_; }

  private:
    bool LoadNewText();
    bool LoadTexts(std::vector<std::wstring>& lines);
    // The distance to the next line below a record.
    double StepBelow(const CTextProperties& record) const;
    // Moves the record's point, and its text if it has one.
    bool MoveRecord(CTextProperties& record, double dx, double dy, const wchar_t* failure);
    bool WriteLine(CTextProperties& record, const std::vector<unsigned char>& mask);
    int LinesInUse() const;
    int ClampLast(int first, int last) const;

    std::vector<CTextProperties> records_;
    std::optional<SortLine> sortLine_;
    double lineDistance_ = 0.0;
    int lineCount_ = -1;  // lines of the edit at the last change; -1 before
    bool changed_ = false;
};

}  // namespace tarsil
