#include <array>

#include "hebrew/reorder.h"
#include "hebrew/reorder_internal.h"
#include "hebrew/reorder_levels.h"
#include "hebrew/reorder_numbers.h"

namespace tarsil::hebrew {

namespace {
constexpr std::uint8_t kByteClasses[256] = {
#include "hebrew/bidi_class_table.inc"
};
}  // namespace

BidiClass ByteBidiClass(unsigned char byte) {
    return static_cast<BidiClass>(kByteClasses[byte]);
}

namespace detail {
namespace {

// Bytes outside ASCII and the Windows Hebrew letters count as other neutrals.
constexpr bool IsForeignByte(int b) {
    return (b >= 0x80 && b <= 0xDF) || b >= 0xFB;
}

using ClassTable = std::array<std::uint8_t, 256>;

// rightToLeft: the general operation's right-to-left paragraph, where
// separators and other neutrals become R.
constexpr ClassTable AdjustedClasses(bool rightToLeft) {
    ClassTable t{};
    for (int b = 0; b < 256; ++b) {
        std::uint8_t c = IsForeignByte(b) ? std::uint8_t{kON} : kByteClasses[b];
        if (rightToLeft && (c == kCS || c == kON || c == kES)) c = kR;
        t[b] = c;
    }
    return t;
}

constexpr ClassTable kAdjusted = AdjustedClasses(false);
constexpr ClassTable kAdjustedRightToLeft = AdjustedClasses(true);

}  // namespace

namespace {

// The loop of ClassifyPiece, made once per combination of the checks that
// only some operations need, so that the others do not pay for them.
template <bool kMasked, bool kSeparators>
std::size_t ClassifyLoop(Line& line, const ClassTable& table, const wchar_t* text, std::size_t from,
                         std::size_t minEnd, LineScan& scan) {
    // Locals while the loop runs: stores to the byte arrays could alias
    // anything reached through a pointer.
    const std::size_t n = line.n;
    unsigned char* bytes = line.bytes;
    std::uint8_t* classes = line.classes;
    std::uint8_t* levels = line.levels;
    ExplicitLevels explicitLevels = scan.explicitLevels;
    auto classOf = [&](std::size_t i) {
        const auto b = static_cast<unsigned char>(text[i]);
        bytes[i] = b;
        std::uint8_t c = table[b];
        // Neutrals and separators typed as Hebrew are right to left.
        if (kMasked && line.mask[i] == kMaskHebrew &&
            (IsNeutral(c) || c == kES || (c == kCS && i == n - 1)))
            c = kR;
        classes[i] = c;
        return c;
    };
    // Two positions per step while neither can end the piece.  The
    // separator rule runs one position behind, so that it sees its right
    // neighbour's adjusted class and its left neighbour's result.
    std::size_t i = from;
    for (; i + 1 < n && i + 2 < minEnd; i += 2) {
        const std::uint8_t c1 = classOf(i);
        if (kSeparators && i >= 2) ResolveSeparatorAt(line, i - 1);
        const std::uint8_t c2 = classOf(i + 1);
        if (kSeparators && i >= 1) ResolveSeparatorAt(line, i);
        explicitLevels.NextPair(c1, c2, levels[i], levels[i + 1]);
    }
    std::size_t end = n;
    for (; i < n; ++i) {
        const std::uint8_t c = classOf(i);
        levels[i] = explicitLevels.Next(c);
        // The separator rule runs one position behind, so that it sees its
        // right neighbour's adjusted class and its left neighbour's result.
        if (kSeparators && i >= 2) ResolveSeparatorAt(line, i - 1);
        if (i + 1 >= minEnd && IsStrong(c)) {
            end = i + 1;
            break;
        }
    }
    scan.explicitLevels = explicitLevels;
    return end;
}

}  // namespace

std::size_t ClassifyPiece(Line& line, const wchar_t* text, std::size_t from, std::size_t minEnd,
                          LineScan& scan) {
    // In the general operation's right-to-left paragraph separators are
    // already R, so no separator rule can apply.
    const bool rightToLeftGeneral = line.variant == Variant::kLogicalToVisual && line.rtl;
    const ClassTable& table = rightToLeftGeneral ? kAdjustedRightToLeft : kAdjusted;
    if (rightToLeftGeneral)
        return ClassifyLoop<false, false>(line, table, text, from, minEnd, scan);
    if (line.variant == Variant::kMasked && line.mask != nullptr)
        return ClassifyLoop<true, true>(line, table, text, from, minEnd, scan);
    return ClassifyLoop<false, true>(line, table, text, from, minEnd, scan);
}

}  // namespace detail
}  // namespace tarsil::hebrew
