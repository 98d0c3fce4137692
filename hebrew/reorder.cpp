#include "hebrew/reorder.h"

#include <array>
#include <memory>
#include <new>

#include "hebrew/narrow.h"
#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew {
namespace detail {
namespace {

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

    ClassifyLine(line, text);
    ResolveNumberRuns(line);
    ResolveNeutrals(line);
    ReverseRuns(line, indexMap);
    WriteOutput(line, out, indexMap);
    return 1;
}

}  // namespace

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
