// The bar's side of the module protocol, with stand-in module windows that
// record what the bar posts them.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "panekit/PaneKit.h"
#include "res/resource.h"
#include <climits>
#include <gtest/gtest.h>

namespace {

class ModuleProtocol : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteSuiteKeys();
        g_moduleMessages.clear();
        m_pBar = StartBar();
        m_wBar = LOWORD((UINT_PTR)m_pBar->m_hWnd);
    }
    void TearDown() override
    {
        m_pBar.reset();
        for (HWND hWnd : m_windows)
            DestroyWindow(hWnd);
        DeleteSuiteKeys();
    }

    HWND Module(const char* pszTitle)
    {
        HWND hWnd = CreateModuleWindow(pszTitle, 100);
        m_windows.push_back(hWnd);
        return hWnd;
    }
    void Send(HWND hFrom, int nCode)
    {
        SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, LOWORD((UINT_PTR)hFrom), nCode);
    }
    // What the bar posted, as (window, code) in order.
    std::vector<std::pair<HWND, int>> Posted()
    {
        PumpFor(50);
        std::vector<std::pair<HWND, int>> posted;
        for (const auto& m : g_moduleMessages) {
            EXPECT_EQ((WPARAM)m_wBar, m.wParam) << "posts carry the bar's own handle";
            posted.push_back({ m.hWnd, (int)m.lParam });
        }
        g_moduleMessages.clear();
        return posted;
    }

    FakeAppBarShell m_shell;
    FakeDevices m_devices{ 0, 1 };
    BarPtr m_pBar;
    WORD m_wBar = 0;
    std::vector<HWND> m_windows;
};

} // namespace

TEST_F(ModuleProtocol, AttachGivesSlotsOrdersAndRemoveTips)
{
    HWND hWave = Module("Tymp Studio WavePlayer");
    HWND hCD = Module("Tymp Studio CDPlayer");
    Send(hWave, MODMSG_ATTACH);
    Send(hCD, MODMSG_ATTACH);
    CControllerDlg& bar = *m_pBar;
    EXPECT_EQ(hWave, bar.m_modules[MODULE_WAVEPLAYER].hWnd) << "the whole handle, not its low word";
    EXPECT_EQ(0, bar.m_modules[MODULE_WAVEPLAYER].nOrder);
    EXPECT_EQ(1, bar.m_modules[MODULE_CDPLAYER].nOrder);
    EXPECT_EQ(2, bar.m_nNextModuleOrder);
    EXPECT_FALSE(bar.m_bLaunchModule[MODULE_CDPLAYER]);
    EXPECT_TRUE(bar.AnyModuleRunning());

    // Other titles, the Volume Control among them, take no slot.
    Send(Module("Volume Control"), MODMSG_ATTACH);
    Send(Module("Tymp Studio cdplayer"), MODMSG_ATTACH);
    EXPECT_EQ(2, bar.m_nNextModuleOrder);
}

TEST_F(ModuleProtocol, AttachWithoutTheDeviceFillsNoSlot)
{
    m_pBar->m_bHasCDAudio = FALSE;
    Send(Module("Tymp Studio CDPlayer"), MODMSG_ATTACH);
    EXPECT_EQ(nullptr, m_pBar->m_modules[MODULE_CDPLAYER].hWnd);
    EXPECT_EQ(0, m_pBar->m_nNextModuleOrder);
}

TEST_F(ModuleProtocol, DetachClosesTheGapInTheOrders)
{
    HWND hCD = Module("Tymp Studio CDPlayer");
    HWND hWave = Module("Tymp Studio WavePlayer");
    HWND hMidi = Module("Tymp Studio MidiPlayer");
    Send(hCD, MODMSG_ATTACH);
    Send(hWave, MODMSG_ATTACH);
    Send(hMidi, MODMSG_ATTACH);
    CControllerDlg& bar = *m_pBar;

    Send(hWave, MODMSG_DETACH);
    EXPECT_EQ(nullptr, bar.m_modules[MODULE_WAVEPLAYER].hWnd);
    EXPECT_EQ(0, bar.m_modules[MODULE_CDPLAYER].nOrder);
    EXPECT_EQ(1, bar.m_modules[MODULE_MIDIPLAYER].nOrder);
    EXPECT_EQ(2, bar.m_nNextModuleOrder);
    EXPECT_TRUE(bar.m_bLaunchModule[MODULE_WAVEPLAYER]);

    Send(hWave, MODMSG_ATTACH);
    EXPECT_EQ(2, bar.m_modules[MODULE_WAVEPLAYER].nOrder) << "the next arrival goes last";

    // A window that holds no slot, and a sender naming an empty slot's null handle, change nothing.
    Send(Module("Anything"), MODMSG_DETACH);
    Send(hCD, MODMSG_DETACH);
    EXPECT_EQ(2, bar.m_nNextModuleOrder);
    SendMessageA(bar.m_hWnd, g_uModuleMessage, 0, MODMSG_DETACH);
    SendMessageA(bar.m_hWnd, g_uModuleMessage, 0, MODMSG_DETACH);
    EXPECT_EQ(2, bar.m_nNextModuleOrder);
    EXPECT_EQ(1, bar.m_modules[MODULE_WAVEPLAYER].nOrder);
    EXPECT_EQ(0, bar.m_modules[MODULE_MIDIPLAYER].nOrder);
}

