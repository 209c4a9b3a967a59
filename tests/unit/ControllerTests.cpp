// The controller bar on real windows: construction, start-up and edge changes.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "controller/ControllerDlg.h"
#include "controller/DeviceProbe.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <climits>

namespace {

const int SCREEN_CX = GetSystemMetrics(SM_CXSCREEN);
const int SCREEN_CY = GetSystemMetrics(SM_CYSCREEN);

CRect WindowRect(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

class ControllerBar : public ::testing::Test {
protected:
    void SetUp() override { DeleteSuiteKeys(); }
    void TearDown() override { DeleteSuiteKeys(); }
    FakeAppBarShell m_shell;
};

} // namespace

TEST_F(ControllerBar, ProbesTheDevicesAndPacksTheModuleButtons)
{
    {
        FakeDevices devices(0, 1);
        CControllerDlg bar(nullptr, TRUE);
        EXPECT_TRUE(bar.m_bHasMixer) << "the test prefix has a null sound device";
        EXPECT_TRUE(bar.m_bHasWave);
        EXPECT_TRUE(bar.m_bHasCDAudio);
        EXPECT_TRUE(bar.m_bHasMidi);
        ASSERT_EQ(1u, FakeDevices::s_closedDevices.size()) << "an opened drive is closed at once";
        EXPECT_EQ(5u, FakeDevices::s_closedDevices[0]);
        EXPECT_EQ(CRect(134, 13, 183, 20), CRect(bar.m_rcVolume[0]));
        EXPECT_EQ(CRect(159, 6, 183, 20), CRect(bar.m_rcVolume[1]));
        EXPECT_EQ(CRect(4, 189, 16, 213), CRect(bar.m_rcCD[2]));
        EXPECT_EQ(CRect(198, 13, 243, 20), CRect(bar.m_rcWave[0]));
        EXPECT_EQ(CRect(249, 6, 273, 20), CRect(bar.m_rcMidi[1]));
        EXPECT_EQ(CRect(4, 294, 354, 12), CRect(bar.m_rcHelp[2])) << "passed as given, bottom above top";
    }
    {
        FakeDevices devices(MCIERR_DEVICE_OPEN, 1);     // a busy drive is still a drive
        CControllerDlg bar(nullptr, TRUE);
        EXPECT_TRUE(bar.m_bHasCDAudio);
    }
    {
        FakeDevices devices(MCIERR_CANNOT_LOAD_DRIVER, 1);
        CControllerDlg bar(nullptr, TRUE);
        EXPECT_FALSE(bar.m_bHasCDAudio);
        EXPECT_TRUE(FakeDevices::s_closedDevices.empty());
        EXPECT_TRUE(IsRectEmpty(&bar.m_rcCD[1]));
        EXPECT_EQ(CRect(189, 6, 213, 20), CRect(bar.m_rcWave[1]));
        EXPECT_EQ(CRect(168, 13, 213, 20), CRect(bar.m_rcWave[0]));
        EXPECT_EQ(CRect(219, 6, 243, 20), CRect(bar.m_rcMidi[1]));
        EXPECT_EQ(CRect(200, 13, 243, 20), CRect(bar.m_rcMidi[0]));
    }
}

TEST_F(ControllerBar, ConstructorDefaults)
{
    CControllerDlg bar(nullptr, FALSE);
    EXPECT_EQ(DBE_FLOAT, bar.m_nSavedEdge);
    int left = (SCREEN_CX - 408) / 2, top = (SCREEN_CY - 336) / 2;
    EXPECT_EQ(CRect(left, top, left + 408, top + 45), CRect(bar.m_rcFloat));
    EXPECT_EQ(1u, bar.m_wfxRecord.nChannels);
    EXPECT_EQ(11025u, bar.m_wfxRecord.nSamplesPerSec);
    EXPECT_EQ(1, bar.m_wfxRecord.wFormatTag);
    EXPECT_EQ(8, bar.m_wfxRecord.wBitsPerSample);
    EXPECT_TRUE(bar.m_bInsertIconWhenQuit);
    EXPECT_TRUE(bar.m_bKeepCDSoundOnExit);
    EXPECT_FALSE(bar.m_bStartFromModule);
    EXPECT_EQ(4, bar.m_nModules);
    EXPECT_NE(nullptr, bar.m_hButtonCursor);
    EXPECT_NE(nullptr, bar.m_hButtonDownCursor);
    EXPECT_NE(nullptr, bar.m_hIcon);
    EXPECT_EQ(76, bar.m_xSeparator[0]);
    EXPECT_EQ(283, bar.m_xSeparator[2]);
    EXPECT_NE(0u, g_uModuleMessage);
    EXPECT_EQ(RegisterWindowMessageA("WM_TYMP_BY_KVB_1"), g_uModuleMessage);
}

TEST_F(ControllerBar, FirstStartFloatsAndEdgesSetTheOrientation)
{
    BarPtr pBar = StartBar();
    HWND hWnd = pBar->m_hWnd;
    EXPECT_TRUE(IsWindowVisible(hWnd));
    EXPECT_EQ(CRect(pBar->m_rcFloat), WindowRect(hWnd));
    EXPECT_EQ(408, WindowRect(hWnd).Width());
    EXPECT_FALSE(GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION) << "the caption is removed";
    EXPECT_EQ(0x37u, pBar->m_dwFlags);
    EXPECT_TRUE(pBar->m_bInitialized);
    EXPECT_EQ(nullptr, pBar->m_pLoadingDlg) << "the progress window is gone once the bar shows";
    char szTitle[64];
    GetWindowTextA(hWnd, szTitle, sizeof szTitle);
    EXPECT_STREQ("Tymp Studio 3.0", szTitle);

    // The system menu starts with the bar's own items.
    HMENU hSysMenu = GetSystemMenu(hWnd, FALSE);
    EXPECT_EQ((UINT)ID_APP_ABOUT, GetMenuItemID(hSysMenu, 0));
    EXPECT_EQ((UINT)ID_MINIMIZE_MODULES, GetMenuItemID(hSysMenu, 2));
    EXPECT_EQ((UINT)ID_RESTORE_MODULES, GetMenuItemID(hSysMenu, 3));
    EXPECT_TRUE(GetMenuState(hSysMenu, ID_RESTORE_MODULES, MF_BYCOMMAND) & MF_GRAYED);

    struct {
        int nEdge, nOrientation;
        CRect rc;
    } steps[] = {
        { ABE_TOP, 1, CRect(0, 0, SCREEN_CX, 32) },
        { ABE_BOTTOM, 1, CRect(0, SCREEN_CY - 32, SCREEN_CX, SCREEN_CY) },
        { ABE_LEFT, 2, CRect(0, 0, 32, SCREEN_CY) },
        { ABE_RIGHT, 2, CRect(SCREEN_CX - 32, 0, SCREEN_CX, SCREEN_CY) },
        { DBE_FLOAT, 0, CRect(pBar->m_rcFloat) },
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.nEdge);
        pBar->SetDockState(step.nEdge);
        EXPECT_EQ(step.nOrientation, pBar->m_nOrientation);
        EXPECT_EQ(step.nOrientation, pBar->m_nBuiltOrientation);
        EXPECT_EQ(step.nEdge, pBar->m_nSavedEdge);
        EXPECT_EQ(step.rc, WindowRect(hWnd));
        LONG lData = GetWindowLongA(hWnd, GWL_USERDATA);
        EXPECT_EQ(step.nOrientation, HIWORD(lData));
        EXPECT_EQ(pBar->m_bAlwaysOnTopSetting, (BOOL)LOWORD(lData));
    }

