#include "hebrew/reorder.h"

#include <algorithm>
#include <array>
#include <new>

#include "hebrew/narrow.h"
#include "hebrew/reorder_internal.h"
#include "hebrew/reorder_levels.h"

namespace tarsil::hebrew {
namespace detail {
namespace {

// Lines up to this length are worked on in a buffer on the stack.
constexpr std::size_t kStackLine = 256;
constexpr std::size_t kArrays = 4;  // bytes, classes, levels, scratch
// Pieces of a long line are about this long (see reorder_internal.h).
constexpr std::size_t kPiece = 8192;
// A thread keeps its workspace for lines up to this length (16 MiB of
// storage); after a longer one it gives the storage back.
constexpr std::size_t kThreadKeeps = std::size_t{1} << 22;

// The workspace of the calls that pass none.
ReorderWorkspace& ThreadWorkspace() {
    thread_local ReorderWorkspace workspace;
    return workspace;
}

std::int32_t Reorder(Variant variant, const wchar_t* text, std::size_t n, wchar_t* out,
                     std::uint32_t* indexMap, std::int32_t ltrParagraph, const unsigned char* mask,
                     ReorderWorkspace* workspace) {
    if (text == nullptr || out == nullptr) return 0;
    n = NarrowLength(text, n);

    std::array<std::uint8_t, kArrays*(kStackLine + 1)> small;
    std::uint8_t* storage = small.data();
    if (n > kStackLine) {
        ReorderWorkspace& ws = workspace != nullptr ? *workspace : ThreadWorkspace();
        storage = ws.Reserve(n);
        if (storage == nullptr) return 0;
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

    LineScan scan(line);
    for (std::size_t from = 0; from < n;) {
        const std::size_t to = ClassifyPiece(line, text, from, from + kPiece, scan);
        ResolveNumberRuns(line, from, to);
        ResolveNeutrals(line, from, to, scan);
        from = to;
    }
    line.highest = scan.implicitLevels.Highest();
    line.lowestOdd = scan.implicitLevels.LowestOdd();
    ReverseRuns(line, indexMap);
    WriteOutput(line, out, indexMap);
    if (workspace == nullptr && n > kThreadKeeps) ThreadWorkspace().Release();
    return 1;
}

}  // namespace

}  // namespace detail

std::uint8_t* ReorderWorkspace::Reserve(std::size_t n) {
    if (n > capacity_) {
        const std::size_t grown = std::max(n, capacity_ + capacity_ / 2);
        // Not value-initialised: every pass writes a position before reading it.
        std::unique_ptr<std::uint8_t[]> storage(new (std::nothrow)
                                                    std::uint8_t[detail::kArrays * (grown + 1)]);
        if (!storage) return nullptr;
        storage_ = std::move(storage);
        capacity_ = grown;
    }
    return storage_.get();
}

void ReorderWorkspace::Release() {
    storage_.reset();
    capacity_ = 0;
}

std::int32_t LogicalToVisual(const wchar_t* text, std::size_t n, wchar_t* out,
                             std::uint32_t* indexMap, std::int32_t ltrParagraph) {
    return detail::Reorder(detail::Variant::kLogicalToVisual, text, n, out, indexMap, ltrParagraph,
                           nullptr, nullptr);
}

std::int32_t LogicalToVisual(const wchar_t* text, std::size_t n, wchar_t* out,
                             std::uint32_t* indexMap, std::int32_t ltrParagraph,
                             ReorderWorkspace& workspace) {
    return detail::Reorder(detail::Variant::kLogicalToVisual, text, n, out, indexMap, ltrParagraph,
                           nullptr, &workspace);
}

std::int32_t LogicalToVisualMasked(const wchar_t* text, std::size_t n, wchar_t* out,
                                   std::uint32_t* indexMap, std::int32_t ltrParagraph,
                                   const unsigned char* directionMask) {
    return detail::Reorder(detail::Variant::kMasked, text, n, out, indexMap, ltrParagraph,
                           directionMask, nullptr);
}

std::int32_t LogicalToVisualMasked(const wchar_t* text, std::size_t n, wchar_t* out,
                                   std::uint32_t* indexMap, std::int32_t ltrParagraph,
                                   const unsigned char* directionMask,
                                   ReorderWorkspace& workspace) {
    return detail::Reorder(detail::Variant::kMasked, text, n, out, indexMap, ltrParagraph,
                           directionMask, &workspace);
}

std::int32_t VisualToLogical(const wchar_t* text, std::size_t n, wchar_t* out,
                             std::uint32_t* indexMap, std::int32_t ltrParagraph) {
    return detail::Reorder(detail::Variant::kVisualToLogical, text, n, out, indexMap, ltrParagraph,
                           nullptr, nullptr);
}

std::int32_t VisualToLogical(const wchar_t* text, std::size_t n, wchar_t* out,
                             std::uint32_t* indexMap, std::int32_t ltrParagraph,
                             ReorderWorkspace& workspace) {
    return detail::Reorder(detail::Variant::kVisualToLogical, text, n, out, indexMap, ltrParagraph,
                           nullptr, &workspace);
}

}  // namespace tarsil::hebrew
