#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarsil {

// An INI file read and changed line by line, as the platform's private
// profile functions treat it: section and key names match without regard
// to ASCII case, the first matching section and key win, blanks around
// names and values are dropped, and a value in matching quotes loses them.
// Lines this class does not change (comments, other sections, unknown keys)
// are written back as they were read; a value ends at a NUL byte.  Each
// character is one byte.
class ProfileFile {
  public:
    // Reads the file; a missing or unreadable file reads as empty.
    explicit ProfileFile(std::filesystem::path path);

    // The value of key in section, or nothing when either is absent.
    std::optional<std::wstring> Find(std::wstring_view section, std::wstring_view key) const;

    // The value cut to capacity - 1 characters (capacity as the size of a
    // buffer with room for the terminating NUL), default_text when absent.
    std::wstring GetString(std::wstring_view section, std::wstring_view key,
                           std::wstring_view default_text, std::size_t capacity) const;

    // The leading decimal integer of the value (blanks, sign, digits);
    // default_value when the key is absent or its value empty.
    int GetInt(std::wstring_view section, std::wstring_view key, int default_value) const;

    // Replaces the value of key, or adds the key at the end of its section,
    // or adds the section at the end of the file.
    void Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

    // Writes the whole file at once (created when missing); on failure the
    // old file is left as it was and error says why.
    bool Save(std::string* error = nullptr) const;

    const std::filesystem::path& Path() const { return path_; }
    // The file's text as Save writes it.
    std::string Serialize() const;

  private:
    struct Location {
        std::size_t section_line;  // index of the header line
        std::size_t end_line;      // one past the section's last line
        std::optional<std::size_t> key_line;
    };
    std::optional<Location> Locate(std::wstring_view section, std::wstring_view key) const;

    std::filesystem::path path_;
    std::vector<std::wstring> lines_;
    std::wstring line_end_ = L"\r\n";
};

}  // namespace tarsil
