// Cutting MText into codes and text, paragraphs and dimension pieces.
#include "hebrew/mtext/mtext_codes.h"

#include <gtest/gtest.h>

namespace tarsil::mtext {
namespace {

// Pieces written as "[code]" and "text", concatenated.
std::wstring Show(std::wstring_view line, bool measurement = false) {
    std::wstring out;
    std::size_t expected_offset = 0;
    for (const Piece& p : SplitCodes(line, measurement)) {
        EXPECT_EQ(p.offset, expected_offset) << "pieces must cover the line in order";
        expected_offset += p.text.size();
        out += p.code ? L"[" + std::wstring(p.text) + L"]" : std::wstring(p.text);
    }
    EXPECT_EQ(expected_offset, line.size());
    return out;
}

TEST(SplitCodes, CutsEveryKindOfCodeFromTheText) {
    const struct {
        const wchar_t* line;
        const wchar_t* pieces;
    } cases[] = {
        {L"", L""},
        {L"plain text", L"plain text"},
        {L"{\\fArial|b1|i0;word} tail", L"[{][\\fArial|b1|i0;]word[}] tail"},
        {L"x\\Ly\\lz", L"x[\\L]y[\\l]z"},
        {L"a\\\\b\\{c\\}", L"a[\\\\]b[\\{]c[\\}]"},
        {L"\\U+05D0\\U+05d1x", L"[\\U+05D0][\\U+05d1]x"},
        {L"\\M+18140x", L"[\\M+18140]x"},
        {L"\\S1^2;mm", L"[\\S1^2;]mm"},
        // A value code without its ';' runs to the end of the line.
        {L"ab\\C1 no end", L"ab[\\C1 no end]"},
        {L"end\\", L"end[\\]"},
        // Characters above the byte range are kept apart from the text.
        {L"a\u20ACb\u05D0", L"a[\u20AC]b[\u05D0]"},
    };
    for (const auto& c : cases) EXPECT_EQ(Show(c.line), c.pieces) << c.line;
}

TEST(SplitCodes, TheMeasurementIsACodeOnlyInDimensionText) {
    EXPECT_EQ(Show(L"<> mm", true), L"[<>] mm");
    EXPECT_EQ(Show(L"a<b>c<>", true), L"a<b>c[<>]");
    EXPECT_EQ(Show(L"<> mm", false), L"<> mm");
}

TEST(SplitParagraphs, CutsAtParagraphBreaksButNotAtEscapedBackslashes) {
    using V = std::vector<std::wstring>;
    EXPECT_EQ(SplitParagraphs(L""), V{L""});
    EXPECT_EQ(SplitParagraphs(L"a\\Pb"), (V{L"a", L"b"}));
    EXPECT_EQ(SplitParagraphs(L"a\\P\\P"), (V{L"a", L"", L""}));
    EXPECT_EQ(SplitParagraphs(L"\\Pb"), (V{L"", L"b"}));
    EXPECT_EQ(SplitParagraphs(L"a\\\\Pb"), V{L"a\\\\Pb"});
    EXPECT_EQ(SplitParagraphs(L"{\\C1;a\\pxqr;}\\Pb\\p"), (V{L"{\\C1;a\\pxqr;}", L"b\\p"}));
}

TEST(SplitColumns, EachColumnTakesTheTextUpToItsBreak) {
    using V = std::vector<std::wstring>;
    EXPECT_EQ(SplitColumns(L"one\\Ntwo\\Nthree", 3), (V{L"one\\N", L"two\\N", L"three"}));
    // A break removed: the last column is left empty.
    EXPECT_EQ(SplitColumns(L"one\\Ntwo", 3), (V{L"one\\N", L"two", L""}));
    // More breaks than columns: the rest stays in the last column.
    EXPECT_EQ(SplitColumns(L"a\\Nb\\Nc", 2), (V{L"a\\N", L"b\\Nc"}));
    // An escaped backslash before N is text.
    EXPECT_EQ(SplitColumns(L"a\\\\Nb", 2), (V{L"a\\\\Nb", L""}));
    EXPECT_EQ(SplitColumns(L"x", 0), V{L"x"});
}

}  // namespace
}  // namespace tarsil::mtext
