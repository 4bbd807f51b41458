// The dialog on the real window system against fake controllers: listing, selection, live
// tracking with real GDI, Apply and Reset.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CalibrationDlg.h"
#include "DirectInputStandIn.h"
#include "FakeControllerDriver.h"
#include "testing/MessageBoxTesting.h"

using namespace testsupport;

namespace {

class Controllers : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver = std::make_shared<FakeControllerDriver>();
        quorvel::drivers::InstallControllerDriver(driver);
    }
    void TearDown() override
    {
        if (dlg && dlg->GetSafeHwnd())
            dlg->DestroyWindow();
        dlg.reset();
        quorvel::drivers::InstallControllerDriver(nullptr);
        afx::testing::SetMessageBoxHandler({});
        EXPECT_EQ(quorvel::drivers::LiveDirectInputObjects(), 0);
    }
    void Open()
    {
        dlg = std::make_unique<CCalibrationDlg>();
        ASSERT_TRUE(dlg->Create(IDD_CALIBRATION));
        // The test delivers the ticks itself.
        dlg->KillTimer(kTimerDeviceScan);
        dlg->KillTimer(kTimerPoll);
    }
    void Scan() { dlg->SendMessage(WM_TIMER, kTimerDeviceScan); }
    void Poll() { dlg->SendMessage(WM_TIMER, kTimerPoll); }
    // What a click does on Windows: the control notifies its parent.
    void Click(int id) { ::SendMessageA(::GetDlgItem(dlg->GetSafeHwnd(), id), BM_CLICK, 0, 0); }
    bool Checked(int id) { return ::SendMessageA(::GetDlgItem(dlg->GetSafeHwnd(), id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) { return dlg->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    std::vector<std::string> Entries()
    {
        std::vector<std::string> texts;
        HWND combo = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_DEVICE);
        const int n = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[512] = {};
            ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }
    FakeController& AddPad(const std::string& key, std::u16string name, uint16_t product = 0x8036)
    {
        FakeController c;
        c.key = key;
        c.name = std::move(name);
        c.vendorId = 0x2341;
        c.productId = product;
        c.deviceType = 0x0215;
        c.axes = {AutoAxis(AxisType::X), AutoAxis(AxisType::Y)};
        return driver->Add(std::move(c));
    }

    std::shared_ptr<FakeControllerDriver> driver;
    std::unique_ptr<CCalibrationDlg> dlg;
};

TEST_F(Controllers, ListsSupportedControllersWithNumberedNames)
{
    AddPad("a", u"Pad");
    AddPad("b", u"Pad");
    AddPad("c", u"Stick", 0x0001).vendorId = 0x1D50;  // not supported
    Open();
    Scan();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Pad", "Pad (2)"}));
    EXPECT_TRUE(Checked(IDC_AUTOMATIC));
    EXPECT_FALSE(Enabled(IDC_RESET));
    driver->controllers.clear();
    Scan();
    EXPECT_TRUE(Entries().empty());
    EXPECT_FALSE(Enabled(IDC_DEVICE));
    EXPECT_FALSE(Checked(IDC_AUTOMATIC));
}

TEST_F(Controllers, ASelectionByTheUserReopensTheChosenController)
{
    AddPad("a", u"First", 0x0001).vendorId = 0x1209;
    FakeController& second = AddPad("b", u"Second", 0x0002);
    second.vendorId = 0x1209;
    second.axes[0].calibration.center = 1;  // manual
    Open();
    Scan();
    HWND combo = ::GetDlgItem(dlg->GetSafeHwnd(), IDC_DEVICE);
    ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DEVICE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_TRUE(Checked(IDC_MANUAL));
    EXPECT_TRUE(Enabled(IDC_RESET));
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

TEST_F(Controllers, TrackingDrawsWithRealGdiAndApplyWritesTheCalibration)
{
    FakeController& pad = AddPad("p", u"Pad");
    Open();
    Scan();
    Poll();
    HDC dc = ::GetDC(dlg->GetSafeHwnd());
    EXPECT_EQ(::GetPixel(dc, 30 + 150, 360 + 10), 0x3090F0u) << "a full orange bar before anything moves";
    EXPECT_FALSE(Enabled(IDC_APPLY));
    for (int value : {1000, 1020, 64000, 32768}) {
        pad.axes[0].value = value;
        Poll();
    }
    EXPECT_TRUE(Enabled(IDC_APPLY));
    // The background part of the bar, somewhere in its fade from orange to green: the
    // system's clock runs on between the tick and this read.
    const COLORREF background = ::GetPixel(dc, 30 + 198, 360 + 10);
    bool onTheFade = false;
    for (DWORD t = 0; t <= 1000 && !onTheFade; ++t)
        onTheFade = background == BarBackgroundColor(t);
    EXPECT_TRUE(onTheFade) << std::hex << background;
    ::ReleaseDC(dlg->GetSafeHwnd(), dc);
    Click(IDC_APPLY);
    ASSERT_EQ(driver->writes.size(), 1u);
    EXPECT_EQ(driver->writes[0].calibration, (AxisCalibration{1000, 32768, 64000}));
    EXPECT_TRUE(Checked(IDC_MANUAL));
    EXPECT_FALSE(Checked(IDC_AUTOMATIC));
}

TEST_F(Controllers, ResetAsksThenWritesTheLogicalRangesBack)
{
    FakeController& pad = AddPad("p", u"Pad");
    pad.axes[0].calibration = {100, 200, 300};
    Open();
    Scan();
    std::vector<std::string> questions;
    afx::testing::SetMessageBoxHandler([&](const afx::testing::MessageBoxCall& call) {
        questions.push_back(call.text);
        return IDYES;
    });
    Click(IDC_RESET);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("Pad"), std::string::npos) << questions[0];
    EXPECT_EQ(pad.axes[0].calibration, (AxisCalibration{0, 32768, 65535}));
    EXPECT_TRUE(Checked(IDC_AUTOMATIC));
}

}  // namespace
