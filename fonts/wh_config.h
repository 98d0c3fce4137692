#pragma once

#include <filesystem>
#include <memory>

namespace tarsil {

// The module's configuration while it is loaded: where the module file
// lives, the settings file and font map file paths, and the configured
// way of taking over the host's text editing.  There is one instance,
// created on first use.
class CWhConfig {
  public:
    static constexpr char kModuleFileName[] = "tarsil2.arx";
    static constexpr char kSettingsFileName[] = "tarsil.ini";
    static constexpr char kDefaultFontMapFileName[] = "default.map";

    static CWhConfig& Instance();
    static void DestroyInstance();

    // Finds the module file among the loaded modules (or, without one, the
    // host's executable) and derives the module directory, the settings
    // file path and the default font map path from it.
    void Locate();

    int GetDdeditStyle() const { return ddedit_style_; }
    void SetDdeditStyle(int style) { ddedit_style_ = style; }

    // Ends in exactly one '/', so a file name can follow it directly.
    const std::filesystem::path& GetModuleDirectory() const { return module_directory_; }
    const std::filesystem::path& GetDefaultFontMapPath() const { return default_font_map_path_; }
    const std::filesystem::path& GetCurrentFontMapPath() const { return current_font_map_path_; }
    const std::filesystem::path& GetSettingsFilePath() const { return settings_file_path_; }
    const void* GetModuleHandle() const { return module_handle_; }

    void SetCurrentFontMapPath(const std::filesystem::path& path) { current_font_map_path_ = path; }

    // Sets the paths from a module file path; Locate uses it.
    void SetModuleFile(const std::filesystem::path& module_file, const void* handle);

  private:
    CWhConfig() = default;
    friend struct std::default_delete<CWhConfig>;

    int ddedit_style_ = 1;
    std::filesystem::path module_directory_;
    std::filesystem::path default_font_map_path_;
    std::filesystem::path current_font_map_path_;
    std::filesystem::path settings_file_path_;
    const void* module_handle_ = nullptr;
};

}  // namespace tarsil
