#include "editors/visual_edit/visual_text_model.h"

#include <algorithm>

#include "hebrew/reorder.h"

namespace tarsil::visual {

VisualTextModel::VisualTextModel() : indexMap_{0} {}

void VisualTextModel::SetText(std::wstring_view text, bool fromLogical, bool singleLine) {
    std::wstring clean(text.substr(0, std::min(text.size(), kMaxTextLength)));
    for (wchar_t& c : clean) {
        if (c == L'\r') c = L'\n';
        if (c == L'\t') c = L' ';
        if (singleLine && c == L'\n') c = L' ';
    }
    if (fromLogical) {
        logical_ = std::move(clean);
        DeriveVisual();
    } else {
        visual_ = std::move(clean);
        DeriveLogical();
    }
}

void VisualTextModel::SetRightToLeft(bool rtl) {
    rtl_ = rtl;
    DeriveVisual();
}

void VisualTextModel::Reorder(const std::wstring& source, std::wstring& target) {
    // Lines of the source: [start, end) each.
    std::vector<std::pair<std::size_t, std::size_t>> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t feed = source.find(L'\n', start);
        lines.emplace_back(start, feed == std::wstring::npos ? source.size() : feed);
        if (feed == std::wstring::npos) break;
        start = feed + 1;
    }
    if (rtl_) std::reverse(lines.begin(), lines.end());
    target.clear();
    indexMap_.clear();
    std::vector<wchar_t> out;
    std::vector<std::uint32_t> map;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k > 0) {
            // The line feed between two lines stands for the one that ends
            // the earlier of them.
            target.push_back(L'\n');
            indexMap_.push_back(
                static_cast<std::uint32_t>(std::min(lines[k - 1].second, lines[k].second)));
        }
        const auto [from, to] = lines[k];
        const std::size_t n = to - from;
        out.assign(n + 1, 0);
        map.assign(n + 1, 0);
        const std::wstring line = source.substr(from, n);
        if (hebrew::LogicalToVisual(line.c_str(), n, out.data(), map.data(), rtl_ ? 0 : 1) == 0) {
            out.assign(line.begin(), line.end());
            for (std::size_t i = 0; i < n; ++i) map[i] = static_cast<std::uint32_t>(i);
        }
        target.append(out.data(), n);
        for (std::size_t i = 0; i < n; ++i)
            indexMap_.push_back(static_cast<std::uint32_t>(from + map[i]));
    }
    indexMap_.push_back(static_cast<std::uint32_t>(source.size()));
}

void VisualTextModel::DeriveVisual() {
    Reorder(logical_, visual_);
}

void VisualTextModel::DeriveLogical() {
    // Reordering is its own inverse on a line; the map (and the visual text,
    // so that what is shown is always what the logical text reorders to)
    // then come from the logical side.
    Reorder(visual_, logical_);
    DeriveVisual();
}

int VisualTextModel::LineCount() const {
    int lines = 1 + static_cast<int>(std::count(visual_.begin(), visual_.end(), L'\n'));
    if (!visual_.empty() && visual_.back() == L'\n') --lines;
    return std::max(lines, 1);
}

int VisualTextModel::VisualLineCount() const {
    return 1 + static_cast<int>(std::count(visual_.begin(), visual_.end(), L'\n'));
}

std::wstring_view VisualTextModel::VisualLine(int line) const {
    std::wstring_view rest(visual_);
    for (int i = 0; i < line; ++i) {
        const std::size_t feed = rest.find(L'\n');
        if (feed == std::wstring_view::npos) return {};
        rest.remove_prefix(feed + 1);
    }
    return rest.substr(0, std::min(rest.find(L'\n'), rest.size()));
}

LinePosition VisualTextModel::PositionOf(std::size_t index) const {
    index = std::min(index, visual_.size());
    LinePosition at;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < index; ++i) {
        if (visual_[i] == L'\n') {
            ++at.line;
            lineStart = i + 1;
        }
    }
    at.column = static_cast<int>(index - lineStart);
    return at;
}

std::size_t VisualTextModel::IndexOf(int line, int column) const {
    line = std::clamp(line, 0, VisualLineCount() - 1);
    std::size_t start = 0;
    for (int i = 0; i < line; ++i) start = visual_.find(L'\n', start) + 1;
    const std::size_t length = VisualLine(line).size();
    return start + std::min(static_cast<std::size_t>(std::max(column, 0)), length);
}

