// The bar's controls: which exist, where they sit, what their tips say, and
// when they are rebuilt.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "panekit/PaneKit.h"
#include "settings/RegistryKeys.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>

namespace {

struct ToolTipSearch {
    HWND hControl;
    std::string strText;
    bool bFound;
};

BOOL CALLBACK FindToolTip(HWND hWnd, LPARAM lParam)
{
    auto* p = (ToolTipSearch*)lParam;
    char szClass[64];
    GetClassNameA(hWnd, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) != 0)
        return TRUE;
    int nTools = (int)SendMessageA(hWnd, TTM_GETTOOLCOUNT, 0, 0);
    for (int i = 0; i < nTools; i++) {
        char szText[256] = "";
        TTTOOLINFOA ti = {};
        ti.cbSize = TTTOOLINFOA_V1_SIZE;
        ti.lpszText = szText;
        if (!SendMessageA(hWnd, TTM_ENUMTOOLSA, i, (LPARAM)&ti))
            continue;
        HWND hTool = (ti.uFlags & TTF_IDISHWND) ? (HWND)ti.uId : ti.hwnd;
        if (hTool == p->hControl) {
            p->strText = szText;
            p->bFound = true;
            return FALSE;
        }
    }
    return TRUE;
}

// The text of the tooltip tool that belongs to a control, from whichever
// tooltip window of this thread holds it.
std::string ToolTipOf(HWND hControl)
{
    ToolTipSearch search = { hControl, "", false };
    EnumThreadWindows(GetCurrentThreadId(), FindToolTip, (LPARAM)&search);
    return search.bFound ? search.strText : "<no tip>";
}

CRect ChildRect(HWND hParent, HWND hChild)
{
    CRect rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(nullptr, hParent, (POINT*)&rc, 2);
    return rc;
}

void SetCompanyLocal(const char* psz)
{
    HKEY hKey;
    RegCreateKeyExA(HKEY_CURRENT_USER, REGKEY_SUITE, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr);
    RegSetValueExA(hKey, "CompanyLocal", 0, REG_SZ, (const BYTE*)psz, lstrlenA(psz) + 1);
    RegCloseKey(hKey);
}

class BarControls : public ::testing::Test {
protected:
    void SetUp() override { DeleteSuiteKeys(); }
    void TearDown() override { DeleteSuiteKeys(); }
    FakeAppBarShell m_shell;
};

} // namespace

TEST_F(BarControls, ModuleButtonsFollowTheDevices)
{
    for (int nCombo = 0; nCombo < 4; nCombo++) {
        BOOL bCD = nCombo & 1, bMidi = (nCombo & 2) != 0;
        SCOPED_TRACE(testing::Message() << "CD " << bCD << " MIDI " << bMidi);
        FakeDevices devices(bCD ? 0 : MCIERR_CANNOT_LOAD_DRIVER, bMidi);
        BarPtr pBar = StartBar();
        ASSERT_NE(nullptr, pBar->m_pVolumeButton);
        ASSERT_NE(nullptr, pBar->m_pWaveButton);
        EXPECT_EQ(bCD, pBar->m_pCDButton != nullptr);
        EXPECT_EQ(bMidi, pBar->m_pMidiButton != nullptr);
        // Packed from 159 in steps of 30 on the docked bar; floating as the table says.
        int xWave = bCD ? 219 : 189;
        EXPECT_EQ(CRect(xWave - 21, 13, xWave - 21 + 24, 13 + 21), ChildRect(pBar->m_hWnd, pBar->m_pWaveButton->m_hWnd));
        if (bMidi) {
            EXPECT_EQ(xWave + 30 - 19, ChildRect(pBar->m_hWnd, pBar->m_pMidiButton->m_hWnd).left);
        }
        EXPECT_EQ(CRect(134, 13, 158, 34), ChildRect(pBar->m_hWnd, pBar->m_pVolumeButton->m_hWnd));
    }
}

