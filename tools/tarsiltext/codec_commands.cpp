#include "tools/tarsiltext/codec_commands.h"

#include <unistd.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "hebrew/codec/drawing_text_codec.h"

namespace tarsil::tools {
namespace {

std::vector<unsigned char> MaskDigits(const std::string& digits, std::size_t length) {
    std::vector<unsigned char> mask;
    for (char d : digits) {
        if (d != '1' && d != '2') throw RecordError("a mask holds only the digits 1 and 2");
        mask.push_back(static_cast<unsigned char>(d - '0'));
    }
    if (mask.size() != length) {
        throw RecordError("a mask needs one digit per character of its text (" +
                          std::to_string(length) + "), got " + std::to_string(mask.size()));
    }
    return mask;
}

void Decode(FontType type, const RecordOptions& options) {
    RecordReader reader(STDIN_FILENO, options);
    RecordWriter writer(std::cout, options);
    std::wstring text;
    while (reader.Next(text)) {
        hebrew::DecodeDrawingText(text, type);
        writer.Write(text);
    }
}

void Encode(FontType type, const RecordOptions& options) {
    RecordReader reader(STDIN_FILENO, options);
    RecordWriter writer(std::cout, options);
    std::wstring text;
    std::string digits;
    while (reader.Next(text)) {
        if (!reader.NextRaw(digits)) throw RecordError("the last text has no mask record after it");
        const std::vector<unsigned char> mask = MaskDigits(digits, text.size());
        hebrew::EncodeDrawingText(text, type, mask);
        writer.Write(text);
    }
}

void Convert(const std::string& target, bool ltr, const RecordOptions& options) {
    RecordReader reader(STDIN_FILENO, options);
    RecordWriter writer(std::cout, options);
    const std::wstring wide_target(target.begin(), target.end());
    std::wstring text;
    while (reader.Next(text)) {
        hebrew::ConvertForTarget(text, wide_target.c_str(), ltr ? 1 : 0);
        writer.Write(text);
    }
}

CLI::Option* AddFontType(CLI::App& sub, int& font_type) {
    return sub
        .add_option("--font-type", font_type,
                    "font type: 0 Hebrew Normal, 1 Hebrew 7 Bit, 2 Hebrew Backward, "
                    "3 Hebrew 7 Bit Backward, 4 d2w, 5 As is, 255 Unknown")
        ->required();
}

}  // namespace

void addCodecCommands(CLI::App& app, RecordOptions& options) {
    auto font_type = std::make_shared<int>(0);
    CLI::App* decode = app.add_subcommand("decode", "stored drawing text to logical text");
    AddRecordFlags(*decode, options);
    AddFontType(*decode, *font_type);
    decode->callback([font_type, &options] { Decode(static_cast<FontType>(*font_type), options); });

    CLI::App* encode = app.add_subcommand(
        "encode",
        "logical text to stored drawing text; records come in pairs: text, then its mask of "
        "digits 1 and 2 (2 = typed as Hebrew)");
    AddRecordFlags(*encode, options);
    AddFontType(*encode, *font_type);
    encode->callback([font_type, &options] { Encode(static_cast<FontType>(*font_type), options); });

    auto target = std::make_shared<std::string>();
    auto ltr = std::make_shared<bool>(false);
    CLI::App* convert =
        app.add_subcommand("convert", "text to the DOS (d) or the Windows (w) layout");
    AddRecordFlags(*convert, options);
    convert->add_option("--target", *target, "d: DOS layout, w: Windows layout")
        ->required()
        ->check(CLI::IsMember({"d", "w"}, CLI::ignore_case));
    convert->add_flag("--ltr", *ltr, "left-to-right paragraph (default right to left)");
    convert->callback([target, ltr, &options] { Convert(*target, *ltr, options); });
}

}  // namespace tarsil::tools
