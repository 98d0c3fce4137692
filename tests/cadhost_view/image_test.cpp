// Each bundled sample rendered offscreen and compared with its reference
// image in reference/, which a person has checked: every Hebrew text in it
// reads right, except those a Latin or unmapped font shows in stored order.
// When a render differs, it is written beside the test binary.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <string>

#include "cadhost/db/acdb_all.h"
#include "cadhost/view/drawing_scene.h"
#include "scene_fixture.h"

namespace cadhost_view_test {
namespace {

using cadhost::view::DrawingScene;
using cadhost::view::FontTypes;

// The share of pixels that may differ (antialiasing of another build):
// renders differ by up to 0.01 %, a sample without its attributes by 0.07 %.
constexpr double kTolerance = 0.0003;
// A pixel differs when a channel is off by more than this.
constexpr int kChannelSlack = 48;

FontTypes bundledMap() {
    FontTypes fonts;
    EXPECT_TRUE(fonts.load(std::string(TARSIL_SOURCE_DIR) + "/resources/default.map"));
    return fonts;
}

QImage render(const std::string& sample, const FontTypes& fonts) {
    needGui();
    AcDbDatabase db(false);
    const std::string path = std::string(TARSIL_SOURCE_DIR) + "/samples/" + sample + ".dxf";
    EXPECT_EQ(db.readDxfFile(std::filesystem::path(path)), Acad::eOk) << db.lastErrorMessage();
    DrawingScene scene(&db, fonts);
    cadhost::view::ViewTransform view;
    view.size = QSize(800, 600);
    view.fit(scene.extents());
    QImage image(view.size, QImage::Format_RGB32);
    image.fill(DrawingScene::backgroundColor());
    QPainter painter(&image);
    scene.paint(painter, view, image.rect(), {});
    return image;
}

// Share of pixels that differ; 1 when the sizes do.
double differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    long long count = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            if (std::abs(qRed(p[col]) - qRed(q[col])) > kChannelSlack ||
                std::abs(qGreen(p[col]) - qGreen(q[col])) > kChannelSlack ||
                std::abs(qBlue(p[col]) - qBlue(q[col])) > kChannelSlack)
                ++count;
    }
    return static_cast<double>(count) / (static_cast<double>(x.width()) * x.height());
}

QImage reference(const std::string& sample) {
    return QImage(QString::fromStdString(std::string(TARSIL_SOURCE_DIR) +
                                         "/tests/cadhost_view/reference/" + sample + ".png"));
}

class SampleImage : public ::testing::TestWithParam<std::string> {};

TEST_P(SampleImage, MatchesTheCheckedReference) {
    const QImage expected = reference(GetParam());
    ASSERT_FALSE(expected.isNull()) << "no reference image for " << GetParam();
    const QImage actual = render(GetParam(), bundledMap());
    const double share = differing(actual, expected);
    if (share > kTolerance)
        actual.save(QString::fromStdString(std::string(TARSIL_BINARY_DIR) + "/view_" + GetParam() +
                                           ".png"));
    EXPECT_LE(share, kTolerance) << GetParam() << ": " << share * 100 << " % of the pixels differ";
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleImage,
                         ::testing::Values("hebrew_r12", "hebrew_r2000", "hebrew_r2018"));

TEST(SampleImageCompare, SeesTextsDrawnWithTheWrongGlyphs) {
    // Without a font map every Hebrew font is unknown: its bytes show as
    // code page characters, in stored order.  The comparison must notice,
    // as it must another sample, or an image of another size.
    const QImage expected = reference("hebrew_r2000");
    ASSERT_FALSE(expected.isNull());
    EXPECT_GT(differing(render("hebrew_r2000", FontTypes()), expected), kTolerance);
    EXPECT_GT(differing(reference("hebrew_r12"), expected), kTolerance);
    EXPECT_EQ(differing(expected.scaled(400, 300), expected), 1.0);
}

}  // namespace
}  // namespace cadhost_view_test
