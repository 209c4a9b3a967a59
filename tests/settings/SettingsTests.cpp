// The bar's settings in the registry: each value loaded into its member and saved from it, odd values, the layout.
#include "tests/support/BarFixture.h"
#include <mmreg.h>
#include <algorithm>

// The member that each value is loaded into and saved from, as the bar names them.
static std::map<std::string, int> Members(const CBarUnderTest& bar)
{
    return {
        { "State", bar.m_nSavedEdge },
        { "FloatLeft", bar.m_rcFloat.left },
        { "FloatTop", bar.m_rcFloat.top },
        { "FloatRight", bar.m_rcFloat.right },
        { "FloatBottom", bar.m_rcFloat.bottom },
        { "AlwaysOnTop", bar.m_bAlwaysOnTopSetting },
        { "AutoHide", bar.m_bAutoHideSetting },
        { "CoordinateStateWithTaskbar", bar.m_bCoordinateWithTaskbar },
        { "KeepCDSoundOnExit", bar.m_bKeepCDSoundOnExit },
        { "KeepRadioSoundOnExit", bar.m_bKeepRadioSoundOnExit },
        { "InsertIconToTaskbarWhenQuit", bar.m_bInsertIconWhenQuit },
        { "nChannels", (int)bar.m_wfxRecord.nChannels },
        { "nSamplesPerSec", (int)bar.m_wfxRecord.nSamplesPerSec },
        { "wFormatTag", bar.m_wfxRecord.wFormatTag },
        { "wBitsPerSample", bar.m_wfxRecord.wBitsPerSample },
    };
}

struct StoredValue {
    const char* pszName;
    std::vector<BYTE> ab; // 4, little-endian, a number no other value holds, so that a mix-up shows
    int nMember; // what the load makes of them
    int nDefault; // the member when the value is missing
};

// Every value a save writes: the controller key's as REG_BINARY, the recording format's as REG_DWORD. Missing,
// the bar floats 408 x 45 where it is centred across the 1024-pixel screen and its top where a 336-pixel-high
// window is centred, everything off but the two keep-sound options and the icon, and records mono 11025 Hz PCM 8 bits.
static const struct {
    const char* pszKey;
    DWORD dwType;
    std::vector<StoredValue> values;
} KEYS[] = {
    { .pszKey = KEY_CONTROLLER,
      .dwType = REG_BINARY,
      .values = {
          { .pszName = "State", .ab = { 3, 0, 0, 0 }, .nMember = ABE_BOTTOM, .nDefault = DBE_FLOAT },
          { .pszName = "FloatLeft", .ab = { 0xF6, 0xFF, 0xFF, 0xFF }, .nMember = -10, .nDefault = 308 },
          { .pszName = "FloatTop", .ab = { 20, 0, 0, 0 }, .nMember = 20, .nDefault = 216 },
          { .pszName = "FloatRight", .ab = { 0x8E, 1, 0, 0 }, .nMember = 398, .nDefault = 716 },
          { .pszName = "FloatBottom", .ab = { 65, 0, 0, 0 }, .nMember = 65, .nDefault = 261 },
          { .pszName = "AlwaysOnTop", .ab = { 2, 0, 0, 0 }, .nMember = 2, .nDefault = 0 },
          { .pszName = "AutoHide", .ab = { 3, 0, 0, 0 }, .nMember = 3, .nDefault = 0 },
          { .pszName = "CoordinateStateWithTaskbar", .ab = { 4, 0, 0, 0 }, .nMember = 4, .nDefault = 0 },
          { .pszName = "KeepCDSoundOnExit", .ab = { 0, 0, 0, 0 }, .nMember = 0, .nDefault = 1 },
          { .pszName = "KeepRadioSoundOnExit", .ab = { 5, 0, 0, 0 }, .nMember = 5, .nDefault = 1 },
          { .pszName = "InsertIconToTaskbarWhenQuit", .ab = { 6, 0, 0, 0 }, .nMember = 6, .nDefault = 1 },
      } },
    { .pszKey = KEY_WAVEPLAYER,
      .dwType = REG_DWORD,
      .values = {
          { .pszName = "nChannels", .ab = { 2, 0, 0, 0 }, .nMember = 2, .nDefault = 1 },
          { .pszName = "nSamplesPerSec", .ab = { 0x44, 0xAC, 0, 0 }, .nMember = 44100, .nDefault = 11025 },
          { .pszName = "wFormatTag", .ab = { 6, 0, 0, 0 }, .nMember = WAVE_FORMAT_ALAW, .nDefault = WAVE_FORMAT_PCM },
          { .pszName = "wBitsPerSample", .ab = { 16, 0, 0, 0 }, .nMember = 16, .nDefault = 8 },
      } },
};

