#include "cadhost/geom/textgeom.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace cadhost::geom {

namespace {

// A switch, and within this file no call through the library's symbol
// table: the view measures every glyph of every text it draws.
inline double advanceOf(wchar_t c) {
    switch (c) {
        case L' ':
        case kNoBreakSpace:
            return 0.5;
        case L'i':
        case L'l':
        case L'.':
        case L',':
        case L':':
        case L';':
        case L'\'':
        case L'!':
        case L'|':
        case L'`':
            return 0.3;
        case L'M':
        case L'W':
        case L'm':
        case L'w':
        case L'@':
        case L'%':
            return 1.0;
        default:
            return 0.7;
    }
}

}  // namespace

double glyphAdvance(wchar_t c) {
    return advanceOf(c);
}

namespace {

// Calls fn for every glyph the host draws for a single-line text.
template <class Fn>
void forEachGlyph(std::wstring_view text, Fn&& fn) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size() && text[i + 1] == L'%') {
            wchar_t k = static_cast<wchar_t>(std::towlower(text[i + 2]));
            if (k == L'u' || k == L'o') {
                i += 2;
                continue;
            }
            if (k == L'd' || k == L'p' || k == L'c') {
                fn(L'o');
                i += 2;
                continue;
            }
            if (k == L'%') {
                fn(L'%');
                i += 2;
                continue;
            }
            if (std::iswdigit(k) && i + 4 < text.size() && std::iswdigit(text[i + 3]) &&
                std::iswdigit(text[i + 4])) {
                fn(static_cast<wchar_t>((text[i + 2] - L'0') * 100 + (text[i + 3] - L'0') * 10 +
                                        (text[i + 4] - L'0')));
                i += 4;
                continue;
            }
        }
        fn(text[i]);
    }
}

bool descends(wchar_t c) {
    switch (c) {
        case L'g':
        case L'j':
        case L'p':
        case L'q':
        case L'y':
        case L',':
        case L';':
        case L'(':
        case L')':
        case L'[':
        case L']':
        case L'{':
        case L'}':
        case L'_':
        case L'|':
            return true;
        default:
            return false;
    }
}

}  // namespace

double textAdvance(std::wstring_view text) {
    double a = 0;
    forEachGlyph(text, [&](wchar_t c) { a += advanceOf(c); });
    return a;
}

bool hasDescender(std::wstring_view text) {
    bool d = false;
    forEachGlyph(text, [&](wchar_t c) { d = d || descends(c); });
    return d;
}

Box textBox(std::wstring_view text, double height, double widthFactor) {
    Box b;
    b.right = textAdvance(text) * height * widthFactor;
    b.top = height;
    b.bottom = hasDescender(text) ? -kDescent * height : 0.0;
    return b;
}

AcGeVector3d alignmentOffset(std::wstring_view text, double height, double widthFactor,
                             int horizontalMode, int verticalMode) {
    double width = textAdvance(text) * height * widthFactor;
    double dx = 0, dy = 0;
    switch (horizontalMode) {
        case 1:
            dx = width / 2;
            break;
        case 2:
            dx = width;
            break;
        case 3:
        case 5:
            dx = width;
            break;
        case 4:
            dx = width / 2;
            dy = height / 2;
            break;
        default:
            break;
    }
    if (horizontalMode <= 2) {
        switch (verticalMode) {
            case 1:
                dy = -kDescent * height;
                break;
            case 2:
                dy = height / 2;
                break;
            case 3:
                dy = height;
                break;
            default:
                break;
        }
    }
    return {dx, dy, 0};
}

AcGeVector3d rotated(const AcGeVector3d& v, double rotation) {
    double c = std::cos(rotation), s = std::sin(rotation);
    return {v.x * c - v.y * s, v.x * s + v.y * c, v.z};
}

void rotatedBounds(const Box& box, const AcGePoint3d& origin, double rotation, AcGePoint3d& min,
                   AcGePoint3d& max) {
    const double xs[] = {box.left, box.right}, ys[] = {box.bottom, box.top};
    bool first = true;
    for (double x : xs)
        for (double y : ys) {
            AcGePoint3d p = origin + rotated({x, y, 0}, rotation);
            if (first) {
                min = max = p;
                first = false;
                continue;
            }
            min.x = std::min(min.x, p.x), min.y = std::min(min.y, p.y);
            max.x = std::max(max.x, p.x), max.y = std::max(max.y, p.y);
        }
}

