// Messages of the text entity operations, shown as the user sees them.
#pragma once

namespace tarsil {

// A text could not be opened for a write or a move.
inline constexpr wchar_t kCannotOpenText[] = L"\nCannot open object text\n";
// A text could not be opened to read its string, height, rotation, style
// or justification, or to set its style.
inline constexpr wchar_t kCannotOpenTextObject[] = L"\nCannot open the object TEXT";
inline constexpr wchar_t kCannotOpenStyleRecord[] =
    L"\nCannot open object \"AcDbTextStyleTableRecord\"";
inline constexpr wchar_t kCannotOpenExtentsObject[] = L"\nFindExtensionPoints: Cannot open object";
inline constexpr wchar_t kRowOutOfRange[] = L"operator[](int index): index=%i Out of Range";

// Prompts.
inline constexpr wchar_t kFirstBaselinePrompt[] = L"\nSpecify first endpoint of text baseline: ";
inline constexpr wchar_t kSecondBaselinePrompt[] = L"\nSpecify second endpoint of text baseline: ";
inline constexpr wchar_t kPointPrompt[] = L"\nSpecify a point: ";
inline constexpr wchar_t kSelectBlockPrompt[] = L"\nSelect block for edit attributes: ";
inline constexpr wchar_t kRemovePrompt[] = L"\nSelect objects to remove: ";

}  // namespace tarsil
