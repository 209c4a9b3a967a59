// The bar's pop-up menu and its commands, and what an open dialog blocks.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "MenuInspector.h"
#include "dockbar/AppBarService.h"
#include "TestUtil.h"
#include "res/resource.h"
#include <gtest/gtest.h>

namespace {

class BarMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteSuiteKeys();
        m_pBar = StartBar();
    }
    void TearDown() override
    {
        m_pBar.reset();
        DeleteSuiteKeys();
    }
    // As a user's click would, the bar is activated before its menu opens.
    MenuSnapshot ContextMenu(int x = 200, int y = 200)
    {
        SetForegroundWindow(m_pBar->m_hWnd);
        PumpFor(50);
        return InspectMenu([&] { SendMessageA(m_pBar->m_hWnd, WM_CONTEXTMENU, (WPARAM)m_pBar->m_hWnd, MAKELPARAM(x, y)); });
    }
    void Command(UINT nID) { SendMessageA(m_pBar->m_hWnd, WM_COMMAND, nID, 0); }
    bool Topmost() const { return (GetWindowLongA(m_pBar->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

    FakeAppBarShell m_shell;
    BarPtr m_pBar;
};

// Presses OK on the bar's message box as soon as it shows.
VOID CALLBACK DismissMessageBox(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    char szTitle[64];
    for (HWND h = FindWindowA("#32770", nullptr); h; h = FindWindowExA(nullptr, h, "#32770", nullptr)) {
        GetWindowTextA(h, szTitle, sizeof szTitle);
        if (lstrcmpA(szTitle, "Tymp Studio 3.0") == 0 && IsWindowVisible(h) && GetDlgItem(h, IDOK)) {
            PostMessageA(h, WM_COMMAND, IDOK, 0);
            KillTimer(nullptr, nIDEvent);
        }
    }
}

const UINT EDGE_ITEMS[] = { ID_DOCK_LEFT, ID_DOCK_TOP, ID_DOCK_RIGHT, ID_DOCK_BOTTOM, ID_FLOAT };

int CheckedEdgeItems(const MenuSnapshot& menu)
{
    int n = 0;
    for (UINT nID : EDGE_ITEMS)
        n += menu.Checked(nID);
    return n;
}

} // namespace

TEST_F(BarMenu, ItemsFollowTheBarsState)
{
    MenuSnapshot menu = ContextMenu();
    ASSERT_TRUE(menu.bShown);
    ASSERT_EQ(14u, menu.state.size()) << "every item but the separators";
    for (UINT nID : { ID_HELP, ID_ACTIVATE_MODULES, ID_LAUNCH_WAVEEDITOR, ID_LAUNCH_MIDITRACKER, ID_DOCK_LEFT, ID_DOCK_TOP,
                      ID_DOCK_RIGHT, ID_DOCK_BOTTOM, ID_FLOAT, ID_MINIMIZE_MODULES, ID_ALWAYS_ON_TOP, ID_AUTO_HIDE,
                      ID_APP_ABOUT, ID_APP_EXIT })
        EXPECT_TRUE(menu.Has(nID)) << nID;
    EXPECT_TRUE(menu.Grayed(ID_ACTIVATE_MODULES)) << "no module is running";
    EXPECT_TRUE(menu.Grayed(ID_ALWAYS_ON_TOP)) << "floating";
    EXPECT_TRUE(menu.Grayed(ID_AUTO_HIDE));
    EXPECT_FALSE(menu.Grayed(ID_LAUNCH_WAVEEDITOR)) << "Wine has a wave output";
    EXPECT_TRUE(menu.Grayed(ID_LAUNCH_MIDITRACKER)) << "and no MIDI output";
    EXPECT_FALSE(menu.Grayed(ID_HELP));
    EXPECT_TRUE(menu.Checked(ID_FLOAT));
    EXPECT_TRUE(menu.type[ID_FLOAT] & MFT_RADIOCHECK);
    EXPECT_EQ(1, CheckedEdgeItems(menu));

    HWND hWave = CreateModuleWindow("Tymp Studio WavePlayer", 100);
    SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, LOWORD((UINT_PTR)hWave), MODMSG_ATTACH);
    Command(ID_DOCK_RIGHT);
    Command(ID_ALWAYS_ON_TOP);
    ASSERT_EQ(ABE_RIGHT, m_pBar->m_nSavedEdge);
    ASSERT_TRUE(m_pBar->m_state.bAlwaysOnTop);
    menu = ContextMenu();
    ASSERT_TRUE(menu.bShown);

    EXPECT_FALSE(menu.Grayed(ID_ACTIVATE_MODULES));
    EXPECT_FALSE(menu.Grayed(ID_ALWAYS_ON_TOP));
    EXPECT_TRUE(menu.Checked(ID_ALWAYS_ON_TOP));
    EXPECT_FALSE(menu.Checked(ID_AUTO_HIDE));
    EXPECT_TRUE(menu.Checked(ID_DOCK_RIGHT));
    EXPECT_TRUE(menu.type[ID_DOCK_RIGHT] & MFT_RADIOCHECK);
    EXPECT_EQ(1, CheckedEdgeItems(menu));
    DestroyWindow(hWave);
}