class Settings : public ::testing::Test {
protected:
    Settings() { DeleteSuiteKeys(); }
    ~Settings() override { DeleteSuiteKeys(); }
    CBarUnderTest m_bar { nullptr, TRUE };
};

// Nothing stored, each member keeps its default; each value stored loads into its member and is saved from it.
TEST_F(Settings, EachValueLoadsIntoItsMemberAndIsSavedFromItByteForByte)
{
    m_bar.LoadSettings();
    for (const auto& key : KEYS)
        for (const StoredValue& value : key.values)
            EXPECT_EQ(value.nDefault, Members(m_bar).at(value.pszName)) << value.pszName << " with nothing stored";

    for (const auto& key : KEYS)
        for (const StoredValue& value : key.values)
            WriteValue(key.pszKey, value.pszName, key.dwType, value.ab.data(), (DWORD)value.ab.size());
    m_bar.LoadSettings();
    for (const auto& key : KEYS)
        for (const StoredValue& value : key.values)
            EXPECT_EQ(value.nMember, Members(m_bar).at(value.pszName)) << value.pszName << " loaded into its member";

    DeleteSuiteKeys();
    m_bar.SaveSettings();
    for (const auto& key : KEYS) {
        for (const StoredValue& value : key.values) {
            const RegValue saved = ReadValue(key.pszKey, value.pszName);
            EXPECT_EQ(key.dwType, saved.dwType) << value.pszName << " saved with its type";
            EXPECT_EQ(value.ab, saved.data) << value.pszName << " saved from its member";
        }
    }
}

// A value larger than its member counts as missing, a shorter one replaces its low bytes; the CD player's file
// name, found beside the program, holds at most 255 characters and their zero.
TEST_F(Settings, OddSizesLoadAsMuchAsFitsOrNothing)
{
    WriteValue(KEY_CONTROLLER, "FloatLeft", REG_BINARY, std::vector<BYTE> { 1, 0, 0, 0, 1 }.data(), 5);
    WriteValue(KEY_CONTROLLER, "State", REG_BINARY, std::vector<BYTE> { 0, 0 }.data(), 2);
    WriteValue(KEY_CONTROLLER, "CDPlayerFileName", REG_SZ, std::string(256, 'x').data(), 256);
    m_bar.LoadSettings();
    EXPECT_EQ(308, m_bar.m_rcFloat.left) << "FloatLeft of 5 bytes: as if missing";
    EXPECT_EQ((int)0xFFFF0000, m_bar.m_nSavedEdge) << "State of 2 bytes: the low half of -2 replaced";
    EXPECT_EQ(ProgramDirectory() + "TympCDPlayer.exe", (LPCSTR)m_bar.m_strCDPlayerPath)
        << "256 characters with no room for a zero: as if missing";
    WriteValue(KEY_CONTROLLER, "CDPlayerFileName", REG_SZ, (std::string(255, 'y') + '\0').data(), 256);
    m_bar.LoadSettings();
    EXPECT_EQ(ProgramDirectory() + std::string(255, 'y'), (LPCSTR)m_bar.m_strCDPlayerPath) << "255 and a zero fit";
}

