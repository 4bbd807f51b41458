// Opening a controller: finding it by index, its axes, wheel controls and calibration state.
#include "DialogFixture.h"
#include "DirectInputStandIn.h"

using namespace testsupport;

namespace {

class DeviceSelection : public DialogTest {
protected:
    // A supported controller with the given axes, each over 0..65535 unless said otherwise.
    FakeController& AddWithAxes(const std::string& key, std::vector<FakeAxis> axes, uint32_t type = 0x0215)
    {
        FakeController c;
        c.key = key;
        c.vendorId = 0x1209;
        c.productId = static_cast<uint16_t>(0x100 + driver->controllers.size());
        c.deviceType = type;
        c.axes = std::move(axes);
        return driver->Add(std::move(c));
    }
    void OpenAndScan()
    {
        Open();
        Scan();
    }
    std::vector<int> Kinds() const { return std::vector<int>(dlg->m_AxisKind, dlg->m_AxisKind + dlg->m_nAxisCount); }
};

TEST_F(DeviceSelection, OrdersAxesByKindKeepingEachOnesRangeCentreAndId)
{
    AddWithAxes("c", {AutoAxis(AxisType::Z, 0, 255), AutoAxis(AxisType::X, 0, 1023), AutoAxis(AxisType::Y, -3, -1)});
    OpenAndScan();
    ASSERT_EQ(dlg->m_nAxisCount, 3);
    EXPECT_EQ(Kinds(), (std::vector<int>{0, 1, 2}));
    // Enumeration order was Z (instance 0), X (1), Y (2).
    const DWORD ids[] = {DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(1), DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(2),
                         DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(0)};
    const int mins[] = {0, -3, 0}, maxs[] = {1023, -1, 255}, centres[] = {512, -1, 128};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dlg->m_AxisObjId[i], ids[i]) << i;
        EXPECT_EQ(dlg->m_AxisMin[i], mins[i]) << i;
        EXPECT_EQ(dlg->m_AxisMax[i], maxs[i]) << i;
        EXPECT_EQ(dlg->m_AxisCenter[i], centres[i]) << i;
    }
}

TEST_F(DeviceSelection, CentresTruncateTowardZero)
{
    struct Case {
        int32_t min, max, centre;
    };
    for (const Case c : {Case{0, 255, 128}, Case{0, 1023, 512}, Case{-32768, 32767, 0}, Case{-3, -1, -1},
                         Case{-2147483647 - 1, 2147483647, 0}, Case{2147483646, 2147483647, 2147483647}}) {
        driver->controllers.clear();
        AddWithAxes("c", {AutoAxis(AxisType::X, c.min, c.max)});
        OpenAndScan();
        ASSERT_EQ(dlg->m_nAxisCount, 1);
        EXPECT_EQ(dlg->m_AxisCenter[0], c.centre) << c.min << ".." << c.max;
        EXPECT_TRUE(dlg->m_bAutoCalib) << "the driver's centre is recognised as automatic";
        Close();
    }
}

