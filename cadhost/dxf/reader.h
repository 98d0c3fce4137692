#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cadhost/dxf/tags.h"

namespace cadhost::dxf {

// A DXF file split into its groups, with the file's own bytes kept for
// writing back whatever is not changed.
struct ParsedDxf {
    std::size_t tailStart = 0;  // bytes after the EOF value line
    bool crlf = false;          // line end of the file's first line
    int codeWidth = 0;          // group codes right-aligned to this width (0: none)
};

// What kind of number a group code's value is.
enum class ValueKind { String, Real, Int16, Int32, Int64, Bool };
ValueKind valueKind(int code);

// Splits and checks a file, handing each group to `onTag` in file order.
// On failure returns false and sets `error` to a message naming the line.
bool parseDxf(std::string_view bytes, ParsedDxf& out,
              const std::function<void(const RawTag&)>& onTag, std::string& error);

}  // namespace cadhost::dxf
