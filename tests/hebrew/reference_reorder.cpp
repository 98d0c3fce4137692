#include "tests/hebrew/reference_reorder.h"

#include <algorithm>
#include <cstring>

#include "hebrew/bidi_class.h"  // the class numbers only

namespace tarsil::hebrew::reference {
namespace {

using Classes = std::vector<int>;
constexpr int kNotFound = 0;

bool Neutral(int c) {
    return c >= kB && c <= kON;
}
bool Strong(int c) {
    return c == kL || c == kR;
}
bool SpaceLike(unsigned char b) {
    return b != 0 && std::strchr(" ./;,\"*@`~", b) != nullptr;
}
bool Punctuation(unsigned char b) {
    return b != ' ' && SpaceLike(b);
}
bool Mirrored(unsigned char b) {
    return b != 0 && std::strchr("()[]{}<>", b) != nullptr;
}
unsigned char Partner(unsigned char b) {
    const char* pairs = "()[]{}<>";
    const long i = std::strchr(pairs, b) - pairs;
    return static_cast<unsigned char>(pairs[i % 2 == 0 ? i + 1 : i - 1]);
}

struct Work {
    Operation op;
    std::string bytes;
    std::string mask;
    bool ltr;
    int base;
    int paragraph;
    Classes cls;
    std::vector<int> level;
    int n() const { return static_cast<int>(bytes.size()); }
    bool hebrew(int i) const { return op == Operation::kMasked && mask[i] == 2; }
};

// The class of a byte, written out from the Unicode bidirectional classes
// of the ASCII characters, independently of the engine's table.  Above
// 0x7F only the letters matter: every other high byte is ON.
int RuleClass(unsigned char b) {
    if (b >= 0xE0 && b <= 0xFA) return kR;
    if (b >= 0x80) return kON;
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z')) return kL;
    if (b >= '0' && b <= '9') return kEN;
    if (b == '+' || b == '-') return kES;
    if (b == '#' || b == '$' || b == '%') return kET;
    if (b == ',' || b == '.' || b == '/' || b == ':') return kCS;
    if (b == '\n' || b == '\r' || (b >= 0x1C && b <= 0x1E)) return kB;
    if (b == '\t' || b == 0x0B || b == 0x1F) return kS;
    if (b == ' ' || b == 0x0C) return kWS;
    if (b < 0x20 || b == 0x7F) return kNone;  // boundary neutral
    return kON;
}

void Classify(Work& w) {
    for (int i = 0; i < w.n(); ++i) {
        const unsigned char b = w.bytes[i];
        int c = RuleClass(b);
        if (w.op == Operation::kLogicalToVisual && !w.ltr && (c == kCS || c == kON || c == kES))
            c = kR;
        if (w.hebrew(i) && (Neutral(c) || c == kES || (c == kCS && i == w.n() - 1))) c = kR;
        w.cls.push_back(c);
    }
}

void ExplicitLevels(Work& w) {
    int current = w.base, spare = -1, last = kNotFound;
    for (int i = 0; i < w.n(); ++i) {
        const int c = w.cls[i];
        if (w.op != Operation::kLogicalToVisual) {
            w.level.push_back(c == kNone ? 0 : w.base);
        } else if (Strong(c)) {
            if (last != kNotFound && last != c) {
                if (spare < 0) {
                    spare = current;
                    current += 1;
                } else {
                    std::swap(spare, current);
                }
            }
            last = c;
            w.level.push_back(current);
        } else if (c == kNone) {
            w.level.push_back(0);
            current = w.base;
        } else {
            w.level.push_back(w.base);
        }
    }
}

void Numbers(Work& w) {
    Classes& c = w.cls;
    const int n = w.n();
    for (int i = 1; i < n - 1; ++i) {
        if (c[i] == kES && c[i - 1] == kEN && c[i + 1] == kEN) {
            c[i] = kEN;
        } else if (c[i] == kCS) {
            if (c[i - 1] == kEN && c[i + 1] == kEN)
                c[i] = kEN;
            else if (w.op == Operation::kMasked) {
                if (w.mask[i] == 2) c[i] = kR;
            } else if (c[i - 1] == kAN && c[i + 1] == kAN)
                c[i] = kAN;
        }
    }
    for (int i = 0; i < n; ++i) {
        if (c[i] != kET) continue;
        int e = i;
        while (e < n && c[e] == kET) ++e;
        if ((i > 0 && c[i - 1] == kEN) || (e < n && c[e] == kEN)) std::fill(&c[i], &c[0] + e, kEN);
        i = e - 1;
    }
    if (w.op == Operation::kLogicalToVisual) {
        for (int i = 0; i < n; ++i) {
            if (!Neutral(c[i])) continue;
            int e = i;
            while (e < n && Neutral(c[e])) ++e;
            if (i > 0 && c[i - 1] == kEN && e < n && c[e] == kEN) std::fill(&c[i], &c[0] + e, kEN);
            i = e - 1;
        }
    } else {
        for (int i = 1; i < n; ++i) {
            if (!Neutral(c[i])) continue;
            const bool starts = w.op == Operation::kMasked ? (c[i - 1] == kEN || c[i - 1] == kON)
                                                           : (c[i - 1] == kEN || c[i] == kON);
            if (!starts) continue;
            int e = i;
            while (e < n && Neutral(c[e])) ++e;
            if (e < n && c[e] == kEN) std::fill(&c[i], &c[0] + e, kEN);
        }
    }
    for (int& x : c) {
        if (x == kES || x == kET || x == kCS)
            x = kON;
        else if (x == kEN && w.op == Operation::kLogicalToVisual)
            x = kL;
    }
}

// The first strong class from i on, stepping back (-1) or forth (+1).
int StrongFrom(const Classes& c, int i, int step) {
    for (int j = i; j >= 0 && j < static_cast<int>(c.size()); j += step)
        if (Strong(c[j])) return c[j];
    return kNotFound;
}

int Search(const Classes& c, int i, int step) {
    for (int j = i; j >= 0 && j < static_cast<int>(c.size()); j += step) {
        if (c[j] == kWS) continue;
        if (Strong(c[j])) return c[j];
        if (c[j] == kNone) return kNotFound;
        return kL;
    }
    return kNotFound;
}

// The cases both neutral rules decide alike; false leaves r to the rule.
bool CommonNeutral(int b, int a, unsigned char byte, int paragraph, int& r) {
    if (a && b && a == b)
        r = b;
    else if (!SpaceLike(byte))
        r = Mirrored(byte) ? paragraph : kL;
    else if (a && !b)
        r = Punctuation(byte) ? kL : a;
    else
        return false;
    return true;
}

void NeutralsByRuns(Work& w) {
    Classes& c = w.cls;
    for (int i = 0; i < w.n();) {
        if (!Neutral(c[i])) {
            ++i;
            continue;
        }
        int e = i;
        while (e < w.n() && (Neutral(c[e]) || c[e] == kAN)) ++e;
        const int b = StrongFrom(c, i, -1), a = StrongFrom(c, i, +1);
        for (int j = i; j < e; ++j) {
            if (!Neutral(c[j])) continue;
            const unsigned char byte = w.bytes[j];
            int r;
            if (CommonNeutral(b, a, byte, w.paragraph, r)) {
            } else if (b && !a)
                r = Punctuation(byte) ? kL : b;
            else if (!a && !b)
                r = kL;
            else
                r = w.paragraph;
            c[j] = r;
        }
        i = e;
    }
}

void NeutralsByBytes(Work& w) {
    Classes& c = w.cls;
    for (int i = 0; i < w.n(); ++i) {
        if (!Neutral(c[i])) continue;
        const int b = Search(c, i, -1), a = Search(c, i, +1);
        const unsigned char byte = w.bytes[i];
        int r;
        if (CommonNeutral(b, a, byte, w.paragraph, r)) {
        } else if (!a && !b)
            r = w.op == Operation::kMasked && w.mask[i] == 2 ? kR : kL;
        else if (c[i] == kON)
            r = kL;
        else if (a == kR || !a)
            r = kR;
        else if (w.op == Operation::kVisualToLogical)
            r = b;
        else
            r = c[i - 1] == kR ? kR : c[i];
        c[i] = r;
    }
}

void ImplicitLevels(Work& w) {
    for (int i = 0; i < w.n(); ++i) {
        const int c = w.cls[i];
        int& lv = w.level[i];
        if (lv % 2 == 1) {
            if (c == kL || c == kEN || c == kAN) lv += 1;
        } else if (c == kR) {
            lv += 1;
        } else if (c == kAN) {
            lv += 2;
        } else if (c == kEN && StrongFrom(w.cls, i, -1) != kR) {
            lv += 2;
        }
    }
}

}  // namespace

Result Reorder(Operation op, const std::string& text, bool ltrParagraph, const std::string& mask) {
    Work w{op, text, mask, ltrParagraph, ltrParagraph ? 0 : 1, ltrParagraph ? kL : kR, {}, {}};
    w.mask.resize(text.size(), 1);
    Classify(w);
    ExplicitLevels(w);
    Numbers(w);
    if (op == Operation::kLogicalToVisual)
        NeutralsByRuns(w);
    else
        NeutralsByBytes(w);
    ImplicitLevels(w);

    // Reverse with the levels moving along with their characters, the way
    // the Unicode algorithm does it.
    const int n = w.n();
    Result r{w.bytes, {}};
    for (int i = 0; i <= n; ++i) r.map.push_back(static_cast<std::uint32_t>(i));
    std::vector<int> moving = w.level;
    const int high = n ? *std::max_element(moving.begin(), moving.end()) : 0;
    int lowOdd = 1000;
    for (int lv : moving)
        if (lv % 2 == 1) lowOdd = std::min(lowOdd, lv);
    for (int k = high; k >= lowOdd; --k) {
        for (int i = 0; i < n;) {
            if (moving[i] < k) {
                ++i;
                continue;
            }
            int e = i;
            while (e < n && moving[e] >= k) ++e;
            std::reverse(r.text.begin() + i, r.text.begin() + e);
            std::reverse(r.map.begin() + i, r.map.begin() + e);
            std::reverse(moving.begin() + i, moving.begin() + e);
            i = e;
        }
    }
    if (!ltrParagraph) {
        std::reverse(r.text.begin(), r.text.end());
        std::reverse(r.map.begin(), r.map.begin() + n);
        for (int p = 0; p < n; ++p)
            if (Mirrored(r.text[p]) && w.level[p] % 2 == 1) r.text[p] = Partner(r.text[p]);
    }
    return r;
}

}  // namespace tarsil::hebrew::reference
