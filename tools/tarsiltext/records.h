// Records on standard input and output for the tarsiltext subcommands.
//
// A record is one line (ended by a line feed) or, with -0, one NUL-ended
// string that may hold line feeds; a last record without its terminator
// still counts.  Each byte is one character U+00bb of the engine's text.
// With --utf8 the records are UTF-8 and the Hebrew letters U+05D0..U+05EA
// stand for the Windows layout bytes 0xE0..0xFA (and are written back so).
#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <stdexcept>
#include <string>

namespace tarsil::tools {

struct RecordOptions {
    bool nulTerminated = false;  // -0
    bool utf8 = false;           // --utf8
};

// Adds -0 and --utf8 to app.  Every subcommand adds them too, so that they
// may follow the subcommand's name (CLI11 would take "-0" there for a number).
void AddRecordFlags(CLI::App& app, RecordOptions& options);

// Input that cannot be turned into engine text; the tool exits with 1.
class RecordError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class RecordReader {
  public:
    RecordReader(std::istream& in, const RecordOptions& options);
    // The next record as bytes, exactly as read; false at the end of input.
    bool NextRaw(std::string& record);
    // The next record as engine text; throws RecordError on bad UTF-8 or on
    // a character that has no byte.
    bool Next(std::wstring& record);

  private:
    std::istream& in_;
    RecordOptions options_;
};

class RecordWriter {
  public:
    RecordWriter(std::ostream& out, const RecordOptions& options);
    // Writes engine text as one record (UTF-8 under --utf8).
    void Write(const std::wstring& text);
    // Writes ASCII (numbers, flags) as one record.
    void WriteRaw(const std::string& ascii);

  private:
    std::ostream& out_;
    RecordOptions options_;
};

// The --utf8 mapping, exposed for tests and other subcommand groups.
std::wstring Utf8ToEngineText(const std::string& utf8);
std::string EngineTextToUtf8(const std::wstring& text);

}  // namespace tarsil::tools
