// The Setup sheet on real dialogs: its pages, what OK applies and saves, what Cancel leaves.
#include "tests/support/BarFixture.h"
#include "dockbar/AppBarService.h"
#include "res/resource.h"

static std::string Stored(const std::vector<const char*>& names)
{
    std::vector<int> an;
    for (const char* pszName : names)
        an.push_back(ReadValue(islower(*pszName) ? KEY_WAVEPLAYER : KEY_CONTROLLER, pszName).AsInt());
    return Joined(an);
}

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
    void Page(int n) { SendMessageA(m_hSheet, PSM_SETCURSEL, n, 0); }
    void Click(int nID) { SendMessageA(Item(nID), BM_CLICK, 0, 0); }
    void Choose(int nID, int nIndex) // as a user's choice tells the page
    {
        SendMessageA(Item(nID), CB_SETCURSEL, nIndex, 0);
        SendMessageA(GetParent(Item(nID)), WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)Item(nID));
    }
    std::string Boxes(std::initializer_list<int> ids) // x or -, in brackets when disabled
    {
        std::string str;
        for (int nID : ids)
            str += IsWindowEnabled(Item(nID)) ? (Checked(nID) ? "x " : "- ") : (Checked(nID) ? "(x) " : "(-) ");
        return str;
    }
    std::string BarPage() // its four boxes, then the preview pictures that show
    {
        return Boxes({ IDC_ALWAYS_ON_TOP, IDC_AUTO_HIDE, IDC_COORDINATE, IDC_INSERT_ICON }) +
               (IsWindowVisible(Item(IDC_PREVIEW_BAR)) ? "bar" : "-") +
               (IsWindowVisible(Item(IDC_PREVIEW_ICON)) ? " icon" : " -");
    }

    SavedValue m_savedCommand { KEY_AUDIOCD, "", HKEY_LOCAL_MACHINE };
    BarPtr m_pBar = StartBar();
    HWND m_hSheet = nullptr;
};

