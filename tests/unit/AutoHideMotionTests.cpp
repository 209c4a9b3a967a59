// Where an auto-hide bar sits hidden and shown, when the cursor and the
// activation make it move, and how it slides there.
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "dockbar/DockingBarDlg.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <vector>

namespace {

const DWORD ALL_FLAGS = DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM | DBF_ALLOWFLOAT | DBF_ALLOWAUTOHIDE;
const UINT WM_MARK = WM_APP + 7;

// Notes every position the window takes, how many it had taken when a
// posted mark arrived, and what each auto-hide poll found and left.
class CSlideBar : public CDockingBarDlg {
public:
    CSlideBar() : CDockingBarDlg(IDD_CONTROLLER, nullptr) {}

    struct Poll {
        bool bActive;
        CRect rcBefore, rcAfter;
    };
    std::vector<CRect> m_moves;
    size_t m_nMovesAtMark = SIZE_MAX;
    std::vector<Poll> m_polls;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == DB_AUTOHIDE_TIMER) {
            Poll poll = { ::GetActiveWindow() == m_hWnd, {}, {} };
            GetWindowRect(&poll.rcBefore);
            LRESULT lResult = CDockingBarDlg::WindowProc(message, wParam, lParam);
            GetWindowRect(&poll.rcAfter);
            m_polls.push_back(poll);
            return lResult;
        }
        if (message == WM_WINDOWPOSCHANGED) {
            CRect rc;
            GetWindowRect(&rc);
            m_moves.push_back(rc);
        } else if (message == WM_MARK) {
            m_nMovesAtMark = m_moves.size();
        }
        return CDockingBarDlg::WindowProc(message, wParam, lParam);
    }
};

DOCKBARSTATE MakeState(int nEdge, BOOL bAutoHide)
{
    DOCKBARSTATE state = {};
    state.cbSize = sizeof state;
    state.nEdge = nEdge;
    state.bAutoHide = bAutoHide;
    for (int& c : state.anDockSize)
        c = 32;
    SetRect(&state.rcFloat, 100, 100, 508, 145);
    return state;
}

// The real pointer, moved by the X server as a user's hand would.
void MoveMouse(int x, int y)
{
    char szCommand[80];
    snprintf(szCommand, sizeof szCommand, "Z:\\usr\\bin\\xdotool mousemove %d %d", x, y);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (CreateProcessA(nullptr, szCommand, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 5000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    PumpUntil([=] {
        POINT pt;
        GetCursorPos(&pt);
        return pt.x == x && pt.y == y;
    }, 2000);
    PumpFor(30);
}

class FullWindowDrag {
public:
    explicit FullWindowDrag(BOOL bOn)
    {
        SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &m_bSaved, 0);
        SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, bOn, nullptr, 0);
    }
    ~FullWindowDrag() { SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, m_bSaved, nullptr, 0); }

private:
    BOOL m_bSaved = FALSE;
};

// A tick counter that moves on by a fixed step at every reading.
class FakeClock {
public:
    FakeClock(DWORD dwStart, DWORD dwStep)
    {
        s_dwNow = dwStart;
        s_dwStep = dwStep;
        CDockingBarDlg::s_pfnGetTickCount = Now;
    }
    ~FakeClock() { CDockingBarDlg::s_pfnGetTickCount = GetTickCount; }

private:
    static DWORD WINAPI Now()
    {
        DWORD dw = s_dwNow;
        s_dwNow += s_dwStep;
        return dw;
    }
    static DWORD s_dwNow, s_dwStep;
};

DWORD FakeClock::s_dwNow, FakeClock::s_dwStep;

LRESULT CALLBACK BackdropProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