    pBar->m_bAlwaysOnTopSetting = TRUE;
    pBar->SetDockState(ABE_TOP);
    EXPECT_EQ(MAKELONG(1, 1), GetWindowLongA(hWnd, GWL_USERDATA));

    // Enter and Escape never close the bar.
    SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
    SendMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    PumpFor(50);
    EXPECT_TRUE(IsWindowVisible(hWnd));
}

TEST_F(ControllerBar, MinMaxInfoFollowsTheEdge)
{
    BarPtr pBar = StartBar();
    MINMAXINFO mmi = {};
    SendMessageA(pBar->m_hWnd, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    CRect rcInset(0, 0, 0, 0);
    AdjustWindowRectEx(&rcInset, pBar->GetStyle(), FALSE, pBar->GetExStyle());
    EXPECT_EQ(pBar->m_cxClient + rcInset.Width(), mmi.ptMinTrackSize.x);
    EXPECT_EQ(pBar->m_cyClient + rcInset.Height(), mmi.ptMinTrackSize.y);
    EXPECT_EQ(SCREEN_CX / 2, mmi.ptMaxTrackSize.x);
    EXPECT_EQ(SCREEN_CY / 2, mmi.ptMaxTrackSize.y);

    pBar->SetDockState(ABE_TOP);
    SendMessageA(pBar->m_hWnd, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    EXPECT_EQ(SCREEN_CX, mmi.ptMaxTrackSize.x);
    EXPECT_EQ(SCREEN_CY / 2, mmi.ptMaxTrackSize.y);
    pBar->SetDockState(ABE_LEFT);
    SendMessageA(pBar->m_hWnd, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    EXPECT_EQ(SCREEN_CX / 2, mmi.ptMaxTrackSize.x);
    EXPECT_EQ(SCREEN_CY, mmi.ptMaxTrackSize.y);
}

TEST_F(ControllerBar, SavedEdgeDecidesWhereItStarts)
{
    SetControllerInt("State", ABE_LEFT);
    BarPtr pBar = StartBar();
    EXPECT_EQ(ABE_LEFT, pBar->m_state.nEdge);
    EXPECT_EQ(2, pBar->m_nOrientation);
    EXPECT_EQ(CRect(0, 0, 32, SCREEN_CY), WindowRect(pBar->m_hWnd));
    for (int c : pBar->m_state.anDockSize)
        EXPECT_EQ(32, c);
}

TEST_F(ControllerBar, OutOfRangeEdgesAreCarriedAndTheBarStaysVisible)
{
    for (int nState : { 7, -1000, INT_MIN, -1 }) {
        SCOPED_TRACE(nState);
        SetControllerInt("State", nState);
        BarPtr pBar = StartBar();
        int nCarried = nState == DBE_NONE ? DBE_FLOAT : nState;
        EXPECT_EQ(nCarried, pBar->m_nSavedEdge);
        EXPECT_EQ(nCarried, pBar->m_state.nEdge);
        EXPECT_EQ(0, pBar->m_nOrientation);
        EXPECT_TRUE(IsWindowVisible(pBar->m_hWnd));
        EXPECT_EQ(CRect(pBar->m_rcFloat), WindowRect(pBar->m_hWnd));
    }
}

TEST_F(ControllerBar, FloatingStartWithAlwaysOnTopIsNotTopmostButKeepsTheSetting)
{
    SetControllerInt("AlwaysOnTop", 1);
    BarPtr pBar = StartBar();
    EXPECT_TRUE(pBar->m_bAlwaysOnTopSetting);
    EXPECT_FALSE(pBar->m_state.bAlwaysOnTop);
    EXPECT_FALSE(GetWindowLongA(pBar->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    pBar->SetAlwaysOnTop(TRUE);
    EXPECT_TRUE(GetWindowLongA(pBar->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(ControllerBar, ModulesRunningAtStartAreToldHiddenAndStackedByHeight)
{
    FakeDevices devices(0, 1);
    g_moduleMessages.clear();
    HWND hCD = CreateModuleWindow("Tymp Studio CDPlayer", 300);
    HWND hWave = CreateModuleWindow("Tymp Studio WavePlayer", 100);
    HWND hMidi = CreateModuleWindow("Tymp Studio MidiPlayer", 200);
    {
        BarPtr pBar = StartBar();
        EXPECT_TRUE(pBar->m_bModulesWereRunning);
        EXPECT_EQ(hCD, pBar->m_modules[MODULE_CDPLAYER].hWnd);
        EXPECT_EQ(2, pBar->m_modules[MODULE_CDPLAYER].nOrder);
        EXPECT_EQ(0, pBar->m_modules[MODULE_WAVEPLAYER].nOrder);
        EXPECT_EQ(1, pBar->m_modules[MODULE_MIDIPLAYER].nOrder);
        EXPECT_EQ(3, pBar->m_nNextModuleOrder);
        EXPECT_FALSE(pBar->m_bLaunchModule[MODULE_CDPLAYER]);
        EXPECT_TRUE(pBar->m_bLaunchModule[MODULE_VOLUME]);

        PumpFor(50);
        ASSERT_EQ(3u, g_moduleMessages.size());
        for (const auto& m : g_moduleMessages) {
            EXPECT_EQ((WPARAM)LOWORD((UINT_PTR)pBar->m_hWnd), m.wParam);
            EXPECT_EQ(MODMSG_ATTACH, m.lParam);
        }
        // Hidden while the bar started, shown again without activation; floating, stacked below.
        EXPECT_TRUE(IsWindowVisible(hCD));
        CRect rcBar = WindowRect(pBar->m_hWnd);
        EXPECT_EQ(rcBar.left, WindowRect(hWave).left);
        EXPECT_EQ(rcBar.bottom + 5, WindowRect(hWave).top);
        EXPECT_EQ(rcBar.bottom + 5 + 97, WindowRect(hMidi).top);
        EXPECT_EQ(rcBar.bottom + 5 + 2 * 97, WindowRect(hCD).top);
    }
    DestroyWindow(hCD);
    DestroyWindow(hWave);
    DestroyWindow(hMidi);
}

TEST_F(ControllerBar, EqualHeightsTakeTheLastPlaceAndMissingWindowsSortLast)
{
    FakeDevices devices(0, 1);
    HWND hCD = CreateModuleWindow("Tymp Studio CDPlayer", 150);
    HWND hMidi = CreateModuleWindow("Tymp Studio MidiPlayer", 150);
    {
        BarPtr pBar = StartBar();
        EXPECT_EQ(1, pBar->m_modules[MODULE_CDPLAYER].nOrder);
        EXPECT_EQ(1, pBar->m_modules[MODULE_MIDIPLAYER].nOrder);
        EXPECT_EQ(nullptr, pBar->m_modules[MODULE_WAVEPLAYER].hWnd);
        EXPECT_EQ(2, pBar->m_modules[MODULE_WAVEPLAYER].nOrder);
    }
    DestroyWindow(hCD);
    DestroyWindow(hMidi);
}

TEST_F(ControllerBar, FindModuleNeedsTheDeviceAndAnyModuleRunningNeedsAWindow)
{
    HWND hCD = CreateModuleWindow("Tymp Studio CDPlayer", 100);
    CControllerDlg bar(nullptr, TRUE);      // Wine has no CD audio
    EXPECT_FALSE(bar.FindModule(MODULE_CDPLAYER));
    EXPECT_EQ(nullptr, bar.m_modules[MODULE_CDPLAYER].hWnd);
    EXPECT_FALSE(bar.FindModule(-1));
    EXPECT_FALSE(bar.FindModule(4));
    EXPECT_FALSE(bar.AnyModuleRunning());

    bar.m_bHasCDAudio = TRUE;
    EXPECT_TRUE(bar.FindModule(MODULE_CDPLAYER));
    EXPECT_TRUE(bar.AnyModuleRunning());
    DestroyWindow(hCD);
    EXPECT_FALSE(bar.AnyModuleRunning()) << "a handle that is no longer a window does not count";
    bar.m_nModules = 1;
    EXPECT_FALSE(bar.AnyModuleRunning());
}
