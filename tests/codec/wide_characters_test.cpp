#include "hebrew/codec/wide_characters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "hebrew/codec/drawing_text_codec.h"
#include "tests/codec/codec_test_support.h"

namespace tarsil::hebrew {
namespace {

struct Operation {
    const char* name;
    StandInSet set;
    std::function<void(std::wstring&)> run;
};

// Every conversion of the codec that reorders or maps, with the stand-ins it
// is run with.
std::vector<Operation> Operations() {
    std::vector<Operation> ops;
    for (int type : {0, 1, 3, 4, 255}) {
        const auto t = static_cast<FontType>(type);
        const StandInSet set = type >= 4 ? StandInSet::kWindowsLayout : StandInSet::kDosLayout;
        if (type != 255)
            ops.push_back({"decode", set, [t](std::wstring& s) { DecodeDrawingText(s, t); }});
        ops.push_back(
            {"encode", set, [t](std::wstring& s) { EncodeDrawingText(s, t, Mask(L"lh")); }});
    }
    for (const wchar_t* target : {L"w", L"d"})
        for (int ltr : {0, 1})
            ops.push_back({"target", StandInSet::kDosLayout,
                           [=](std::wstring& s) { ConvertForTarget(s.data(), target, ltr); }});
    return ops;
}

std::wstring Applied(const Operation& op, std::wstring text) {
    op.run(text);
    return text.substr(0, std::wcslen(text.c_str()));
}

bool IsStandIn(const Operation& op, wchar_t c) {
    const auto bytes = StandInBytes(op.set);
    return std::find(bytes.begin(), bytes.end(), c) != bytes.end();
}

// What makes a byte a stand-in, checked on every stand-in of every
// conversion: it comes out unchanged, goes where any other stand-in would
// go, and no other byte (nor an escape) turns into one.
TEST(StandIns, AreKeptAndPlacedAlikeAndNeverMade) {
    const std::wstring common = Bytes({0xE0, 0xE1}) + L"( 12) [a" + Bytes({0xFA}) + L"] tc.";
    const std::wstring dos = Bytes({0x80, 0x9A}) + L" %%128";
    for (const Operation& op : Operations()) {
        const std::wstring context = common + (op.set == StandInSet::kDosLayout ? dos : L"");
        const auto bytes = StandInBytes(op.set);
        ASSERT_GE(bytes.size(), 74u);
        for (std::size_t at : {std::size_t{0}, std::size_t{4}, context.size()}) {
            std::wstring first = context;
            first.insert(at, 1, bytes[0]);
            const std::wstring expected = Applied(op, first);
            for (unsigned char b : bytes) {
                std::wstring text = context;
                text.insert(at, 1, b);
                std::wstring out = Applied(op, text);
                ASSERT_EQ(std::count(out.begin(), out.end(), b), 1) << op.name << " " << int(b);
                std::replace(out.begin(), out.end(), static_cast<wchar_t>(b),
                             static_cast<wchar_t>(bytes[0]));
                EXPECT_EQ(out, expected) << op.name << " byte " << int(b) << " at " << at;
            }
        }
        std::wstring others = L"%%128%%154 ";
        for (int b = 1; b < 256; ++b)
            if (!IsStandIn(op, b)) others += static_cast<wchar_t>(b);
        for (wchar_t c : Applied(op, others))
            EXPECT_FALSE(IsStandIn(op, c)) << op.name << " " << int(c);
    }
}

const wchar_t kDiameter = 0x2300, kAlef = 0x05D0;

TEST(WideCharacters, StayInPlaceAsNeutrals) {
    // Derived by hand: a trailing neutral closes the right-to-left line.
    const std::wstring typed = Bytes({0xE0, 0xE1, 0x20}) + kDiameter;
    std::wstring stored = typed;
    EncodeDrawingText(stored, FontType::HebrewNormal, {});
    EXPECT_EQ(stored, std::wstring(1, kDiameter) + L" " + Bytes({0x81, 0x80}));
    stored = typed;
    EncodeDrawingText(stored, FontType::Hebrew7Bit, {});
    EXPECT_EQ(stored, std::wstring(L"tc ") + kDiameter);
    // Between Hebrew letters the neutral is right to left too.
    stored = Bytes({0x80}) + kAlef + Bytes({0x81});
    DecodeDrawingText(stored, FontType::HebrewNormal);
    EXPECT_EQ(stored, Bytes({0xE1}) + kAlef + Bytes({0xE0}));
}

// Texts of every font type that decodes: Hebrew, numbers, wide characters,
// from short to longer than the engine keeps on its stack, and with more
// different wide characters than there are stand-ins.
TEST(WideCharacters, SurviveEncodeAndDecodeOfEveryType) {
    for (std::size_t length : {8u, 255u, 256u, 257u, 1500u}) {
        for (wchar_t distinct : {1, 3, 80, 6000}) {
            std::wstring text;
            for (std::size_t i = 0; i < length; ++i)
                text += i % 5 == 4   ? static_cast<wchar_t>(0x4E00 + (i / 5) % distinct)
                        : i % 7 == 3 ? L'0' + i % 10
                        : i % 9 == 1 ? L' '
                                     : Win(i % 27);
            text += Bytes({0x9B, 0xC0, 0xFF});  // stand-ins the text already holds
            for (int type : {0, 1, 3, 4}) {
                std::wstring stored = text;
                EncodeDrawingText(stored, static_cast<FontType>(type), {});
                ASSERT_EQ(stored.size(), text.size());
                DecodeDrawingText(stored, static_cast<FontType>(type));
                ASSERT_EQ(stored, text) << type << " " << length << " " << int(distinct);
            }
        }
    }
}

TEST(WideCharacters, AreKeptByBothFormsOfTheTargetConversion) {
    const std::wstring text = Bytes({0xE0, 0xE1, 0x20}) + kAlef + L"x";
    std::wstring dos = text;
    ConvertForTarget(dos, L"d", 0);
    EXPECT_EQ(dos, L"x" + std::wstring(1, kAlef) + L" " + Bytes({0x81, 0x80}));
    std::wstring buffer = dos;
    ConvertForTarget(buffer.data(), L"w", 0);
    EXPECT_EQ(buffer.c_str(), text);
}

}  // namespace
}  // namespace tarsil::hebrew
