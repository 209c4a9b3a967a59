// The Setup sheet on real dialogs: its pages, what OK applies and saves, what Cancel leaves.
#include "tests/support/BarFixture.h"
#include "dockbar/AppBarService.h"
#include "res/resource.h"
#include <mmreg.h>

// Commands that play audio CDs: the suite's player as the bar knows it and in capitals, and two others.
static const std::string SUITE = ProgramDirectory() + "TympCDPlayer.exe /play";
static const std::string UPPER = ProgramDirectory() + "TYMPCDPLAYER.EXE /PLAY";
static const std::string OLD = "C:\\Old\\cd.exe /play";
static const std::string OTHER = "C:\\cdplay.exe /play";

constexpr int IDC_APPLY_BUTTON = 0x3021; // a property sheet's Apply button

class Setup : public BarTest {
protected:
    Setup() : BarTest(0) { } // a CD audio device: every control is live
    // Presses Setup, runs body in the sheet and presses nButton; false if the sheet never showed or closed.
    bool Sheet(const std::function<void()>& body, int nButton = PSBTN_OK)
    {
        ModalScript script;
        script.WaitFor("Tymp Studio Setup", &m_hSheet).Do(body);
        script.Do([&] { PostMessageA(m_hSheet, PSM_PRESSBUTTON, nButton, 0); });
        script.Run([&] { Command(ID_SETUP_BUTTON); });
        return script.Finished();
    }
    void Command(UINT nID) { SendMessageA(m_pBar->m_hWnd, WM_COMMAND, nID, 0); }
    HWND Item(int nID) { return GetDlgItem((HWND)SendMessageA(m_hSheet, PSM_GETCURRENTPAGEHWND, 0, 0), nID); }
    bool Checked(int nID) { return SendMessageA(Item(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int nID) { return IsWindowEnabled(Item(nID)) != FALSE; }
    bool Shown(int nID) { return IsWindowVisible(Item(nID)) != FALSE; }
    void Page(int n) { SendMessageA(m_hSheet, PSM_SETCURSEL, n, 0); }
    void Click(int nID) { SendMessageA(Item(nID), BM_CLICK, 0, 0); }
    // Picks an entry of the recording format's lists as a user does, by its text.
    void Pick(const char* pszText)
    {
        for (int nID : { IDC_CHANNEL, IDC_SAMPLE_RATE, IDC_DATA_FORMAT, IDC_DATA_BITS }) {
            const LRESULT nIndex = SendMessageA(Item(nID), CB_FINDSTRINGEXACT, -1, (LPARAM)pszText);
            if (nIndex == CB_ERR)
                continue;
            SendMessageA(Item(nID), CB_SETCURSEL, nIndex, 0);
            SendMessageA(GetParent(Item(nID)), WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)Item(nID));
        }
    }
    std::string Selected(int nID) // the list's selected entry, "" when none
    {
        char sz[64] = "";
        SendMessageA(Item(nID), CB_GETLBTEXT, SendMessageA(Item(nID), CB_GETCURSEL, 0, 0), (LPARAM)sz);
        return sz;
    }
    std::string CDCommand() { return ReadValue(KEY_AUDIOCD, "", HKEY_LOCAL_MACHINE).AsString(); } // plays audio CDs
    std::string Kept() { return ReadValue(KEY_CONTROLLER, "OriginalCDPLayer").AsString(); } // put back when unchecked
    int Stored(const char* pszName) { return ReadValue(KEY_CONTROLLER, pszName).AsInt(); }
    DWORD Format(const char* pszName) { return ReadValue(KEY_WAVEPLAYER, pszName).AsInt(); }

    SavedValue m_savedCommand { KEY_AUDIOCD, "", HKEY_LOCAL_MACHINE };
    BarPtr m_pBar = StartBar();
    HWND m_hSheet = nullptr;
};

TEST_F(Setup, AlwaysOnTopAndAutoHideShowInThePicturesAndOkAppliesAndSavesThem)
{
    Command(ID_DOCK_TOP);
    EXPECT_TRUE(Sheet([&] {
        Click(IDC_ALWAYS_ON_TOP);
        EXPECT_FALSE(Shown(IDC_PREVIEW_ICON)) << "nothing covers a bar on top";
        EXPECT_TRUE(Shown(IDC_PREVIEW_BAR)) << "the bar still shows";
        Click(IDC_AUTO_HIDE);
        EXPECT_FALSE(Shown(IDC_PREVIEW_BAR)) << "a hiding bar is not seen";
    })) << "the sheet showed and closed";
    EXPECT_TRUE(m_pBar->m_state.bAlwaysOnTop) << "OK put the docked bar on top";
    EXPECT_TRUE(m_pBar->m_state.bAutoHide) << "OK made the docked bar hide";
    EXPECT_EQ(TRUE, Stored("AlwaysOnTop")) << "and saved it";
    EXPECT_EQ(TRUE, Stored("AutoHide")) << "and saved it";
    EXPECT_TRUE(Sheet([&] {
        EXPECT_FALSE(Shown(IDC_PREVIEW_ICON)) << "opened on a bar on top";
        EXPECT_FALSE(Shown(IDC_PREVIEW_BAR)) << "opened on a hiding bar";
        Click(IDC_ALWAYS_ON_TOP);
        EXPECT_TRUE(Shown(IDC_PREVIEW_ICON)) << "the icon covers a bar no longer on top";
        Click(IDC_AUTO_HIDE);
        EXPECT_TRUE(Shown(IDC_PREVIEW_BAR)) << "a bar that no longer hides is seen";
    })) << "the sheet showed and closed";
    EXPECT_EQ(FALSE, Stored("AlwaysOnTop")) << "OK took the bar off the top";
    EXPECT_EQ(FALSE, Stored("AutoHide")) << "OK stopped the bar hiding";
}

// Each row clicks one box once and presses OK.
TEST_F(Setup, EachOtherBoxSetsItsSettingWhichOkSaves)
{
    const struct {
        int nPage;
        int nID;
        const char* pszValue;
        int nStored;
    } cases[] = {
        { .nPage = 0, .nID = IDC_COORDINATE, .pszValue = "CoordinateStateWithTaskbar", .nStored = TRUE },
        { .nPage = 0, .nID = IDC_INSERT_ICON, .pszValue = "InsertIconToTaskbarWhenQuit", .nStored = TRUE },
        { .nPage = 1, .nID = IDC_KEEP_CD_PLAYING, .pszValue = "KeepCDSoundOnExit", .nStored = FALSE },
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Sheet([&] {
            Page(c.nPage);
            Click(c.nID);
        })) << "the sheet showed and closed";
        EXPECT_EQ(c.nStored, Stored(c.pszValue)) << c.pszValue << " saved as its box was left";
    }
    EXPECT_TRUE(m_pBar->m_bFollowTaskbarState) << "OK with Coordinate checked made the bar follow the taskbar";
}

