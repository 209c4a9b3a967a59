// The docking base on real dialog windows; the shell double stands in for the app-bar service.
#include "tests/support/BarFixture.h"
#include "dockbar/DockingBarDlg.h"
#include "res/resource.h"

namespace {

const DWORD LR = DBF_ALLOWLEFTRIGHT, TB = DBF_ALLOWTOPBOTTOM, F = DBF_ALLOWFLOAT, LTF = LR | TB | F;
const DWORD ALL = LTF | DBF_ALLOWAUTOHIDE | DBF_ALLOWALWAYSONTOP;
const RECT FLOATING = { 100, 100, 508, 145 };

// Notes the positions it is told of, every place its window takes and every auto-hide poll.
class CTestBar : public CDockingBarDlg {
public:
    CTestBar() : CDockingBarDlg(IDD_CONTROLLER, nullptr) { m_dwFlags = ALL; }
    using CDockingBarDlg::ShowAutoHideBar, CDockingBarDlg::SlideWindow, CDockingBarDlg::m_bAutoHideShown,
        CDockingBarDlg::m_bFollowTaskbarState, CDockingBarDlg::m_dwFlags, CDockingBarDlg::m_nProposedEdge,
        CDockingBarDlg::m_state, CDockingBarDlg::m_uTaskbarState;
    ~CTestBar() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
    void Dock(int nEdge, BOOL bAutoHide = FALSE, BOOL bOnTop = FALSE) // 50 thick left, 40 top, 32 right, 45 bottom
    {
        DOCKBARSTATE s = { 48, nEdge, bAutoHide, bOnTop, { 50, 40, 32, 45 }, FLOATING };
        SetBarState(&s);
    }
    void Place(const RECT& r)
    {
        SetWindowPos(nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
    }
    RECT Rect() const { return WindowRect(m_hWnd); }
    bool Told(BOOL b, int n) const { return m_edges.size() && m_edges.back() == std::pair(b, n); }
    std::vector<std::pair<BOOL, int>> m_edges;
    std::vector<RECT> m_moves;
    int m_nPolls = 0;

protected:
    void OnEdgeChanged(BOOL bProposed, int nEdge) override { m_edges.push_back({ bProposed, nEdge }); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WINDOWPOSCHANGED)
            m_moves.push_back(Rect());
        m_nPolls += message == WM_TIMER && wParam == DB_AUTOHIDE_TIMER;
        return CDockingBarDlg::WindowProc(message, wParam, lParam);
    }
};

bool IsTopmost(HWND hWnd)
{
    return (GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}
// A tick counter that moves on by a fixed step at each reading; a slide that never ends fails.
DWORD s_dwNow, s_dwStep, s_nReads;
DWORD WINAPI FakeTicks()
{
    return ++s_nReads > 999 ? throw "endless slide" : (s_dwNow += s_dwStep) - s_dwStep;
}

class DockBar : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_bar.Create(IDD_CONTROLLER, nullptr)); }
    FakeAppBarShell m_shell;
    CTestBar m_bar;
};

} // namespace

