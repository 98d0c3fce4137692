#pragma once

#include <filesystem>
#include <string>

typedef struct HINSTANCE__* HINSTANCE;

namespace tarsil {

// The file this code was loaded from (the module, or a program that links
// the module's libraries directly) and its load address.
std::filesystem::path ModuleFilePath();
HINSTANCE ModuleResourceHandle();

// The file version a module file carries ("2,0,0,0"); empty when the file
// has none or can't be read.
std::string ReadFileVersion(const std::filesystem::path& file);

// "Release 2016.0 (" + file version with its commas made full stops + ")".
std::wstring SplashVersionLine(const std::string& file_version);

// The name of the file section that holds the version.
inline constexpr char kVersionSectionName[] = ".tarsil_version";

}  // namespace tarsil
