// The device list: scanning, numbering repeated names, and the two control states.
#include "DialogFixture.h"
#include "DirectInputStandIn.h"
#include "testing/FrameworkTesting.h"

using namespace testsupport;

namespace {

class DeviceList : public DialogTest {
protected:
    FakeController& AddNamed(const std::string& key, std::u16string name, uint16_t product = 0xB0B1)
    {
        FakeController& c = AddPad(key, std::move(name));
        c.vendorId = 0x1209;
        c.productId = product;
        return c;
    }
    // The state without controllers: device controls disabled, no indicator, empty list.
    void ExpectNoControllerState()
    {
        EXPECT_FALSE(Enabled(IDC_DEVICE));
        EXPECT_FALSE(Enabled(IDC_RESET));
        EXPECT_FALSE(Enabled(IDC_APPLY));
        EXPECT_FALSE(Checked(IDC_AUTOMATIC));
        EXPECT_FALSE(Checked(IDC_MANUAL));
        EXPECT_EQ(ComboCount(), 0);
        EXPECT_EQ(dlg->m_pDevice, nullptr);
    }
};

TEST_F(DeviceList, NoControllerAtStartDisablesTheControlsAndSelectsNothing)
{
    Open();
    Scan();
    ExpectNoControllerState();
    EXPECT_EQ(dlg->m_nSelectCount, 0u) << "SelectDevice is not called: the shown count is already 0";
}

TEST_F(DeviceList, PluggingAndUnpluggingMovesBetweenTheTwoControlStates)
{
    Open();
    Scan();
    ASSERT_FALSE(Enabled(IDC_DEVICE));

    AddWheel("w", u"GT Wheel");
    Scan();
    EXPECT_TRUE(Enabled(IDC_DEVICE));
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"GT Wheel"}));
    EXPECT_EQ(ComboSel(), 0);
    EXPECT_NE(dlg->m_pDevice, nullptr);
    EXPECT_TRUE(Checked(IDC_AUTOMATIC));
    EXPECT_FALSE(Enabled(IDC_RESET)) << "the selection sets Reset from the calibration";

    // A poll leaves a bar on the window; unplugging erases it with the whole client area.
    Poll();
    ASSERT_GT(qAlpha(afx::testing::SurfaceOf(dlg.get()).pixel(31, 326)), 0);
    driver->Get("w").attached = false;
    Scan();
    ExpectNoControllerState();
    EXPECT_EQ(qAlpha(afx::testing::SurfaceOf(dlg.get()).pixel(31, 326)), 0);
    EXPECT_EQ(quorvel::drivers::LiveDirectInputObjects(), 1) << "only the root object remains";
}

TEST_F(DeviceList, NumbersRepeatedNamesByBytewisePrefix)
{
    struct Case {
        const char* label;
        std::vector<std::u16string> names;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"two alike", {u"Wheel", u"Wheel"}, {"Wheel", "Wheel (2)"}},
        {"three alike", {u"Wheel", u"Wheel", u"Wheel"}, {"Wheel", "Wheel (2)", "Wheel (3)"}},
        {"shorter after longer", {u"Wheel Pro", u"Wheel"}, {"Wheel Pro", "Wheel (2)"}},
        {"longer after shorter", {u"Wheel", u"Wheel Pro"}, {"Wheel", "Wheel Pro"}},
        {"case differs", {u"Wheel", u"wheel"}, {"Wheel", "wheel"}},
        {"empty names", {u"", u"Pad", u""}, {"", "Pad", " (3)"}},
        {"suffix counts", {u"Wheel", u"Wheel", u"Wheel (2)"}, {"Wheel", "Wheel (2)", "Wheel (2) (2)"}},
        {"non-ASCII", {u"Lenkrad \u00dc", u"Lenkrad \u00dc"}, {"Lenkrad \xc3\x9c", "Lenkrad \xc3\x9c (2)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        driver->controllers.clear();
        for (size_t i = 0; i < c.names.size(); ++i)
            AddNamed("c" + std::to_string(i), c.names[i], static_cast<uint16_t>(0x100 + i));
        Open();
        Scan();
        EXPECT_EQ(ComboTexts(), c.shown);
        for (size_t i = 0; i < c.shown.size(); ++i)
            EXPECT_STREQ(dlg->m_ShownName[i], c.shown[i].c_str());
        Close();
    }
}

TEST_F(DeviceList, UnsupportedControllersNeverAppearOrCountForNumbering)
{
    AddNamed("a", u"Wheel");
    FakeController& other = AddPad("x", u"Wheel");
    other.vendorId = 0x1D50;
    other.productId = 0x6180;
    AddNamed("b", u"Wheel", 0xB0B2);
    Open();
    Scan();
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"Wheel", "Wheel (2)"}));
    EXPECT_EQ(dlg->m_nDeviceCount, 2);
}

