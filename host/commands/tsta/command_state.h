// What TSTA changes for the length of the editor and puts back: the
// system variables "CMDECHO" and "OSMODE" (echo off, no object snaps while
// the editor asks for points) and the process's current directory (the
// module's own, where its files are).
#pragma once

#include <filesystem>
#include <optional>

#include "cadhost/rx/adsdefs.h"

namespace tarsil {

class CommandState {
  public:
    // Reads both variables; on a failed read shows its alert and leaves
    // Ok() false.  Nothing is changed yet.
    CommandState();
    // Puts back what was changed.
    ~CommandState();
    CommandState(const CommandState&) = delete;
    CommandState& operator=(const CommandState&) = delete;

    bool Ok() const { return ok_; }
    // Makes directory current, remembering the current one.
    void EnterDirectory(const std::filesystem::path& directory);
    // Sets "CMDECHO" and then "OSMODE" to 0, each in the type it was read in.
    void Quieten();

  private:
    bool ok_ = false;
    resbuf cmdecho_{};
    resbuf osmode_{};
    bool quiet_ = false;
    std::optional<std::filesystem::path> directory_;
};

}  // namespace tarsil