TEST_F(DockBar, TheMoveLoopProposesAPositionFromThePointerAndKeepsWhatTheUserDid)
{
    const int v = GetSystemMetrics(SM_CXVSCROLL), w = GetSystemMetrics(SM_CYHSCROLL);
    const struct {
        DWORD dwFlags;
        bool bCtrl;
        int x, y, nEdge;
    } points[] = {
        { LR, 0, 512, 384, ABE_RIGHT },
        { LR | TB, 0, 512, 384, ABE_RIGHT },
        { TB, 0, 512, 384, ABE_BOTTOM },
        { LR | TB, 0, 100, 74, ABE_TOP },
        { LR | TB, 0, 100, 75, ABE_LEFT },
        { LR | TB, 0, 912, 685, ABE_BOTTOM },
        { TB, 0, 0, 383, ABE_TOP },
        { LR, 0, 511, 0, ABE_LEFT },
        { 0, 0, 500, 0, ABE_LEFT },
        { F, 0, 0, 0, DBE_FLOAT },
        // Floating allowed: only a band one scroll bar wide along the work area docks.
        { LTF, 0, v, 384, DBE_FLOAT },
        { LTF, 0, v - 1, 384, ABE_LEFT },
        { LTF, 0, 512, w, DBE_FLOAT },
        { LTF, 0, 512, w - 1, ABE_TOP },
        { LTF, 0, 1023 - v, 384, DBE_FLOAT },
        { LTF, 0, 512, 768 - w, ABE_BOTTOM },
        { LR | TB, 1, 1, 384, ABE_LEFT },
        { LTF, 1, 1, 384, DBE_FLOAT }, // Ctrl floats where floating is allowed
    };
    for (const auto& c : points) {
        SCOPED_TRACE(testing::Message() << "flags " << c.dwFlags << " ctrl " << c.bCtrl << " at " << c.x << "," << c.y);
        m_bar.m_dwFlags = c.dwFlags;
        KeyDown ctrl(c.bCtrl ? VK_CONTROL : VK_F24);
        EXPECT_EQ(c.nEdge, m_bar.CalcProposedEdge({ c.x, c.y }));
    }
    HWND h = m_bar.m_hWnd;
    const RECT rcUser = { 9, 9, 417, 54 }, rcLeft = { 0, 0, 50, 768 };
    // A move from an edge, the cursor at (x, y) unless x < 0, and the window where the user left it.
    const struct {
        int nFrom, x, y;
        RECT rcProposed, rcUser, rcEnd;
        int anSize[4];
        RECT rcFloat;
    } moves[] = {
        { ABE_BOTTOM, 500, 300, { 296, 300, 704, 345 }, rcUser, rcUser, { 50, 40, 32, 45 }, rcUser },
        { DBE_FLOAT, 520, 310, FLOATING, rcUser, rcUser, { 50, 40, 32, 45 }, rcUser },
        { ABE_BOTTOM, 1, 384, rcLeft, { 0, 0, 77, 768 }, rcLeft, { 50, 40, 32, 45 }, FLOATING },
        { ABE_BOTTOM, -1, 0, {}, { 0, 700, 1024, 768 }, { 0, 700, 1024, 768 }, { 50, 40, 32, 68 }, FLOATING },
        { ABE_RIGHT, -1, 0, {}, { 950, 0, 1024, 768 }, { 950, 0, 1024, 768 }, { 50, 40, 74, 45 }, FLOATING },
    };
    for (const auto& c : moves) {
        SCOPED_TRACE(testing::Message() << "from " << c.nFrom << " to " << c.x << "," << c.y);
        m_bar.Dock(c.nFrom);
        SendMessageA(h, WM_ENTERSIZEMOVE, 0, 0);
        RECT rc = m_bar.Rect();
        if (c.x >= 0)
            SetMessagePos(h, c.x, c.y), SendMessageA(h, WM_MOVING, WMSZ_TOP, (LPARAM)&rc);
        EXPECT_TRUE(c.x < 0 || (rc == c.rcProposed && m_bar.Told(TRUE, m_bar.GetEffectiveEdge()))) << rc;
        m_bar.Place(c.rcUser);
        SendMessageA(h, WM_EXITSIZEMOVE, 0, 0);
        EXPECT_TRUE(!memcmp(c.anSize, m_bar.m_state.anDockSize, sizeof c.anSize) && m_bar.m_state.rcFloat == c.rcFloat);
        EXPECT_TRUE(m_bar.m_nProposedEdge == DBE_NONE && m_bar.Rect() == c.rcEnd) << m_bar.Rect();
    }
    SendMessageA(h, WM_EXITSIZEMOVE, 0, 0); // with no move begun: nothing happens
    EXPECT_TRUE(m_shell.IsRegistered(h) && m_bar.m_state.nEdge == ABE_RIGHT);
}

