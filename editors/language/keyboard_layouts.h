// The two keyboard layouts the editors switch between, named the way the
// desktop names them: a 32-bit layout identifier and its text form for
// loading, eight upper-case hexadecimal digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarsil::editors {

using LayoutId = std::uint32_t;

inline constexpr LayoutId kHebrewLayout = 0x040D;   // 1037
inline constexpr LayoutId kEnglishLayout = 0x0409;  // 1033, English (United States)

// Character sets an input-language change carries: Hebrew, and the ANSI set
// of every other layout we know.
inline constexpr int kHebrewCharset = 177;
inline constexpr int kAnsiCharset = 0;

// Flag of LoadKeyboardLayout: activate the layout once it is loaded.
inline constexpr unsigned kLoadActivate = 1;

// "0000040D" for the Hebrew layout: the identifier printed as "%08X".
std::wstring LayoutTextForm(LayoutId id);
// The identifier of a text form: exactly eight hexadecimal digits, either
// case; anything else gives nothing.
std::optional<LayoutId> LayoutFromTextForm(std::wstring_view text);
// The character set a change to this layout announces.
int CharsetOfLayout(LayoutId id);

}  // namespace tarsil::editors
