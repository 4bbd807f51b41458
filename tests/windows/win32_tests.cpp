// The framework's Win32 side with real windows and real GDI: the same pixel rules and the
// same dialog the Linux suite checks against its own implementation.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CalibrationDlg.h"

namespace {

// Runs the window system's queue until it is empty.
void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::string Picture(HDC dc, int width, int height)
{
    std::string rows;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF p = GetPixel(dc, x, y);
            rows += p == RGB(255, 255, 255) ? '.' : p == RGB(0, 0, 0) ? '#' : p == RGB(255, 0, 0) ? 'r' : '?';
        }
        rows += '\n';
    }
    return rows;
}

TEST(RealGdi, RectanglesFollowThePenRules)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CDC screen;
    screen.m_hDC = GetDC(nullptr);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 8, 6));
    ReleaseDC(nullptr, screen.m_hDC);
    screen.m_hDC = nullptr;
    CBitmap* oldBitmap = dc.SelectObject(&bitmap);
    CBrush white, red;
    white.CreateSolidBrush(RGB(255, 255, 255));
    red.CreateSolidBrush(RGB(255, 0, 0));
    CPen none, black;
    none.CreatePen(PS_NULL, 0, 0);
    black.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&none);
    CBrush* oldBrush = dc.SelectObject(&white);
    dc.Rectangle(0, 0, 9, 7);
    dc.SelectObject(&red);
    dc.Rectangle(1, 1, 6, 5);  // null pen: one pixel narrower and shorter
    EXPECT_EQ(Picture(dc.m_hDC, 8, 6),
              "........\n"
              ".rrrr...\n"
              ".rrrr...\n"
              ".rrrr...\n"
              "........\n"
              "........\n");
    dc.SelectObject(&white);
    dc.Rectangle(0, 0, 9, 7);
    dc.SelectObject(&black);
    dc.SelectObject(&red);
    dc.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Picture(dc.m_hDC, 8, 6),
              "........\n"
              ".#####..\n"
              ".#rrr#..\n"
              ".#rrr#..\n"
              ".#####..\n"
              "........\n");
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldBitmap);
}

class Dialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Create(IDD_CALIBRATION));
        Pump();
    }
    void TearDown() override
    {
        if (dlg.GetSafeHwnd())
            dlg.DestroyWindow();
        Pump();
    }
    std::string ClassOf(int id)
    {
        char name[64] = {};
        GetClassNameA(::GetDlgItem(dlg.GetSafeHwnd(), id), name, sizeof name);
        return name;
    }
    std::string Text(int id)
    {
        CString text;
        dlg.GetDlgItem(id)->GetWindowText(text);
        return static_cast<LPCTSTR>(text);
    }
    CCalibrationDlg dlg;
};

TEST_F(Dialog, HasTheTemplatesControlsAndTheMessageTexts)
{
    int controls = 0;
    for (HWND child = GetWindow(dlg.GetSafeHwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++controls;
    EXPECT_EQ(controls, 21);
    EXPECT_EQ(ClassOf(IDC_DEVICE), "ComboBox");
    EXPECT_EQ(ClassOf(IDC_APPLY), "Button");
    EXPECT_EQ(ClassOf(IDC_INSTRUCTIONS), "Static");
    EXPECT_FALSE(dlg.GetDlgItem(IDC_INCLUDE_PEDALS)->IsWindowVisible());
    EXPECT_FALSE(dlg.GetDlgItem(IDC_MANUAL)->IsWindowEnabled());
    EXPECT_EQ(Text(IDC_INSTRUCTIONS), LxGetMLString(1000));
    EXPECT_EQ(Text(IDC_RESET_HINT), LxGetMLString(1001));
    EXPECT_EQ(Text(IDC_INCLUDE_PEDALS), LxGetMLString(1100));
    EXPECT_EQ(Text(IDC_PEDAL_NOTE), LxGetMLString(1101));
    EXPECT_EQ(Text(IDC_APPLY), "Apply\r\nManual Calibration");
    char title[260];
    dlg.GetWindowText(title, sizeof title);
    EXPECT_STREQ(title, "Quorvel Calibration Tool");
    RECT client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.right, 558) << "372 dialog units of 6/4 pixels";
    EXPECT_NE(dlg.m_pDirectInput, nullptr);
}

TEST_F(Dialog, DrawsTheBarWithRealGdi)
{
    // Nothing else paints while the test reads the window back.
    dlg.KillTimer(kTimerPoll);
    dlg.KillTimer(kTimerDeviceScan);
    dlg.DrawAxisBar(30, 325, "", 128, 0x2080E0, 0x3090F0);
    HDC dc = GetDC(dlg.GetSafeHwnd());
    auto at = [&](int x, int y) { return GetPixel(dc, 30 + x, 325 + y); };
    EXPECT_EQ(at(0, 10), RGB(0, 0, 0));
    EXPECT_EQ(at(99, 10), RGB(0, 0, 0)) << "the filled part's edge at right - 1";
    EXPECT_EQ(at(50, 10), 0x3090F0u);
    EXPECT_EQ(at(150, 10), 0x2080E0u);
    EXPECT_EQ(at(50, 2), 0x60C0FFu);
    EXPECT_EQ(at(150, 2), 0x50B0FFu);
    EXPECT_EQ(at(50, 25), 0x0060C0u);
    EXPECT_EQ(at(150, 25), 0x0050B0u);
    EXPECT_EQ(at(199, 27), RGB(0, 0, 0));
    ReleaseDC(dlg.GetSafeHwnd(), dc);
}

TEST_F(Dialog, CloseEndsTheDialogAndReleasesDirectInput)
{
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CLOSE, BN_CLICKED), 0);
    Pump();
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.m_pDirectInput, nullptr);
    EXPECT_EQ(dlg.m_pDevice, nullptr);
}

TEST_F(Dialog, DragIconIsTheApplicationIconFromTheResources)
{
    EXPECT_NE(dlg.m_hIcon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), dlg.m_hIcon);
}

}  // namespace