class AutoHideMotion : public ::testing::Test {
protected:
    void SetUp() override
    {
        // X tells Wine where the pointer is only over Wine's own windows, so
        // a window of ours stands in for the desktop. It is also the window
        // that takes the activation from the bar. One row short of the
        // screen: Wine 8 dies of an X error when a second window that has
        // covered the whole screen is destroyed.
        WNDCLASSA wc = {};
        wc.lpfnWndProc = BackdropProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "AutoHideBackdrop";
        RegisterClassA(&wc);
        m_hBackdrop = CreateWindowExA(0, wc.lpszClassName, "Backdrop", WS_POPUP | WS_VISIBLE, 0, 0,
                                      m_cxScreen, m_cyScreen - 1, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(nullptr, m_hBackdrop);
        MoveMouse(m_cxScreen / 2, m_cyScreen / 2);
        ASSERT_TRUE(m_bar.Create(IDD_CONTROLLER, nullptr));
        m_bar.m_dwFlags = ALL_FLAGS;
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        DestroyWindow(m_hBackdrop);
    }

    CRect WindowRect() const
    {
        CRect rc;
        ::GetWindowRect(m_bar.m_hWnd, &rc);
        return rc;
    }
    void Activate(HWND hWnd)
    {
        SetForegroundWindow(hWnd);
        SetActiveWindow(hWnd);
        EXPECT_TRUE(PumpUntil([=] { return GetActiveWindow() == hWnd; }, 2000)) << GetActiveWindow();
    }
    // Docks the bar with auto-hide on an edge, shown because the cursor
    // passed over it, and leaves another window active.
    void DockShownAndInactive(int nEdge)
    {
        DOCKBARSTATE state = MakeState(nEdge, TRUE);
        m_bar.SetBarState(&state);
        Activate(m_hBackdrop);
        SendMessageA(m_bar.m_hWnd, WM_NCHITTEST, 0, 0);
        ASSERT_TRUE(m_bar.m_bAutoHideShown);
    }

    const int m_cxScreen = GetSystemMetrics(SM_CXSCREEN);
    const int m_cyScreen = GetSystemMetrics(SM_CYSCREEN);
    FullWindowDrag m_drag { FALSE };
    FakeAppBarShell m_shell;
    HWND m_hBackdrop = nullptr;
    CSlideBar m_bar;
};

using AutoHidePlacement = AutoHideMotion;
using AutoHideTimer = AutoHideMotion;

class AutoHideSlide : public AutoHideMotion {
protected:
    void SetUp() override
    {
        AutoHideMotion::SetUp();
        // Only the slides under test move the bar.
        m_bar.KillTimer(DB_AUTOHIDE_TIMER);
    }
};

} // namespace

TEST_F(AutoHidePlacement, HiddenAndShownOnEachEdge)
{
    ASSERT_EQ(1024, m_cxScreen);
    ASSERT_EQ(768, m_cyScreen);
    struct {
        int nEdge;
        CRect rcHidden, rcShown;
        CPoint ptHidden50x60;
    } const aCases[] = {
        { ABE_LEFT, { -30, 0, 2, 768 }, { 0, 0, 32, 768 }, { -48, 0 } },
        { ABE_TOP, { 0, -30, 1024, 2 }, { 0, 0, 1024, 32 }, { 0, -58 } },
        { ABE_RIGHT, { 1022, 0, 1054, 768 }, { 992, 0, 1024, 768 }, { 1022, 0 } },
        { ABE_BOTTOM, { 0, 766, 1024, 798 }, { 0, 736, 1024, 768 }, { 0, 766 } },
    };
    for (const auto& c : aCases) {
        SCOPED_TRACE(testing::Message() << "edge " << c.nEdge);
        DOCKBARSTATE state = MakeState(c.nEdge, TRUE);
        m_bar.SetBarState(&state);
        m_bar.ShowAutoHideBar(FALSE);
        EXPECT_EQ(c.rcHidden, WindowRect());
        EXPECT_FALSE(m_bar.m_bAutoHideShown);
        m_bar.ShowAutoHideBar(TRUE);
        EXPECT_EQ(c.rcShown, WindowRect());
        EXPECT_TRUE(m_bar.m_bAutoHideShown);

        // Any size is kept; only the place follows the edge.
        RECT rc = { 300, 200, 350, 260 };
        ASSERT_TRUE(m_bar.CalcAutoHideRect(FALSE, &rc));
        EXPECT_EQ(CRect(c.ptHidden50x60.x, c.ptHidden50x60.y, c.ptHidden50x60.x + 50, c.ptHidden50x60.y + 60), CRect(rc));
    }
}