TEST_F(ModuleProtocol, TheBarsOwnHandleAndUnknownCodesAreIgnored)
{
    HWND hWave = Module("Tymp Studio WavePlayer");
    Send(hWave, MODMSG_ATTACH);
    for (int nCode : { MODMSG_EXIT, MODMSG_DETACH, MODMSG_MINIMIZE })
        SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, m_wBar, nCode);
    for (int nCode : { 4, -2, 1000, INT_MIN })
        Send(hWave, nCode);
    PumpFor(50);
    EXPECT_TRUE(IsWindowVisible(m_pBar->m_hWnd));
    EXPECT_FALSE(m_pBar->IsIconic());
    EXPECT_EQ(1, m_pBar->m_nNextModuleOrder);
    EXPECT_TRUE(Posted().empty());
}

TEST_F(ModuleProtocol, AModulesMinimiseIsNotEchoedButTheUsersIs)
{
    HWND hCD = Module("Tymp Studio CDPlayer");
    HWND hWave = Module("Tymp Studio WavePlayer");
    Send(hCD, MODMSG_ATTACH);
    Send(hWave, MODMSG_ATTACH);
    Posted();

    Send(hCD, MODMSG_MINIMIZE);         // floating: the bar follows
    EXPECT_TRUE(PumpUntil([&] { return m_pBar->IsIconic() != FALSE; }));
    EXPECT_TRUE(Posted().empty()) << "a module's minimise is not told back";
    Send(hCD, MODMSG_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return !m_pBar->IsIconic(); }));
    EXPECT_TRUE(Posted().empty());

    m_pBar->OnMinimizeModules();        // the user's own minimise is passed on
    EXPECT_TRUE(PumpUntil([&] { return m_pBar->IsIconic() != FALSE; }));
    auto posted = Posted();
    ASSERT_EQ(2u, posted.size());
    EXPECT_EQ(MODMSG_MINIMIZE, posted[0].second);
    EXPECT_EQ(MODMSG_MINIMIZE, posted[1].second);
    m_pBar->ShowWindow(SW_RESTORE);
    Posted();

    m_pBar->SetDockState(ABE_TOP);      // docked, a module's minimise only changes the button
    Posted();
    Send(hCD, MODMSG_MINIMIZE);
    EXPECT_EQ(1, m_pBar->m_nModulesMinimized);
    EXPECT_FALSE(m_pBar->IsIconic());
    EXPECT_TRUE(Posted().empty());
}

TEST_F(ModuleProtocol, TheMinimiseButtonTogglesTheModulesWhileDocked)
{
    HWND hCD = Module("Tymp Studio CDPlayer");
    HWND hMidi = Module("Tymp Studio MidiPlayer");
    Send(hCD, MODMSG_ATTACH);
    Send(hMidi, MODMSG_ATTACH);
    m_pBar->SetDockState(ABE_BOTTOM);
    Posted();

    SendMessageA(m_pBar->m_hWnd, WM_COMMAND, ID_MINIMIZE_BUTTON, 0);
    std::vector<std::pair<HWND, int>> expected = { { hCD, MODMSG_MINIMIZE }, { hMidi, MODMSG_MINIMIZE } };
    EXPECT_EQ(expected, Posted());
    HMENU hSysMenu = GetSystemMenu(m_pBar->m_hWnd, FALSE);
    EXPECT_TRUE(GetMenuState(hSysMenu, ID_MINIMIZE_MODULES, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(hSysMenu, ID_RESTORE_MODULES, MF_BYCOMMAND) & MF_GRAYED);

    SendMessageA(m_pBar->m_hWnd, WM_COMMAND, ID_MINIMIZE_BUTTON, 0);
    expected = { { hCD, MODMSG_RESTORE }, { hMidi, MODMSG_RESTORE } };
    EXPECT_EQ(expected, Posted());
    EXPECT_FALSE(GetMenuState(hSysMenu, ID_MINIMIZE_MODULES, MF_BYCOMMAND) & MF_GRAYED);

    // A slot whose window has gone is never posted to.
    DestroyWindow(hMidi);
    SendMessageA(m_pBar->m_hWnd, WM_COMMAND, ID_MINIMIZE_BUTTON, 0);
    expected = { { hCD, MODMSG_MINIMIZE } };
    EXPECT_EQ(expected, Posted());
}

TEST_F(ModuleProtocol, ExitTellsEmptySlotsNeighboursFirst)
{
    HWND hWave = Module("Tymp Studio WavePlayer");
    HWND hMidi = Module("Tymp Studio MidiPlayer");
    Send(hWave, MODMSG_ATTACH);
    Send(hMidi, MODMSG_ATTACH);
    Posted();
    m_pBar->ExitController();
    std::vector<std::pair<HWND, int>> expected = {
        { hWave, MODMSG_DETACH }, { hMidi, MODMSG_DETACH }, { hWave, MODMSG_EXIT }, { hMidi, MODMSG_EXIT } };
    EXPECT_EQ(expected, Posted());
}

TEST_F(ModuleProtocol, ExitWithEverySlotRunningOnlySaysExit)
{
    HWND hCD = Module("Tymp Studio CDPlayer");
    HWND hWave = Module("Tymp Studio WavePlayer");
    HWND hMidi = Module("Tymp Studio MidiPlayer");
    for (HWND h : { hMidi, hCD, hWave })
        Send(h, MODMSG_ATTACH);
    Posted();
    SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, LOWORD((UINT_PTR)hCD), MODMSG_EXIT);
    std::vector<std::pair<HWND, int>> expected = { { hCD, MODMSG_EXIT }, { hWave, MODMSG_EXIT }, { hMidi, MODMSG_EXIT } };
    EXPECT_EQ(expected, Posted());
    EXPECT_FALSE(IsWindowVisible(m_pBar->m_hWnd)) << "the dialog has ended";
}

