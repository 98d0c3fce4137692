// The text of the visual edit control: the logical text the owner exchanges,
// the visual text that is shown and edited, the index map between them and
// the ring of earlier logical texts that Ctrl+Z walks back through.
//
// Characters are the engine's: one per byte, Hebrew letters of the Windows
// layout as U+00E0..U+00FA.  A right-to-left paragraph's visual text lists
// each line from its right end, and its lines come in reverse order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarsil::visual {

inline constexpr std::size_t kMaxTextLength = 1024;

struct LinePosition {
    int line = 0;
    int column = 0;
};

class VisualTextModel {
  public:
    VisualTextModel();

    // Cuts to kMaxTextLength, turns carriage returns into line feeds and tabs
    // into spaces (single-line: line breaks become spaces), then stores the
    // text as the logical (fromLogical) or the visual text and derives the
    // other one.
    void SetText(std::wstring_view text, bool fromLogical, bool singleLine);

    const std::wstring& Logical() const { return logical_; }
    const std::wstring& Visual() const { return visual_; }
    // Entry p is the logical index of visual character p; one more entry.
    const std::vector<std::uint32_t>& IndexMap() const { return indexMap_; }

    // Right-to-left paragraph; changing it derives the visual text anew.
    void SetRightToLeft(bool rtl);
    bool RightToLeft() const { return rtl_; }

    void DeriveVisual();
    void DeriveLogical();

    // One more than the line feeds, a final line feed not counted (at least 1).
    int LineCount() const;
    // Lines of the visual text as split at line feeds (a final line feed
    // opens an empty last line, where the caret may stand).
    int VisualLineCount() const;
    std::wstring_view VisualLine(int line) const;
    LinePosition PositionOf(std::size_t index) const;
    // Column beyond the line's end is taken as its end; line out of range
    // as the nearest line.
    std::size_t IndexOf(int line, int column) const;

    // False, changing nothing, when the logical text would exceed the limit.
    bool Fits(std::size_t extra) const { return logical_.size() + extra <= kMaxTextLength; }
    // Edits go to the logical text, after it is saved in the undo ring, and
    // the visual text is derived from it: what is shown is always the
    // engine's reordering of what was typed.  False when it would not fit.
    bool InsertLogical(std::size_t at, std::wstring_view text);
    void EraseLogical(std::size_t from, std::size_t count);
    // Removes the characters shown at visual [from, to).
    void EraseVisualRange(std::size_t from, std::size_t to);

    // Saves the logical text (when it is not empty) in the ring.
    void SaveUndo();
    // Takes the previous text of the ring as the logical text; false when the
    // ring has nothing further back.
    bool Undo();

    // Visual index of logical character i (the text's length for i at the end).
    std::size_t VisualOf(std::size_t logicalIndex) const;
    // Logical index at which text typed at visual caret index goes.
    std::size_t LogicalInsertionIndex(std::size_t caret) const;
    // The visual caret just after logical character logicalEnd - 1 in its
    // reading direction: right of it in a left-to-right run, left of it in
    // a run against a left-to-right paragraph (and mirrored for a
    // right-to-left paragraph).  typedAgainst breaks the tie for a character
    // with no neighbour on its line.
    std::size_t CaretAfterLogical(std::size_t logicalEnd, bool typedAgainst) const;
    // The selected visual characters [from, to) in logical order.
    std::wstring LogicalOfVisualRange(std::size_t from, std::size_t to) const;

  private:
    // Reorders line by line; a right-to-left paragraph lists its lines last
    // first.  Fills indexMap_ for target.
    void Reorder(const std::wstring& source, std::wstring& target);

    std::wstring logical_;
    std::wstring visual_;
    std::vector<std::uint32_t> indexMap_;
    bool rtl_ = false;

    static constexpr int kRingSize = 10;
    std::array<std::wstring, kRingSize> ring_;
    int saveIndex_ = 0;
    int restoreIndex_ = 0;
};

}  // namespace tarsil::visual
