#include "fonts/config_dialog/font_map_list.h"

#include <algorithm>
#include <cwctype>

#include "fonts/file_bytes.h"
#include "fonts/font_map.h"
#include "fonts/font_name_text.h"
#include "fonts/font_type_names.h"
#include "fonts/ini_file.h"
#include "fonts/wide_text.h"

namespace tarsil {

namespace fs = std::filesystem;

std::wstring LowerFontName(std::wstring name) {
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
    return name;
}

std::wstring FontNameOfFile(const fs::path& file) {
    // Paths hold the file system's bytes; the names of the host's texts
    // are Unicode, so a name in UTF-8 is read as such.
    return LowerFontName(FontNameFromFileText(WidenBytes(file.stem().native())));
}

bool FontMapList::Load(const fs::path& path) {
    entries_.clear();
    HIniEx ini;
    if (!ini.Open(path, true, true, true, false)) return false;
    const std::wstring fallback = FontTypeName(FontType::HebrewNormal);
    for (const std::wstring& key : ini.GetKeys(kFontMappingSection)) {
        const std::wstring value = ini.GetValue(kFontMappingSection, key, fallback);
        entries_.push_back({LowerFontName(FontNameFromFileText(key)),
                            static_cast<FontType>(ParseIntLikeAtoi(value))});
    }
    Sort();
    return true;
}

bool FontMapList::Save(const fs::path& path) const {
    HIniEx ini;
    if (!ini.Open(path, false, true, true, false)) return false;
    ini.DeleteSection(kFontMappingSection);
    for (const FontMapEntry& entry : entries_) {
        ini.SetValue(kFontMappingSection, FontNameToFileText(entry.name),
                     std::to_wstring(static_cast<int>(entry.type)));
    }
    const std::string old_bytes = ReadFileBytes(path);
    const std::string new_bytes = ini.Serialize();
    if (old_bytes == new_bytes) return true;
    ini.Write(!old_bytes.empty());
    // A failed write has been reported and left the old file.
    return ReadFileBytes(path) == new_bytes;
}

void FontMapList::Sort() {
    std::sort(entries_.begin(), entries_.end(), [](const FontMapEntry& a, const FontMapEntry& b) {
        if (a.name != b.name) return a.name < b.name;
        return static_cast<int>(a.type) < static_cast<int>(b.type);
    });
}

int FontMapList::Find(std::wstring_view name) const {
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        if (EqualsIgnoreCase(entries_[row].name, name)) return static_cast<int>(row);
    }
    return -1;
}

int FontMapList::AddNames(const std::vector<std::wstring>& names) {
    for (const std::wstring& name : names) {
        if (Find(name) < 0) entries_.push_back({name, FontType::HebrewNormal});
    }
    Sort();
    return names.empty() ? -1 : Find(names.front());
}

std::size_t FontMapList::AddMissing(
    const std::vector<std::wstring>& names,
    const std::function<FontType(std::wstring_view)>& default_type) {
    std::size_t added = 0;
    for (const std::wstring& name : names) {
        if (Find(name) >= 0) continue;
        FontType type = default_type ? default_type(name) : FontType::Unknown;
        if (type == FontType::Unknown) type = FontType::HebrewNormal;
        entries_.push_back({name, type});
        ++added;
    }
    return added;
}

std::pair<int, bool> FontMapList::Rename(std::size_t row, const std::wstring& name) {
    if (row >= entries_.size()) return {-1, false};
    const int holder = Find(name);
    if (holder >= 0) return {holder, false};  // never a second entry of a name
    entries_[row].name = name;
    Sort();
    return {Find(name), true};
}

bool FontMapList::SetType(std::size_t row, FontType type) {
    if (row >= entries_.size() || entries_[row].type == type) return false;
    entries_[row].type = type;
    return true;
}

void FontMapList::Remove(std::size_t row) {
    if (row < entries_.size()) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(row));
}

}  // namespace tarsil