TEST_F(DockBar, EachPositionHasItsRectangleReservationAndZOrder)
{
    ASSERT_TRUE(MouseMove(512, 300)); // away from every place the bar takes
    SetRect(&m_shell.m_rcTaskbar, 0, 738, 1024, 768); // a taskbar 30 high at the bottom
    const struct {
        int nEdge;
        BOOL bAutoHide, bOnTop;
        RECT rc, rcShown;
        int nReserved;
    } cases[] = {
        { ABE_LEFT, FALSE, FALSE, { 0, 0, 50, 738 }, { 0, 0, 50, 738 }, ABE_LEFT },
        { ABE_TOP, FALSE, TRUE, { 0, 0, 1024, 40 }, { 0, 0, 1024, 40 }, ABE_TOP },
        { ABE_RIGHT, FALSE, FALSE, { 992, 0, 1024, 738 }, { 992, 0, 1024, 738 }, ABE_RIGHT },
        { ABE_BOTTOM, FALSE, TRUE, { 0, 693, 1024, 738 }, { 0, 693, 1024, 738 }, ABE_BOTTOM },
        // An auto-hide bar reserves nothing, spans the whole side and is first placed hidden.
        { ABE_LEFT, TRUE, FALSE, { -48, 0, 2, 768 }, { 0, 0, 50, 768 }, -1 },
        { ABE_TOP, TRUE, TRUE, { 0, -38, 1024, 2 }, { 0, 0, 1024, 40 }, -1 },
        { ABE_RIGHT, TRUE, FALSE, { 1022, 0, 1054, 768 }, { 992, 0, 1024, 768 }, -1 },
        { ABE_BOTTOM, TRUE, FALSE, { 0, 766, 1024, 811 }, { 0, 723, 1024, 768 }, -1 },
        { DBE_FLOAT, TRUE, TRUE, FLOATING, FLOATING, -1 },
        { 4, FALSE, FALSE, FLOATING, FLOATING, -1 },
        { -1000, TRUE, FALSE, FLOATING, FLOATING, -1 },
    };
    HWND h = m_bar.m_hWnd;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "edge " << c.nEdge << " auto-hide " << c.bAutoHide);
        m_bar.m_bAutoHideShown = FALSE; // as if the cursor had never been on it
        m_bar.Dock(c.nEdge, c.bAutoHide, c.bOnTop);
        RECT rcReserved;
        EXPECT_EQ(c.nReserved, m_shell.ReservedEdge(h, &rcReserved));
        EXPECT_TRUE(m_bar.Rect() == c.rc && rcReserved == (c.nReserved == -1 ? RECT {} : c.rc)) << m_bar.Rect();
        EXPECT_EQ(c.bAutoHide && c.nEdge >= 0, m_shell.AutoHideBar(c.nEdge & 3) == h);
        EXPECT_TRUE(IsTopmost(h) == !!c.bOnTop && m_bar.Told(FALSE, c.nEdge));
        m_bar.ShowAutoHideBar(TRUE);
        EXPECT_TRUE(m_bar.m_bAutoHideShown && m_bar.Rect() == c.rcShown) << m_bar.Rect();
        m_bar.ShowAutoHideBar(FALSE);
        EXPECT_TRUE(m_bar.m_bAutoHideShown == (c.rc == c.rcShown) && m_bar.Rect() == c.rc) << m_bar.Rect();
    }
    EXPECT_EQ(sizeof(void*) == 4 ? 36u : 48u, m_shell.Last(ABM_NEW)->abd.cbSize) << "the whole record";
    EXPECT_TRUE(m_bar.DestroyWindow() && !m_shell.IsRegistered(h));
}

