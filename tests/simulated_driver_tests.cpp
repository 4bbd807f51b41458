// The simulated controllers: fleet files, the calibration store, and DirectInput on top.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "CalibrationStore.h"
#include "DirectInputStandIn.h"
#include "Fleet.h"
#include "SimulatedDriver.h"
#include "TempFolder.h"
#include "clock.h"

using namespace quorvel::drivers;
using testsupport::TempFolder;

namespace {

const char kWheelFleet[] = R"({"controllers": [{
  "id": "wheel-1", "name": "Quorvel GT Wheel", "vendor": "0x1209", "product": "0xB0B1", "type": "wheel",
  "attached": [[0, 1000], [2000, null]],
  "axes": [{"kind": "X", "min": 0, "max": 65535, "calibration": [100, 30000, 60000],
            "track": [[0, 32768], [500, 0], [1000, 65535]]},
           {"kind": "Slider", "min": -100, "max": 100}],
  "faults": {"state_fails": [[300, 400]]}
}]})";

TEST(Fleet, ParsesEveryFieldOfTheDocumentedFormat)
{
    Fleet fleet;
    std::string error;
    ASSERT_TRUE(ParseFleet("fleet.json", kWheelFleet, &fleet, &error)) << error;
    ASSERT_EQ(fleet.controllers.size(), 1u);
    const SimulatedController& c = fleet.controllers[0];
    EXPECT_EQ(c.vendorId, 0x1209);
    EXPECT_EQ(c.productId, 0xB0B1);
    EXPECT_EQ(c.deviceType & 0xFF, 22u);
    EXPECT_TRUE(c.AttachedAt(0));
    EXPECT_FALSE(c.AttachedAt(1000));
    EXPECT_FALSE(c.AttachedAt(1999));
    EXPECT_TRUE(c.AttachedAt(4000000000u));
    ASSERT_EQ(c.axes.size(), 2u);
    EXPECT_EQ(c.axes[0].defaultCalibration, (AxisCalibration{100, 30000, 60000}));
    EXPECT_EQ(c.axes[1].defaultCalibration, (AxisCalibration{-100, 0, 100})) << "default: the range and its centre";
    EXPECT_EQ(c.axes[1].type, AxisType::Slider);
    // The track: linear between points, held before the first and after the last.
    EXPECT_EQ(c.axes[0].ValueAt(0), 32768);
    EXPECT_EQ(c.axes[0].ValueAt(250), 16384);
    EXPECT_EQ(c.axes[0].ValueAt(750), 32767);
    EXPECT_EQ(c.axes[0].ValueAt(99999), 65535);
    EXPECT_EQ(c.axes[1].ValueAt(50), 0) << "no track: the centre";
}

TEST(Fleet, AcceptsNumbersAndNumericTypes)
{
    Fleet fleet;
    std::string error;
    ASSERT_TRUE(ParseFleet("f", R"({"controllers": [{"id": "a", "vendor": 4617, "product": "45233", "type": 65814}], "panel": true})",
                           &fleet, &error)) << error;
    EXPECT_EQ(fleet.controllers[0].vendorId, 0x1209);
    EXPECT_EQ(fleet.controllers[0].productId, 45233);
    EXPECT_EQ(fleet.controllers[0].deviceType, 65814u);
    EXPECT_TRUE(fleet.panel);
    EXPECT_TRUE(fleet.controllers[0].AttachedAt(123)) << "attached by default";
}

struct BadFleet {
    const char* label;
    std::string text;
    const char* message;
};

void PrintTo(const BadFleet& b, std::ostream* os) { *os << b.label; }

class BadFleets : public ::testing::TestWithParam<BadFleet> {};

TEST_P(BadFleets, AreReportedWithTheFileAndWhatIsWrong)
{
    Fleet fleet;
    fleet.controllers.resize(1);
    std::string error;
    EXPECT_FALSE(ParseFleet("my/fleet.json", GetParam().text, &fleet, &error));
    EXPECT_EQ(error.rfind("my/fleet.json:", 0), 0u) << error;
    EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
    EXPECT_EQ(fleet.controllers.size(), 1u) << "a failed parse leaves the fleet as it was";
}

