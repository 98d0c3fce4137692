#include "fonts/style_font/acad_paths_parser.h"

#include "cadhost/editor/cmdline.h"
#include "cadhost/editor/sysvars.h"

namespace tarsil {

acad_paths_parser_t::acad_paths_parser_t() {
    resbuf rb{};
    const int status = acedGetVar(L"ACADPREFIX", &rb);
    if (status != RTNORM) {
        acutPrintf(L"acad_paths_parser_t::acedGetVar error=%d\n", status);
        return;
    }
    if (rb.restype != RTSTR || rb.resval.rstring == nullptr) {
        acutPrintf(L"acad_paths_parser_t::acedGetVar error=%d\n", RTNORM);
        return;
    }
    const std::wstring all = rb.resval.rstring;
    std::size_t start = 0;
    while (start <= all.size()) {
        const std::size_t semi = all.find(L';', start);
        const std::size_t stop = semi == std::wstring::npos ? all.size() : semi;
        if (stop > start) {
            const std::wstring piece = all.substr(start, stop - start);
            acutPrintf(L"acad_paths_parser_t...%s\n", piece.c_str());
            paths_.push_back(piece);
        }
        start = stop + 1;
    }
    acutDelString(rb.resval.rstring);
}

}  // namespace tarsil
