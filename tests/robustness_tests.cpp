// Bad fleet and store files never crash the tool or lose a good store; each is reported
// with its path and what is wrong.
#include <gtest/gtest.h>

#include <random>

#include "CalibrationStore.h"
#include "Fleet.h"
#include "SimulatedDriver.h"
#include "TempFolder.h"

using namespace quorvel::drivers;
using testsupport::ScopedEnv;
using testsupport::TempFolder;

namespace {

const char kGoodStore[] = R"({"controllers": {"wheel-1": {"axes": [[1000, 33000, 64000], null, null, null]}}})";

struct BadFleetFile {
    const char* label;
    std::string content;  // "<missing>" for no file at all
    const char* message;
};

void PrintTo(const BadFleetFile& b, std::ostream* os) { *os << b.label; }

class BadFleetFiles : public ::testing::TestWithParam<BadFleetFile> {};

TEST_P(BadFleetFiles, LeaveNoControllersAndTheStoreUntouched)
{
    TempFolder folder;
    const std::string fleetPath = GetParam().content == "<missing>" ? folder.Path("missing.json")
                                                                      : folder.Write("fleet.json", GetParam().content);
    const std::string storePath = folder.Write("store.json", kGoodStore);
    ScopedEnv fleet("QUORVEL_CONTROLLERS", fleetPath);
    ScopedEnv store("QUORVEL_CALIBRATION_STORE", storePath);

    ::testing::internal::CaptureStderr();
    auto driver = CreateSimulatedDriverFromEnvironment();
    const std::string said = ::testing::internal::GetCapturedStderr();

    EXPECT_TRUE(driver->Attached(0).empty());
    EXPECT_NE(said.find(fleetPath), std::string::npos) << said;
    EXPECT_NE(said.find(GetParam().message), std::string::npos) << said;
    EXPECT_NE(said.find("running with no controllers"), std::string::npos) << said;
    EXPECT_EQ(folder.Read("store.json"), kGoodStore);
}

const std::string kValidStart = R"({"controllers": [{"id": "w", "vendor": "0x1209", "product": "0xB0B1", )";

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFleetFiles,
    ::testing::Values(
        BadFleetFile{"Missing", "<missing>", "cannot read"},
        BadFleetFile{"Empty", "", "the file is empty"},
        BadFleetFile{"Truncated", kValidStart + R"("name": "Wheel)", "not valid JSON"},
        BadFleetFile{"NotJson", "controllers: wheel", ":1:1: not valid JSON"},
        BadFleetFile{"WrongShape", R"({"controllers": {"w": 1}})", "expected an object with a \"controllers\" list"},
        BadFleetFile{"OutOfRange", kValidStart + R"("axes": [{"min": -2147483649}]}]})", "is outside"},
        BadFleetFile{"LongName", kValidStart + R"("name": ")" + std::string(300, 'x') + R"("}]})", "at most 259 fit"},
        BadFleetFile{"InvalidUtf8", kValidStart + "\"name\": \"\xc3\x28\"}]}", "not valid JSON"},
        BadFleetFile{"ControlCharacters", kValidStart + R"("name": "bad\u001bname"}]})", "control character"}),
    [](const ::testing::TestParamInfo<BadFleetFile>& info) { return std::string(info.param.label); });

TEST(BadStoreFile, KeepsTheControllersButRefusesToOverwriteIt)
{
    TempFolder folder;
    const std::string storePath = folder.Write("store.json", "{\"controllers\": {\"wheel-1\": ");
    ScopedEnv store("QUORVEL_CALIBRATION_STORE", storePath);
    unsetenv("QUORVEL_CONTROLLERS");

    ::testing::internal::CaptureStderr();
    auto driver = CreateSimulatedDriverFromEnvironment();
    const std::string said = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(driver->Attached(0).size(), 3u) << "the built-in fleet";
    EXPECT_NE(said.find(storePath), std::string::npos) << said;
    EXPECT_NE(said.find("not valid JSON"), std::string::npos) << said;
    EXPECT_FALSE(driver->WriteCalibration("wheel-1", 0, {1, 2, 3}));
    AxisCalibration cal;
    ASSERT_TRUE(driver->ReadCalibration("wheel-1", 0, &cal));
    EXPECT_EQ(cal, (AxisCalibration{0, 32768, 65535})) << "the fleet's default stands in";
    EXPECT_EQ(folder.Read("store.json"), "{\"controllers\": {\"wheel-1\": ");
}

// ------------------------------------------------------------ deterministic mutation campaign

std::string Mutate(std::string text, std::mt19937& random)
{
    const int edits = 1 + static_cast<int>(random() % 4);
    static const char kPieces[][12] = {"{", "}", "[", "]", "\"", ",", ":", "null", "-1", "1e99", "\\u0000",
                                       "\xff", "\xc3", "99999999999", "\"id\"", "true"};
    for (int e = 0; e < edits && !text.empty(); ++e) {
        const size_t at = random() % text.size();
        switch (random() % 5) {
        case 0: text.erase(at, 1 + random() % 8); break;
        case 1: text.insert(at, kPieces[random() % (sizeof kPieces / sizeof kPieces[0])]); break;
        case 2: text[at] = static_cast<char>(random() % 256); break;
        case 3: text.resize(at); break;
        default: text.insert(at, text.substr(random() % text.size(), random() % 16)); break;
        }
    }
    return text;
}

TEST(MutatedInput, FleetParserNeverFailsWithoutSayingWhere)
{
    const std::string seed = R"({"controllers": [{"id": "wheel-1", "name": "Quorvel GT Wheel", "vendor": "0x1209",
      "product": "0xB0B1", "type": "wheel", "attached": [[0, null]],
      "axes": [{"kind": "X", "min": 0, "max": 65535, "calibration": [0, 32768, 65535], "track": [[0, 32768], [500, 0]]}],
      "faults": {"create_fails": false, "state_fails": [[2000, 2500]]}}], "panel": true})";
    std::mt19937 random(12345);
    int accepted = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string text = Mutate(seed, random);
        Fleet fleet;
        std::string error;
        if (ParseFleet("mutant.json", text, &fleet, &error)) {
            ++accepted;
            for (const SimulatedController& c : fleet.controllers)
                for (const SimulatedAxis& a : c.axes) {
                    ASSERT_LT(a.min, a.max);
                    a.ValueAt(static_cast<uint32_t>(random()));
                }
        } else {
            ASSERT_EQ(error.rfind("mutant.json:", 0), 0u) << error;
        }
    }
    EXPECT_GT(accepted, 0) << "some mutants stay valid, so the accepting path is exercised too";
}

TEST(MutatedInput, AStoreThatCannotBeReadIsNeverReplaced)
{
    TempFolder folder;
    std::mt19937 random(54321);
    for (int i = 0; i < 1500; ++i) {
        const std::string text = Mutate(kGoodStore, random);
        const std::string path = folder.Write("store.json", text);
        CalibrationStore store(path);
        store.Load();
        if (!store.Writable()) {
            ASSERT_NE(store.Error().find(path), std::string::npos);
            ASSERT_FALSE(store.Write("wheel-1", 0, {1, 2, 3}));
            ASSERT_EQ(folder.Read("store.json"), text);
        } else {
            for (size_t axis = 0; axis < 6; ++axis)
                store.Read("wheel-1", axis);
        }
    }
}

}  // namespace
