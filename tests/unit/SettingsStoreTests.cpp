// Saving and re-reading the bar's settings: exact registry contents,
// reloads, and stored values of every wrong type, size and content.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "settings/RegistryKeys.h"
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

struct RegValue {
    DWORD dwType = REG_NONE;
    std::vector<BYTE> data;
    bool bPresent = false;
};

RegValue ReadValue(const char* pszKey, const char* pszName)
{
    RegValue value;
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, pszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return value;
    DWORD cb = 0;
    if (RegQueryValueExA(hKey, pszName, nullptr, &value.dwType, nullptr, &cb) == ERROR_SUCCESS) {
        value.data.resize(cb);
        value.bPresent = RegQueryValueExA(hKey, pszName, nullptr, &value.dwType, value.data.data(), &cb) == ERROR_SUCCESS;
    }
    RegCloseKey(hKey);
    return value;
}

std::vector<BYTE> Bytes(std::initializer_list<int> an)
{
    std::vector<BYTE> bytes;
    for (int n : an)
        for (int i = 0; i < 4; i++)
            bytes.push_back((BYTE)(n >> (8 * i)));
    return bytes;
}

#define EXPECT_VALUE(key, name, type, bytes) \
    do { \
        RegValue v = ReadValue(key, name); \
        EXPECT_TRUE(v.bPresent) << name; \
        EXPECT_EQ((DWORD)(type), v.dwType) << name; \
        EXPECT_EQ(bytes, v.data) << name; \
    } while (0)

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { DeleteSuiteKeys(); }
    void TearDown() override { DeleteSuiteKeys(); }
};

void SetWavePlayerValue(const char* pszName, DWORD dwType, const void* pData, DWORD cb)
{
    HKEY hKey;
    RegCreateKeyExA(HKEY_CURRENT_USER, REGKEY_WAVEPLAYER, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr);
    RegSetValueExA(hKey, pszName, 0, dwType, (const BYTE*)pData, cb);
    RegCloseKey(hKey);
}

} // namespace

TEST_F(SettingsStore, SaveWritesEveryValueWithItsTypeAndSize)
{
    CControllerDlg bar(nullptr, TRUE);
    bar.m_nSavedEdge = ABE_RIGHT;
    SetRect(&bar.m_rcFloat, -10, 20, 398, 65);
    bar.m_bAlwaysOnTopSetting = TRUE;
    bar.m_bAutoHideSetting = FALSE;
    bar.m_bCoordinateWithTaskbar = TRUE;
    bar.m_bKeepCDSoundOnExit = FALSE;
    bar.m_bKeepRadioSoundOnExit = TRUE;
    bar.m_bInsertIconWhenQuit = FALSE;
    bar.m_wfxRecord = { 2, 44100, 1, 16 };
    bar.SaveSettings();

    const char* pszKey = REGKEY_CONTROLLER;
    std::string strName = "TympUnitTests.exe";
    EXPECT_VALUE(pszKey, "ControllerFileName", REG_SZ, std::vector<BYTE>(strName.c_str(), strName.c_str() + strName.size() + 1));
    EXPECT_VALUE(pszKey, "State", REG_BINARY, Bytes({ 2 }));
    EXPECT_VALUE(pszKey, "FloatLeft", REG_BINARY, Bytes({ -10 }));
    EXPECT_VALUE(pszKey, "FloatTop", REG_BINARY, Bytes({ 20 }));
    EXPECT_VALUE(pszKey, "FloatRight", REG_BINARY, Bytes({ 398 }));
    EXPECT_VALUE(pszKey, "FloatBottom", REG_BINARY, Bytes({ 65 }));
    EXPECT_VALUE(pszKey, "AlwaysOnTop", REG_BINARY, Bytes({ 1 }));
    EXPECT_VALUE(pszKey, "AutoHide", REG_BINARY, Bytes({ 0 }));
    EXPECT_VALUE(pszKey, "CoordinateStateWithTaskbar", REG_BINARY, Bytes({ 1 }));
    EXPECT_VALUE(pszKey, "KeepCDSoundOnExit", REG_BINARY, Bytes({ 0 }));
    EXPECT_VALUE(pszKey, "KeepRadioSoundOnExit", REG_BINARY, Bytes({ 1 }));
    EXPECT_VALUE(pszKey, "InsertIconToTaskbarWhenQuit", REG_BINARY, Bytes({ 0 }));
    EXPECT_VALUE(REGKEY_WAVEPLAYER, "nChannels", REG_DWORD, Bytes({ 2 }));
    EXPECT_VALUE(REGKEY_WAVEPLAYER, "nSamplesPerSec", REG_DWORD, Bytes({ 44100 }));
    EXPECT_VALUE(REGKEY_WAVEPLAYER, "wBitsPerSample", REG_DWORD, Bytes({ 16 }));
    EXPECT_VALUE(REGKEY_WAVEPLAYER, "wFormatTag", REG_DWORD, Bytes({ 1 }));
    EXPECT_FALSE(ReadValue(pszKey, "ModuleSequence").bPresent) << "the layout is saved apart";
    EXPECT_FALSE(ReadValue(pszKey, "CDPlayerFileName").bPresent) << "file names are never written";

    CControllerDlg reread(nullptr, TRUE);
    reread.LoadSettings();
    EXPECT_EQ(ABE_RIGHT, reread.m_nSavedEdge);
    EXPECT_EQ(-10, reread.m_rcFloat.left);
    EXPECT_EQ(44100u, reread.m_wfxRecord.nSamplesPerSec);
    EXPECT_EQ(16, reread.m_wfxRecord.wBitsPerSample);
    EXPECT_FALSE(reread.m_bInsertIconWhenQuit);
}

