// Reading the controller's settings: defaults, bounds and odd stored values.
#include "TestUtil.h"
#include "controller/ControllerDlg.h"
#include "settings/RegistryKeys.h"
#include <gtest/gtest.h>
#include <string>

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override { DeleteSuiteKeys(); }
    void TearDown() override { DeleteSuiteKeys(); }
};

std::string ProgramDirectory()
{
    char sz[MAX_PATH];
    GetModuleFileNameA(nullptr, sz, sizeof sz);
    std::string str(sz);
    return str.substr(0, str.find_last_of('\\') + 1);
}

} // namespace

TEST_F(Settings, MissingKeysLeaveTheDefaults)
{
    CControllerDlg bar(nullptr, TRUE);
    RECT rcDefault = bar.m_rcFloat;
    bar.LoadSettings();
    EXPECT_EQ(DBE_FLOAT, bar.m_nSavedEdge);
    EXPECT_TRUE(EqualRect(&rcDefault, &bar.m_rcFloat));
    EXPECT_FALSE(bar.m_bModulePositionSaved);
    EXPECT_STREQ("MARVIK", bar.m_strCompanyLocal);
    EXPECT_EQ(ProgramDirectory() + "TympCDPlayer.exe", std::string(bar.m_strCDPlayerPath));
    EXPECT_EQ(ProgramDirectory() + "TympMidiTracker.exe", std::string(bar.m_strMidiTrackerPath));
    char szWindows[MAX_PATH];
    GetWindowsDirectoryA(szWindows, sizeof szWindows);
    EXPECT_EQ(std::string(szWindows) + "\\Sndvol32.exe", std::string(bar.m_strVolumeControlPath));
}

TEST_F(Settings, ValuesAreBoundedByTheirMembers)
{
    CControllerDlg bar(nullptr, TRUE);
    long long llTooBig = 1;
    SetControllerBinary("State", &llTooBig, sizeof llTooBig);         // larger: missing
    BYTE bOne = 0;
    SetControllerBinary("FloatLeft", &bOne, 1);                        // shorter: its bytes
    SetControllerBinary("AlwaysOnTop", "\x01\x00\x00\x00", 4, REG_DWORD);  // type not checked
    BYTE abPositions[40] = {};
    SetControllerBinary("ModulePosition", abPositions, sizeof abPositions);
    bar.LoadSettings();
    EXPECT_EQ(DBE_FLOAT, bar.m_nSavedEdge);
    EXPECT_EQ(0, bar.m_rcFloat.left);
    EXPECT_TRUE(bar.m_bAlwaysOnTopSetting);
    EXPECT_FALSE(bar.m_bModulePositionSaved);

    SetControllerBinary("ModulePosition", abPositions, 32);
    bar.LoadSettings();
    EXPECT_TRUE(bar.m_bModulePositionSaved);
}

TEST_F(Settings, FileNamesTooLongForTheBufferFallBackToTheDefault)
{
    std::string strLong(256, 'x');
    SetControllerBinary("CDPlayerFileName", strLong.c_str(), (DWORD)strLong.size(), REG_BINARY);
    std::string strFits(255, 'y');
    SetControllerBinary("WavePlayerFileName", strFits.c_str(), (DWORD)strFits.size() + 1, REG_SZ);
    SetControllerBinary("MidiPlayerFileName", "Player.exe", 11, REG_SZ);
    BYTE abBuffer[SETTING_BUFFER_SIZE];
    EXPECT_FALSE(ReadControllerSetting("CDPlayerFileName", abBuffer));

    CControllerDlg bar(nullptr, TRUE);
    bar.LoadSettings();
    EXPECT_EQ(ProgramDirectory() + "TympCDPlayer.exe", std::string(bar.m_strCDPlayerPath));
    EXPECT_EQ(ProgramDirectory() + strFits, std::string(bar.m_strWavePlayerPath));
    EXPECT_EQ(ProgramDirectory() + "Player.exe", std::string(bar.m_strMidiPlayerPath));
}
