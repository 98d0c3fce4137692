#include "editors/completion/drawing_words.h"

#include <algorithm>
#include <string_view>

#include "hebrew/codec/drawing_text_codec.h"
#include "host/layer/drawing_strings.h"

namespace tarsil::editors {

namespace {

bool Contains(const std::vector<std::wstring>& words, const std::wstring& word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

std::wstring Trimmed(std::wstring_view text) {
    constexpr std::wstring_view kEnds = L"\n\r ";
    const std::size_t first = text.find_first_not_of(kEnds);
    if (first == std::wstring_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kEnds);
    return std::wstring(text.substr(first, last - first + 1));
}

}  // namespace

std::vector<std::wstring> DrawingWordsOf(const std::vector<std::wstring>& mtext_contents,
                                         const std::vector<std::wstring>& text_strings,
                                         const std::vector<std::wstring>& file_words) {
    std::vector<std::wstring> words;
    auto add = [&](std::wstring word) {
        if (!Contains(file_words, word) && !Contains(words, word)) words.push_back(std::move(word));
    };
    for (const std::wstring& contents : mtext_contents) {
        std::size_t start = 0;
        while (start <= contents.size()) {
            std::size_t end = contents.find(L"\\P", start);
            if (end == std::wstring::npos) end = contents.size();
            std::wstring piece = contents.substr(start, end - start);
            start = end + 2;
            if (piece.empty()) continue;
            hebrew::ConvertForTarget(piece, L"w", 0);
            piece = Trimmed(piece);
            if (piece.size() > 3) add(std::move(piece));
        }
    }
    for (std::wstring text : text_strings) {
        if (text.size() < 3) continue;
        hebrew::ConvertForTarget(text, L"w", 0);
        add(std::move(text));
    }
    return words;
}

std::vector<std::wstring> CollectDrawingWords(const std::vector<std::wstring>& file_words) {
    const std::vector<std::wstring> mtexts = layer::AllTextStrings(layer::TextKind::kMText);
    const std::vector<std::wstring> texts = layer::AllTextStrings(layer::TextKind::kText);
    return DrawingWordsOf(mtexts, texts, file_words);
}

}  // namespace tarsil::editors