const std::string kLongName(300, 'n');

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFleets,
    ::testing::Values(
        BadFleet{"Empty", "", ":1:1: the file is empty"},
        BadFleet{"NotJson", "{\n  \"controllers\": [\n  oops ]}", ":3:3: not valid JSON"},
        BadFleet{"Truncated", R"({"controllers": [{"id": "a", "vendor": 1)", "not valid JSON"},
        BadFleet{"WrongShape", R"([1, 2])", "expected an object with a \"controllers\" list"},
        BadFleet{"NoId", R"({"controllers": [{"vendor": 1, "product": 2}]})", "controllers[0].id: expected a non-empty string"},
        BadFleet{"DuplicateId", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2}, {"id": "a", "vendor": 1, "product": 2}]})",
                 "controllers[1].id: 'a' is used twice"},
        BadFleet{"VendorTooBig", R"({"controllers": [{"id": "a", "vendor": "0x10000", "product": 2}]})", "controllers[0].vendor: '0x10000' is above 0xFFFF"},
        BadFleet{"VendorNotHex", R"({"controllers": [{"id": "a", "vendor": "0xZZ", "product": 2}]})", "is not a USB id"},
        BadFleet{"UnknownType", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "type": "plane"}]})", "unknown type 'plane'"},
        BadFleet{"UnknownKind", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "axes": [{"kind": "W"}]}]})", "axes[0].kind: unknown axis kind 'W'"},
        BadFleet{"MinNotBelowMax", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "axes": [{"min": 5, "max": 5}]}]})", "min must be below max"},
        BadFleet{"OutOfRange", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "axes": [{"max": 2147483648}]}]})", "axes[0].max: number 2147483648 is outside"},
        BadFleet{"HugeNumber", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "axes": [{"max": 1e999}]}]})", "number overflow"},
        BadFleet{"FloatValue", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "axes": [{"max": 1.5}]}]})", "expected a whole number"},
        BadFleet{"TrackBackwards", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "axes": [{"track": [[5, 1], [4, 2]]}]}]})", "times must not go backwards"},
        BadFleet{"IntervalReversed", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "attached": [[10, 5]]}]})", "ends before it starts"},
        BadFleet{"NegativeTime", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "attached": [[-1, null]]}]})", "attached[0][0]"},
        BadFleet{"LongName", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "name": ")" + kLongName + R"("}]})", "300 UTF-16 units; at most 259 fit"},
        BadFleet{"ControlCharacter", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "name": "a\u0007b"}]})", "control character"},
        BadFleet{"InvalidUtf8", "{\"controllers\": [{\"id\": \"\xff\", \"vendor\": 1, \"product\": 2}]}", "not valid JSON"},
        BadFleet{"FaultNotBool", R"({"controllers": [{"id": "a", "vendor": 1, "product": 2, "faults": {"create_fails": 1}}]})", "faults.create_fails: expected true or false"}),
    [](const ::testing::TestParamInfo<BadFleet>& info) { return std::string(info.param.label); });

// ------------------------------------------------------------ the store

TEST(CalibrationStore, PersistsEveryWriteAndKeepsOtherEntries)
{
    TempFolder folder;
    const std::string path = folder.Write("state/cal.json", R"({"controllers": {"other": {"axes": [null, [1, 2, 3]]}}})");
    CalibrationStore store(path);
    store.Load();
    ASSERT_TRUE(store.Writable()) << store.Error();
    EXPECT_EQ(store.Read("other", 1), (AxisCalibration{1, 2, 3}));
    EXPECT_FALSE(store.Read("other", 0));
    ASSERT_TRUE(store.Write("wheel-1", 2, {10, 20, 30}));

    CalibrationStore reread(path);
    reread.Load();
    EXPECT_EQ(reread.Read("wheel-1", 2), (AxisCalibration{10, 20, 30}));
    EXPECT_FALSE(reread.Read("wheel-1", 0)) << "axes never written are null";
    EXPECT_EQ(reread.Read("other", 1), (AxisCalibration{1, 2, 3}));
    EXPECT_NE(folder.Read("state/cal.json").find("\"wheel-1\""), std::string::npos);
    // Nothing is left behind by the atomic write.
    int files = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder.Path("state")))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(CalibrationStore, CreatesItsFolderOnTheFirstWrite)
{
    TempFolder folder;
    CalibrationStore store(folder.Path("a/b/c/cal.json"));
    store.Load();
    ASSERT_TRUE(store.Write("x", 0, {-5, 0, 5}));
    EXPECT_TRUE(std::filesystem::exists(folder.Path("a/b/c/cal.json")));
}

