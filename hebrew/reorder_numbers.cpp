#include "hebrew/reorder_internal.h"

namespace tarsil::hebrew::detail {
namespace {

// A separator between two digits joins them into one number.
void ResolveSeparators(Line& line) {
    std::uint8_t* cls = line.classes;
    for (std::size_t i = 1; i + 1 < line.n; ++i) {
        const bool betweenEN = cls[i - 1] == kEN && cls[i + 1] == kEN;
        if (cls[i] == kES) {
            if (betweenEN) cls[i] = kEN;
        } else if (cls[i] == kCS) {
            if (betweenEN) {
                cls[i] = kEN;
            } else if (line.variant == Variant::kMasked) {
                if (line.TypedAsHebrew(i)) cls[i] = kR;
            } else if (cls[i - 1] == kAN && cls[i + 1] == kAN) {
                cls[i] = kAN;
            }
        }
    }
}

// A run of terminators touching a digit belongs to the number.
void ResolveTerminators(Line& line) {
    std::uint8_t* cls = line.classes;
    const std::size_t n = line.n;
    for (std::size_t s = 0; s < n;) {
        if (cls[s] != kET) {
            ++s;
            continue;
        }
        std::size_t e = s;
        while (e < n && cls[e] == kET) ++e;
        if ((s > 0 && cls[s - 1] == kEN) || (e < n && cls[e] == kEN))
            for (std::size_t i = s; i < e; ++i) cls[i] = kEN;
        s = e;
    }
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

void ResolveNeutralsInNumbers(Line& line) {
    std::uint8_t* cls = line.classes;
    const std::size_t n = line.n;
    for (std::size_t s = 0; s < n;) {
        if (!IsNeutral(cls[s])) {
            ++s;
            continue;
        }
        std::size_t e = s;
        while (e < n && IsNeutral(cls[e])) ++e;
        if (e < n && cls[e] == kEN)
            for (std::size_t i = JoinStart(line, s, e); i < e; ++i) cls[i] = kEN;
        s = e;
    }
}

// Leftover separators and terminators are plain neutrals; the general
// operation treats digits as left to right from here on.
void Flatten(Line& line) {
    const bool digitsLeftToRight = line.variant == Variant::kLogicalToVisual;
    for (std::size_t i = 0; i < line.n; ++i) {
        std::uint8_t& c = line.classes[i];
        if (c == kES || c == kET || c == kCS)
            c = kON;
        else if (c == kEN && digitsLeftToRight)
            c = kL;
    }
}

}  // namespace

void ResolveNumbers(Line& line) {
    ResolveSeparators(line);
    ResolveTerminators(line);
    ResolveNeutralsInNumbers(line);
    Flatten(line);
}

}  // namespace tarsil::hebrew::detail
