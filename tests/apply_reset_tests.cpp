// Apply turns the observed ranges into calibrations; Reset writes the logical ranges back.
#include "DialogFixture.h"
#include "DirectInputStandIn.h"
#include "testing/FrameworkTesting.h"

using namespace testsupport;

namespace {

class ApplyCalibration : public DialogTest {
protected:
    // A wheel (slot 0) with pedals, opened and ready for Apply with the given observations.
    void OpenWheel()
    {
        AddWheel("w");
        Open();
        Scan();
        ASSERT_TRUE(dlg->m_bAutoCalib);
    }
    void Observe(int slot, int min, int max, int cur)
    {
        dlg->m_SeenMin[slot] = min;
        dlg->m_SeenMax[slot] = max;
        dlg->m_SeenCur[slot] = cur;
    }
    void IncludePedals() { Ctl(IDC_INCLUDE_PEDALS)->SendMessage(BM_SETCHECK, BST_CHECKED); }
    AxisCalibration Stored(size_t axis) { return driver->Get(driver->controllers[0].key).axes[axis].calibration; }
    // The slot of the wheel's axis `axis` in fleet order (X, Y, Z, Rz sort to the same order).
};

TEST_F(ApplyCalibration, WheelKeepsItsRestingPositionInsideTheOuterTenths)
{
    struct Row {
        int rest, centre;
    };
    // Observed 1000..64000: a tenth is 6300, so the band is 7300..57700 with both edges inside.
    for (const Row r : {Row{33000, 33000}, Row{7299, 32500}, Row{7300, 7300}, Row{57700, 57700}, Row{57701, 32500}}) {
        driver->controllers.clear();
        OpenWheel();
        Observe(0, 1000, 64000, r.rest);
        Command(IDC_APPLY);
        EXPECT_EQ(Stored(0), (AxisCalibration{1000, r.centre, 64000})) << r.rest;
        Close();
    }
}

TEST_F(ApplyCalibration, PedalsShareOneDeadBand)
{
    OpenWheel();
    IncludePedals();
    Observe(0, 1000, 64000, 33000);
    Observe(1, 500, 65535, 500);
    Observe(2, 0, 64035, 0);
    Observe(3, 65535, 0, 32767);  // never moved: neither equalised nor written
    const AxisCalibration before = Stored(3);
    Command(IDC_APPLY);
    EXPECT_EQ(Stored(0), (AxisCalibration{1000, 33000, 64000}));
    EXPECT_EQ(Stored(1), (AxisCalibration{1500, 32767, 64035}));
    EXPECT_EQ(Stored(2), (AxisCalibration{1500, 32767, 64035}));
    EXPECT_EQ(Stored(3), before);
    EXPECT_EQ(driver->writes.size(), 3u);
}

TEST_F(ApplyCalibration, ThePedalBoundKeepsEachPedalsOwnRangeOpen)
{
    OpenWheel();
    IncludePedals();
    Observe(0, 0, 65535, 32768);
    // A pedal seen only over its upper half would ask for a 40000 dead band at the bottom:
    // the bound holds it to half the distance from centre to maximum (16383).
    Observe(1, 40000, 65535, 40000);
    Command(IDC_APPLY);
    EXPECT_EQ(Stored(1), (AxisCalibration{16383, 32767, 65535 - 16383}));
    EXPECT_LT(Stored(1).min, Stored(1).max);
}

TEST_F(ApplyCalibration, WithoutThePedalOptionAWheelCalibratesOnlyItsAxis)
{
    OpenWheel();
    Observe(0, 100, 60000, 30000);
    Observe(1, 0, 65535, 0);
    Command(IDC_APPLY);
    ASSERT_EQ(driver->writes.size(), 1u);
    EXPECT_EQ(driver->writes[0].axis, 0u);
    // Every slot is cleared all the same, and the whole device goes cooked.
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(dlg->m_SeenMin[k], 0);
        EXPECT_EQ(dlg->m_SeenMax[k], 65535);
        EXPECT_EQ(dlg->m_SeenCur[k], 32767);
    }
    DIPROPDWORD mode{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, 99};
    ASSERT_EQ(dlg->m_pDevice->GetProperty(DIPROP_CALIBRATIONMODE, &mode.diph), DI_OK);
    EXPECT_EQ(mode.dwData, static_cast<DWORD>(DIPROPCALIBRATIONMODE_COOKED));
}

