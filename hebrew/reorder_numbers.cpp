#include <array>

#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew::detail {
namespace {

// A run of terminators touching a digit belongs to the number.  Returns the
// end of the run that starts at s.
std::size_t ResolveTerminatorRun(Line& line, std::size_t s) {
    std::uint8_t* cls = line.classes;
    const std::size_t n = line.n;
    std::size_t e = s;
    while (e < n && cls[e] == kET) ++e;
    if ((s > 0 && cls[s - 1] == kEN) || (e < n && cls[e] == kEN))
        for (std::size_t i = s; i < e; ++i) cls[i] = kEN;
    return e;
}

// Where, inside the neutral run [s, e) that is followed by a digit, the run
// starts to join that number; e when it does not join.  The variants look at
// each position in turn; since a joined tail ends the run, the first position
// that qualifies decides.
std::size_t JoinStart(const Line& line, std::size_t s, std::size_t e) {
    const std::uint8_t* cls = line.classes;
    const bool afterDigit = s > 0 && cls[s - 1] == kEN;
    switch (line.variant) {
        case Variant::kLogicalToVisual:
            return afterDigit ? s : e;
        case Variant::kMasked:
            if (afterDigit) return s;
            for (std::size_t i = s + 1; i < e; ++i)
                if (cls[i - 1] == kON) return i;
            return e;
        case Variant::kVisualToLogical:
            if (afterDigit) return s;
            for (std::size_t i = s > 0 ? s : 1; i < e; ++i)
                if (cls[i] == kON) return i;
            return e;
    }
    return e;
}

// Digits and terminators: the only classes that a run of this pass can act
// on, and only when the run touches one.
constexpr auto kNumberClass = [] {
    std::array<bool, 256> t{};
    t[kEN] = t[kET] = true;
    return t;
}();

// Where the pass has work next at or after s: the neutral run just before
// the next digit or terminator, or that position itself; `to` when there is
// none.  Every run before it is followed by a class other than those, so
// the pass would leave it as it is.
std::size_t NextNumberContext(const std::uint8_t* cls, std::size_t s, std::size_t to) {
    std::size_t p = s;
    while (p < to && !kNumberClass[cls[p]]) ++p;
    if (p == to) return to;
    while (p > s && IsNeutral(cls[p - 1])) --p;
    return p;
}

}  // namespace

// Terminators first, then neutrals, as if in two passes: a terminator run
// that follows a neutral run is settled before that neutral run, since it
// must see the neutrals unchanged and they must see its result.
void ResolveNumberRuns(Line& line, std::size_t from, std::size_t to) {
    std::uint8_t* cls = line.classes;
    const std::size_t n = line.n;  // runs end before a piece's last (strong) byte
    for (std::size_t s = NextNumberContext(cls, from, to); s < to;
         s = NextNumberContext(cls, s, to)) {
        if (cls[s] == kET) {
            s = ResolveTerminatorRun(line, s);
            continue;
        }
        if (!IsNeutral(cls[s])) {
            ++s;
            continue;
        }
        std::size_t e = s;
        while (e < n && IsNeutral(cls[e])) ++e;
        const std::size_t next = e < n && cls[e] == kET ? ResolveTerminatorRun(line, e) : e;
        if (e < n && cls[e] == kEN)
            for (std::size_t i = JoinStart(line, s, e); i < e; ++i) cls[i] = kEN;
        s = next;
    }
}

}  // namespace tarsil::hebrew::detail
