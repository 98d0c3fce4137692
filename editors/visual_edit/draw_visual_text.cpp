#include "editors/visual_edit/draw_visual_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <string>

#include "editors/visual_edit/input_language_port.h"
#include "hebrew/reorder.h"

namespace tarsil::visual {
namespace {

double Advance(const QFontMetricsF& metrics, wchar_t c) {
    return metrics.horizontalAdvance(QChar(static_cast<char16_t>(ToScreen(c))));
}

}  // namespace

double LineWidth(const QFontMetricsF& metrics, std::wstring_view line) {
    double width = 0;
    for (wchar_t c : line) width += Advance(metrics, c);
    return width;
}

double LineOrigin(double width, double left, double right, int flags, bool ltrParagraph) {
    double lineLeft = left;
    if (flags & kDrawCenter)
        lineLeft = (left + right - width) / 2;
    else if (flags & kDrawRight)
        lineLeft = right - width;
    return ltrParagraph ? lineLeft : lineLeft + width;
}

std::vector<double> CharacterEdges(const QFontMetricsF& metrics, std::wstring_view line,
                                   double origin, bool ltrParagraph) {
    std::vector<double> edges;
    edges.reserve(line.size() + 1);
    double x = origin;
    edges.push_back(x);
    for (wchar_t c : line) {
        x += ltrParagraph ? Advance(metrics, c) : -Advance(metrics, c);
        edges.push_back(x);
    }
    return edges;
}

int DrawVisualText(QPainter& painter, std::wstring_view text, const QRect& rect, int* firstLine,
                   int* longest, int flags, bool ltrParagraph, bool reorder) {
    if (firstLine != nullptr) *firstLine = 0;
    if (longest != nullptr) *longest = 0;
    if (text.empty()) return 0;
    std::wstring visual(text);
    if (reorder) {
        std::vector<wchar_t> out(visual.size() + 1);
        if (hebrew::LogicalToVisual(visual.c_str(), visual.size(), out.data(), nullptr,
                                    ltrParagraph ? 1 : 0) == 0)
            return -1;
        visual.assign(out.data(), visual.size());
    }
    std::vector<std::wstring_view> lines;
    std::wstring_view rest(visual);
    for (;;) {
        const std::size_t feed = rest.find(L'\n');
        lines.push_back(rest.substr(0, feed));
        if (feed == std::wstring_view::npos) break;
        rest.remove_prefix(feed + 1);
    }
    // A right-to-left paragraph's lines come last first.
    if (!ltrParagraph) std::reverse(lines.begin(), lines.end());

    const QFontMetricsF metrics(painter.font());
    const double lineHeight = metrics.height();
    const double total = lineHeight * static_cast<double>(lines.size());
    double top = rect.top() + 1;
    if (flags & kDrawVCenter)
        top = rect.top() + (rect.height() - total) / 2;
    else if (flags & kDrawBottom)
        top = rect.bottom() - 1 - total;
    int most = 0;
    for (std::wstring_view line : lines) {
        most = std::max(most, static_cast<int>(line.size()));
        const double origin = LineOrigin(LineWidth(metrics, line), rect.left(), rect.right() + 1,
                                         flags, ltrParagraph);
        const std::vector<double> edges = CharacterEdges(metrics, line, origin, ltrParagraph);
        for (std::size_t i = 0; i < line.size(); ++i) {
            const double x = CharacterLeft(edges, i, ltrParagraph);
            if (x < rect.left() || x > rect.right()) continue;
            painter.drawText(QPointF(x, top + metrics.ascent()),
                             QString(QChar(static_cast<char16_t>(ToScreen(line[i])))));
        }
        top += lineHeight;
    }
    if (firstLine != nullptr) *firstLine = 1;
    if (longest != nullptr) *longest = most;
    return static_cast<int>(lines.size());
}

}  // namespace tarsil::visual
