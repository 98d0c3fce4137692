#pragma once

#include <string_view>

namespace cadhost::db {
// An empty R2018 drawing with the standard tables, the start of every new
// database.
std::string_view emptyDrawing();
}  // namespace cadhost::db
