#pragma once

// The shape font files ("*.shx") on the host's support folders.
#include <string>
#include <vector>

namespace tarsil::acad_font_collector {

class file_collector_t {
  public:
    file_collector_t() = default;
    // Lists each support folder in order, its files in name order; each
    // font name (lower case, no extension) is kept once, where first found.
    // A folder that can't be listed adds nothing.
    void collect();
    const std::vector<std::wstring>& names() const { return names_; }

  private:
    std::vector<std::wstring> names_;
};

}  // namespace tarsil::acad_font_collector