TEST_F(DeviceSelection, KeepsTheFirstFiveAxesAndNumbersSliders)
{
    struct Case {
        const char* label;
        std::vector<AxisType> types;
        std::vector<int> kinds;
    };
    const Case cases[] = {
        {"seven axes", {AxisType::Rz, AxisType::Ry, AxisType::Rx, AxisType::Z, AxisType::Y, AxisType::X, AxisType::Slider},
         {1, 2, 3, 4, 5}},
        {"three sliders", {AxisType::Slider, AxisType::Slider, AxisType::Slider}, {6, 7, 7}},
        {"unknown orders last", {AxisType::Other, AxisType::Slider, AxisType::X}, {0, 6, kAxisKindOther}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        driver->controllers.clear();
        std::vector<FakeAxis> axes;
        for (AxisType t : c.types)
            axes.push_back(AutoAxis(t));
        AddWithAxes("c", axes);
        OpenAndScan();
        EXPECT_EQ(Kinds(), c.kinds);
        Close();
    }
}

TEST_F(DeviceSelection, EqualKindsMayChangePlacesInTheExchangeSort)
{
    // Sliders S1, S2, S3 then X: kinds 6, 7, 7, 0 end as X, S1, S3, S2.
    std::vector<FakeAxis> axes = {AutoAxis(AxisType::Slider, 0, 1), AutoAxis(AxisType::Slider, 0, 2),
                                  AutoAxis(AxisType::Slider, 0, 3), AutoAxis(AxisType::X, 0, 4)};
    AddWithAxes("c", axes);
    OpenAndScan();
    EXPECT_EQ(Kinds(), (std::vector<int>{0, 6, 7, 7}));
    EXPECT_EQ(std::vector<int>(dlg->m_AxisMax, dlg->m_AxisMax + 4), (std::vector<int>{4, 1, 3, 2}));
}

TEST_F(DeviceSelection, AutomaticCalibrationSwitchesToRawData)
{
    FakeController& c = AddWithAxes("c", {AutoAxis(AxisType::X), AutoAxis(AxisType::Y)});
    c.axes[0].value = 1000;
    OpenAndScan();
    EXPECT_TRUE(dlg->m_bAutoCalib);
    EXPECT_FALSE(Enabled(IDC_RESET));
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_TRUE(Checked(IDC_AUTOMATIC));
    EXPECT_FALSE(Checked(IDC_MANUAL));
    for (int i = 0; i < kMaxAxes; ++i) {
        EXPECT_EQ(dlg->m_SeenMin[i], 65535);
        EXPECT_EQ(dlg->m_SeenMax[i], 0);
        EXPECT_EQ(dlg->m_SeenCur[i], 32767);
        EXPECT_EQ(dlg->m_Direction[i], 1);
        EXPECT_EQ(dlg->m_ReadyTime[i], -1);
    }
    DIJOYSTATE2 state{};
    dlg->m_pDevice->Acquire();
    ASSERT_EQ(dlg->m_pDevice->GetDeviceState(sizeof state, &state), DIERR_NOTACQUIRED) << "no data format yet";
    dlg->m_pDevice->SetDataFormat(&c_dfDIJoystick2);
    dlg->m_pDevice->Acquire();
    ASSERT_EQ(dlg->m_pDevice->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 1000) << "raw: the reading as the device gives it";
}

TEST_F(DeviceSelection, OneAxisOffInItsCentreMakesItManualAndCooked)
{
    FakeController& c = AddWithAxes("c", {AutoAxis(AxisType::X), AutoAxis(AxisType::Y)});
    c.axes[1].calibration.center = 30000;
    c.axes[0].value = 1000;
    OpenAndScan();
    EXPECT_FALSE(dlg->m_bAutoCalib);
    EXPECT_TRUE(Enabled(IDC_RESET));
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_FALSE(Checked(IDC_AUTOMATIC));
    EXPECT_TRUE(Checked(IDC_MANUAL));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(dlg->m_SeenMin[i], 0);
        EXPECT_EQ(dlg->m_SeenMax[i], 65535);
        EXPECT_EQ(dlg->m_SeenCur[i], 32767);
    }
    EXPECT_EQ(dlg->m_SeenMin[2], 65535) << "unused slots keep the fresh values";
    DIJOYSTATE2 state{};
    dlg->m_pDevice->SetDataFormat(&c_dfDIJoystick2);
    dlg->m_pDevice->Acquire();
    ASSERT_EQ(dlg->m_pDevice->GetDeviceState(sizeof state, &state), DI_OK);
    EXPECT_EQ(state.lX, 1000 * 32768 / 32768) << "cooked through the automatic calibration of X";
}

TEST_F(DeviceSelection, UnreadableCalibrationCountsAsManualAndUnreadableRangeSkipsTheAxis)
{
    FakeController& c = AddWithAxes("c", {AutoAxis(AxisType::X), AutoAxis(AxisType::Y), AutoAxis(AxisType::Z)});
    c.axes[0].rangeReadFails = true;
    c.axes[2].calibrationReadFails = true;
    OpenAndScan();
    EXPECT_EQ(Kinds(), (std::vector<int>{1, 2}));
    EXPECT_FALSE(dlg->m_bAutoCalib);
}

TEST_F(DeviceSelection, NoAxesKeepsButtonsAndIndicatorsButGoesRaw)
{
    AddWithAxes("a", {AutoAxis(AxisType::X)});
    AddWithAxes("none", {});
    OpenAndScan();
    // Put the controls into a state that differs from both outcomes.
    Ctl(IDC_RESET)->EnableWindow(TRUE);
    Ctl(IDC_APPLY)->EnableWindow(FALSE);
    Ctl(IDC_MANUAL)->SendMessage(BM_SETCHECK, BST_CHECKED);
    Ctl(IDC_AUTOMATIC)->SendMessage(BM_SETCHECK, BST_CHECKED);
    SelectAsUser(1);
    EXPECT_EQ(dlg->m_nAxisCount, 0);
    EXPECT_TRUE(dlg->m_bAutoCalib);
    EXPECT_TRUE(Enabled(IDC_RESET));
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_TRUE(Checked(IDC_MANUAL));
    EXPECT_TRUE(Checked(IDC_AUTOMATIC));
}