TEST(CalibrationStore, MergesWritesOfAnotherRun)
{
    TempFolder folder;
    const std::string path = folder.Path("cal.json");
    CalibrationStore first(path), second(path);
    first.Load();
    second.Load();
    ASSERT_TRUE(first.Write("a", 0, {1, 2, 3}));
    ASSERT_TRUE(second.Write("b", 0, {4, 5, 6}));
    CalibrationStore check(path);
    check.Load();
    EXPECT_TRUE(check.Read("a", 0));
    EXPECT_TRUE(check.Read("b", 0));
}

class BadStores : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(BadStores, AreReportedAndNeverOverwritten)
{
    TempFolder folder;
    const std::string content = GetParam().first;
    const std::string path = folder.Write("cal.json", content);
    CalibrationStore store(path);
    store.Load();
    EXPECT_FALSE(store.Writable());
    EXPECT_NE(store.Error().find(path), std::string::npos) << store.Error();
    EXPECT_NE(store.Error().find(GetParam().second), std::string::npos) << store.Error();
    EXPECT_FALSE(store.Write("wheel-1", 0, {1, 2, 3}));
    EXPECT_EQ(folder.Read("cal.json"), content);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadStores,
    ::testing::Values(std::make_pair(std::string(""), std::string("the file is empty")),
                      std::make_pair(std::string("{\"controllers\": {\"a\": {\"axes\": [[1, 2, 3]"), std::string("not valid JSON")),
                      std::make_pair(std::string("[]"), std::string("expected an object")),
                      std::make_pair(std::string(R"({"controllers": {"a": {"axes": [[1, 2]]}}})"), std::string("controllers.a.axes[0]")),
                      std::make_pair(std::string(R"({"controllers": {"a": {"axes": [[1, 2, 4294967296]]}}})"), std::string("32-bit")),
                      std::make_pair(std::string(R"({"controllers": {"a": 5}})"), std::string("controllers.a"))));

TEST(CalibrationStore, AGoodStoreThatTurnsBadIsNotOverwritten)
{
    TempFolder folder;
    const std::string path = folder.Write("cal.json", R"({"controllers": {}})");
    CalibrationStore store(path);
    store.Load();
    ASSERT_TRUE(store.Writable());
    folder.Write("cal.json", "{broken");
    EXPECT_FALSE(store.Write("a", 0, {1, 2, 3}));
    EXPECT_EQ(folder.Read("cal.json"), "{broken");
}

// ------------------------------------------------------------ DirectInput on the simulated driver

class SimulatedDirectInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        clock = std::make_unique<quorvel::ManualClock>(50000);
        Fleet fleet;
        std::string error;
        ASSERT_TRUE(ParseFleet("f", kWheelFleet, &fleet, &error)) << error;
        store = std::make_shared<CalibrationStore>(folder.Path("cal.json"));
        store->Load();
        driver = std::make_shared<SimulatedDriver>(fleet, store);
        InstallControllerDriver(driver);
        ASSERT_EQ(DirectInput8Create(nullptr, 0x0800, IID_IDirectInput8A, reinterpret_cast<void**>(&root), nullptr), DI_OK);
    }
    void TearDown() override
    {
        if (device)
            device->Release();
        root->Release();
        InstallControllerDriver(nullptr);
        EXPECT_EQ(LiveDirectInputObjects(), 0);
    }
    std::vector<DIDEVICEINSTANCEA> Enumerate()
    {
        std::vector<DIDEVICEINSTANCEA> found;
        root->EnumDevices(DI8DEVCLASS_GAMECTRL, [](LPCDIDEVICEINSTANCEA i, LPVOID ref) {
            static_cast<std::vector<DIDEVICEINSTANCEA>*>(ref)->push_back(*i);
            return DIENUM_CONTINUE;
        }, &found, DIEDFL_ATTACHEDONLY);
        return found;
    }
    LONG ReadX()
    {
        DIJOYSTATE2 state{};
        device->SetDataFormat(&c_dfDIJoystick2);
        device->Acquire();
        EXPECT_EQ(device->GetDeviceState(sizeof state, &state), DI_OK);
        return state.lX;
    }

    TempFolder folder;
    std::unique_ptr<quorvel::ManualClock> clock;
    std::shared_ptr<CalibrationStore> store;
    std::shared_ptr<SimulatedDriver> driver;
    LPDIRECTINPUT8 root = nullptr;
    LPDIRECTINPUTDEVICE8 device = nullptr;
};

