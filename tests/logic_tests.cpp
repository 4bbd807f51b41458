// The program's pure computations, the same on every platform (this file builds into the
// Linux suite and into the Windows suite that runs under Wine).
#include <gtest/gtest.h>

#include <string>

#include "CalibrationDlg.h"

namespace {

TEST(StripColours, LightenAndDarkenEachChannelWithLimits)
{
    struct Row {
        COLORREF base, light, dark;
    };
    for (const Row r : {Row{0xB0B0B0, 0xE0E0E0, 0x808080}, Row{0xE0E0E0, 0xFFFFFF, 0xB0B0B0},
                        Row{0x2080E0, 0x50B0FF, 0x0050B0}, Row{0x3090F0, 0x60C0FF, 0x0060C0},
                        Row{0x20C020, 0x50F050, 0x009000}, Row{0x20F020, 0x50FF50, 0x00C000}}) {
        EXPECT_EQ(CCalibrationDlg::LightenColor(r.base, 0x303030), r.light) << std::hex << r.base;
        EXPECT_EQ(CCalibrationDlg::DarkenColor(r.base, 0x303030), r.dark) << std::hex << r.base;
    }
    // Bits 24 to 31 never carry over.
    EXPECT_EQ(CCalibrationDlg::LightenColor(0xFFFFFFFF, 0x01010101), 0x00FFFFFFu);
    EXPECT_EQ(CCalibrationDlg::DarkenColor(0xFF000000, 0x00010101), 0u);
}

TEST(BarColours, EachChannelRoundsOnItsOwn)
{
    EXPECT_EQ(BarBackgroundColor(0), 0x2080E0u);
    EXPECT_EQ(BarFillColor(0), 0x3090F0u);
    EXPECT_EQ(BarBackgroundColor(1), RGB(223, 127, 31));
    EXPECT_EQ(BarBackgroundColor(500), RGB(128, 160, 32));
    EXPECT_EQ(BarFillColor(500), RGB(136, 192, 40));
    EXPECT_EQ(BarBackgroundColor(1000), 0x20C020u);
    EXPECT_EQ(BarFillColor(1000), 0x20F020u);
    EXPECT_EQ(BarFillColor(3), RGB(239, 143, 47));
}

TEST(ResetQuestion, SubstitutesTheNameWithoutUsingTheTextAsAFormat)
{
    struct Row {
        const char* message;
        const char* name;
        const char* expected;
    };
    const Row rows[] = {
        {"Reset \"%s\"?", "Wheel (2)", "Reset \"Wheel (2)\"?"},
        {"100%% sure to reset %s?", "Pad", "100% sure to reset Pad?"},
        {"Reset %s %s?", "Pad", "Reset %s %s?"},          // two conversions: shown as it is
        {"Reset this controller?", "Pad", "Reset this controller?"},
        {"Crash %n%n%s %x", "Pad", "Crash %n%nPad %x"},    // other conversions are plain text
        {"%s", "100% %s %n", "100% %s %n"},                // the name is never interpreted
        {"", "Pad", ""},
    };
    for (const Row& r : rows) {
        char out[260];
        FormatResetQuestion(r.message, r.name, out, sizeof out);
        EXPECT_STREQ(out, r.expected) << r.message;
    }
}

TEST(ResetQuestion, IsBoundedWithoutCuttingACharacter)
{
    const std::string name(300, 'n');
    char out[260];
    FormatResetQuestion("Reset %s?", name.c_str(), out, sizeof out);
    EXPECT_EQ(std::string(out).size(), 259u);
    // 'é' takes two bytes; a cut in its middle would leave a broken character.
    std::string accented = "Reset ";
    while (accented.size() < 300)
        accented += "\xc3\xa9";
    FormatResetQuestion(accented.c_str(), "x", out, sizeof out);
    const std::string text = out;
    EXPECT_EQ(text.size(), 258u) << "259 bytes would split the last character";
    EXPECT_EQ(static_cast<unsigned char>(text.back()), 0xA9);
}

}  // namespace
