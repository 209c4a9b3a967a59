// Dragging the bar with the real mouse, its feet, and the modules it carries.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "MenuInspector.h"
#include "TestUtil.h"
#include "controller/Leg.h"
#include "res/resource.h"
#include <gtest/gtest.h>

namespace {

const int SCREEN_CX = GetSystemMetrics(SM_CXSCREEN);
const int SCREEN_CY = GetSystemMetrics(SM_CYSCREEN);

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

bool ButtonDown()
{
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

class BarMouse : public ::testing::Test {
protected:
    void SetUp() override { DeleteSuiteKeys(); }
    void TearDown() override
    {
        Xdotool("keyup ctrl");
        PumpFor(100);
        Xdotool("mouseup 1 mousemove 5 5");
        PumpFor(200);
        m_pBar.reset();
        for (HWND hWnd : m_modules)
            DestroyWindow(hWnd);
        DeleteSuiteKeys();
    }

    void Start(int nEdge)
    {
        SetControllerInt("State", nEdge);
        m_pBar = StartBar();
        SetForegroundWindow(m_pBar->m_hWnd);
        PumpFor(100);
    }
    void AttachModules(int nCount)
    {
        static const char* s_apszTitles[] = { "Tymp Studio WavePlayer", "Tymp Studio CDPlayer" };
        for (int i = 0; i < nCount; i++) {
            HWND hWnd = CreateModuleWindow(s_apszTitles[i], 500);
            m_modules.push_back(hWnd);
            SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, LOWORD((UINT_PTR)hWnd), MODMSG_ATTACH);
        }
    }
    // Presses the left button at from and moves to to, in steps, holding it.
    void DragTo(POINT from, POINT to)
    {
        Xdotool("mousemove %d %d mousedown 1", from.x, from.y);
        ASSERT_TRUE(PumpUntil([] { return ButtonDown(); }));
        PumpFor(100);
        for (int i = 1; i <= 4; i++) {
            int x = from.x + (to.x - from.x) * i / 4, y = from.y + (to.y - from.y) * i / 4;
            Xdotool("mousemove %d %d", x, y);
            ASSERT_TRUE(PumpUntil([=] { POINT pt; GetCursorPos(&pt); return pt.x == x && pt.y == y; }));
            PumpFor(60);
        }
    }
    void Release(POINT pt)
    {
        Xdotool("mouseup 1");
        ASSERT_TRUE(WaitForMouse(pt.x, pt.y));
        PumpFor(300);
    }
    CLeg* Leg(int i) const { return m_pBar->m_pLeg[i]; }

    FakeAppBarShell m_shell;
    FakeDevices m_devices{ 0, 0 };
    BarPtr m_pBar;
    std::vector<HWND> m_modules;
};

} // namespace

TEST_F(BarMouse, DraggingADockedBarToTheMiddleFloatsItWithItsStack)
{
    Start(ABE_BOTTOM);
    AttachModules(2);
    POINT from = { 600, SCREEN_CY - 16 }, to = { 500, 300 };
    DragTo(from, to);
    // The outline hangs from the cursor: 408 wide, as tall as the bar and its two modules.
    EXPECT_EQ(CRect(296, 300, 704, 300 + 50 + 2 * 97), CRect(m_pBar->m_rcFocus));
    EXPECT_EQ(ABE_BOTTOM, m_pBar->m_nSavedEdge) << "nothing moves before the release";
    Release(to);

    EXPECT_EQ(DBE_FLOAT, m_pBar->m_nSavedEdge);
    EXPECT_EQ(CRect(296, 297, 704, 342), WindowRect(m_pBar->m_hWnd));
    EXPECT_TRUE(IsRectEmpty(&m_pBar->m_rcFocus));
    for (int i = 0; i < 2; i++) {
        ASSERT_NE(nullptr, Leg(i));
        EXPECT_TRUE(IsWindowVisible(Leg(i)->m_hWnd));
        EXPECT_EQ(CRect(296 + (i ? 368 : 19), 340, 296 + (i ? 368 : 19) + 24, 340 + 11), WindowRect(Leg(i)->m_hWnd));
    }
    EXPECT_EQ(CPoint(296, 342 + 5), CPoint(WindowRect(m_modules[0]).left, WindowRect(m_modules[0]).top));
    EXPECT_EQ(CPoint(296, 342 + 5 + 97), CPoint(WindowRect(m_modules[1]).left, WindowRect(m_modules[1]).top));
}

