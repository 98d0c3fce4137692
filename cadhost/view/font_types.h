#pragma once

// The font type of each text style, as the font map gives its font file.
// The host reads a map file of the module's format but never writes it.
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "cadhost/db/objectid.h"
#include "fonts/font_map.h"
#include "fonts/font_type.h"

namespace cadhost::view {

class FontTypes {
  public:
    FontTypes() = default;  // no map: every font is Unknown
    explicit FontTypes(tarsil::FontMap map) : map_(std::move(map)) {}

    // Reads the "FontMapping" section of a map file; false (and an empty
    // map) when the file can't be read.
    bool load(const std::filesystem::path& file);
    // The first "default.map" in a support folder or in the folder above
    // it (the bundled map sits above the bundled support folder); empty
    // when there is none.
    static std::filesystem::path find(const std::vector<std::filesystem::path>& supportFolders);
    // The map in use: the one the module's settings name ("FontMapFile" in
    // the "General" section of its tarsil.ini, found beside the loaded
    // module, or beside this program while none is loaded), else the first
    // "default.map" of the support folders (find).  Empty when there is none.
    static std::filesystem::path inUse(const std::vector<std::filesystem::path>& supportFolders);
    // The same for a given settings file.
    static std::filesystem::path inUse(const std::filesystem::path& settingsFile,
                                       const std::vector<std::filesystem::path>& supportFolders);
    // The support folders of the host's "ACADPREFIX" variable.
    static std::vector<std::filesystem::path> hostSupportFolders();

    const tarsil::FontMap& map() const { return map_; }
    // By font file name ("hebnorm.shx"), case-blind; a folder part stays
    // part of the name, as the module looks it up.
    tarsil::FontType ofFont(const std::wstring& fileName) const;
    // By text style; remembered until clear().  Unknown when the style
    // can't be opened.
    tarsil::FontType ofStyle(AcDbObjectId style) const;
    void clear() { styles_.clear(); }

  private:
    tarsil::FontMap map_;
    mutable std::unordered_map<AcDbObjectId, tarsil::FontType> styles_;
};

}  // namespace cadhost::view
