// The default CD player association through the Preference page: what the
// box shows, what OK registers or restores, and the two cases where the
// association must stay as it is.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "SetupSheetDriver.h"
#include "TestUtil.h"
#include "settings/RegistryKeys.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

const char OTHER_PLAYER[] = "C:\\Windows\\cdplayer.exe /play";
const char OLD_PLAYER[] = "C:\\Old\\oldcd.exe /play";

class SetupCDPlayer : public ::testing::Test {
protected:
    void SetUp() override { DeleteSuiteKeys(); }
    void TearDown() override
    {
        m_pBar.reset();
        m_pDevices.reset();
        DeleteSuiteKeys();
    }
    void Start(MCIERROR errCDOpen = 0)
    {
        m_pDevices = std::make_unique<FakeDevices>(errCDOpen, 0);
        m_pBar = StartBar();
        m_strSuite = std::string((LPCSTR)m_pBar->m_strCDPlayerPath) + " /play";
    }
    static void SetOriginal(const char* psz)
    {
        SetControllerBinary("OriginalCDPLayer", psz, (DWORD)strlen(psz) + 1, REG_SZ);
    }
    static std::string Original()
    {
        RegistryValues values = ReadKeyValues(HKEY_CURRENT_USER, REGKEY_CONTROLLER);
        auto it = values.find("OriginalCDPLayer");
        return it == values.end() ? "(none)" : std::string((const char*)it->second.second.data());
    }
    static bool Checked(HWND hPage, int nID) { return SendDlgItemMessageA(hPage, nID, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Run(SetupSheetDriver& driver)
    {
        driver.Run(m_pBar->m_hWnd);
        EXPECT_TRUE(driver.Finished()) << driver.m_strStalled;
    }
    // Opens the Preference page, reports its CD box, and cancels.
    bool BoxShownChecked()
    {
        bool bChecked = false;
        SetupSheetDriver driver;
        driver.Page(1).Inspect([&](HWND, HWND hPage) { bChecked = Checked(hPage, IDC_DEFAULT_CDPLAYER); }).Cancel();
        Run(driver);
        return bChecked;
    }

    SavedAudioCDCommand m_savedCommand;
    FakeAppBarShell m_shell;
    std::unique_ptr<FakeDevices> m_pDevices;
    BarPtr m_pBar;
    std::string m_strSuite;
};

} // namespace

TEST_F(SetupCDPlayer, RegisteringWritesTheSuitesCommandAndKeepsThePreviousOne)
{
    Start();
    SavedAudioCDCommand::Set(OTHER_PLAYER);
    SetupSheetDriver driver;
    driver.Page(1)
        .Inspect([&](HWND, HWND hPage) { EXPECT_FALSE(Checked(hPage, IDC_DEFAULT_CDPLAYER)); })
        .Click(IDC_DEFAULT_CDPLAYER)
        .Inspect([&](HWND, HWND) {
            EXPECT_EQ(OTHER_PLAYER, SavedAudioCDCommand::Get()) << "nothing is written while the sheet is open";
        })
        .Ok();
    Run(driver);
    EXPECT_EQ(m_strSuite, SavedAudioCDCommand::Get());
    EXPECT_EQ(OTHER_PLAYER, Original());
    EXPECT_TRUE(BoxShownChecked()) << "reopened, the page shows the suite registered";
}

TEST_F(SetupCDPlayer, ACommandThatDiffersOnlyInCaseShowsTheBoxChecked)
{
    Start();
    std::string strUpper = m_strSuite;
    for (char& c : strUpper)
        c = (char)toupper((unsigned char)c);
    ASSERT_NE(m_strSuite, strUpper);
    SavedAudioCDCommand::Set(strUpper);
    SetOriginal(OLD_PLAYER);
    EXPECT_TRUE(BoxShownChecked());

    // OK with the box untouched leaves the association as it is.
    SetupSheetDriver driver;
    driver.Page(1).Click(IDC_KEEP_CD_PLAYING).Ok();
    Run(driver);
    EXPECT_EQ(strUpper, SavedAudioCDCommand::Get());
    EXPECT_EQ(OLD_PLAYER, Original());
}

TEST_F(SetupCDPlayer, WithoutCDAudioBothBoxesAreDisabledAndNothingIsRead)
{
    Start(MCIERR_CANNOT_LOAD_DRIVER);
    ASSERT_FALSE(m_pBar->m_bHasCDAudio);
    SavedAudioCDCommand::Set(m_strSuite);       // would show the box checked if it were read
    SetOriginal(OLD_PLAYER);
    strcpy(m_pBar->m_szCDPlayerText, "untouched");
    SetupSheetDriver driver;
    driver.Page(1)
        .Inspect([&](HWND, HWND hPage) {
            for (int nID : { IDC_DEFAULT_CDPLAYER, IDC_KEEP_CD_PLAYING }) {
                EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hPage, nID))) << nID;
                EXPECT_FALSE(Checked(hPage, nID)) << nID;
            }
            EXPECT_STREQ("untouched", m_pBar->m_szCDPlayerText) << "\"OriginalCDPLayer\" was read";
        })
        .Ok();
    Run(driver);
    EXPECT_EQ(m_strSuite, SavedAudioCDCommand::Get());
    EXPECT_EQ(OLD_PLAYER, Original());
}

