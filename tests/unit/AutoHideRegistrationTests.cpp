// One auto-hide bar per screen edge: who gets the edge, what the one turned
// away is told, and where it ends up.
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "dockbar/DockingBarDlg.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

const DWORD ALL_FLAGS = DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM | DBF_ALLOWFLOAT | DBF_ALLOWAUTOHIDE;
const char DENIED_TEXT[] = "There is already an auto hidden window on this edge.\n"
                           "Only one auto hidden window is allowed on each edge.";

class CNamedBar : public CDockingBarDlg {
public:
    CNamedBar() : CDockingBarDlg(IDD_CONTROLLER, nullptr) {}
    ~CNamedBar() override
    {
        if (m_hWnd)
            DestroyWindow();
    }
    bool Open(const char* pszTitle)
    {
        if (!Create(IDD_CONTROLLER, nullptr))
            return false;
        SetWindowText(pszTitle);
        m_dwFlags = ALL_FLAGS;
        return true;
    }
};

// Answers a refusal itself, and notes what the bar looked like at that moment.
class CQuietBar : public CNamedBar {
public:
    int m_nDenied = 0;
    BOOL m_bAutoHideAtDenial = -1;
    HWND m_hAutoHideOwnerAtDenial = nullptr;
    FakeAppBarShell* m_pShell = nullptr;

protected:
    void OnAutoHideDenied() override
    {
        m_nDenied++;
        m_bAutoHideAtDenial = m_state.bAutoHide;
        m_hAutoHideOwnerAtDenial = m_pShell->AutoHideBar(m_state.nEdge);
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

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

// The refusal box is modal inside SetDockState, so it is read and closed
// from a thread timer that its own message loop dispatches.
class MessageBoxWatcher {
public:
    struct Seen {
        std::string strCaption;
        std::string strText;
        bool bHandIcon;
        HWND hOwner;
    };

    explicit MessageBoxWatcher(std::vector<HWND> bars)
    {
        s_bars = std::move(bars);
        s_seen.clear();
        m_idTimer = SetTimer(nullptr, 0, 30, OnTimer);
    }
    ~MessageBoxWatcher() { KillTimer(nullptr, m_idTimer); }
    const std::vector<Seen>& Boxes() const { return s_seen; }
    std::string Captions() const
    {
        std::string str;
        for (const Seen& seen : s_seen)
            str += "\"" + seen.strCaption + "\" ";
        return str;
    }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), OnWindow, 0);
    }
    static BOOL CALLBACK OnWindow(HWND hWnd, LPARAM)
    {
        char szClass[32] = "";
        GetClassNameA(hWnd, szClass, sizeof szClass);
        if (strcmp(szClass, "#32770") != 0 || !IsWindowVisible(hWnd) ||
            std::find(s_bars.begin(), s_bars.end(), hWnd) != s_bars.end())
            return TRUE;
        Seen seen = {};
        char sz[512] = "";
        GetWindowTextA(hWnd, sz, sizeof sz);
        seen.strCaption = sz;
        seen.hOwner = GetWindow(hWnd, GW_OWNER);
        for (HWND hChild = GetWindow(hWnd, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
            GetClassNameA(hChild, szClass, sizeof szClass);
            if (_stricmp(szClass, "Static") != 0)
                continue;
            if ((GetWindowLongA(hChild, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                seen.bHandIcon = (HICON)SendMessageA(hChild, STM_GETICON, 0, 0) == LoadIconA(nullptr, IDI_HAND);
            } else {
                GetWindowTextA(hChild, sz, sizeof sz);
                seen.strText += sz;
            }
        }
        s_seen.push_back(seen);
        PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
        return TRUE;
    }

    UINT_PTR m_idTimer;
    static std::vector<HWND> s_bars;
    static std::vector<Seen> s_seen;
};

std::vector<HWND> MessageBoxWatcher::s_bars;
std::vector<MessageBoxWatcher::Seen> MessageBoxWatcher::s_seen;

class AutoHideRegistration : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_first.Open("First bar"));
        ASSERT_TRUE(m_second.Open("Second bar"));
    }

    FakeAppBarShell m_shell;
    CNamedBar m_first;
    CNamedBar m_second;
};

} // namespace