TEST_F(BarMouse, DraggingAFloatingBarMovesItAndItsStack)
{
    Start(DBE_FLOAT);
    AttachModules(1);
    CRect rcStart = WindowRect(m_pBar->m_hWnd);
    POINT from = { rcStart.left + 395, rcStart.top + 30 }, to = { from.x + 100, from.y + 60 };
    DragTo(from, to);
    CRect rcGroup(rcStart.left, rcStart.top, rcStart.right, rcStart.top + 50 + 97);
    rcGroup.OffsetRect(100, 60);
    EXPECT_EQ(rcGroup, CRect(m_pBar->m_rcFocus));
    Release(to);

    CRect rcEnd = rcStart;
    rcEnd.OffsetRect(100, 60);
    EXPECT_EQ(rcEnd, WindowRect(m_pBar->m_hWnd));
    EXPECT_EQ(rcEnd, CRect(m_pBar->m_rcFloat)) << "the floating position is remembered";
    EXPECT_EQ(rcEnd.left + 19, WindowRect(Leg(0)->m_hWnd).left) << "the feet come along";
    EXPECT_EQ(rcEnd.bottom + 5, WindowRect(m_modules[0]).top);
}

TEST_F(BarMouse, ReleasingNearAnEdgeDocksThere)
{
    Start(DBE_FLOAT);
    CRect rc = WindowRect(m_pBar->m_hWnd);
    POINT from = { rc.left + 395, rc.top + 30 };
    DragTo(from, { SCREEN_CX / 2, 2 });
    EXPECT_EQ(CRect(0, 0, SCREEN_CX, 32), CRect(m_pBar->m_rcFocus));
    Release({ SCREEN_CX / 2, 2 });
    EXPECT_EQ(ABE_TOP, m_pBar->m_nSavedEdge);
    EXPECT_EQ(CRect(0, 0, SCREEN_CX, 32), WindowRect(m_pBar->m_hWnd));
    EXPECT_FALSE(IsWindowVisible(Leg(0)->m_hWnd));
    EXPECT_FALSE(IsWindowVisible(Leg(1)->m_hWnd));

    // Released on its own edge, it docks there again.
    int nSetPos = m_shell.Count(ABM_SETPOS);
    DragTo({ 600, 16 }, { 700, 3 });
    Release({ 700, 3 });
    EXPECT_EQ(ABE_TOP, m_pBar->m_nSavedEdge);
    EXPECT_LT(nSetPos, m_shell.Count(ABM_SETPOS));

    DragTo({ 600, 16 }, { 3, SCREEN_CY / 2 });
    Release({ 3, SCREEN_CY / 2 });
    EXPECT_EQ(ABE_LEFT, m_pBar->m_nSavedEdge);
    EXPECT_EQ(CRect(0, 0, 32, SCREEN_CY), WindowRect(m_pBar->m_hWnd));
}