std::vector<std::wstring> mtextParagraphs(std::wstring_view s) {
    std::vector<std::wstring> out(1);
    auto skipTo = [&](std::size_t& i, wchar_t end) {
        std::size_t e = s.find(end, i);
        i = e == std::wstring_view::npos ? s.size() : e + 1;
    };
    for (std::size_t i = 0; i < s.size();) {
        wchar_t c = s[i];
        if (c == L'{' || c == L'}') {
            ++i;
            continue;
        }
        if (c != L'\\' || i + 1 >= s.size()) {
            out.back() += c;
            ++i;
            continue;
        }
        wchar_t k = s[i + 1];
        i += 2;
        switch (k) {
            case L'P':
            case L'N':
                out.emplace_back();
                break;
            case L'~':
                out.back() += kNoBreakSpace;
                break;
            case L'\\':
            case L'{':
            case L'}':
                out.back() += k;
                break;
            case L'L':
            case L'l':
            case L'O':
            case L'o':
            case L'K':
            case L'k':
            case L'X':
                break;
            case L'S': {
                std::size_t e = s.find(L';', i);
                std::wstring_view stack =
                    s.substr(i, e == std::wstring_view::npos ? s.npos : e - i);
                std::size_t sep = stack.find_first_of(L"^/#");
                std::wstring_view a = stack.substr(0, sep);
                std::wstring_view b =
                    sep == std::wstring_view::npos ? std::wstring_view() : stack.substr(sep + 1);
                out.back() += std::wstring(a.size() >= b.size() ? a : b);
                i = e == std::wstring_view::npos ? s.size() : e + 1;
                break;
            }
            case L'U':
                if (i + 5 <= s.size() && s[i] == L'+') {
                    out.back() += L'?';
                    i += 5;
                } else {
                    out.back() += k;
                }
                break;
            case L'A':
            case L'C':
            case L'c':
            case L'F':
            case L'f':
            case L'H':
            case L'Q':
            case L'T':
            case L'W':
            case L'p':
                skipTo(i, L';');
                break;
            default:
                out.back() += k;
                break;
        }
    }
    return out;
}

std::vector<std::wstring> mtextLines(std::wstring_view contents, double height, double width) {
    std::vector<std::wstring> lines;
    const double limit = height > 0 ? width / height : 0;
    for (std::wstring& paragraph : mtextParagraphs(contents)) {
        if (limit <= 0) {
            lines.push_back(std::move(paragraph));
            continue;
        }
        // A paragraph that fits is one line, as the loop below makes it:
        // without its trailing blanks.
        std::size_t used = paragraph.find_last_not_of(L' ');
        used = used == std::wstring::npos ? 0 : used + 1;
        if (textAdvance(std::wstring_view(paragraph).substr(0, used)) <= limit) {
            paragraph.resize(used);
            lines.push_back(std::move(paragraph));
            continue;
        }
        // Greedy: a word goes on the line while the line, trailing blanks
        // left out, still fits; a word wider than the column stands alone.
        // Advances add up word by word, so a paragraph is measured once.
        std::wstring line;
        double lineAdvance = 0;
        std::size_t blanks = 0;  // after the line's last word, not yet placed
        std::size_t i = 0;
        while (i < paragraph.size()) {
            std::size_t wordEnd = paragraph.find(L' ', i);
            if (wordEnd == std::wstring::npos) wordEnd = paragraph.size();
            std::size_t next = paragraph.find_first_not_of(L' ', wordEnd);
            if (next == std::wstring::npos) next = paragraph.size();
            const std::wstring_view word(paragraph.data() + i, wordEnd - i);
            const double wordAdvance = textAdvance(word);
            const double blanksAdvance = static_cast<double>(blanks) * advanceOf(L' ');
            if (!line.empty() && lineAdvance + blanksAdvance + wordAdvance > limit) {
                lines.push_back(std::move(line));
                line.clear();
                lineAdvance = 0;
            } else {
                line.append(blanks, L' ');
                lineAdvance += blanksAdvance;
            }
            line += word;
            lineAdvance += wordAdvance;
            blanks = next - wordEnd;
            i = next;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

Box mtextBox(std::wstring_view contents, double height, double lineSpacingFactor, int attachment,
             double width) {
    return mtextBox(mtextLines(contents, height, width), height, lineSpacingFactor, attachment);
}

Box mtextBox(const std::vector<std::wstring>& lines, double height, double lineSpacingFactor,
             int attachment) {
    if (lines.empty()) return {};
    double longest = 0;
    for (const std::wstring& l : lines) longest = std::max(longest, textAdvance(l) * height);
    double total = height + static_cast<double>(lines.size() - 1) * height * kMTextLinePitch *
                                lineSpacingFactor;
    if (attachment < 1 || attachment > 9) attachment = 1;
    int col = (attachment - 1) % 3, row = (attachment - 1) / 3;
    Box b;
    b.left = col == 0 ? 0 : col == 1 ? -longest / 2 : -longest;
    b.right = b.left + longest;
    b.top = row == 0 ? 0 : row == 1 ? total / 2 : total;
    b.bottom = b.top - total;
    return b;
}

}  // namespace cadhost::geom