TEST_F(AutoHideRegistration, SecondBarOnAnEdgeIsToldAndReservesItsStrip)
{
    MessageBoxWatcher watcher({ m_first.m_hWnd, m_second.m_hWnd });
    DOCKBARSTATE state = MakeState(ABE_BOTTOM, TRUE);
    m_first.SetBarState(&state);
    ASSERT_EQ(m_first.m_hWnd, m_shell.AutoHideBar(ABE_BOTTOM));
    EXPECT_TRUE(watcher.Boxes().empty()) << watcher.Captions();

    m_second.SetBarState(&state);
    ASSERT_EQ(1u, watcher.Boxes().size()) << watcher.Captions();
    const auto& box = watcher.Boxes()[0];
    EXPECT_EQ("Second bar", box.strCaption);
    EXPECT_EQ(DENIED_TEXT, box.strText);
    EXPECT_TRUE(box.bHandIcon);
    EXPECT_EQ(nullptr, box.hOwner) << "the box belongs to no window";

    EXPECT_FALSE(m_second.m_state.bAutoHide);
    EXPECT_EQ(m_first.m_hWnd, m_shell.AutoHideBar(ABE_BOTTOM)) << "the first keeps the edge";
    EXPECT_TRUE(m_first.m_state.bAutoHide);

    const FakeAppBarShell::Call* pSetPos = m_shell.Last(ABM_SETPOS, m_second.m_hWnd);
    ASSERT_NE(nullptr, pSetPos);
    EXPECT_EQ(ABE_BOTTOM, (int)pSetPos->abd.uEdge);
    EXPECT_EQ(CRect(0, 736, 1024, 768), CRect(pSetPos->abd.rc));
    RECT rcReserved;
    EXPECT_EQ(ABE_BOTTOM, m_shell.ReservedEdge(m_second.m_hWnd, &rcReserved));
    EXPECT_EQ(CRect(0, 736, 1024, 768), CRect(rcReserved));
    EXPECT_EQ(CRect(0, 736, 1024, 768), WindowRect(m_second.m_hWnd)) << "docked in full, not hidden";
    EXPECT_EQ(-1, m_shell.ReservedEdge(m_first.m_hWnd)) << "the auto-hide bar reserves nothing";

    // Told once: applying the same state again does not ask again.
    m_second.SetDockState(ABE_BOTTOM);
    PumpFor(100);
    EXPECT_EQ(1u, watcher.Boxes().size()) << watcher.Captions();
}

TEST_F(AutoHideRegistration, BarsOnDifferentEdgesAllHide)
{
    CNamedBar third, fourth;
    ASSERT_TRUE(third.Open("Third bar"));
    ASSERT_TRUE(fourth.Open("Fourth bar"));
    MessageBoxWatcher watcher({ m_first.m_hWnd, m_second.m_hWnd, third.m_hWnd, fourth.m_hWnd });
    CNamedBar* apBars[] = { &m_first, &m_second, &third, &fourth };
    const int anEdges[] = { ABE_BOTTOM, ABE_TOP, ABE_LEFT, ABE_RIGHT };

    for (int i = 0; i < 4; i++) {
        SCOPED_TRACE(anEdges[i]);
        HWND hWnd = apBars[i]->m_hWnd;
        int nQueries = m_shell.Count(ABM_QUERYPOS, hWnd);
        DOCKBARSTATE state = MakeState(anEdges[i], TRUE);
        apBars[i]->SetBarState(&state);
        EXPECT_TRUE(apBars[i]->m_state.bAutoHide);
        EXPECT_EQ(hWnd, m_shell.AutoHideBar(anEdges[i]));
        EXPECT_EQ(nQueries, m_shell.Count(ABM_QUERYPOS, hWnd)) << "an auto-hide bar spans the whole side";
        const FakeAppBarShell::Call* pSetPos = m_shell.Last(ABM_SETPOS, hWnd);
        ASSERT_NE(nullptr, pSetPos);
        EXPECT_EQ(ABE_LEFT, (int)pSetPos->abd.uEdge);
        EXPECT_EQ(CRect(0, 0, 0, 0), CRect(pSetPos->abd.rc));
        EXPECT_EQ(-1, m_shell.ReservedEdge(hWnd));
    }
    PumpFor(100);
    EXPECT_TRUE(watcher.Boxes().empty()) << watcher.Captions();
}

