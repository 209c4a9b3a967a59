// The bar's settings in the registry: every value byte for byte, odd values, the module layout.
#include "tests/support/BarFixture.h"

static const char* KeyOf(const std::string& strName)
{
    return islower(strName[0]) ? KEY_WAVEPLAYER : strName == "CompanyLocal" ? KEY_SUITE : KEY_CONTROLLER;
}

static std::string Ints(std::initializer_list<int> an)
{
    return std::string(reinterpret_cast<const char*>(an.begin()), an.size() * 4);
}

static std::string Stored(const std::string& strName) // its type's number, then its bytes
{
    const RegValue v = ReadValue(KeyOf(strName), strName.c_str());
    return std::to_string(v.dwType) + std::string(v.data.begin(), v.data.end());
}

class Settings : public ::testing::Test {
protected:
    Settings() { DeleteSuiteKeys(); }
    ~Settings() override { DeleteSuiteKeys(); }
    // What a load left of a value: the member, or the bytes that the saves write from it.
    std::string Loaded(const std::string& strName)
    {
        if (strName == "CDPlayerFileName" || strName == "CompanyLocal")
            return (LPCSTR)(strName == "CompanyLocal" ? m_bar.m_strCompanyLocal : m_bar.m_strCDPlayerPath);
        const bool bMissing = strName == "ModulePosition" && !m_bar.m_bModulePositionSaved;
        m_bar.SaveModuleLayout();
        m_bar.SaveSettings();
        return (bMissing ? "(missing) " : "") + Stored(strName).substr(1);
    }
    CBarUnderTest m_bar { nullptr, TRUE };
};

TEST_F(Settings, SavesEveryValueByteForByteAndLoadsItBack)
{
    const char* apszNames[15] = { "State",
                                  "FloatLeft",
                                  "FloatTop",
                                  "FloatRight",
                                  "FloatBottom",
                                  "AlwaysOnTop",
                                  "AutoHide",
                                  "CoordinateStateWithTaskbar",
                                  "KeepCDSoundOnExit",
                                  "KeepRadioSoundOnExit",
                                  "InsertIconToTaskbarWhenQuit",
                                  "nChannels",
                                  "nSamplesPerSec",
                                  "wFormatTag",
                                  "wBitsPerSample" };
    const int cases[][15] = {
        { -2, 308, 216, 716, 261, 0, 0, 0, 1, 1, 1, 1, 11025, 1, 8 }, // nothing stored: the defaults
        { 2, -10, 20, 398, 65, 2, 3, 4, 0, 5, 6, 2, 44100, 6, 16 }, // taken as stored, unchecked
    };
    for (const auto& an : cases) {
        for (int i = 0; &an != &cases[0] && i < 15; i++)
            WriteValue(KeyOf(apszNames[i]), apszNames[i], i < 11 ? REG_BINARY : REG_DWORD, &an[i], 4);
        m_bar.LoadSettings();
        DeleteSuiteKeys();
        m_bar.SaveSettings();
        for (int i = 0; i < 15; i++)
            EXPECT_EQ((i < 11 ? "3" : "4") + Ints({ an[i] }), Stored(apszNames[i])) << apszNames[i] << " " << an[i];
    }
    EXPECT_EQ(std::string("1SettingsTests.exe", 19), Stored("ControllerFileName"));
}

// Each row is loaded over what the rows before it left; then two modules run.
TEST_F(Settings, OddValuesOfAnyTypeSizeAndContentAndTheModuleLayout)
{
    const std::string strDir = ProgramDirectory(), strX8 = std::string(8, 'x');
    const struct {
        const char* pszName;
        DWORD dwType;
        std::string strData, strLoaded;
    } cases[] = {
        { "State", REG_BINARY, Ints({ 1, 1 }), Ints({ -2 }) }, // larger than its member: as if missing
        { "State", REG_BINARY, "", Ints({ -2 }) }, // read in place: an empty value changes nothing,
        { "State", REG_BINARY, std::string(2, '\0'), Ints({ (int)0xFFFF0000 }) }, // a shorter one its low bytes
        { "nSamplesPerSec", REG_MULTI_SZ, std::string(70000, 'x'), Ints({ 11025 }) },
        { "nSamplesPerSec", REG_DWORD, "\x44", Ints({ 0x2B44 }) },
        { "wFormatTag", REG_DWORD, Ints({ 0x7FFF0006 }), Ints({ 6 }) }, // 16-bit members keep the low half
        { "ModulePosition", REG_BINARY, std::string(33, 'x'), "(missing) " + std::string(32, '\0') },
        { "ModulePosition", REG_NONE, std::string(32, 'x'), std::string(32, 'x') }, // the type is not checked
        { "ModuleSequence", REG_BINARY, Ints({ 3, 3, 1, 2, 0x5A5A5A5A }), Ints({ 0, 3, 1, 2, 0x5A5A5A5A }) },
        { "ModuleSequence", REG_BINARY, Ints({ 2, 1, 2, 3, 4, 5 }), Ints({ 0, 3, 1, 2, 0x5A5A5A5A }) },
        { "CDPlayerFileName", REG_BINARY, std::string(256, 'x'), strDir + "TympCDPlayer.exe" }, // no room for its end
        { "CDPlayerFileName", REG_SZ, std::string(255, 'y') + '\0', strDir + std::string(255, 'y') },
        { "CDPlayerFileName", REG_SZ, std::string(1, '\0'), strDir },
        { "CompanyLocal", REG_SZ, std::string("marvik", 7), "marvik" },
        { "CompanyLocal", REG_BINARY, std::string(256, 'v'), "MARVIK" },
    };
    for (const auto& c : cases) {
        WriteValue(KeyOf(c.pszName), c.pszName, c.dwType, c.strData.data(), (DWORD)c.strData.size());
        m_bar.LoadSettings();
        EXPECT_EQ(c.strLoaded, Loaded(c.pszName)) << c.pszName << " of " << c.strData.size() << " bytes";
    }
    HWND hMidi = CreateModuleWindow("Tymp Studio MidiPlayer", 222),
         hCD = CreateModuleWindow("Tymp Studio CDPlayer", 400);
    ShowWindow(hCD, SW_MINIMIZE); // measured after a restore
    m_bar.m_modules[MODULE_MIDIPLAYER] = { hMidi, 0, 0, 0 };
    m_bar.m_modules[MODULE_CDPLAYER] = { hCD, 0, 0, 1 };
    m_bar.SaveModuleLayout();
    EXPECT_EQ("3" + Ints({ 2, 3, 1, 2, 0x5A5A5A5A }), Stored("ModuleSequence"));
    EXPECT_EQ("3" + strX8 + Ints({ 600, 400 }) + strX8 + Ints({ 600, 222 }), Stored("ModulePosition"));
    for (HWND hWnd : { hMidi, hCD })
        DestroyWindow(hWnd);
}
