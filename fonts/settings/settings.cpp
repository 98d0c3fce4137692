#include "fonts/settings/settings.h"

#include <string>

#include "fonts/font_map.h"
#include "fonts/notify.h"
#include "fonts/settings/profile_file.h"
#include "fonts/wh_config.h"
#include "fonts/wide_text.h"

namespace tarsil {

namespace {

constexpr wchar_t kSaveFailedMessage[] = L"Cannot write the settings file %s:\n%s";

std::wstring PathText(const std::filesystem::path& path) {
    return WidenBytes(path.native());
}

}  // namespace

void LoadSettings(const DdeditStyleApplier& apply_style) {
    CWhConfig::Instance().Locate();
    ReadSettings(apply_style);
}

void ReadSettings(const DdeditStyleApplier& apply_style) {
    CWhConfig& config = CWhConfig::Instance();
    const ProfileFile file(config.GetSettingsFilePath());

    // The configured value is stored before it is applied: applying reads
    // it as the style now in force.
    const int style = file.GetInt(kGeneralSection, kDdeditStyleKey, kDefaultDdeditStyle);
    config.SetDdeditStyle(style);
    if (apply_style) apply_style(style, true);

    const std::wstring map_file =
        file.GetString(kGeneralSection, kFontMapFileKey, L"", kFontMapFileCapacity);
    if (map_file.empty()) {
        config.SetCurrentFontMapPath(config.GetDefaultFontMapPath());
    } else {
        config.SetCurrentFontMapPath(std::filesystem::path(NarrowBytes(map_file)));
    }
    LoadFontMaps();
}

bool SaveSettings() {
    const CWhConfig& config = CWhConfig::Instance();
    ProfileFile file(config.GetSettingsFilePath());
    file.Set(kGeneralSection, kDdeditStyleKey, std::to_wstring(config.GetDdeditStyle()));
    file.Set(kGeneralSection, kFontMapFileKey, PathText(config.GetCurrentFontMapPath()));
    std::string error;
    if (file.Save(&error)) return true;
    ShowAlert(FormatMessage(kSaveFailedMessage,
                            {PathText(config.GetSettingsFilePath()), WidenBytes(error)}));
    return false;
}

}  // namespace tarsil