TEST_F(ApplyCalibration, AnotherControllerIgnoresThePedalOption)
{
    AddPad("p");
    Open();
    Scan();
    Observe(0, -30001, 30000, -29000);  // resting in the outer tenth: the midpoint, 0 not -1
    Observe(1, 10, 15, 12);             // fewer than 10 units: any resting value is the centre
    Observe(2, 5, 5, 5);                // a single point: nothing written
    Command(IDC_APPLY);
    EXPECT_EQ(driver->Get("p").axes[0].calibration, (AxisCalibration{-30001, 0, 30000}));
    EXPECT_EQ(driver->Get("p").axes[1].calibration, (AxisCalibration{10, 12, 15}));
    EXPECT_EQ(driver->writes.size(), 2u);
}

TEST_F(ApplyCalibration, MovesTheDialogToTheManualState)
{
    OpenWheel();
    Observe(0, 100, 65000, 32768);
    Command(IDC_APPLY);
    EXPECT_FALSE(dlg->m_bAutoCalib);
    EXPECT_TRUE(Enabled(IDC_RESET));
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_FALSE(Checked(IDC_AUTOMATIC));
    EXPECT_TRUE(Checked(IDC_MANUAL));
    Poll();
    EXPECT_FALSE(Enabled(IDC_APPLY)) << "the poll never enables Apply in the manual state";
    // Opening the controller again finds its calibration manual.
    Command(IDC_DEVICE, CBN_SELCHANGE);
    EXPECT_FALSE(dlg->m_bAutoCalib);
}

TEST_F(ApplyCalibration, WithoutAnyControllerOnlyTheDialogStateChanges)
{
    Open();
    Command(IDC_APPLY);
    EXPECT_TRUE(driver->writes.empty());
    EXPECT_TRUE(Checked(IDC_MANUAL));
    EXPECT_TRUE(Enabled(IDC_RESET));
}

TEST_F(ApplyCalibration, SumsNearTheLimitsDoNotOverflow)
{
    FakeController& c = AddPad("p");
    const int32_t lo = -2147483647 - 1, hi = 2147483647;
    c.axes = {AutoAxis(AxisType::X, lo, hi), AutoAxis(AxisType::Y, lo, hi)};
    Open();
    Scan();
    Observe(0, lo, hi, hi);         // rests at the top: centre is the midpoint of the limits
    Observe(1, hi - 100, hi, hi - 50);
    Command(IDC_APPLY);
    EXPECT_EQ(driver->Get("p").axes[0].calibration, (AxisCalibration{lo, 0, hi}));
    EXPECT_EQ(driver->Get("p").axes[1].calibration, (AxisCalibration{hi - 100, hi - 50, hi}));
}

TEST_F(ApplyCalibration, PedalMarginsNearTheLimitsDoNotOverflow)
{
    FakeController& c = AddWheel("w");
    const int32_t lo = -2147483647 - 1, hi = 2147483647;
    for (FakeAxis& a : c.axes)
        a = AutoAxis(a.type, lo, hi);
    Open();
    Scan();
    IncludePedals();
    Observe(0, lo, hi, 0);
    Observe(1, lo + 10, hi - 20, lo + 10);
    Command(IDC_APPLY);
    // Margins 10 and 20 become 20 at both ends; the midpoint of lo + 20 and hi - 20 is 0.
    EXPECT_EQ(driver->Get("w").axes[1].calibration, (AxisCalibration{lo + 20, 0, hi - 20}));
}

// ------------------------------------------------------------ Reset

class ResetCalibration : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        afx::testing::SetMessageBoxHandler([this](const afx::testing::MessageBoxCall& call) {
            boxes.push_back(call);
            if (whileOpen)
                whileOpen();
            return answer;
        });
    }
    // Makes a controller's calibration manual in the driver.
    static void MakeManual(FakeController& c)
    {
        for (FakeAxis& a : c.axes)
            a.calibration = {a.min + 10, a.calibration.center, a.max - 10};
    }

    std::vector<afx::testing::MessageBoxCall> boxes;
    int answer = IDYES;
    std::function<void()> whileOpen;
};

TEST_F(ResetCalibration, WithAnEmptyListAsksNothing)
{
    Open();
    Scan();
    Command(IDC_RESET);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(driver->writes.empty());
}