TEST_F(BarMouse, AClickWithoutMovementNeitherDocksNorMoves)
{
    Start(DBE_FLOAT);
    SetWindowPos(m_pBar->m_hWnd, nullptr, 300, 3, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CRect rc = WindowRect(m_pBar->m_hWnd);
    Xdotool("mousemove %d %d click 1", rc.left + 395, rc.top + 2);     // inside the top docking band
    ASSERT_TRUE(WaitForMouse(rc.left + 395, rc.top + 2));
    PumpFor(300);
    EXPECT_EQ(DBE_FLOAT, m_pBar->m_nSavedEdge);
    EXPECT_EQ(rc, WindowRect(m_pBar->m_hWnd));
}

TEST_F(BarMouse, TheRightButtonOpensTheMenuExceptDuringADrag)
{
    Start(DBE_FLOAT);
    CRect rc = WindowRect(m_pBar->m_hWnd);
    int x = rc.left + 395, y = rc.top + 30;
    MenuSnapshot menu = InspectMenu([&] {
        Xdotool("mousemove %d %d click 3", x, y);
        PumpUntil([] { return false; }, 1500);
    });
    EXPECT_TRUE(menu.bShown) << "a right click on the background";

    menu = InspectMenu([&] {
        Xdotool("mousemove %d %d mousedown 1 click 3 mouseup 1", x, y);
        WaitForMouse(x, y);
        PumpFor(800);
    });
    EXPECT_FALSE(menu.bShown) << "a right release during a left drag";
    EXPECT_EQ(rc, WindowRect(m_pBar->m_hWnd));
}

TEST_F(BarMouse, AControlDragFromAnEdgeFloatsTheBarAtTheCursor)
{
    Start(ABE_BOTTOM);
    // With Ctrl held the moves are not tracked; the release alone decides.
    Xdotool("keydown ctrl");
    ASSERT_TRUE(PumpUntil([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }));
    DragTo({ 600, SCREEN_CY - 16 }, { 520, 400 });
    Release({ 520, 400 });
    Xdotool("keyup ctrl");
    ASSERT_TRUE(PumpUntil([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0; }));
    EXPECT_EQ(DBE_FLOAT, m_pBar->m_nSavedEdge);
    EXPECT_EQ(CRect(520 - 204, 397, 520 + 204, 442), WindowRect(m_pBar->m_hWnd));
}

TEST_F(BarMouse, TheFeetShowOnlyTheirPictureAndStayBehindTheBar)
{
    Start(DBE_FLOAT);
    CLeg* pLeg = Leg(0);
    ASSERT_NE(nullptr, pLeg);
    HWND hLeg = pLeg->m_hWnd;
    EXPECT_EQ(m_pBar->m_hWnd, GetWindow(hLeg, GW_OWNER));

    // The window region is the 19 x 5 picture without its corners.
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(hLeg, hRgn));
    RECT rcBox;
    GetRgnBox(hRgn, &rcBox);
    EXPECT_EQ(CRect(2, 2, 21, 7), CRect(rcBox));
    EXPECT_FALSE(PtInRegion(hRgn, 2, 2));
    EXPECT_FALSE(PtInRegion(hRgn, 20, 6));
    EXPECT_TRUE(PtInRegion(hRgn, 3, 2));
    EXPECT_TRUE(PtInRegion(hRgn, 11, 4));
    EXPECT_FALSE(PtInRegion(hRgn, 0, 0));
    DeleteObject(hRgn);

    // On screen, inside the shape is the leg's picture.
    HBITMAP hBitmap = (HBITMAP)LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(BITMAP_LEG), IMAGE_BITMAP, 0, 0,
                                          LR_CREATEDIBSECTION);
    HDC hMemDC = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
    HDC hScreen = GetDC(nullptr);
    CRect rc = WindowRect(hLeg);
    for (POINT pt : { POINT{ 9, 2 }, POINT{ 1, 1 }, POINT{ 15, 3 } })
        EXPECT_EQ(GetPixel(hMemDC, pt.x, pt.y), GetPixel(hScreen, rc.left + 2 + pt.x, rc.top + 2 + pt.y));
    ReleaseDC(nullptr, hScreen);
    SelectObject(hMemDC, hOld);
    DeleteDC(hMemDC);
    DeleteObject(hBitmap);

    // A click on a foot does not lift it: an owned window always stays above
    // its owner, so the foot stays in the bar's group, next to the bar.
    Xdotool("mousemove %d %d click 1", rc.left + 11, rc.top + 4);
    ASSERT_TRUE(WaitForMouse(rc.left + 11, rc.top + 4));
    PumpFor(300);
    HWND hBelow = GetWindow(hLeg, GW_HWNDNEXT);
    while (hBelow && hBelow != m_pBar->m_hWnd && GetWindow(hBelow, GW_OWNER) == m_pBar->m_hWnd)
        hBelow = GetWindow(hBelow, GW_HWNDNEXT);
    EXPECT_EQ(m_pBar->m_hWnd, hBelow) << "nothing but the bar's own windows between the foot and the bar";
    SendMessageA(hLeg, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpFor(50);
    EXPECT_TRUE(IsWindow(hLeg));

    // Minimised, the feet go; restored, they come back.
    m_pBar->ShowWindow(SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(hLeg));
    m_pBar->ShowWindow(SW_RESTORE);
    EXPECT_TRUE(IsWindowVisible(hLeg));
}

TEST_F(BarMouse, ActivationPutsTheModulesRightBehindTheBar)
{
    Start(ABE_TOP);
    AttachModules(2);
    HWND hOther = CreateModuleWindow("Some other program", 300);
    m_modules.push_back(hOther);
    SetForegroundWindow(hOther);
    PumpFor(200);
    SetForegroundWindow(m_pBar->m_hWnd);
    PumpFor(300);
    // Below the bar come its own feet and tips, then the modules, before anything else.
    int nFound = 0;
    for (HWND h = GetWindow(m_pBar->m_hWnd, GW_HWNDNEXT); h && h != hOther; h = GetWindow(h, GW_HWNDNEXT))
        nFound += h == m_modules[0] || h == m_modules[1];
    EXPECT_EQ(2, nFound) << "both modules sit between the bar and the other program";
}
