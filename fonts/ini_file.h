#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarsil {

// One INI text file held in memory: the sections in file order, each with
// its entries in file order.  Each byte of the file is one character
// (U+0000..U+00FF); lines end in CR LF when written, CR LF or LF when read.
// Section 0 always exists; it holds the lines before the first header and
// is named by a single blank.  Writing replaces the file as a whole, so a
// failed write leaves the old file as it was.
class HIniEx {
  public:
    struct Entry {
        std::wstring key;
        std::wstring value;
    };
    struct Section {
        std::wstring name;
        std::vector<Entry> entries;
    };

    static constexpr wchar_t kSectionZeroName[] = L" ";

    HIniEx();
    ~HIniEx();  // writes the file first when auto-save is on
    HIniEx(const HIniEx&) = delete;
    HIniEx& operator=(const HIniEx&) = delete;

    // Reads the whole file.  A file already open is written (without
    // backup) and forgotten first.  Returns false when the file can't be
    // opened for reading and writing; the object then holds section 0 only.
    bool Open(const std::filesystem::path& path, bool auto_save, bool create_if_missing,
              bool ignore_case, bool backup_on_auto_save);

    // Writes the memory image when anything changed since it was read.
    // Returns the backup path, empty when no backup was made or nothing was
    // written.  The backup path, once made, is used for every later backup
    // of this object, also after another Open.  A failed write is reported
    // through ShowAlert.
    std::filesystem::path Write(bool make_backup);

    // The value of the last entry of key in the first section of that name,
    // without an end-of-line comment (from its last ';'); else default_text.
    std::wstring GetValue(std::wstring_view section, std::wstring_view key,
                          std::wstring_view default_text) const;
    void SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    std::vector<std::wstring> GetKeys(std::wstring_view section) const;
    bool DeleteSection(std::wstring_view section);

    const std::filesystem::path& Path() const { return path_; }
    const std::filesystem::path& BackupPath() const { return backup_path_; }
    const std::vector<Section>& Sections() const { return sections_; }
    bool IsModified() const { return modified_; }
    bool IgnoresCase() const { return ignore_case_; }

    // The file contents as Write would produce them.
    std::string Serialize() const;
    // Replaces the sections with those read from bytes (the file format).
    void Parse(std::string_view bytes);

  private:
    void Empty();
    bool NamesEqual(std::wstring_view a, std::wstring_view b) const;
    Section* FindSection(std::wstring_view name);
    const Section* FindSection(std::wstring_view name) const;
    bool MakeBackup();

    std::filesystem::path path_;
    std::filesystem::path backup_path_;
    std::vector<Section> sections_;
    bool ignore_case_ = false;
    bool auto_save_ = false;
    bool backup_on_auto_save_ = false;
    bool modified_ = false;
};

// The next free numbered backup of path: path, ".", and one more than the
// highest number that ends a file name beside it sharing path's name
// without extension, at least three digits (tarsil.ini -> tarsil.ini.001).
std::filesystem::path NextBackupPath(const std::filesystem::path& path);

}  // namespace tarsil
