// A calibration dialog on fake controllers and a test-driven clock: timer ticks are
// delivered as messages, message boxes are answered by the test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CalibrationDlg.h"
#include "FakeControllerDriver.h"
#include "clock.h"

namespace testsupport {

// The dialog with its default window processing recorded.
class TestDialog : public CCalibrationDlg {
public:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        defaults.push_back({message, wParam});
        return CCalibrationDlg::DefWindowProc(message, wParam, lParam);
    }
    struct Default {
        UINT message;
        WPARAM wParam;
    };
    std::vector<Default> defaults;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the dialog window and runs OnInitDialog.
    void Open();
    void Close();
    void Scan() { dlg->SendMessage(WM_TIMER, kTimerDeviceScan); }
    void Poll() { dlg->SendMessage(WM_TIMER, kTimerPoll); }
    void Command(int id, UINT code = BN_CLICKED) { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, code), 0); }
    // A real mouse click on the control, as a person makes it.
    void ClickAsUser(int id);
    // A real key press in the combo box that moves its selection to `index`.
    void SelectAsUser(int index);

    CWnd* Ctl(int id) const { return dlg->GetDlgItem(id); }
    bool Enabled(int id) const { return Ctl(id)->IsWindowEnabled() != FALSE; }
    bool Visible(int id) const { return Ctl(id)->IsWindowVisible() != FALSE; }
    bool Checked(int id) const { return Ctl(id)->SendMessage(BM_GETCHECK) == BST_CHECKED; }
    int ComboCount() const { return static_cast<int>(Ctl(IDC_DEVICE)->SendMessage(CB_GETCOUNT)); }
    int ComboSel() const { return static_cast<int>(Ctl(IDC_DEVICE)->SendMessage(CB_GETCURSEL)); }
    std::string ComboText(int index) const;
    std::string Text(int id) const;
    std::vector<std::string> ComboTexts() const;

    // Adds a supported wheel (X wheel, Y/Z/Rz pedals) or gamepad with automatic calibration.
    FakeController& AddWheel(const std::string& key, std::u16string name = u"Wheel");
    FakeController& AddPad(const std::string& key, std::u16string name = u"Pad");

    std::shared_ptr<FakeControllerDriver> driver;
    std::unique_ptr<quorvel::ManualClock> clock;
    std::unique_ptr<TestDialog> dlg;
};

}  // namespace testsupport
