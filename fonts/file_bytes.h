#pragma once

#include <filesystem>
#include <string>

namespace tarsil {

// All bytes that can be read from fd, up to its end; a read error ends the
// reading with what was read so far.  fd stays open.
std::string ReadAllBytes(int fd);

// All bytes of the file at path; a file that can't be opened or read (a
// folder in its place among them) reads as empty.
std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace tarsil