TEST_F(Setup, OnlyADockedBarOffersAlwaysOnTopAndOnlyAnEdgeWithAFreeSlotAutoHide)
{
    EXPECT_TRUE(Sheet([&] {
        EXPECT_FALSE(Enabled(IDC_ALWAYS_ON_TOP)) << "a floating bar is never on top";
        EXPECT_FALSE(Enabled(IDC_AUTO_HIDE)) << "a floating bar never hides";
        EXPECT_TRUE(Enabled(IDC_COORDINATE)) << "the bar follows the taskbar floating or docked";
        EXPECT_TRUE(Enabled(IDC_INSERT_ICON)) << "the icon is left behind floating or docked";
    })) << "the sheet showed and closed";
    HWND hOther = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    APPBARDATA abd = {
        .cbSize = sizeof abd, .hWnd = hOther, .uCallbackMessage = 0, .uEdge = ABE_TOP, .rc = {}, .lParam = TRUE
    };
    g_pfnAppBarMessage(ABM_NEW, &abd);
    g_pfnAppBarMessage(ABM_SETAUTOHIDEBAR, &abd); // another program's bar hides at the top
    Command(ID_DOCK_TOP);
    EXPECT_TRUE(Sheet([&] {
        EXPECT_TRUE(Enabled(IDC_ALWAYS_ON_TOP)) << "docked at the top";
        EXPECT_FALSE(Enabled(IDC_AUTO_HIDE)) << "the top edge has its hiding bar";
        EXPECT_FALSE(Checked(IDC_AUTO_HIDE)) << "the top edge has its hiding bar";
    })) << "the sheet showed and closed";
    g_pfnAppBarMessage(ABM_REMOVE, &abd);
    DestroyWindow(hOther);
}

