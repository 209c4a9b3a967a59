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
    using CDockingBarDlg::ShowAutoHideBar, CDockingBarDlg::SlideWindow, CDockingBarDlg::m_bAutoHideShown,
        CDockingBarDlg::m_bFollowTaskbarState, CDockingBarDlg::m_dwFlags, CDockingBarDlg::m_nProposedEdge,
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
    std::vector<int> DockSizes() const { return { std::begin(m_state.anDockSize), std::end(m_state.anDockSize) }; }
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
        { .dwFlags = DBF_EDGES, .pt = { 512, 384 }, .nEdge = ABE_RIGHT, .pszWhy = "the centre: right, a tie" },
        { .dwFlags = DBF_ALLOWTOPBOTTOM, .pt = { 0, 383 }, .nEdge = ABE_TOP, .pszWhy = "far left, no sides" },
        { .dwFlags = DBF_EDGES, .pt = { 100, 74 }, .nEdge = ABE_TOP, .pszWhy = "farther out vertically" },
        { .dwFlags = DBF_EDGES, .pt = { 100, 75 }, .nEdge = ABE_LEFT, .pszWhy = "as far out both ways" },
        { .dwFlags = DBF_ALLOWFLOAT, .pt = { 0, 0 }, .nEdge = DBE_FLOAT, .pszWhy = "floating only" },
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
        // Leaving an edge hangs a window of the floating size from the cursor; it floats where it is left.
        { .nFrom = ABE_BOTTOM, .nTo = DBE_FLOAT, .pt = { 500, 300 }, .rc = { 296, 300, 704, 345 }, .rcEnd = USER },
        // A floating bar moves as the system proposes.
        { .nFrom = DBE_FLOAT, .nTo = DBE_FLOAT, .pt = { 520, 310 }, .rc = FLOATING, .rcEnd = USER },
        // Another edge snaps the bar to its band.
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
        EXPECT_EQ(std::vector<int>({ 50, 40, 32, 45 }), m_bar.DockSizes()) << "a move stores no thickness";
    }
}

