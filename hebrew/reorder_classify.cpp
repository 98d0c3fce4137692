#include "hebrew/reorder_internal.h"

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
bool IsForeignByte(unsigned char b) {
    return (b >= 0x80 && b <= 0xDF) || b >= 0xFB;
}

}  // namespace

void ClassifyBytes(Line& line) {
    const std::size_t n = line.n;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char b = line.bytes[i];
        std::uint8_t c = IsForeignByte(b) ? std::uint8_t{kON} : kByteClasses[b];
        switch (line.variant) {
            case Variant::kLogicalToVisual:
                if (line.rtl && (c == kCS || c == kON || c == kES)) c = kR;
                break;
            case Variant::kMasked:
                if (line.TypedAsHebrew(i) && (IsNeutral(c) || c == kES || (c == kCS && i == n - 1)))
                    c = kR;
                break;
            case Variant::kVisualToLogical:
                break;
        }
        line.classes[i] = c;
    }
}

}  // namespace detail
}  // namespace tarsil::hebrew
