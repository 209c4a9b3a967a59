// The bar's faces as the screen shows them, and a real click on a button.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "panekit/PaneKit.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const COLORREF WHITE = RGB(255, 255, 255), BLACK = RGB(0, 0, 0), DARK = RGB(128, 128, 128);

COLORREF ScreenPixel(int x, int y)
{
    HDC hDC = GetDC(nullptr);
    COLORREF cr = GetPixel(hDC, x, y);
    ReleaseDC(nullptr, hDC);
    return cr;
}

// Pixels of a bitmap of the program's resources.
class ResourceBitmap {
public:
    explicit ResourceBitmap(UINT nID)
        : m_hBitmap((HBITMAP)LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nID), IMAGE_BITMAP, 0, 0,
                                        LR_CREATEDIBSECTION)),
          m_hDC(CreateCompatibleDC(nullptr)), m_hOld(SelectObject(m_hDC, m_hBitmap))
    {
        BITMAP bm = {};
        GetObjectA(m_hBitmap, sizeof bm, &bm);
        m_size = { bm.bmWidth, bm.bmHeight };
    }
    ~ResourceBitmap()
    {
        SelectObject(m_hDC, m_hOld);
        DeleteDC(m_hDC);
        DeleteObject(m_hBitmap);
    }
    COLORREF Pixel(int x, int y) const { return GetPixel(m_hDC, x, y); }
    SIZE m_size;

private:
    HBITMAP m_hBitmap;
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

std::string Hex(COLORREF cr)
{
    char sz[16];
    wsprintfA(sz, "#%02x%02x%02x", GetRValue(cr), GetGValue(cr), GetBValue(cr));
    return sz;
}

#define EXPECT_PIXEL(expected, x, y) \
    EXPECT_EQ(Hex(expected), Hex(ScreenPixel(x, y))) << "at " << (x) << "," << (y)

void Settle(CControllerDlg& bar)
{
    bar.Invalidate(TRUE);
    bar.UpdateWindow();
    PumpFor(200);
}

class BarFaces : public ::testing::Test {
protected:
    void SetUp() override { DeleteSuiteKeys(); }
    void TearDown() override { DeleteSuiteKeys(); }
    FakeAppBarShell m_shell;
};

} // namespace

TEST_F(BarFaces, HorizontalBarHasItsBorderSeparatorsAndNamePlate)
{
    BarPtr pBar = StartBar();
    pBar->SetDockState(ABE_TOP);
    Settle(*pBar);
    const int W = GetSystemMetrics(SM_CXSCREEN), H = 32, w = W - 1, h = H - 1;

    EXPECT_PIXEL(WHITE, 1, 15);
    EXPECT_PIXEL(WHITE, 500, 1);
    EXPECT_PIXEL(BLACK, 500, h);
    EXPECT_PIXEL(BLACK, w, 15);
    EXPECT_PIXEL(DARK, 500, h - 1);
    EXPECT_PIXEL(DARK, w - 1, 15);
    for (int s : { 76, 148, 283 }) {
        EXPECT_PIXEL(DARK, s, 5);
        EXPECT_PIXEL(DARK, s, 26);
        EXPECT_PIXEL(WHITE, s + 1, 16);
    }

    ResourceBitmap plate(BITMAP_PLATE_HORZ);
    int x0 = W - plate.m_size.cx - 8, y0 = (H - plate.m_size.cy) / 2;
    for (POINT pt : { POINT{ 0, 0 }, POINT{ 20, 7 }, POINT{ 40, 5 }, POINT{ 77, 14 } })
        EXPECT_PIXEL(plate.Pixel(pt.x, pt.y), x0 + pt.x, y0 + pt.y);
}

TEST_F(BarFaces, VerticalBarHasItsBorderSeparatorsAndNamePlate)
{
    BarPtr pBar = StartBar();
    pBar->SetDockState(ABE_LEFT);
    Settle(*pBar);
    const int W = 32, H = GetSystemMetrics(SM_CYSCREEN), h = H - 1;

    EXPECT_PIXEL(WHITE, 15, 1);
    EXPECT_PIXEL(WHITE, 1, 400);
    EXPECT_PIXEL(BLACK, 15, h);
    EXPECT_PIXEL(BLACK, W - 1, 400);
    EXPECT_PIXEL(DARK, W - 2, 400);
    for (int s : { 76, 148, 283 }) {
        EXPECT_PIXEL(DARK, 5, s);
        EXPECT_PIXEL(DARK, 26, s);
        EXPECT_PIXEL(WHITE, 16, s + 1);
    }

    ResourceBitmap plate(BITMAP_PLATE_VERT);
    int x0 = (W - plate.m_size.cx) / 2, y0 = H - plate.m_size.cy - 8;
    for (POINT pt : { POINT{ 0, 0 }, POINT{ 7, 20 }, POINT{ 5, 40 }, POINT{ 14, 77 } })
        EXPECT_PIXEL(plate.Pixel(pt.x, pt.y), x0 + pt.x, y0 + pt.y);
}

TEST_F(BarFaces, FloatingFaceIsTheBitmapUnscaledWithoutLines)
{
    BarPtr pBar = StartBar();
    Settle(*pBar);
    CRect rc;
    pBar->GetWindowRect(&rc);
    ResourceBitmap face(BITMAP_FACE_FLOAT);
    ASSERT_EQ(408, face.m_size.cx);
    // Points clear of the controls, including where a docked bar has its border and grooves.
    for (POINT pt : { POINT{ 0, 0 }, POINT{ 1, 1 }, POINT{ 407, 44 }, POINT{ 406, 43 }, POINT{ 200, 40 },
                      POINT{ 76, 8 }, POINT{ 148, 8 }, POINT{ 380, 10 }, POINT{ 60, 2 }, POINT{ 300, 42 } })
        EXPECT_PIXEL(face.Pixel(pt.x, pt.y), rc.left + pt.x, rc.top + pt.y);
}

TEST_F(BarFaces, ARealClickOnTheMinimiseButtonMinimisesTheFloatingBar)
{
    BarPtr pBar = StartBar();
    Settle(*pBar);
    CRect rc;
    pBar->GetWindowRect(&rc);
    int x = rc.left + 296 + 12, y = rc.top + 13 + 10;

    // Pressed on the button but released elsewhere: no command.
    Xdotool("mousemove %d %d mousedown 1 mousemove %d %d mouseup 1", x, y, x, y + 80);
    ASSERT_TRUE(WaitForMouse(x, y + 80));
    PumpFor(500);
    EXPECT_FALSE(pBar->IsIconic());

    Xdotool("mousemove %d %d click 1", x, y);
    EXPECT_TRUE(PumpUntil([&] { return pBar->IsIconic() != FALSE; }, 5000));
    pBar->ShowWindow(SW_RESTORE);
}
