// One line of MText or dimension text between its formatting codes: the
// codec turns each run of plain text into logical text and back, while the
// codes stay as they are.  What the user did not change is written back
// with the bytes it was read with.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "fonts/font_type.h"

namespace tarsil::mtext {

// The stored form of every run of text that was decoded, by its logical
// form: an unchanged run is written back as it was read.
class StoredRuns {
  public:
    void Remember(const std::wstring& logical, std::wstring_view stored);
    const std::wstring* Find(const std::wstring& logical) const;
    void Clear() { runs_.clear(); }

  private:
    std::map<std::wstring, std::wstring> runs_;
};

// Placeholder of the measured value in the dimension editor.
inline constexpr wchar_t kMeasurementMark = L'\u00A7';

struct LineOptions {
    FontType fontType = FontType::AsIs;
    // Dimension text: "<>" is shown as kMeasurementMark and written back.
    bool measurement = false;
};

// Stored line to logical line.  Fonts listed left to right (Hebrew Normal,
// d2w) store a right-to-left line from its left end: when such a line
// holds Hebrew, its codes and runs are taken in reverse order, so that the
// first logical word comes first whichever way the codes were written.
std::wstring DecodeCodedLine(std::wstring_view stored, const LineOptions& options,
                             StoredRuns* memory);

// Logical line to stored line; mask holds one direction byte per character
// of logical (2 typed as Hebrew, 1 otherwise; missing bytes count 1).
std::wstring EncodeCodedLine(std::wstring_view logical, std::span<const unsigned char> mask,
                             const LineOptions& options, const StoredRuns* memory);

}  // namespace tarsil::mtext
