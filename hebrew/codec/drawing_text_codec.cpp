#include "hebrew/codec/drawing_text_codec.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <vector>

#include "hebrew/codepage.h"
#include "hebrew/reorder.h"

namespace tarsil::hebrew {
namespace {

constexpr std::int32_t kRightToLeft = 0;

// A wide buffer of n + 1 characters; lines of the usual length stay on the
// stack.
class Scratch {
  public:
    explicit Scratch(std::size_t n) {
        if (n + 1 > small_.size()) large_.resize(n + 1);
        data_ = large_.empty() ? small_.data() : large_.data();
        data_[0] = 0;
    }
    wchar_t* get() { return data_; }

  private:
    std::array<wchar_t, 256> small_;
    std::vector<wchar_t> large_;
    wchar_t* data_;
};

void Reverse(wchar_t* text) {
    std::reverse(text, text + std::wcslen(text));
}

void CopyText(const wchar_t* from, wchar_t* to) {
    std::wcscpy(to, from);
}

// The engine writes into the string's own buffer and ends the text with a
// NUL, possibly earlier than before: take the length from there.
void FitToNul(std::wstring& text) {
    text.resize(std::wcslen(text.c_str()));
}

// The mask as a pointer to at least n bytes; a short mask is padded with 1.
const unsigned char* MaskFor(std::span<const unsigned char> mask, std::size_t n,
                             std::vector<unsigned char>& padded) {
    if (mask.size() >= n) return mask.data();
    padded.assign(n, kMaskOther);
    std::copy(mask.begin(), mask.end(), padded.begin());
    return padded.data();
}

}  // namespace

void DecodeDrawingText(std::wstring& text, FontType font_type) {
    wchar_t* p = text.data();
    std::size_t n = std::wcslen(p);
    switch (font_type) {
        case FontType::HebrewNormal: {
            if (!ContainsDosHebrew(p)) return;
            DecodeDosEscapes(p, n);
            Scratch temp(n);
            DosToWinReversed(p, temp.get());
            VisualToLogical(temp.get(), n, p, nullptr, kRightToLeft);
            break;
        }
        case FontType::Hebrew7Bit:
        case FontType::Hebrew7BitBackward: {
            DecodeDosEscapes(p, n);
            Scratch temp(n);
            ConvertCodeTable(p, temp.get(), k7BitToDos);
            DosToWinReversed(temp.get(), temp.get());
            VisualToLogical(temp.get(), n, p, nullptr, kRightToLeft);
            break;
        }
        case FontType::D2w: {
            Scratch temp(n);
            CopyText(p, temp.get());
            VisualToLogical(temp.get(), n, p, nullptr, kRightToLeft);
            Reverse(p);
            break;
        }
        default:
            return;
    }
    FitToNul(text);
}

void EncodeDrawingText(std::wstring& text, FontType font_type,
                       std::span<const unsigned char> direction_mask) {
    switch (font_type) {
        case FontType::HebrewNormal:
        case FontType::Hebrew7Bit:
        case FontType::Hebrew7BitBackward:
        case FontType::D2w:
        case FontType::Unknown:
            break;
        default:
            return;  // stored as typed; not even reordered
    }
    wchar_t* p = text.data();
    const std::size_t n = std::wcslen(p);
    std::vector<unsigned char> padded;
    Scratch temp(n);
    LogicalToVisualMasked(p, n, temp.get(), nullptr, kRightToLeft,
                          MaskFor(direction_mask, n, padded));
    switch (font_type) {
        case FontType::HebrewNormal:
            WinToDosReversed(temp.get(), p);
            break;
        case FontType::D2w:
            CopyText(temp.get(), p);
            Reverse(p);
            break;
        case FontType::Unknown:
            CopyText(temp.get(), p);
            break;
        default:  // the two 7-bit types
            ConvertCodeTable(temp.get(), p, kWindowsTo7Bit);
            Reverse(p);
            break;
    }
    FitToNul(text);
}

std::int32_t ConvertForTarget(wchar_t* text, const wchar_t* target, std::int32_t ltrParagraph) {
    if (text == nullptr) return 1;
    const bool to_windows =
        target != nullptr && (target[0] == L'w' || target[0] == L'W') && target[1] == 0;
    std::size_t n = std::wcslen(text);
    if (to_windows) {
        if (!ContainsDosHebrew(text)) return 1;
        DecodeDosEscapes(text, n);
        Scratch temp(n);
        DosToWinReversed(text, temp.get());
        LogicalToVisual(temp.get(), n, text, nullptr, ltrParagraph);
    } else {
        if (!ContainsWindowsHebrew(text)) return 1;
        Scratch temp(n);
        LogicalToVisual(text, n, temp.get(), nullptr, ltrParagraph);
        WinToDosReversed(temp.get(), text);
    }
    if (ltrParagraph != 0) Reverse(text);
    return 1;
}

std::int32_t ConvertForTarget(std::wstring& text, const wchar_t* target,
                              std::int32_t ltrParagraph) {
    const std::int32_t result = ConvertForTarget(text.data(), target, ltrParagraph);
    FitToNul(text);
    return result;
}

}  // namespace tarsil::hebrew
