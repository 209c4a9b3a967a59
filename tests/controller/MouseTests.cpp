// The bar under the real pointer: drags, outlines, docking on release, the right button, modules behind.
#include "tests/support/BarFixture.h"
#include "tests/support/Processes.h"
#include "controller/Leg.h"

const RECT TOP_BAND = { 0, 0, 1024, 32 };
const POINT ON_TOP_BAR = { 600, 16 }, ON_BOTTOM_BAR = { 600, 752 };

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
            m_windows.push_back(m_modules.back());
            SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, LOWORD((UINT_PTR)m_modules.back()), MODMSG_ATTACH);
        }
    }
    void Stop()
    {
        m_pBar.reset();
        for (HWND h : m_windows)
            DestroyWindow(h);
        m_windows.clear();
        m_modules.clear();
    }
    // The left button goes down at pt, and the bar has seen it: it holds the pointer.
    bool Press(POINT pt)
    {
        return MouseMove(pt.x, pt.y) && MouseDown() && WaitUntil([&] { return GetCapture() == m_pBar->m_hWnd; });
    }
    // The left button goes up, and the bar has seen it: it lets the pointer go.
    bool Release()
    {
        return MouseUp() && WaitUntil([] { return GetCapture() == nullptr; });
    }
    // Drags the bar from ptFrom to ptTo and lets go there; answers the outline the bar showed before.
    RECT Drag(POINT ptFrom, POINT ptTo)
    {
        RECT rcFocus = {};
        if (Press(ptFrom) && MouseMove(ptTo.x, ptTo.y) && WaitUntil([&] { return !IsRectEmpty(&m_pBar->m_rcFocus); }))
            rcFocus = m_pBar->m_rcFocus;
        Release();
        return rcFocus;
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
    std::vector<HWND> m_modules, m_windows; // the modules, and every window the test made
};

TEST_F(BarMouse, DraggedJustOutOfTheTopBandADockedBarFloatsWithItsModulesBelow)
{
    Start(ABE_BOTTOM, 2);
    RECT rcOutline = {};
    const MenuSnapshot menu = InspectMenu([&] {
        ASSERT_TRUE(Press(ON_BOTTOM_BAR));
        ASSERT_TRUE(MouseMove(500, 17));
        ASSERT_TRUE(WaitUntil([&] { return !IsRectEmpty(&m_pBar->m_rcFocus); })) << "an outline shows";
        rcOutline = m_pBar->m_rcFocus;
        ASSERT_TRUE(Click(500, 17, 3));
        ASSERT_TRUE(Release());
    });
    EXPECT_FALSE(menu.bShown) << "a right click during a left drag opens no menu";
    EXPECT_EQ((RECT { 296, 17, 704, 261 }), rcOutline) << "408 wide below the pointer, over the bar and modules";
    EXPECT_TRUE(IsRectEmpty(&m_pBar->m_rcFocus)) << "the outline is gone";
    EXPECT_EQ((RECT { 296, 14, 704, 59 }), WindowRect(m_pBar->m_hWnd)) << "the floating bar 3 above the pointer";
    EXPECT_EQ((RECT { 296, 64, 596, 154 }), WindowRect(m_modules[0])) << "the first module 5 below the bar";
    EXPECT_EQ((RECT { 296, 161, 596, 251 }), WindowRect(m_modules[1])) << "the next module 97 lower";
    EXPECT_TRUE(IsWindowVisible(m_pBar->m_pLeg[1]->m_hWnd)) << "the floating bar stands on its feet";
    EXPECT_TRUE(InspectMenu([] { Click(691, 44, 3); }).bShown) << "a right click on the bar opens its menu";
}

TEST_F(BarMouse, AClickDoesNothingButLetGoOnAnEdgeEvenItsOwnTheBarDocksThere)
{
    Start(ABE_TOP, 0);
    const int nSetPos = m_shell.Count(ABM_SETPOS);
    ASSERT_TRUE(Press(ON_TOP_BAR));
    ASSERT_TRUE(Release());
    EXPECT_EQ(nSetPos, m_shell.Count(ABM_SETPOS)) << "a click without a move does not dock the bar again";
    EXPECT_EQ(TOP_BAND, Drag(ON_TOP_BAR, { 700, 16 })) << "the top band, the pointer just inside it";
    EXPECT_EQ(nSetPos + 1, m_shell.Count(ABM_SETPOS)) << "let go on its own edge, the bar docks there again";
    EXPECT_EQ((RECT { 0, 0, 32, 768 }), Drag(ON_TOP_BAR, { 3, 384 })) << "the left band";
    EXPECT_EQ((RECT { 0, 0, 32, 768 }), WindowRect(m_pBar->m_hWnd)) << "docked at the left edge";
}

TEST_F(BarMouse, ActivationAndThePointerPutTheModulesRightBehindTheBar)
{
    const struct {
        BOOL bAlwaysOnTop;
        bool bActivate;
        int nBehind;
    } cases[] = {
        { .bAlwaysOnTop = FALSE, .bActivate = false, .nBehind = 2 }, // the pointer over the bar
        { .bAlwaysOnTop = TRUE, .bActivate = true, .nBehind = 2 }, // the topmost bar activated
        { .bAlwaysOnTop = TRUE, .bActivate = false, .nBehind = 0 }, // the pointer over the topmost bar
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "always on top " << c.bAlwaysOnTop << ", activated " << c.bActivate);
        WriteInt(KEY_CONTROLLER, "AlwaysOnTop", c.bAlwaysOnTop);
        Start(ABE_TOP, 2);
        ParkMouse();
        for (HWND h : m_modules)
            SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_windows.push_back(CreateModuleWindow("Some other program", 300));
        SetForegroundWindow(m_windows.back());
        ASSERT_TRUE(WaitUntil([&] { return ModulesBehindBar() == 0; })) << "another program came between";
        // The bar looks for it at the first move over it: a sign that the bar saw the pointer.
        m_windows.push_back(CreateModuleWindow("Volume Control", 600));
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
