// The bar under the real pointer: drags, outlines, docking on release, the right button, modules behind.
#include "tests/support/BarFixture.h"
#include "tests/support/Processes.h"
#include "controller/Leg.h"

namespace {

const RECT TOP_BAND = { 0, 0, 1024, 32 };
const POINT ON_FLOATING_BAR = { 703, 246 }, ON_TOP_BAR = { 600, 16 };

} // namespace

class BarMouse : public BarTest {
protected:
    BarMouse() : BarTest(0, 0) { } // with CD audio: two modules can run
    ~BarMouse() override
    {
        MouseUp();
        Stop();
    }
    void Start(int nState, int nModules)
    {
        WriteInt(KEY_CONTROLLER, "State", nState);
        m_pBar = StartBar();
        for (int i = 0; i < nModules; i++) {
            m_modules.push_back(CreateModuleWindow(i ? "Tymp Studio CDPlayer" : "Tymp Studio WavePlayer", 500));
            SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, LOWORD((UINT_PTR)m_modules.back()), MODMSG_ATTACH);
        }
    }
    void Stop()
    {
        m_pBar.reset();
        for (HWND h : m_modules)
            DestroyWindow(h);
        for (HWND h : m_others)
            DestroyWindow(h);
        m_modules.clear();
        m_others.clear();
    }
    // The left button goes down at pt, and the bar has seen it: it holds the pointer.
    bool Press(POINT pt)
    {
        if (!MouseMove(pt.x, pt.y) || !MouseDown())
            return false;
        return WaitUntil([&] { return GetCapture() == m_pBar->m_hWnd; });
    }
    // The left button goes up, and the bar has seen it: it let the pointer go.
    bool Release()
    {
        return MouseUp() && WaitUntil([&] { return GetCapture() == nullptr; });
    }
    // How many modules come right after the bar in the z-order, past its feet and hidden windows.
    int ModulesBehindBar() const
    {
        int nBehind = 0;
        for (HWND h = GetWindow(m_pBar->m_hWnd, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) {
            if (!IsWindowVisible(h) || GetWindow(h, GW_OWNER) == m_pBar->m_hWnd)
                continue;
            if (!std::count(m_modules.begin(), m_modules.end(), h))
                break;
            nBehind++;
        }
        return nBehind;
    }

    BarPtr m_pBar;
    std::vector<HWND> m_modules;
    std::vector<HWND> m_others; // windows of other programs
};

TEST_F(BarMouse, ADragShowsWhereTheBarWillGoAndTheReleasePutsItThere)
{
    const struct {
        int nState;
        POINT ptFrom, ptTo;
        RECT rcOutline, rcBar;
        bool bSetPos;
        const char* pszWhy;
    } drags[] = {
        { .nState = ABE_BOTTOM,
          .ptFrom = { 600, 752 },
          .ptTo = { 500, 17 },
          .rcOutline = { 296, 17, 704, 67 },
          .rcBar = { 296, 14, 704, 59 },
          .bSetPos = true,
          .pszWhy = "off its edge, just below the top band, the bar floats 408 wide, hanging 3 above the pointer" },
        { .nState = DBE_FLOAT,
          .ptFrom = ON_FLOATING_BAR,
          .ptTo = { 512, 16 },
          .rcOutline = TOP_BAND,
          .rcBar = TOP_BAND,
          .bSetPos = true,
          .pszWhy = "a floating bar let go in the top band docks there" },
        { .nState = ABE_TOP,
          .ptFrom = ON_TOP_BAR,
          .ptTo = { 700, 3 },
          .rcOutline = TOP_BAND,
          .rcBar = TOP_BAND,
          .bSetPos = true,
          .pszWhy = "let go on its own edge, the bar docks there again" },
        { .nState = ABE_TOP,
          .ptFrom = ON_TOP_BAR,
          .ptTo = { 3, 384 },
          .rcOutline = { 0, 0, 32, 768 },
          .rcBar = { 0, 0, 32, 768 },
          .bSetPos = true,
          .pszWhy = "let go at the left edge, the bar docks there" },
        { .nState = ABE_TOP,
          .ptFrom = ON_TOP_BAR,
          .ptTo = ON_TOP_BAR,
          .rcOutline = {},
          .rcBar = TOP_BAND,
          .bSetPos = false,
          .pszWhy = "a click without a move neither docks nor moves the bar" },
    };
    for (const auto& d : drags) {
        SCOPED_TRACE(d.pszWhy);
        Start(d.nState, 0);
        ASSERT_TRUE(Press(d.ptFrom));
        ASSERT_TRUE(MouseMove(d.ptTo.x, d.ptTo.y));
        EXPECT_TRUE(WaitUntil([&] { return m_pBar->m_rcFocus == d.rcOutline; })) << "outline " << m_pBar->m_rcFocus;
        const int nSetPos = m_shell.Count(ABM_SETPOS);
        ASSERT_TRUE(Release());
        EXPECT_EQ(d.rcBar, WindowRect(m_pBar->m_hWnd)) << "where the bar is let go";
        EXPECT_TRUE(IsRectEmpty(&m_pBar->m_rcFocus)) << "the outline is gone";
        EXPECT_EQ(d.bSetPos, nSetPos < m_shell.Count(ABM_SETPOS)) << "the shell is told the bar's new place";
        Stop();
    }
}

