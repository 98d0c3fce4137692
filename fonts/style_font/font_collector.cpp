#include "fonts/style_font/font_collector.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>

#include "cadhost/rx/wide.h"
#include "fonts/style_font/acad_paths_parser.h"
#include "fonts/style_font/font_type_of_style.h"

namespace tarsil::acad_font_collector {
namespace {
std::wstring lower(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

// The "*.shx" files of one folder, by name; file name matching ignores case.
std::vector<std::wstring> shapeFiles(const std::wstring& folder) {
    namespace fs = std::filesystem;
    std::vector<std::wstring> files;
    std::error_code ec;
    // The host's texts are Unicode and its file names UTF-8; a name that is
    // no valid UTF-8 (a font copied with its code-page name) keeps its bytes
    // instead of stopping the whole listing.
    fs::directory_iterator it(fs::path(cadhost::toUtf8(folder)), ec);
    if (ec) return files;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::wstring name = cadhost::fromUtf8(it->path().filename().native());
        if (name.size() > 4 && lower(name.substr(name.size() - 4)) == L".shx")
            files.push_back(name);
    }
    std::sort(files.begin(), files.end());
    return files;
}
}  // namespace

void file_collector_t::collect() {
    for (const std::wstring& folder : acad_paths_parser_t()) {
        for (const std::wstring& file : shapeFiles(folder)) {
            const std::wstring name = lower(RemoveFontExtension(file));
            if (std::find(names_.begin(), names_.end(), name) == names_.end())
                names_.push_back(name);
        }
    }
}

}  // namespace tarsil::acad_font_collector
