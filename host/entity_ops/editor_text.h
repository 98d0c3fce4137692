// Text of a single-line text or attribute entity for the rows of the
// multi-line editor: read and converted for editing, or converted for the
// entity's font and written.
#pragma once

#include <optional>
#include <string>

#include "cadhost/db/objectid.h"
#include "fonts/font_type.h"

namespace tarsil {

// The stored string converted for editing by the font type of the text's
// style; nothing (after the alert "\nCannot open the object TEXT") when
// the text can't be opened.
std::optional<std::wstring> LoadEditorText(AcDbObjectId text);

// Converts text in place for the font of the entity's style and stores it;
// redraws the text and repaints the document window.  False (after the
// alert "\nCannot open object text\n") when the text can't be opened for
// writing; text is then left as it was.
bool StoreEditorText(AcDbObjectId text, std::wstring& editable);

// The two conversions on their own, for a known font type.
void ConvertStoredForEditing(std::wstring& text, FontType fontType);
void ConvertEditingForStorage(std::wstring& text, FontType fontType);

}  // namespace tarsil
