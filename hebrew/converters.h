// Small owning converters between wide strings and byte strings, for callers
// that need a temporary byte (or wide) copy of a text.  The converted buffer
// lives as long as the converter; copy it out before the converter goes.
#pragma once

#include <cstddef>

namespace tarsil::hebrew {

// Wide to bytes.  length 0 means the whole NUL-terminated text.  The buffer
// has length + 1 bytes: the first `length` characters narrowed, then NUL.
// Conversion stops early at the text's NUL or at a character above U+00FF;
// the rest of the buffer is then NUL.  A null text gives an empty buffer.
class uni_to_ansi_t {
  public:
    uni_to_ansi_t(const wchar_t* text, std::size_t length = 0);
    virtual ~uni_to_ansi_t();
    uni_to_ansi_t(const uni_to_ansi_t&) = delete;
    uni_to_ansi_t& operator=(const uni_to_ansi_t&) = delete;

    const char* get() const { return buffer_; }
    char* get() { return buffer_; }

  private:
    char* buffer_;
};

// Bytes to wide.  length 0 means the whole NUL-terminated text.  The buffer
// has length + 2 characters: the first `length` bytes widened, then NUL.
// Conversion stops early at the text's NUL; the rest of the buffer is NUL.
// A null text gives an empty buffer.
class ansi_to_uni_t {
  public:
    ansi_to_uni_t(const char* text, std::size_t length = 0);
    virtual ~ansi_to_uni_t();
    ansi_to_uni_t(const ansi_to_uni_t&) = delete;
    ansi_to_uni_t& operator=(const ansi_to_uni_t&) = delete;

    const wchar_t* get() const { return buffer_; }
    wchar_t* get() { return buffer_; }

  private:
    wchar_t* buffer_;
};

}  // namespace tarsil::hebrew
