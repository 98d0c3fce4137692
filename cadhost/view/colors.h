#pragma once

// The host's colours: the 255 numbered colours (ACI) and true colours.
#include <QRgb>

namespace cadhost::view {

inline constexpr int kByBlock = 0;
inline constexpr int kByLayer = 256;

// RGB of a colour number 1..255; colour 7 is drawn white on the view's dark
// background.  Numbers out of range give colour 7.
QRgb aciColor(int index);
// A true colour as stored in group 420 (0x00RRGGBB).
QRgb trueColor(long long value);

}  // namespace cadhost::view