TEST_F(BarControls, EveryControlSitsWhereItsOrientationPutsIt)
{
    FakeDevices devices(0, 1);
    BarPtr pBar = StartBar();
    CControllerDlg& bar = *pBar;
    const struct {
        C3sBmButton* const* ppButton;
        const RECT* prc;
    } buttons[] = {
        { &bar.m_pMinimizeButton, bar.m_rcMinimize }, { &bar.m_pExitButton, bar.m_rcExit },
        { &bar.m_pHelpButton, bar.m_rcHelp }, { &bar.m_pSetupButton, bar.m_rcSetup },
        { &bar.m_pLaunchAppsButton, bar.m_rcLaunchApps }, { &bar.m_pVolumeButton, bar.m_rcVolume },
        { &bar.m_pCDButton, bar.m_rcCD }, { &bar.m_pWaveButton, bar.m_rcWave }, { &bar.m_pMidiButton, bar.m_rcMidi },
    };
    const struct {
        int nEdge, o;
    } steps[] = { { DBE_FLOAT, 0 }, { ABE_TOP, 1 }, { ABE_LEFT, 2 }, { ABE_BOTTOM, 1 }, { DBE_FLOAT, 0 } };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.nEdge);
        bar.SetDockState(step.nEdge);
        for (const auto& b : buttons) {
            ASSERT_NE(nullptr, *b.ppButton);
            const RECT& rc = b.prc[step.o];
            EXPECT_EQ(CRect(rc.left, rc.top, rc.left + 24, rc.top + 21), ChildRect(bar.m_hWnd, (*b.ppButton)->m_hWnd))
                << "id " << GetDlgCtrlID((*b.ppButton)->m_hWnd);
        }
        ASSERT_NE(nullptr, bar.m_pLogoAnim);
        EXPECT_EQ(nullptr, bar.m_pLogoArea);
        CRect rcLogo = ChildRect(bar.m_hWnd, bar.m_pLogoAnim->m_hWnd);
        EXPECT_EQ(bar.m_rcAnim[step.o].left, rcLogo.left);
        EXPECT_EQ(bar.m_rcAnim[step.o].top, rcLogo.top);
        EXPECT_EQ(step.o == 2 ? 21 : 54, rcLogo.Width());
        EXPECT_EQ(step.o == 2 ? 55 : 21, rcLogo.Height());
    }
}

TEST_F(BarControls, RebuiltOnlyWhenTheOrientationChanges)
{
    BarPtr pBar = StartBar();
    pBar->SetDockState(ABE_TOP);
    HWND hExit = pBar->m_pExitButton->m_hWnd;
    C3sBmButton* pExit = pBar->m_pExitButton;
    pBar->SetDockState(ABE_BOTTOM);
    EXPECT_EQ(pExit, pBar->m_pExitButton);
    EXPECT_EQ(hExit, pBar->m_pExitButton->m_hWnd);
    EXPECT_TRUE(IsWindow(hExit));

    pBar->SetDockState(DBE_FLOAT);
    EXPECT_FALSE(IsWindow(hExit)) << "floating needs the floating set";
    ASSERT_NE(nullptr, pBar->m_pExitButton);
    EXPECT_EQ(CRect(321, 13, 345, 34), ChildRect(pBar->m_hWnd, pBar->m_pExitButton->m_hWnd));
}

