// The visual multi-line edit control: shows Hebrew and mixed text in visual
// order while its owner exchanges logical text with it.  It keeps its own
// text model, turns keys into characters itself, paints the text character
// by character, draws its own caret (whose flag shows the input language)
// and tells its owner of language, direction and alignment changes with
// VisualEditNotice events.  It never hands its text to a platform editor.
#pragma once

#include <QWidget>
#include <string>
#include <utility>

#include "editors/visual_edit/visual_text_model.h"

class QScrollBar;

namespace tarsil {

class CUGMultiEdit : public QWidget {
  public:
    explicit CUGMultiEdit(QWidget* parent = nullptr);
    ~CUGMultiEdit() override;

    // Where the notifications go; the parent widget unless set.
    void SetOwner(QObject* owner) { owner_ = owner; }

    // The text as a widget shows it (Hebrew letters U+05D0..U+05EA).
    void SetText(const QString& text);
    QString Text() const;
    int TextLength() const { return static_cast<int>(model_.Logical().size()); }
    // Engine text, logical or visual order as the flag says.
    void SetEditText(const std::wstring& text, bool fromLogical);
    const std::wstring& LogicalText() const { return model_.Logical(); }
    const std::wstring& VisualText() const { return model_.Visual(); }
    const visual::VisualTextModel& Model() const { return model_; }

    // d = 1 left to right, 2 right to left: sets direction and alignment and
    // reorders.
    void SetDirection(int d);
    int Direction() const { return direction_; }  // 0 ltr, 1 rtl
    int Alignment() const { return alignment_; }  // 1 left, 2 right
    void SetSingleLine(bool on) { singleLine_ = on; }
    bool SingleLine() const { return singleLine_; }
    void SetTabWidth(int columns) { tabWidth_ = columns > 0 ? columns : 1; }

    // Activates the language's keyboard layout and takes it as the input
    // language (the control's own switching; outside requests are refused).
    void ActivateLayout(int language);
    int InputLanguage() const { return inputLanguage_; }
    // Re-creates the caret so that its flag shows the current language.
    void RefreshCaret();

    // Visual indices; start 0 and end -1 select all, start -1 removes the
    // selection.
    void SetSel(int start, int end);
    std::pair<int, int> GetSel() const;
    QString SelectedText() const;
    void SetModify(bool modified) { modified_ = modified; }
    bool GetModify() const { return modified_; }

    int CaretIndex() const { return static_cast<int>(caret_); }
    visual::LinePosition CaretPosition() const { return model_.PositionOf(caret_); }
    int FirstVisibleLine() const { return firstLine_; }
    bool CaretShown() const { return caretShown_; }
    // Client point of a visual character (its line's top) and back.
    QPoint PosFromChar(int index) const;
    int CharFromPos(const QPoint& point) const;
    int LineHeight() const;
    int DisplayRowCount() const { return model_.VisualLineCount(); }

    void Copy();
    void Cut();
    void Paste();
    bool Undo();

    QSize sizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // Keyboard (ug_multi_edit_keys.cpp).
    bool LanguageAndDirectionKeys(const QKeyEvent& event, int& key);
    bool EditingKey(int key, bool shift);
    bool ControlKey(int key);
    void InsertTyped(wchar_t c);
    void Backspace();
    void DeleteForward();
    void InsertTab();
    void InsertLineFeed();
    bool DeleteSelection();
    void MoveForward();
    void MoveBackward();
    void MoveRows(int delta);

    // Display rows: a right-to-left paragraph shows its visual lines last
    // first.
    int DisplayRowOf(int visualLine) const;
    int VisualLineOf(int displayRow) const;
    // Geometry of a display row (ug_multi_edit_paint.cpp).
    QRect TextArea() const;
    std::vector<double> RowEdges(int displayRow) const;
    std::size_t HitTest(QPoint point) const;
    void ScrollToCaret();
    void SetFirstLine(int line, bool moveCaret);
    void UpdateScrollRange();
    void PlaceCaret(std::size_t index, bool extendSelection);
    std::size_t InsertionPoint() const;
    // Inserts into the logical text at the insertion point and puts the
    // caret after the insertion; false when it does not fit.
    bool InsertAtCaret(std::wstring_view text, bool against);
    void Notify(int message, long long wParam, long long lParam);
    void OnLanguageChanged(int language);
    bool HasSelection() const { return anchor_ != caret_; }
    void TextChanged();

    visual::VisualTextModel model_;
    int direction_ = 0;
    int alignment_ = 1;
    int inputLanguage_;
    int runLanguage_;
    bool digitsInHebrew_ = false;
    std::size_t caret_ = 0;
    // Where the next typed character goes in the logical text, kept while
    // the user types so that a run against the paragraph grows away from
    // the caret; any caret move takes it from the caret again.
    std::size_t logicalCaret_ = 0;
    bool logicalCaretValid_ = false;
    std::size_t anchor_ = 0;
    int firstLine_ = 0;
    int tabWidth_ = 4;
    bool singleLine_ = false;
    bool caretShown_ = false;
    bool caretStale_ = true;
    bool modified_ = false;
    bool dragging_ = false;
    QObject* owner_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    int languageToken_ = 0;
};

}  // namespace tarsil