TEST_F(ResetCalibration, NoChangesNothing)
{
    MakeManual(AddWheel("w"));
    Open();
    Scan();
    ASSERT_FALSE(dlg->m_bAutoCalib);
    answer = IDNO;
    const unsigned selections = dlg->m_nSelectCount;
    Command(IDC_RESET);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(driver->writes.empty());
    EXPECT_FALSE(dlg->m_bAutoCalib);
    EXPECT_TRUE(Enabled(IDC_RESET));
    EXPECT_TRUE(Checked(IDC_MANUAL));
    EXPECT_EQ(dlg->m_nSelectCount, selections);
}

TEST_F(ResetCalibration, YesWritesEveryLogicalRangeBackAndReopensAutomatic)
{
    FakeController& w = AddWheel("w");
    w.axes[0] = AutoAxis(AxisType::X, -32768, 32767);
    MakeManual(w);
    Open();
    Scan();
    ASSERT_FALSE(dlg->m_bAutoCalib);
    // The pedal option is unchecked: the pedals are reset too.
    Command(IDC_RESET);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Quorvel Calibration Tool");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONWARNING));
    EXPECT_EQ(boxes[0].owner, dlg->GetSafeHwnd());
    ASSERT_EQ(driver->writes.size(), 4u);
    EXPECT_EQ(w.axes[0].calibration, (AxisCalibration{-32768, 0, 32767}));
    for (size_t i = 1; i < 4; ++i)
        EXPECT_EQ(w.axes[i].calibration, (AxisCalibration{0, 32768, 65535})) << i;
    EXPECT_TRUE(dlg->m_bAutoCalib);
    EXPECT_FALSE(Enabled(IDC_RESET));
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_TRUE(Checked(IDC_AUTOMATIC));
    EXPECT_FALSE(Checked(IDC_MANUAL));
    EXPECT_EQ(dlg->m_SeenMin[0], 65535) << "re-opened: observation starts afresh";
    DIPROPDWORD mode{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, 99};
    dlg->m_pDevice->GetProperty(DIPROP_CALIBRATIONMODE, &mode.diph);
    EXPECT_EQ(mode.dwData, static_cast<DWORD>(DIPROPCALIBRATIONMODE_RAW));
}

TEST_F(ResetCalibration, TheQuestionNamesTheSelectedEntryWithItsNumber)
{
    MakeManual(AddWheel("a", u"Wheel"));
    MakeManual(AddWheel("b", u"Wheel"));
    Open();
    Scan();
    SelectAsUser(1);
    answer = IDNO;
    Command(IDC_RESET);
    ASSERT_EQ(boxes.size(), 1u);
    char expected[260];
    FormatResetQuestion(LxGetMLString(1200), "Wheel (2)", expected, sizeof expected);
    EXPECT_EQ(boxes[0].text, expected);
    EXPECT_NE(boxes[0].text.find("\"Wheel (2)\""), std::string::npos) << boxes[0].text;
}

TEST_F(ResetCalibration, AReselectionWhileTheQuestionIsOpenWritesNothing)
{
    MakeManual(AddWheel("asked", u"Asked Wheel"));
    FakeController& other = AddPad("other", u"Other Pad");
    other.attached = false;
    MakeManual(other);
    Open();
    Scan();
    ASSERT_EQ(ComboTexts(), (std::vector<std::string>{"Asked Wheel"}));
    // While the box is open the asked-about wheel is unplugged and a pad plugged in; the
    // scan re-opens entry 0, which is now the pad.
    whileOpen = [&] {
        driver->Get("asked").attached = false;
        driver->Get("other").attached = true;
        dlg->SendMessage(WM_TIMER, kTimerDeviceScan);
        dlg->SendMessage(WM_TIMER, kTimerPoll);
    };
    Command(IDC_RESET);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("Asked Wheel"), std::string::npos);
    EXPECT_TRUE(driver->writes.empty()) << "no controller the user did not confirm is reset";
    EXPECT_FALSE(dlg->m_bAutoCalib) << "the state the re-selection gave: the pad is manual";
    EXPECT_TRUE(Checked(IDC_MANUAL));
    EXPECT_TRUE(Enabled(IDC_RESET));
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"Other Pad"}));
}

TEST_F(ResetCalibration, AnUnchangedListWhileTheQuestionIsOpenStillResets)
{
    MakeManual(AddWheel("w"));
    Open();
    Scan();
    whileOpen = [&] {
        dlg->SendMessage(WM_TIMER, kTimerDeviceScan);
        dlg->SendMessage(WM_TIMER, kTimerPoll);
    };
    Command(IDC_RESET);
    EXPECT_EQ(driver->writes.size(), 4u);
    EXPECT_TRUE(dlg->m_bAutoCalib);
}

}  // namespace
