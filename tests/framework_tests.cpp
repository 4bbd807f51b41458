// The framework's Win32 semantics that the program relies on.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>

#include "afxres.h"
#include "afxwin.h"
#include "testing/FrameworkTesting.h"

namespace {

TEST(MulDiv, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(7, 6, 4), 11);    // 10.5
    EXPECT_EQ(MulDiv(-7, 6, 4), -11);  // -10.5
    EXPECT_EQ(MulDiv(5, 13, 8), 8);    // 8.125
    EXPECT_EQ(MulDiv(3, 13, 8), 5);    // 4.875
    EXPECT_EQ(MulDiv(372, 6, 4), 558);
    EXPECT_EQ(MulDiv(302, 13, 8), 491);  // 490.75
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

// Paints a bitmap white, runs one drawing step and returns the image.
template <typename Draw>
QImage DrawOn(int width, int height, Draw draw)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    CBitmap* old = dc.SelectObject(&bitmap);
    CPen none;
    none.CreatePen(PS_NULL, 0, 0);
    CBrush white;
    white.CreateSolidBrush(RGB(255, 255, 255));
    CPen* oldPen = dc.SelectObject(&none);
    CBrush* oldBrush = dc.SelectObject(&white);
    dc.Rectangle(0, 0, width + 1, height + 1);
    draw(dc);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    QImage image = afx::testing::BitmapImage(bitmap);
    dc.SelectObject(old);
    return image;
}

std::string Picture(const QImage& image)
{
    // One character a pixel: '.' white, '#' black, 'r' red, '?' anything else.
    std::string rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y) & 0xFFFFFF;
            rows += p == 0xFFFFFF ? '.' : p == 0 ? '#' : p == 0xFF0000 ? 'r' : '?';
        }
        rows += '\n';
    }
    return rows;
}

// Draws red rectangles with a black one-pixel pen, or with the null pen, on a white bitmap.
QImage RedRectangles(int width, int height, int penStyle, std::initializer_list<RECT> rects)
{
    return DrawOn(width, height, [&](CDC& dc) {
        CPen pen;
        pen.CreatePen(penStyle, penStyle == PS_NULL ? 0 : 1, RGB(0, 0, 0));
        CBrush red;
        red.CreateSolidBrush(RGB(255, 0, 0));
        CPen* p = dc.SelectObject(&pen);
        CBrush* b = dc.SelectObject(&red);
        for (const RECT& r : rects)
            dc.Rectangle(r.left, r.top, r.right, r.bottom);
        dc.SelectObject(p);
        dc.SelectObject(b);
    });
}

TEST(Rectangle, WithPenOutlinesUpToRightMinusOneAndFillsInside)
{
    EXPECT_EQ(Picture(RedRectangles(8, 6, PS_SOLID, {{1, 1, 6, 5}})),
              "........\n"
              ".#####..\n"
              ".#rrr#..\n"
              ".#rrr#..\n"
              ".#####..\n"
              "........\n");
}

TEST(Rectangle, WithNullPenFillsOnePixelNarrowerAndShorter)
{
    EXPECT_EQ(Picture(RedRectangles(8, 6, PS_NULL, {{1, 1, 6, 5}})),
              "........\n"
              ".rrrr...\n"
              ".rrrr...\n"
              ".rrrr...\n"
              "........\n"
              "........\n");
}

TEST(Rectangle, ClipsToItsBitmapAndDrawsNothingWhenEmpty)
{
    // No width: nothing. Far outside: only its bottom edge (row 1) and inside (row 0) show.
    EXPECT_EQ(Picture(RedRectangles(4, 3, PS_SOLID, {{2, 0, 2, 3}, {-10, -10, 100, 2}})),
              "rrrr\n"
              "####\n"
              "....\n");
}

TEST(GdiObjects, AreCountedUntilDeleted)
{
    const int before = afx::testing::LiveGdiObjects();
    {
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, 0);
        CBrush brush;
        brush.CreateSolidBrush(0);
        EXPECT_EQ(afx::testing::LiveGdiObjects(), before + 2);
        brush.DeleteObject();
        EXPECT_EQ(afx::testing::LiveGdiObjects(), before + 1);
    }
    EXPECT_EQ(afx::testing::LiveGdiObjects(), before);
}

// ------------------------------------------------------------ a small dialog of the test's own

const int kTestDialogId = 901;
const int kButtonId = 1;
const DialogItemTemplate kItems[] = {
    {kButtonId, DLG_CLASS_BUTTON, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 10, 10, 50, 14, "Go"},
};
const DialogTemplate kTemplate = {kTestDialogId, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 0, 100, 60,
                                  "Test", "MS Shell Dlg", 8, 0, 0, 0, kItems, 1};
const afx::ResourceRegistration kRegister(&kTemplate);

// Opens a message box from its own timer handler, as the Reset question does.
class NestingDialog : public CDialog {
public:
    NestingDialog() : CDialog(kTestDialogId) {}
    std::vector<UINT_PTR> ticks;
    int depth = 0;
    int deepestTick = 0;

    afx_msg void OnTimer(UINT_PTR id)
    {
        ticks.push_back(id);
        deepestTick = std::max(deepestTick, depth);
        if (id == 5 && depth == 0) {
            ++depth;
            MessageBox("question", "caption", MB_YESNO);
            --depth;
        }
        CDialog::OnTimer(id);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NestingDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Timers, KeepFiringWhileATimerHandlerWaitsInAMessageBox)
{
    NestingDialog dialog;
    ASSERT_TRUE(dialog.Create(kTestDialogId));
    dialog.SetTimer(5, 250, nullptr);
    dialog.SetTimer(6, 10, nullptr);
    afx::testing::SetMessageBoxHandler([&](const afx::testing::MessageBoxCall&) {
        // While the box is open both timers elapse, the box's own timer included; their
        // ticks must reach the dialog through the nested loop.
        afx::testing::FireTimer(&dialog, 6);
        afx::testing::FireTimer(&dialog, 5);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return IDNO;
    });
    afx::testing::FireTimer(&dialog, 5);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    afx::testing::SetMessageBoxHandler({});
    EXPECT_EQ(dialog.ticks, (std::vector<UINT_PTR>{5, 6, 5}));
    EXPECT_EQ(dialog.deepestTick, 1);
    dialog.DestroyWindow();
}

TEST(Timers, CoalesceATickThatIsStillPending)
{
    NestingDialog dialog;
    ASSERT_TRUE(dialog.Create(kTestDialogId));
    dialog.SetTimer(6, 10, nullptr);
    afx::testing::FireTimer(&dialog, 6);
    afx::testing::FireTimer(&dialog, 6);
    afx::testing::FireTimer(&dialog, 6);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    EXPECT_EQ(dialog.ticks, (std::vector<UINT_PTR>{6}));
    dialog.DestroyWindow();
}

TEST(Timers, EndWithTheWindow)
{
    NestingDialog dialog;
    ASSERT_TRUE(dialog.Create(kTestDialogId));
    dialog.SetTimer(6, 10, nullptr);
    afx::testing::FireTimer(&dialog, 6);
    dialog.DestroyWindow();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    EXPECT_TRUE(dialog.ticks.empty());
}

}  // namespace
