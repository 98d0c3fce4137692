#include "fonts/settings/completion_switches.h"

#include "fonts/module_locator.h"
#include "fonts/settings/profile_file.h"
#include "fonts/wh_config.h"

namespace tarsil {

namespace {

// Read into a buffer of four characters: three fit.
constexpr std::size_t kSwitchCapacity = 4;

}  // namespace

bool ReadCompletionSwitch(const std::filesystem::path& settings_file, std::wstring_view key) {
    const ProfileFile file(settings_file);
    return file.GetString(kCompletionSection, key, L"", kSwitchCapacity) != L"OFF";
}

bool WriteCompletionSwitch(const std::filesystem::path& settings_file, std::wstring_view key,
                           bool on) {
    ProfileFile file(settings_file);
    file.Set(kCompletionSection, key, on ? L"ON" : L"OFF");
    return file.Save();
}

std::filesystem::path ModuleSettingsFile() {
    const LocatedModule module = LocateLoadedModule(CWhConfig::kModuleFileName);
    return module.path.parent_path() / CWhConfig::kSettingsFileName;
}

bool ReadCompletionSwitch(std::wstring_view key) {
    return ReadCompletionSwitch(ModuleSettingsFile(), key);
}

bool WriteCompletionSwitch(std::wstring_view key, bool on) {
    return WriteCompletionSwitch(ModuleSettingsFile(), key, on);
}

}  // namespace tarsil