TEST_F(ModuleProtocol, AnnouncingAgainKeepsTheStackWithoutGaps)
{
    HWND hCD = Module("Tymp Studio CDPlayer");
    HWND hWave = Module("Tymp Studio WavePlayer");
    Send(hCD, MODMSG_ATTACH);
    Send(hWave, MODMSG_ATTACH);
    Send(hCD, MODMSG_ATTACH);
    Send(hCD, MODMSG_ATTACH);
    EXPECT_EQ(0, m_pBar->m_modules[MODULE_CDPLAYER].nOrder);
    EXPECT_EQ(1, m_pBar->m_modules[MODULE_WAVEPLAYER].nOrder);
    EXPECT_EQ(2, m_pBar->m_nNextModuleOrder);

    // A player that vanished without leaving comes back last, closing its gap.
    DestroyWindow(hCD);
    HWND hCDAgain = Module("Tymp Studio CDPlayer");
    Send(hCDAgain, MODMSG_ATTACH);
    EXPECT_EQ(1, m_pBar->m_modules[MODULE_CDPLAYER].nOrder);
    EXPECT_EQ(0, m_pBar->m_modules[MODULE_WAVEPLAYER].nOrder);
    EXPECT_EQ(2, m_pBar->m_nNextModuleOrder);
    EXPECT_EQ(hCDAgain, m_pBar->m_modules[MODULE_CDPLAYER].hWnd);
}

// Random codes from every kind of sender: the bar stays up and the stack stays whole.
TEST_F(ModuleProtocol, AStormOfMessagesLeavesAConsistentStack)
{
    HWND ahModule[3] = { Module("Tymp Studio CDPlayer"), Module("Tymp Studio WavePlayer"), Module("Tymp Studio MidiPlayer") };
    HWND hDead = Module("Tymp Studio CDPlayer");
    DestroyWindow(hDead);
    const int anCodes[] = { MODMSG_ATTACH, MODMSG_DETACH, MODMSG_ATTACH, MODMSG_DETACH, 4, -2, 0x7FFFFFFF };
    unsigned uSeed = 12345;
    auto next = [&] { uSeed = uSeed * 1103515245 + 12345; return uSeed >> 8; };
    for (int i = 0; i < 100000; i++) {
        WPARAM wSender;
        switch (next() % 5) {
        case 0: wSender = m_wBar; break;
        case 1: wSender = LOWORD((UINT_PTR)hDead); break;
        case 2: wSender = next() & 0xFFFF; break;
        default: wSender = LOWORD((UINT_PTR)ahModule[next() % 3]); break;
        }
        PostMessageA(m_pBar->m_hWnd, g_uModuleMessage, wSender, anCodes[next() % 7]);
        if (i % 1000 == 999)
            PumpFor(0);
    }
    PumpFor(200);
    g_moduleMessages.clear();
    ASSERT_TRUE(IsWindow(m_pBar->m_hWnd));
    EXPECT_TRUE(SendMessageTimeoutA(m_pBar->m_hWnd, WM_NULL, 0, 0, SMTO_BLOCK, 2000, nullptr));

    // The modules that hold a slot have the orders 0 .. n-1, once each.
    int nHeld = 0, nSeen = 0;
    for (int i = MODULE_CDPLAYER; i < MODULE_COUNT; i++) {
        const ModuleSlot& slot = m_pBar->m_modules[i];
        if (!slot.hWnd)
            continue;
        nHeld++;
        ASSERT_GE(slot.nOrder, 0);
        ASSERT_LT(slot.nOrder, 3);
        nSeen |= 1 << slot.nOrder;
    }
    EXPECT_EQ(nHeld, m_pBar->m_nNextModuleOrder);
    EXPECT_EQ((1 << nHeld) - 1, nSeen) << "orders without gaps or duplicates";

    m_pBar->SaveModuleLayout();
    CControllerDlg reread(nullptr, TRUE);
    reread.LoadSettings();
    EXPECT_EQ(nHeld, reread.m_nLaunchOrder);
}
