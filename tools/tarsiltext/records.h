// Records on standard input and output for the tarsiltext subcommands.
//
// A record is one line (ended by a line feed) or, with -0, one NUL-ended
// string that may hold line feeds; a last record without its terminator
// still counts.  Each byte is one character U+00bb of the engine's text.
// With --utf8 the records are UTF-8 and the Hebrew letters U+05D0..U+05EA
// stand for the Windows layout bytes 0xE0..0xFA (and are written back so).
//
// Input is read and output written in large blocks, and every buffer is
// kept from record to record: a file of short lines costs no system call
// and no allocation per line.  Output goes out at the end, when a block is
// full, or after every record when standard output is a terminal or
// --flush is given.
#pragma once

#include <CLI/CLI.hpp>
#include <cstddef>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/tarsiltext/grow_buffer.h"

namespace tarsil::tools {

struct RecordOptions {
    bool nulTerminated = false;    // -0
    bool utf8 = false;             // --utf8
    bool flushEachRecord = false;  // --flush, or standard output is a terminal
};

// Adds -0, --utf8 and --flush to app.  Every subcommand adds them too, so
// that they may follow the subcommand's name (CLI11 would take "-0" there
// for a number).
void AddRecordFlags(CLI::App& app, RecordOptions& options);

// Input that cannot be turned into engine text; the tool exits with 1.
class RecordError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class RecordReader {
  public:
    // Reads the file descriptor fd (standard input for the tool).  A read
    // returns what is there, so records typed at a terminal or written by
    // a coprocess are answered one by one.
    RecordReader(int fd, const RecordOptions& options);
    // The next record's bytes, exactly as read, valid until the next call;
    // false at the end of input.
    bool NextView(std::string_view& record);
    bool NextRaw(std::string& record);
    // The next record as engine text in the reader's own buffer, valid until
    // the next call; throws RecordError on bad UTF-8 or on a character that
    // has no byte.
    bool Next(std::wstring_view& record);
    bool Next(std::wstring& record);

  private:
    bool Fill();  // false at the end of input

    int fd_;
    RecordOptions options_;
    GrowBuffer<char> block_;
    std::size_t begin_ = 0;    // the unread records start here
    std::size_t end_ = 0;      // and end here
    std::size_t scanned_ = 0;  // no terminator in [begin_, scanned_)
    bool atEnd_ = false;
    GrowBuffer<wchar_t> text_;
};

class RecordWriter {
  public:
    RecordWriter(std::ostream& out, const RecordOptions& options);
    // Writes what is left; errors show in the stream's state.
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // Writes engine text as one record (UTF-8 under --utf8); the text ends
    // at n characters.
    void Write(const wchar_t* text, std::size_t n);
    void Write(std::wstring_view text) { Write(text.data(), text.size()); }
    // Writes ASCII (numbers, flags) as one record.
    void WriteRaw(std::string_view ascii);
    // Room for a record of at most `bytes` bytes, to be filled and then
    // ended with EndRecord(the end of what was filled).
    char* Room(std::size_t bytes);
    void EndRecord(char* end);
    // Hands everything written so far to the stream and flushes it.
    void Flush();

  private:
    std::ostream& out_;
    RecordOptions options_;
    GrowBuffer<char> block_;
    std::size_t used_ = 0;
};

// The --utf8 mapping, exposed for tests and other subcommand groups.
std::wstring Utf8ToEngineText(std::string_view utf8);
std::string EngineTextToUtf8(std::wstring_view text);

}  // namespace tarsil::tools
