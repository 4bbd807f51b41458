// The axis bar: its exact pixels, its strip colours and its caption.
#include "DialogFixture.h"
#include "testing/FrameworkTesting.h"

using namespace testsupport;

namespace {

const COLORREF kOrangeBg = 0x2080E0, kOrangeFill = 0x3090F0;

class AxisBar : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        Open();
    }
    // The bar's image as drawn on the window at (x, y).
    QImage Bar(int fill, COLORREF bg, COLORREF fg, const char* text = "", int x = 30, int y = 325)
    {
        dlg->Invalidate(TRUE);
        dlg->DrawAxisBar(x, y, text, fill, bg, fg);
        return afx::testing::SurfaceOf(dlg.get()).copy(x, y, 200, 28);
    }
    static COLORREF At(const QImage& image, int x, int y)
    {
        const QRgb p = image.pixel(x, y);
        return RGB(qRed(p), qGreen(p), qBlue(p));
    }
    // What the bar must look like, pixel by pixel, for a fill right edge.
    static COLORREF Expected(int x, int y, int right, bool fillZero, COLORREF bg, COLORREF fg)
    {
        if (x == 0 || x == 199 || y == 0 || y == 27)
            return 0;
        if (right >= 1 && x == right - 1)
            return 0;
        // Columns 1 to right - 2 are the filled part; the rest up to 198 the background.
        const bool filled = !fillZero && x >= 1 && x <= right - 2;
        COLORREF colour = filled ? fg : bg;
        if (y <= 3)
            colour = filled ? CCalibrationDlg::LightenColor(fg, 0x303030) : CCalibrationDlg::LightenColor(bg, 0x303030);
        else if (y >= 24)
            colour = filled ? CCalibrationDlg::DarkenColor(fg, 0x303030) : CCalibrationDlg::DarkenColor(bg, 0x303030);
        return colour;
    }
    void ExpectBar(const QImage& image, int right, bool fillZero, COLORREF bg, COLORREF fg)
    {
        int wrong = 0;
        for (int y = 0; y < 28; ++y)
            for (int x = 0; x < 200; ++x)
                if (At(image, x, y) != Expected(x, y, right, fillZero, bg, fg) && ++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << At(image, x, y) << " not "
                                  << Expected(x, y, right, fillZero, bg, fg);
        EXPECT_EQ(wrong, 0) << "right edge " << right;
    }
};

TEST_F(AxisBar, FillLevelsMapToTheRightEdgeWithExactPixels)
{
    struct Case {
        int fill, right;
    };
    for (const Case c : {Case{128, 100}, Case{2, 1}, Case{3, 2}, Case{64, 50}, Case{254, 199}}) {
        SCOPED_TRACE(c.fill);
        ExpectBar(Bar(c.fill, kOrangeBg, kOrangeFill), c.right, false, kOrangeBg, kOrangeFill);
    }
}

TEST_F(AxisBar, EmptyAndFullBars)
{
    const QImage empty = Bar(0, kOrangeBg, kOrangeFill);
    ExpectBar(empty, 0, true, kOrangeBg, kOrangeFill);
    EXPECT_EQ(At(empty, 0, 2), 0u) << "the outline's left column stays black";
    EXPECT_EQ(At(empty, 1, 2), 0x50B0FFu);
    EXPECT_EQ(At(empty, 198, 25), 0x0050B0u);
    for (int fill : {255, 256}) {
        const QImage full = Bar(fill, kOrangeBg, kOrangeFill);
        EXPECT_EQ(At(full, 198, 10), kOrangeFill) << fill;
        EXPECT_EQ(At(full, 1, 2), 0x60C0FFu) << fill;
        EXPECT_EQ(At(full, 198, 26), 0x0060C0u) << fill;
        EXPECT_EQ(At(full, 199, 10), 0u) << fill;
    }
}

TEST_F(AxisBar, GreyPairHasItsOwnStrips)
{
    const QImage image = Bar(128, 0xB0B0B0, 0xE0E0E0);
    ExpectBar(image, 100, false, 0xB0B0B0, 0xE0E0E0);
    EXPECT_EQ(At(image, 150, 2), 0xE0E0E0u);
    EXPECT_EQ(At(image, 150, 25), 0x808080u);
    EXPECT_EQ(At(image, 50, 2), 0xFFFFFFu);
    EXPECT_EQ(At(image, 50, 25), 0xB0B0B0u);
}

TEST_F(AxisBar, LevelsOutsideTheScaleStayInsideTheBar)
{
    for (int fill : {-1000000, -1, 257, 100000, 2147483647, -2147483647 - 1}) {
        dlg->Invalidate(TRUE);
        dlg->DrawAxisBar(30, 325, "", fill, kOrangeBg, kOrangeFill);
        const QImage surface = afx::testing::SurfaceOf(dlg.get());
        for (int y = 300; y < 380; ++y)
            for (int x = 0; x < 260; ++x) {
                const bool inside = x >= 30 && x < 230 && y >= 325 && y < 353;
                ASSERT_EQ(qAlpha(surface.pixel(x, y)) != 0, inside) << fill << " at " << x << "," << y;
            }
    }
}

TEST_F(AxisBar, CaptionIsBlackCentredWithItsTopAtFour)
{
    const QImage plain = Bar(0, 0xB0B0B0, 0xE0E0E0);
    const QImage text = Bar(0, 0xB0B0B0, 0xE0E0E0, "Axis X");
    int left = 200, right = -1, top = 28, bottom = -1;
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 200; ++x)
            if (text.pixel(x, y) != plain.pixel(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                // Text pixels are black or blended towards black, never lighter.
                EXPECT_LE(qGray(text.pixel(x, y)), qGray(plain.pixel(x, y)));
            }
    ASSERT_GE(right, left) << "the caption was drawn";
    EXPECT_NEAR((left + right) / 2.0, 99.5, 1.5) << "centred across the width";
    // The text cell starts at y = 4; a capital's top sits a little below the cell's top.
    EXPECT_GE(top, 4);
    EXPECT_LE(top, 9);
    EXPECT_GE(bottom - top, 9) << "a 12-point face, about 16 pixels high";
    EXPECT_LE(bottom, 26);
    bool black = false;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            black = black || (text.pixel(x, y) & 0xFFFFFF) == 0;
    EXPECT_TRUE(black);
}

TEST_F(AxisBar, LeavesNoDrawingObjectBehind)
{
    const int objects = afx::testing::LiveGdiObjects();
    const int contexts = afx::testing::LiveDeviceContexts();
    dlg->DrawAxisBar(30, 325, "Axis X", 100, kOrangeBg, kOrangeFill);
    EXPECT_EQ(afx::testing::LiveGdiObjects(), objects);
    EXPECT_EQ(afx::testing::LiveDeviceContexts(), contexts);
}

}  // namespace
