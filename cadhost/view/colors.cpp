#include "cadhost/view/colors.h"

#include <QColor>
#include <array>
#include <cmath>

namespace cadhost::view {
namespace {

// Colours 10..249 run through the hues in steps of 15 degrees, ten per hue:
// five brightnesses, each full and pale.  250..255 are greys.
std::array<QRgb, 256> makePalette() {
    std::array<QRgb, 256> p{};
    const QRgb basic[10] = {qRgb(0, 0, 0),      qRgb(255, 0, 0),     qRgb(255, 255, 0),
                            qRgb(0, 255, 0),    qRgb(0, 255, 255),   qRgb(0, 0, 255),
                            qRgb(255, 0, 255),  qRgb(255, 255, 255), qRgb(128, 128, 128),
                            qRgb(192, 192, 192)};
    for (int i = 0; i < 10; ++i) p[i] = basic[i];
    const int value[5] = {255, 189, 129, 104, 79};
    for (int i = 10; i < 250; ++i) {
        const int hue = (i / 10 - 1) * 15;
        const int v = value[(i % 10) / 2];
        const bool pale = (i % 2) == 1;
        const QColor c = QColor::fromHsv(hue, pale ? 85 : 255, v);
        p[i] = c.rgb();
    }
    const int grey[6] = {51, 91, 132, 173, 214, 255};
    for (int i = 0; i < 6; ++i) p[250 + i] = qRgb(grey[i], grey[i], grey[i]);
    return p;
}

}  // namespace

QRgb aciColor(int index) {
    static const std::array<QRgb, 256> palette = makePalette();
    if (index < 1 || index > 255) index = 7;
    return palette[static_cast<std::size_t>(index)];
}

QRgb trueColor(long long value) {
    return qRgb(static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>(value & 0xFF));
}

}  // namespace cadhost::view
