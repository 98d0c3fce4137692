#include "editors/completion/word_list_file.h"

#include "fonts/atomic_file.h"
#include "fonts/file_bytes.h"

namespace tarsil::editors {

std::vector<std::wstring> SplitWordList(std::string_view bytes) {
    std::vector<std::wstring> words;
    std::wstring word;
    for (const char byte : bytes) {
        if (byte == '\r' || byte == '\n') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

std::vector<std::wstring> ReadWordList(const std::filesystem::path& file) {
    return SplitWordList(ReadFileBytes(file));
}

std::string JoinWordList(const std::vector<std::wstring>& words) {
    std::string bytes;
    for (const std::wstring& word : words) {
        for (const wchar_t c : word) {
            bytes.push_back(c >= 0 && c <= 0xFF ? static_cast<char>(static_cast<unsigned char>(c))
                                                : '?');
        }
        bytes += "\r\n";
    }
    return bytes;
}

bool WriteWordList(const std::filesystem::path& file, const std::vector<std::wstring>& words,
                   std::string* error) {
    return ReplaceFileContents(file, JoinWordList(words), error);
}

}  // namespace tarsil::editors
