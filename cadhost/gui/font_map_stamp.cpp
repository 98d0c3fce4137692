#include "cadhost/gui/font_map_stamp.h"

#include <system_error>

namespace cadhost::gui {

FontMapStamp FontMapStamp::current() {
    FontMapStamp stamp;
    stamp.file = view::FontTypes::inUse(view::FontTypes::hostSupportFolders());
    if (stamp.file.empty()) return stamp;
    std::error_code error;  // a map that vanished reads as an empty one
    stamp.written = std::filesystem::last_write_time(stamp.file, error);
    stamp.size = std::filesystem::file_size(stamp.file, error);
    if (error) stamp.size = 0;
    return stamp;
}

view::FontTypes FontMapStamp::fontTypes() const {
    view::FontTypes fonts;
    if (!file.empty()) fonts.load(file);
    return fonts;
}

}  // namespace cadhost::gui