TEST_F(AutoHidePlacement, OnlyADockedAutoHideBarHasPlaces)
{
    RECT rc = { 5, 6, 7, 8 };
    DOCKBARSTATE state = MakeState(ABE_RIGHT, FALSE);
    m_bar.SetBarState(&state);
    EXPECT_FALSE(m_bar.CalcAutoHideRect(FALSE, &rc));
    EXPECT_EQ(CRect(5, 6, 7, 8), CRect(rc)) << "left untouched";

    // Floating with the wish to hide: it never moves and reads as shown.
    state = MakeState(DBE_FLOAT, TRUE);
    m_bar.SetBarState(&state);
    EXPECT_FALSE(m_bar.CalcAutoHideRect(FALSE, &rc));
    EXPECT_EQ(CRect(5, 6, 7, 8), CRect(rc));
    m_bar.m_moves.clear();
    Activate(m_hBackdrop);
    m_bar.ShowAutoHideBar(FALSE);
    SendMessageA(m_bar.m_hWnd, WM_TIMER, DB_AUTOHIDE_TIMER, 0);
    PumpFor(500);
    EXPECT_TRUE(m_bar.m_moves.empty()) << m_bar.m_moves.size() << " moves";
    EXPECT_EQ(CRect(100, 100, 508, 145), WindowRect());
    EXPECT_TRUE(m_bar.m_bAutoHideShown);

    // Being dragged towards an edge counts as being there.
    m_bar.m_nProposedEdge = ABE_LEFT;
    rc = { 5, 6, 7, 8 };
    EXPECT_TRUE(m_bar.CalcAutoHideRect(FALSE, &rc));
    EXPECT_EQ(CRect(0, 0, 2, 2), CRect(rc));
    m_bar.m_nProposedEdge = DBE_NONE;
}

TEST_F(AutoHidePlacement, FirstPlacementDependsOnWhetherTheCursorCame)
{
    // Never under the cursor: it goes straight to hiding.
    ASSERT_FALSE(m_bar.m_bAutoHideShown);
    DOCKBARSTATE state = MakeState(ABE_RIGHT, TRUE);
    m_bar.SetBarState(&state);
    EXPECT_EQ(CRect(1022, 0, 1054, 768), WindowRect());

    // Once the cursor passed over it, it is placed shown and waits for a
    // tick with the cursor away before it slides in.
    CSlideBar other;
    ASSERT_TRUE(other.Create(IDD_CONTROLLER, nullptr));
    other.m_dwFlags = ALL_FLAGS;
    DOCKBARSTATE plain = MakeState(ABE_LEFT, FALSE);
    other.SetBarState(&plain);
    SendMessageA(other.m_hWnd, WM_NCHITTEST, 0, 0);
    Activate(m_hBackdrop);
    other.m_moves.clear();
    other.m_state.bAutoHide = TRUE;
    other.SetDockState(ABE_LEFT);
    CRect rc;
    other.GetWindowRect(&rc);
    EXPECT_EQ(CRect(0, 0, 32, 768), rc);
    EXPECT_TRUE(PumpUntil([&] { return !other.m_bAutoHideShown; }, 2000));
    other.GetWindowRect(&rc);
    EXPECT_EQ(CRect(-30, 0, 2, 768), rc);
    other.DestroyWindow();
}

TEST_F(AutoHideTimer, AnActiveBarNeverHides)
{
    DOCKBARSTATE state = MakeState(ABE_RIGHT, TRUE);
    m_bar.SetBarState(&state);
    // Other programs of the same Wine session may take the activation
    // meanwhile; the polls that find the bar active and out are the ones
    // that count.
    const CRect rcShown(992, 0, 1024, 768);
    int nCounted = 0;
    DWORD t0 = GetTickCount();
    while (nCounted < 3 && GetTickCount() - t0 < 6000) {
        if (GetActiveWindow() != m_bar.m_hWnd || !m_bar.m_bAutoHideShown) {
            Activate(m_bar.m_hWnd);
            SendMessageA(m_bar.m_hWnd, WM_NCHITTEST, 0, 0);
        }
        m_bar.m_polls.clear();
        PumpUntil([&] { return !m_bar.m_polls.empty(); }, 1000);
        for (const auto& poll : m_bar.m_polls) {
            if (poll.bActive && poll.rcBefore == rcShown) {
                EXPECT_EQ(rcShown, poll.rcAfter) << "a poll hid the active bar; the cursor is far away";
                nCounted++;
            }
        }
    }
    EXPECT_GE(nCounted, 3) << "polls that found the bar active and shown";

    // Losing the activation hides it by itself, with no poll left to do it.
    m_bar.KillTimer(DB_AUTOHIDE_TIMER);
    int nActivates = m_shell.Count(ABM_ACTIVATE, m_bar.m_hWnd);
    Activate(m_hBackdrop);
    EXPECT_TRUE(PumpUntil([&] { return !m_bar.m_bAutoHideShown; }, 1000));
    EXPECT_EQ(CRect(1022, 0, 1054, 768), WindowRect());
    int nAfterLoss = m_shell.Count(ABM_ACTIVATE, m_bar.m_hWnd);
    EXPECT_GT(nAfterLoss, nActivates);

    // Gaining it back tells the shell but does not show the bar.
    Activate(m_bar.m_hWnd);
    EXPECT_GT(m_shell.Count(ABM_ACTIVATE, m_bar.m_hWnd), nAfterLoss);
    EXPECT_EQ(CRect(1022, 0, 1054, 768), WindowRect());
}

