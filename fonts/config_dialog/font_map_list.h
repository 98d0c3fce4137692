#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "fonts/font_type.h"

namespace tarsil {

// One row of the font map page: a font name (lower case, no extension)
// and the type the user gave it.
struct FontMapEntry {
    std::wstring name;
    FontType type;
    bool operator==(const FontMapEntry&) const = default;
};

// The font map page's working copy of a map file.  The page shows it and
// changes only it; the file is read when the page starts or the map is
// changed, and written by Apply alone.
class FontMapList {
  public:
    // Empties the list and fills it from the "FontMapping" section of the
    // file (created empty when missing), names made lower case, then
    // sorted.  False, with the list empty, when the file can't be opened
    // for reading and writing.
    bool Load(const std::filesystem::path& path);

    // Writes the list as the file's "FontMapping" section, after its other
    // sections, in list order.  The file is replaced as a whole, and a
    // numbered backup of a non-empty old file is kept beside it; a file
    // that already holds the list is not touched.  False when the file
    // can't be opened or written (it is then left as it was).
    bool Save(const std::filesystem::path& path) const;

    // By name (exactly), then by type.
    void Sort();

    const std::vector<FontMapEntry>& Entries() const { return entries_; }
    std::size_t Size() const { return entries_.size(); }
    // The row of name compared without regard to case; -1 when none.
    int Find(std::wstring_view name) const;

    // Appends each name that no entry has yet as Hebrew Normal, sorts, and
    // returns the row of the first name given (-1 for none).
    int AddNames(const std::vector<std::wstring>& names);
    // Appends, in order and unsorted, each name that no entry has yet, with
    // the type default_type gives it (Hebrew Normal for Unknown).  Returns
    // how many were added.
    std::size_t AddMissing(const std::vector<std::wstring>& names,
                           const std::function<FontType(std::wstring_view)>& default_type);
    // The font of a row becomes name, keeping its type, unless another
    // entry has that name already.  Sorts; returns the row that now holds
    // name (-1 for a row out of range) and whether anything changed.
    std::pair<int, bool> Rename(std::size_t row, const std::wstring& name);
    // False when the row is out of range or already has that type.
    bool SetType(std::size_t row, FontType type);
    void Remove(std::size_t row);
    void Clear() { entries_.clear(); }

  private:
    std::vector<FontMapEntry> entries_;
};

// A file's name without folder and extension, in lower case: the name a
// chosen font file goes into the map by.
std::wstring FontNameOfFile(const std::filesystem::path& file);
std::wstring LowerFontName(std::wstring name);

}  // namespace tarsil
