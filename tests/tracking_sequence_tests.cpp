// A simulated wheel turned and its pedals pressed, tick by tick on the test's clock: the
// bars go grey, orange, then green, and Apply becomes available. Saves a picture of each stage.
#include <QDir>
#include <QTest>

#include "DialogFixture.h"
#include "SimulatedDriver.h"
#include "testing/FrameworkTesting.h"

using namespace quorvel::drivers;

namespace {

const char kSweepFleet[] = R"({"controllers": [{
  "id": "wheel-1", "name": "Quorvel GT Wheel", "vendor": "0x1209", "product": "0xB0B1", "type": "wheel",
  "axes": [
    {"kind": "X", "track": [[0, 32768], [400, 32768], [401, 40000], [420, 40010], [900, 20000], [1400, 0], [2000, 65535], [2400, 32768]]},
    {"kind": "Y", "track": [[0, 0], [2500, 0], [2600, 20], [3000, 65535], [3300, 0]]},
    {"kind": "Z", "track": [[0, 0], [2500, 0], [2600, 20], [3000, 65535], [3300, 0]]},
    {"kind": "Rz", "track": [[0, 0], [2500, 0], [2600, 20], [3000, 65535], [3300, 0]]}]
}]})";

class TrackingSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock = std::make_unique<quorvel::ManualClock>(0);
        Fleet fleet;
        std::string error;
        ASSERT_TRUE(ParseFleet("sweep", kSweepFleet, &fleet, &error)) << error;
        InstallControllerDriver(std::make_shared<SimulatedDriver>(fleet, nullptr));
        dlg = std::make_unique<CCalibrationDlg>();
        ASSERT_TRUE(dlg->Create(IDD_CALIBRATION));
        folder = QString(QUORVEL_SCREENSHOT_DIR);
        QDir().mkpath(folder);
    }
    void TearDown() override
    {
        dlg->DestroyWindow();
        InstallControllerDriver(nullptr);
    }
    // Runs the dialog's timers until `until` milliseconds, as the window system would.
    void RunUntil(uint32_t until)
    {
        while (clock->Now() < until) {
            clock->Advance(10);
            if (clock->Now() % 250 == 0)
                dlg->SendMessage(WM_TIMER, kTimerDeviceScan);
            dlg->SendMessage(WM_TIMER, kTimerPoll);
        }
    }
    COLORREF BackgroundOf(int x, int y) const
    {
        const QRgb p = afx::testing::SurfaceOf(dlg.get()).pixel(x + 197, y + 10);
        return RGB(qRed(p), qGreen(p), qBlue(p));
    }
    void Save(const char* name)
    {
        afx::testing::WidgetOf(dlg.get())->grab().save(folder + "/" + name);
    }

    std::unique_ptr<quorvel::ManualClock> clock;
    std::unique_ptr<CCalibrationDlg> dlg;
    QString folder;
};

TEST_F(TrackingSequence, WheelAndPedalsGoFromGreyThroughOrangeToGreen)
{
    RunUntil(300);
    ASSERT_EQ(dlg->m_nAxisCount, 4);
    Save("tracking-1-nothing-moved.png");
    EXPECT_EQ(BackgroundOf(30, 325), 0x3090F0u) << "a full orange bar before anything moves";
    EXPECT_FALSE(dlg->GetDlgItem(IDC_APPLY)->IsWindowEnabled());

    // With the pedals included, pedals resting at 0 (away from their logical centre) count
    // as movement at once: every axis records a single point.
    QTest::mouseClick(afx::testing::WidgetOf(dlg->GetDlgItem(IDC_INCLUDE_PEDALS)), Qt::LeftButton, {}, QPoint(8, 8));
    RunUntil(350);
    Save("tracking-2-single-points.png");
    for (auto [x, y] : {std::pair{30, 325}, {30, 360}, {30, 395}, {280, 360}})
        EXPECT_EQ(BackgroundOf(x, y), 0xB0B0B0u) << "grey at " << x << "," << y;

    RunUntil(1000);  // turning, range still short
    Save("tracking-3-turning.png");
    EXPECT_EQ(BackgroundOf(30, 325), 0x2080E0u) << "orange while short";
    EXPECT_FALSE(dlg->GetDlgItem(IDC_APPLY)->IsWindowEnabled());

    RunUntil(2700);  // the wheel is done and green; the pedals are being pressed
    Save("tracking-4-pressing-pedals.png");
    EXPECT_EQ(BackgroundOf(30, 325), 0x20C020u);
    EXPECT_EQ(BackgroundOf(30, 360), 0x3090F0u) << "a pedal going down stands at its maximum: full, orange";
    EXPECT_FALSE(dlg->GetDlgItem(IDC_APPLY)->IsWindowEnabled());

    RunUntil(3500);  // pedals pressed fully and released
    Save("tracking-5-all-green.png");
    for (auto [x, y] : {std::pair{30, 325}, {30, 360}, {30, 395}, {280, 360}})
        EXPECT_EQ(BackgroundOf(x, y), 0x20C020u) << x << "," << y;
    EXPECT_TRUE(dlg->GetDlgItem(IDC_APPLY)->IsWindowEnabled());
}

}  // namespace
