#include <gtest/gtest.h>

#include "hebrew/codec/drawing_text_codec.h"
#include "tests/codec/codec_test_support.h"

namespace tarsil::hebrew {
namespace {

std::wstring Converted(std::wstring text, const wchar_t* target, std::int32_t ltr) {
    EXPECT_EQ(ConvertForTarget(text, target, ltr), 1);
    return text;
}

const std::wstring kAlefBetGimel = Bytes({0xE0, 0xE1, 0xE2});

TEST(ConvertToDos, LogicalWindowsTextBecomesDosInLeftToRightListing) {
    EXPECT_EQ(Converted(kAlefBetGimel, L"d", 0), Bytes({0x82, 0x81, 0x80}));
    EXPECT_EQ(Converted(Bytes({0xE0, 0x20}) + L"a", L"d", 0), L"a " + Bytes({0x80}));
    // A left-to-right paragraph is reversed once more at the end.
    EXPECT_EQ(Converted(kAlefBetGimel, L"d", 1), Bytes({0x82, 0x81, 0x80}));
    EXPECT_EQ(Converted(Bytes({0xE0, 0x20}) + L"a", L"d", 1), Bytes({0x80, 0x20}) + L"a");
}

TEST(ConvertToDos, AnyTargetButWIsDos) {
    for (const wchar_t* target : {L"D", L"x", L"", L"ww"}) {
        EXPECT_EQ(Converted(kAlefBetGimel, target, 0), Bytes({0x82, 0x81, 0x80})) << target;
    }
    std::wstring text = kAlefBetGimel;
    EXPECT_EQ(ConvertForTarget(text.data(), nullptr, 0), 1);
    EXPECT_EQ(text, Bytes({0x82, 0x81, 0x80}));
}

TEST(ConvertToDos, TextWithoutWindowsHebrewIsLeftAlone) {
    EXPECT_EQ(Converted(L"abc 12", L"d", 0), L"abc 12");
    EXPECT_EQ(Converted(Bytes({0x80, 0x81}), L"d", 0), Bytes({0x80, 0x81}));
}

TEST(ConvertToWindows, DosTextBecomesLogicalWindowsText) {
    EXPECT_EQ(Converted(Bytes({0x82, 0x81, 0x80}), L"w", 0), kAlefBetGimel);
    EXPECT_EQ(Converted(Bytes({0x82, 0x81, 0x80}), L"W", 0), kAlefBetGimel);
    EXPECT_EQ(Converted(L"a " + Bytes({0x80}), L"w", 0), Bytes({0xE0, 0x20}) + L"a");
    EXPECT_EQ(Converted(Bytes({0x80, 0x20}) + L"a", L"w", 1), Bytes({0xE0, 0x20}) + L"a");
}

TEST(ConvertToWindows, TextHoldingOnlyWindowsHebrewIsLeftAlone) {
    EXPECT_EQ(Converted(kAlefBetGimel, L"w", 0), kAlefBetGimel);
    EXPECT_EQ(Converted(L"%%128", L"w", 0), L"%%128");
}

TEST(ConvertToWindows, EscapesShortenTheText) {
    std::wstring text = Bytes({0x81}) + L"%%128";
    EXPECT_EQ(Converted(text, L"w", 0), Bytes({0xE0, 0xE1}));

    wchar_t buffer[] = L"\x81%%128xy";
    ConvertForTarget(buffer, L"w", 0);
    EXPECT_EQ(std::wcslen(buffer), 4u);
}

TEST(ConvertForTarget, DosAndBackGivesTheLogicalTextAgain) {
    const std::wstring texts[] = {kAlefBetGimel, Bytes({0xF9, 0xEC, 0xE5, 0xED}) + L" 123",
                                  Bytes({0xE0, 0x20}) + L"ab " + Bytes({0xE1})};
    for (const std::wstring& text : texts) {
        EXPECT_EQ(Converted(Converted(text, L"d", 0), L"w", 0), text);
    }
}

TEST(ConvertForTarget, NullTextIsASuccessThatDoesNothing) {
    EXPECT_EQ(ConvertForTarget(static_cast<wchar_t*>(nullptr), L"w", 0), 1);
}

}  // namespace
}  // namespace tarsil::hebrew