TEST_F(AutoHideTimer, AnInactiveBarHidesOnceTheCursorLeavesTheMargin)
{
    const int cxMargin = 2 * GetSystemMetrics(SM_CXDOUBLECLK);
    const int cyMargin = 2 * GetSystemMetrics(SM_CYDOUBLECLK);
    struct {
        int nEdge;
        POINT ptInside, ptOutside;
        CRect rcHidden;
    } const aCases[] = {
        { ABE_RIGHT, { 992 - cxMargin, 384 }, { 992 - cxMargin - 1, 384 }, { 1022, 0, 1054, 768 } },
        { ABE_TOP, { 512, 32 + cyMargin - 1 }, { 512, 32 + cyMargin }, { 0, -30, 1024, 2 } },
    };
    for (const auto& c : aCases) {
        SCOPED_TRACE(testing::Message() << "edge " << c.nEdge);
        MoveMouse(c.ptInside.x, c.ptInside.y);
        DockShownAndInactive(c.nEdge);
        CRect rcShown = WindowRect();
        PumpFor(1300);
        EXPECT_EQ(rcShown, WindowRect()) << "the cursor is within the margin";
        EXPECT_TRUE(m_bar.m_bAutoHideShown);

        MoveMouse(c.ptOutside.x, c.ptOutside.y);
        EXPECT_TRUE(PumpUntil([&] { return !m_bar.m_bAutoHideShown; }, 2000));
        EXPECT_EQ(c.rcHidden, WindowRect());
    }
}

TEST_F(AutoHideTimer, TheCursorOnTheStripBringsTheBarOut)
{
    // Always on top, or the active backdrop would cover the strip.
    DOCKBARSTATE state = MakeState(ABE_BOTTOM, TRUE);
    state.bAlwaysOnTop = TRUE;
    m_bar.SetBarState(&state);
    Activate(m_hBackdrop);
    ASSERT_EQ(CRect(0, 766, 1024, 798), WindowRect());

    MoveMouse(300, 767);
    EXPECT_TRUE(PumpUntil([&] { return m_bar.m_bAutoHideShown; }, 2000));
    EXPECT_EQ(CRect(0, 736, 1024, 768), WindowRect());
    MoveMouse(300, 750);
    PumpFor(900);
    EXPECT_EQ(CRect(0, 736, 1024, 768), WindowRect()) << "stays out while the cursor is on it";

    MoveMouse(300, 400);
    EXPECT_TRUE(PumpUntil([&] { return !m_bar.m_bAutoHideShown; }, 2000));
    EXPECT_EQ(CRect(0, 766, 1024, 798), WindowRect());
}

TEST_F(AutoHideTimer, OnlyTheAutoHidePollHides)
{
    DockShownAndInactive(ABE_RIGHT);
    m_bar.KillTimer(DB_AUTOHIDE_TIMER);
    SetMessagePos(m_bar.m_hWnd, 500, 400);
    SendMessageA(m_bar.m_hWnd, WM_TIMER, DB_AUTOHIDE_TIMER + 1, 0);
    EXPECT_EQ(CRect(992, 0, 1024, 768), WindowRect());
    SendMessageA(m_bar.m_hWnd, WM_TIMER, DB_AUTOHIDE_TIMER, 0);
    EXPECT_EQ(CRect(1022, 0, 1054, 768), WindowRect());
}

