// The docking base on real dialog windows; the shell double stands in for the app-bar service.
#include "tests/support/BarFixture.h"
#include "dockbar/DockingBarDlg.h"
#include "res/resource.h"

#pragma GCC diagnostic ignored "-Wmissing-field-initializers" // a table row leaves out what is zero

namespace {

const RECT FLOATING = { 100, 100, 508, 145 };
const DWORD EVERY_PERMISSION =
    DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM | DBF_ALLOWFLOAT | DBF_ALLOWAUTOHIDE | DBF_ALLOWALWAYSONTOP;

// Notes the positions it is told are proposed, and every place its window takes.
class CTestBar : public CDockingBarDlg {
public:
    CTestBar() : CDockingBarDlg(IDD_CONTROLLER, nullptr) { m_dwFlags = EVERY_PERMISSION; }
    using CDockingBarDlg::GetAutoHideEdge, CDockingBarDlg::ShowAutoHideBar, CDockingBarDlg::SlideWindow,
        CDockingBarDlg::m_bAutoHideShown, CDockingBarDlg::m_bFollowTaskbarState, CDockingBarDlg::m_dwFlags,
        CDockingBarDlg::m_state, CDockingBarDlg::m_uTaskbarState;
    ~CTestBar() override { DestroyWindow(); }
    // Thicknesses differ by edge: 50 left, 40 top, 32 right, 45 bottom.
    void Dock(int nEdge, BOOL bAutoHide = FALSE, BOOL bOnTop = FALSE)
    {
        DOCKBARSTATE s = { sizeof s, nEdge, bAutoHide, bOnTop, { 50, 40, 32, 45 }, FLOATING };
        SetBarState(&s);
    }
    void Place(const RECT& r) { SetWindowPos(nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, 0); }
    RECT Rect() const { return WindowRect(m_hWnd); }
    bool IsTopmost() const { return (GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    int m_nProposed = DBE_NONE;
    std::vector<RECT> m_moves;
    int m_nDenials = 0;

protected:
    void OnAutoHideDenied() override { m_nDenials++; } // counted instead of the message box, which would wait
    void OnEdgeChanged(BOOL bProposed, int nEdge) override
    {
        if (bProposed)
            m_nProposed = nEdge;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WINDOWPOSCHANGED)
            m_moves.push_back(Rect());
        return CDockingBarDlg::WindowProc(message, wParam, lParam);
    }
};

// A tick counter 100 ms later at each reading; a slide that never ends fails.
struct {
    DWORD dwNow;
    int nReads;
} s_ticks;
DWORD WINAPI FakeTicks()
{
    s_ticks.dwNow += 100;
    if (++s_ticks.nReads < 1000)
        return s_ticks.dwNow - 100; // the first reading is the start
    ADD_FAILURE() << "the slide never ends";
    return 0xFFFFFFFF; // later than any end
}
// Other windows of the session take the activation now and then: it is taken back until it holds.
bool Activate(HWND hWnd)
{
    return WaitUntil([hWnd] {
        if (GetActiveWindow() != hWnd)
            SetForegroundWindow(hWnd);
        return GetActiveWindow() == hWnd && GetForegroundWindow() == hWnd;
    });
}
class DockBar : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_bar.Create(IDD_CONTROLLER, nullptr)); }
    FakeAppBarShell m_shell;
    CTestBar m_bar;
};

} // namespace

TEST_F(DockBar, ThePointerProposesAnEdgeAsThePermissionsAllow)
{
    const int cxBand = GetSystemMetrics(SM_CXVSCROLL); // the band along the work area that docks
    const DWORD DBF_EDGES = DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM;
    const DWORD DBF_ANY = DBF_EDGES | DBF_ALLOWFLOAT;
    const struct {
        DWORD dwFlags;
        POINT pt;
        int nEdge;
        const char* pszWhy;
    } cases[] = {
        { .dwFlags = DBF_ALLOWTOPBOTTOM, .pt = { 0, 383 }, .nEdge = ABE_TOP, .pszWhy = "far left, no sides" },
        { .dwFlags = DBF_EDGES, .pt = { 100, 74 }, .nEdge = ABE_TOP, .pszWhy = "farther out vertically" },
        { .dwFlags = DBF_EDGES, .pt = { 100, 75 }, .nEdge = ABE_LEFT, .pszWhy = "as far out both ways" },
        { .dwFlags = DBF_ANY, .pt = { cxBand, 384 }, .nEdge = DBE_FLOAT, .pszWhy = "inside the left band" },
        { .dwFlags = DBF_ANY, .pt = { cxBand - 1, 384 }, .nEdge = ABE_LEFT, .pszWhy = "in the left band" },
    };
    for (const auto& c : cases) {
        m_bar.m_dwFlags = c.dwFlags;
        EXPECT_EQ(c.nEdge, m_bar.CalcProposedEdge(c.pt)) << c.pszWhy;
    }
}

