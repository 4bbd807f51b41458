// Live tracking: the movement gate, the dead band, the observed range, colours and Apply.
#include "DialogFixture.h"
#include "testing/FrameworkTesting.h"

using namespace testsupport;

namespace {

class Tracking : public DialogTest {
protected:
    // Opens a pad (X, Y, Rx, Ry over 0..65535 unless given) and selects it.
    FakeController& OpenPad(int32_t min = 0, int32_t max = 65535)
    {
        FakeController& c = AddPad("pad");
        for (FakeAxis& a : c.axes)
            a = AutoAxis(a.type, min, max);
        Open();
        Scan();
        return driver->Get("pad");
    }
    // Moves an axis the way a hand does: a first small step opens the observed range, the
    // rest widens it (a single jump of more than 40 would only move a single point).
    void Sweep(size_t axis, int32_t from, int32_t to)
    {
        Set(axis, from);
        Poll();
        Set(axis, from + (to > from ? 20 : -20));
        Poll();
        Set(axis, to);
        Poll();
    }
    void Set(size_t axis, int32_t value) { driver->Get(dlg->m_nDevType == 0x0316 ? "w" : "pad").axes[axis].value = value; }
    COLORREF Pixel(int x, int y) const
    {
        const QRgb p = afx::testing::SurfaceOf(dlg.get()).pixel(x, y);
        return qAlpha(p) == 0 ? 0xFFFFFFFFu : RGB(qRed(p), qGreen(p), qBlue(p));
    }
    // Slot positions of a pad (x, y + 115), and the background colour seen at a bar's right end.
    COLORREF BarBackgroundAt(int x, int y) const { return Pixel(x + 197, y + 10); }
    COLORREF BarFillAt(int x, int y) const { return Pixel(x + 2, y + 10); }
    bool BarDrawn(int x, int y) const { return Pixel(x, y) != 0xFFFFFFFFu; }
};

TEST_F(Tracking, NothingMovedYetShowsFullOrangeBarsAndKeepsApplyDisabled)
{
    OpenPad();
    Poll();
    EXPECT_FALSE(dlg->m_bMoved);
    // Slot 0 of a pad stands at (30, 360); the whole bar in the fill colour of t = 0.
    EXPECT_EQ(BarFillAt(30, 360), 0x3090F0u);
    EXPECT_EQ(BarBackgroundAt(30, 360), 0x3090F0u);
    EXPECT_EQ(Text(IDC_AXIS1), "Axis X (min: 65535, max: 0): 32767");
    EXPECT_EQ(Text(IDC_AXIS2), "Axis Y (min: 65535, max: 0): 32767");
    EXPECT_EQ(Text(IDC_AXIS3), "Axis Rx (min: 65535, max: 0): 32767");
    EXPECT_FALSE(Enabled(IDC_APPLY)) << "the negative observed range is short of the threshold";
    EXPECT_FALSE(Visible(IDC_AXIS1)) << "labels stay hidden";
}

TEST_F(Tracking, PadBarsFillTheTwoByTwoBlock)
{
    FakeController& c = AddPad("pad");
    c.axes.push_back(AutoAxis(AxisType::Slider));
    Open();
    Scan();
    Poll();
    for (auto [x, y] : {std::pair{30, 360}, {30, 395}, {280, 360}, {280, 395}, {30, 325}})
        EXPECT_TRUE(BarDrawn(x + 1, y + 1)) << x << "," << y;
}

TEST_F(Tracking, ManualCalibrationIsGreenAndNeverEnablesApply)
{
    FakeController& c = AddPad("pad");
    c.axes[0].calibration.center = 1;
    Open();
    Scan();
    ASSERT_FALSE(dlg->m_bAutoCalib);
    Ctl(IDC_APPLY)->EnableWindow(FALSE);
    for (int i = 0; i < 3; ++i)
        Poll();
    EXPECT_EQ(BarBackgroundAt(30, 360), 0x20C020u);
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

TEST_F(Tracking, TheDeadBandDependsOnTheLastDirection)
{
    struct Row {
        const char* label;
        int c, d, reading, cur, dir;
    };
    const Row rows[] = {
        {"onward by one", 1000, +1, 1001, 1001, +1},
        {"back by four", 1000, +1, 996, 1000, +1},
        {"back by five", 1000, +1, 995, 1000, +1},
        {"back by six", 1000, +1, 994, 994, -1},
        {"back up by five", 994, -1, 999, 994, -1},
        {"back up by six", 994, -1, 1000, 1000, +1},
    };
    OpenPad();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.label);
        dlg->m_bMoved = TRUE;
        dlg->m_SeenMin[0] = 0;
        dlg->m_SeenMax[0] = 2000;
        dlg->m_SeenCur[0] = r.c;
        dlg->m_Direction[0] = r.d;
        Set(0, r.reading);
        Poll();
        EXPECT_EQ(dlg->m_SeenCur[0], r.cur);
        EXPECT_EQ(dlg->m_Direction[0], r.dir);
        EXPECT_EQ(dlg->m_SeenMin[0], 0);
        EXPECT_EQ(dlg->m_SeenMax[0], 2000);
    }
}

