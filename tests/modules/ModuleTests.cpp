// The bar's side of the module protocol, with module windows that record what the bar posts them.
#include "tests/support/BarFixture.h"

enum { DIE = 100, BUTTON, DOCK, RESTART, NOCD, RESIZE, MINBAR, EXIT2, RUNNING }; // what a row does besides a code

class ModuleProtocol : public BarTest {
protected:
    ModuleProtocol() : BarTest(0, 1) { g_moduleMessages.clear(), Restart(true); }
    ~ModuleProtocol() override { Restart(false); }
    void Restart(bool bNewBar, const char* pszRunning = "") // modules found running at start, all at one height
    {
        m_pBar.reset();
        for (const auto& w : std::exchange(m_windows, { { '0', nullptr } }))
            DestroyWindow(w.second);
        for (const char* p = pszRunning; *p; p++)
            Window(*p);
        m_pBar = bNewBar ? StartBar() : nullptr;
        m_windows['B'] = m_pBar ? m_pBar->m_hWnd : nullptr;
    }
    // B the bar, 0 no window; C and D CD players, W wave, M MIDI, V Volume Control, c and x not the suite's,
    // k a CD player's title on a child of x.
    HWND Window(char c)
    {
        if (c == 'k' && !m_windows.count(c))
            m_windows[c] =
                CreateWindowExA(0, "STATIC", "Tymp Studio CDPlayer", WS_CHILD, 0, 0, 9, 9, Window('x'), 0, 0, 0);
        static const char* const apszTitle[] = { "Tymp Studio CDPlayer",
                                                 "Tymp Studio CDPlayer",
                                                 "Tymp Studio WavePlayer",
                                                 "Tymp Studio MidiPlayer",
                                                 "Volume Control",
                                                 "Tymp Studio cdplayer",
                                                 "Anything" };
        return m_windows.count(c) ? m_windows[c]
                                  : (m_windows[c] = CreateModuleWindow(apszTitle[std::string("CDWMVcx").find(c)], 100));
    }
    void Do(char cWho, int nCode)
    {
        switch (nCode) {
        case DIE: DestroyWindow(Window(cWho)); break;
        case BUTTON: m_pBar->SendMessage(WM_COMMAND, 104); break;
        case DOCK: m_pBar->SetDockState(ABE_TOP); break;
        case RESTART: Restart(true); break;
        case NOCD: m_pBar->m_bHasCDAudio = FALSE; break;
        case RESIZE: m_pBar->SendMessage(WM_SIZE, SIZE_RESTORED, 0); break;
        case MINBAR: m_pBar->ShowWindow(SW_MINIMIZE); break;
        case EXIT2: m_pBar->SetStartMode(1), m_pBar->PostMessage(WM_COMMAND, 102), m_pBar->ExitController(); break;
        case RUNNING: Restart(true, "CWM"); break;
        default: m_pBar->SendMessage(g_uModuleMessage, LOWORD((UINT_PTR)Window(cWho)), nCode);
        }
    }
    // "DmWm": what the bar posted since last asked, by window and code (x exit, a, d detach, m, r); ! a wrong sender.
    std::string Posted()
    {
        std::string str;
        for (const ModuleMessage& m : (Pump(), std::exchange(g_moduleMessages, {})))
            for (const auto& w : m_windows)
                str += w.second != m.hWnd
                           ? ""
                           : std::string(1, w.first) + "xadmr?"[std::min<ULONG_PTR>((ULONG_PTR)m.lParam + 1, 5)] +
                                 (m.wParam == LOWORD((UINT_PTR)m_pBar->m_hWnd) ? "" : "!");
        return str;
    }
    // "0R-L1R2m0eg": order (- none) and tooltip (L/R) of slots 1..3, next order, minimised, menu 32771/120, Iconic.
    std::string State()
    {
        std::string str;
        for (int i = 1; i < 4; i++)
            str += std::string(1, m_pBar->m_modules[i].hWnd ? char('0' + m_pBar->m_modules[i].nOrder) : '-') +
                   "LR"[!m_pBar->m_bLaunchModule[i]];
        HMENU hMenu = GetSystemMenu(m_pBar->m_hWnd, FALSE);
        return str + std::to_string(m_pBar->m_nNextModuleOrder) + "m" + std::to_string(m_pBar->m_nModulesMinimized) +
               "eg"[!!(GetMenuState(hMenu, 32771, 0) & MF_GRAYED)] + "eg"[!!(GetMenuState(hMenu, 120, 0) & MF_GRAYED)] +
               (m_pBar->IsIconic() ? "I" : "");
    }
    BarPtr m_pBar;
    std::map<char, HWND> m_windows;
};