TEST_F(DeviceList, SupportedControllerTestCoversAllThreeTables)
{
    EXPECT_TRUE(IsSupportedController(MAKELONG(kOwnVendorId, 0x0001)));
    EXPECT_TRUE(IsSupportedController(MAKELONG(kOwnVendorId, 0xFFFF)));
    for (const auto& row : kSupportedVidPid)
        for (DWORD value : row)
            EXPECT_TRUE(IsSupportedController(value)) << std::hex << value;
    for (DWORD value : kOtherSupportedVidPid)
        EXPECT_TRUE(IsSupportedController(value)) << std::hex << value;
    // Same vendor as a table entry but another product, and the product id of the own
    // vendor in the vendor's place: not supported.
    EXPECT_FALSE(IsSupportedController(MAKELONG(0x2341, 0x0001)));
    EXPECT_FALSE(IsSupportedController(MAKELONG(0x0001, kOwnVendorId)));
    EXPECT_FALSE(IsSupportedController(MAKELONG(0x2E8A, 0x0003)));
    // The 24 values share one vendor, the two others another, neither the own one.
    const WORD tableVendor = kSupportedVidPid[0][0] & 0xFFFF;
    for (const auto& row : kSupportedVidPid)
        for (DWORD value : row)
            EXPECT_EQ(value & 0xFFFF, tableVendor);
    EXPECT_NE(tableVendor, kOwnVendorId);
    EXPECT_EQ(kOtherSupportedVidPid[0] & 0xFFFF, kOtherSupportedVidPid[1] & 0xFFFF);
    EXPECT_NE(kOtherSupportedVidPid[0] & 0xFFFF, tableVendor);
}

TEST_F(DeviceList, SameModelsInTheSameOrderAreNoChange)
{
    AddNamed("a", u"Wheel");
    AddNamed("b", u"Wheel");
    Open();
    Scan();
    ASSERT_EQ(ComboCount(), 2);
    SelectAsUser(1);
    ASSERT_EQ(ComboSel(), 1);
    LPDIRECTINPUTDEVICE8 open = dlg->m_pDevice;
    const unsigned selections = dlg->m_nSelectCount;

    // The two change places; then one is swapped for another of the same model.
    std::swap(driver->controllers[0], driver->controllers[1]);
    Scan();
    driver->Remove("a");
    AddNamed("c", u"Other name");
    Scan();
    EXPECT_EQ(ComboSel(), 1);
    EXPECT_EQ(dlg->m_pDevice, open);
    EXPECT_EQ(dlg->m_nSelectCount, selections);
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"Wheel", "Wheel (2)"})) << "names take no part";
}

TEST_F(DeviceList, ADifferentModelAtAnIndexRefillsAndReturnsToEntryZero)
{
    AddNamed("a", u"First", 0x0001);
    AddNamed("b", u"Second", 0x0002);
    Open();
    Scan();
    SelectAsUser(1);
    ASSERT_EQ(ComboSel(), 1);
    driver->Get("b").productId = 0x0003;
    const unsigned selections = dlg->m_nSelectCount;
    Scan();
    EXPECT_EQ(ComboSel(), 0);
    EXPECT_EQ(dlg->m_nSelectCount, selections + 1);
    EXPECT_EQ(dlg->m_nTargetIndex, 0);
}

TEST_F(DeviceList, ListsOnlyTheFirstSixteen)
{
    for (int i = 0; i < 17; ++i)
        AddNamed("c" + std::to_string(i), u"Pad " + std::u16string(1, static_cast<char16_t>(u'A' + i)),
                 static_cast<uint16_t>(i));
    Open();
    Scan();
    ASSERT_EQ(ComboCount(), 16);
    EXPECT_EQ(ComboText(15), "Pad P");
    EXPECT_EQ(dlg->m_nDeviceCount, 16);
    EXPECT_EQ(quorvel::drivers::LiveDirectInputObjects(), 2) << "every passed-over device was released";
}

TEST_F(DeviceList, FaultyControllersAreSkippedOrListedWithoutAName)
{
    AddNamed("broken", u"Cannot open").createFails = true;
    AddNamed("novid", u"No VID", 0x0002).vidPidReadFails = true;
    AddNamed("noname", u"Secret", 0x0003).nameReadFails = true;
    AddNamed("fine", u"Fine", 0x0004);
    Open();
    Scan();
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"", "Fine"}));
    EXPECT_EQ(dlg->m_ShownVidPid[0], static_cast<DWORD>(MAKELONG(0x1209, 0x0003)));
}

TEST_F(DeviceList, ScanDoesNothingWithoutTheRootObject)
{
    AddWheel("w");
    Open();
    dlg->m_pDirectInput->Release();
    dlg->m_pDirectInput = nullptr;
    const int enumerations = driver->enumerations;
    Scan();
    dlg->SelectDevice(0);
    EXPECT_EQ(driver->enumerations, enumerations);
    EXPECT_EQ(ComboCount(), 0);
    EXPECT_TRUE(Enabled(IDC_DEVICE));
}

}  // namespace