TEST_F(BarMouse, ModulesFollowAFloatingBarAndItsOutlineCoversThem)
{
    const struct {
        int nState;
        POINT ptFrom, ptTo;
        RECT rcOutline, rcBar, rcModules[2];
        const char* pszWhy;
    } drags[] = {
        { .nState = ABE_BOTTOM,
          .ptFrom = { 600, 752 },
          .ptTo = { 500, 300 },
          .rcOutline = { 296, 300, 704, 544 },
          .rcBar = { 296, 297, 704, 342 },
          .rcModules = { { 296, 347, 596, 437 }, { 296, 444, 596, 534 } },
          .pszWhy = "a docked bar dragged off its edge floats, its modules below it" },
        { .nState = DBE_FLOAT,
          .ptFrom = ON_FLOATING_BAR,
          .ptTo = { 803, 306 },
          .rcOutline = { 408, 276, 816, 520 },
          .rcBar = { 408, 276, 816, 321 },
          .rcModules = { { 408, 326, 708, 416 }, { 408, 423, 708, 513 } },
          .pszWhy = "a floating bar dragged keeps its size and takes its modules along" },
    };
    for (const auto& d : drags) {
        SCOPED_TRACE(d.pszWhy);
        Start(d.nState, 2);
        ASSERT_TRUE(Press(d.ptFrom));
        ASSERT_TRUE(MouseMove(d.ptTo.x, d.ptTo.y));
        EXPECT_TRUE(WaitUntil([&] { return m_pBar->m_rcFocus == d.rcOutline; })) << "outline " << m_pBar->m_rcFocus;
        ASSERT_TRUE(Release());
        EXPECT_EQ(d.rcBar, WindowRect(m_pBar->m_hWnd)) << "where the bar is let go";
        EXPECT_EQ(d.rcModules[0], WindowRect(m_modules[0])) << "the first module 5 below the bar";
        EXPECT_EQ(d.rcModules[1], WindowRect(m_modules[1])) << "the second module 97 below the first";
        EXPECT_TRUE(IsWindowVisible(m_pBar->m_pLeg[1]->m_hWnd)) << "the floating bar stands on its feet";
        Stop();
    }
}

TEST_F(BarMouse, TheRightButtonOpensTheMenuButNotDuringALeftDrag)
{
    Start(DBE_FLOAT, 0);
    EXPECT_TRUE(InspectMenu([] { Click(703, 246, 3); }).bShown) << "a right click on the bar opens its menu";
    const MenuSnapshot menu = InspectMenu([&] {
        ASSERT_TRUE(Press(ON_FLOATING_BAR));
        ASSERT_TRUE(MouseMove(723, 266));
        ASSERT_TRUE(Click(723, 266, 3));
        ASSERT_TRUE(Release());
    });
    EXPECT_EQ((RECT { 328, 236, 736, 281 }), WindowRect(m_pBar->m_hWnd)) << "the drag went on to its release";
    EXPECT_FALSE(menu.bShown) << "a right click during a left drag opens no menu";
}

TEST_F(BarMouse, ActivationAndThePointerPutTheModulesRightBehindTheBar)
{
    const struct {
        BOOL bAlwaysOnTop;
        bool bActivate;
        int nBehind;
        const char* pszWhy;
    } cases[] = {
        { .bAlwaysOnTop = FALSE, .bActivate = false, .nBehind = 2, .pszWhy = "the pointer over the bar" },
        { .bAlwaysOnTop = FALSE, .bActivate = true, .nBehind = 2, .pszWhy = "the bar activated" },
        { .bAlwaysOnTop = TRUE, .bActivate = true, .nBehind = 2, .pszWhy = "the topmost bar activated" },
        { .bAlwaysOnTop = TRUE, .bActivate = false, .nBehind = 0, .pszWhy = "the pointer over the topmost bar" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhy);
        WriteInt(KEY_CONTROLLER, "AlwaysOnTop", c.bAlwaysOnTop);
        Start(ABE_TOP, 2);
        ParkMouse();
        for (HWND h : m_modules)
            SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_others.push_back(CreateModuleWindow("Some other program", 300));
        SetForegroundWindow(m_others.back());
        ASSERT_TRUE(WaitUntil([&] { return ModulesBehindBar() == 0; })) << "another program came between";
        // The first move over the bar looks for the volume control: proof that the bar saw the pointer.
        m_others.push_back(CreateModuleWindow("Volume Control", 600));
        if (c.bActivate) {
            SetForegroundWindow(m_pBar->m_hWnd);
            ASSERT_TRUE(WaitUntil([&] { return GetActiveWindow() == m_pBar->m_hWnd; })) << "the bar is active";
        } else {
            ASSERT_TRUE(MouseMove(ON_TOP_BAR.x, ON_TOP_BAR.y));
            ASSERT_TRUE(WaitUntil([&] { return !m_pBar->m_bLaunchModule[0]; })) << "the bar saw the pointer";
        }
        EXPECT_EQ(c.nBehind, ModulesBehindBar()) << "modules right behind the bar";
        Stop();
    }
}
