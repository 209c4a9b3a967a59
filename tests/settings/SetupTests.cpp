// The Setup sheet on real dialogs: its pages, what OK applies and saves, what Cancel leaves.
#include "tests/support/BarFixture.h"
#include "res/resource.h"
#include <mmreg.h>

// Commands that play audio CDs: the suite's player as the bar knows it and in capitals, and two others.
static const std::string SUITE = ProgramDirectory() + "TympCDPlayer.exe /play";
static const std::string UPPER = ProgramDirectory() + "TYMPCDPLAYER.EXE /PLAY";
static const std::string OLD = "C:\\Old\\cd.exe /play";
static const std::string OTHER = "C:\\cdplay.exe /play";

class Setup : public BarTest {
protected:
    Setup() : BarTest(0) { } // a CD audio device: every control is live
    ~Setup() override // puts the system's command for audio CDs back as it was
    {
        if (m_savedCommand.bExists)
            WriteString(KEY_AUDIOCD, "", m_savedCommand.AsString(), HKEY_LOCAL_MACHINE);
        else
            SHDeleteValueA(HKEY_LOCAL_MACHINE, KEY_AUDIOCD, "");
    }
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
    void Page(int n) { SendMessageA(m_hSheet, PSM_SETCURSEL, n, 0); }
    void Click(int nID) { SendMessageA(Item(nID), BM_CLICK, 0, 0); }
    // Picks an entry of the recording format's lists as a user does, by its text.
    void Pick(const char* pszText)
    {
        for (int nID : { IDC_CHANNEL, IDC_SAMPLE_RATE, IDC_DATA_FORMAT, IDC_DATA_BITS })
            if (SendMessageA(Item(nID), CB_SELECTSTRING, -1, (LPARAM)pszText) != CB_ERR)
                SendMessageA(GetParent(Item(nID)), WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)Item(nID));
    }
    std::string Selected(int nID) // the list's selected entry, "" when none
    {
        char sz[64] = "";
        SendMessageA(Item(nID), CB_GETLBTEXT, SendMessageA(Item(nID), CB_GETCURSEL, 0, 0), (LPARAM)sz);
        return sz;
    }
    std::string CDCommand() { return ReadValue(KEY_AUDIOCD, "", HKEY_LOCAL_MACHINE).AsString(); } // plays audio CDs
    int Stored(const char* pszName) { return ReadValue(KEY_CONTROLLER, pszName).AsInt(); }

    const RegValue m_savedCommand = ReadValue(KEY_AUDIOCD, "", HKEY_LOCAL_MACHINE);
    BarPtr m_pBar = StartBar();
    HWND m_hSheet = nullptr;
};

