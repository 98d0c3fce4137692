#pragma once

// The host's support folders, from its "ACADPREFIX" variable, in order.
#include <string>
#include <vector>

namespace tarsil {

class acad_paths_parser_t {
  public:
    // Reads "ACADPREFIX" and splits it at ";" (empty pieces skipped),
    // printing each folder on the command line; a failed read is printed
    // and leaves the list empty.
    acad_paths_parser_t();
    const std::vector<std::wstring>& paths() const { return paths_; }
    std::vector<std::wstring>::const_iterator begin() const { return paths_.begin(); }
    std::vector<std::wstring>::const_iterator end() const { return paths_.end(); }

  private:
    std::vector<std::wstring> paths_;
};

}  // namespace tarsil