TEST_F(SetupCDPlayer, UncheckingPutsThePreviousCommandBackAndKeepsIt)
{
    Start();
    SavedAudioCDCommand::Set(m_strSuite);
    SetOriginal(OLD_PLAYER);
    SetupSheetDriver driver;
    driver.Page(1)
        .Inspect([&](HWND, HWND hPage) { EXPECT_TRUE(Checked(hPage, IDC_DEFAULT_CDPLAYER)); })
        .Click(IDC_DEFAULT_CDPLAYER)
        .Ok();
    Run(driver);
    EXPECT_EQ(OLD_PLAYER, SavedAudioCDCommand::Get());
    EXPECT_EQ(OLD_PLAYER, Original());
    EXPECT_FALSE(BoxShownChecked());
}

TEST_F(SetupCDPlayer, AnEmptyPreviousCommandIsNeverWritten)
{
    Start();
    // Registered with no command before it: nothing to put back.
    SavedAudioCDCommand::Set(m_strSuite);
    SetupSheetDriver driver;
    driver.Page(1).Click(IDC_DEFAULT_CDPLAYER).Ok();
    Run(driver);
    EXPECT_EQ(m_strSuite, SavedAudioCDCommand::Get()) << "the system was left without a CD player";
    EXPECT_EQ("(none)", Original());

    // Registering over an empty command keeps no empty "previous" command either.
    SavedAudioCDCommand::Set("");
    SetOriginal(OLD_PLAYER);
    SetupSheetDriver reg;
    reg.Page(1).Click(IDC_DEFAULT_CDPLAYER).Ok();
    Run(reg);
    EXPECT_EQ(m_strSuite, SavedAudioCDCommand::Get());
    EXPECT_EQ(OLD_PLAYER, Original());
}

TEST_F(SetupCDPlayer, RegisteringWhileTheSuitesCommandIsCurrentKeepsTheOriginal)
{
    Start();
    // Another copy registers the suite while this page is open.
    SavedAudioCDCommand::Set(OTHER_PLAYER);
    SetOriginal(OLD_PLAYER);
    SetupSheetDriver driver;
    driver.Page(1)
        .Inspect([&](HWND, HWND) { SavedAudioCDCommand::Set(m_strSuite); })
        .Click(IDC_DEFAULT_CDPLAYER)
        .Ok();
    Run(driver);
    EXPECT_EQ(m_strSuite, SavedAudioCDCommand::Get());
    EXPECT_EQ(OLD_PLAYER, Original()) << "the suite's own command became the one to put back";

    // Unchecked and checked again in one run: the association stays, the original too.
    SetupSheetDriver twice;
    twice.Page(1).Click(IDC_DEFAULT_CDPLAYER).Click(IDC_DEFAULT_CDPLAYER).Ok();
    Run(twice);
    EXPECT_EQ(m_strSuite, SavedAudioCDCommand::Get());
    EXPECT_EQ(OLD_PLAYER, Original());

    // Called directly as well.
    m_pBar->RegisterCDPlayer();
    EXPECT_EQ(m_strSuite, SavedAudioCDCommand::Get());
    EXPECT_EQ(OLD_PLAYER, Original());
}
