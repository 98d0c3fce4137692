// Messages of the single-line text editor, shown as the user sees them.
#pragma once

namespace tarsil {

inline constexpr wchar_t kCannotWriteText[] = L"Cannot open Text for writing!";
inline constexpr wchar_t kCannotReadObject[] = L"Can not open object for read!";
inline constexpr wchar_t kCannotWriteObject[] = L"Can not open object for write!";

}  // namespace tarsil
