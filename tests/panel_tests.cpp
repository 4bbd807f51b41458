// The virtual controller panel: plugging, dragging and sweeping reach the driver.
#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "SimulatedDriver.h"
#include "VirtualControllerPanel.h"
#include "clock.h"

using namespace quorvel::drivers;

namespace {

class Panel : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock = std::make_unique<quorvel::ManualClock>(1000);
        driver = std::make_shared<SimulatedDriver>(DefaultFleet(), nullptr);
        panel = std::make_unique<VirtualControllerPanel>(driver, clock->Now());
    }
    std::unique_ptr<quorvel::ManualClock> clock;
    std::shared_ptr<SimulatedDriver> driver;
    std::unique_ptr<VirtualControllerPanel> panel;
};

TEST_F(Panel, ShowsEveryControllerAndAxis)
{
    EXPECT_EQ(panel->windowTitle(), "Virtual controllers");
    EXPECT_EQ(panel->findChildren<QCheckBox*>().size(), 3);
    EXPECT_EQ(panel->findChildren<QSlider*>().size(), 10);
    EXPECT_EQ(panel->findChildren<QPushButton*>().size(), 3);
}

TEST_F(Panel, UnpluggingChangesWhatTheDriverEnumerates)
{
    QCheckBox* wheelPlugged = panel->findChildren<QCheckBox*>().at(0);
    ASSERT_TRUE(wheelPlugged->isChecked());
    QTest::mouseClick(wheelPlugged, Qt::LeftButton, {}, QPoint(6, wheelPlugged->height() / 2));
    EXPECT_EQ(driver->Attached(0), (std::vector<std::string>{"gamepad-1", "flightstick-1"}));
    QTest::mouseClick(wheelPlugged, Qt::LeftButton, {}, QPoint(6, wheelPlugged->height() / 2));
    EXPECT_EQ(driver->Attached(0).size(), 3u);
}

TEST_F(Panel, DraggingAnAxisSetsItsRawReading)
{
    QSlider* wheel = panel->findChildren<QSlider*>().at(0);
    panel->resize(400, 700);
    panel->show();
    QTest::mousePress(wheel, Qt::LeftButton, {}, QPoint(wheel->width() / 2, wheel->height() / 2));
    wheel->setSliderPosition(0);
    QTest::mouseRelease(wheel, Qt::LeftButton);
    EXPECT_EQ(driver->AxisValue("wheel-1", 0, 0), 0);
    panel->Refresh();
    EXPECT_EQ(wheel->value(), 0) << "the slider keeps showing the reading";
}

TEST_F(Panel, ASweepCoversTheTravelAndReturnsToRest)
{
    panel->Sweep(0);
    int32_t lowest = 65535, highest = 0, lowestPedal = 65535, highestPedal = 0;
    for (int step = 0; step <= 120; ++step) {
        panel->Refresh();
        lowest = std::min(lowest, driver->AxisValue("wheel-1", 0, 0));
        highest = std::max(highest, driver->AxisValue("wheel-1", 0, 0));
        lowestPedal = std::min(lowestPedal, driver->AxisValue("wheel-1", 1, 0));
        highestPedal = std::max(highestPedal, driver->AxisValue("wheel-1", 1, 0));
        clock->Advance(20);
    }
    EXPECT_LT(lowest, 1000);
    EXPECT_GT(highest, 64500);
    EXPECT_EQ(lowestPedal, 0);
    EXPECT_GT(highestPedal, 64500);
    EXPECT_EQ(driver->AxisValue("wheel-1", 0, 0), 32768) << "the wheel ends centred";
    EXPECT_EQ(driver->AxisValue("wheel-1", 1, 0), 0) << "the pedals end released";
}

}  // namespace
