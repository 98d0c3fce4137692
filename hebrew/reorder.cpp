#include "hebrew/reorder.h"

#include <array>
#include <memory>
#include <new>

#include "hebrew/narrow.h"
#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew {
namespace detail {
namespace {

constexpr char kSpaceLike[] = " ./;,\"*@`~";
constexpr char kMirrorPairs[] = "()[]{}<>";

struct ByteSets {
    std::array<bool, 256> spaceLike{};
    std::array<unsigned char, 256> partner{};
    constexpr ByteSets() {
        for (const char* p = kSpaceLike; *p != 0; ++p)
            spaceLike[static_cast<unsigned char>(*p)] = true;
        for (int i = 0; kMirrorPairs[i] != 0; ++i)
            partner[static_cast<unsigned char>(kMirrorPairs[i])] =
                static_cast<unsigned char>(kMirrorPairs[i ^ 1]);
    }
};
constexpr ByteSets kSets;

// Lines up to this length are worked on in a buffer on the stack.
constexpr std::size_t kStackLine = 256;
constexpr std::size_t kArrays = 4;  // bytes, classes, levels, scratch

std::int32_t Reorder(Variant variant, const wchar_t* text, std::size_t n, wchar_t* out,
                     std::uint32_t* indexMap, std::int32_t ltrParagraph,
                     const unsigned char* mask) {
    if (text == nullptr || out == nullptr) return 0;
    n = NarrowLength(text, n);

    std::array<std::uint8_t, kArrays*(kStackLine + 1)> small;
    std::unique_ptr<std::uint8_t[]> large;
    std::uint8_t* storage = small.data();
    if (n > kStackLine) {
        large.reset(new (std::nothrow) std::uint8_t[kArrays * (n + 1)]);
        if (!large) return 0;
        storage = large.get();
    }

    Line line{};
    line.variant = variant;
    line.n = n;
    line.rtl = ltrParagraph == 0;
    line.baseLevel = line.rtl ? 1 : 0;
    line.paragraph = line.rtl ? kR : kL;
    line.mask = mask;
    line.bytes = storage;
    line.classes = storage + (n + 1);
    line.levels = storage + 2 * (n + 1);
    line.scratch = storage + 3 * (n + 1);
    for (std::size_t i = 0; i < n; ++i) line.bytes[i] = static_cast<unsigned char>(text[i]);

    ClassifyBytes(line);
    AssignExplicitLevels(line);
    ResolveNumbers(line);
    ResolveNeutrals(line);
    ApplyImplicitLevels(line);
    ReverseRuns(line, indexMap);

    for (std::size_t i = 0; i < n; ++i) out[i] = line.bytes[i];
    out[n] = 0;
    return 1;
}

}  // namespace

bool IsSpaceLike(unsigned char byte) {
    return kSets.spaceLike[byte];
}
bool IsPunctuation(unsigned char byte) {
    return byte != ' ' && kSets.spaceLike[byte];
}
unsigned char MirrorPartner(unsigned char byte) {
    return kSets.partner[byte];
}

}  // namespace detail

std::int32_t LogicalToVisual(const wchar_t* text, std::size_t n, wchar_t* out,
                             std::uint32_t* indexMap, std::int32_t ltrParagraph) {
    return detail::Reorder(detail::Variant::kLogicalToVisual, text, n, out, indexMap, ltrParagraph,
                           nullptr);
}

std::int32_t LogicalToVisualMasked(const wchar_t* text, std::size_t n, wchar_t* out,
                                   std::uint32_t* indexMap, std::int32_t ltrParagraph,
                                   const unsigned char* directionMask) {
    return detail::Reorder(detail::Variant::kMasked, text, n, out, indexMap, ltrParagraph,
                           directionMask);
}

std::int32_t VisualToLogical(const wchar_t* text, std::size_t n, wchar_t* out,
                             std::uint32_t* indexMap, std::int32_t ltrParagraph) {
    return detail::Reorder(detail::Variant::kVisualToLogical, text, n, out, indexMap, ltrParagraph,
                           nullptr);
}

}  // namespace tarsil::hebrew