// The system's move loop from a docked or floating place through a point; the user leaves the bar at USER.
TEST_F(DockBar, AMoveProposesAPlaceAndEndsThere)
{
    const RECT USER = { 9, 9, 417, 54 };
    const struct {
        int nFrom, nTo;
        POINT pt;
        RECT rc, rcEnd; // the drag rectangle as the move proposes it, and where the bar ends
    } cases[] = {
        // Leaving an edge hangs a window of the floating size from the cursor; another edge snaps the bar to its band.
        { .nFrom = ABE_BOTTOM, .nTo = DBE_FLOAT, .pt = { 500, 300 }, .rc = { 296, 300, 704, 345 }, .rcEnd = USER },
        { .nFrom = ABE_BOTTOM, .nTo = ABE_LEFT, .pt = { 1, 384 }, .rc = { 0, 0, 50, 768 }, .rcEnd = { 0, 0, 50, 768 } },
    };
    for (const auto& c : cases) {
        m_bar.Dock(c.nFrom);
        SendMessageA(m_bar.m_hWnd, WM_ENTERSIZEMOVE, 0, 0);
        RECT rc = m_bar.Rect();
        SetMessagePos(m_bar.m_hWnd, c.pt.x, c.pt.y);
        SendMessageA(m_bar.m_hWnd, WM_MOVING, WMSZ_TOP, (LPARAM)&rc);
        EXPECT_EQ(c.rc, rc) << "the drag rectangle from " << c.nFrom << " at " << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(c.nTo, m_bar.m_nProposed) << "the proposal is told, from " << c.nFrom;
        m_bar.Place(USER);
        SendMessageA(m_bar.m_hWnd, WM_EXITSIZEMOVE, 0, 0);
        EXPECT_EQ(c.nTo, m_bar.m_state.nEdge) << "the move ends where it proposed, from " << c.nFrom;
        EXPECT_EQ(c.rcEnd, m_bar.Rect()) << "where the bar ends, from " << c.nFrom;
        EXPECT_EQ(c.nTo == DBE_FLOAT ? USER : FLOATING, m_bar.m_state.rcFloat) << "a floating end is the new place";
    }
}

// A taskbar 30 high at the bottom, which only plain docked bars keep clear of; each bar is shown, then hidden.
TEST_F(DockBar, EachPlaceHasItsRectangleReservationAndZOrder)
{
    SetRect(&m_shell.m_rcTaskbar, 0, 738, 1024, 768);
    const struct {
        int nEdge;
        BOOL bAutoHide, bOnTop, bReserves;
        RECT rc, rcShown;
    } cases[] = {
        { .nEdge = ABE_LEFT, .bOnTop = TRUE, .bReserves = TRUE, .rc = { 0, 0, 50, 738 }, .rcShown = { 0, 0, 50, 738 } },
        // An auto-hide bar spans its whole side, reserves nothing and hides all but a 2-pixel strip.
        { .nEdge = ABE_RIGHT, .bAutoHide = TRUE, .rc = { 1022, 0, 1054, 768 }, .rcShown = { 992, 0, 1024, 768 } },
        { .nEdge = ABE_BOTTOM, .bAutoHide = TRUE, .rc = { 0, 766, 1024, 811 }, .rcShown = { 0, 723, 1024, 768 } },
        // Floating, with auto-hide on: never hidden.
        { .nEdge = DBE_FLOAT, .bAutoHide = TRUE, .bOnTop = TRUE, .rc = FLOATING, .rcShown = FLOATING },
    };
    const HWND h = m_bar.m_hWnd;
    for (const auto& c : cases) {
        m_bar.m_bAutoHideShown = FALSE; // as before the cursor ever touched it
        m_bar.Dock(c.nEdge, c.bAutoHide, c.bOnTop);
        EXPECT_EQ(c.rc, m_bar.Rect()) << "placed at " << c.nEdge << ", auto-hide " << c.bAutoHide;
        EXPECT_EQ(c.bOnTop, m_bar.IsTopmost()) << "always on top, or not, at " << c.nEdge;
        EXPECT_EQ(c.bReserves, m_shell.ReservedEdge(h) == c.nEdge) << "only a plain docked bar reserves";
        m_bar.ShowAutoHideBar(TRUE);
        EXPECT_EQ(c.rcShown, m_bar.Rect()) << "shown at " << c.nEdge << ", auto-hide " << c.bAutoHide;
        m_bar.ShowAutoHideBar(FALSE);
        EXPECT_EQ(c.rc, m_bar.Rect()) << "hidden again at " << c.nEdge << ", auto-hide " << c.bAutoHide;
    }
    EXPECT_TRUE(m_bar.DestroyWindow());
    EXPECT_FALSE(m_shell.IsRegistered(h)) << "a destroyed bar leaves the shell's books";
}

