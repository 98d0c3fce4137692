// Completion words taken from the texts already in the drawing.
#pragma once

#include <string>
#include <vector>

namespace tarsil::editors {

// The drawing words of MText contents and single-line text strings, in that
// order, each in the Windows layout (ConvertForTarget "w"):
//   - MText contents are cut at every paragraph code "\P"; each piece,
//     converted and with LF, CR and blanks taken off both ends, is a word if
//     it has more than 3 characters;
//   - a single-line string of at least 3 characters is converted as a whole;
//   - a word that stands in file_words or is already taken is skipped
//     (exact comparison).
std::vector<std::wstring> DrawingWordsOf(const std::vector<std::wstring>& mtext_contents,
                                         const std::vector<std::wstring>& text_strings,
                                         const std::vector<std::wstring>& file_words);

// The same for every MTEXT and TEXT of the working drawing.
std::vector<std::wstring> CollectDrawingWords(const std::vector<std::wstring>& file_words);

}  // namespace tarsil::editors