TEST_F(ModuleProtocol, AttachDetachMinimiseAndRestoreKeepTheStackAndEchoNothingBack)
{
    const struct {
        char cWho;
        int nCode;
        const char* pszPosted;
        const char* pszState;
    } script[] = {
        { 'W', 0, "", "-L0R-L1m0eg" },
        { 'C', 0, "", "1R0R-L2m0eg" },
        { 'V', 0, "", "1R0R-L2m0eg" },
        { 'c', 0, "", "1R0R-L2m0eg" },
        { 'M', 0, "", "1R0R2R3m0eg" },
        { 'C', 0, "", "1R0R2R3m0eg" },
        { 'W', 1, "", "0R-L1R2m0eg" },
        { 'x', 1, "", "0R-L1R2m0eg" },
        { '0', 1, "", "0R-L1R2m0eg" },
        { 'W', 0, "", "0R2R1R3m0eg" },
        { 'C', DIE, "", "0R2R1R3m0eg" },
        { 'D', 0, "", "2R1R0R3m0eg" },
        { 'B', -1, "", "2R1R0R3m0eg" },
        { 'B', 1, "", "2R1R0R3m0eg" },
        { 'B', 2, "", "2R1R0R3m0eg" },
        { 'W', 4, "", "2R1R0R3m0eg" },
        { 'W', -2, "", "2R1R0R3m0eg" },
        { 'W', (int)0x80000000, "", "2R1R0R3m0eg" },
        { 'W', 2, "", "2R1R0R3m1geI" },
        { 'W', 3, "", "2R1R0R3m0eg" },
        { 'B', BUTTON, "DmWmMm", "2R1R0R3m1geI" },
        { 'x', 0, "DrWrMr", "2R1R0R3m0eg" },
        { 'B', DOCK, "", "2R1R0R3m0eg" },
        { 'M', 2, "", "2R1R0R3m1ge" },
        { 'B', BUTTON, "DrWrMr", "2R1R0R3m0eg" },
        { 'B', BUTTON, "DmWmMm", "2R1R0R3m1ge" },
        { 'M', DIE, "", "2R1R0R3m1ge" },
        { 'B', BUTTON, "DrWr", "2R1R0R3m0eg" },
        { 'W', -1, "DxWxDdWd", "" },
        // Exit with slot 1 empty (no CD audio, so no slot), with every slot running, and with one.
        { 'B', RESTART, "", "-L-L-L0m0eg" },
        { 'B', NOCD, "", "-L-L-L0m0eg" },
        { 'C', 0, "", "-L-L-L0m0eg" },
        { 'W', 0, "", "-L0R-L1m0eg" },
        { 'M', 0, "", "-L0R1R2m0eg" },
        { 'M', -1, "WdMdWxMx", "" },
        { 'B', RESTART, "", "-L-L-L0m0eg" },
        { 'M', 0, "", "-L-L0R1m0eg" },
        { 'C', 0, "", "1R-L0R2m0eg" },
        { 'W', 0, "", "1R2R0R3m0eg" },
        { 'C', -1, "CxWxMx", "" },
        { 'B', RESTART, "", "-L-L-L0m0eg" },
        { 'C', 0, "", "0R-L-L1m0eg" },
        { 'C', -1, "CxCdCd", "" },
        // A plain resize forgets a module's minimise; an exit that waits runs once; a child is no module.
        { 'B', RESTART, "", "-L-L-L0m0eg" },
        { 'W', 0, "", "-L0R-L1m0eg" },
        { 'B', DOCK, "", "-L0R-L1m0eg" },
        { 'W', 2, "", "-L0R-L1m1ge" },
        { 'B', RESIZE, "", "-L0R-L1m1ge" },
        { 'B', MINBAR, "Wm", "-L0R-L1m1geI" },
        { 'B', RESTART, "", "-L-L-L0m0eg" },
        { 'k', 0, "", "-L-L-L0m0eg" },
        { 'W', 0, "", "-L0R-L1m0eg" },
        { 'B', EXIT2, "WdWxWd", "" },
        { 'B', RUNNING, "CaWaMa", "0R1R2R3m0eg" }, // equal tops keep slot order
    };
    for (const auto& row : script) {
        Do(row.cWho, row.nCode);
        EXPECT_EQ(row.pszPosted, Posted()) << row.cWho << row.nCode << " " << State();
        EXPECT_EQ(row.pszState, IsWindowVisible(m_pBar->m_hWnd) ? State() : "") << row.cWho << row.nCode;
    }
    EXPECT_EQ(Window('C'), m_pBar->m_modules[1].hWnd) << "the whole handle";
}

TEST_F(ModuleProtocol, EveryMouseMoveSeesTheVolumeControlComeAndGo)
{
    for (int i = 0; i < 4; i++) {
        i % 2 ? (void)(DestroyWindow(Window('V')), m_windows.erase('V')) : (void)Window('V');
        Pump();
        m_pBar->SendMessage(WM_MOUSEMOVE, 0, 0);
        EXPECT_EQ(i % 2 == 1, m_pBar->m_bLaunchModule[MODULE_VOLUME] != FALSE) << i;
    }
}

TEST_F(ModuleProtocol, AStormOfMessagesLeavesTheOrdersZeroToNMinusOne)
{
    Do('D', DIE);
    for (unsigned i = 0, uSeed = 1; i < 20000; i++, uSeed = uSeed * 1103515245 + 12345)
        Do(
            "CWMDBx0" [(uSeed >> 8) % 7], std::vector<int> { 0, 1, 0, 1, 4, -2, 0x7FFFFFFF }[(uSeed >> 16) % 7]);
    std::string strOrders;
    for (const ModuleSlot& slot : m_pBar->m_modules)
        strOrders += slot.hWnd ? std::to_string(slot.nOrder) : "";
    std::sort(strOrders.begin(), strOrders.end());
    EXPECT_EQ(std::string("0123456789").substr(0, m_pBar->m_nNextModuleOrder), strOrders) << State();
}