// Docked at the bottom and out, the taskbar starts auto-hiding; the bar's settings before (uBar) in its terms.
TEST_F(DockBar, AFollowingBarTakesWhatChangedInTheTaskbarsState)
{
    const UINT ABS_BOTH = ABS_AUTOHIDE | ABS_ALWAYSONTOP;
    const RECT HIDDEN = { 0, 766, 1024, 811 };
    const struct {
        BOOL bOld; // the shell answers as before Windows 7
        UINT uWas, uNow, uBar;
        BOOL bOnTopAfter;
    } cases[] = {
        // Today's shell: the taskbar starts auto-hiding, so does the bar, whose always-on-top stays.
        { .uWas = 0, .uNow = ABS_BOTH, .uBar = ABS_ALWAYSONTOP, .bOnTopAfter = TRUE },
        // An older shell reports the taskbar's always-on-top too, but only what changed is taken.
        { .bOld = TRUE, .uWas = ABS_ALWAYSONTOP, .uNow = ABS_BOTH, .uBar = 0, .bOnTopAfter = FALSE },
    };
    m_bar.m_bFollowTaskbarState = TRUE;
    for (const auto& c : cases) {
        m_bar.m_bAutoHideShown = TRUE;
        m_bar.Dock(ABE_BOTTOM, (c.uBar & ABS_AUTOHIDE) != 0, (c.uBar & ABS_ALWAYSONTOP) != 0);
        m_bar.m_uTaskbarState = c.uWas;
        m_shell.m_bReportsAlwaysOnTop = c.bOld;
        m_shell.m_uTaskbarState = c.uNow;
        SendMessageA(m_bar.m_hWnd, g_uAppBarNotifyMessage, ABN_STATECHANGE, 0);
        EXPECT_TRUE(m_bar.m_state.bAutoHide) << "auto-hides, from " << c.uWas << " to " << c.uNow;
        EXPECT_EQ(c.bOnTopAfter, m_bar.IsTopmost()) << "always on top, from " << c.uWas << " to " << c.uNow;
        EXPECT_EQ(HIDDEN, m_bar.Rect()) << "slid in as it now auto-hides, from " << c.uWas << " to " << c.uNow;
    }
}

// An auto-hide bar at the bottom, then an always-on-top one that asks to auto-hide there too; the taskbar grows.
TEST_F(DockBar, ASecondAutoHideBarDocksPlainlyAndAfterEachEventOfTheShellTheBarsTakeTheirPlacesAgain)
{
    CTestBar second;
    ASSERT_TRUE(second.Create(IDD_CONTROLLER, nullptr));
    second.Dock(ABE_BOTTOM, TRUE);
    m_bar.Dock(ABE_BOTTOM, TRUE, TRUE);
    EXPECT_EQ(1, m_bar.m_nDenials) << "the second bar is told the shell refused";
    EXPECT_FALSE(m_bar.m_state.bAutoHide) << "the second bar gives auto-hide up";
    EXPECT_EQ(RECT({ 0, 723, 1024, 768 }), m_bar.Rect()) << "the second is docked as a plain bar";
    m_shell.Restart();
    EXPECT_EQ(ABE_BOTTOM, m_shell.ReservedEdge(m_bar.m_hWnd)) << "registered and docked again";
    SetRect(&m_shell.m_rcTaskbar, 0, 748, 1024, 768);
    EXPECT_EQ(0, SendMessageA(m_bar.m_hWnd, g_uAppBarNotifyMessage, ABN_POSCHANGED, 0)) << "notifications answer 0";
    EXPECT_EQ(RECT({ 0, 703, 1024, 748 }), m_bar.Rect()) << "a plain bar moves clear of the taskbar";
    SendMessageA(m_bar.m_hWnd, g_uAppBarNotifyMessage, ABN_FULLSCREENAPP, TRUE);
    EXPECT_EQ(nullptr, GetWindow(m_bar.m_hWnd, GW_HWNDNEXT)) << "at the bottom while a full-screen application runs";
    SendMessageA(m_bar.m_hWnd, g_uAppBarNotifyMessage, ABN_FULLSCREENAPP, FALSE);
    EXPECT_TRUE(m_bar.IsTopmost()) << "on top again once it closes";
}

