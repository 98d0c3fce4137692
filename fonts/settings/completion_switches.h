#pragma once

#include <filesystem>
#include <string_view>

namespace tarsil {

// Section "Completion" of tarsil.ini: where word completion takes its words.
inline constexpr wchar_t kCompletionSection[] = L"Completion";
inline constexpr wchar_t kCompletionFileKey[] = L"File";
inline constexpr wchar_t kCompletionDrawingKey[] = L"Drawing";

// A switch is off only when the first three characters of its value are
// exactly "OFF"; missing, "off", "ON" or anything else reads as on.
bool ReadCompletionSwitch(const std::filesystem::path& settings_file, std::wstring_view key);
// Writes "ON" or "OFF"; false when the file can't be written.
bool WriteCompletionSwitch(const std::filesystem::path& settings_file, std::wstring_view key,
                           bool on);

// The same on tarsil.ini beside the loaded module file, found the way the
// configuration finds it, whether or not the configuration exists.
std::filesystem::path ModuleSettingsFile();
bool ReadCompletionSwitch(std::wstring_view key);
bool WriteCompletionSwitch(std::wstring_view key, bool on);

}  // namespace tarsil
