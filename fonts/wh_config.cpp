#include "fonts/wh_config.h"

#include "fonts/module_locator.h"

namespace tarsil {

namespace fs = std::filesystem;

namespace {

std::unique_ptr<CWhConfig>& Slot() {
    static std::unique_ptr<CWhConfig> instance;
    return instance;
}

}  // namespace

CWhConfig& CWhConfig::Instance() {
    std::unique_ptr<CWhConfig>& slot = Slot();
    if (!slot) slot.reset(new CWhConfig());
    return *slot;
}

void CWhConfig::DestroyInstance() {
    Slot().reset();
}

void CWhConfig::Locate() {
    const LocatedModule module = LocateLoadedModule(kModuleFileName);
    SetModuleFile(module.path, module.handle);
}

void CWhConfig::SetModuleFile(const fs::path& module_file, const void* handle) {
    std::string directory = module_file.parent_path().native();
    while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
    if (directory.empty() || directory.back() != '/') directory += '/';
    module_directory_ = directory;
    settings_file_path_ = directory + kSettingsFileName;
    default_font_map_path_ = directory + kDefaultFontMapFileName;
    module_handle_ = handle;
}

}  // namespace tarsil
