// The dialog window itself: template, texts, timers, painting and the ways it ends.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "DialogFixture.h"
#include "DirectInputStandIn.h"
#include "LxStrLib.h"
#include "TempFolder.h"
#include "testing/FrameworkTesting.h"

using namespace testsupport;

namespace {

struct ControlRow {
    int id;
    const char* qtClass;
    int x, y, cx, cy;  // dialog units
    bool visible;
    bool enabled;
};

// Template order, which is also the tab order.
const ControlRow kRows[] = {
    {-1, "QLabel", 14, 23, 51, 9, true, true},
    {IDC_DEVICE, "QComboBox", 74, 21, 186, 99, true, true},
    {-1, "QGroupBox", 7, 7, 358, 50, true, true},
    {-1, "QGroupBox", 7, 63, 358, 214, true, true},
    {IDC_INSTRUCTIONS, "QLabel", 14, 77, 330, 36, true, true},
    {IDC_APPLY, "QPushButton", 281, 150, 75, 31, true, true},
    {IDC_RESET, "QPushButton", 268, 21, 71, 13, true, true},
    {IDC_AXIS1, "QLabel", 9, 241, 157, 10, false, true},
    {IDC_AXIS2, "QLabel", 9, 251, 157, 10, false, true},
    {IDC_AXIS3, "QLabel", 10, 262, 157, 10, false, true},
    {IDC_AXIS4, "QLabel", 176, 251, 157, 10, false, true},
    {IDC_AXIS5, "QLabel", 176, 262, 157, 10, false, true},
    {IDC_RESET_HINT, "QLabel", 15, 115, 331, 10, true, true},
    {IDC_MANUAL, "QCheckBox", 272, 39, 66, 13, true, false},
    {IDC_AUTOMATIC, "QCheckBox", 198, 39, 66, 13, true, false},
    {-1, "QLabel", 110, 41, 80, 11, true, true},
    {IDC_CLOSE, "QPushButton", 302, 281, 63, 14, true, true},
    {IDC_INCLUDE_PEDALS, "QCheckBox", 22, 142, 242, 10, false, true},
    {IDC_PEDAL_GROUP, "QGroupBox", 15, 130, 256, 59, false, true},
    {IDC_PEDAL_NOTE, "QLabel", 22, 156, 239, 26, false, true},
    {-1, "QLabel", 7, 284, 73, 11, true, true},
};

TEST_F(DialogTest, ControlsFollowTheTemplateInOrderPlacementAndState)
{
    Open();
    QWidget* window = afx::testing::WidgetOf(dlg.get());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), QSize(558, 491));
    EXPECT_EQ(window->windowTitle(), "Quorvel Calibration Tool");

    const std::vector<CWnd*> children = afx::testing::ChildrenInTemplateOrder(dlg.get());
    ASSERT_EQ(children.size(), 21u);
    for (size_t i = 0; i < children.size(); ++i) {
        const ControlRow& row = kRows[i];
        SCOPED_TRACE("template row " + std::to_string(i));
        QWidget* widget = afx::testing::WidgetOf(children[i]);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), row.qtClass);
        if (row.id != -1) {
            EXPECT_EQ(dlg->GetDlgItem(row.id), children[i]);
        }
        const int expectedHeight = row.id == IDC_DEVICE ? 21 : MulDiv(row.cy, 13, 8);
        EXPECT_EQ(widget->geometry(), QRect(MulDiv(row.x, 6, 4), MulDiv(row.y, 13, 8), MulDiv(row.cx, 6, 4), expectedHeight));
        EXPECT_EQ(children[i]->IsWindowVisible() != FALSE, row.visible);
        EXPECT_EQ(widget->isVisible(), row.visible);
        EXPECT_EQ(children[i]->IsWindowEnabled() != FALSE, row.enabled);
    }
    // Template texts that stay as they are.
    EXPECT_EQ(Text(IDC_APPLY), "Apply\r\nManual Calibration");
    EXPECT_EQ(qobject_cast<QPushButton*>(afx::testing::WidgetOf(Ctl(IDC_APPLY)))->text(), "Apply\nManual Calibration");
    EXPECT_EQ(Text(IDC_CLOSE), "Close");
    // The first tab stop, the device list, has the focus.
    EXPECT_TRUE(afx::testing::WidgetOf(Ctl(IDC_DEVICE))->hasFocus() ||
                QApplication::focusWidget() == nullptr);  // offscreen windows may not take focus
}

