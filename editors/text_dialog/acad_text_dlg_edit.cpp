// The edit's notifications: a change of the text is written to the lines'
// texts, a change of the selection shows the selected lines' values.
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <cmath>

#include "editors/completion/completion_popup.h"
#include "editors/richedit/rich_edit_heb.h"
#include "editors/text_dialog/acad_text_dlg.h"
#include "editors/text_dialog/completion_words.h"
#include "editors/text_dialog/value_text.h"

namespace tarsil::editors {

namespace {

// Holds a flag set for a scope and puts back what it was.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = was_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
    bool was_;
};

}  // namespace

std::vector<std::wstring> CAcadTextDlg::EditLines() const {
    std::vector<std::wstring> lines;
    const std::wstring text = edit_->GetWindowText();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return lines;
}

std::vector<unsigned char> CAcadTextDlg::LineMask(int line) const {
    const long first = edit_->LineIndex(line);
    if (first < 0) return {};
    return edit_->GetCharDirections(first, first + edit_->GetLineLength(line));
}

std::pair<int, int> CAcadTextDlg::SelectedLines() const {
    long start = 0, end = 0;
    edit_->GetSel(start, end);
    return {edit_->LineFromChar(start), edit_->LineFromChar(end)};
}

void CAcadTextDlg::OnEditChanged() {
    if (initialising_) return;
    FlagScope applying(initialising_);
    const std::vector<std::wstring> lines = EditLines();
    // A new line needs its record before the lines are compared, whichever
    // of the two notifications came first.
    lines_->ExtendForLines(static_cast<int>(lines.size()), SelectedLines().first);
    lines_->ApplyLines(lines, [this](int line) { return LineMask(line); });
    if (words_->Enabled()) completion_->Update();
}

void CAcadTextDlg::OnEditSelectionChanged() {
    if (initialising_) return;
    lines_->ExtendForLines(edit_->GetLineCount(), SelectedLines().first);
    ShowSelectionValues();
}

void CAcadTextDlg::ShowSelectionValues() {
    const auto& records = lines_->Records();
    if (records.empty()) return;
    auto [first, last] = SelectedLines();
    const int count = static_cast<int>(records.size());
    first = std::clamp(first, 0, count - 1);
    last = std::clamp(last, first, count - 1);
    bool sameStyle = true, sameJustification = true;
    for (int i = first + 1; i <= last; ++i) {
        sameStyle = sameStyle && records[i].styleName == records[first].styleName;
        sameJustification =
            sameJustification && records[i].justification == records[first].justification;
    }
    if (sameStyle) {
        SelectStyleByPrefix(records[first].styleName);
    } else {
        style_list_->setCurrentIndex(-1);
    }
    justification_list_->setCurrentIndex(sameJustification ? records[first].justification : -1);
    height_->setText(HeightText(records[last].height));
    rotation_->setText(AngleText(records[last].rotation * 180.0 / M_PI));
}

void CAcadTextDlg::SelectStyleByPrefix(const std::wstring& name) {
    // As a list's string search does: from the item after the first,
    // around to the first, the first item whose text begins with the name.
    const QString wanted = QString::fromStdWString(name);
    const int count = style_list_->count();
    for (int n = 1; n <= count; ++n) {
        const int i = n % count;
        if (style_list_->itemText(i).startsWith(wanted, Qt::CaseInsensitive)) {
            style_list_->setCurrentIndex(i);
            return;
        }
    }
    style_list_->setCurrentIndex(-1);
}

}  // namespace tarsil::editors
