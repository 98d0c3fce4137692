#include "tools/tarsiltext/engine_commands.h"

#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cwchar>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "hebrew/codepage.h"
#include "hebrew/reorder.h"

namespace tarsil::tools {
namespace {

namespace heb = tarsil::hebrew;

// Runs `convert` on every record of standard input; its result is one
// output record of engine text.
void ForEachRecord(const RecordOptions& options,
                   const std::function<std::wstring(std::wstring&)>& convert) {
    RecordReader reader(STDIN_FILENO, options);
    RecordWriter writer(std::cout, options);
    std::wstring record;
    while (reader.Next(record)) writer.Write(convert(record));
}

void ForEachRecordFlag(const RecordOptions& options,
                       const std::function<int(const std::wstring&)>& test) {
    RecordReader reader(STDIN_FILENO, options);
    RecordWriter writer(std::cout, options);
    std::wstring record;
    while (reader.Next(record)) writer.WriteRaw(test(record) ? "1" : "0");
}

struct ReorderOptions {
    bool ltr = false;
    bool rtl = false;
    bool map = false;
};

enum class Reordering { kLogicalToVisual, kMasked, kVisualToLogical };

// The mask digits into mask, which keeps its storage from record to record.
void ParseMask(std::string_view digits, std::size_t length, std::vector<unsigned char>& mask) {
    mask.clear();
    for (char d : digits) {
        if (d != '1' && d != '2') throw RecordError("a mask holds only the digits 1 and 2");
        mask.push_back(static_cast<unsigned char>(d - '0'));
    }
    if (mask.size() != length)
        throw RecordError("a mask needs one digit per character of its text (" +
                          std::to_string(length) + "), got " + std::to_string(mask.size()));
}

// The index map as decimal numbers separated by single spaces.
void WriteMap(RecordWriter& writer, const std::uint32_t* map, std::size_t entries) {
    constexpr std::size_t kDigits = 10;  // of the largest 32-bit number
    char* out = writer.Room(entries * (kDigits + 1));
    for (std::size_t i = 0; i < entries; ++i) {
        if (i) *out++ = ' ';
        out = std::to_chars(out, out + kDigits, map[i]).ptr;
    }
    writer.EndRecord(out);
}

// Every buffer lives as long as the loop, so that records of a size seen
// before cost no allocation.
void RunReordering(Reordering which, const ReorderOptions& ro, const RecordOptions& options) {
    RecordReader reader(STDIN_FILENO, options);
    RecordWriter writer(std::cout, options);
    const std::int32_t ltrParagraph = ro.ltr ? 1 : 0;
    heb::ReorderWorkspace workspace;
    GrowBuffer<wchar_t> out;
    GrowBuffer<std::uint32_t> map;
    std::vector<unsigned char> mask;
    std::wstring_view text;
    std::string_view maskDigits;
    while (reader.Next(text)) {
        // The engine reads up to the first NUL of a line-feed record.
        const std::size_t n = std::wcslen(text.data());
        wchar_t* visual = out.Reserve(n + 1);
        std::uint32_t* mapOut = ro.map ? map.Reserve(n + 1) : nullptr;
        std::int32_t ok = 0;
        switch (which) {
            case Reordering::kLogicalToVisual:
                ok = heb::LogicalToVisual(text.data(), n, visual, mapOut, ltrParagraph, workspace);
                break;
            case Reordering::kVisualToLogical:
                ok = heb::VisualToLogical(text.data(), n, visual, mapOut, ltrParagraph, workspace);
                break;
            case Reordering::kMasked: {
                if (!reader.NextView(maskDigits))
                    throw RecordError("the last text has no mask record after it");
                ParseMask(maskDigits, text.size(), mask);
                ok = heb::LogicalToVisualMasked(text.data(), n, visual, mapOut, ltrParagraph,
                                                mask.data(), workspace);
                break;
            }
        }
        if (!ok) throw RecordError("the reordering failed (out of memory)");
        if (ro.map)
            WriteMap(writer, mapOut, n + 1);
        else
            writer.Write(visual, n);
    }
}

void AddReordering(CLI::App& app, RecordOptions& options, const char* name, const char* description,
                   Reordering which) {
    auto ro = std::make_shared<ReorderOptions>();
    CLI::App* sub = app.add_subcommand(name, description);
    AddRecordFlags(*sub, options);
    CLI::Option* ltr = sub->add_flag("--ltr", ro->ltr, "left-to-right paragraph");
    CLI::Option* rtl = sub->add_flag("--rtl", ro->rtl, "right-to-left paragraph (the default)");
    ltr->excludes(rtl);
    sub->add_flag("--map", ro->map, "print the index map instead of the text");
    sub->callback([ro, which, &options] { RunReordering(which, *ro, options); });
}

std::wstring NarrowMapped(const std::wstring& text, void (*map)(const char*, char*)) {
    std::string bytes;
    for (wchar_t c : text) bytes.push_back(static_cast<char>(c));
    map(bytes.c_str(), bytes.data());
    std::wstring out;
    for (char b : std::string(bytes.c_str())) out.push_back(static_cast<unsigned char>(b));
    return out;
}

std::wstring WideInto(const std::wstring& text, int (*op)(const wchar_t*, wchar_t*)) {
    std::vector<wchar_t> out(text.size() + 1);
    op(text.c_str(), out.data());
    return out.data();
}

CLI::App* Subcommand(CLI::App& app, RecordOptions& options, const char* name,
                     const char* description) {
    CLI::App* sub = app.add_subcommand(name, description);
    AddRecordFlags(*sub, options);
    return sub;
}

}  // namespace

void addEngineCommands(CLI::App& app, RecordOptions& options) {
    AddReordering(app, options, "l2v", "logical to visual order", Reordering::kLogicalToVisual);
    AddReordering(app, options, "l2v-masked",
                  "logical to visual order; records come in pairs: text, then its mask of "
                  "digits 1 and 2 (2 = typed as Hebrew)",
                  Reordering::kMasked);
    AddReordering(app, options, "v2l", "reversed visual line to logical order",
                  Reordering::kVisualToLogical);

    auto mode = std::make_shared<int>(0);
    CLI::App* table = app.add_subcommand("table", "reverse and map through a 7-bit code table");
    AddRecordFlags(*table, options);
    table
        ->add_option("--mode", *mode,
                     "0 Windows to 7-bit, 1 7-bit to DOS, 2 DOS to 7-bit, "
                     "other: reverse only")
        ->required();
    table->callback([mode, &options] {
        ForEachRecord(options, [&](std::wstring& text) {
            std::vector<wchar_t> out(text.size() + 1);
            heb::ConvertCodeTable(text.c_str(), out.data(), *mode);
            return std::wstring(out.data());
        });
    });

    Subcommand(app, options, "dos2win", "DOS letters to Windows letters")->callback([&options] {
        ForEachRecord(options, [](std::wstring& t) { return NarrowMapped(t, heb::DosToWin); });
    });
    Subcommand(app, options, "win2dos", "Windows letters to DOS letters")->callback([&options] {
        ForEachRecord(options, [](std::wstring& t) { return NarrowMapped(t, heb::WinToDos); });
    });
    Subcommand(app, options, "dos2win-rev", "DOS to Windows letters, reversed")
        ->callback([&options] {
            ForEachRecord(options, [](std::wstring& t) {
                return WideInto(
                    t, static_cast<int (*)(const wchar_t*, wchar_t*)>(heb::DosToWinReversed));
            });
        });
    Subcommand(app, options, "win2dos-rev", "Windows to DOS letters, reversed")
        ->callback([&options] {
            ForEachRecord(options,
                          [](std::wstring& t) { return WideInto(t, heb::WinToDosReversed); });
        });
    Subcommand(app, options, "escapes", "decode %%NNN escapes of DOS letters")
        ->callback([&options] {
            ForEachRecord(options, [](std::wstring& t) {
                std::size_t length = t.size();
                heb::DecodeDosEscapes(t.data(), length);
                return t.substr(0, length);
            });
        });
    Subcommand(app, options, "contains-dos", "1 if the text holds DOS Hebrew, else 0")
        ->callback([&options] {
            ForEachRecordFlag(
                options, [](const std::wstring& t) { return heb::ContainsDosHebrew(t.c_str()); });
        });
    Subcommand(app, options, "contains-win", "1 if the text holds Windows Hebrew, else 0")
        ->callback([&options] {
            ForEachRecordFlag(options, [](const std::wstring& t) {
                return heb::ContainsWindowsHebrew(t.c_str());
            });
        });
}

}  // namespace tarsil::tools
