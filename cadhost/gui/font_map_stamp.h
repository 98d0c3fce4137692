#pragma once

// Which font map the view draws with, and when it was last written: the
// configuration sheet may name another map or rewrite this one while the
// window is open, and the texts must then be drawn by the new types.
#include <cstdint>
#include <filesystem>

#include "cadhost/view/font_types.h"

namespace cadhost::gui {

struct FontMapStamp {
    std::filesystem::path file;  // empty: no map found
    std::filesystem::file_time_type written{};
    std::uintmax_t size = 0;
    bool operator==(const FontMapStamp&) const = default;

    // The map in use now, as the view finds it.
    static FontMapStamp current();
    // The font types of this map (none when there is no map).
    view::FontTypes fontTypes() const;
};

}  // namespace cadhost::gui