TEST_F(Tracking, ASinglePointJumpsOnlyBeyondForty)
{
    OpenPad();
    struct Row {
        int reading, min, max, cur;
    };
    for (const Row r : {Row{1041, 1041, 1041, 1041}, Row{1040, 1000, 1040, 1040}, Row{959, 959, 959, 959}, Row{960, 960, 1000, 960}}) {
        dlg->m_bMoved = TRUE;
        dlg->m_SeenMin[0] = dlg->m_SeenMax[0] = dlg->m_SeenCur[0] = 1000;
        dlg->m_Direction[0] = r.reading > 1000 ? 1 : -1;
        Set(0, r.reading);
        Poll();
        EXPECT_EQ(dlg->m_SeenMin[0], r.min) << r.reading;
        EXPECT_EQ(dlg->m_SeenMax[0], r.max) << r.reading;
        EXPECT_EQ(dlg->m_SeenCur[0], r.cur) << r.reading;
    }
}

TEST_F(Tracking, TheFirstMovementRecordsOnTheSameTickAndGreyMarksASinglePoint)
{
    OpenPad();
    Set(0, 40000);
    Poll();
    EXPECT_TRUE(dlg->m_bMoved);
    EXPECT_EQ(dlg->m_SeenMin[0], 40000);
    EXPECT_EQ(dlg->m_SeenMax[0], 40000);
    EXPECT_EQ(Text(IDC_AXIS1), "Axis X (min: 40000, max: 40000): 40000");
    // A single point is drawn grey and empty.
    EXPECT_EQ(BarBackgroundAt(30, 360), 0xB0B0B0u);
    EXPECT_EQ(Pixel(31, 370), 0xB0B0B0u);
    // The other axes rest at their centre: recorded as single points too.
    EXPECT_EQ(dlg->m_SeenMin[1], 32768);
    EXPECT_EQ(dlg->m_SeenMax[1], 32768);
}

TEST_F(Tracking, ApplyIsEnabledExactlyAtThreeQuartersOfTheRange)
{
    OpenPad();
    dlg->m_bMoved = TRUE;
    for (int i = 1; i < 4; ++i)  // other slots at a single point never hold Apply back
        dlg->m_SeenMin[i] = dlg->m_SeenMax[i] = dlg->m_SeenCur[i] = 32768;
    for (size_t i = 1; i < 4; ++i)
        Set(i, 32768);
    dlg->m_SeenMin[0] = 0;
    dlg->m_SeenMax[0] = 49150;
    dlg->m_SeenCur[0] = 100;
    Set(0, 100);
    Poll();
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(dlg->m_ReadyTime[0], -1);
    EXPECT_EQ(BarBackgroundAt(30, 360), 0x2080E0u) << "orange while short";
    Set(0, 49151);
    Poll();
    EXPECT_EQ(dlg->m_SeenMax[0], 49151);
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_EQ(dlg->m_ReadyTime[0], static_cast<int>(clock->Now()));
}

