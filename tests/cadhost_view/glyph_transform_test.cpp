// Which glyph each stored byte shows under each font type, how a text's
// glyphs line up with the host's text metrics, and the view transform.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cadhost/dxf/codepage.h"
#include "cadhost/geom/textgeom.h"
#include "cadhost/view/glyph_map.h"
#include "cadhost/view/glyph_outlines.h"
#include "cadhost/view/view_transform.h"

namespace cadhost_view_test {
namespace {

using cadhost::view::Glyph;
using cadhost::view::glyphOf;
using cadhost::view::GlyphOutlines;
using cadhost::view::kUnderlineY;
using cadhost::view::textGlyphs;
using cadhost::view::TextRun;
using cadhost::view::ViewTransform;
using tarsil::FontType;

constexpr char32_t kAlef = U'\u05D0', kBet = U'\u05D1', kTav = U'\u05EA';

std::u32string shown(const std::wstring& text, FontType type, const char16_t* page) {
    std::u32string out;
    for (const auto& g : textGlyphs(text, type, page)) out += g.shown;
    return out;
}

TEST(GlyphMap, EachFontTypeShowsTheLettersOfItsOwnLayout) {
    const char16_t* latin = cadhost::dxf::upperHalf("ANSI_1252");
    ASSERT_NE(latin, nullptr);
    // DOS layout: 0x80 is alef, 0x9A tav; a Windows letter is not Hebrew here.
    EXPECT_EQ(glyphOf(0x80, FontType::HebrewNormal, latin), kAlef);
    EXPECT_EQ(glyphOf(0x9A, FontType::HebrewNormal, latin), kTav);
    EXPECT_EQ(glyphOf(0xE0, FontType::HebrewNormal, latin), U'\u00E0');
    // Windows layout for d2w and the backward font.
    for (FontType t : {FontType::D2w, FontType::HebrewBackward}) {
        EXPECT_EQ(glyphOf(0xE0, t, latin), kAlef);
        EXPECT_EQ(glyphOf(0xFA, t, latin), kTav);
        EXPECT_EQ(glyphOf(0x80, t, latin), U'\u20AC');  // the code page's euro sign
        EXPECT_EQ(glyphOf(0xFB, t, latin), U'\u00FB');  // just past tav
    }
    // 7-bit keys of the Hebrew keyboard.
    for (FontType t : {FontType::Hebrew7Bit, FontType::Hebrew7BitBackward}) {
        EXPECT_EQ(glyphOf(L't', t, latin), kAlef);
        EXPECT_EQ(glyphOf(L',', t, latin), kTav);
        EXPECT_EQ(glyphOf(L'w', t, latin), U'`');
        EXPECT_EQ(glyphOf(L'T', t, latin), U'T');
    }
    // Other fonts: the code page alone.
    for (FontType t : {FontType::AsIs, FontType::Unknown, static_cast<FontType>(42)}) {
        EXPECT_EQ(glyphOf(L't', t, latin), U't');
        EXPECT_EQ(glyphOf(0x80, t, latin), U'\u20AC');
        EXPECT_EQ(glyphOf(0xE0, t, cadhost::dxf::upperHalf("ANSI_1255")), kAlef);
        EXPECT_EQ(glyphOf(0xE0, t, nullptr), U'\u00E0');  // unknown page: Latin-1
    }
    // Unicode text shows as it is under every font.
    for (FontType t : {FontType::HebrewNormal, FontType::Hebrew7Bit, FontType::D2w, FontType::AsIs})
        EXPECT_EQ(glyphOf(static_cast<wchar_t>(0x05D1), t, nullptr), kBet);
}

TEST(GlyphMap, PercentCodesAreReadAsTheHostReadsThem) {
    const char16_t* page = cadhost::dxf::upperHalf("ANSI_1255");
    EXPECT_EQ(shown(L"%%128%%154", FontType::HebrewNormal, page), std::u32string({kAlef, kTav}));
    EXPECT_EQ(shown(L"%%116", FontType::Hebrew7Bit, page), std::u32string({kAlef}));  // 't'
    EXPECT_EQ(shown(L"5%%d %%P1%%c", FontType::AsIs, page), U"5\u00B0 \u00B11\u2300");
    EXPECT_EQ(shown(L"%%uab%%O%%%", FontType::AsIs, page), U"ab%");
    // Incomplete codes are plain characters.
    EXPECT_EQ(shown(L"%%12", FontType::AsIs, page), U"%%12");
    EXPECT_EQ(shown(L"%%", FontType::AsIs, page), U"%%");
    EXPECT_EQ(shown(L"%%x", FontType::AsIs, page), U"%%x");
    EXPECT_TRUE(textGlyphs(L"", FontType::AsIs, page).empty());
}

// "%%u" and "%%o" toggle bars under and over the cells of the glyphs after
// them; a font that writes right to left puts the first glyph at the right.
TEST(GlyphMap, UnderAndOverlinesCoverTheCellsTheyMark) {
    std::string marks;
    for (const Glyph& g : textGlyphs(L"a%%ub%%Oc%%Ud%%oe", FontType::AsIs, nullptr))
        marks += std::string(1, char(g.shown)) + (g.underline ? "_" : "") + (g.overline ? "^" : "");
    EXPECT_EQ(marks, "ab_c_^d^e");
    TextRun run;
    run.stored = L"%%uab";
    run.type = FontType::HebrewBackward;
    run.rightToLeft = true;
    run.advance = cadhost::geom::glyphAdvance(L'a') + cadhost::geom::glyphAdvance(L'b') + 1;
    const QRectF bar = GlyphOutlines::decorations(run).boundingRect();
    EXPECT_NEAR(bar.left(), 1, 1e-9) << "the cells end at the right";
    EXPECT_NEAR(bar.right(), run.advance, 1e-9);
    EXPECT_NEAR(bar.center().y(), kUnderlineY, 1e-9);
}

TEST(GlyphMap, GlyphsAdvanceExactlyAsTheHostMeasuresTheText) {
    // The glyphs are placed cell by cell; the cells must add up to the
    // width the database gives the text, or texts would not fit their box.
    for (const std::wstring text :
         {L"abc", L"%%dx%%u%%o%%%", L"%%128%%129 il.", L"WWW%%p12", L"%%12", L"a%%", L"%%c"}) {
        double sum = 0;
        for (const auto& g : textGlyphs(text, FontType::HebrewNormal, nullptr))
            sum += cadhost::geom::glyphAdvance(g.stored);
        EXPECT_DOUBLE_EQ(sum, cadhost::geom::textAdvance(text))
            << std::string(text.begin(), text.end());
    }
}

ViewTransform view(double ppu, QPointF center = {0, 0}) {
    ViewTransform t;
    t.size = QSize(800, 600);
    t.pixelsPerUnit = ppu;
    t.center = center;
    return t;
}

void expectNear(QPointF a, QPointF b, double tol = 1e-6) {
    EXPECT_NEAR(a.x(), b.x(), tol);
    EXPECT_NEAR(a.y(), b.y(), tol);
}

TEST(ViewTransformTest, ZoomAboutRefusesBadFactorsAndScalesOutOfRange) {
    for (double factor : {0.0, -2.0, std::nan(""), double(INFINITY), 1e300}) {
        ViewTransform t = view(3, {5, -5});
        t.zoomAbout({100, 100}, factor);
        EXPECT_EQ(t.pixelsPerUnit, 3);
        expectNear(t.center, {5, -5});
    }
}

TEST(ViewTransformTest, FitShowsTheBoxWholeAndCentred) {
    ViewTransform t = view(1);
    t.fit(QRectF(QPointF(0, 0), QPointF(100, 10)), 0.1);
    // The width decides: 800 px less two margins of 80.
    EXPECT_NEAR(t.pixelsPerUnit, 6.4, 1e-9);
    expectNear(t.center, {50, 5});
    expectNear(t.toScreen({0, 5}), {80, 300});
    // A tall box: the height decides.
    t.fit(QRectF(QPointF(0, 0), QPointF(1, 1000)), 0);
    EXPECT_NEAR(t.pixelsPerUnit, 0.6, 1e-9);
    // A horizontal line has no height: its width decides.
    t.fit(QRectF(QPointF(0, 3), QPointF(40, 3)), 0);
    EXPECT_NEAR(t.pixelsPerUnit, 20, 1e-9);
    // A point keeps the scale and is centred.
    t.fit(QRectF(QPointF(7, 8), QPointF(7, 8)), 0);
    EXPECT_NEAR(t.pixelsPerUnit, 20, 1e-9);
    expectNear(t.center, {7, 8});
    // Not finite: nothing changes.
    t.fit(QRectF(QPointF(0, 0), QPointF(INFINITY, 1)), 0);
    expectNear(t.center, {7, 8});
}

}  // namespace
}  // namespace cadhost_view_test
