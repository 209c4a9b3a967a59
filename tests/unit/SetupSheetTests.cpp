// The Setup sheet driven through its real dialogs: what the Controller Bar
// page shows and does, and what OK and Cancel leave in the registry.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "SetupSheetDriver.h"
#include "TestUtil.h"
#include "dockbar/AppBarService.h"
#include "settings/RegistryKeys.h"
#include <gtest/gtest.h>

namespace {

class SetupSheet : public ::testing::Test {
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
    void Command(UINT nID) { SendMessageA(m_pBar->m_hWnd, WM_COMMAND, nID, 0); }
    void Run(SetupSheetDriver& driver)
    {
        driver.Run(m_pBar->m_hWnd);
        EXPECT_TRUE(driver.m_bSawSheet) << "the sheet never showed";
        EXPECT_TRUE(driver.m_strStalled.empty()) << driver.m_strStalled;
    }
    static bool Checked(HWND hPage, int nID) { return SendDlgItemMessageA(hPage, nID, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    static bool Enabled(HWND hPage, int nID) { return IsWindowEnabled(GetDlgItem(hPage, nID)) != FALSE; }
    static bool Visible(HWND hPage, int nID) { return IsWindowVisible(GetDlgItem(hPage, nID)) != FALSE; }

    SavedAudioCDCommand m_savedCommand;
    FakeAppBarShell m_shell;
    FakeDevices m_devices{ 0, 0 };      // a CD audio device, so every control is live
    BarPtr m_pBar;
};

std::string TabText(HWND hTab, int i)
{
    char sz[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = sz;
    item.cchTextMax = sizeof sz;
    SendMessageA(hTab, TCM_GETITEMA, i, (LPARAM)&item);
    return sz;
}

} // namespace

TEST_F(SetupSheet, OpensOnTheControllerBarPageWithThreePagesAndNoApplyOrHelp)
{
    SetupSheetDriver driver;
    driver.Inspect([&](HWND hSheet, HWND hPage) {
        EXPECT_EQ(m_pBar->m_hWnd, GetParent(hSheet)) << "owned by the bar";
        EXPECT_EQ(hSheet, m_pBar->FindOpenDialog()) << "blocks the bar like any dialog of its own";
        HWND hTab = (HWND)SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0);
        ASSERT_EQ(3, SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ("Controller Bar", TabText(hTab, 0));
        EXPECT_EQ("Preference", TabText(hTab, 1));
        EXPECT_EQ("Wave Recording Format", TabText(hTab, 2));
        EXPECT_NE(nullptr, GetDlgItem(hPage, IDC_ALWAYS_ON_TOP)) << "the first page is current";
        HWND hApply = GetDlgItem(hSheet, 0x3021);
        EXPECT_TRUE(!hApply || !IsWindowVisible(hApply)) << "no Apply button";
        HWND hHelp = GetDlgItem(hSheet, IDHELP);
        EXPECT_TRUE(!hHelp || !IsWindowVisible(hHelp)) << "no Help button";
        EXPECT_FALSE(IsWindowEnabled(m_pBar->m_hWnd)) << "modal";
    }).Cancel();
    Run(driver);
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(nullptr, FindSetupSheet());
    EXPECT_TRUE(IsWindowEnabled(m_pBar->m_hWnd));

    // Another dialog of the bar is open: the Setup button does nothing.
    HWND hDialog = CreateWindowExA(0, "#32770", "About", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 200, 100,
                                   m_pBar->m_hWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetupSheetDriver blocked;
    blocked.Run(m_pBar->m_hWnd, 500);
    EXPECT_FALSE(blocked.m_bSawSheet) << "Setup opened over another dialog";
    DestroyWindow(hDialog);
}

TEST_F(SetupSheet, AFloatingBarOpensWithAlwaysOnTopAndAutoHideDisabled)
{
    ASSERT_EQ(DBE_FLOAT, m_pBar->m_nSavedEdge);
    SetupSheetDriver driver;
    driver.Inspect([&](HWND, HWND hPage) {
        EXPECT_FALSE(Enabled(hPage, IDC_ALWAYS_ON_TOP));
        EXPECT_FALSE(Enabled(hPage, IDC_AUTO_HIDE));
        EXPECT_TRUE(Enabled(hPage, IDC_COORDINATE));
        EXPECT_TRUE(Enabled(hPage, IDC_INSERT_ICON));
    }).Cancel();
    Run(driver);

    // Docked, both are live again.
    Command(ID_DOCK_TOP);
    SetupSheetDriver docked;
    docked.Inspect([&](HWND, HWND hPage) {
        EXPECT_TRUE(Enabled(hPage, IDC_ALWAYS_ON_TOP));
        EXPECT_TRUE(Enabled(hPage, IDC_AUTO_HIDE));
    }).Cancel();
    Run(docked);
}

TEST_F(SetupSheet, AnotherProgramsAutoHideBarOnTheEdgeTurnsAutoHideOff)
{
    // The bar hides on the top edge itself: the box is its own to change.
    Command(ID_DOCK_TOP);
    Command(ID_AUTO_HIDE);
    ASSERT_TRUE(m_pBar->m_state.bAutoHide);
    SetupSheetDriver own;
    own.Inspect([&](HWND, HWND hPage) {
        EXPECT_TRUE(Enabled(hPage, IDC_AUTO_HIDE));
        EXPECT_TRUE(Checked(hPage, IDC_AUTO_HIDE));
    }).Cancel();
    Run(own);
    Command(ID_AUTO_HIDE);
    ASSERT_FALSE(m_pBar->m_state.bAutoHide);

    // Another program's bar hides on the bottom edge, where the bar docks now.
    HWND hOther = CreateModuleWindow("Another bar", 700);
    APPBARDATA abd = { sizeof abd, hOther, 0, ABE_BOTTOM, {}, TRUE };
    g_pfnAppBarMessage(ABM_SETAUTOHIDEBAR, &abd);
    ASSERT_EQ(hOther, m_shell.AutoHideBar(ABE_BOTTOM));
    Command(ID_DOCK_BOTTOM);

    SetupSheetDriver driver;
    driver.Inspect([&](HWND, HWND hPage) {
        EXPECT_FALSE(Enabled(hPage, IDC_AUTO_HIDE));
        EXPECT_FALSE(Checked(hPage, IDC_AUTO_HIDE));
        EXPECT_FALSE(m_pBar->m_bAutoHideSetting);
        EXPECT_TRUE(Enabled(hPage, IDC_ALWAYS_ON_TOP));
    }).Ok();
    m_shell.m_calls.clear();
    Run(driver);
    EXPECT_FALSE(m_pBar->m_state.bAutoHide);
    EXPECT_FALSE(m_pBar->m_bAutoHideSetting);
    EXPECT_EQ(hOther, m_shell.AutoHideBar(ABE_BOTTOM)) << "the other program keeps its slot";
    const FakeAppBarShell::Call* pSet = m_shell.Last(ABM_SETAUTOHIDEBAR, m_pBar->m_hWnd);
    EXPECT_TRUE(!pSet || !pSet->abd.lParam) << "the bar asked for the slot";
    RegistryValues values = ReadKeyValues(HKEY_CURRENT_USER, REGKEY_CONTROLLER);
    ASSERT_TRUE(values.count("AutoHide"));
    EXPECT_EQ("0", DescribeValue(values["AutoHide"]));
    DestroyWindow(hOther);
}

TEST_F(SetupSheet, PreviewPicturesArePlacedAndFollowTheTwoBoxes)
{
    Command(ID_DOCK_TOP);
    SetupSheetDriver driver;
    driver.Inspect([&](HWND, HWND hPage) {
        struct Expected {
            int nID;
            int dx, dy, cx, cy;
        } pictures[] = {
            { IDC_PREVIEW_DESKTOP, 0, 0, 276, 132 },
            { IDC_PREVIEW_BAR, 3, 98, 269, 32 },
            { IDC_PREVIEW_ICON, 213, 69, 59, 48 },
        };
        RECT rcDesktop;
        GetWindowRect(GetDlgItem(hPage, IDC_PREVIEW_DESKTOP), &rcDesktop);
        for (const Expected& e : pictures) {
            HWND hPicture = GetDlgItem(hPage, e.nID);
            RECT rc;
            GetWindowRect(hPicture, &rc);
            EXPECT_EQ(rcDesktop.left + e.dx, rc.left) << e.nID;
            EXPECT_EQ(rcDesktop.top + e.dy, rc.top) << e.nID;
            EXPECT_EQ(e.cx, rc.right - rc.left) << e.nID << " sized to its bitmap";
            EXPECT_EQ(e.cy, rc.bottom - rc.top) << e.nID;
            EXPECT_NE(nullptr, (HANDLE)SendMessageA(hPicture, STM_GETIMAGE, IMAGE_BITMAP, 0)) << e.nID;
        }
        EXPECT_EQ(GetDlgItem(hPage, IDC_PREVIEW_BAR), GetWindow(GetDlgItem(hPage, IDC_PREVIEW_DESKTOP), GW_HWNDNEXT));
        EXPECT_EQ(GetDlgItem(hPage, IDC_PREVIEW_ICON), GetWindow(GetDlgItem(hPage, IDC_PREVIEW_BAR), GW_HWNDNEXT));
        // Neither option is on: the bar shows, covered by the icon.
        EXPECT_TRUE(Visible(hPage, IDC_PREVIEW_BAR));
        EXPECT_TRUE(Visible(hPage, IDC_PREVIEW_ICON));
    })
        .Click(IDC_ALWAYS_ON_TOP)
        .Inspect([&](HWND, HWND hPage) {
            EXPECT_FALSE(Visible(hPage, IDC_PREVIEW_ICON)) << "a topmost bar is never covered";
            EXPECT_TRUE(Visible(hPage, IDC_PREVIEW_BAR));
            EXPECT_TRUE(m_pBar->m_bAlwaysOnTopSetting);
        })
        .Click(IDC_AUTO_HIDE)
        .Inspect([&](HWND, HWND hPage) {
            EXPECT_FALSE(Visible(hPage, IDC_PREVIEW_BAR)) << "an auto-hide bar is out of sight";
            EXPECT_TRUE(m_pBar->m_bAutoHideSetting);
        })
        .Click(IDC_ALWAYS_ON_TOP)
        .Click(IDC_AUTO_HIDE)
        .Inspect([&](HWND, HWND hPage) {
            EXPECT_TRUE(Visible(hPage, IDC_PREVIEW_ICON));
            EXPECT_TRUE(Visible(hPage, IDC_PREVIEW_BAR));
            EXPECT_FALSE(m_pBar->m_bAlwaysOnTopSetting);
            EXPECT_FALSE(m_pBar->m_bAutoHideSetting);
        })
        .Cancel();
    Run(driver);
    EXPECT_TRUE(driver.Finished());

    // Opened with both options on, both pictures start as the options say.
    Command(ID_ALWAYS_ON_TOP);
    Command(ID_AUTO_HIDE);
    SetupSheetDriver on;
    on.Inspect([&](HWND, HWND hPage) {
        EXPECT_TRUE(Checked(hPage, IDC_ALWAYS_ON_TOP));
        EXPECT_TRUE(Checked(hPage, IDC_AUTO_HIDE));
        EXPECT_FALSE(Visible(hPage, IDC_PREVIEW_ICON));
        EXPECT_FALSE(Visible(hPage, IDC_PREVIEW_BAR));
        EXPECT_TRUE(Visible(hPage, IDC_PREVIEW_DESKTOP));
    }).Cancel();
    Run(on);
}

TEST_F(SetupSheet, OkWritesExactlyTheChangedValues)
{
    // Floating with the always-on-top preference kept for when it docks again.
    m_pBar->m_bAlwaysOnTopSetting = TRUE;
    m_pBar->SaveSettings();
    SavedAudioCDCommand::Set("C:\\Other\\cdplay.exe /play");
    SetControllerBinary("OriginalCDPLayer", "C:\\Old\\cd.exe", 15, REG_SZ);
    RegistryValues controllerBefore = ReadKeyValues(HKEY_CURRENT_USER, REGKEY_CONTROLLER);
    RegistryValues waveBefore = ReadKeyValues(HKEY_CURRENT_USER, REGKEY_WAVEPLAYER);
    ASSERT_FALSE(controllerBefore.empty());

    SetupSheetDriver driver;
    driver.Click(IDC_INSERT_ICON)
        .Click(IDC_COORDINATE)
        .Page(1)        // seen, but its boxes left alone
        .Page(2)
        .Choose(IDC_CHANNEL, 1)
        .Ok();
    Run(driver);

    auto controllerDiff = Differences(controllerBefore, ReadKeyValues(HKEY_CURRENT_USER, REGKEY_CONTROLLER));
    EXPECT_EQ(2u, controllerDiff.size()) << Describe(controllerDiff);
    EXPECT_EQ("0 -> 1", controllerDiff["InsertIconToTaskbarWhenQuit"]);
    EXPECT_EQ("0 -> 1", controllerDiff["CoordinateStateWithTaskbar"]);
    auto waveDiff = Differences(waveBefore, ReadKeyValues(HKEY_CURRENT_USER, REGKEY_WAVEPLAYER));
    EXPECT_EQ(1u, waveDiff.size()) << Describe(waveDiff);
    EXPECT_EQ("1 -> 2", waveDiff["nChannels"]);
    EXPECT_EQ("C:\\Other\\cdplay.exe /play", SavedAudioCDCommand::Get()) << "the CD box was not touched";
    EXPECT_TRUE(m_pBar->m_bAlwaysOnTopSetting);
    EXPECT_FALSE(m_pBar->m_state.bAlwaysOnTop) << "a floating bar is never topmost";
}

TEST_F(SetupSheet, CancelAfterChangingEveryControlLeavesTheRegistryAsItWas)
{
    Command(ID_DOCK_LEFT);
    m_pBar->SaveSettings();
    SavedAudioCDCommand::Set("C:\\Other\\cdplay.exe /play");
    SetControllerBinary("OriginalCDPLayer", "C:\\Old\\cd.exe", 15, REG_SZ);
    RegistryValues controllerBefore = ReadKeyValues(HKEY_CURRENT_USER, REGKEY_CONTROLLER);
    RegistryValues waveBefore = ReadKeyValues(HKEY_CURRENT_USER, REGKEY_WAVEPLAYER);
    const RECORDFORMAT wfxBefore = m_pBar->m_wfxRecord;
    const BOOL bKeepCDBefore = m_pBar->m_bKeepCDSoundOnExit;

    SetupSheetDriver driver;
    driver.Click(IDC_ALWAYS_ON_TOP)
        .Click(IDC_AUTO_HIDE)
        .Click(IDC_COORDINATE)
        .Click(IDC_INSERT_ICON)
        .Page(1)
        .Click(IDC_DEFAULT_CDPLAYER)
        .Click(IDC_KEEP_CD_PLAYING)
        .Page(2)
        .Choose(IDC_SAMPLE_RATE, 2)
        .Choose(IDC_DATA_BITS, 2)
        .Choose(IDC_DATA_FORMAT, 3)
        .Choose(IDC_CHANNEL, 1)
        .Inspect([&](HWND, HWND) {
            EXPECT_TRUE(m_pBar->m_bAlwaysOnTopSetting) << "the pages edit the bar at once";
            EXPECT_EQ(44100u, m_pBar->m_wfxRecord.nSamplesPerSec);
        })
        .Cancel();
    Run(driver);
    EXPECT_TRUE(driver.Finished());

    auto controllerDiff = Differences(controllerBefore, ReadKeyValues(HKEY_CURRENT_USER, REGKEY_CONTROLLER));
    EXPECT_TRUE(controllerDiff.empty()) << Describe(controllerDiff);
    auto waveDiff = Differences(waveBefore, ReadKeyValues(HKEY_CURRENT_USER, REGKEY_WAVEPLAYER));
    EXPECT_TRUE(waveDiff.empty()) << Describe(waveDiff);
    EXPECT_EQ("C:\\Other\\cdplay.exe /play", SavedAudioCDCommand::Get());

    // Every stored setting is back in the bar, and nothing was applied.
    EXPECT_FALSE(m_pBar->m_bAlwaysOnTopSetting);
    EXPECT_FALSE(m_pBar->m_bAutoHideSetting);
    EXPECT_FALSE(m_pBar->m_bCoordinateWithTaskbar);
    EXPECT_FALSE(m_pBar->m_bInsertIconWhenQuit);
    EXPECT_EQ(bKeepCDBefore, m_pBar->m_bKeepCDSoundOnExit);
    EXPECT_EQ(wfxBefore.nSamplesPerSec, m_pBar->m_wfxRecord.nSamplesPerSec);
    EXPECT_EQ(wfxBefore.wBitsPerSample, m_pBar->m_wfxRecord.wBitsPerSample);
    EXPECT_EQ(wfxBefore.wFormatTag, m_pBar->m_wfxRecord.wFormatTag);
    EXPECT_EQ(wfxBefore.nChannels, m_pBar->m_wfxRecord.nChannels);
    EXPECT_FALSE(m_pBar->m_state.bAlwaysOnTop);
    EXPECT_FALSE(m_pBar->m_state.bAutoHide);
    EXPECT_FALSE(m_pBar->m_bFollowTaskbarState);
}

TEST_F(SetupSheet, CoordinateStateWithTaskbarFollowsTheTaskbarFromOk)
{
    Command(ID_DOCK_TOP);
    m_shell.m_uTaskbarState = ABS_AUTOHIDE | ABS_ALWAYSONTOP;
    m_shell.Notify(ABN_STATECHANGE, 0);
    EXPECT_FALSE(m_pBar->m_state.bAutoHide) << "not following before the sheet";

    SetupSheetDriver driver;
    driver.Click(IDC_COORDINATE).Ok();
    Run(driver);
    EXPECT_TRUE(m_pBar->m_bFollowTaskbarState);
    EXPECT_TRUE(m_pBar->m_bCoordinateWithTaskbar);

    m_shell.m_uTaskbarState = ABS_ALWAYSONTOP;
    m_shell.Notify(ABN_STATECHANGE, 0);
    m_shell.m_uTaskbarState = ABS_AUTOHIDE | ABS_ALWAYSONTOP;
    m_shell.Notify(ABN_STATECHANGE, 0);
    EXPECT_TRUE(m_pBar->m_state.bAutoHide) << "the taskbar went auto-hide and the bar followed";
}