// Each row opens the sheet on the bar as the rows before it left it: the Controller Bar page (always on top, auto
// hide, coordinate, insert icon, the pictures) before and after its clicks; OK; following the taskbar, and stored.
TEST_F(Setup, OkAppliesAndSavesWhatThePagesShowAndCancelLeavesAllAsStored)
{
    const int ON_TOP = IDC_ALWAYS_ON_TOP, HIDE = IDC_AUTO_HIDE, COORDINATE = IDC_COORDINATE, ICON = IDC_INSERT_ICON;
    const std::vector<const char*> apszBoxes = { "AlwaysOnTop", "AutoHide", "CoordinateStateWithTaskbar",
                                                 "InsertIconToTaskbarWhenQuit", "KeepCDSoundOnExit" };
    const struct {
        UINT nDock;
        bool bTaken;
        std::vector<int> ids;
        const char *pszOpen, *pszAfter, *pszOk;
    } cases[] = {
        { 0, false, { COORDINATE, ICON }, "(-) (-) - - bar icon", "(-) (-) x x bar icon", "1 {0, 0, 1, 1, 1}" },
        { ID_DOCK_TOP, false, { ON_TOP, HIDE, COORDINATE }, "- - x x bar icon", "x x - x - -", "0 {1, 1, 0, 1, 1}" },
        { 0, false, { HIDE }, "x x - x - -", "x - - x bar -", "0 {1, 0, 0, 1, 1}" },
        { 0, true, { ON_TOP }, "x (-) - x bar -", "- (-) - x bar icon", "0 {0, 0, 0, 1, 1}" }, // another bar's slot
    };
    for (const auto& c : cases) {
        if (c.nDock)
            Command(c.nDock);
        APPBARDATA abd = { sizeof abd, GetDesktopWindow(), 0, ABE_TOP, {}, c.bTaken }; // another program's bar
        g_pfnAppBarMessage(ABM_SETAUTOHIDEBAR, &abd);
        EXPECT_TRUE(Sheet([&] {
            EXPECT_EQ(c.pszOpen, BarPage());
            for (int nID : c.ids)
                Click(nID);
            EXPECT_EQ(c.pszAfter, BarPage());
        }));
        EXPECT_EQ(c.pszOk, std::to_string(m_pBar->m_bFollowTaskbarState) + " " + Stored(apszBoxes));
    }

    const std::string strBefore = Stored(apszBoxes) + ReadValue(KEY_AUDIOCD, "", HKEY_LOCAL_MACHINE).AsString();
    EXPECT_TRUE(Sheet(
        [&] {
            const RECT rcDesktop = WindowRect(Item(IDC_PREVIEW_DESKTOP));
            const std::pair<int, RECT> pictures[] = { // sized to their bitmaps
                                                      { IDC_PREVIEW_BAR, { 3, 98, 272, 130 } },
                                                      { IDC_PREVIEW_ICON, { 213, 69, 272, 117 } }
            };
            for (auto [nID, rc] : pictures) {
                OffsetRect(&rc, rcDesktop.left, rcDesktop.top);
                EXPECT_EQ(rc, WindowRect(Item(nID))) << nID;
            }
            EXPECT_EQ(Item(IDC_PREVIEW_BAR), GetWindow(Item(IDC_PREVIEW_DESKTOP), GW_HWNDNEXT));
            EXPECT_EQ(Item(IDC_PREVIEW_ICON), GetWindow(Item(IDC_PREVIEW_BAR), GW_HWNDNEXT));
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(m_hSheet, 0x3021))) << "an Apply button";
            Click(ON_TOP);
            Page(1);
            for (int nID : { IDC_DEFAULT_CDPLAYER, IDC_KEEP_CD_PLAYING })
                Click(nID);
        },
        PSBTN_CANCEL));
    m_pBar->SaveSettings(); // nothing was saved, every setting is back as stored, and none was applied
    EXPECT_EQ(strBefore, Stored(apszBoxes) + ReadValue(KEY_AUDIOCD, "", HKEY_LOCAL_MACHINE).AsString());
    EXPECT_FALSE(m_pBar->m_state.bAlwaysOnTop || m_pBar->m_bFollowTaskbarState);

    HWND hAbout = CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 9, 9, m_pBar->m_hWnd, nullptr, nullptr, nullptr);
    EXPECT_FALSE(Sheet([] {}, PSBTN_CANCEL)) << "Setup opened over another dialog of the bar";
    DestroyWindow(hAbout);
}

// Each row sets a format, opens the page, makes one choice and presses OK.
TEST_F(Setup, TheWaveRecordingPageShowsTheFormatAndKeepsBitsAndFormatTogether)
{
    const struct {
        RECORDFORMAT wfx;
        int nList, nIndex;
        const char* pszAfter;
    } cases[] = {
        // channels, rate, format, bits: as set; after the choice, the entries shown, then the values saved
        { { 1, 22050, 6, 8 }, IDC_DATA_BITS, 2, "{0, 1, 0, 2} {1, 22050, 1, 16}" }, // 16 bits bring PCM
        { { 1, 22050, 1, 16 }, IDC_DATA_FORMAT, 1, "{0, 1, 1, 0} {1, 22050, 2, 4}" }, // ADPCM brings 4 bits
        { { 2, 11025, 1, 16 }, IDC_DATA_BITS, 0, "{1, 0, 1, 0} {2, 11025, 2, 4}" }, // and the other way round
        { { 2, 11025, 2, 4 }, IDC_DATA_FORMAT, 0, "{1, 0, 0, 0} {2, 11025, 1, 4}" }, // no chain back
        { { 1, 44100, 7, 8 }, IDC_DATA_BITS, 1, "{0, 2, 3, 1} {1, 44100, 7, 8}" }, // 8 bits keep mu-law
        { { 1, 44100, 2, 4 }, IDC_DATA_BITS, 1, "{0, 2, 0, 1} {1, 44100, 1, 8}" }, // but not ADPCM
        { { 1, 44100, 1, 16 }, IDC_DATA_FORMAT, 2, "{0, 2, 2, 1} {1, 44100, 6, 8}" }, // A-law brings 8 bits
        { { 2, 22050, 1, 16 }, IDC_DATA_FORMAT, 3, "{1, 1, 3, 1} {2, 22050, 7, 8}" },
        { { 3, 8000, 3, 12 }, IDC_SAMPLE_RATE, 2, "{0, 2, -1, -1} {3, 44100, 3, 12}" }, // kept unless picked
        { { 3, 8000, 3, 12 }, IDC_CHANNEL, 1, "{1, 0, -1, -1} {2, 8000, 3, 12}" },
    };
    const std::vector<const char*> apszFormat = { "nChannels", "nSamplesPerSec", "wFormatTag", "wBitsPerSample" };
    for (const auto& c : cases) {
        m_pBar->m_wfxRecord = c.wfx;
        std::vector<int> an;
        EXPECT_TRUE(Sheet([&] {
            Page(2);
            Choose(c.nList, c.nIndex);
            for (int nID : { IDC_CHANNEL, IDC_SAMPLE_RATE, IDC_DATA_FORMAT, IDC_DATA_BITS })
                an.push_back((int)SendMessageA(Item(nID), CB_GETCURSEL, 0, 0));
        }));
        EXPECT_EQ(c.pszAfter, Joined(an) + " " + Stored(apszFormat)) << "row " << &c - cases;
    }
}

