// Fuzzes one reordering (chosen at build time) against the rule-by-rule
// reference: same text, same index map, never a write past n + 1.
#include <cstdint>
#include <vector>

#include "fuzz/hebrew/fuzz_text.h"
#include "hebrew/reorder.h"
#include "tests/hebrew/reference_reorder.h"

using namespace tarsil::hebrew;

namespace {

constexpr std::size_t kMaxCompared = 2048;  // the reference is quadratic

#if defined(FUZZ_MASKED)
constexpr auto kOperation = reference::Operation::kMasked;
#elif defined(FUZZ_VISUAL_TO_LOGICAL)
constexpr auto kOperation = reference::Operation::kVisualToLogical;
#else
constexpr auto kOperation = reference::Operation::kLogicalToVisual;
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t flags = data[0];
    const bool ltr = flags & 1, withMap = flags & 2, longer = flags & 4, wide = flags & 8;
    const bool nullMask = flags & 16;
    ++data, --size;

    std::size_t textSize = size;
    if (kOperation == reference::Operation::kMasked) textSize = size / 2;
    const std::wstring text = fuzzing::ToWide(data, textSize, wide);
    std::vector<unsigned char> mask(text.size() + 1, 1);
    for (std::size_t i = 0; i < text.size() && textSize + i < size; ++i)
        mask[i] = static_cast<unsigned char>(1 + (data[textSize + i] & 1));

    const std::size_t n = longer ? text.size() + 1000 : text.size();
    const std::size_t processed = fuzzing::Narrowed(text).size();
    // Exactly the room the header promises: processed + 1.
    std::vector<wchar_t> out(processed + 1, L'#');
    std::vector<std::uint32_t> map(processed + 1, 0xFFFFFFFF);
    std::uint32_t* mapOut = withMap ? map.data() : nullptr;
    int ok = 0;
    if (kOperation == reference::Operation::kMasked)
        ok = LogicalToVisualMasked(text.c_str(), n, out.data(), mapOut, ltr ? 1 : 0,
                                   nullMask ? nullptr : mask.data());
    else if (kOperation == reference::Operation::kVisualToLogical)
        ok = VisualToLogical(text.c_str(), n, out.data(), mapOut, ltr ? 1 : 0);
    else
        ok = LogicalToVisual(text.c_str(), n, out.data(), mapOut, ltr ? 1 : 0);
    if (ok != 1 || out[processed] != 0) fuzzing::Fail();

    if (processed > kMaxCompared) return 0;
    std::string maskBytes;
    for (std::size_t i = 0; i < processed; ++i)
        maskBytes.push_back(static_cast<char>(nullMask ? 1 : mask[i]));
    const auto want = reference::Reorder(kOperation, fuzzing::Narrowed(text), ltr, maskBytes);
    for (std::size_t i = 0; i < processed; ++i)
        if (out[i] != static_cast<unsigned char>(want.text[i])) fuzzing::Fail();
    if (withMap && map != want.map) fuzzing::Fail();
    return 0;
}