TEST_F(Setup, CancelLeavesEverySettingAsStoredAndTheSheetHasNoApplyButton)
{
    Command(ID_DOCK_TOP);
    m_pBar->SaveSettings();
    WriteString(KEY_AUDIOCD, "", OTHER, HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(Sheet(
        [&] {
            const RECT rcDesktop = WindowRect(Item(IDC_PREVIEW_DESKTOP));
            EXPECT_EQ((RECT { rcDesktop.left + 3, rcDesktop.top + 98, rcDesktop.left + 272, rcDesktop.top + 130 }),
                      WindowRect(Item(IDC_PREVIEW_BAR)))
                << "the bar's 269 x 32 picture along the desktop's lower edge";
            EXPECT_EQ((RECT { rcDesktop.left + 213, rcDesktop.top + 69, rcDesktop.left + 272, rcDesktop.top + 117 }),
                      WindowRect(Item(IDC_PREVIEW_ICON)))
                << "the icon's 59 x 48 picture over the bar's right end";
            EXPECT_EQ(Item(IDC_PREVIEW_BAR), GetWindow(Item(IDC_PREVIEW_DESKTOP), GW_HWNDNEXT))
                << "the bar on the desktop";
            EXPECT_EQ(Item(IDC_PREVIEW_ICON), GetWindow(Item(IDC_PREVIEW_BAR), GW_HWNDNEXT)) << "the icon on the bar";
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(m_hSheet, IDC_APPLY_BUTTON))) << "no Apply button: OK saves";
            Click(IDC_ALWAYS_ON_TOP);
            Page(1);
            Click(IDC_DEFAULT_CDPLAYER);
            Click(IDC_KEEP_CD_PLAYING);
        },
        PSBTN_CANCEL))
        << "the sheet showed and closed";
    EXPECT_EQ(FALSE, Stored("AlwaysOnTop")) << "Cancel saves nothing";
    EXPECT_EQ(TRUE, Stored("KeepCDSoundOnExit")) << "Cancel saves nothing";
    EXPECT_EQ(OTHER, CDCommand()) << "nor registers";
    EXPECT_FALSE(m_pBar->m_bAlwaysOnTopSetting) << "the setting back as stored";
    EXPECT_TRUE(m_pBar->m_bKeepCDSoundOnExit) << "the setting back as stored";
    EXPECT_FALSE(m_pBar->m_state.bAlwaysOnTop) << "nothing applied";
}

TEST_F(Setup, OpensNotOverAnotherDialogOfTheBar)
{
    HWND hAbout = CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 9, 9, m_pBar->m_hWnd, nullptr, nullptr, nullptr);
    EXPECT_FALSE(Sheet([] {}, PSBTN_CANCEL)) << "Setup opened over another dialog of the bar";
    DestroyWindow(hAbout);
}

