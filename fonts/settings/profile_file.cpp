#include "fonts/settings/profile_file.h"

#include <algorithm>

#include "fonts/atomic_file.h"
#include "fonts/file_bytes.h"
#include "fonts/wide_text.h"

namespace tarsil {

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The name of a section header line, or nothing for another line.
std::optional<std::wstring_view> HeaderName(std::wstring_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != L'[') return std::nullopt;
    line.remove_prefix(1);
    const std::size_t close = line.find(L']');
    if (close != std::wstring_view::npos) line = line.substr(0, close);
    return Trim(line);
}

struct KeyLine {
    std::wstring_view key;
    std::wstring_view value;
};

std::optional<KeyLine> SplitKeyLine(std::wstring_view line) {
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) return std::nullopt;
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::wstring Unquote(std::wstring_view value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::wstring(value);
}

}  // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {
    const std::wstring text = WidenBytes(ReadFileBytes(path_));
    if (text.find(L'\n') != std::wstring::npos && text.find(L"\r\n") == std::wstring::npos) {
        line_end_ = L"\n";
    }
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines_.push_back(std::move(line));
        start = end + 1;
    }
}

std::optional<ProfileFile::Location> ProfileFile::Locate(std::wstring_view section,
                                                         std::wstring_view key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(lines_[i]);
        if (!name || !EqualsIgnoreCase(*name, Trim(section))) continue;
        Location found{i, lines_.size(), std::nullopt};
        for (std::size_t j = i + 1; j < lines_.size(); ++j) {
            if (HeaderName(lines_[j])) {
                found.end_line = j;
                break;
            }
            const auto entry = SplitKeyLine(lines_[j]);
            if (!found.key_line && entry && EqualsIgnoreCase(entry->key, Trim(key))) {
                found.key_line = j;
            }
        }
        return found;
    }
    return std::nullopt;
}

std::optional<std::wstring> ProfileFile::Find(std::wstring_view section,
                                              std::wstring_view key) const {
    const auto found = Locate(section, key);
    if (!found || !found->key_line) return std::nullopt;
    std::wstring value = Unquote(SplitKeyLine(lines_[*found->key_line])->value);
    // The platform hands values over in NUL-terminated buffers: a NUL byte
    // in the file ends the value there.
    value.resize(std::min(value.size(), value.find(L'\0')));
    return value;
}

std::wstring ProfileFile::GetString(std::wstring_view section, std::wstring_view key,
                                    std::wstring_view default_text, std::size_t capacity) const {
    std::wstring value = Find(section, key).value_or(std::wstring(default_text));
    const std::size_t room = capacity == 0 ? 0 : capacity - 1;
    if (value.size() > room) value.resize(room);
    return value;
}

int ProfileFile::GetInt(std::wstring_view section, std::wstring_view key, int default_value) const {
    const auto value = Find(section, key);
    if (!value || value->empty()) return default_value;
    return ParseIntLikeAtoi(*value);
}

void ProfileFile::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    const auto found = Locate(section, key);
    std::wstring line = std::wstring(Trim(key)) + L'=' + std::wstring(value);
    if (found && found->key_line) {
        // Keep the key as it was spelled in the file.
        line =
            std::wstring(SplitKeyLine(lines_[*found->key_line])->key) + L'=' + std::wstring(value);
        lines_[*found->key_line] = std::move(line);
    } else if (found) {
        // After the section's last non-empty line, before blank separators.
        std::size_t at = found->end_line;
        while (at > found->section_line + 1 && Trim(lines_[at - 1]).empty()) --at;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    } else {
        lines_.push_back(L'[' + std::wstring(Trim(section)) + L']');
        lines_.push_back(std::move(line));
    }
}

std::string ProfileFile::Serialize() const {
    std::wstring text;
    for (const std::wstring& line : lines_) text += line + line_end_;
    return NarrowBytes(text);
}

bool ProfileFile::Save(std::string* error) const {
    return ReplaceFileContents(path_, Serialize(), error);
}

}  // namespace tarsil