TEST_F(DockBar, ResizingADockedBarStoresItsThicknessAndAStrayEndOfMoveChangesNothing)
{
    m_bar.Dock(ABE_BOTTOM);
    SendMessageA(m_bar.m_hWnd, WM_ENTERSIZEMOVE, 0, 0);
    m_bar.Place({ 0, 700, 1024, 768 });
    SendMessageA(m_bar.m_hWnd, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(std::vector<int>({ 50, 40, 32, 68 }), m_bar.DockSizes()) << "the new height, for the bottom only";
    EXPECT_EQ(RECT({ 0, 700, 1024, 768 }), m_bar.Rect()) << "the bar stays as the user sized it";
    SendMessageA(m_bar.m_hWnd, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_TRUE(m_shell.IsRegistered(m_bar.m_hWnd)) << "an end of move with no move begun removes nothing";
}

// A taskbar 30 high at the bottom, which only plain docked bars keep clear of. Each place is taken before the
// cursor ever touched the bar, then the bar is shown (rcShown) and hidden (rc) as by the cursor.
TEST_F(DockBar, EachPlaceHasItsRectangleReservationAndZOrder)
{
    SetRect(&m_shell.m_rcTaskbar, 0, 738, 1024, 768);
    const struct {
        int nEdge;
        BOOL bAutoHide, bOnTop, bReserves;
        RECT rc, rcShown;
    } cases[] = {
        { .nEdge = ABE_LEFT, .bOnTop = TRUE, .bReserves = TRUE, .rc = { 0, 0, 50, 738 }, .rcShown = { 0, 0, 50, 738 } },
        { .nEdge = ABE_TOP, .bReserves = TRUE, .rc = { 0, 0, 1024, 40 }, .rcShown = { 0, 0, 1024, 40 } },
        { .nEdge = ABE_BOTTOM, .bReserves = TRUE, .rc = { 0, 693, 1024, 738 }, .rcShown = { 0, 693, 1024, 738 } },
        // An auto-hide bar spans its whole side, reserves nothing and hides all but a 2-pixel strip.
        { .nEdge = ABE_LEFT, .bAutoHide = TRUE, .rc = { -48, 0, 2, 768 }, .rcShown = { 0, 0, 50, 768 } },
        { .nEdge = ABE_TOP, .bAutoHide = TRUE, .rc = { 0, -38, 1024, 2 }, .rcShown = { 0, 0, 1024, 40 } },
        { .nEdge = ABE_RIGHT, .bAutoHide = TRUE, .rc = { 1022, 0, 1054, 768 }, .rcShown = { 992, 0, 1024, 768 } },
        { .nEdge = ABE_BOTTOM, .bAutoHide = TRUE, .rc = { 0, 766, 1024, 811 }, .rcShown = { 0, 723, 1024, 768 } },
        // Floating, with auto-hide on, or at a position unknown to the bar: never hidden.
        { .nEdge = DBE_FLOAT, .bAutoHide = TRUE, .bOnTop = TRUE, .rc = FLOATING, .rcShown = FLOATING },
        { .nEdge = 4, .rc = FLOATING, .rcShown = FLOATING },
    };
    const HWND h = m_bar.m_hWnd;
    for (const auto& c : cases) {
        m_bar.m_bAutoHideShown = FALSE;
        m_bar.Dock(c.nEdge, c.bAutoHide, c.bOnTop);
        EXPECT_EQ(c.rc, m_bar.Rect()) << "placed at " << c.nEdge << ", auto-hide " << c.bAutoHide;
        EXPECT_EQ(c.bOnTop, m_bar.IsTopmost()) << "always on top, or not, at " << c.nEdge;
        RECT rcReserved;
        EXPECT_EQ(c.bReserves, m_shell.ReservedEdge(h, &rcReserved) == c.nEdge) << "only a plain docked bar reserves";
        if (c.bReserves) {
            EXPECT_EQ(c.rc, rcReserved) << "a plain docked bar reserves where it is";
        }
        m_bar.ShowAutoHideBar(TRUE);
        EXPECT_EQ(c.rcShown, m_bar.Rect()) << "shown at " << c.nEdge << ", auto-hide " << c.bAutoHide;
        m_bar.ShowAutoHideBar(FALSE);
        EXPECT_EQ(c.rc, m_bar.Rect()) << "hidden again at " << c.nEdge << ", auto-hide " << c.bAutoHide;
        EXPECT_EQ(c.rc == c.rcShown, m_bar.m_bAutoHideShown) << "a bar that cannot hide counts as shown";
    }
    EXPECT_TRUE(m_bar.DestroyWindow());
    EXPECT_FALSE(m_shell.IsRegistered(h)) << "a destroyed bar leaves the shell's books";
}

TEST_F(DockBar, ASecondAutoHideBarOnAnEdgeIsToldAndReservesItsStrip)
{
    CTestBar second;
    ASSERT_TRUE(second.Create(IDD_CONTROLLER, nullptr));
    m_bar.Dock(ABE_BOTTOM, TRUE);
    second.Dock(ABE_BOTTOM, TRUE);
    EXPECT_EQ(1, second.m_nDenials) << "the second bar is told the shell refused";
    EXPECT_FALSE(second.m_state.bAutoHide) << "the second bar gives auto-hide up";
    EXPECT_EQ(m_bar.m_hWnd, m_shell.AutoHideBar(ABE_BOTTOM)) << "the first bar keeps the edge";
    EXPECT_EQ(ABE_BOTTOM, m_shell.ReservedEdge(second.m_hWnd)) << "the second is docked as a plain bar";
    EXPECT_EQ(RECT({ 0, 723, 1024, 768 }), second.Rect()) << "the second is docked as a plain bar";
}

// Docked at the bottom and slid out when the taskbar's settings change from what the bar last read; the bar's
// settings before and after in the taskbar's terms. Today's shell never reports ABS_ALWAYSONTOP.
TEST_F(DockBar, AFollowingBarTakesWhatChangedInTheTaskbarsState)
{
    const UINT ABS_BOTH = ABS_AUTOHIDE | ABS_ALWAYSONTOP;
    const RECT SHOWN = { 0, 723, 1024, 768 };
    const RECT HIDDEN = { 0, 766, 1024, 811 };
    const struct {
        BOOL bNotFollowing;
        BOOL bOld; // the shell answers as before Windows 7
        UINT uWas, uNow, uBar, uBarAfter;
        RECT rc;
    } cases[] = {
        // Today's shell: the taskbar starts auto-hiding, so does the bar, whose always-on-top stays.
        { .uWas = 0, .uNow = ABS_BOTH, .uBar = ABS_ALWAYSONTOP, .uBarAfter = ABS_BOTH, .rc = HIDDEN },
        // An older shell reports the taskbar's always-on-top too, but only what changed is taken.
        { .bOld = TRUE, .uWas = ABS_ALWAYSONTOP, .uNow = ABS_BOTH, .uBar = 0, .uBarAfter = ABS_AUTOHIDE, .rc = HIDDEN },
        // The taskbar leaves the top: that is applied again, though the bar is not on top, and slides it in.
        { .bOld = TRUE,
          .uWas = ABS_BOTH,
          .uNow = ABS_AUTOHIDE,
          .uBar = ABS_AUTOHIDE,
          .uBarAfter = ABS_AUTOHIDE,
          .rc = HIDDEN },
        // The taskbar stops auto-hiding: so does the bar, docked plainly.
        { .uWas = ABS_AUTOHIDE, .uNow = 0, .uBar = ABS_AUTOHIDE, .uBarAfter = 0, .rc = SHOWN },
        // A bar that does not follow the taskbar takes nothing.
        { .bNotFollowing = TRUE, .uWas = 0, .uNow = ABS_AUTOHIDE, .uBar = 0, .uBarAfter = 0, .rc = SHOWN },
    };
    const HWND h = m_bar.m_hWnd;
    for (const auto& c : cases) {
        m_bar.m_bFollowTaskbarState = !c.bNotFollowing;
        m_bar.m_bAutoHideShown = TRUE;
        m_bar.Dock(ABE_BOTTOM, (c.uBar & ABS_AUTOHIDE) != 0, (c.uBar & ABS_ALWAYSONTOP) != 0);
        m_bar.m_uTaskbarState = c.uWas;
        m_shell.m_bReportsAlwaysOnTop = c.bOld;
        m_shell.m_uTaskbarState = c.uNow;
        SendMessageA(h, g_uAppBarNotifyMessage, ABN_STATECHANGE, 0);
        const BOOL bAutoHide = (c.uBarAfter & ABS_AUTOHIDE) != 0;
        const BOOL bOnTop = (c.uBarAfter & ABS_ALWAYSONTOP) != 0;
        EXPECT_EQ(bAutoHide, m_bar.m_state.bAutoHide) << "auto-hide, from " << c.uWas << " to " << c.uNow;
        EXPECT_EQ(bAutoHide, m_shell.AutoHideBar(ABE_BOTTOM) == h) << "registered as auto-hide, or not";
        EXPECT_EQ(bOnTop, m_bar.IsTopmost()) << "always on top, from " << c.uWas << " to " << c.uNow;
        EXPECT_EQ(c.rc, m_bar.Rect()) << "out or in, from " << c.uWas << " to " << c.uNow;
    }
}

// An always-on-top bar docked plainly at the bottom and an auto-hide one there; the taskbar grows to 20 high.
TEST_F(DockBar, AfterEachEventOfTheShellTheBarsTakeTheirPlacesAgain)
{
    CTestBar second;
    ASSERT_TRUE(second.Create(IDD_CONTROLLER, nullptr));
    second.Dock(ABE_BOTTOM, TRUE);
    m_bar.Dock(ABE_BOTTOM, FALSE, TRUE);
    m_shell.Restart();
    EXPECT_EQ(ABE_BOTTOM, m_shell.ReservedEdge(m_bar.m_hWnd)) << "registered and docked again";
    EXPECT_EQ(second.m_hWnd, m_shell.AutoHideBar(ABE_BOTTOM)) << "the auto-hide bar claims its edge again";
    SetRect(&m_shell.m_rcTaskbar, 0, 748, 1024, 768);
    const int nSecondSetPos = m_shell.Count(ABM_SETPOS, second.m_hWnd);
    for (HWND h : { m_bar.m_hWnd, second.m_hWnd })
        EXPECT_EQ(0, SendMessageA(h, g_uAppBarNotifyMessage, ABN_POSCHANGED, 0)) << "notifications answer 0";
    EXPECT_EQ(RECT({ 0, 703, 1024, 748 }), m_bar.Rect()) << "a plain bar moves clear of the taskbar";
    EXPECT_EQ(nSecondSetPos, m_shell.Count(ABM_SETPOS, second.m_hWnd)) << "an auto-hide bar is not docked again";
    m_bar.Place({ 5, 5, 50, 50 });
    SendMessageA(m_bar.m_hWnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(RECT({ 0, 703, 1024, 748 }), m_bar.Rect()) << "a docked bar spans the new screen";
    SendMessageA(m_bar.m_hWnd, g_uAppBarNotifyMessage, ABN_FULLSCREENAPP, TRUE);
    EXPECT_EQ(nullptr, GetWindow(m_bar.m_hWnd, GW_HWNDNEXT)) << "at the bottom while a full-screen application runs";
    SendMessageA(m_bar.m_hWnd, g_uAppBarNotifyMessage, ABN_FULLSCREENAPP, FALSE);
    EXPECT_TRUE(m_bar.IsTopmost()) << "on top again once it closes";
}

namespace {
// A tick counter that moves on by a fixed step at each reading; a slide that never ends fails.
struct {
    DWORD dwNow;
    DWORD dwStep;
    int nReads;
} s_ticks;
DWORD WINAPI FakeTicks()
{
    s_ticks.dwNow += s_ticks.dwStep;
    if (++s_ticks.nReads < 1000)
        return s_ticks.dwNow - s_ticks.dwStep; // the first reading is the start
    ADD_FAILURE() << "the slide never ends";
    return 0xFFFFFFFF; // later than any end
}
} // namespace

// The counter starts at dwStart and moves on by dwStep at each reading; the bar slides from FLOATING.
TEST_F(DockBar, TheSlideStepsFollowTheTickCounterInAStraightLineFor400Ms)
{
    const RECT TO = { 500, 400, 600, 500 };
    const struct {
        BOOL bJumps; // no full-window dragging
        DWORD dwStart, dwStep;
        std::vector<RECT> moves;
    } cases[] = {
        // At 100, 200 and 300 ms, each side truncated toward zero, then on the target.
        { .dwStart = 1000,
          .dwStep = 100,
          .moves = { { 200, 175, 531, 233 }, { 300, 250, 554, 322 }, { 400, 325, 577, 411 }, TO } },
        // A slide that would cross the counter's wrap ends at once; so does one without full-window dragging.
        { .dwStart = 0xFFFFFE70, .dwStep = 10, .moves = { TO } },
        { .bJumps = TRUE, .dwStart = 1000, .dwStep = 10, .moves = { TO } },
    };
    CDockingBarDlg::s_pfnGetTickCount = FakeTicks;
    for (const auto& c : cases) {
        SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, !c.bJumps, nullptr, 0);
        m_bar.Place(FLOATING);
        m_bar.m_moves.clear();
        s_ticks = { c.dwStart, c.dwStep, 0 };
        m_bar.SlideWindow(&TO);
        EXPECT_EQ(c.moves, m_bar.m_moves) << "starting at " << c.dwStart << " with steps of " << c.dwStep;
    }
    CDockingBarDlg::s_pfnGetTickCount = GetTickCount;
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
}

namespace {
// Other windows of the session take the activation now and then: it is taken back until it holds.
bool Activate(HWND hWnd)
{
    return WaitUntil([hWnd] {
        if (GetActiveWindow() != hWnd)
            SetForegroundWindow(hWnd);
        return GetActiveWindow() == hWnd && GetForegroundWindow() == hWnd;
    });
}
} // namespace

// Shown, then polled with the cursor at the farthest point within the margin around it, or one step farther.
TEST_F(DockBar, TheTimerHidesTheBarWhenInactiveAndTheCursorIsBeyondItsMargin)
{
    const int cx = 2 * GetSystemMetrics(SM_CXDOUBLECLK);
    const int cy = 2 * GetSystemMetrics(SM_CYDOUBLECLK);
    const struct {
        int nEdge;
        POINT pt;
        BOOL bActive, bShown;
    } cases[] = {
        { .nEdge = ABE_RIGHT, .pt = { 992 - cx, 9 }, .bShown = TRUE },
        { .nEdge = ABE_RIGHT, .pt = { 991 - cx, 9 }, .bShown = FALSE },
        { .nEdge = ABE_TOP, .pt = { 512, 39 + cy }, .bShown = TRUE },
        { .nEdge = ABE_TOP, .pt = { 512, 40 + cy }, .bShown = FALSE },
        { .nEdge = ABE_TOP, .pt = { 512, 384 }, .bActive = TRUE, .bShown = TRUE }, // an active bar stays out
    };
    const HWND h = m_bar.m_hWnd;
    HWND hOther = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 300, 300, 9, 9, nullptr, nullptr, nullptr, 0);
    for (const auto& c : cases) {
        m_bar.Dock(c.nEdge, TRUE);
        ASSERT_TRUE(Activate(c.bActive ? h : hOther));
        SendMessageA(h, WM_NCHITTEST, 0, 0); // the cursor on its strip brings it out
        SetMessagePos(h, c.pt.x, c.pt.y);
        SendMessageA(h, WM_TIMER, DB_AUTOHIDE_TIMER, 0);
        ASSERT_EQ(c.bActive, GetActiveWindow() == h) << "the bar is active at the poll, or not, as the row says";
        EXPECT_EQ(c.bShown, m_bar.m_bAutoHideShown) << "edge " << c.nEdge << ", cursor at " << c.pt.x << "," << c.pt.y;
    }
    const int nActivates = m_shell.Count(ABM_ACTIVATE, h);
    ASSERT_TRUE(Activate(hOther));
    EXPECT_EQ(RECT({ 0, -38, 1024, 2 }), m_bar.Rect()) << "the bar hides as soon as it loses the activation";
    EXPECT_GT(m_shell.Count(ABM_ACTIVATE, h), nActivates) << "the shell hears of the change of activation";
    DestroyWindow(hOther);
}
