#include "hebrew/codepage.h"

#include <algorithm>
#include <string>

#include "hebrew/narrow.h"

namespace tarsil::hebrew {
namespace {

constexpr unsigned char kDosFirst = 0x80, kDosLast = 0x9A;
constexpr unsigned char kWinFirst = 0xE0, kWinLast = 0xFA;
constexpr unsigned char kLayoutDistance = kWinFirst - kDosFirst;

// Maps forward, then reverses in place: no scratch copy, and out may be in
// because position i is read before it is written.
template <unsigned char (*Map)(unsigned char)>
int MapReversedWide(const wchar_t* in, wchar_t* out) {
    if (in == nullptr || out == nullptr) return 0;
    const std::size_t n = detail::NarrowLength(in);
    for (std::size_t i = 0; i < n; ++i) out[i] = Map(static_cast<unsigned char>(in[i]));
    std::reverse(out, out + n);
    out[n] = 0;
    return 1;
}

}  // namespace

unsigned char DosToWin(unsigned char byte) {
    return byte >= kDosFirst && byte <= kDosLast ? byte + kLayoutDistance : byte;
}

unsigned char WinToDos(unsigned char byte) {
    return byte >= kWinFirst && byte <= kWinLast ? byte - kLayoutDistance : byte;
}

void DosToWin(const char* src, char* dst) {
    if (src == nullptr || dst == nullptr) return;
    std::size_t i = 0;
    do {
        dst[i] = static_cast<char>(DosToWin(static_cast<unsigned char>(src[i])));
    } while (src[i++] != 0);
}

void WinToDos(const char* src, char* dst) {
    if (src == nullptr || dst == nullptr) return;
    std::size_t i = 0;
    do {
        dst[i] = static_cast<char>(WinToDos(static_cast<unsigned char>(src[i])));
    } while (src[i++] != 0);
}

int DosToWinReversed(const wchar_t* in, wchar_t* out) {
    return MapReversedWide<DosToWin>(in, out);
}

int WinToDosReversed(const wchar_t* in, wchar_t* out) {
    return MapReversedWide<WinToDos>(in, out);
}

int DosToWinReversed(const char* in, char* out) {
    if (in == nullptr || out == nullptr) return 0;
    DosToWin(in, out);
    const std::size_t n = std::char_traits<char>::length(out);
    std::reverse(out, out + n);
    return 1;
}

}  // namespace tarsil::hebrew
