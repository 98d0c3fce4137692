#include "hebrew/reorder_internal.h"
#include "hebrew/reorder_levels.h"
#include "hebrew/reorder_numbers.h"

namespace tarsil::hebrew::detail {
namespace {

constexpr std::uint8_t kNotFound = kNone;

// What the variants' one-step search finds at a byte that is not skipped.
std::uint8_t FoundAs(std::uint8_t c) {
    if (c == kL || c == kR) return c;
    return c == kNone ? kNotFound : std::uint8_t{kL};
}

// Rules shared by all three operations for a neutral byte with the strong
// classes before (b) and after (a); returns kNotFound when the byte is a
// space-like one left to the operation's own rules.
std::uint8_t CommonRule(const Line& line, unsigned char byte, std::uint8_t b, std::uint8_t a) {
    if (a != kNotFound && a == b) return b;
    if (!IsSpaceLike(byte)) return MirrorPartner(byte) != 0 ? line.paragraph : std::uint8_t{kL};
    if (a != kNotFound && b == kNotFound) return IsPunctuation(byte) ? std::uint8_t{kL} : a;
    return kNotFound;
}

// The general operation decides per run, from the strong bytes around it.
void ResolveByRuns(Line& line) {
    const std::size_t n = line.n;
    std::uint8_t* cls = line.classes;
    std::uint8_t* nextStrong = line.scratch;  // nearest strong class at or after i
    nextStrong[n] = kNotFound;
    for (std::size_t i = n; i-- > 0;) {
        cls[i] = Flattened(line, cls[i]);
        nextStrong[i] = IsStrong(cls[i]) ? cls[i] : nextStrong[i + 1];
    }

    ImplicitLevels implicitLevels;
    std::uint8_t lastStrong = kNotFound;
    for (std::size_t s = 0; s < n;) {
        if (!IsNeutral(cls[s])) {
            if (IsStrong(cls[s])) lastStrong = cls[s];
            implicitLevels.Apply(cls[s], line.levels[s]);
            ++s;
            continue;
        }
        std::size_t e = s;
        while (e < n && (IsNeutral(cls[e]) || cls[e] == kAN)) ++e;
        const std::uint8_t b = lastStrong, a = nextStrong[e];
        for (std::size_t i = s; i < e; ++i) {
            if (!IsNeutral(cls[i])) continue;
            const unsigned char byte = line.bytes[i];
            std::uint8_t c = CommonRule(line, byte, b, a);
            if (c == kNotFound) {
                if (a == kNotFound && b != kNotFound)
                    c = IsPunctuation(byte) ? std::uint8_t{kL} : b;
                else if (a == kNotFound)
                    c = kL;
                else
                    c = line.paragraph;
            }
            cls[i] = c;
            lastStrong = c;
        }
        for (std::size_t i = s; i < e; ++i) implicitLevels.Apply(cls[i], line.levels[i]);
        s = e;
    }
    line.highest = implicitLevels.highest;
    line.lowestOdd = implicitLevels.lowestOdd;
}

// The variants decide per byte.  Their search skips white space and stops at
// anything else, so the backward result is carried along the scan and the
// forward result is precomputed from the right.
void ResolveByBytes(Line& line) {
    const std::size_t n = line.n;
    std::uint8_t* cls = line.classes;
    std::uint8_t* ahead = line.scratch;  // the forward search's result from i
    ahead[n] = kNotFound;
    for (std::size_t i = n; i-- > 0;) {
        cls[i] = Flattened(line, cls[i]);
        ahead[i] = cls[i] == kWS ? ahead[i + 1] : FoundAs(cls[i]);
    }

    const bool visualToLogical = line.variant == Variant::kVisualToLogical;
    std::uint8_t behind = kNotFound;  // the backward search's result from i - 1
    ImplicitLevels implicitLevels;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t own = cls[i];
        if (IsNeutral(own)) {
            const unsigned char byte = line.bytes[i];
            const std::uint8_t b = own == kWS ? behind : FoundAs(own);
            const std::uint8_t a = ahead[i];
            std::uint8_t c = CommonRule(line, byte, b, a);
            if (c != kNotFound) {
            } else if (b == kNotFound) {
                c = !visualToLogical && line.TypedAsHebrew(i) ? std::uint8_t{kR} : std::uint8_t{kL};
            } else if (own == kON) {
                c = kL;
            } else if (a == kR || a == kNotFound) {
                c = kR;
            } else if (visualToLogical) {
                c = b;
            } else {
                c = cls[i - 1] == kR ? std::uint8_t{kR} : own;
            }
            cls[i] = c;
        }
        if (cls[i] != kWS) behind = FoundAs(cls[i]);
        implicitLevels.Apply(cls[i], line.levels[i]);
    }
    line.highest = implicitLevels.highest;
    line.lowestOdd = implicitLevels.lowestOdd;
}

}  // namespace

void ResolveNeutrals(Line& line) {
    if (line.variant == Variant::kLogicalToVisual)
        ResolveByRuns(line);
    else
        ResolveByBytes(line);
}

}  // namespace tarsil::hebrew::detail
