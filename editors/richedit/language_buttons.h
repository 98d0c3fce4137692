// The two language buttons of the editor dialogs: 1116 "ע" (Hebrew) and
// 1117 "E" (English).  They are push buttons, not check boxes: the active
// language is the one shown pushed, and exactly one is pushed once either
// has been set.  A click does not toggle a button by itself; the dialog's
// handler (SelectHebrewInput, SelectEnglishInput) sets both.
#pragma once

#include <QPushButton>
#include <functional>

namespace tarsil::editors {

inline constexpr int kHebrewButtonId = 1116;
inline constexpr int kEnglishButtonId = 1117;

class CLanguageButton : public QPushButton {
    Q_OBJECT

  public:
    CLanguageButton(const QString& caption, QWidget* parent);
    void SetPushed(bool pushed) { setChecked(pushed); }
    bool IsPushed() const { return isChecked(); }

  protected:
    void nextCheckState() override {}
};

struct LanguageButtons {
    CLanguageButton* hebrew;
    CLanguageButton* english;
};

// Makes the two buttons as children of dialog, with their ids and captions,
// neither pushed.  The dialog places them.
LanguageButtons CreateLanguageButtons(QWidget* dialog);

// Shows the Hebrew button pushed and the English one released, or the
// reverse; buttons the dialog does not have are skipped.
void ShowLanguagePushed(QWidget* dialog, bool hebrew);

// The buttons' handlers: show the button pushed, give focus_target the focus
// (none when null), then activate the layout through the thread's service.
// The buttons show the language asked for even if the layout cannot be had.
void SelectHebrewInput(QWidget* dialog, QWidget* focus_target);
void SelectEnglishInput(QWidget* dialog, QWidget* focus_target);

// Connects the dialog's two buttons to the handlers; focus_target is asked
// at each click which widget gets the focus.
void ConnectLanguageButtons(QWidget* dialog, std::function<QWidget*()> focus_target);

}  // namespace tarsil::editors
