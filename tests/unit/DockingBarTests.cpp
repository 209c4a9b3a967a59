// The docking base on a real dialog window, with a model of the shell.
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "dockbar/DockingBarDlg.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <climits>
#include <vector>

namespace {

struct EdgeChange {
    BOOL bProposed;
    int nEdge;
};

class CTestBar : public CDockingBarDlg {
public:
    CTestBar() : CDockingBarDlg(IDD_CONTROLLER, nullptr) {}

    std::vector<EdgeChange> m_edgeChanges;
    std::vector<std::pair<UINT, UINT>> m_stateChanges;
    std::vector<BOOL> m_arranges;

    using CDockingBarDlg::AppBarMessage;

protected:
    void OnEdgeChanged(BOOL bProposed, int nEdge) override { m_edgeChanges.push_back({ bProposed, nEdge }); }
    void OnTaskbarStateChange(UINT uChanged, UINT uState) override { m_stateChanges.push_back({ uChanged, uState }); }
    void OnWindowArrange(BOOL bBeginning) override { m_arranges.push_back(bBeginning); }
};

const int SCREEN_CX = GetSystemMetrics(SM_CXSCREEN);
const int SCREEN_CY = GetSystemMetrics(SM_CYSCREEN);

DOCKBARSTATE MakeState(int nEdge)
{
    DOCKBARSTATE state = {};
    state.cbSize = sizeof state;
    state.nEdge = nEdge;
    for (int& c : state.anDockSize)
        c = 32;
    SetRect(&state.rcFloat, 100, 100, 508, 145);
    return state;
}

class DockingBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bar.Create(IDD_CONTROLLER, nullptr));
        m_bar.m_dwFlags = DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM | DBF_ALLOWFLOAT;
    }
    void TearDown() override { m_bar.DestroyWindow(); }

    CRect WindowRect() const
    {
        CRect rc;
        ::GetWindowRect(m_bar.m_hWnd, &rc);
        return rc;
    }

    FakeAppBarShell m_shell;
    CTestBar m_bar;
};

} // namespace

TEST(EdgeFromPoint, CentreAsksForTheRightEdge)
{
    POINT pt = { SCREEN_CX / 2, SCREEN_CY / 2 };
    EXPECT_EQ(ABE_RIGHT, CDockingBarDlg::EdgeFromPoint(DBF_ALLOWLEFTRIGHT, pt));
    EXPECT_EQ(ABE_RIGHT, CDockingBarDlg::EdgeFromPoint(DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM, pt));
    EXPECT_EQ(ABE_BOTTOM, CDockingBarDlg::EdgeFromPoint(DBF_ALLOWTOPBOTTOM, pt));
}

TEST(EdgeFromPoint, OnlyTheScrollBarBandDocks)
{
    const DWORD dwAll = DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM | DBF_ALLOWFLOAT;
    RECT rcWork;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    int cxBand = GetSystemMetrics(SM_CXVSCROLL), cyBand = GetSystemMetrics(SM_CYHSCROLL);
    int yMid = (rcWork.top + rcWork.bottom) / 2;
    int xMid = (rcWork.left + rcWork.right) / 2;

    EXPECT_EQ(DBE_FLOAT, CDockingBarDlg::EdgeFromPoint(dwAll, { rcWork.left + cxBand, yMid }));
    EXPECT_EQ(ABE_LEFT, CDockingBarDlg::EdgeFromPoint(dwAll, { rcWork.left + cxBand - 1, yMid }));
    EXPECT_EQ(DBE_FLOAT, CDockingBarDlg::EdgeFromPoint(dwAll, { rcWork.right - cxBand - 1, yMid }));
    EXPECT_EQ(ABE_RIGHT, CDockingBarDlg::EdgeFromPoint(dwAll, { rcWork.right - cxBand, yMid }));
    EXPECT_EQ(ABE_TOP, CDockingBarDlg::EdgeFromPoint(dwAll, { xMid, rcWork.top + cyBand - 1 }));
    EXPECT_EQ(ABE_BOTTOM, CDockingBarDlg::EdgeFromPoint(dwAll, { xMid, rcWork.bottom - 1 }));
}