TEST_F(SettingsStore, ModuleLayoutKeepsWhatIsNotRunning)
{
    FakeDevices devices(0, 1);
    SetControllerBinary("ModuleSequence", Bytes({ 3, 3, 1, 2, 0x5A5A5A5A }).data(), 20);
    std::vector<BYTE> positions = Bytes({ 1, 2, 10, 20, 30, 40, 50, 60 });
    SetControllerBinary("ModulePosition", positions.data(), 32);

    BarPtr pBar = StartBar();
    pBar->DestroyWindow();      // the layout is saved from the members alone
    pBar->SaveModuleLayout();
    // Nothing attached: the count is 0 and every entry stays, the reserved word included.
    EXPECT_VALUE(REGKEY_CONTROLLER, "ModuleSequence", REG_BINARY, Bytes({ 0, 3, 1, 2, 0x5A5A5A5A }));
    EXPECT_VALUE(REGKEY_CONTROLLER, "ModulePosition", REG_BINARY, positions);
}

TEST_F(SettingsStore, ModuleLayoutRecordsTheRunningModulesInTheirOrder)
{
    FakeDevices devices(0, 1);
    HWND hMidi = CreateModuleWindow("Tymp Studio MidiPlayer", 150);
    HWND hCD = CreateModuleWindow("Tymp Studio CDPlayer", 400);
    {
        BarPtr pBar = StartBar();
        pBar->SetDockState(ABE_TOP);
        SetWindowPos(hMidi, nullptr, 111, 222, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(hCD, SW_MINIMIZE);
        pBar->m_modules[MODULE_CDPLAYER].nOrder = 7;    // announced more than once: ignored
        pBar->SaveModuleLayout();
        RegValue seq = ReadValue(REGKEY_CONTROLLER, "ModuleSequence");
        ASSERT_EQ(20u, seq.data.size());
        EXPECT_EQ(2, *(int*)&seq.data[0]);
        EXPECT_EQ(MODULE_MIDIPLAYER, *(int*)&seq.data[4]);
        RegValue pos = ReadValue(REGKEY_CONTROLLER, "ModulePosition");
        ASSERT_EQ(32u, pos.data.size());
        EXPECT_EQ(111, *(int*)&pos.data[3 * 8]);
        EXPECT_EQ(222, *(int*)&pos.data[3 * 8 + 4]);
        EXPECT_FALSE(IsIconic(hCD)) << "a minimised module is restored to be measured";
    }
    DestroyWindow(hMidi);
    DestroyWindow(hCD);
}

TEST_F(SettingsStore, AKeyWithOnlyStateChangesOnlyTheEdge)
{
    SetControllerInt("State", ABE_LEFT);
    CControllerDlg fresh(nullptr, TRUE), bar(nullptr, TRUE);
    bar.LoadSettings();
    EXPECT_EQ(ABE_LEFT, bar.m_nSavedEdge);
    EXPECT_TRUE(EqualRect(&fresh.m_rcFloat, &bar.m_rcFloat));
    EXPECT_FALSE(bar.m_bAlwaysOnTopSetting);
    EXPECT_TRUE(bar.m_bInsertIconWhenQuit);
    EXPECT_FALSE(bar.m_bModulePositionSaved) << "the key exists, the value does not";
    EXPECT_EQ(11025u, bar.m_wfxRecord.nSamplesPerSec);
}

TEST_F(SettingsStore, AReloadDiscardsEditsOfStoredValuesOnly)
{
    SetControllerInt("AlwaysOnTop", 0);
    CControllerDlg bar(nullptr, TRUE);
    bar.LoadSettings();
    bar.m_bAlwaysOnTopSetting = TRUE;   // stored: the reload restores it
    bar.m_bAutoHideSetting = TRUE;      // never stored: the edit stays
    bar.m_wfxRecord.nChannels = 2;
    bar.LoadSettings();
    EXPECT_FALSE(bar.m_bAlwaysOnTopSetting);
    EXPECT_TRUE(bar.m_bAutoHideSetting);
    EXPECT_EQ(2u, bar.m_wfxRecord.nChannels);
}

TEST_F(SettingsStore, SixteenBitFormatValuesKeepTheirLowHalf)
{
    DWORD dwBits = 0x00120010, dwTag = 0xFFFF0006;
    SetWavePlayerValue("wBitsPerSample", REG_DWORD, &dwBits, 4);
    SetWavePlayerValue("wFormatTag", REG_DWORD, &dwTag, 4);
    BYTE abLong[8] = { 2 };
    SetWavePlayerValue("nChannels", REG_BINARY, abLong, 8);     // too large: missing
    CControllerDlg bar(nullptr, TRUE);
    bar.LoadSettings();
    EXPECT_EQ(16, bar.m_wfxRecord.wBitsPerSample);
    EXPECT_EQ(6, bar.m_wfxRecord.wFormatTag);
    EXPECT_EQ(1u, bar.m_wfxRecord.nChannels);
}

TEST_F(SettingsStore, ModuleFileNamesAreTakenRelativeToTheProgram)
{
    CControllerDlg bar(nullptr, TRUE);
    SetControllerBinary("CDPlayerFileName", "", 1, REG_SZ);
    SetControllerBinary("WaveEditorFileName", "C:\\Suite\\edit.exe", 18, REG_SZ);
    bar.LoadSettings();
    std::string strCD(bar.m_strCDPlayerPath);
    EXPECT_EQ('\\', strCD.back()) << "an empty name gives the folder itself: " << strCD;
    std::string strEditor(bar.m_strWaveEditorPath);
    EXPECT_EQ(strCD + "C:\\Suite\\edit.exe", strEditor);
}

// Values of every type, size and content: loading never reads past a
// member, and a bar started on them runs and shows itself.
TEST_F(SettingsStore, GarbageOfAnyTypeAndSizeIsSafe)
{
    const char* apszController[] = { "ModuleSequence", "ModulePosition", "State", "FloatLeft", "FloatTop",
                                     "FloatRight", "FloatBottom", "AlwaysOnTop", "AutoHide",
                                     "CoordinateStateWithTaskbar", "KeepCDSoundOnExit", "KeepRadioSoundOnExit",
                                     "InsertIconToTaskbarWhenQuit", "CDPlayerFileName", "WavePlayerFileName",
                                     "MidiPlayerFileName", "WaveEditorFileName", "MidiTrackerFileName" };
    const char* apszWave[] = { "nChannels", "nSamplesPerSec", "wFormatTag", "wBitsPerSample" };
    const DWORD adwTypes[] = { REG_BINARY, REG_DWORD, REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_NONE, REG_QWORD };
    const DWORD acbSizes[] = { 0, 1, 2, 3, 4, 5, 8, 19, 20, 21, 31, 32, 33, 255, 256, 257, 1000, 70000 };
    std::mt19937 rng(20261207);
    std::vector<BYTE> ab(70000);

    CControllerDlg bar(nullptr, TRUE);
    for (int nRound = 0; nRound < 300; nRound++) {
        DeleteSuiteKeys();
        for (const char* pszName : apszController) {
            if (rng() % 3 == 0)
                continue;
            for (BYTE& b : ab)
                b = (BYTE)rng();
            SetControllerBinary(pszName, ab.data(), acbSizes[rng() % std::size(acbSizes)],
                                adwTypes[rng() % std::size(adwTypes)]);
        }
        for (const char* pszName : apszWave)
            SetWavePlayerValue(pszName, adwTypes[rng() % std::size(adwTypes)], ab.data(),
                               acbSizes[rng() % std::size(acbSizes)]);
        bar.LoadSettings();
        ASSERT_LT(bar.m_strCDPlayerPath.GetLength(), 512) << "round " << nRound;
    }

    for (int nStart = 0; nStart < 3; nStart++) {
        SCOPED_TRACE(nStart);
        FakeAppBarShell shell;
        BarPtr pBar = StartBar();
        EXPECT_TRUE(IsWindowVisible(pBar->m_hWnd));
        pBar->ExitController();
        bar.LoadSettings();     // what a save wrote reads back
        EXPECT_EQ(pBar->m_nSavedEdge, bar.m_nSavedEdge);
        for (const char* pszName : apszController) {
            if (rng() % 2)
                SetControllerBinary(pszName, ab.data(), acbSizes[rng() % std::size(acbSizes)],
                                    adwTypes[rng() % std::size(adwTypes)]);
        }
    }
}