// 4 bytes each, little-endian.
static std::vector<BYTE> Ints(const std::vector<int>& an)
{
    const BYTE* pb = reinterpret_cast<const BYTE*>(an.data());
    return std::vector<BYTE>(pb, pb + an.size() * 4);
}

TEST_F(Settings, TheLayoutListsTheRunningModulesInOrderAndKeepsWhatWasLoadedForTheRest)
{
    const std::vector<BYTE> sequence = Ints({ 3, MODULE_CDPLAYER, MODULE_MIDIPLAYER, MODULE_WAVEPLAYER, 0x5A5A5A5A });
    WriteValue(KEY_CONTROLLER, "ModuleSequence", REG_BINARY, sequence.data(), 20);
    WriteValue(KEY_CONTROLLER, "ModulePosition", REG_BINARY, Ints({ 1, 2, 3, 4, 5, 6, 7, 8 }).data(), 32);
    m_bar.LoadSettings();
    HWND hMidi = CreateModuleWindow("Tymp Studio MidiPlayer", 222);
    HWND hCD = CreateModuleWindow("Tymp Studio CDPlayer", 400);
    ShowWindow(hCD, SW_MINIMIZE);
    m_bar.m_modules[MODULE_CDPLAYER] = { .hWnd = hCD, .x = 0, .y = 0, .nOrder = 1 };
    m_bar.m_modules[MODULE_MIDIPLAYER] = { .hWnd = hMidi, .x = 0, .y = 0, .nOrder = 0 };
    m_bar.SaveModuleLayout();
    EXPECT_EQ(Ints({ 2, MODULE_MIDIPLAYER, MODULE_CDPLAYER, MODULE_WAVEPLAYER, 0x5A5A5A5A }),
              ReadValue(KEY_CONTROLLER, "ModuleSequence").data)
        << "the two running in their order; the third slot and the reserved word as loaded";
    EXPECT_EQ(Ints({ 1, 2, 600, 400, 5, 6, 600, 222 }), ReadValue(KEY_CONTROLLER, "ModulePosition").data)
        << "where each running module is, the minimised one restored; the others as loaded";
    DestroyWindow(hMidi);
    DestroyWindow(hCD);
}

// The program's import of RegSetValueExA, in its import address table: every call of the program goes through it.
#ifdef _WIN64
extern "C" decltype(&RegSetValueExA) g_pfnImportedRegSetValueExA __asm__("__imp_RegSetValueExA");
#else
extern "C" decltype(&RegSetValueExA) g_pfnImportedRegSetValueExA __asm__("__imp__RegSetValueExA@24");
#endif

namespace {

const auto s_pfnRegSetValueExA = g_pfnImportedRegSetValueExA; // the real one
std::vector<std::string> s_written; // value names, in the order the program wrote them

LONG WINAPI RecordRegSetValueExA(HKEY hKey, LPCSTR pszName, DWORD dwReserved, DWORD dwType, const BYTE* pb, DWORD cb)
{
    s_written.push_back(pszName);
    return s_pfnRegSetValueExA(hKey, pszName, dwReserved, dwType, pb, cb);
}

} // namespace

// The wave player may read its format as soon as a value changes: the program writes the values in one order.
TEST_F(Settings, TheRecordingFormatIsWrittenInItsOrder)
{
    g_pfnImportedRegSetValueExA = RecordRegSetValueExA;
    m_bar.SaveSettings();
    g_pfnImportedRegSetValueExA = s_pfnRegSetValueExA;
    const std::vector<std::string> order = { "nChannels", "nSamplesPerSec", "wBitsPerSample", "wFormatTag" };
    auto it = std::search(s_written.begin(), s_written.end(), order.begin(), order.end());
    EXPECT_NE(it, s_written.end()) << "nChannels, nSamplesPerSec, wBitsPerSample and wFormatTag, one after another";
}
