#include "cadhost/view/font_types.h"

#include <cwctype>
#include <fstream>
#include <string_view>

#include "cadhost/db/acdb_all.h"
#include "cadhost/dxf/strings.h"
#include "cadhost/editor/sysvars.h"
#include "fonts/module_locator.h"
#include "fonts/settings/profile_file.h"
#include "fonts/settings/settings.h"
#include "fonts/style_font/font_type_of_style.h"
#include "fonts/wh_config.h"
#include "fonts/wide_text.h"

namespace cadhost::view {
using cadhost::dxf::sameAscii;
using cadhost::dxf::trim;

bool FontTypes::load(const std::filesystem::path& file) {
    map_.clear();
    styles_.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    bool inSection = false;
    std::string line;
    while (std::getline(in, line)) {
        std::string_view l = trim(line);
        if (!l.empty() && l.front() == '[') {
            const std::size_t close = l.find(']');
            inSection = close != std::string_view::npos &&
                        sameAscii(trim(l.substr(1, close - 1)), "FontMapping");
            continue;
        }
        const std::size_t eq = l.find('=');
        if (!inSection || eq == std::string_view::npos) continue;
        const std::string_view key = trim(l.substr(0, eq));
        const std::string value(trim(l.substr(eq + 1)));
        if (key.empty()) continue;
        char* end = nullptr;
        const long type = std::strtol(value.c_str(), &end, 10);
        if (end == value.c_str()) continue;
        // Bytes become characters one to one, as the module reads its maps.
        std::wstring name(key.begin(), key.end());
        for (wchar_t& c : name) c = static_cast<wchar_t>(static_cast<unsigned char>(c));
        map_.emplace(std::move(name), static_cast<tarsil::FontType>(type));
    }
    return true;
}

std::filesystem::path FontTypes::find(const std::vector<std::filesystem::path>& supportFolders) {
    std::error_code ec;
    for (const auto& folder : supportFolders) {
        for (const auto& candidate :
             {folder / "default.map", folder.parent_path() / "default.map"}) {
            if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
        }
    }
    return {};
}

std::filesystem::path FontTypes::inUse(const std::filesystem::path& settingsFile,
                                       const std::vector<std::filesystem::path>& supportFolders) {
    // Read as the module reads it: the value cut to its buffer, a path as
    // given (a relative one from the working folder).
    const tarsil::ProfileFile settings(settingsFile);
    const std::wstring named = settings.GetString(tarsil::kGeneralSection, tarsil::kFontMapFileKey,
                                                  L"", tarsil::kFontMapFileCapacity);
    std::error_code ec;
    if (!named.empty()) {
        const std::filesystem::path map(tarsil::NarrowBytes(named));
        if (std::filesystem::is_regular_file(map, ec)) return map;
    }
    return find(supportFolders);
}

std::filesystem::path FontTypes::inUse(const std::vector<std::filesystem::path>& supportFolders) {
    // The module's own search, so that the view reads the map the module
    // reads; the program and the module each hold their own copy of it.
    const tarsil::LocatedModule module =
        tarsil::LocateLoadedModule(tarsil::CWhConfig::kModuleFileName);
    return inUse(module.path.parent_path() / tarsil::CWhConfig::kSettingsFileName, supportFolders);
}

std::vector<std::filesystem::path> FontTypes::hostSupportFolders() {
    std::vector<std::filesystem::path> out;
    const auto value = cadhost::getVar(L"ACADPREFIX");
    if (!value) return out;
    std::wstring piece;
    auto flush = [&] {
        // "dir/" names the folder itself; its parent is what a trailing
        // separator would hide.
        while (piece.size() > 1 && piece.back() == L'/') piece.pop_back();
        if (!piece.empty()) out.emplace_back(piece);
        piece.clear();
    };
    for (wchar_t c : value->text) {
        if (c == L';')
            flush();
        else
            piece += c;
    }
    flush();
    return out;
}

tarsil::FontType FontTypes::ofFont(const std::wstring& fileName) const {
    // As the module looks fonts up, so that both read a text alike.
    return tarsil::FindFontTypeIn(map_, tarsil::RemoveFontExtension(fileName));
}

tarsil::FontType FontTypes::ofStyle(AcDbObjectId style) const {
    if (auto it = styles_.find(style); it != styles_.end()) return it->second;
    // The module's own lookup, so that the view and the module read a text alike.
    const tarsil::FontType type =
        style.isNull() ? tarsil::FontType::Unknown : tarsil::FontTypeOfStyleIn(map_, style);
    styles_.emplace(style, type);
    return type;
}

}  // namespace cadhost::view
