// The bar under the real pointer: drags, outlines, docking on release, the right button, modules behind.
#include "tests/support/BarFixture.h"
#include "tests/support/Processes.h"
#include "controller/Leg.h"

class BarMouse : public BarTest {
protected:
    BarMouse() : BarTest(0, 0) { } // with CD audio: two modules can run
    ~BarMouse() override
    {
        MouseUp();
        Stop();
    }
    void Stop()
    {
        m_pBar.reset();
        for (HWND h : m_modules)
            DestroyWindow(h);
        m_modules.clear();
    }
    void Start(int nState, int nModules)
    {
        WriteInt(KEY_CONTROLLER, "State", nState), m_pBar = StartBar();
        for (int i = 0; i < nModules; i++) {
            m_modules.push_back(CreateModuleWindow(i ? "Tymp Studio CDPlayer" : "Tymp Studio WavePlayer", 500));
            SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, LOWORD((UINT_PTR)m_modules.back()), MODMSG_ATTACH);
        }
    }
    int ModulesBehindBar() const // how many come right behind the bar, past its feet and hidden windows
    {
        int n = 0;
        for (HWND h = GetWindow(m_pBar->m_hWnd, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
            if (IsWindowVisible(h) && GetWindow(h, GW_OWNER) != m_pBar->m_hWnd &&
                !(std::count(m_modules.begin(), m_modules.end(), h) && ++n))
                break;
        return n;
    }
    BarPtr m_pBar;
    std::vector<HWND> m_modules;
};

TEST_F(BarMouse, DragsShowAnOutlineAndEndDockedOrFloatingWithTheModulesBelow)
{
    const struct {
        int nState, nModules;
        bool bCtrl;
        POINT from, to;
        RECT rcFocus, rcBar;
        bool bRedocked;
    } drags[] = {
        { ABE_BOTTOM, 2, false, { 600, 752 }, { 500, 300 }, { 296, 300, 704, 544 }, { 296, 297, 704, 342 }, true },
        { DBE_FLOAT, 1, false, { 703, 246 }, { 803, 306 }, { 408, 276, 816, 423 }, { 408, 276, 816, 321 }, false },
        { DBE_FLOAT, 0, false, { 703, 246 }, { 512, 2 }, { 0, 0, 1024, 32 }, { 0, 0, 1024, 32 }, true },
        { ABE_TOP, 0, false, { 600, 16 }, { 700, 3 }, { 0, 0, 1024, 32 }, { 0, 0, 1024, 32 }, true }, // onto its own
                                                                                                      // edge
        { ABE_TOP, 0, false, { 600, 16 }, { 3, 384 }, { 0, 0, 32, 768 }, { 0, 0, 32, 768 }, true },
        { ABE_TOP, 0, true, { 600, 16 }, { 520, 5 }, { 316, 5, 724, 55 }, { 316, 2, 724, 47 }, true }, // Ctrl floats
        { ABE_TOP, 0, false, { 600, 16 }, { 600, 16 }, {}, { 0, 0, 1024, 32 }, false }, // a click
    };
    for (const auto& d : drags) {
        SCOPED_TRACE(testing::Message() << "from " << d.from.x << "," << d.from.y << " to " << d.to.x << "," << d.to.y);
        Start(d.nState, d.nModules);
        std::unique_ptr<KeyDown> ctrl(d.bCtrl ? new KeyDown(VK_CONTROL) : nullptr);
        ASSERT_TRUE(MouseMove(d.from.x, d.from.y) && MouseDown());
        for (int i = 1; i <= 4; i++)
            ASSERT_TRUE(MouseMove(d.from.x + (d.to.x - d.from.x) * i / 4, d.from.y + (d.to.y - d.from.y) * i / 4));
        EXPECT_TRUE(WaitUntil([&] { return m_pBar->m_rcFocus == d.rcFocus; }, 2000)) << "outline " << m_pBar->m_rcFocus;
        const int nSetPos = m_shell.Count(ABM_SETPOS);
        ASSERT_TRUE(MouseUp());
        const RECT& rc = d.rcBar;
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(m_pBar->m_hWnd) == rc; }, 3000)) << WindowRect(m_pBar->m_hWnd);
        EXPECT_TRUE(IsRectEmpty(&m_pBar->m_rcFocus)) << "the outline is gone";
        EXPECT_EQ(d.bRedocked, nSetPos < m_shell.Count(ABM_SETPOS)) << "docked on release";
        EXPECT_EQ(rc.right - rc.left == 408, IsWindowVisible(m_pBar->m_pLeg[1]->m_hWnd) &&
                                                 WindowRect(m_pBar->m_pLeg[0]->m_hWnd).top == rc.bottom - 2)
            << "the feet";
        for (int i = 0; i < d.nModules; i++)
            EXPECT_EQ((RECT { rc.left, rc.bottom + 5 + 97 * i, rc.left + 300, rc.bottom + 95 + 97 * i }),
                      WindowRect(m_modules[i]));
        Stop();
    }
}

TEST_F(BarMouse, TheRightButtonOpensTheMenuExceptDuringALeftDrag)
{
    Start(DBE_FLOAT, 0);
    EXPECT_TRUE(InspectMenu([] { Click(703, 246, 3); }).bShown);
    EXPECT_FALSE(InspectMenu([] { MouseMove(703, 246) && MouseDown() && Click(703, 246, 3) && MouseUp(); }).bShown);
}

TEST_F(BarMouse, ActivationAndThePointerPutTheModulesRightBehindTheBar)
{
    const struct {
        BOOL bAlwaysOnTop;
        bool bActivate;
        int nBehind;
    } cases[] = { { FALSE, false, 2 }, { FALSE, true, 2 }, { TRUE, true, 2 }, { TRUE, false, 0 } };
    for (const auto& c : cases) {
        WriteInt(KEY_CONTROLLER, "AlwaysOnTop", c.bAlwaysOnTop);
        Start(ABE_TOP, 2);
        ParkMouse();
        for (HWND h : m_modules)
            SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        HWND hOther = CreateModuleWindow("Some other program", 300);
        SetForegroundWindow(hOther);
        ASSERT_TRUE(WaitUntil([&] { return ModulesBehindBar() == 0; }));
        c.bActivate ? (void)SetForegroundWindow(m_pBar->m_hWnd) : (void)MouseMove(600, 16);
        EXPECT_TRUE(WaitUntil([&] { return ModulesBehindBar() == c.nBehind; }, 2000))
            << ModulesBehindBar() << c.bActivate;
        m_modules.push_back(hOther);
        Stop();
    }
}
