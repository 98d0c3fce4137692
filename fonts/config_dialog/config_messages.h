#pragma once

// What the configuration sheet says to the user.
namespace tarsil {

inline constexpr char kCantOpenFontMapMessage[] = "Can't open font map file '%s'\n";
inline constexpr char kEmptyNewMapNameMessage[] = "You need to fill new mapping name field!";
inline constexpr char kNewMapFailedMessage[] = "Can't create new mapping,system error raised!";
inline constexpr char kAddMissingQuestion[] =
    "All your unmapped fonts will be map\nto Font type \"Hebrew\". Continue?";
inline constexpr char kDeleteQuestion[] = "The selected mapping(s) will be deleted. Continue?";

inline constexpr char kFontFileFilter[] = "AutoCAD font files(*.shx)|*.shx|All files|*.*";

}  // namespace tarsil