TEST_F(DockBar, TheSlideStepsFollowTheTickCounterInAStraightLineFor400Ms)
{
    const RECT TO = { 500, 400, 600, 500 };
    const struct {
        DWORD dwStart;
        std::vector<RECT> moves;
    } cases[] = {
        // From FLOATING at 100, 200 and 300 ms, each side truncated toward zero, then on the target.
        { .dwStart = 1000, .moves = { { 200, 175, 531, 233 }, { 300, 250, 554, 322 }, { 400, 325, 577, 411 }, TO } },
        // A slide that would cross the counter's wrap ends at once.
        { .dwStart = 0xFFFFFE70, .moves = { TO } },
    };
    CDockingBarDlg::s_pfnGetTickCount = FakeTicks;
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    for (const auto& c : cases) {
        m_bar.Place(FLOATING);
        m_bar.m_moves.clear();
        s_ticks = { c.dwStart, 0 };
        m_bar.SlideWindow(&TO);
        EXPECT_EQ(c.moves, m_bar.m_moves) << "the counter starting at " << c.dwStart;
    }
    CDockingBarDlg::s_pfnGetTickCount = GetTickCount;
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
}

// Docked at the top, shown, then polled with the cursor at the farthest point within the margin around it, or one step
// farther.
TEST_F(DockBar, TheTimerHidesTheBarWhenInactiveAndTheCursorIsBeyondItsMargin)
{
    const int cy = 2 * GetSystemMetrics(SM_CYDOUBLECLK);
    const struct {
        POINT pt;
        BOOL bActive, bShown;
    } cases[] = {
        { .pt = { 512, 39 + cy }, .bShown = TRUE },
        { .pt = { 512, 40 + cy }, .bShown = FALSE },
        { .pt = { 512, 384 }, .bActive = TRUE, .bShown = TRUE }, // an active bar stays out
    };
    const HWND h = m_bar.m_hWnd;
    HWND hOther = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 300, 300, 9, 9, nullptr, nullptr, nullptr, 0);
    for (const auto& c : cases) {
        m_bar.Dock(ABE_TOP, TRUE);
        ASSERT_TRUE(Activate(c.bActive ? h : hOther));
        SendMessageA(h, WM_NCHITTEST, 0, 0); // the cursor on its strip brings it out
        SetMessagePos(h, c.pt.x, c.pt.y);
        SendMessageA(h, WM_TIMER, DB_AUTOHIDE_TIMER, 0);
        ASSERT_EQ(c.bActive, GetActiveWindow() == h) << "the bar is active at the poll, or not, as the row says";
        EXPECT_EQ(c.bShown, m_bar.m_bAutoHideShown) << "cursor at " << c.pt.x << "," << c.pt.y;
    }
    ASSERT_TRUE(Activate(hOther));
    EXPECT_EQ(RECT({ 0, -38, 1024, 2 }), m_bar.Rect()) << "the bar hides as soon as it loses the activation";
    DestroyWindow(hOther);
}

// A 64-bit window handle is more than its low 32 bits: an auto-hide slot held by a handle that shares only
// those with the bar's is another bar's.
TEST_F(DockBar, AnAutoHideSlotIsTheBarsOnlyForItsWholeHandle)
{
    if (sizeof(HWND) == 4)
        GTEST_SKIP() << "a 32-bit handle is all low bits";
    m_bar.Dock(ABE_TOP, TRUE);
    EXPECT_EQ(m_bar.GetAutoHideEdge(), ABE_TOP) << "the bar holds the top edge's slot";
    m_shell.m_ahAutoHide[ABE_TOP] = (HWND)((UINT_PTR)m_bar.m_hWnd | (UINT_PTR)1 << (sizeof(HWND) * 4));
    EXPECT_EQ(m_bar.GetAutoHideEdge(), -1) << "a handle with other high bits is not the bar's";
}