TEST_F(AutoHideSlide, StepsFollowAStraightLineAndEndOnTheTarget)
{
    FullWindowDrag drag(TRUE);
    DockShownAndInactive(ABE_RIGHT);
    ASSERT_EQ(CRect(992, 0, 1024, 768), WindowRect());
    m_bar.m_moves.clear();
    PostMessageA(m_bar.m_hWnd, WM_MARK, 0, 0);
    m_bar.ShowAutoHideBar(FALSE);
    const CRect rcTarget(1022, 0, 1054, 768);
    std::vector<CRect> moves = m_bar.m_moves;
    ASSERT_GE(moves.size(), 3u) << "a slide, not a jump";
    EXPECT_EQ(rcTarget, moves.back());
    int xLast = 992;
    for (size_t i = 0; i + 1 < moves.size(); i++) {
        SCOPED_TRACE(testing::Message() << "move " << i << " of " << moves.size());
        EXPECT_EQ(0, moves[i].top);
        EXPECT_EQ(32, moves[i].Width());
        EXPECT_EQ(768, moves[i].Height());
        EXPECT_GE(moves[i].left, xLast) << "never backwards";
        EXPECT_LT(moves[i].left, 1022) << "only the last move reaches the target";
        xLast = moves[i].left;
    }
    PumpFor(50);
    EXPECT_EQ(moves.size(), m_bar.m_nMovesAtMark) << "nothing is dispatched during the slide";

    // Changing place and size at once: every step is one point in time for
    // all four coordinates, taken in order.
    const CRect rcFrom(100, 100, 508, 145), rcTo(340, 400, 440, 500);
    m_bar.SetDockState(DBE_FLOAT);
    ASSERT_EQ(rcFrom, WindowRect());
    m_bar.m_moves.clear();
    m_bar.SlideWindow(&rcTo);
    moves = m_bar.m_moves;
    ASSERT_GE(moves.size(), 3u);
    EXPECT_EQ(rcTo, moves.back());
    auto at = [](int nFrom, int nTo, int dt) { return nFrom - (nFrom - nTo) * dt / DB_SLIDE_TIME; };
    int dtLast = 0;
    for (size_t i = 0; i + 1 < moves.size(); i++) {
        const CRect& rc = moves[i];
        int dt = dtLast;
        while (dt < DB_SLIDE_TIME &&
               !(rc.left == at(rcFrom.left, rcTo.left, dt) && rc.top == at(rcFrom.top, rcTo.top, dt) &&
                 rc.Width() == at(rcFrom.Width(), rcTo.Width(), dt) &&
                 rc.Height() == at(rcFrom.Height(), rcTo.Height(), dt)))
            dt++;
        ASSERT_LT(dt, DB_SLIDE_TIME) << "move " << i << " (" << rc.left << "," << rc.top << " " << rc.Width()
                                     << "x" << rc.Height() << ") is off the line or out of order";
        dtLast = dt;
    }
}

TEST_F(AutoHideSlide, WithoutFullWindowDraggingOneJump)
{
    DockShownAndInactive(ABE_LEFT);
    m_bar.m_moves.clear();
    m_bar.ShowAutoHideBar(FALSE);
    ASSERT_EQ(1u, m_bar.m_moves.size());
    EXPECT_EQ(CRect(-30, 0, 2, 768), m_bar.m_moves[0]);

    // With it, but already there: one move to the same place.
    FullWindowDrag drag(TRUE);
    m_bar.m_moves.clear();
    m_bar.ShowAutoHideBar(FALSE);
    ASSERT_EQ(1u, m_bar.m_moves.size());
    EXPECT_EQ(CRect(-30, 0, 2, 768), m_bar.m_moves[0]);
}

TEST_F(AutoHideSlide, StepsAreTakenFromTheTickCounter)
{
    FullWindowDrag drag(TRUE);
    DockShownAndInactive(ABE_BOTTOM);
    m_bar.m_moves.clear();
    {
        FakeClock clock(1000, 10);
        m_bar.ShowAutoHideBar(FALSE);
    }
    // Read at 1000 to start, then every 10 ms up to 1400, which ends it.
    ASSERT_EQ(40u, m_bar.m_moves.size());
    for (int i = 0; i < 39; i++) {
        int dt = 10 * (i + 1);
        EXPECT_EQ(CRect(0, 736 + 30 * dt / 400, 1024, 736 + 30 * dt / 400 + 32), m_bar.m_moves[i]) << "at " << dt;
    }
    EXPECT_EQ(CRect(0, 766, 1024, 798), m_bar.m_moves.back());
}

TEST_F(AutoHideSlide, NearTheCounterWrapItEndsAtOnce)
{
    FullWindowDrag drag(TRUE);
    DockShownAndInactive(ABE_TOP);
    const CRect rcShown(0, 0, 1024, 32), rcHidden(0, -30, 1024, 2);
    struct {
        DWORD dwStart;
        size_t nMoves;
    } const aCases[] = {
        { 0xFFFFFF00, 1 },      // 256 ms before the wrap
        { 0xFFFFFE70, 1 },      // exactly 400
        { 0xFFFFFFF0, 1 },
        { 0xFFFFFE6F, 40 },     // 401: the end is still before the wrap
    };
    BOOL bShow = FALSE;
    for (const auto& c : aCases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.dwStart);
        m_bar.m_moves.clear();
        {
            FakeClock clock(c.dwStart, 10);
            m_bar.ShowAutoHideBar(bShow);
        }
        EXPECT_EQ(c.nMoves, m_bar.m_moves.size());
        ASSERT_FALSE(m_bar.m_moves.empty());
        EXPECT_EQ(bShow ? rcShown : rcHidden, m_bar.m_moves.back());
        bShow = !bShow;
    }
}