TEST_F(DialogTest, UntilTheFirstScanDeviceControlsAreEnabledAndWheelControlsHidden)
{
    AddWheel("w");
    Open();
    EXPECT_TRUE(Enabled(IDC_DEVICE));
    EXPECT_TRUE(Enabled(IDC_RESET));
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_FALSE(Visible(IDC_PEDAL_GROUP));
    EXPECT_FALSE(Visible(IDC_INCLUDE_PEDALS));
    EXPECT_FALSE(Visible(IDC_PEDAL_NOTE));
    EXPECT_FALSE(Checked(IDC_AUTOMATIC));
    EXPECT_FALSE(Checked(IDC_MANUAL));
    EXPECT_EQ(ComboCount(), 0);
}

TEST_F(DialogTest, FourTextsComeFromTheMessageStrings)
{
    Open();
    EXPECT_EQ(Text(IDC_INSTRUCTIONS), LxGetMLString(1000));
    EXPECT_EQ(Text(IDC_RESET_HINT), LxGetMLString(1001));
    EXPECT_EQ(Text(IDC_INCLUDE_PEDALS), LxGetMLString(1100));
    EXPECT_EQ(Text(IDC_PEDAL_NOTE), LxGetMLString(1101));
}

TEST_F(DialogTest, FourTextsReplaceTheTemplateWhateverTheMessagesHold)
{
    std::string instructions, hint, pedals, note;
    {
        TempFolder folder;
        // Empty texts for three messages and none at all for the fourth.
        folder.Write("msgs/en.msg", "1000=\n1001=\n1100=\n");
        ScopedEnv registry("QUORVEL_REGISTRY", folder.Write("registry.ini",
            "[HKEY_CURRENT_USER\\SOFTWARE\\Quorvel\\Quorvel Calibration Tool]\nmsgPath=msgs\n"));
        ASSERT_EQ(LxInitStrTools("SOFTWARE\\Quorvel\\Quorvel Calibration Tool", "msgPath"), 0);
        Open();
        instructions = Text(IDC_INSTRUCTIONS);
        hint = Text(IDC_RESET_HINT);
        pedals = Text(IDC_INCLUDE_PEDALS);
        note = Text(IDC_PEDAL_NOTE);
        Close();
    }
    ASSERT_EQ(LxInitStrTools("SOFTWARE\\Quorvel\\Quorvel Calibration Tool", "msgPath"), 0);
    EXPECT_EQ(instructions, "");
    EXPECT_EQ(hint, "");
    EXPECT_EQ(pedals, "");
    EXPECT_EQ(note, "");
}

TEST_F(DialogTest, StartsBothTimersAndDispatchesByTimerId)
{
    afx::testing::ClearTimersSet();
    Open();
    const auto& timers = afx::testing::TimersSet();
    ASSERT_EQ(timers.size(), 2u);
    EXPECT_EQ(timers[0].id, 1u);
    EXPECT_EQ(timers[0].elapse, 250u);
    EXPECT_EQ(timers[1].id, 2u);
    EXPECT_EQ(timers[1].elapse, 10u);
    EXPECT_EQ(afx::testing::TimerInterval(dlg.get(), 1), 250);
    EXPECT_EQ(afx::testing::TimerInterval(dlg.get(), 2), 10);

    AddPad("p");
    dlg->defaults.clear();
    const int enumerations = driver->enumerations;
    dlg->SendMessage(WM_TIMER, 3);
    EXPECT_EQ(driver->enumerations, enumerations);  // neither scan nor poll
    ASSERT_EQ(dlg->defaults.size(), 1u);
    EXPECT_EQ(dlg->defaults[0].message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(dlg->defaults[0].wParam, 3u);

    Scan();  // the scan enumerates, then the message still gets its default processing
    EXPECT_GT(driver->enumerations, enumerations);
    ASSERT_EQ(dlg->defaults.size(), 2u);
    EXPECT_EQ(dlg->defaults[1].wParam, 1u);

    const int reads = driver->stateReads;
    Poll();
    EXPECT_EQ(driver->stateReads, reads + 1);
    ASSERT_EQ(dlg->defaults.size(), 3u);
    EXPECT_EQ(dlg->defaults[2].wParam, 2u);
}

TEST_F(DialogTest, MinimisedPaintsOnlyTheIconCentredWithTruncation)
{
    Open();
    afx::testing::SetIconic(dlg.get(), true);
    struct Case {
        int width;
        int expectedX;
    };
    for (const Case c : {Case{36, 2}, Case{30, 0}, Case{33, 1}}) {
        afx::testing::ClearDrawIconCalls();
        afx::testing::SetClientSize(dlg.get(), c.width, c.width);
        dlg->defaults.clear();
        dlg->SendMessage(WM_PAINT);
        ASSERT_EQ(afx::testing::DrawIconCalls().size(), 1u) << c.width;
        EXPECT_EQ(afx::testing::DrawIconCalls()[0].x, c.expectedX) << c.width;
        EXPECT_EQ(afx::testing::DrawIconCalls()[0].y, c.expectedX) << c.width;
        EXPECT_EQ(afx::testing::DrawIconCalls()[0].icon, dlg->m_hIcon);
        // The background erase goes to the dialog itself, the paint itself gets no default.
        ASSERT_EQ(dlg->defaults.size(), 1u);
        EXPECT_EQ(dlg->defaults[0].message, static_cast<UINT>(WM_ICONERASEBKGND));
    }
    afx::testing::SetIconic(dlg.get(), false);
    afx::testing::ClearDrawIconCalls();
    dlg->SendMessage(WM_PAINT);
    EXPECT_TRUE(afx::testing::DrawIconCalls().empty());
}

TEST_F(DialogTest, DragIconIsTheApplicationIcon)
{
    Open();
    ASSERT_NE(dlg->m_hIcon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg->SendMessage(WM_QUERYDRAGICON)), dlg->m_hIcon);
    // Both window icons were set from it.
    EXPECT_FALSE(afx::testing::WidgetOf(dlg.get())->windowIcon().isNull());
}