bool VisualTextModel::InsertLogical(std::size_t at, std::wstring_view text) {
    if (!Fits(text.size())) return false;
    SaveUndo();
    logical_.insert(std::min(at, logical_.size()), text);
    DeriveVisual();
    return true;
}

void VisualTextModel::EraseLogical(std::size_t from, std::size_t count) {
    if (from >= logical_.size() || count == 0) return;
    SaveUndo();
    logical_.erase(from, count);
    DeriveVisual();
}

void VisualTextModel::EraseVisualRange(std::size_t from, std::size_t to) {
    to = std::min(to, visual_.size());
    if (from >= to) return;
    std::vector<bool> gone(logical_.size(), false);
    for (std::size_t p = from; p < to; ++p) gone[indexMap_[p]] = true;
    SaveUndo();
    std::wstring kept;
    for (std::size_t i = 0; i < logical_.size(); ++i)
        if (!gone[i]) kept.push_back(logical_[i]);
    logical_ = std::move(kept);
    DeriveVisual();
}

void VisualTextModel::SaveUndo() {
    if (logical_.empty()) return;
    saveIndex_ = (saveIndex_ + 1) % kRingSize;
    ring_[static_cast<std::size_t>(saveIndex_)] = logical_;
    restoreIndex_ = saveIndex_ + 1;
}

bool VisualTextModel::Undo() {
    // The walk goes back from the newest save and stops at the ring's start,
    // so after a wrap only the saves since the wrap are reached.
    if (restoreIndex_ <= 0) return false;
    const std::wstring& entry = ring_[static_cast<std::size_t>(restoreIndex_ - 1)];
    if (entry.empty()) return false;
    --restoreIndex_;
    logical_ = entry;
    DeriveVisual();
    return true;
}

std::size_t VisualTextModel::VisualOf(std::size_t logicalIndex) const {
    for (std::size_t p = 0; p < visual_.size(); ++p)
        if (indexMap_[p] == logicalIndex) return p;
    return visual_.size();
}

std::size_t VisualTextModel::LogicalInsertionIndex(std::size_t caret) const {
    caret = std::min(caret, visual_.size());
    if (visual_.empty()) return 0;
    // After the character listed before the caret, unless that one is a
    // line feed or the caret opens the text: then before the one after it.
    if (caret > 0 && visual_[caret - 1] != L'\n') return indexMap_[caret - 1] + 1;
    if (caret < visual_.size() && visual_[caret] != L'\n') {
        // The first character of the line in logical order.
        const LinePosition at = PositionOf(caret);
        const std::size_t start = IndexOf(at.line, 0);
        std::uint32_t first = indexMap_[caret];
        for (std::size_t p = start; p < visual_.size() && visual_[p] != L'\n'; ++p)
            first = std::min(first, indexMap_[p]);
        return first;
    }
    return caret < visual_.size() ? indexMap_[caret] : logical_.size();
}

std::size_t VisualTextModel::CaretAfterLogical(std::size_t logicalEnd, bool typedAgainst) const {
    if (visual_.empty()) return 0;
    // The start of the first logical line, which a right-to-left paragraph lists last.
    if (logicalEnd == 0) return rtl_ ? IndexOf(VisualLineCount() - 1, 0) : 0;
    const std::size_t i = logicalEnd - 1;
    const std::size_t p = VisualOf(i);
    if (p >= visual_.size()) return visual_.size();
    // After a line feed: the start of the next logical line, listed after
    // the feed from the left, before it from the right.
    if (logical_[i] == L'\n') return IndexOf(PositionOf(p).line + (rtl_ ? 0 : 1), 0);
    // Listed after its logical predecessor: it reads with the paragraph.
    if (i > 0 && logical_[i - 1] != L'\n') {
        if (p > 0 && indexMap_[p - 1] == i - 1) return p + 1;
        if (p + 1 < visual_.size() && indexMap_[p + 1] == i - 1) return p;
    }
    return typedAgainst ? p : p + 1;
}

std::wstring VisualTextModel::LogicalOfVisualRange(std::size_t from, std::size_t to) const {
    to = std::min(to, visual_.size());
    std::vector<std::uint32_t> picked;
    for (std::size_t p = from; p < to; ++p) picked.push_back(indexMap_[p]);
    std::sort(picked.begin(), picked.end());
    std::wstring out;
    for (std::uint32_t i : picked) out.push_back(logical_[i]);
    return out;
}

}  // namespace tarsil::visual