TEST_F(Tracking, SlotZeroAlwaysCountsOtherSlotsOnlyWithARange)
{
    OpenPad();
    // Only Y moves, over its full travel: X stays at its centre, a single point on slot 0.
    Sweep(1, 0, 65535);
    EXPECT_EQ(dlg->m_SeenMax[1] - dlg->m_SeenMin[1], 65535);
    EXPECT_EQ(dlg->m_SeenMin[0], dlg->m_SeenMax[0]);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    // Now X moves over its travel while Rx and Ry never move: Apply.
    Sweep(0, 0, 65535);
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_EQ(BarBackgroundAt(280, 360), 0xB0B0B0u) << "a never-moving slot stays grey";
}

TEST_F(Tracking, AWheelWithoutItsPedalsTracksOnlyTheWheel)
{
    AddWheel("w");
    Open();
    Scan();
    ASSERT_EQ(dlg->m_nAxisCount, 4);
    driver->Get("w").axes[1].value = 30000;  // a pedal pressed: ignored
    Sweep(0, 0, 65535);
    EXPECT_TRUE(BarDrawn(31, 326)) << "the wheel at the top of the left column";
    EXPECT_FALSE(BarDrawn(31, 361)) << "the first pedal is not drawn";
    EXPECT_EQ(dlg->m_SeenMax[1], 0) << "and not recorded";
    EXPECT_EQ(Text(IDC_AXIS2), "Wheel (min, max, center) Axe 2 = 0, Axe 3 = 0");
    EXPECT_TRUE(Enabled(IDC_APPLY)) << "only the wheel counts";

    ClickAsUser(IDC_INCLUDE_PEDALS);
    Poll();
    EXPECT_TRUE(BarDrawn(31, 361));
    EXPECT_TRUE(BarDrawn(281, 361)) << "the last pedal in the right column";
    EXPECT_EQ(dlg->m_SeenMax[1], 30000);
    EXPECT_TRUE(Enabled(IDC_APPLY)) << "a pedal at a single point does not hold Apply back";
    driver->Get("w").axes[1].value = 30030;
    Poll();
    EXPECT_FALSE(Enabled(IDC_APPLY)) << "the pedal's short range now does";
}

TEST_F(Tracking, AnUnknownAxisIsNamedUnknownAndReadsZero)
{
    FakeController& c = AddPad("pad");
    c.axes = {AutoAxis(AxisType::X), AutoAxis(AxisType::Other, -100, 100)};
    c.axes[1].value = 77;
    Open();
    Scan();
    dlg->m_bMoved = TRUE;
    Poll();
    EXPECT_EQ(dlg->m_AxisKind[1], kAxisKindOther);
    EXPECT_EQ(Text(IDC_AXIS2), "Unknown (min: 0, max: 0): 0");
}