TEST(EdgeFromPoint, PermissionsDecideTheAnswer)
{
    const POINT aPoints[] = { { 0, 0 }, { 3, SCREEN_CY / 2 }, { SCREEN_CX / 2, 2 }, { SCREEN_CX - 1, SCREEN_CY - 1 },
                              { SCREEN_CX / 2, SCREEN_CY / 2 }, { 200, 300 }, { -5000, 10 }, { 10, 9000 } };
    for (DWORD dwFlags = 0; dwFlags < 8; dwFlags++) {
        DWORD dw = (dwFlags & 1 ? DBF_ALLOWLEFTRIGHT : 0) | (dwFlags & 2 ? DBF_ALLOWTOPBOTTOM : 0) |
                   (dwFlags & 4 ? DBF_ALLOWFLOAT : 0);
        for (POINT pt : aPoints) {
            int nEdge = CDockingBarDlg::EdgeFromPoint(dw, pt);
            SCOPED_TRACE(testing::Message() << "flags " << dw << " point " << pt.x << "," << pt.y << " edge " << nEdge);
            if (dw == DBF_ALLOWFLOAT)
                EXPECT_EQ(DBE_FLOAT, nEdge);
            else if (nEdge == DBE_FLOAT)
                EXPECT_TRUE(dw & DBF_ALLOWFLOAT);
            else if (dw & (DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM))
                EXPECT_TRUE((nEdge == ABE_LEFT || nEdge == ABE_RIGHT) ? (dw & DBF_ALLOWLEFTRIGHT)
                                                                      : (dw & DBF_ALLOWTOPBOTTOM));
            else
                EXPECT_TRUE(nEdge == ABE_LEFT || nEdge == ABE_RIGHT);   // nothing allowed: the side
        }
    }
    // Far out sideways but only top and bottom allowed, and the reverse.
    EXPECT_EQ(ABE_TOP, CDockingBarDlg::EdgeFromPoint(DBF_ALLOWTOPBOTTOM, { 0, SCREEN_CY / 2 - 1 }));
    EXPECT_EQ(ABE_LEFT, CDockingBarDlg::EdgeFromPoint(DBF_ALLOWLEFTRIGHT, { SCREEN_CX / 2 - 1, 0 }));
}

TEST_F(DockingBar, CtrlProposesFloatingOnlyWhenAllowed)
{
    POINT ptEdge = { 1, SCREEN_CY / 2 };
    EXPECT_EQ(ABE_LEFT, m_bar.CalcProposedEdge(ptEdge));
    CtrlKeyDown ctrl;
    EXPECT_EQ(DBE_FLOAT, m_bar.CalcProposedEdge(ptEdge));
    m_bar.m_dwFlags &= ~DBF_ALLOWFLOAT;
    EXPECT_EQ(ABE_LEFT, m_bar.CalcProposedEdge(ptEdge));
}

TEST_F(DockingBar, DockRectIsClearedOfTheTaskbarUnlessAutoHidden)
{
    SetRect(&m_shell.m_rcTaskbar, 0, SCREEN_CY - 30, SCREEN_CX, SCREEN_CY);
    DOCKBARSTATE state = MakeState(ABE_BOTTOM);
    state.anDockSize[ABE_BOTTOM] = 40;
    state.anDockSize[ABE_LEFT] = 50;
    m_bar.SetBarState(&state);

    RECT rc = {};
    m_bar.GetDockRect(ABE_BOTTOM, &rc);
    EXPECT_EQ(CRect(0, SCREEN_CY - 70, SCREEN_CX, SCREEN_CY - 30), CRect(rc));
    m_bar.GetDockRect(ABE_LEFT, &rc);
    EXPECT_EQ(CRect(0, 0, 50, SCREEN_CY - 30), CRect(rc));

    m_bar.m_state.bAutoHide = TRUE;     // an auto-hide bar spans the whole side
    int nQueries = m_shell.Count(ABM_QUERYPOS);
    m_bar.GetDockRect(ABE_BOTTOM, &rc);
    EXPECT_EQ(CRect(0, SCREEN_CY - 40, SCREEN_CX, SCREEN_CY), CRect(rc));
    EXPECT_EQ(nQueries, m_shell.Count(ABM_QUERYPOS));

    RECT rcKept = { 1, 2, 3, 4 };
    m_bar.GetDockRect(DBE_FLOAT, &rcKept);
    EXPECT_EQ(CRect(1, 2, 3, 4), CRect(rcKept));
}

