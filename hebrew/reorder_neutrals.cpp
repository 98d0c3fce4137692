#include <array>

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

// Neutral bytes differ for the rules only in being plain, mirrored, the
// space or other space-like punctuation.
enum NeutralKind : std::uint8_t { kPlain, kMirrored, kSpace, kPunctuation, kNeutralKinds };

struct NeutralKinds {
    std::array<std::uint8_t, 256> of{};
    constexpr NeutralKinds() {
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            of[b] = byte == ' '                ? kSpace
                    : IsPunctuation(byte)      ? kPunctuation
                    : MirrorPartner(byte) != 0 ? kMirrored
                                               : kPlain;
        }
    }
};
constexpr NeutralKinds kNeutralKind;

// What each kind of neutral byte of a run becomes, given the strong classes
// before (b) and after (a) the run.
std::array<std::uint8_t, kNeutralKinds> RunOutcomes(const Line& line, std::uint8_t b,
                                                    std::uint8_t a) {
    if (a != kNotFound && a == b) return {b, b, b, b};
    std::uint8_t space, punctuation = kL;
    if (a != kNotFound && b == kNotFound)
        space = a;
    else if (a == kNotFound && b != kNotFound)
        space = b;
    else if (a == kNotFound)
        space = kL;
    else
        space = punctuation = line.paragraph;  // both found, and they differ
    return {kL, line.paragraph, space, punctuation};
}

// The general operation decides per run, from the strong bytes around it.
void ResolveByRuns(Line& line, std::size_t from, std::size_t to, LineScan& scan) {
    const std::size_t n = line.n;
    std::uint8_t* cls = line.classes;
    // The nearest strong class at or after i; a piece ends with a strong
    // byte, so the entry at `to` is only read for the last piece.
    std::uint8_t* nextStrong = line.scratch;
    nextStrong[to] = kNotFound;
    for (std::size_t i = to; i-- > from;) {
        cls[i] = Flattened(line, cls[i]);
        nextStrong[i] = IsStrong(cls[i]) ? cls[i] : nextStrong[i + 1];
    }

    ImplicitLevels& implicitLevels = scan.implicitLevels;
    std::uint8_t& lastStrong = scan.lastStrong;
    for (std::size_t s = from; s < to;) {
        if (!IsNeutral(cls[s])) {
            if (IsStrong(cls[s])) lastStrong = cls[s];
            implicitLevels.Apply(cls[s], line.levels[s]);
            ++s;
            continue;
        }
        std::size_t e = s;
        while (e < n && (IsNeutral(cls[e]) || cls[e] == kAN)) ++e;
        const auto outcome = RunOutcomes(line, lastStrong, nextStrong[e]);
        for (std::size_t i = s; i < e; ++i) {
            const std::uint8_t c = outcome[kNeutralKind.of[line.bytes[i]]];
            cls[i] = IsNeutral(cls[i]) ? c : cls[i];  // Arabic numbers stay
        }
        // The run begins with a neutral, so its last neutral is now strong.
        for (std::size_t i = e; i-- > s;)
            if (IsStrong(cls[i])) {
                lastStrong = cls[i];
                break;
            }
        for (std::size_t i = s; i < e; ++i) implicitLevels.Apply(cls[i], line.levels[i]);
        s = e;
    }
}

// The variants decide per byte.  Their search skips white space and stops at
// anything else, so the backward result is carried along the scan and the
// forward result is precomputed from the right.
void ResolveByBytes(Line& line, std::size_t from, std::size_t to, LineScan& scan) {
    std::uint8_t* cls = line.classes;
    // The forward search's result from i; a piece ends with a strong byte,
    // so the entry at `to` is only read for the last piece.
    std::uint8_t* ahead = line.scratch;
    ahead[to] = kNotFound;
    for (std::size_t i = to; i-- > from;) {
        cls[i] = Flattened(line, cls[i]);
        ahead[i] = cls[i] == kWS ? ahead[i + 1] : FoundAs(cls[i]);
    }

    const bool visualToLogical = line.variant == Variant::kVisualToLogical;
    std::uint8_t& behind = scan.behind;  // the backward search's result from i - 1
    for (std::size_t i = from; i < to; ++i) {
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
        scan.implicitLevels.Apply(cls[i], line.levels[i]);
    }
}

}  // namespace

void ResolveNeutrals(Line& line, std::size_t from, std::size_t to, LineScan& scan) {
    if (line.variant == Variant::kLogicalToVisual)
        ResolveByRuns(line, from, to, scan);
    else
        ResolveByBytes(line, from, to, scan);
}

}  // namespace tarsil::hebrew::detail