TEST_F(DockBar, ASecondAutoHideBarOnAnEdgeIsToldAndReservesItsStrip)
{
    CTestBar second;
    ASSERT_TRUE(second.Create(IDD_CONTROLLER, nullptr));
    second.SetWindowText("Second bar");
    second.ShowWindow(SW_HIDE); // so that the only dialog with its title is the refusal
    std::string strBox; // what the refusal showed, closed at once
    HWND hBox = nullptr;
    ModalScript script;
    script.WaitFor("Second bar", &hBox).Do([&] {
        char sz[256] = "";
        GetDlgItemTextA(hBox, 0xFFFF, sz, sizeof sz);
        bool bHand = SendDlgItemMessageA(hBox, 0x440, STM_GETICON, 0, 0) == (LRESULT)LoadIconA(nullptr, IDI_HAND);
        strBox = sz + std::string(bHand && !GetWindow(hBox, GW_OWNER) ? " (hand, no owner)" : " (?)");
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    });
    m_bar.Dock(ABE_BOTTOM, TRUE);
    script.Run([&] { second.Dock(ABE_BOTTOM, TRUE); });
    EXPECT_EQ("There is already an auto hidden window on this edge.\n"
              "Only one auto hidden window is allowed on each edge. (hand, no owner)",
              strBox);
    EXPECT_TRUE(!second.m_state.bAutoHide && m_shell.AutoHideBar(ABE_BOTTOM) == m_bar.m_hWnd);
    RECT rc, rcDocked = { 0, 723, 1024, 768 };
    EXPECT_TRUE(m_shell.ReservedEdge(second.m_hWnd, &rc) == ABE_BOTTOM && rc == rcDocked && second.Rect() == rc) << rc;
}

TEST_F(DockBar, TheShellsNotificationsAreFollowed)
{
    HWND h = m_bar.m_hWnd;
    EXPECT_TRUE(m_bar.m_state.bAlwaysOnTop && IsTopmost(h)) << "made with the taskbar always on top";
    const RECT rcOut = { 0, 723, 1024, 768 }, rcIn = { 0, 766, 1024, 811 };
    const DWORD NOHIDE = ALL & ~DBF_ALLOWAUTOHIDE, NOTOP = ALL & ~DBF_ALLOWALWAYSONTOP;
    // The taskbar's state was 2 when the bar was made; bShown slides the bar out before the change.
    const struct {
        DWORD dwFlags;
        BOOL bFollow;
        UINT uTaskbar;
        BOOL bShown, bAutoHide, bOnTop;
        RECT rc;
    } steps[] = {
        { ALL, 0, 3, 0, 0, 0, rcOut }, { ALL, 1, 3, 0, 1, 0, rcIn },  { ALL, 1, 3, 1, 1, 0, rcOut },
        { ALL, 1, 1, 1, 1, 0, rcIn },  { ALL, 1, 3, 0, 1, 1, rcIn },  { NOHIDE, 1, 2, 1, 1, 1, rcOut },
        { ALL, 1, 3, 1, 1, 1, rcOut }, { ALL, 1, 2, 0, 0, 1, rcOut }, { NOTOP, 1, 0, 0, 0, 1, rcOut },
    };
    m_bar.Dock(ABE_BOTTOM);
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "taskbar " << s.uTaskbar << " flags " << s.dwFlags);
        m_bar.m_dwFlags = s.dwFlags, m_bar.m_bFollowTaskbarState = s.bFollow, m_shell.m_uTaskbarState = s.uTaskbar;
        if (s.bShown)
            SendMessageA(h, WM_NCHITTEST, 0, 0);
        m_shell.Notify(ABN_STATECHANGE, 0);
        EXPECT_TRUE(m_bar.m_state.bAutoHide == s.bAutoHide && (m_shell.AutoHideBar(ABE_BOTTOM) == h) == s.bAutoHide);
        EXPECT_TRUE(m_bar.m_state.bAlwaysOnTop == s.bOnTop && IsTopmost(h) == !!s.bOnTop);
        EXPECT_TRUE(m_bar.m_uTaskbarState == (s.bFollow ? s.uTaskbar : 2) && m_bar.Rect() == s.rc) << m_bar.Rect();
    }
    // The taskbar grows from nothing to 20 high just before each notification.
    const struct {
        int nEdge;
        BOOL bAutoHide, bOnTop;
        UINT uCode, b;
        RECT rc;
        bool bMoved, bTop, bBottom;
    } cases[] = {
        { ABE_BOTTOM, FALSE, FALSE, ABN_POSCHANGED, 0, { 0, 703, 1024, 748 }, true, false, false },
        { ABE_BOTTOM, TRUE, FALSE, ABN_POSCHANGED, 0, rcOut, false, false, false },
        { DBE_FLOAT, FALSE, TRUE, ABN_POSCHANGED, 0, FLOATING, false, true, false },
        { DBE_FLOAT, FALSE, FALSE, ABN_FULLSCREENAPP, TRUE, FLOATING, true, false, false },
        { ABE_LEFT, FALSE, TRUE, ABN_FULLSCREENAPP, TRUE, { 0, 0, 50, 748 }, true, false, true },
        { DBE_FLOAT, FALSE, TRUE, 4, 0, FLOATING, false, false, true },
        { DBE_FLOAT, FALSE, TRUE, ABN_FULLSCREENAPP, FALSE, FLOATING, true, true, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "edge " << c.nEdge << " code " << c.uCode << " " << c.b);
        SetRectEmpty(&m_shell.m_rcTaskbar);
        m_bar.Dock(c.nEdge, c.bAutoHide, c.bOnTop);
        SetRect(&m_shell.m_rcTaskbar, 0, 748, 1024, 768);
        size_t nChanges = m_bar.m_edges.size();
        EXPECT_EQ(0, SendMessageA(h, g_uAppBarNotifyMessage, c.uCode, c.b));
        EXPECT_TRUE(m_bar.Rect() == c.rc && (m_bar.m_edges.size() > nChanges) == c.bMoved) << m_bar.Rect();
        EXPECT_TRUE(IsTopmost(h) == c.bTop && (GetWindow(h, GW_HWNDNEXT) == nullptr) == c.bBottom);
    }
}