TEST_F(DockingBar, DockingReservesTheStripAndFloatingReservesNothing)
{
    DOCKBARSTATE state = MakeState(ABE_TOP);
    m_bar.SetBarState(&state);
    EXPECT_EQ(CRect(0, 0, SCREEN_CX, 32), WindowRect());
    ASSERT_FALSE(m_shell.m_calls.empty());
    const FakeAppBarShell::Call* pSetPos = nullptr;
    for (const auto& call : m_shell.m_calls)
        if (call.dwMessage == ABM_SETPOS)
            pSetPos = &call;
    ASSERT_NE(nullptr, pSetPos);
    EXPECT_EQ(ABE_TOP, (int)pSetPos->abd.uEdge);
    EXPECT_EQ(36u, pSetPos->abd.cbSize);
    EXPECT_EQ(g_uAppBarNotifyMessage, pSetPos->abd.uCallbackMessage);

    m_bar.SetDockState(DBE_FLOAT);
    EXPECT_EQ(CRect(100, 100, 508, 145), WindowRect());
    for (const auto& call : m_shell.m_calls)
        if (call.dwMessage == ABM_SETPOS)
            pSetPos = &call;
    EXPECT_EQ(DBE_FLOAT, (int)pSetPos->abd.uEdge);
    EXPECT_TRUE(IsRectEmpty(&pSetPos->abd.rc));
    ASSERT_FALSE(m_bar.m_edgeChanges.empty());
    EXPECT_FALSE(m_bar.m_edgeChanges.back().bProposed);
    EXPECT_EQ(DBE_FLOAT, m_bar.m_edgeChanges.back().nEdge);
}

TEST(DockingBarState, ShortRecordBeforeTheWindowExists)
{
    FakeAppBarShell shell;
    CTestBar bar;
    DOCKBARSTATE full = MakeState(ABE_LEFT);
    full.bAutoHide = TRUE;
    full.bAlwaysOnTop = TRUE;
    full.cbSize = 16;       // size, edge, auto-hide, always-on-top
    full.anDockSize[0] = 77;
    bar.SetBarState(&full);
    EXPECT_EQ(48u, bar.m_state.cbSize);
    EXPECT_EQ(ABE_LEFT, bar.m_state.nEdge);
    EXPECT_TRUE(bar.m_state.bAutoHide);
    EXPECT_TRUE(bar.m_state.bAlwaysOnTop);
    EXPECT_EQ(0, bar.m_state.anDockSize[0]) << "fields past cbSize must stay";
    EXPECT_TRUE(IsRectEmpty(&bar.m_state.rcFloat));
    EXPECT_EQ(0, shell.Count(ABM_SETPOS)) << "nothing is applied without a window";
    EXPECT_TRUE(bar.m_edgeChanges.empty());

    bar.SetBarState(nullptr);
    DOCKBARSTATE empty = {};
    bar.SetBarState(&empty);    // a zero size copies nothing
    EXPECT_EQ(ABE_LEFT, bar.m_state.nEdge);
    EXPECT_EQ(48u, bar.m_state.cbSize);
}

TEST_F(DockingBar, UnknownPositionsStayOnScreenWithoutIndexingTheThicknesses)
{
    for (int nEdge : { 7, 4, -3, -1000, INT_MIN, INT_MAX }) {
        SCOPED_TRACE(nEdge);
        DOCKBARSTATE state = MakeState(nEdge);
        m_bar.SetBarState(&state);
        EXPECT_EQ(nEdge, m_bar.m_state.nEdge) << "the value is carried as it is";
        EXPECT_EQ(CRect(100, 100, 508, 145), WindowRect());
        EXPECT_EQ(nEdge, m_bar.m_edgeChanges.back().nEdge);
        RECT rc = { 1, 1, 2, 2 };
        m_bar.GetDockRect(nEdge, &rc);
        EXPECT_EQ(CRect(1, 1, 2, 2), CRect(rc));
        EXPECT_FALSE(m_bar.CalcAutoHideRect(TRUE, &rc));
    }
    m_bar.SetDockState(DBE_NONE);
    EXPECT_FALSE(m_shell.IsRegistered(m_bar.m_hWnd));
}

