#include "hebrew/codec/wide_characters.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cwchar>
#include <vector>

namespace tarsil::hebrew {
namespace {

// Every byte from 0x80 that is not a Windows letter is read by the
// reordering as a plain neutral (not a space, not a bracket), and no table
// maps it; the DOS letters are left out when the DOS layout is involved.
template <unsigned char First>
constexpr auto StandIns() {
    std::array<unsigned char, 0xE0 - First + 5> bytes{};
    std::size_t n = 0;
    for (unsigned b = First; b < 0xE0; ++b) bytes[n++] = static_cast<unsigned char>(b);
    for (unsigned b = 0xFB; b <= 0xFF; ++b) bytes[n++] = static_cast<unsigned char>(b);
    return bytes;
}
constexpr auto kDosLayoutStandIns = StandIns<0x9B>();
constexpr auto kWindowsLayoutStandIns = StandIns<0x80>();

constexpr std::int16_t kNotStandIn = -1;

bool IsWide(wchar_t c) {
    return static_cast<std::uint32_t>(c) > 0xFF;
}

}  // namespace

std::span<const unsigned char> StandInBytes(StandInSet set) {
    if (set == StandInSet::kDosLayout) return kDosLayoutStandIns;
    return kWindowsLayoutStandIns;
}

bool HasWideCharacters(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c == 0) return false;
        if (IsWide(c)) return true;
    }
    return false;
}

void ConvertKeepingWideCharacters(std::wstring& text, StandInSet set,
                                  const std::function<void(std::wstring&)>& convert) {
    const std::span<const unsigned char> standIns = StandInBytes(set);
    const std::size_t k = standIns.size();
    std::array<std::int16_t, 256> slot;
    slot.fill(kNotStandIn);
    for (std::size_t s = 0; s < k; ++s) slot[standIns[s]] = static_cast<std::int16_t>(s);
    const auto slotOf = [&slot](wchar_t c) {
        return IsWide(c) ? kNotStandIn : slot[static_cast<unsigned char>(c)];
    };

    // Tracked: the wide characters, and the stand-in bytes the text already
    // holds, which would otherwise be taken for stand-ins on the way back.
    const std::size_t n = std::wcslen(text.c_str());
    std::vector<wchar_t> tracked;
    for (std::size_t i = 0; i < n; ++i)
        if (IsWide(text[i]) || slotOf(text[i]) != kNotStandIn) tracked.push_back(text[i]);
    std::sort(tracked.begin(), tracked.end());
    tracked.erase(std::unique(tracked.begin(), tracked.end()), tracked.end());

    constexpr std::uint32_t kUntracked = UINT32_MAX;
    std::vector<std::uint32_t> number(n, kUntracked);
    for (std::size_t i = 0; i < n; ++i) {
        const auto it = std::lower_bound(tracked.begin(), tracked.end(), text[i]);
        if (it != tracked.end() && *it == text[i])
            number[i] = static_cast<std::uint32_t>(it - tracked.begin());
    }

    // Run r writes digit r (base k) of each character's number; the stand-ins
    // land in the same places every run, so the digits add up there.
    std::wstring result;
    std::vector<std::uint32_t> found;
    std::uint64_t weight = 1;
    do {
        std::wstring work(text, 0, n);
        for (std::size_t i = 0; i < n; ++i)
            if (number[i] != kUntracked) work[i] = standIns[number[i] / weight % k];
        convert(work);
        if (weight == 1) {
            result = work;
            found.assign(result.size(), 0);
        }
        for (std::size_t p = 0; p < found.size() && p < work.size(); ++p) {
            const std::int16_t s = slotOf(work[p]);
            if (s != kNotStandIn) found[p] += static_cast<std::uint32_t>(s * weight);
        }
        weight *= k;
    } while (weight < tracked.size());

    for (std::size_t p = 0; p < result.size(); ++p)
        if (slotOf(result[p]) != kNotStandIn && found[p] < tracked.size())
            result[p] = tracked[found[p]];
    text = std::move(result);
}

}  // namespace tarsil::hebrew
