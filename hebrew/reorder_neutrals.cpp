#include <array>

#include "hebrew/reorder.h"
#include "hebrew/reorder_internal.h"
#include "hebrew/reorder_levels.h"
#include "hebrew/reorder_numbers.h"

namespace tarsil::hebrew::detail {
namespace {

constexpr std::uint8_t kNotFound = kNone;

// What the variants' one-step search finds at a byte that is not skipped.
constexpr std::uint8_t FoundAs(std::uint8_t c) {
    if (c == kL || c == kR) return c;
    return c == kNone ? kNotFound : std::uint8_t{kL};
}

// The search skips white space and stops at anything else: its result after
// a byte of class c, as a table and a mask since classes come at random.
struct SearchStep {
    std::array<std::uint8_t, 16> found{};
    std::array<std::uint8_t, 16> skipped{};  // 0xFF for white space
    constexpr SearchStep() {
        for (int c = 0; c < 16; ++c) {
            found[c] = FoundAs(static_cast<std::uint8_t>(c));
            skipped[c] = c == kWS ? 0xFF : 0;
        }
    }
    std::uint8_t After(std::uint8_t result, std::uint8_t c) const {
        return static_cast<std::uint8_t>((result & skipped[c]) | (found[c] & ~skipped[c]));
    }
};
constexpr SearchStep kSearch;

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

// What each kind of neutral byte of a run becomes, given the paragraph's
// class and the strong classes before (b) and after (a) the run.
constexpr std::array<std::uint8_t, kNeutralKinds> RunOutcomes(std::uint8_t paragraph,
                                                              std::uint8_t b, std::uint8_t a) {
    if (a != kNotFound && a == b) return {b, b, b, b};
    std::uint8_t space = kL, punctuation = kL;
    if (a != kNotFound && b == kNotFound)
        space = a;
    else if (a == kNotFound && b != kNotFound)
        space = b;
    else if (a != kNotFound)
        space = punctuation = paragraph;  // both found, and they differ
    return {kL, paragraph, space, punctuation};
}

// RunOutcomes for every b and a (none, L or R) and kind of neutral byte,
// flat: [b << 4 | a << 2 | kind].
using OutcomeTable = std::array<std::uint8_t, 48>;
constexpr OutcomeTable BuildOutcomes(std::uint8_t paragraph) {
    OutcomeTable t{};
    for (std::uint8_t b = 0; b < 3; ++b)
        for (std::uint8_t a = 0; a < 3; ++a)
            for (int kind = 0; kind < kNeutralKinds; ++kind)
                t[b << 4 | a << 2 | kind] = RunOutcomes(paragraph, b, a)[kind];
    return t;
}
constexpr OutcomeTable kOutcomes[2] = {BuildOutcomes(kL), BuildOutcomes(kR)};  // [paragraph R]

// The classes after flattening: [general operation][class].
using ClassMap = std::array<std::uint8_t, kClasses>;
constexpr ClassMap FlattenedClasses(bool general) {
    ClassMap t{};
    for (int c = 0; c < kClasses; ++c) {
        if (c == kES || c == kET || c == kCS)
            t[c] = kON;
        else if (c == kEN && general)
            t[c] = kL;
        else
            t[c] = static_cast<std::uint8_t>(c);
    }
    return t;
}
constexpr ClassMap kFlattened[2] = {FlattenedClasses(false), FlattenedClasses(true)};

// 0xFF for the neutral classes; for them and Arabic numbers, which do not
// end a run of neutrals.
using ClassMasks = std::array<std::uint8_t, kClasses>;
constexpr ClassMasks kNeutralMask = [] {
    ClassMasks t{};
    for (int c = 0; c < kClasses; ++c) t[c] = IsNeutral(static_cast<std::uint8_t>(c)) ? 0xFF : 0;
    return t;
}();
constexpr ClassMasks kKeepsBefore = [] {
    ClassMasks t = kNeutralMask;
    t[kAN] = 0xFF;
    return t;
}();

// The general operation decides per run of neutrals (Arabic numbers inside
// a run do not end it), from the strong classes around the run.  Every
// outcome is strong, so the last neutral of a run is the strong class that
// the next run sees before it.  Taken one position at a time with tables,
// the words of real text cost no mispredicted branch.
//
// Between two runs there is a byte that is neither neutral nor an Arabic
// number; unless it is a control character, it is strong, and it is the
// class the later run sees before it.  So a piece without control
// characters needs no resolved class to resolve the next run, and no
// position waits for the one before it.
void ResolveByRuns(Line& line, std::size_t from, std::size_t to, LineScan& scan) {
    std::uint8_t* cls = line.classes;
    const ClassMap& flattened = kFlattened[1];
    // The nearest strong class at or after i, for i in the piece (a piece
    // ends with a strong byte, and the last one with the line), shifted
    // left by 2 beside the kind of the byte at i: the second half of an
    // index into the outcome table.
    const unsigned char* bytes = line.bytes;
    std::uint8_t* after = line.scratch;
    std::uint8_t next = kNotFound;
    bool control = false;
    for (std::size_t i = to; i-- > from;) {
        const std::uint8_t c = flattened[cls[i]];
        cls[i] = c;
        next = IsStrong(c) ? c : next;
        after[i] = static_cast<std::uint8_t>(next << 2 | kNeutralKind.of[bytes[i]]);
        control |= c == kNone;
    }

    // The state lives in locals while the loops run: stores to the byte
    // arrays could alias anything reached through a pointer.
    const OutcomeTable& outcomes = kOutcomes[line.paragraph == kR];
    std::uint8_t* levels = line.levels;
    ImplicitLevels implicitLevels = scan.implicitLevels;
    std::uint8_t lastStrong = scan.lastStrong;
    if (!control) {
        std::uint8_t before = lastStrong;  // the class before the current or next run
        for (std::size_t i = from; i < to; ++i) {
            const std::uint8_t c = cls[i];
            // Masks rather than conditions, so that no branch depends on the text.
            const std::uint8_t neutral = kNeutralMask[c];
            const std::uint8_t outcome = outcomes[before << 4 | after[i]];
            const auto resolved = static_cast<std::uint8_t>((outcome & neutral) | (c & ~neutral));
            const std::uint8_t keep = kKeepsBefore[c];
            before = static_cast<std::uint8_t>((before & keep) | (c & ~keep));
            cls[i] = resolved;
            levels[i] = implicitLevels.Applied(resolved, levels[i]);
        }
        // The last strong class: at worst behind a few Arabic numbers.
        for (std::size_t i = to; i-- > from;)
            if (IsStrong(cls[i])) {
                lastStrong = cls[i];
                break;
            }
    } else {
        std::uint8_t before = lastStrong;  // the strong class before the current run
        bool inRun = false;                // a piece begins after a strong byte
        for (std::size_t i = from; i < to; ++i) {
            const std::uint8_t c = cls[i];
            const bool neutral = IsNeutral(c);
            before = inRun ? before : lastStrong;
            const std::uint8_t outcome = outcomes[before << 4 | after[i]];
            const std::uint8_t resolved = neutral ? outcome : c;
            cls[i] = resolved;
            lastStrong = IsStrong(resolved) ? resolved : lastStrong;
            inRun = neutral || (inRun && c == kAN);
            levels[i] = implicitLevels.Applied(resolved, levels[i]);
        }
    }
    scan.implicitLevels = implicitLevels;
    scan.lastStrong = lastStrong;
}

// What the variants make of a neutral byte (class B, S, WS or ON), from
// its class, its kind, the strong classes found before (b) and after (a)
// it, whether it was typed as Hebrew and whether the byte before it is R:
// the rules in one table, so that no branch depends on the text.
constexpr std::uint8_t VariantOutcome(bool visualToLogical, std::uint8_t paragraph,
                                      std::uint8_t own, int kind, std::uint8_t b, std::uint8_t a,
                                      bool typed, bool afterR) {
    if (a != kNotFound && a == b) return b;
    if (kind == kPlain || kind == kMirrored)
        return kind == kMirrored ? paragraph : std::uint8_t{kL};
    if (a != kNotFound && b == kNotFound) return kind == kPunctuation ? std::uint8_t{kL} : a;
    if (b == kNotFound) return !visualToLogical && typed ? std::uint8_t{kR} : std::uint8_t{kL};
    if (own == kON) return kL;
    if (a == kR || a == kNotFound) return kR;
    if (visualToLogical) return b;
    return afterR ? std::uint8_t{kR} : own;
}

// Indexed [class & 3][kind][b][a][typed as Hebrew][after R], in that order
// of bits (2, 2, 2, 2, 1, 1).
using ByteOutcomeTable = std::array<std::uint8_t, 1024>;
constexpr ByteOutcomeTable BuildByteOutcomes(bool visualToLogical, std::uint8_t paragraph) {
    ByteOutcomeTable t{};
    for (int own = kB; own <= kON; ++own)
        for (int kind = 0; kind < kNeutralKinds; ++kind)
            for (std::uint8_t b = 0; b < 3; ++b)
                for (std::uint8_t a = 0; a < 3; ++a)
                    for (int typed = 0; typed < 2; ++typed)
                        for (int afterR = 0; afterR < 2; ++afterR)
                            t[(own & 3) << 8 | kind << 6 | b << 4 | a << 2 | typed << 1 | afterR] =
                                VariantOutcome(visualToLogical, paragraph,
                                               static_cast<std::uint8_t>(own), kind, b, a,
                                               typed != 0, afterR != 0);
    return t;
}
// [visual to logical][paragraph R]
constexpr ByteOutcomeTable kByteOutcomes[2][2] = {
    {BuildByteOutcomes(false, kL), BuildByteOutcomes(false, kR)},
    {BuildByteOutcomes(true, kL), BuildByteOutcomes(true, kR)}};

// The variants decide per byte.  Their search skips white space and stops at
// anything else, so the backward result is carried along the scan and the
// forward result is precomputed from the right.
void ResolveByBytes(Line& line, std::size_t from, std::size_t to, LineScan& scan) {
    std::uint8_t* cls = line.classes;
    // The forward search's result from i, for i in the piece.
    std::uint8_t* ahead = line.scratch;
    std::uint8_t found = kNotFound;
    for (std::size_t i = to; i-- > from;) {
        const std::uint8_t c = kFlattened[0][cls[i]];
        cls[i] = c;
        found = kSearch.After(found, c);
        ahead[i] = found;
    }

    // Locals while the loop runs, as in ResolveByRuns.
    const ByteOutcomeTable& outcomes =
        kByteOutcomes[line.variant == Variant::kVisualToLogical][line.paragraph == kR];
    const unsigned char* bytes = line.bytes;
    const unsigned char* mask = line.variant == Variant::kMasked ? line.mask : nullptr;
    std::uint8_t* levels = line.levels;
    ImplicitLevels implicitLevels = scan.implicitLevels;
    std::uint8_t behind = scan.behind;  // the backward search's result from i - 1
    // The resolved class before i; nothing before the line counts as R.
    std::uint8_t before = from > 0 ? cls[from - 1] : std::uint8_t{kNone};
    for (std::size_t i = from; i < to; ++i) {
        const std::uint8_t own = cls[i];
        const std::uint8_t neutral = kNeutralMask[own];
        const std::uint8_t ws = kSearch.skipped[own];
        const auto b = static_cast<std::uint8_t>((behind & ws) | (kL & ~ws));
        const unsigned typed = mask != nullptr && mask[i] == kMaskHebrew;
        const std::uint8_t outcome = outcomes[(own & 3u) << 8 | kNeutralKind.of[bytes[i]] << 6 |
                                              b << 4 | ahead[i] << 2 | typed << 1 | (before == kR)];
        const auto c = static_cast<std::uint8_t>((outcome & neutral) | (own & ~neutral));
        cls[i] = c;
        before = c;
        behind = kSearch.After(behind, c);
        levels[i] = implicitLevels.Applied(c, levels[i]);
    }
    scan.behind = behind;
    scan.implicitLevels = implicitLevels;
}

}  // namespace

void ResolveNeutrals(Line& line, std::size_t from, std::size_t to, LineScan& scan) {
    if (line.variant == Variant::kLogicalToVisual)
        ResolveByRuns(line, from, to, scan);
    else
        ResolveByBytes(line, from, to, scan);
}

}  // namespace tarsil::hebrew::detail
