#pragma once

#include <cstddef>
#include <functional>

namespace tarsil {

// Section "General" of tarsil.ini, owned by the configuration holder.
inline constexpr wchar_t kGeneralSection[] = L"General";
inline constexpr wchar_t kDdeditStyleKey[] = L"DdeditStyle";
inline constexpr wchar_t kFontMapFileKey[] = L"FontMapFile";
inline constexpr int kDefaultDdeditStyle = 1;
// The font map path is read into a buffer of this many characters.
inline constexpr std::size_t kFontMapFileCapacity = 260;

// Puts a host editing style into force; the settings load calls it with
// force on for the style it read.  Kept apart from the settings so that
// the configuration does not depend on the host.
using DdeditStyleApplier = std::function<void(int style, bool force)>;

// Finds the module (CWhConfig::Locate), then reads the settings file.
void LoadSettings(const DdeditStyleApplier& apply_style);

// Reads the settings file at the configuration's settings path into the
// configuration: stores "DdeditStyle" (1 when absent) and applies it by
// force, sets the current font map path ("FontMapFile", cut to 259
// characters; the default map when empty), then loads both font maps.
void ReadSettings(const DdeditStyleApplier& apply_style);

// Writes "DdeditStyle" and "FontMapFile" (always the full path) in one
// replacement of the file.  False, with the file unchanged, when it can't
// be written.
bool SaveSettings();

}  // namespace tarsil
