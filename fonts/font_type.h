#pragma once

namespace tarsil {

// The encoding and order a font file expects for its Hebrew text.  The
// numbers are stored in font map files and never change.  A value read
// from a file may be any integer; the enum has an int underlying type so
// such values pass through unchanged.
enum class FontType : int {
    HebrewNormal = 0,
    Hebrew7Bit = 1,
    HebrewBackward = 2,
    Hebrew7BitBackward = 3,
    D2w = 4,
    AsIs = 5,
    Unknown = 255,
};

}  // namespace tarsil