TEST_F(DialogTest, TogglingThePedalOptionErasesTheBars)
{
    AddWheel("w");
    Open();
    Scan();
    Poll();
    ASSERT_GT(qAlpha(afx::testing::SurfaceOf(dlg.get()).pixel(31, 326)), 0) << "the wheel's bar is drawn";
    ClickAsUser(IDC_INCLUDE_PEDALS);
    EXPECT_TRUE(Checked(IDC_INCLUDE_PEDALS));
    const QImage surface = afx::testing::SurfaceOf(dlg.get());
    for (int y = 0; y < surface.height(); y += 7)
        for (int x = 0; x < surface.width(); x += 7)
            ASSERT_EQ(qAlpha(surface.pixel(x, y)), 0) << x << "," << y;
    Poll();  // the next poll draws every tracked bar again, pedals included
    EXPECT_GT(qAlpha(afx::testing::SurfaceOf(dlg.get()).pixel(31, 361)), 0);
}

// Every way of closing ends the modal loop as Cancel and releases both DirectInput objects.
class DialogEnding : public DialogTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DialogEnding, EndsAsCancelAndReleasesDirectInput)
{
    AddWheel("w");
    const std::string how = GetParam();
    afx::testing::SetModalLoopHook([&](CDialog* d) {
        auto* dialog = static_cast<TestDialog*>(d);
        dialog->SendMessage(WM_TIMER, kTimerDeviceScan);  // a controller is open
        ASSERT_NE(dialog->m_pDevice, nullptr);
        QWidget* window = afx::testing::WidgetOf(dialog);
        if (how == "close button")
            QTest::mouseClick(afx::testing::WidgetOf(dialog->GetDlgItem(IDC_CLOSE)), Qt::LeftButton);
        else if (how == "escape")
            QTest::keyClick(window, Qt::Key_Escape);
        else if (how == "close box")
            window->close();
        else if (how == "WM_CLOSE")
            dialog->PostMessage(WM_CLOSE);
    });
    dlg = std::make_unique<TestDialog>();
    EXPECT_EQ(dlg->DoModal(), IDCANCEL);
    afx::testing::SetModalLoopHook({});
    EXPECT_EQ(dlg->GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg->m_pDevice, nullptr);
    EXPECT_EQ(dlg->m_pDirectInput, nullptr);
    EXPECT_EQ(quorvel::drivers::LiveDirectInputObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, DialogEnding, ::testing::Values("close button", "escape", "close box", "WM_CLOSE"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == ' ')
                                     c = '_';
                             return name;
                         });

TEST_F(DialogTest, EnterWithoutAFocusedButtonEndsAsOk)
{
    afx::testing::SetModalLoopHook([](CDialog* d) {
        QWidget* combo = afx::testing::WidgetOf(d->GetDlgItem(IDC_DEVICE));
        QTest::keyClick(combo, Qt::Key_Return);
    });
    dlg = std::make_unique<TestDialog>();
    EXPECT_EQ(dlg->DoModal(), IDOK);
    afx::testing::SetModalLoopHook({});
}

}  // namespace
