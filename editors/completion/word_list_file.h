// words.ini beside the module: the user's own completion words.  Despite
// its name a plain text file, one word per line, lines ended by CR LF.
// Each byte is one character of engine text, as the editors keep text
// (Hebrew letters in the Windows layout), so the file holds the same bytes
// a text of the drawing holds.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarsil::editors {

inline constexpr char kWordListFileName[] = "words.ini";

// The words of the file's bytes: CR and LF each end a line, empty lines are
// skipped, nothing is trimmed, file order and repeats are kept, and a last
// line without a line end counts too.
std::vector<std::wstring> SplitWordList(std::string_view bytes);
// The words of the file; none when it is missing or cannot be read.
std::vector<std::wstring> ReadWordList(const std::filesystem::path& file);

// Every word followed by CR LF.  A character beyond the byte range has no
// byte and is written as '?'.
std::string JoinWordList(const std::vector<std::wstring>& words);
// Replaces the file as a whole (a failed write leaves the old file as it
// was); false, with the reason in error if given, when it cannot be written.
bool WriteWordList(const std::filesystem::path& file, const std::vector<std::wstring>& words,
                   std::string* error = nullptr);

}  // namespace tarsil::editors