TEST_F(DockingBar, SystemMoveHangsTheFloatingRectangleFromTheCursor)
{
    DOCKBARSTATE state = MakeState(ABE_BOTTOM);
    m_bar.SetBarState(&state);
    SendMessageA(m_bar.m_hWnd, WM_ENTERSIZEMOVE, 0, 0);
    EXPECT_EQ(ABE_BOTTOM, m_bar.m_nProposedEdge);

    SetMessagePos(m_bar.m_hWnd, 500, 300);
    RECT rcDrag = { 0, SCREEN_CY - 32, SCREEN_CX, SCREEN_CY };
    SendMessageA(m_bar.m_hWnd, WM_MOVING, WMSZ_TOP, (LPARAM)&rcDrag);
    EXPECT_EQ(DBE_FLOAT, m_bar.m_nProposedEdge);
    EXPECT_EQ(CRect(500 - 204, 300, 500 + 204, 345), CRect(rcDrag));
    EXPECT_TRUE(m_bar.m_edgeChanges.back().bProposed);
    EXPECT_EQ(DBE_FLOAT, m_bar.m_edgeChanges.back().nEdge);
    EXPECT_EQ(DBE_FLOAT, m_bar.GetEffectiveEdge());

    // Still floating: the system's rectangle is left alone.
    SetMessagePos(m_bar.m_hWnd, 520, 310);
    RECT rcNext = { 10, 20, 418, 65 };
    SendMessageA(m_bar.m_hWnd, WM_MOVING, WMSZ_TOP, (LPARAM)&rcNext);
    EXPECT_EQ(CRect(10, 20, 418, 65), CRect(rcNext));

    m_bar.SetWindowPos(nullptr, 10, 20, 408, 45, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(m_bar.m_hWnd, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(DBE_NONE, m_bar.m_nProposedEdge);
    EXPECT_EQ(DBE_FLOAT, m_bar.m_state.nEdge);
    EXPECT_EQ(CRect(10, 20, 418, 65), CRect(m_bar.m_state.rcFloat));
    EXPECT_EQ(32, m_bar.m_state.anDockSize[ABE_BOTTOM]);
}

TEST_F(DockingBar, ThicknessIsStoredOnlyForTheSameEdge)
{
    DOCKBARSTATE state = MakeState(ABE_BOTTOM);
    m_bar.SetBarState(&state);

    // Resized where it is: the new thickness is kept for that edge.
    SendMessageA(m_bar.m_hWnd, WM_ENTERSIZEMOVE, 0, 0);
    m_bar.SetWindowPos(nullptr, 0, SCREEN_CY - 40, SCREEN_CX, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(m_bar.m_hWnd, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(40, m_bar.m_state.anDockSize[ABE_BOTTOM]);
    EXPECT_EQ(CRect(0, SCREEN_CY - 40, SCREEN_CX, SCREEN_CY), WindowRect());

    // Moved to another edge: no thickness is stored anywhere.
    SendMessageA(m_bar.m_hWnd, WM_ENTERSIZEMOVE, 0, 0);
    SetMessagePos(m_bar.m_hWnd, 1, SCREEN_CY / 2);
    RECT rcDrag = WindowRect();
    SendMessageA(m_bar.m_hWnd, WM_MOVING, WMSZ_TOP, (LPARAM)&rcDrag);
    EXPECT_EQ(CRect(0, 0, 32, SCREEN_CY), CRect(rcDrag));
    SendMessageA(m_bar.m_hWnd, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(ABE_LEFT, m_bar.m_state.nEdge);
    EXPECT_EQ(32, m_bar.m_state.anDockSize[ABE_LEFT]);
    EXPECT_EQ(40, m_bar.m_state.anDockSize[ABE_BOTTOM]);

    // A stray end of a move that never began changes nothing.
    size_t nChanges = m_bar.m_edgeChanges.size();
    SendMessageA(m_bar.m_hWnd, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(ABE_LEFT, m_bar.m_state.nEdge);
    EXPECT_EQ(nChanges, m_bar.m_edgeChanges.size());
}

TEST_F(DockingBar, OnlyTheInnerEdgeOfADockedBarSizes)
{
    m_bar.ModifyStyle(0, WS_THICKFRAME);
    DOCKBARSTATE state = MakeState(ABE_BOTTOM);
    state.anDockSize[ABE_BOTTOM] = 60;
    m_bar.SetBarState(&state);
    CRect rc = WindowRect();
    auto hit = [&](int x, int y) {
        return (int)SendMessageA(m_bar.m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    };
    EXPECT_EQ(HTBORDER, hit(rc.left + 200, rc.top + 1)) << "no increment: not resizable";
    m_bar.m_cySizeInc = 8;
    EXPECT_EQ(HTTOP, hit(rc.left + 200, rc.top + 1));
    EXPECT_EQ(HTBORDER, hit(rc.left + 1, rc.top + 30));
    EXPECT_EQ(HTCLIENT, hit(rc.left + 200, rc.top + 30));

    m_bar.SetDockState(DBE_FLOAT);
    rc = WindowRect();
    int nHit = hit(rc.left + 1, rc.top + rc.Height() / 2);
    EXPECT_TRUE(nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT) << "a floating bar keeps the system's answer, not " << nHit;
}

TEST_F(DockingBar, SizingSnapsToTheIncrementAndIgnoresAZeroOne)
{
    m_bar.SetDockState(DBE_FLOAT);
    CRect rcWindow = WindowRect();
    RECT rc = { 100, 100, 100 + 217, 100 + 33 };
    SendMessageA(m_bar.m_hWnd, WM_SIZING, WMSZ_BOTTOMRIGHT, (LPARAM)&rc);
    EXPECT_EQ(CRect(100, 100, 100 + rcWindow.Width(), 100 + rcWindow.Height()), CRect(rc));

    m_bar.m_cxSizeInc = 10;
    m_bar.m_cySizeInc = 10;
    CRect rcFrame(0, 0, 0, 0);
    AdjustWindowRectEx(&rcFrame, m_bar.GetStyle(), FALSE, m_bar.GetExStyle());
    rc = { 100, 100, 100 + rcFrame.Width() + 215, 100 + rcFrame.Height() + 34 };
    SendMessageA(m_bar.m_hWnd, WM_SIZING, WMSZ_TOPLEFT, (LPARAM)&rc);
    EXPECT_EQ(220, CRect(rc).Width() - rcFrame.Width()) << "halves round up";
    EXPECT_EQ(30, CRect(rc).Height() - rcFrame.Height());
    EXPECT_EQ(100 + rcFrame.Width() + 215, rc.right) << "only the dragged sides move";
}

TEST_F(DockingBar, NotificationsReachTheirHandlers)
{
    DOCKBARSTATE state = MakeState(ABE_BOTTOM);
    m_bar.SetBarState(&state);
    UINT uStart = m_bar.m_uTaskbarState;

    EXPECT_EQ(0, SendMessageA(m_bar.m_hWnd, g_uAppBarNotifyMessage, 4, 1));
    EXPECT_EQ(0, SendMessageA(m_bar.m_hWnd, g_uAppBarNotifyMessage, (WPARAM)-1, 1));

    m_shell.m_uTaskbarState = ABS_AUTOHIDE;
    m_shell.Notify(ABN_STATECHANGE, 0);
    EXPECT_EQ(uStart, m_bar.m_uTaskbarState) << "not following: nothing changes";
    EXPECT_TRUE(m_bar.m_stateChanges.empty());

    m_bar.m_bFollowTaskbarState = TRUE;
    m_shell.Notify(ABN_STATECHANGE, 0);
    ASSERT_EQ(1u, m_bar.m_stateChanges.size());
    EXPECT_EQ((uStart ^ ABS_AUTOHIDE) & 3, m_bar.m_stateChanges[0].first);
    EXPECT_EQ((UINT)ABS_AUTOHIDE, m_bar.m_stateChanges[0].second);
    EXPECT_EQ((UINT)ABS_AUTOHIDE, m_bar.m_uTaskbarState);

    m_shell.Notify(ABN_WINDOWARRANGE, TRUE);
    ASSERT_EQ(1u, m_bar.m_arranges.size());
    EXPECT_TRUE(m_bar.m_arranges[0]);

    // A plain docked bar takes the rectangle the shell grants now.
    int nSetPos = m_shell.Count(ABM_SETPOS);
    SetRect(&m_shell.m_rcTaskbar, 0, SCREEN_CY - 20, SCREEN_CX, SCREEN_CY);
    m_shell.Notify(ABN_POSCHANGED, 0);
    EXPECT_EQ(nSetPos + 1, m_shell.Count(ABM_SETPOS));
    EXPECT_EQ(CRect(0, SCREEN_CY - 52, SCREEN_CX, SCREEN_CY - 20), WindowRect());

    m_bar.SetDockState(DBE_FLOAT);
    nSetPos = m_shell.Count(ABM_SETPOS);
    m_shell.Notify(ABN_POSCHANGED, 0);
    EXPECT_EQ(nSetPos, m_shell.Count(ABM_SETPOS)) << "a floating bar stays where it is";

    m_shell.Notify(ABN_FULLSCREENAPP, TRUE);
    EXPECT_TRUE(m_bar.m_bFullScreenApp);
}

TEST(DockingBarLifetime, CreationRegistersAndDestructionRemoves)
{
    FakeAppBarShell shell;
    CTestBar bar;
    ASSERT_TRUE(bar.Create(IDD_CONTROLLER, nullptr));
    HWND hWnd = bar.m_hWnd;
    EXPECT_TRUE(shell.IsRegistered(hWnd));
    EXPECT_EQ(1, shell.Count(ABM_NEW));
    EXPECT_EQ(1, shell.Count(ABM_GETSTATE)) << "read once, by the constructor";
    bar.DestroyWindow();
    EXPECT_FALSE(shell.IsRegistered(hWnd));
    EXPECT_EQ(nullptr, bar.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}