TEST_F(DockBar, AfterAShellRestartOrAScreenChangeTheBarTakesItsPlaceAgain)
{
    CTestBar second;
    ASSERT_TRUE(second.Create(IDD_CONTROLLER, nullptr));
    second.Dock(ABE_BOTTOM, TRUE);
    m_bar.Dock(ABE_TOP);
    m_shell.Restart();
    RECT rc, rcTop = { 0, 0, 1024, 40 };
    EXPECT_TRUE(m_shell.ReservedEdge(m_bar.m_hWnd, &rc) == ABE_TOP && rc == rcTop) << rc;
    EXPECT_EQ(second.m_hWnd, m_shell.AutoHideBar(ABE_BOTTOM)) << "its edge claimed again";
    m_bar.Place({ 5, 5, 50, 50 });
    SendMessageA(m_bar.m_hWnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(rcTop, m_bar.Rect()) << "the new screen spanned";
    const struct {
        RECT rcFloat, rc;
    } cases[] = {
        // on no monitor: moved onto the nearest; else kept
        { { 5000, 5000, 5408, 5045 }, { 616, 723, 1024, 768 } },
        { { -2000, -100, -1592, -55 }, { 0, 0, 408, 45 } },
        { { -100, 10, 308, 55 }, { -100, 10, 308, 55 } },
        { { 1000, 700, 1408, 745 }, { 1000, 700, 1408, 745 } },
    };
    for (const auto& c : cases) {
        DOCKBARSTATE s = { 48, DBE_FLOAT, FALSE, FALSE, { 32, 32, 32, 32 }, c.rcFloat };
        m_bar.SetBarState(&s);
        EXPECT_EQ(c.rc, m_bar.Rect()) << c.rcFloat;
    }
}

TEST_F(DockBar, TheSlideStepsFollowTheTickCounterInAStraightLine)
{
    const RECT rcTo = { 500, 400, 600, 500 }, rcAt390 = { 490, 392, 598, 490 };
    // Counter start and step at each reading; move i of n, the last being the target.
    const struct {
        BOOL bFullDrag;
        DWORD dwStart, dwStep;
        RECT rcFrom;
        size_t n, i;
        RECT rcAt;
    } cases[] = {
        { TRUE, 1000, 100, FLOATING, 4, 2, { 400, 325, 577, 411 } },
        { TRUE, 1000, 10, FLOATING, 40, 38, rcAt390 },
        { TRUE, 1000, 10, FLOATING, 40, 0, { 110, 107, 511, 153 } },
        { TRUE, 0xFFFFFE6F, 10, FLOATING, 40, 38, rcAt390 },
        { TRUE, 0xFFFFFE70, 10, FLOATING, 1, 0, rcTo },
        { TRUE, 0xFFFFFF00, 10, FLOATING, 1, 0, rcTo },
        { TRUE, 1000, 10, rcTo, 1, 0, rcTo },
        { FALSE, 1000, 10, FLOATING, 1, 0, rcTo }, // the default: no slide
    };
    CDockingBarDlg::s_pfnGetTickCount = FakeTicks;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.dwStart << " step " << c.dwStep << " drag " << c.bFullDrag);
        SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, c.bFullDrag, nullptr, 0);
        m_bar.Place(c.rcFrom);
        m_bar.m_moves.clear(), s_dwNow = c.dwStart, s_dwStep = c.dwStep, s_nReads = 0;
        m_bar.SlideWindow(&rcTo);
        EXPECT_EQ(c.n, m_bar.m_moves.size());
        EXPECT_TRUE(m_bar.m_moves.size() > c.i && m_bar.m_moves[c.i] == c.rcAt && m_bar.Rect() == rcTo);
    }
    CDockingBarDlg::s_pfnGetTickCount = GetTickCount;
}

