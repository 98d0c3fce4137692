#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarsil {

// Replaces the contents of the file at path with bytes so that a crash or
// a full disk never leaves a half-written file: the bytes go to a new file
// in the same folder, are flushed to disk, and that file is renamed over
// the old one.  A symbolic link is followed and its target replaced.  An
// existing file keeps its permission bits and, where the writer may set
// it, its owner; hard links to the old file keep the old contents.  The
// folder must be writable, as the new file is made there.  On failure the old file is
// untouched, the temporary is removed, and error (if given) says why.
bool ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes,
                         std::string* error);

}  // namespace tarsil
