#pragma once

// Readers of the answers typed at the host's prompts.
#include <optional>
#include <string_view>

namespace cadhost {

struct TypedPoint {
    double xyz[3] = {0, 0, 0};
    bool relative = false;  // "@dx,dy": offset from the last point
};

// A real number in the C locale's notation, the whole text and nothing else.
std::optional<double> parseReal(std::wstring_view text);
// An integer, the whole text.
std::optional<long> parseInteger(std::wstring_view text);
// "x,y", "x,y,z", "@dx,dy", "@dx,dy,dz" or polar "@dist<angle" (degrees).
std::optional<TypedPoint> parsePoint(std::wstring_view text);

}  // namespace cadhost