TEST_F(BarControls, ToolTipsFollowTheLaunchAndMinimisedStates)
{
    FakeDevices devices(0, 1);
    BarPtr pBar = StartBar();
    EXPECT_EQ("Launch Volume Control", ToolTipOf(pBar->m_pVolumeButton->m_hWnd));
    EXPECT_EQ("Launch CDPlayer", ToolTipOf(pBar->m_pCDButton->m_hWnd));
    EXPECT_EQ("Launch WavePlayer", ToolTipOf(pBar->m_pWaveButton->m_hWnd));
    EXPECT_EQ("Launch MidiPlayer", ToolTipOf(pBar->m_pMidiButton->m_hWnd));
    EXPECT_EQ("Minimize Tymp Studio Module(s)", ToolTipOf(pBar->m_pMinimizeButton->m_hWnd));
    EXPECT_EQ("Exit", ToolTipOf(pBar->m_pExitButton->m_hWnd));
    EXPECT_EQ("Help", ToolTipOf(pBar->m_pHelpButton->m_hWnd));
    EXPECT_EQ("Configure Tymp Studio", ToolTipOf(pBar->m_pSetupButton->m_hWnd));
    EXPECT_EQ("Launch Applications", ToolTipOf(pBar->m_pLaunchAppsButton->m_hWnd));
    EXPECT_EQ("Marvik Tymp Studio Controller", ToolTipOf(pBar->m_pLogoAnim->m_hWnd));

    pBar->SetModuleLaunchState(MODULE_CDPLAYER, FALSE);
    EXPECT_EQ("Remove CDPlayer", ToolTipOf(pBar->m_pCDButton->m_hWnd));
    pBar->SetModuleLaunchState(MODULE_VOLUME, FALSE);
    EXPECT_EQ("Remove Volume Control", ToolTipOf(pBar->m_pVolumeButton->m_hWnd));
    pBar->SetModuleLaunchState(4, FALSE);       // no such module: nothing happens

    // Docked, the minimise button toggles the modules and its tip.
    pBar->SetDockState(ABE_TOP);
    pBar->OnMinimizeModules();
    EXPECT_EQ("Restore Tymp Studio Module(s)", ToolTipOf(pBar->m_pMinimizeButton->m_hWnd));

    // A rebuild shows the current states.
    pBar->SetDockState(ABE_LEFT);
    EXPECT_EQ("Restore Tymp Studio Module(s)", ToolTipOf(pBar->m_pMinimizeButton->m_hWnd));
    EXPECT_EQ("Remove CDPlayer", ToolTipOf(pBar->m_pCDButton->m_hWnd));
    pBar->OnMinimizeModules();
    EXPECT_EQ("Minimize Tymp Studio Module(s)", ToolTipOf(pBar->m_pMinimizeButton->m_hWnd));
}

TEST_F(BarControls, CompanyLocalChoosesTheLogo)
{
    const struct {
        const char* pszCompany;     // null: no value
        bool bAnimated;
    } cases[] = { { nullptr, true }, { "MARVIK", true }, { "marvik", false }, { "Other", false }, { "", false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCompany ? c.pszCompany : "(none)");
        DeleteSuiteKeys();
        if (c.pszCompany)
            SetCompanyLocal(c.pszCompany);
        BarPtr pBar = StartBar();
        EXPECT_EQ(c.bAnimated, pBar->m_pLogoAnim != nullptr);
        EXPECT_EQ(!c.bAnimated, pBar->m_pLogoArea != nullptr);
        if (!c.bAnimated) {
            EXPECT_EQ("<no tip>", ToolTipOf(pBar->m_pLogoArea->m_hWnd));
            EXPECT_EQ(CRect(9, 9, 53, 36), ChildRect(pBar->m_hWnd, pBar->m_pLogoArea->m_hWnd));
            pBar->SetDockState(ABE_RIGHT);
            EXPECT_EQ(CRect(2, 4, 29, 48), ChildRect(pBar->m_hWnd, pBar->m_pLogoArea->m_hWnd));
        }
    }
}

TEST_F(BarControls, NoModuleButtonsWithoutAMixer)
{
    FakeDevices devices(0, 1);
    BarPtr pBar = StartBar();
    pBar->DestroyControls();
    pBar->m_bHasMixer = FALSE;
    pBar->CreateControls(1);
    EXPECT_EQ(nullptr, pBar->m_pVolumeButton);
    EXPECT_EQ(nullptr, pBar->m_pCDButton);
    EXPECT_EQ(nullptr, pBar->m_pWaveButton);
    EXPECT_EQ(nullptr, pBar->m_pMidiButton);
    EXPECT_NE(nullptr, pBar->m_pSetupButton);
}
