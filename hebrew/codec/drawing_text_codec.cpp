#include "hebrew/codec/drawing_text_codec.h"

#include <algorithm>
#include <cwchar>
#include <memory>

#include "hebrew/codec/wide_characters.h"
#include "hebrew/codepage.h"
#include "hebrew/reorder.h"

namespace tarsil::hebrew {
namespace {

constexpr std::int32_t kRightToLeft = 0;

// A wide buffer of n + 1 characters, kept by the thread from call to call
// so that decoding and encoding many texts allocate only for a text longer
// than any before; nothing in it is cleared.  A thread gives back what it
// took for a text longer than kKeptLength.
constexpr std::size_t kKeptLength = std::size_t{1} << 20;

struct ThreadScratch {
    std::unique_ptr<wchar_t[]> text;
    std::size_t capacity = 0;
    std::unique_ptr<unsigned char[]> mask;
    std::size_t maskCapacity = 0;
};

ThreadScratch& Kept() {
    thread_local ThreadScratch scratch;
    return scratch;
}

// Grows storage to hold n elements, by half again at least.
template <typename T>
T* Grow(std::unique_ptr<T[]>& storage, std::size_t& capacity, std::size_t n) {
    if (n > capacity) {
        const std::size_t grown = std::max(n, capacity + capacity / 2);
        storage = std::make_unique_for_overwrite<T[]>(grown);
        capacity = grown;
    }
    return storage.get();
}

class Scratch {
  public:
    explicit Scratch(std::size_t n) {
        ThreadScratch& kept = Kept();
        data_ = Grow(kept.text, kept.capacity, n + 1);
        data_[0] = 0;
    }
    ~Scratch() {
        ThreadScratch& kept = Kept();
        if (kept.capacity > kKeptLength + 1) {
            kept.text.reset();
            kept.capacity = 0;
        }
        if (kept.maskCapacity > kKeptLength) {
            kept.mask.reset();
            kept.maskCapacity = 0;
        }
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    wchar_t* get() { return data_; }

  private:
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

// The mask as a pointer to at least n bytes; a short mask is padded with 1
// in the thread's kept storage.
const unsigned char* MaskFor(std::span<const unsigned char> mask, std::size_t n) {
    if (mask.size() >= n) return mask.data();
    ThreadScratch& kept = Kept();
    unsigned char* padded = Grow(kept.mask, kept.maskCapacity, n);
    std::copy(mask.begin(), mask.end(), padded);
    std::fill(padded + mask.size(), padded + n, kMaskOther);
    return padded;
}

void DecodeBytes(std::wstring& text, FontType font_type) {
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

void EncodeBytes(std::wstring& text, FontType font_type,
                 std::span<const unsigned char> direction_mask) {
    wchar_t* p = text.data();
    const std::size_t n = std::wcslen(p);
    Scratch temp(n);
    LogicalToVisualMasked(p, n, temp.get(), nullptr, kRightToLeft, MaskFor(direction_mask, n));
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

void ConvertBytesForTarget(wchar_t* text, bool to_windows, std::int32_t ltrParagraph) {
    std::size_t n = std::wcslen(text);
    if (to_windows) {
        if (!ContainsDosHebrew(text)) return;
        DecodeDosEscapes(text, n);
        Scratch temp(n);
        DosToWinReversed(text, temp.get());
        LogicalToVisual(temp.get(), n, text, nullptr, ltrParagraph);
    } else {
        if (!ContainsWindowsHebrew(text)) return;
        Scratch temp(n);
        LogicalToVisual(text, n, temp.get(), nullptr, ltrParagraph);
        WinToDosReversed(temp.get(), text);
    }
    if (ltrParagraph != 0) Reverse(text);
}

bool ToWindows(const wchar_t* target) {
    return target != nullptr && (target[0] == L'w' || target[0] == L'W') && target[1] == 0;
}

// The DOS letters are read or written by every font type but D2w and
// Unknown.
StandInSet StandInsOf(FontType font_type) {
    return font_type == FontType::D2w || font_type == FontType::Unknown ? StandInSet::kWindowsLayout
                                                                        : StandInSet::kDosLayout;
}

}  // namespace

void DecodeDrawingText(std::wstring& text, FontType font_type) {
    switch (font_type) {
        case FontType::HebrewNormal:
        case FontType::Hebrew7Bit:
        case FontType::Hebrew7BitBackward:
        case FontType::D2w:
            break;
        default:
            return;  // read as stored
    }
    if (!HasWideCharacters(text)) return DecodeBytes(text, font_type);
    ConvertKeepingWideCharacters(text, StandInsOf(font_type),
                                 [font_type](std::wstring& t) { DecodeBytes(t, font_type); });
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
    if (!HasWideCharacters(text)) return EncodeBytes(text, font_type, direction_mask);
    ConvertKeepingWideCharacters(text, StandInsOf(font_type), [&](std::wstring& t) {
        EncodeBytes(t, font_type, direction_mask);
    });
}

std::int32_t ConvertForTarget(std::wstring& text, const wchar_t* target,
                              std::int32_t ltrParagraph) {
    const bool to_windows = ToWindows(target);
    const auto convert = [to_windows, ltrParagraph](std::wstring& t) {
        ConvertBytesForTarget(t.data(), to_windows, ltrParagraph);
        FitToNul(t);
    };
    if (!HasWideCharacters(text))
        convert(text);
    else
        ConvertKeepingWideCharacters(text, StandInSet::kDosLayout, convert);
    return 1;
}

std::int32_t ConvertForTarget(wchar_t* text, const wchar_t* target, std::int32_t ltrParagraph) {
    if (text == nullptr) return 1;
    std::wstring copy(text);
    if (!HasWideCharacters(copy)) {
        ConvertBytesForTarget(text, ToWindows(target), ltrParagraph);
        return 1;
    }
    // The result is never longer than the text, so it fits where it was.
    ConvertForTarget(copy, target, ltrParagraph);
    std::wcscpy(text, copy.c_str());
    return 1;
}

}  // namespace tarsil::hebrew