// Each row sets a format, opens the page, picks one entry as a user does, and presses OK.
TEST_F(Setup, TheWaveRecordingPageShowsTheFormatAndKeepsBitsAndFormatTogether)
{
    const WORD PCM = WAVE_FORMAT_PCM;
    const WORD ADPCM = WAVE_FORMAT_ADPCM;
    const WORD ALAW = WAVE_FORMAT_ALAW;
    const WORD MULAW = WAVE_FORMAT_MULAW;
    const struct {
        RECORDFORMAT wfx;
        const char* pszPick;
        const char* apszShown[4]; // channel, sample rate, data format, data bits after the pick
        RECORDFORMAT wfxSaved;
    } cases[] = {
        { .wfx = { 1, 22050, ALAW, 8 },
          .pszPick = "16-bit",
          .apszShown = { "Mono", "22050 Hz", "PCM", "16-bit" },
          .wfxSaved = { 1, 22050, PCM, 16 } },
        { .wfx = { 1, 22050, PCM, 16 },
          .pszPick = "ADPCM",
          .apszShown = { "Mono", "22050 Hz", "ADPCM", "4-bit" },
          .wfxSaved = { 1, 22050, ADPCM, 4 } },
        { .wfx = { 2, 11025, PCM, 16 },
          .pszPick = "4-bit",
          .apszShown = { "Stereo", "11025 Hz", "ADPCM", "4-bit" },
          .wfxSaved = { 2, 11025, ADPCM, 4 } },
        { .wfx = { 2, 11025, ADPCM, 4 },
          .pszPick = "PCM",
          .apszShown = { "Stereo", "11025 Hz", "PCM", "4-bit" },
          .wfxSaved = { 2, 11025, PCM, 4 } },
        { .wfx = { 1, 44100, MULAW, 8 },
          .pszPick = "8-bit",
          .apszShown = { "Mono", "44100 Hz", "Mu-Law", "8-bit" },
          .wfxSaved = { 1, 44100, MULAW, 8 } },
        { .wfx = { 1, 44100, ADPCM, 4 },
          .pszPick = "8-bit",
          .apszShown = { "Mono", "44100 Hz", "PCM", "8-bit" },
          .wfxSaved = { 1, 44100, PCM, 8 } },
        { .wfx = { 1, 44100, PCM, 16 },
          .pszPick = "A-Law",
          .apszShown = { "Mono", "44100 Hz", "A-Law", "8-bit" },
          .wfxSaved = { 1, 44100, ALAW, 8 } },
        { .wfx = { 2, 22050, ALAW, 16 },
          .pszPick = "Mu-Law",
          .apszShown = { "Stereo", "22050 Hz", "Mu-Law", "8-bit" },
          .wfxSaved = { 2, 22050, MULAW, 8 } },
        { .wfx = { 3, 8000, 3, 12 },
          .pszPick = "44100 Hz",
          .apszShown = { "Mono", "44100 Hz", "", "" },
          .wfxSaved = { 3, 44100, 3, 12 } },
        { .wfx = { 3, 8000, ALAW, 12 },
          .pszPick = "Stereo",
          .apszShown = { "Stereo", "11025 Hz", "A-Law", "" },
          .wfxSaved = { 2, 8000, ALAW, 12 } },
    };
    const int LISTS[] = { IDC_CHANNEL, IDC_SAMPLE_RATE, IDC_DATA_FORMAT, IDC_DATA_BITS };
    for (const auto& c : cases) {
        m_pBar->m_wfxRecord = c.wfx;
        EXPECT_TRUE(Sheet([&] {
            Page(2);
            Pick(c.pszPick);
            for (int i = 0; i < 4; i++)
                EXPECT_EQ(c.apszShown[i], Selected(LISTS[i])) << "after picking " << c.pszPick;
        })) << "the sheet showed and closed";
        EXPECT_EQ(c.wfxSaved.nChannels, Format("nChannels")) << "saved after picking " << c.pszPick;
        EXPECT_EQ(c.wfxSaved.nSamplesPerSec, Format("nSamplesPerSec")) << "saved after picking " << c.pszPick;
        EXPECT_EQ(c.wfxSaved.wFormatTag, Format("wFormatTag")) << "saved after picking " << c.pszPick;
        EXPECT_EQ(c.wfxSaved.wBitsPerSample, Format("wBitsPerSample")) << "saved after picking " << c.pszPick;
    }
}

// Each row sets the system's command and the one kept before it, clicks the Preference page's box, presses OK.
TEST_F(Setup, ChangingTheDefaultCDPlayerBoxRegistersTheSuitesPlayerOrPutsThePreviousOneBack)
{
    const struct {
        std::string strCommand;
        std::string strKept;
        std::string strCommandOk;
        std::string strKeptOk;
        const char* pszWhy;
    } cases[] = {
        { .strCommand = OTHER, .strKept = "", .strCommandOk = SUITE, .strKeptOk = OTHER, .pszWhy = "registered" },
        { .strCommand = "", .strKept = OLD, .strCommandOk = SUITE, .strKeptOk = "", .pszWhy = "an empty one kept" },
        { .strCommand = SUITE,
          .strKept = OLD,
          .strCommandOk = OLD,
          .strKeptOk = OLD,
          .pszWhy = "the previous put back" },
        { .strCommand = UPPER, .strKept = OLD, .strCommandOk = OLD, .strKeptOk = OLD, .pszWhy = "letter case aside" },
        { .strCommand = SUITE, .strKept = "", .strCommandOk = SUITE, .strKeptOk = "", .pszWhy = "none to put back" },
    };
    for (const auto& c : cases) {
        WriteString(KEY_AUDIOCD, "", c.strCommand, HKEY_LOCAL_MACHINE);
        WriteString(KEY_CONTROLLER, "OriginalCDPLayer", c.strKept);
        EXPECT_TRUE(Sheet([&] {
            Page(1);
            Click(IDC_DEFAULT_CDPLAYER);
        })) << "the sheet showed and closed";
        EXPECT_EQ(c.strCommandOk, CDCommand()) << "the system's command: " << c.pszWhy;
        EXPECT_EQ(c.strKeptOk, Kept()) << "the one kept to put back: " << c.pszWhy;
    }
}