// Docked at the top: OK applies and saves each box; Cancel after changing some leaves everything as it was.
TEST_F(Setup, EachBoxSetsItsSettingWhichOnlyOkAppliesAndSaves)
{
    Command(ID_DOCK_TOP);
    WriteString(KEY_AUDIOCD, "", OTHER, HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(Sheet([&] {
        PostMessageA(m_pBar->m_hWnd, WM_COMMAND, ID_SETUP_BUTTON, 0); // a second sheet would hold this one open
        Click(IDC_ALWAYS_ON_TOP);
        Click(IDC_AUTO_HIDE);
        Click(IDC_COORDINATE);
        Click(IDC_INSERT_ICON);
        Page(1);
        Click(IDC_KEEP_CD_PLAYING);
    })) << "the sheet showed and closed";
    EXPECT_TRUE(m_pBar->m_state.bAlwaysOnTop) << "OK put the docked bar on top";
    EXPECT_TRUE(m_pBar->m_state.bAutoHide) << "OK made the docked bar hide";
    EXPECT_TRUE(m_pBar->m_bFollowTaskbarState) << "OK with Coordinate checked made the bar follow the taskbar";
    EXPECT_EQ(TRUE, Stored("AlwaysOnTop")) << "saved as its box was left";
    EXPECT_EQ(TRUE, Stored("AutoHide")) << "saved as its box was left";
    EXPECT_EQ(TRUE, Stored("CoordinateStateWithTaskbar")) << "saved as its box was left";
    EXPECT_EQ(TRUE, Stored("InsertIconToTaskbarWhenQuit")) << "saved as its box was left";
    EXPECT_EQ(FALSE, Stored("KeepCDSoundOnExit")) << "saved as its box was left";
    EXPECT_TRUE(Sheet(
        [&] {
            Click(IDC_ALWAYS_ON_TOP);
            Page(1);
            Click(IDC_DEFAULT_CDPLAYER);
        },
        PSBTN_CANCEL))
        << "the sheet showed and closed";
    EXPECT_EQ(TRUE, Stored("AlwaysOnTop")) << "Cancel saves nothing";
    EXPECT_EQ(OTHER, CDCommand()) << "nor registers";
    EXPECT_TRUE(m_pBar->m_bAlwaysOnTopSetting) << "the setting back as stored";
    EXPECT_TRUE(m_pBar->m_state.bAlwaysOnTop) << "nothing applied";
}

// Each row sets a format, opens the page, picks one entry as a user does, and presses OK. The data format and
// data bits lists show what is then saved; a value they do not offer shows as no entry and stays as it was.
TEST_F(Setup, TheWaveRecordingPageKeepsBitsAndFormatTogether)
{
    const WORD PCM = WAVE_FORMAT_PCM;
    const WORD ADPCM = WAVE_FORMAT_ADPCM;
    const WORD ALAW = WAVE_FORMAT_ALAW;
    const WORD MULAW = WAVE_FORMAT_MULAW;
    std::map<int, std::string> formats = { { PCM, "PCM" }, { ADPCM, "ADPCM" }, { ALAW, "A-Law" }, { MULAW, "Mu-Law" } };
    std::map<int, std::string> bits = { { 4, "4-bit" }, { 8, "8-bit" }, { 16, "16-bit" } };
    const struct {
        RECORDFORMAT wfx;
        const char* pszPick;
        RECORDFORMAT wfxSaved;
    } cases[] = {
        { .wfx = { 1, 22050, ALAW, 8 }, .pszPick = "16-bit", .wfxSaved = { 1, 22050, PCM, 16 } },
        { .wfx = { 2, 11025, PCM, 16 }, .pszPick = "4-bit", .wfxSaved = { 2, 11025, ADPCM, 4 } },
        { .wfx = { 1, 44100, MULAW, 8 }, .pszPick = "8-bit", .wfxSaved = { 1, 44100, MULAW, 8 } },
        { .wfx = { 1, 44100, ADPCM, 4 }, .pszPick = "8-bit", .wfxSaved = { 1, 44100, PCM, 8 } },
        { .wfx = { 1, 22050, PCM, 16 }, .pszPick = "ADPCM", .wfxSaved = { 1, 22050, ADPCM, 4 } },
        { .wfx = { 2, 11025, ADPCM, 4 }, .pszPick = "PCM", .wfxSaved = { 2, 11025, PCM, 4 } },
        { .wfx = { 1, 44100, PCM, 16 }, .pszPick = "A-Law", .wfxSaved = { 1, 44100, ALAW, 8 } },
        { .wfx = { 3, 8000, 3, 12 }, .pszPick = "44100 Hz", .wfxSaved = { 3, 44100, 3, 12 } },
        { .wfx = { 3, 8000, ALAW, 12 }, .pszPick = "Stereo", .wfxSaved = { 2, 8000, ALAW, 12 } },
    };
    for (const auto& c : cases) {
        m_pBar->m_wfxRecord = c.wfx;
        EXPECT_TRUE(Sheet([&] {
            Page(2);
            Pick(c.pszPick);
            EXPECT_EQ(formats[c.wfxSaved.wFormatTag], Selected(IDC_DATA_FORMAT)) << "after picking " << c.pszPick;
            EXPECT_EQ(bits[c.wfxSaved.wBitsPerSample], Selected(IDC_DATA_BITS)) << "after picking " << c.pszPick;
        })) << "the sheet showed and closed";
        EXPECT_EQ(c.wfxSaved.nChannels, m_pBar->m_wfxRecord.nChannels) << "saved after picking " << c.pszPick;
        EXPECT_EQ(c.wfxSaved.nSamplesPerSec, m_pBar->m_wfxRecord.nSamplesPerSec) << "saved after picking " << c.pszPick;
        EXPECT_EQ(c.wfxSaved.wFormatTag, m_pBar->m_wfxRecord.wFormatTag) << "saved after picking " << c.pszPick;
        EXPECT_EQ(c.wfxSaved.wBitsPerSample, m_pBar->m_wfxRecord.wBitsPerSample) << "saved after picking " << c.pszPick;
    }
}

// Each row sets the system's command and the one kept, opens a page, clicks the CD player box, and presses OK.
TEST_F(Setup, TheDefaultCDPlayerBoxLeftChangedRegistersTheSuitesPlayerOrPutsThePreviousOneBack)
{
    struct Association {
        std::string strCommand; // the system's command for audio CDs
        std::string strKept; // the command the bar puts back when its box is unchecked
    };
    const struct {
        Association before;
        int nPage = 1;
        int nClicks;
        Association after;
        const char* pszWhy;
    } cases[] = {
        { .before = { OTHER, "" }, .nClicks = 1, .after = { SUITE, OTHER }, .pszWhy = "registered, the previous kept" },
        { .before = { "", OLD }, .nClicks = 1, .after = { SUITE, "" }, .pszWhy = "registered, an empty one kept" },
        { .before = { UPPER, OLD }, .nClicks = 1, .after = { OLD, OLD }, .pszWhy = "the suite's, letter case aside" },
        { .before = { SUITE, "" }, .nClicks = 1, .after = { SUITE, "" }, .pszWhy = "none to put back" },
        { .before = { UPPER, OLD }, .nClicks = 0, .after = { UPPER, OLD }, .pszWhy = "checked and left alone" },
        { .before = { UPPER, OLD }, .nClicks = 2, .after = { UPPER, OLD }, .pszWhy = "unchecked and checked again" },
        { .before = { OTHER, OLD }, .nClicks = 0, .after = { OTHER, OLD }, .pszWhy = "unchecked and left alone" },
        { .before = { OTHER, OLD }, .nPage = 0, .nClicks = 0, .after = { OTHER, OLD }, .pszWhy = "never shown" },
    };
    for (const auto& c : cases) {
        WriteString(KEY_AUDIOCD, "", c.before.strCommand, HKEY_LOCAL_MACHINE);
        WriteString(KEY_CONTROLLER, "OriginalCDPLayer", c.before.strKept);
        EXPECT_TRUE(Sheet([&] {
            Page(c.nPage);
            for (int n = 0; n < c.nClicks; n++)
                Click(IDC_DEFAULT_CDPLAYER);
        })) << "the sheet showed and closed";
        EXPECT_EQ(c.after.strCommand, CDCommand()) << "the system's command: " << c.pszWhy;
        EXPECT_EQ(c.after.strKept, ReadValue(KEY_CONTROLLER, "OriginalCDPLayer").AsString())
            << "the one kept to put back: " << c.pszWhy;
    }
}