TEST_F(AutoHideRegistration, LeavingAnEdgeFreesIt)
{
    MessageBoxWatcher watcher({ m_first.m_hWnd, m_second.m_hWnd });
    DOCKBARSTATE state = MakeState(ABE_BOTTOM, TRUE);
    m_first.SetBarState(&state);

    // Moved to another edge: registered there and nowhere else.
    m_first.SetDockState(ABE_TOP);
    EXPECT_EQ(nullptr, m_shell.AutoHideBar(ABE_BOTTOM));
    EXPECT_EQ(m_first.m_hWnd, m_shell.AutoHideBar(ABE_TOP));
    m_second.SetBarState(&state);
    EXPECT_TRUE(m_second.m_state.bAutoHide);
    EXPECT_EQ(m_second.m_hWnd, m_shell.AutoHideBar(ABE_BOTTOM));

    // Floating keeps the wish but holds no edge.
    m_first.SetDockState(DBE_FLOAT);
    for (int nEdge = ABE_LEFT; nEdge <= ABE_BOTTOM; nEdge++)
        EXPECT_NE(m_first.m_hWnd, m_shell.AutoHideBar(nEdge)) << "edge " << nEdge;
    EXPECT_TRUE(m_first.m_state.bAutoHide);

    // Auto-hide switched off: the edge is free and the strip reserved.
    DOCKBARSTATE plain = MakeState(ABE_BOTTOM, FALSE);
    m_second.SetBarState(&plain);
    EXPECT_EQ(nullptr, m_shell.AutoHideBar(ABE_BOTTOM));
    EXPECT_EQ(ABE_BOTTOM, m_shell.ReservedEdge(m_second.m_hWnd));

    // Closing a bar frees its edge for the next one.
    m_first.SetDockState(ABE_TOP);
    ASSERT_EQ(m_first.m_hWnd, m_shell.AutoHideBar(ABE_TOP));
    m_first.DestroyWindow();
    EXPECT_EQ(nullptr, m_shell.AutoHideBar(ABE_TOP));
    DOCKBARSTATE top = MakeState(ABE_TOP, TRUE);
    m_second.SetBarState(&top);
    EXPECT_EQ(m_second.m_hWnd, m_shell.AutoHideBar(ABE_TOP));
    PumpFor(100);
    EXPECT_TRUE(watcher.Boxes().empty()) << watcher.Captions();
}

TEST_F(AutoHideRegistration, ABarThatStartsHidingGivesItsStripToTheOthers)
{
    DOCKBARSTATE plain = MakeState(ABE_BOTTOM, FALSE);
    m_first.SetBarState(&plain);
    m_second.SetBarState(&plain);
    ASSERT_EQ(CRect(0, 736, 1024, 768), WindowRect(m_first.m_hWnd));
    ASSERT_EQ(CRect(0, 704, 1024, 736), WindowRect(m_second.m_hWnd)) << "stacked above the first";

    // The shell tells the second that the space changed; it moves down.
    DOCKBARSTATE hiding = MakeState(ABE_BOTTOM, TRUE);
    m_first.SetBarState(&hiding);
    EXPECT_TRUE(PumpUntil([&] { return WindowRect(m_second.m_hWnd) == CRect(0, 736, 1024, 768); }, 2000))
        << WindowRect(m_second.m_hWnd);
    RECT rc;
    EXPECT_EQ(ABE_BOTTOM, m_shell.ReservedEdge(m_second.m_hWnd, &rc));
    EXPECT_EQ(CRect(0, 736, 1024, 768), CRect(rc));

    // And back: the first, earlier in the shell's books, takes the edge
    // again, and the second is told to move up beside it.
    m_first.SetBarState(&plain);
    EXPECT_EQ(CRect(0, 736, 1024, 768), WindowRect(m_first.m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return WindowRect(m_second.m_hWnd) == CRect(0, 704, 1024, 736); }, 2000))
        << WindowRect(m_second.m_hWnd);
}

TEST(AutoHideDenied, ADerivedBarAnswersInItsOwnWay)
{
    FakeAppBarShell shell;
    CNamedBar first;
    CQuietBar second;
    second.m_pShell = &shell;
    ASSERT_TRUE(first.Open("First bar"));
    ASSERT_TRUE(second.Open("Second bar"));
    MessageBoxWatcher watcher({ first.m_hWnd, second.m_hWnd });

    DOCKBARSTATE state = MakeState(ABE_RIGHT, TRUE);
    first.SetBarState(&state);
    second.SetBarState(&state);
    EXPECT_EQ(1, second.m_nDenied);
    EXPECT_FALSE(second.m_bAutoHideAtDenial) << "the wish is already dropped when the bar is told";
    EXPECT_EQ(first.m_hWnd, second.m_hAutoHideOwnerAtDenial);
    EXPECT_EQ(CRect(992, 0, 1024, 768), WindowRect(second.m_hWnd));
    EXPECT_EQ(ABE_RIGHT, shell.ReservedEdge(second.m_hWnd));

    // Once the edge is free, asking again succeeds.
    first.SetDockState(ABE_LEFT);
    second.m_state.bAutoHide = TRUE;
    second.SetDockState(ABE_RIGHT);
    EXPECT_EQ(1, second.m_nDenied);
    EXPECT_EQ(second.m_hWnd, shell.AutoHideBar(ABE_RIGHT));
    EXPECT_EQ(-1, shell.ReservedEdge(second.m_hWnd));
    PumpFor(100);
    EXPECT_TRUE(watcher.Boxes().empty()) << watcher.Captions();
}
