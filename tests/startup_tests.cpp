// Start-up: the message strings decide between the error box and the dialog.
#include <gtest/gtest.h>

#include "Calibration.h"
#include "DirectInputStandIn.h"
#include "TempFolder.h"
#include "testing/FrameworkTesting.h"

using testsupport::ScopedEnv;
using testsupport::TempFolder;

namespace {

class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        afx::testing::SetMessageBoxHandler([this](const afx::testing::MessageBoxCall& call) {
            boxes.push_back(call);
            return IDOK;
        });
        afx::testing::SetTopLevelCreatedHook([this](CDialog* dialog) { dialogs.push_back(dialog); });
    }
    void TearDown() override
    {
        afx::testing::SetMessageBoxHandler({});
        afx::testing::SetTopLevelCreatedHook({});
        afx::testing::SetModalLoopHook({});
        LxInitStrTools("SOFTWARE\\Quorvel\\Quorvel Calibration Tool", "msgPath");
    }

    std::vector<afx::testing::MessageBoxCall> boxes;
    std::vector<CDialog*> dialogs;
};

TEST_F(StartUp, WithoutMessageStringsShowsOnlyTheErrorBox)
{
    TempFolder folder;
    ScopedEnv registry("QUORVEL_REGISTRY", folder.Path("missing-registry.ini"));

    EXPECT_FALSE(theApp.InitInstance());

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Calibration Tool: Error loading MSG files.");
    EXPECT_EQ(boxes[0].caption, "Quorvel Calibration Tool");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(quorvel::drivers::LiveDirectInputObjects(), 0);
}

TEST_F(StartUp, RunsTheDialogModallyAndEndsWhenItCloses)
{
    afx::testing::SetModalLoopHook([](CDialog* dialog) { dialog->PostMessage(WM_CLOSE); });

    EXPECT_FALSE(theApp.InitInstance());

    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dialogs.size(), 1u);  // the dialog object itself is gone with InitInstance
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_STREQ(theApp.m_registryKey, "Quorvel Calibration Tool");
    EXPECT_EQ(quorvel::drivers::LiveDirectInputObjects(), 0);
}

TEST(ApplicationMessageMap, RoutesHelpToTheDefaultHandler)
{
    EXPECT_TRUE(theApp.OnCmdMsg(ID_HELP, 0));
    EXPECT_FALSE(theApp.OnCmdMsg(ID_HELP + 1, 0));
}

}  // namespace