TEST_F(SimulatedDirectInput, FollowsTheTimelineFromTheRootObjectsCreation)
{
    ASSERT_EQ(Enumerate().size(), 1u);
    const DIDEVICEINSTANCEA instance = Enumerate()[0];
    EXPECT_EQ(instance.guidProduct, ProductGuidFor(0x1209, 0xB0B1));
    EXPECT_EQ(instance.guidProduct.Data1, 0xB0B11209u);
    EXPECT_EQ(instance.guidInstance, InstanceGuidForKey("wheel-1"));
    EXPECT_STREQ(instance.tszProductName, "Quorvel GT Wheel");
    ASSERT_EQ(root->CreateDevice(instance.guidInstance, &device, nullptr), DI_OK);

    clock->Advance(250);
    DIPROPDWORD mode{{sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE}, DIPROPCALIBRATIONMODE_RAW};
    ASSERT_EQ(device->SetProperty(DIPROP_CALIBRATIONMODE, &mode.diph), DI_OK);
    EXPECT_EQ(ReadX(), 16384);
    clock->Advance(100);  // 350: inside the failing window
    DIJOYSTATE2 state;
    EXPECT_EQ(device->GetDeviceState(sizeof state, &state), DIERR_INPUTLOST);
    clock->Advance(800);  // 1150: unplugged
    EXPECT_TRUE(Enumerate().empty());
    device->Acquire();
    EXPECT_NE(device->GetDeviceState(sizeof state, &state), DI_OK);
    clock->Advance(1000);  // 2150: back
    EXPECT_EQ(Enumerate().size(), 1u);
    EXPECT_EQ(ReadX(), 65535);
}

TEST_F(SimulatedDirectInput, CookedReadingsFollowTheStoredCalibrationClamped)
{
    ASSERT_EQ(root->CreateDevice(ProductGuidFor(0x1209, 0xB0B1), &device, nullptr), DI_OK);
    // Default: cooked, range 0..65535; stored calibration 100, 30000, 60000.
    // Raw 32768 at t=0 lies above the centre: 32768 + (32768 - 30000) * 32767 / 30000.
    EXPECT_EQ(ReadX(), 32768 + (32768 - 30000) * 32767 / 30000);
    clock->Advance(500);  // raw 0, below the minimum
    EXPECT_EQ(ReadX(), 0);
    clock->Advance(499);  // raw 65404, above the maximum (and still plugged in)
    EXPECT_EQ(ReadX(), 65535);
    DIPROPCAL cal{{sizeof(DIPROPCAL), sizeof(DIPROPHEADER), DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(0), DIPH_BYID}, 0, 100, 200};
    ASSERT_EQ(device->SetProperty(DIPROP_CALIBRATION, &cal.diph), DI_OK);
    EXPECT_EQ(store->Read("wheel-1", 0), (AxisCalibration{0, 100, 200})) << "written through at once";
    DIPROPCAL back{{sizeof(DIPROPCAL), sizeof(DIPROPHEADER), DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(0), DIPH_BYID}, 0, 0, 0};
    ASSERT_EQ(device->GetProperty(DIPROP_CALIBRATION, &back.diph), DI_OK);
    EXPECT_EQ(back.lCenter, 100);
}

TEST(CookAxisValue, MapsPiecewiseThroughTheCentre)
{
    const AxisCalibration cal{1000, 33000, 64000};
    EXPECT_EQ(CookAxisValue(1000, cal, 0, 65535), 0);
    EXPECT_EQ(CookAxisValue(33000, cal, 0, 65535), 32768);
    EXPECT_EQ(CookAxisValue(64000, cal, 0, 65535), 65535);
    EXPECT_EQ(CookAxisValue(17000, cal, 0, 65535), 16384);
    EXPECT_EQ(CookAxisValue(-5, cal, 0, 65535), 0);
    EXPECT_EQ(CookAxisValue(99999, cal, 0, 65535), 65535);
    const AxisCalibration wide{-2147483647 - 1, 0, 2147483647};
    EXPECT_EQ(CookAxisValue(2147483600, wide, -2147483647 - 1, 2147483647), 2147483600);
}

}  // namespace
