// The Hebrew rich edit: the text control of the single-line, MText and
// dimension text editors.  A QTextEdit that
//   - takes and gives engine text (Windows-layout letters U+00E0..U+00FA),
//     showing real Hebrew letters; the mapping is editors/language/widget_edge;
//   - types with the thread's input language: with Hebrew active, Latin keys
//     type the Israeli layout's letters, and Alt+Shift switches layouts;
//   - remembers for every character whether it was typed as Hebrew: that is
//     the direction mask the encoder needs (GetCharDirections).  The value
//     lives in the character's format, so typing, deleting, undo, cut and
//     paste carry it with the character;
//   - reports changes the way the editor dialogs subscribe to them, by the
//     bits of an event mask (SetEventMask): a selection change caused by an
//     edit is always reported before the change itself.
//
// Positions count characters, each paragraph break as one.  "Lines" are
// paragraphs: the editors give each text its own line and never rely on
// wrapping.
#pragma once

#include <QTextEdit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editors/language/input_language.h"

class QKeyEvent;
class QMimeData;

namespace tarsil::editors {

// Event mask bits (SetEventMask).  Only change, selection change and key
// events are reported; the others are kept in the mask for the dialogs that
// set them.
inline constexpr std::uint32_t kEventChange = 0x00000001;      // ENM_CHANGE
inline constexpr std::uint32_t kEventScroll = 0x00000004;      // ENM_SCROLL
inline constexpr std::uint32_t kEventPageChange = 0x00000040;  // ENM_PAGECHANGE
inline constexpr std::uint32_t kEventKeys = 0x00010000;        // ENM_KEYEVENTS
inline constexpr std::uint32_t kEventSelChange = 0x00080000;   // ENM_SELCHANGE
// What each dialog adds to its edits' mask.
inline constexpr std::uint32_t kSingleLineEditorEvents = 0x00090745;
inline constexpr std::uint32_t kMTextEditorEvents = 0x00000745;
inline constexpr std::uint32_t kDimensionEditorEvents = 0x00000745;

// Direction mask values, one per character.
inline constexpr unsigned char kDirectionOther = 1;
inline constexpr unsigned char kDirectionHebrew = 2;

// The pieces AppendRuns inserts one by one: maximal runs of ASCII digits
// and maximal runs of everything else.  An empty text gives no runs.
std::vector<std::wstring> SplitDigitRuns(std::wstring_view text);

// The ranges [first, end) that MText formatting codes occupy in text, in
// text order: braces, the two-character toggles \L \l \O \o, the backslash
// of \{ \} and \\, and a code from its backslash through its ';'.  A code
// cut short by '{', '}', '\', 'L' or 'O', or by the end of the text, is not
// a code.
struct TextRange {
    long first;
    long end;
    bool operator==(const TextRange&) const = default;
};
std::vector<TextRange> MTextCodeRanges(std::wstring_view text);

class CRichEditCtrlHeb : public QTextEdit {
    Q_OBJECT

  public:
    explicit CRichEditCtrlHeb(QWidget* parent = nullptr);
    ~CRichEditCtrlHeb() override;

    // The dialog that owns the control and its language buttons.  Null until
    // the dialog has filled its controls; until then the control never
    // touches the dialog.
    void SetOwner(QWidget* dialog) { owner_ = dialog; }
    QWidget* Owner() const { return owner_; }

    // ---- text, in engine form ----
    // The whole text, paragraphs separated by CR LF.
    std::wstring GetWindowText() const;
    // Replaces everything; not undoable (the undo history starts afresh).
    void SetWindowText(std::wstring_view text);
    long GetTextLength() const;  // characters, a paragraph break counting one
    // Inserts text at the selection, replacing it; CR LF, CR and LF each
    // break the paragraph.  can_undo false also starts the undo history
    // afresh.  Hebrew letters get direction 2, everything else 1.
    void ReplaceSel(std::wstring_view text, bool can_undo = false);
    // The text between two positions, a paragraph break as LF.
    std::wstring GetTextRange(long first, long end) const;

    // ---- selection ----  (start -1 removes the selection, keeping the
    // caret; end -1 or beyond the text means the end)
    void GetSel(long& start, long& end) const;
    void SetSel(long start, long end);

    // ---- lines ----
    int GetLineCount() const;
    long LineIndex(int line) const;  // first position of a line; -1 past the last
    int LineFromChar(long position) const;
    std::wstring GetLineText(int line) const;
    // Characters of the line up to its line break, counted in the window
    // text with every CR removed; 0 for a line that does not exist.
    long GetLineLength(int line) const;

    // ---- the operations the editor dialogs perform ----
    // Paragraph direction of the paragraphs the selection touches.
    void SetRightToLeft(bool right_to_left);
    // Inserts text at the selection run by run (SplitDigitRuns), each run
    // with ReplaceSel, not undoable.
    void AppendRuns(std::wstring_view text);
    // out[i] = direction of the character at first + i, for first <= p < end
    // (2 typed or inserted as Hebrew, 1 otherwise; a paragraph break is 1).
    // The selection is not touched.
    void GetCharDirections(unsigned char* out, long first, long end) const;
    std::vector<unsigned char> GetCharDirections(long first, long end) const;
    // Hides the MText formatting codes (MTextCodeRanges of the text): they
    // are not shown, but stay in the text that is read back.  The arrow keys
    // step over them.  Not undoable.
    void HideMTextCodes();
    bool IsHidden(long position) const;

    // ---- notifications ----
    std::uint32_t GetEventMask() const { return event_mask_; }
    // Gives the old mask.
    std::uint32_t SetEventMask(std::uint32_t mask);

    // ---- input language ----
    // What the control does when the input language changes (every control
    // subscribes to the thread's service): with an owner, show the Hebrew
    // button pushed for any non-zero character set and the English one for
    // 0; without one, nothing.
    void OnInputLangChange(int charset);
    // The language buttons' handlers for this control as the dialog's edit.
    void SelectHebrewInput();
    void SelectEnglishInput();

  signals:
    // kEventChange: the text changed (typing, deleting, paste, undo, and
    // the dialog's own inserts).
    void Changed();
    // kEventSelChange: the selection or caret moved.  Emitted before
    // Changed when an edit moves it.
    void SelectionChanged(long start, long end);
    // kEventKeys: a key press or release is about to be handled; set
    // *handled to take it away from the control.
    void KeyEvent(QKeyEvent* event, bool* handled);
    // Always: the control received the focus (the dimension editor keeps
    // track of which of its edits had it last).
    void FocusReceived();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void OnTextChanged();
    void ReportSelection();
    bool OfferKey(QKeyEvent* event);
    void InsertTyped(const QString& text, unsigned char direction);
    void MoveOverHiddenText(QKeyEvent* event);
    bool OnlyHiddenBetween(long from, long to) const;

    QWidget* owner_ = nullptr;
    std::uint32_t event_mask_ = 0;
    bool formatting_ = false;  // a format-only change is not a change of text
    long reported_start_ = 0;
    long reported_end_ = 0;
    InputLanguage::Subscription language_;
};

}  // namespace tarsil::editors