// Each row sets the system's command, opens the Preference page, and leaves its box as it was shown.
TEST_F(Setup, AnUntouchedDefaultCDPlayerBoxLeavesTheAssociationAlone)
{
    const struct {
        std::string strCommand;
        int nClicks;
        bool bShown;
        const char* pszWhy;
    } cases[] = {
        { .strCommand = UPPER, .nClicks = 0, .bShown = true, .pszWhy = "the suite's, letter case aside" },
        { .strCommand = UPPER, .nClicks = 2, .bShown = true, .pszWhy = "unchecked and checked again" },
        { .strCommand = OTHER, .nClicks = 0, .bShown = false, .pszWhy = "unchecked: nothing put back" },
    };
    for (const auto& c : cases) {
        WriteString(KEY_AUDIOCD, "", c.strCommand, HKEY_LOCAL_MACHINE);
        WriteString(KEY_CONTROLLER, "OriginalCDPLayer", OLD);
        EXPECT_TRUE(Sheet([&] {
            Page(1);
            EXPECT_EQ(c.bShown, Checked(IDC_DEFAULT_CDPLAYER)) << "the box with " << c.strCommand;
            for (int n = 0; n < c.nClicks; n++)
                Click(IDC_DEFAULT_CDPLAYER);
        })) << "the sheet showed and closed";
        EXPECT_EQ(c.strCommand, CDCommand()) << c.pszWhy;
        EXPECT_EQ(OLD, Kept()) << c.pszWhy;
    }
}

// Unchecked and put back; then another player makes itself the system's, and an OK without the page leaves it.
TEST_F(Setup, OkWithoutThePreferencePageLeavesTheAssociationAlone)
{
    WriteString(KEY_AUDIOCD, "", SUITE, HKEY_LOCAL_MACHINE);
    WriteString(KEY_CONTROLLER, "OriginalCDPLayer", OLD);
    EXPECT_TRUE(Sheet([&] {
        Page(1);
        Click(IDC_DEFAULT_CDPLAYER);
    })) << "the sheet showed and closed";
    EXPECT_EQ(OLD, CDCommand()) << "unchecking put the previous command back";
    WriteString(KEY_AUDIOCD, "", OTHER, HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(Sheet([] {})) << "the sheet showed and closed";
    EXPECT_EQ(OTHER, CDCommand()) << "an OK that never showed the box changes no association";
}

TEST_F(Setup, WithoutACDAudioDeviceThePreferencePageOffersNothingAndOkChangesNothing)
{
    m_pBar->m_bHasCDAudio = FALSE; // as the device probe left it
    WriteString(KEY_AUDIOCD, "", OTHER, HKEY_LOCAL_MACHINE);
    WriteString(KEY_CONTROLLER, "OriginalCDPLayer", OLD);
    EXPECT_TRUE(Sheet([&] {
        Page(1);
        EXPECT_FALSE(Enabled(IDC_DEFAULT_CDPLAYER)) << "no CD drive to play with";
        EXPECT_FALSE(Enabled(IDC_KEEP_CD_PLAYING)) << "no CD drive to keep playing";
        EXPECT_FALSE(Checked(IDC_KEEP_CD_PLAYING)) << "left unchecked";
    })) << "the sheet showed and closed";
    EXPECT_EQ(OTHER, CDCommand()) << "nothing put back";
    // Registered already, as by another copy of the bar: the previous command stays.
    WriteString(KEY_AUDIOCD, "", SUITE, HKEY_LOCAL_MACHINE);
    m_pBar->RegisterCDPlayer();
    EXPECT_EQ(OLD, Kept()) << "the suite's own command is no previous command";
}