TEST_F(DeviceSelection, WheelOnlyControlsFollowTheLowByteOfTheDeviceType)
{
    struct Case {
        uint32_t type;
        bool wheel;
        bool capsFail;
    };
    for (const Case c : {Case{0x16, true, false}, Case{0x00010316, true, false}, Case{0xFF16, true, false},
                         Case{0x0215, false, false}, Case{0x1600, false, false}, Case{0x0316, false, true}}) {
        driver->controllers.clear();
        AddWithAxes("c", {AutoAxis(AxisType::X)}, c.type).capsReadFails = c.capsFail;
        OpenAndScan();
        EXPECT_EQ(Visible(IDC_PEDAL_GROUP), c.wheel) << std::hex << c.type;
        EXPECT_EQ(Visible(IDC_INCLUDE_PEDALS), c.wheel) << std::hex << c.type;
        EXPECT_EQ(Visible(IDC_PEDAL_NOTE), c.wheel) << std::hex << c.type;
        EXPECT_EQ(dlg->m_nDevType, c.capsFail ? 0u : c.type);
        Close();
    }
}

TEST_F(DeviceSelection, EverySelectionByTheUserReopensAndClearsThePedalOption)
{
    AddWheel("w");
    OpenAndScan();
    ClickAsUser(IDC_INCLUDE_PEDALS);
    ASSERT_TRUE(Checked(IDC_INCLUDE_PEDALS));
    dlg->m_SeenMin[0] = 5;
    const int opens = driver->opens;
    SelectAsUser(0);  // the entry that was already selected
    EXPECT_FALSE(Checked(IDC_INCLUDE_PEDALS));
    EXPECT_GT(driver->opens, opens);
    EXPECT_EQ(dlg->m_SeenMin[0], 65535);
    EXPECT_EQ(quorvel::drivers::LiveDirectInputObjects(), 2) << "the previous device was released";

    // A refresh or a programmatic selection neither notifies nor clears the option.
    ClickAsUser(IDC_INCLUDE_PEDALS);
    const unsigned selections = dlg->m_nSelectCount;
    Ctl(IDC_DEVICE)->SendMessage(CB_SETCURSEL, 0);
    EXPECT_EQ(dlg->m_nSelectCount, selections);
    dlg->SelectDevice(0);
    EXPECT_TRUE(Checked(IDC_INCLUDE_PEDALS));
}

TEST_F(DeviceSelection, AnIndexWithoutAControllerLeavesNoDeviceAndChangesNothingElse)
{
    AddWheel("w");
    OpenAndScan();
    ASSERT_TRUE(Visible(IDC_PEDAL_GROUP));
    for (int index : {-1, 1, 16}) {
        dlg->SelectDevice(0);
        dlg->m_SeenMin[0] = 1234;
        dlg->Invalidate(FALSE);
        dlg->SelectDevice(index);
        EXPECT_EQ(dlg->m_pDevice, nullptr) << index;
        EXPECT_EQ(dlg->m_nAxisCount, 4) << index;
        EXPECT_EQ(dlg->m_SeenMin[0], 1234) << index;
        EXPECT_TRUE(Visible(IDC_PEDAL_GROUP)) << index;
        EXPECT_TRUE(Checked(IDC_AUTOMATIC)) << index;
        EXPECT_EQ(quorvel::drivers::LiveDirectInputObjects(), 1) << index;
    }
}

TEST_F(DeviceSelection, AControllerThatCannotBeOpenedGivesItsIndexToTheNext)
{
    AddWithAxes("a", {AutoAxis(AxisType::X, 0, 10)}).createFails = true;
    AddWithAxes("b", {AutoAxis(AxisType::X, 0, 20)});
    Open();
    dlg->SelectDevice(0);
    ASSERT_NE(dlg->m_pDevice, nullptr);
    EXPECT_EQ(dlg->m_AxisMax[0], 20);
}

}  // namespace
