// Always-on-top and its giving way to full-screen programs, and taking the
// taskbar's auto-hide and always-on-top settings over as they change.
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "dockbar/DockingBarDlg.h"
#include "res/resource.h"
#include <gtest/gtest.h>

namespace {

const DWORD DOCK_FLAGS = DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM | DBF_ALLOWFLOAT;

class CStateBar : public CDockingBarDlg {
public:
    CStateBar() : CDockingBarDlg(IDD_CONTROLLER, nullptr) {}
    ~CStateBar() override
    {
        if (m_hWnd)
            DestroyWindow();
    }

    int m_nPolls = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == DB_AUTOHIDE_TIMER)
            m_nPolls++;
        return CDockingBarDlg::WindowProc(message, wParam, lParam);
    }
};

DOCKBARSTATE MakeState(int nEdge, BOOL bAutoHide, BOOL bAlwaysOnTop)
{
    DOCKBARSTATE state = {};
    state.cbSize = sizeof state;
    state.nEdge = nEdge;
    state.bAutoHide = bAutoHide;
    state.bAlwaysOnTop = bAlwaysOnTop;
    for (int& c : state.anDockSize)
        c = 32;
    SetRect(&state.rcFloat, 100, 100, 508, 145);
    return state;
}

bool IsTopmost(HWND hWnd)
{
    return (GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Whether hWnd comes somewhere after hWndAbove in the z-order.
bool IsBelow(HWND hWnd, HWND hWndAbove)
{
    for (HWND h = GetWindow(hWndAbove, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
        if (h == hWnd)
            return true;
    return false;
}

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

class BarState : public ::testing::Test {
protected:
    void SetUp() override
    {
        // An ordinary window of ours to compare the bar's place with.
        m_hOther = CreateWindowExA(0, "STATIC", "Other", WS_POPUP | WS_VISIBLE, 200, 200, 300, 200, nullptr,
                                   nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, m_hOther);
        ASSERT_TRUE(m_bar.Create(IDD_CONTROLLER, nullptr));
        m_bar.m_dwFlags = DOCK_FLAGS;
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        DestroyWindow(m_hOther);
    }

    FakeAppBarShell m_shell;
    HWND m_hOther = nullptr;
    CStateBar m_bar;
};

using AutoHideZOrder = BarState;
using AutoHideFollowTaskbar = BarState;

} // namespace

TEST_F(AutoHideZOrder, AlwaysOnTopGivesWayToAFullScreenProgram)
{
    for (int nEdge : { ABE_BOTTOM, DBE_FLOAT }) {
        SCOPED_TRACE(testing::Message() << "edge " << nEdge);
        DOCKBARSTATE state = MakeState(nEdge, FALSE, TRUE);
        m_bar.SetBarState(&state);
        EXPECT_TRUE(IsTopmost(m_bar.m_hWnd));
        EXPECT_TRUE(IsBelow(m_hOther, m_bar.m_hWnd));

        m_shell.Notify(ABN_FULLSCREENAPP, TRUE);
        EXPECT_TRUE(PumpUntil([&] { return !IsTopmost(m_bar.m_hWnd); }, 1000));
        EXPECT_TRUE(m_bar.m_bFullScreenApp);
        EXPECT_EQ(nullptr, GetWindow(m_bar.m_hWnd, GW_HWNDNEXT)) << "at the bottom of all";
        EXPECT_TRUE(IsBelow(m_bar.m_hWnd, m_hOther));

        // Moving meanwhile keeps it there.
        m_bar.SetDockState(nEdge == DBE_FLOAT ? ABE_TOP : DBE_FLOAT);
        EXPECT_FALSE(IsTopmost(m_bar.m_hWnd));
        EXPECT_EQ(nullptr, GetWindow(m_bar.m_hWnd, GW_HWNDNEXT));
        m_bar.SetDockState(nEdge);

        m_shell.Notify(ABN_FULLSCREENAPP, FALSE);
        EXPECT_TRUE(PumpUntil([&] { return IsTopmost(m_bar.m_hWnd); }, 1000));
        EXPECT_FALSE(m_bar.m_bFullScreenApp);
        EXPECT_TRUE(IsBelow(m_hOther, m_bar.m_hWnd));
        EXPECT_EQ(nEdge, m_bar.m_state.nEdge);
    }
}

TEST_F(AutoHideZOrder, WithoutAlwaysOnTopNeverTopmost)
{
    DOCKBARSTATE state = MakeState(ABE_LEFT, FALSE, TRUE);
    m_bar.SetBarState(&state);
    ASSERT_TRUE(IsTopmost(m_bar.m_hWnd));
    state.bAlwaysOnTop = FALSE;
    m_bar.SetBarState(&state);
    EXPECT_FALSE(IsTopmost(m_bar.m_hWnd));

    SetWindowPos(m_hOther, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(IsBelow(m_hOther, m_bar.m_hWnd));
    m_shell.Notify(ABN_FULLSCREENAPP, TRUE);
    PumpFor(50);
    EXPECT_FALSE(IsTopmost(m_bar.m_hWnd));
    EXPECT_TRUE(IsBelow(m_hOther, m_bar.m_hWnd)) << "not sent down either";
    m_shell.Notify(ABN_FULLSCREENAPP, FALSE);
    PumpFor(50);
    EXPECT_FALSE(IsTopmost(m_bar.m_hWnd));

    state = MakeState(DBE_FLOAT, TRUE, FALSE);
    m_bar.SetBarState(&state);
    EXPECT_FALSE(IsTopmost(m_bar.m_hWnd));
}

TEST_F(AutoHideFollowTaskbar, NothingIsTakenWhileNotFollowing)
{
    m_bar.m_dwFlags = DOCK_FLAGS | DBF_ALLOWAUTOHIDE | DBF_ALLOWALWAYSONTOP;
    DOCKBARSTATE state = MakeState(ABE_BOTTOM, FALSE, FALSE);
    m_bar.SetBarState(&state);
    UINT uBefore = m_bar.m_uTaskbarState;
    int nSetPos = m_shell.Count(ABM_SETPOS);

    m_shell.m_uTaskbarState = ABS_AUTOHIDE | ABS_ALWAYSONTOP;
    m_shell.Notify(ABN_STATECHANGE, 0);
    PumpFor(50);
    EXPECT_EQ(uBefore, m_bar.m_uTaskbarState) << "not even noted";
    EXPECT_FALSE(m_bar.m_state.bAutoHide);
    EXPECT_FALSE(m_bar.m_state.bAlwaysOnTop);
    EXPECT_EQ(nSetPos, m_shell.Count(ABM_SETPOS));
    EXPECT_FALSE(IsTopmost(m_bar.m_hWnd));
}

TEST_F(AutoHideFollowTaskbar, OnlyTheBitsThatChangeAreTaken)
{
    m_bar.m_dwFlags = DOCK_FLAGS | DBF_ALLOWAUTOHIDE | DBF_ALLOWALWAYSONTOP;
    m_shell.m_uTaskbarState = ABS_ALWAYSONTOP;
    m_bar.m_uTaskbarState = ABS_ALWAYSONTOP;
    DOCKBARSTATE state = MakeState(ABE_BOTTOM, FALSE, FALSE);
    m_bar.SetBarState(&state);
    m_bar.m_bFollowTaskbarState = TRUE;

    // The taskbar starts hiding: so does the bar, and it stays beneath
    // others, as chosen, since always-on-top did not change.
    m_shell.m_uTaskbarState = ABS_ALWAYSONTOP | ABS_AUTOHIDE;
    m_shell.Notify(ABN_STATECHANGE, 0);
    EXPECT_TRUE(PumpUntil([&] { return m_bar.m_state.bAutoHide; }, 1000));
    EXPECT_FALSE(m_bar.m_state.bAlwaysOnTop);
    EXPECT_FALSE(IsTopmost(m_bar.m_hWnd));
    EXPECT_EQ(m_bar.m_hWnd, m_shell.AutoHideBar(ABE_BOTTOM));
    EXPECT_EQ(CRect(0, 766, 1024, 798), WindowRect(m_bar.m_hWnd)) << "hidden at once";
    EXPECT_EQ((UINT)(ABS_ALWAYSONTOP | ABS_AUTOHIDE), m_bar.m_uTaskbarState);

    // The same state again is no change at all.
    int nSetPos = m_shell.Count(ABM_SETPOS);
    m_shell.Notify(ABN_STATECHANGE, 0);
    PumpFor(50);
    EXPECT_EQ(nSetPos, m_shell.Count(ABM_SETPOS));

    // Always-on-top is taken as the taskbar's, either way.
    m_shell.m_uTaskbarState = ABS_AUTOHIDE;
    m_shell.Notify(ABN_STATECHANGE, 0);
    PumpFor(50);
    EXPECT_FALSE(m_bar.m_state.bAlwaysOnTop);
    EXPECT_TRUE(m_bar.m_state.bAutoHide);
    m_shell.m_uTaskbarState = ABS_AUTOHIDE | ABS_ALWAYSONTOP;
    m_shell.Notify(ABN_STATECHANGE, 0);
    EXPECT_TRUE(PumpUntil([&] { return IsTopmost(m_bar.m_hWnd); }, 1000));
    EXPECT_TRUE(m_bar.m_state.bAlwaysOnTop);
    EXPECT_TRUE(m_bar.m_state.bAutoHide);

    // The taskbar stops hiding: the bar gives up its edge and reserves its strip.
    m_shell.m_uTaskbarState = ABS_ALWAYSONTOP;
    m_shell.Notify(ABN_STATECHANGE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !m_bar.m_state.bAutoHide; }, 1000));
    EXPECT_EQ(nullptr, m_shell.AutoHideBar(ABE_BOTTOM));
    EXPECT_EQ(ABE_BOTTOM, m_shell.ReservedEdge(m_bar.m_hWnd));
    EXPECT_EQ(CRect(0, 736, 1024, 768), WindowRect(m_bar.m_hWnd));
    EXPECT_TRUE(m_bar.m_state.bAlwaysOnTop);
}

TEST_F(AutoHideFollowTaskbar, PermissionsLimitWhatIsTaken)
{
    m_bar.m_dwFlags = DOCK_FLAGS | DBF_ALLOWALWAYSONTOP;
    m_shell.m_uTaskbarState = 0;
    m_bar.m_uTaskbarState = 0;
    DOCKBARSTATE state = MakeState(ABE_TOP, FALSE, FALSE);
    m_bar.SetBarState(&state);
    m_bar.m_bFollowTaskbarState = TRUE;

    m_shell.m_uTaskbarState = ABS_AUTOHIDE;
    m_shell.Notify(ABN_STATECHANGE, 0);
    PumpFor(50);
    EXPECT_FALSE(m_bar.m_state.bAutoHide) << "auto-hide is not allowed";
    EXPECT_EQ(nullptr, m_shell.AutoHideBar(ABE_TOP));
    EXPECT_EQ((UINT)ABS_AUTOHIDE, m_bar.m_uTaskbarState) << "but the taskbar's state is noted";

    m_shell.m_uTaskbarState = ABS_AUTOHIDE | ABS_ALWAYSONTOP;
    m_shell.Notify(ABN_STATECHANGE, 0);
    EXPECT_TRUE(PumpUntil([&] { return IsTopmost(m_bar.m_hWnd); }, 1000));
    EXPECT_FALSE(m_bar.m_state.bAutoHide);

    m_bar.m_dwFlags = DOCK_FLAGS | DBF_ALLOWAUTOHIDE;
    m_shell.m_uTaskbarState = 0;
    m_shell.Notify(ABN_STATECHANGE, 0);
    EXPECT_TRUE(PumpUntil([&] { return m_bar.m_uTaskbarState == 0; }, 1000));
    EXPECT_TRUE(m_bar.m_state.bAlwaysOnTop) << "always-on-top is not allowed now";
    EXPECT_TRUE(IsTopmost(m_bar.m_hWnd));
    EXPECT_FALSE(m_bar.m_state.bAutoHide) << "auto-hide did not change";
}

TEST_F(AutoHideFollowTaskbar, AlwaysOnTopIsReappliedEvenUnchanged)
{
    m_bar.m_dwFlags = DOCK_FLAGS | DBF_ALLOWAUTOHIDE | DBF_ALLOWALWAYSONTOP;
    DOCKBARSTATE state = MakeState(ABE_RIGHT, TRUE, TRUE);
    m_bar.SetBarState(&state);
    SendMessageA(m_bar.m_hWnd, WM_NCHITTEST, 0, 0);
    ASSERT_EQ(CRect(992, 0, 1024, 768), WindowRect(m_bar.m_hWnd));

    // Auto-hide as it already is: nothing to do.
    int nSetPos = m_shell.Count(ABM_SETPOS), nActivate = m_shell.Count(ABM_ACTIVATE);
    m_bar.ApplyTaskbarState(ABS_AUTOHIDE, ABS_AUTOHIDE);
    EXPECT_EQ(nSetPos, m_shell.Count(ABM_SETPOS));
    EXPECT_EQ(nActivate, m_shell.Count(ABM_ACTIVATE));
    EXPECT_EQ(CRect(992, 0, 1024, 768), WindowRect(m_bar.m_hWnd));

    // Always-on-top as it already is: the whole state is applied again and
    // the bar slides in.
    m_bar.ApplyTaskbarState(ABS_ALWAYSONTOP, ABS_ALWAYSONTOP);
    EXPECT_EQ(nSetPos + 1, m_shell.Count(ABM_SETPOS));
    EXPECT_LT(nActivate, m_shell.Count(ABM_ACTIVATE));
    EXPECT_EQ(CRect(1022, 0, 1054, 768), WindowRect(m_bar.m_hWnd));
    EXPECT_FALSE(m_bar.m_bAutoHideShown);
    EXPECT_TRUE(IsTopmost(m_bar.m_hWnd));
    EXPECT_TRUE(m_bar.m_state.bAutoHide);
}

TEST(AutoHideCreation, TheTaskbarStateIsOfferedButNothingTaken)
{
    FakeAppBarShell shell;
    shell.m_uTaskbarState = ABS_AUTOHIDE | ABS_ALWAYSONTOP;
    CStateBar bar;
    ASSERT_TRUE(bar.Create(IDD_CONTROLLER, nullptr));
    EXPECT_EQ((UINT)(ABS_AUTOHIDE | ABS_ALWAYSONTOP), bar.m_uTaskbarState);
    EXPECT_FALSE(bar.m_state.bAutoHide);
    EXPECT_FALSE(bar.m_state.bAlwaysOnTop);
    EXPECT_FALSE(IsTopmost(bar.m_hWnd));
    EXPECT_EQ(0, shell.Count(ABM_SETAUTOHIDEBAR));
    EXPECT_EQ(0, shell.Count(ABM_SETPOS));

    // The poll runs from creation on.
    EXPECT_TRUE(PumpUntil([&] { return bar.m_nPolls >= 2; }, 3000)) << bar.m_nPolls;
}
