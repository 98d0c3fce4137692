#pragma once

#include <ostream>
#include <string>

class AcDbDatabase;

namespace dxftool {

// A field of a listing: printable ASCII as is, every other character as
// \xHH (up to U+00FF) or \U+XXXX.
std::string escaped(std::wstring_view text);

// One line per TEXT, ATTRIB, MTEXT and DIMENSION of model and paper space,
// in drawing order (attributes after their block reference): handle, type,
// layer, style, style's font file, string; tab separated.
void listTexts(AcDbDatabase& db, std::ostream& out);

// One line per text style: name and font file name.
void listStyles(AcDbDatabase& db, std::ostream& out);

}  // namespace dxftool