TEST_F(DockBar, TheCursorAndTheActivationShowAndHideAnAutoHideBar)
{
    // Wine hears of the pointer only over its own windows: one of ours stands in for the desktop, off the strips.
    HWND hDesk = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 2, 1022, 766, nullptr, nullptr, nullptr, 0);
    HWND h = m_bar.m_hWnd;
    auto polls = [&](int n) {
        int n0 = m_bar.m_nPolls;
        return WaitUntil([&] { return m_bar.m_nPolls >= n0 + n; });
    };
    // Other windows of the session take the activation now and then: it is taken back.
    auto settled = [&](HWND hActive, RECT rc) {
        return WaitUntil(
            [&] { return (GetActiveWindow() == hActive || (SetForegroundWindow(hActive), 0)) && m_bar.Rect() == rc; },
            1500);
    };
    const int cx = 2 * GetSystemMetrics(SM_CXDOUBLECLK), cy = 2 * GetSystemMetrics(SM_CYDOUBLECLK);
    // The strip, the farthest point within the margin, and one step farther.
    const struct {
        int nEdge;
        POINT ptStrip, ptNear, ptFar;
        RECT rcHidden, rcShown;
    } cases[] = {
        { ABE_RIGHT, { 1023, 9 }, { 992 - cx, 9 }, { 991 - cx, 9 }, { 1022, 0, 1054, 768 }, { 992, 0, 1024, 768 } },
        { ABE_TOP, { 512, 0 }, { 512, 39 + cy }, { 512, 40 + cy }, { 0, -38, 1024, 2 }, { 0, 0, 1024, 40 } },
    };
    ASSERT_TRUE(MouseMove(512, 384));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "edge " << c.nEdge);
        m_bar.Dock(c.nEdge, TRUE, TRUE);
        ASSERT_TRUE(settled(hDesk, c.rcHidden));
        EXPECT_TRUE(MouseMove(c.ptStrip.x, c.ptStrip.y) && settled(hDesk, c.rcShown)) << "the strip brings it out";
        EXPECT_TRUE(MouseMove(c.ptNear.x, c.ptNear.y) && polls(2) && m_bar.Rect() == c.rcShown) << m_bar.Rect();
        EXPECT_TRUE(MouseMove(c.ptFar.x, c.ptFar.y) && settled(hDesk, c.rcHidden)) << m_bar.Rect();
    }
    // An active bar stays out wherever the cursor is, and hides as soon as it loses the activation.
    const RECT rcHidden = { 0, -38, 1024, 2 }, rcShown = { 0, 0, 1024, 40 };
    EXPECT_TRUE(MouseMove(512, 0) && settled(h, rcShown) && MouseMove(512, 384) && polls(2));
    EXPECT_TRUE(GetActiveWindow() != h || m_bar.Rect() == rcShown) << m_bar.Rect();
    m_bar.KillTimer(DB_AUTOHIDE_TIMER);
    int nActivates = m_shell.Count(ABM_ACTIVATE, h);
    EXPECT_TRUE(settled(h, rcShown) && settled(hDesk, rcHidden) && m_shell.Count(ABM_ACTIVATE, h) > nActivates);
    DestroyWindow(hDesk);
}