// Each row sets the system's command and the one kept before it, opens the Preference page, may click, presses OK.
TEST_F(Setup, TheDefaultCDPlayerBoxShowsAndChangesTheAssociation)
{
    const std::string strSuite = ProgramDirectory() + "TympCDPlayer.exe /play", strOld = "C:\\Old\\cd.exe /play";
    const std::string strUpper = ProgramDirectory() + "TYMPCDPLAYER.EXE /PLAY", strOther = "C:\\cdplay.exe /play";
    const int CD = IDC_DEFAULT_CDPLAYER, KEEP = IDC_KEEP_CD_PLAYING;
    // the boxes' clicks; the system's command and "OriginalCDPLayer" before; the boxes as shown; both commands after
    const struct {
        bool bCD;
        std::vector<int> ids;
        std::string strCommand, strKept, strBoxes, strAfter;
    } cases[] = {
        { true, { CD, KEEP }, strOther, "", "- x ", strSuite + ", " + strOther }, // the previous command kept
        { true, {}, strUpper, strOld, "x - ", strUpper + ", " + strOld }, // letter case aside; untouched
        { true, { CD, CD, KEEP }, strUpper, strOld, "x - ", strUpper + ", " + strOld }, // unchecked, checked again
        { true, { CD }, strSuite, strOld, "x x ", strOld + ", " + strOld }, // the previous one put back
        { true, { CD }, strSuite, "", "x x ", strSuite + ", " }, // nothing to put back
        { true, { CD }, "", strOld, "- x ", strSuite + ", " }, // nothing to keep, and the older one forgotten
        { false, {}, strSuite, strOld, "(-) (-) ", strSuite + ", " + strOld },
    };
    for (const auto& c : cases) {
        m_pBar->m_bHasCDAudio = c.bCD; // as the device probe left it
        WriteString(KEY_AUDIOCD, "", c.strCommand, HKEY_LOCAL_MACHINE);
        WriteString(KEY_CONTROLLER, "OriginalCDPLayer", c.strKept);
        EXPECT_TRUE(Sheet([&] {
            Page(1);
            EXPECT_EQ(c.strBoxes, Boxes({ CD, KEEP }));
            for (int nID : c.ids)
                Click(nID);
        }));
        EXPECT_EQ(c.strAfter, ReadValue(KEY_AUDIOCD, "", HKEY_LOCAL_MACHINE).AsString() + ", " +
                                  ReadValue(KEY_CONTROLLER, "OriginalCDPLayer").AsString())
            << "row " << &c - cases;
    }
    WriteString(KEY_AUDIOCD, "", strSuite, HKEY_LOCAL_MACHINE);
    m_pBar->RegisterCDPlayer(); // registered already, as by another copy: the previous command stays
    EXPECT_EQ(strOld, ReadValue(KEY_CONTROLLER, "OriginalCDPLayer").AsString());
}