TEST_F(Tracking, WithoutAReadingADisabledApplyIsEnabledOnlyWhenTheListHasEntries)
{
    FakeController& c = AddPad("pad");
    Open();
    Scan();
    c.stateFails = true;
    Ctl(IDC_APPLY)->EnableWindow(FALSE);
    const std::string label = Text(IDC_AXIS1);
    Poll();
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_EQ(Text(IDC_AXIS1), label);
    EXPECT_FALSE(BarDrawn(31, 361)) << "nothing drawn on a failed read";

    // A controller without axes reads fine but has nothing to track.
    c.stateFails = false;
    c.axes.clear();
    Command(IDC_DEVICE, CBN_SELCHANGE);
    ASSERT_EQ(dlg->m_nAxisCount, 0);
    Ctl(IDC_APPLY)->EnableWindow(FALSE);
    Poll();
    EXPECT_TRUE(Enabled(IDC_APPLY));

    // With an empty list the button stays disabled.
    dlg->m_nShownCount = 0;
    Ctl(IDC_APPLY)->EnableWindow(FALSE);
    Poll();
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

TEST_F(Tracking, ColoursFadeToGreenWithin334Milliseconds)
{
    OpenPad();
    Sweep(0, 0, 65535);  // ready on the last tick
    const int stamp = dlg->m_ReadyTime[0];
    ASSERT_NE(stamp, -1);
    EXPECT_EQ(BarFillAt(30, 360), 0x3090F0u) << "t = 0 on the tick that stamps it";
    struct Step {
        uint32_t elapsed;
        COLORREF fill;
    };
    // The bar is full at the maximum, so its colour is the fill colour at 3 * elapsed.
    for (const Step s : {Step{1, BarFillColor(3)}, Step{333, BarFillColor(999)}, Step{334, 0x20F020}, Step{5000, 0x20F020}}) {
        clock->Set(static_cast<uint32_t>(stamp) + s.elapsed);
        Poll();
        EXPECT_EQ(BarFillAt(30, 360), s.fill) << s.elapsed;
        EXPECT_EQ(dlg->m_ReadyTime[0], stamp) << "the stamp never moves";
    }
}

TEST_F(Tracking, AFadeLongAgoStaysGreenWhenThreeTimesTheElapsedTimeWraps)
{
    OpenPad();
    Sweep(0, 0, 65535);
    const int stamp = dlg->m_ReadyTime[0];
    ASSERT_NE(stamp, -1);
    // 3 x 1431655766 wraps to 2 in 32 bits: the bar is still fully green, not orange again.
    clock->Set(static_cast<uint32_t>(stamp) + 1431655766u);
    Poll();
    EXPECT_EQ(BarFillAt(30, 360), 0x20F020u);
}

TEST_F(Tracking, ResetEnabledShowsGreenAtOnce)
{
    OpenPad();
    Ctl(IDC_RESET)->EnableWindow(TRUE);
    Sweep(0, 0, 100);  // a short range, not ready
    EXPECT_EQ(dlg->m_ReadyTime[0], -1);
    EXPECT_EQ(BarFillAt(30, 360), 0x20F020u);
}

TEST_F(Tracking, TheWidestRangeIsTrackedWithoutOverflow)
{
    const int32_t lo = -2147483647 - 1, hi = 2147483647;
    OpenPad(lo, hi);
    ASSERT_EQ(dlg->m_AxisCenter[0], 0);
    // From the fresh 65535..0 a first reading below 0 opens the range down to it.
    Set(0, lo);
    Poll();
    EXPECT_EQ(dlg->m_SeenMin[0], lo);
    EXPECT_EQ(dlg->m_SeenMax[0], 0);
    Set(0, hi);
    Poll();
    Set(0, lo);
    Poll();
    EXPECT_EQ(dlg->m_SeenMin[0], lo);
    EXPECT_EQ(dlg->m_SeenMax[0], hi);
    EXPECT_EQ(Text(IDC_AXIS1), "Axis X (min: -2147483648, max: 2147483647): -2147483648");
    EXPECT_EQ(BarFillAt(30, 360), BarBackgroundColor(0)) << "at the minimum the bar is empty";
    EXPECT_NE(dlg->m_ReadyTime[0], -1) << "the whole range is more than three quarters";
    Set(0, hi);
    Poll();
    EXPECT_EQ(dlg->m_SeenCur[0], hi);
    // A single point far from the next reading still jumps without overflow.
    dlg->m_SeenMin[0] = dlg->m_SeenMax[0] = dlg->m_SeenCur[0] = lo;
    dlg->m_Direction[0] = -1;
    Poll();
    Set(0, hi);
    Poll();
    EXPECT_EQ(dlg->m_SeenMin[0], hi);
    EXPECT_EQ(dlg->m_SeenMax[0], hi);
}

TEST_F(Tracking, LabelsAreWrittenOnlyWhenTheyChangeIgnoringCase)
{
    OpenPad();
    Poll();
    Ctl(IDC_AXIS1)->SetWindowText("AXIS X (MIN: 65535, MAX: 0): 32767");
    Poll();
    EXPECT_EQ(Text(IDC_AXIS1), "AXIS X (MIN: 65535, MAX: 0): 32767");
}

}  // namespace
