// Where editor text meets a widget.  The engine and the codec keep one
// character per stored byte, the Hebrew letters as the Windows layout's
// U+00E0..U+00FA; widgets show and type real Hebrew letters U+05D0..U+05EA.
// Every widget converts here, on the way in and on the way out, and nowhere
// else.  Characters outside the two ranges pass unchanged both ways, so a
// character the drawing stores beyond the byte range comes back as it went.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarsil::editors {

inline constexpr char32_t kFirstEngineLetter = U'\u00E0';
inline constexpr char32_t kLastEngineLetter = U'\u00FA';

// A Hebrew letter of engine text.
inline constexpr bool IsEngineLetter(char32_t c) {
    return c >= kFirstEngineLetter && c <= kLastEngineLetter;
}

// One character: engine letter -> Hebrew letter, the rest unchanged.
char32_t EngineToWidget(char32_t c);
// One character: Hebrew letter -> engine letter, the rest unchanged.
char32_t WidgetToEngine(char32_t c);

// Whole texts.  wchar_t is 32 bits here; characters outside the basic
// plane become surrogate pairs in the QString and come back whole.
QString ToWidgetText(std::wstring_view engine_text);
std::wstring FromWidgetText(const QString& widget_text);

}  // namespace tarsil::editors