TEST_F(BarMenu, AKeyboardMenuAtMinusOneOpensAndTheLogoOpensItToo)
{
    EXPECT_TRUE(ContextMenu(-1, -1).bShown);
    EXPECT_TRUE(InspectMenu([&] { Command(ID_LOGO); }).bShown);
}

TEST_F(BarMenu, ChoosingTheCurrentEdgeDoesNothing)
{
    Command(ID_DOCK_TOP);
    ASSERT_EQ(ABE_TOP, m_pBar->m_nSavedEdge);
    m_shell.m_calls.clear();
    Command(ID_DOCK_TOP);
    EXPECT_TRUE(m_shell.m_calls.empty()) << m_shell.m_calls.size() << " shell calls";
    Command(ID_FLOAT);
    m_shell.m_calls.clear();
    Command(ID_FLOAT);
    EXPECT_TRUE(m_shell.m_calls.empty());
}

TEST_F(BarMenu, FloatingIsNeverTopmostButKeepsThePreference)
{
    Command(ID_DOCK_BOTTOM);
    Command(ID_ALWAYS_ON_TOP);
    EXPECT_TRUE(Topmost());
    Command(ID_FLOAT);
    EXPECT_FALSE(Topmost());
    EXPECT_TRUE(m_pBar->m_bAlwaysOnTopSetting);
    EXPECT_EQ(CRect(m_pBar->m_rcFloat), [&] { CRect rc; m_pBar->GetWindowRect(&rc); return rc; }());
    Command(ID_DOCK_LEFT);
    EXPECT_TRUE(Topmost());
}

TEST_F(BarMenu, AutoHideRefusedLeavesItOff)
{
    // Another bar already hides on the bottom edge.
    FakeAppBarShell& shell = m_shell;
    HWND hOther = CreateModuleWindow("Another bar", 700);
    APPBARDATA abd = {};
    abd.cbSize = sizeof abd;
    abd.hWnd = hOther;
    abd.uEdge = ABE_BOTTOM;
    abd.lParam = TRUE;
    g_pfnAppBarMessage(ABM_SETAUTOHIDEBAR, &abd);
    ASSERT_EQ(hOther, shell.AutoHideBar(ABE_BOTTOM));
    Command(ID_DOCK_BOTTOM);

    // The refusal's message box is dismissed as soon as it shows.
    UINT_PTR nTimer = SetTimer(nullptr, 0, 50, DismissMessageBox);
    Command(ID_AUTO_HIDE);
    KillTimer(nullptr, nTimer);
    EXPECT_FALSE(m_pBar->m_state.bAutoHide);
    EXPECT_FALSE(m_pBar->m_bAutoHideSetting);
    EXPECT_FALSE(ContextMenu().Checked(ID_AUTO_HIDE));
    DestroyWindow(hOther);
}

TEST_F(BarMenu, AnOpenDialogOfTheBarOrOfAModuleBlocksItsMenuAndClicks)
{
    HWND hDialog = CreateWindowExA(0, "#32770", "Some dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 200, 100,
                                   m_pBar->m_hWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(hDialog, m_pBar->FindOpenDialog());
    EXPECT_FALSE(ContextMenu().bShown);
    EXPECT_FALSE(InspectMenu([&] { Command(ID_LOGO); }).bShown);
    EXPECT_EQ(MA_NOACTIVATEANDEAT,
              SendMessageA(m_pBar->m_hWnd, WM_MOUSEACTIVATE, (WPARAM)m_pBar->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    DestroyWindow(hDialog);
    EXPECT_EQ(nullptr, m_pBar->FindOpenDialog());
    EXPECT_NE(MA_NOACTIVATEANDEAT,
              SendMessageA(m_pBar->m_hWnd, WM_MOUSEACTIVATE, (WPARAM)m_pBar->m_hWnd, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));

    // A dialog owned by a running module counts; one of another window does not.
    HWND hWave = CreateModuleWindow("Tymp Studio WavePlayer", 100);
    HWND hStranger = CreateModuleWindow("Stranger", 300);
    HWND hOfStranger = CreateWindowExA(0, "#32770", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, hStranger, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(nullptr, m_pBar->FindOpenDialog());
    SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, LOWORD((UINT_PTR)hWave), MODMSG_ATTACH);
    HWND hOfModule = CreateWindowExA(0, "#32770", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, hWave, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(hOfModule, m_pBar->FindOpenDialog());
    for (HWND h : { hOfModule, hOfStranger, hStranger, hWave })
        DestroyWindow(h);
}

TEST_F(BarMenu, ActivateModulesRestoresThemAndStacksThemBelow)
{
    HWND hCD = CreateModuleWindow("Tymp Studio WavePlayer", 600);
    SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, LOWORD((UINT_PTR)hCD), MODMSG_ATTACH);
    ShowWindow(hCD, SW_MINIMIZE);
    Command(ID_ACTIVATE_MODULES);
    EXPECT_FALSE(IsIconic(hCD));
    EXPECT_TRUE(IsWindowVisible(hCD));
    CRect rcBar, rcModule;
    m_pBar->GetWindowRect(&rcBar);
    GetWindowRect(hCD, &rcModule);
    EXPECT_EQ(rcBar.left, rcModule.left);
    EXPECT_EQ(rcBar.bottom + 5, rcModule.top);
    DestroyWindow(hCD);
}
