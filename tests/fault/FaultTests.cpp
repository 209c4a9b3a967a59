// Faults and load from outside the bar: it is killed, started ten times at
// once, loses a player it did not start, and reads a registry filled with
// values far beyond what it writes itself. Each test is bounded in count and
// time and leaves no copy of the program running.
#include "tests/e2e/E2ESupport.h"
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr char kSuiteKey[] = "Software\\Marvik\\Tymp Studio\\Settings";
constexpr int kStarts = 10;

// Answers a plain message within the time a person would notice.
bool Answers(HWND hWnd)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

void WriteFloatingPlace(const RECT& rc)
{
    WriteIntSetting("State", kFloating);
    WriteIntSetting("FloatLeft", rc.left);
    WriteIntSetting("FloatTop", rc.top);
    WriteIntSetting("FloatRight", rc.right);
    WriteIntSetting("FloatBottom", rc.bottom);
}

// No player to start: the values under test are read, and nothing else runs.
void WriteSequence0()
{
    const int anSequence[5] = {};
    WriteSetting("ModuleSequence", REG_BINARY, anSequence, sizeof anSequence);
}

RECT SavedFloatingPlace()
{
    return RECT{ ReadSetting("FloatLeft").AsInt(), ReadSetting("FloatTop").AsInt(), ReadSetting("FloatRight").AsInt(),
                 ReadSetting("FloatBottom").AsInt() };
}

bool Terminate(DWORD pid)
{
    HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!h)
        return false;
    bool bEnded = TerminateProcess(h, 9) && WaitForSingleObject(h, 5000) == WAIT_OBJECT_0;
    CloseHandle(h);
    return bEnded;
}

class BarKilled : public ControllerTest {};

TEST_F(BarKilled, NextStartRunsNormallyWithTheSettingsLastSaved)
{
    // A clean exit saves a floating place away from the default.
    const RECT rcPlace = { 60, 420, 468, 465 };
    WriteFloatingPlace(rcPlace);
    {
        Controller first;
        HWND hBar = first.WaitForBar();
        ASSERT_NE(hBar, nullptr) << "first start: no bar; exit code " << first.ExitCode();
        ASSERT_TRUE(WaitUntil([&] { return BarReady(first); }, kStartTimeout));
        CloseBar(first, hBar);
    }
    ASSERT_EQ(ReadSetting("State").AsInt(), kFloating);
    ASSERT_EQ(SavedFloatingPlace(), rcPlace) << "saved " << SavedFloatingPlace();

    // Killed while it runs: nothing is saved and nothing is cleaned up.
    {
        Controller killed;
        HWND hBar = killed.WaitForBar();
        ASSERT_NE(hBar, nullptr) << "second start: no bar; exit code " << killed.ExitCode();
        ASSERT_TRUE(WaitUntil([&] { return BarReady(killed); }, kStartTimeout));
        ASSERT_TRUE(Terminate(killed.Pid())) << "error " << GetLastError();
        EXPECT_TRUE(WaitUntil([] { return ControllerPids().empty(); }, 5000))
            << ControllerPids().size() << " copies still run";
    }

    // The single-instance token went with the process: this start is a bar, not a hand-over.
    Controller next;
    HWND hBar = next.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar after the kill; running " << next.Running() << ", exit code 0x" << std::hex
                             << next.ExitCode();
    ASSERT_TRUE(WaitUntil([&] { return BarReady(next); }, kStartTimeout));
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == rcPlace; }, 3000))
        << "bar at " << WindowRect(hBar) << ", last saved " << rcPlace;
    EXPECT_EQ(BarOrientation(hBar), 0) << "not floating";
    EXPECT_TRUE(Answers(hBar));
    CloseBar(next, hBar);
    EXPECT_EQ(ReadSetting("State").AsInt(), kFloating);
    EXPECT_EQ(SavedFloatingPlace(), rcPlace) << "saved " << SavedFloatingPlace();
}

class TenStarts : public ControllerTest {};

TEST_F(TenStarts, ExactlyOneBarRunsAndTheOthersEndAndBringItForward)
{
    std::vector<std::unique_ptr<Controller>> starts;
    for (int i = 0; i < kStarts; i++) {
        starts.push_back(std::make_unique<Controller>());
        ASSERT_TRUE(starts.back()->Started()) << "start " << i << ": CreateProcess error " << starts.back()->StartError();
    }
    const auto t0 = std::chrono::steady_clock::now();
    auto running = [&] {
        int n = 0;
        for (auto& p : starts)
            n += p->Running();
        return n;
    };
    ASSERT_TRUE(WaitUntil([&] { return running() <= 1; }, 30000)) << running() << " of " << kStarts << " still run";
    const long long msToOne =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();

    Controller* pBar = nullptr;
    for (auto& p : starts) {
        if (p->Running())
            pBar = p.get();
        else
            EXPECT_EQ(p->ExitCode(), 0u) << "a second copy ended with 0x" << std::hex << p->ExitCode();
    }
    ASSERT_NE(pBar, nullptr) << "every copy ended; none runs the bar";
    ASSERT_TRUE(WaitUntil([&] { return BarReady(*pBar); }, kStartTimeout)) << "the one copy left shows no bar";
    EXPECT_LT(msToOne, 15000) << "the other copies took " << msToOne << " ms to end";

    std::vector<HWND> bars = VisibleBars();
    ASSERT_EQ(bars.size(), 1u) << bars.size() << " bars are shown";
    EXPECT_EQ(WindowText(bars[0]), kBarTitle);
    EXPECT_EQ(WindowPid(bars[0]), pBar->Pid());
    EXPECT_EQ(ControllerPids().size(), 1u);
    HWND hBar = bars[0];

    // Minimised, and started again: the new copy ends and brings the bar back.
    ShowWindow(hBar, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(hBar) != FALSE; }, 5000)) << "the bar did not minimise";
    Controller again;
    ASSERT_TRUE(again.WaitExit(kExitTimeout)) << "the extra copy still runs";
    EXPECT_EQ(again.ExitCode(), 0u) << std::hex << "exit code 0x" << again.ExitCode();
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(hBar) && IsWindowVisible(hBar); }, 5000))
        << "the bar stays minimised; iconic " << IsIconic(hBar);
    EXPECT_EQ(VisibleBars().size(), 1u);
    CloseBar(*pBar, hBar);
}

class PlayerKilled : public ModuleTest {};

// A player that started on its own and joined the bar, killed: the bar runs on
// with the player it started, and saves the layout of that one alone.
TEST_F(PlayerKilled, OneThatJoinedByItselfIsDroppedFromTheSavedLayout)
{
    WriteSequence(1, 2, 0, 0);   // the bar starts the wave player
    HWND hBar = StartBar("", true);
    ASSERT_NE(hBar, nullptr) << "bar not ready; running " << Bar().Running() << ", exit code " << Bar().ExitCode();
    HWND hWave = WaitForModule(kWavePlayerTitle);
    ASSERT_NE(hWave, nullptr) << m_pLog->Dump();

    // The CD player, started by the test, announces itself to the bar.
    PROCESS_INFORMATION pi = {};
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string strPath = ProgramDirectory() + kCDPlayerExe;
    std::vector<char> line(strPath.begin(), strPath.end());
    line.push_back('\0');
    ASSERT_TRUE(CreateProcessA(strPath.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << "error " << GetLastError();
    CloseHandle(pi.hThread);
    HWND hCD = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (hCD = FindWindowA(nullptr, kCDPlayerTitle)) != nullptr; }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return m_pLog->AttachSeen(kCDPlayerExe, hCD); }, 10000)) << m_pLog->Dump();
    Pause(300);     // the bar takes the ATTACH from its queue
    DeleteSettingValue("ModuleSequence");

    TerminateProcess(pi.hProcess, 9);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 5000), WAIT_OBJECT_0);
    CloseHandle(pi.hProcess);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hCD); }, 5000));

    // It goes on answering through what touches the players: the hit test and minimising.
    for (int i = 0; i < 20; i++) {
        RECT rc = WindowRect(hBar);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(hBar, WM_NCHITTEST, 0, MAKELPARAM(rc.left + 5, rc.top + 5), SMTO_ABORTIFHUNG, 5000,
                            &result);
    }
    EXPECT_TRUE(Answers(hBar)) << "the bar hangs after the player died";
    PostMessageA(hBar, WM_COMMAND, kMinimizeButton, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(hWave) != FALSE; }, 5000)) << m_pLog->Dump();
    PostMessageA(hBar, WM_COMMAND, kMinimizeButton, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(hWave) && !IsIconic(hBar); }, 5000)) << m_pLog->Dump();
    EXPECT_TRUE(Answers(hBar));
    EXPECT_TRUE(Bar().Running());

    CloseBar(Bar(), hBar);
    std::vector<int> saved = SavedSequence();
    ASSERT_EQ(saved.size(), 5u) << "ModuleSequence not saved as 20 bytes";
    EXPECT_EQ(saved[0], 1) << "saved " << Joined(saved) << "; only the wave player was alive";
    EXPECT_EQ(saved[1], 2) << "saved " << Joined(saved);
}

// Every player killed, one after the other: the bar is left with none and says so.
TEST_F(PlayerKilled, AllOfThemOneAfterTheOtherLeavesAnEmptyLayout)
{
    WriteSequence(2, 1, 2, 0);
    HWND hBar = StartBar("", true);
    ASSERT_NE(hBar, nullptr) << "bar not ready; running " << Bar().Running() << ", exit code " << Bar().ExitCode();
    HWND hCD = WaitForModule(kCDPlayerTitle), hWave = WaitForModule(kWavePlayerTitle);
    ASSERT_NE(hCD, nullptr) << "no CD player; the bar found no CD audio device?\n" << m_pLog->Dump();
    ASSERT_NE(hWave, nullptr) << m_pLog->Dump();
    DeleteSettingValue("ModuleSequence");

    for (HWND h : { hCD, hWave }) {
        ASSERT_TRUE(Terminate(WindowPid(h))) << "error " << GetLastError();
        EXPECT_TRUE(Answers(hBar)) << "the bar hangs after a player died";
    }
    RECT rc = WindowRect(hBar);
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(hBar, WM_NCHITTEST, 0, MAKELPARAM(rc.left + 5, rc.top + 5), SMTO_ABORTIFHUNG,
                                    5000, &result));
    CloseBar(Bar(), hBar);
    std::vector<int> saved = SavedSequence();
    ASSERT_EQ(saved.size(), 5u) << "ModuleSequence not saved as 20 bytes";
    EXPECT_EQ(saved[0], 0) << "saved " << Joined(saved) << "; no player was alive";
}

// ---- Registry values far beyond what the bar writes ----

struct Fuzz {
    const char* name;
    DWORD type;
    std::string data;
};

std::string Repeated(size_t n)
{
    std::string s;
    for (size_t i = 0; i < n; i++)
        s += (char)('a' + i % 26);
    return s;
}

std::string HighBytes()
{
    std::string s = "Tymp";
    for (int c = 0x80; c <= 0xFF; c++)
        s += (char)c;
    return s + ".exe";
}

std::string BinaryWithZeros()
{
    std::string s;
    for (int i = 0; i < 600; i++)
        s += (char)((i * 37) & 0xFF);   // zeros every 256 bytes, and every byte between
    return s;
}

class RegistryFuzz : public ControllerTest, public ::testing::WithParamInterface<Fuzz> {
protected:
    void SetUp() override
    {
        ControllerTest::SetUp();
        m_suite = ReadSuiteValue();
    }

    void TearDown() override
    {
        ControllerTest::TearDown();
        HKEY hKey;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kSuiteKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) !=
            ERROR_SUCCESS)
            return;
        if (m_suite.bExists)
            RegSetValueExA(hKey, "CompanyLocal", 0, m_suite.dwType, m_suite.data.data(), (DWORD)m_suite.data.size());
        else
            RegDeleteValueA(hKey, "CompanyLocal");
        RegCloseKey(hKey);
    }

    static RegValue ReadSuiteValue()
    {
        RegValue value;
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSuiteKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
            return value;
        DWORD cb = 0;
        if (RegQueryValueExA(hKey, "CompanyLocal", nullptr, &value.dwType, nullptr, &cb) == ERROR_SUCCESS) {
            value.data.resize(cb);
            value.bExists = RegQueryValueExA(hKey, "CompanyLocal", nullptr, &value.dwType, value.data.data(), &cb) ==
                            ERROR_SUCCESS;
            value.data.resize(cb);
        }
        RegCloseKey(hKey);
        return value;
    }

    static void WriteSuite(DWORD dwType, const std::string& data)
    {
        HKEY hKey;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSuiteKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey,
                                  nullptr), ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(hKey, "CompanyLocal", 0, dwType, (const BYTE*)data.data(), (DWORD)data.size()),
                  ERROR_SUCCESS);
        RegCloseKey(hKey);
    }

    // Starts the bar on whatever the key holds, and checks that it shows at
    // the saved place, closes normally and saves what it read.
    void StartShowAndExit()
    {
        const auto t0 = std::chrono::steady_clock::now();
        Controller bar;
        HWND hBar = bar.WaitForBar();
        ASSERT_NE(hBar, nullptr) << "no bar; running " << bar.Running() << ", exit code 0x" << std::hex
                                 << bar.ExitCode();
        ASSERT_TRUE(WaitUntil([&] { return BarReady(bar); }, kStartTimeout));
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == kPlace; }, 3000))
            << "bar at " << WindowRect(hBar) << ", stored " << kPlace;
        EXPECT_TRUE(Answers(hBar));
        CloseBar(bar, hBar);
        EXPECT_EQ(ReadSetting("State").AsInt(), kFloating);
        EXPECT_EQ(SavedFloatingPlace(), kPlace) << "saved " << SavedFloatingPlace();
        EXPECT_EQ(ReadSetting("InsertIconToTaskbarWhenQuit").AsInt(), 0);
        const long long ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
        RecordProperty("start_to_exit_ms", std::to_string(ms));
    }

    static constexpr RECT kPlace = { 120, 500, 528, 545 };
    RegValue m_suite;
};

constexpr RECT RegistryFuzz::kPlace;

const char* const kFileNameValues[] = { "CDPlayerFileName", "WavePlayerFileName", "MidiPlayerFileName",
                                        "WaveEditorFileName", "MidiTrackerFileName" };

TEST_P(RegistryFuzz, InFileNamesAndCompanyLocalBarStartsShowsExitsAndLeavesThemAsTheyWere)
{
    const Fuzz& fuzz = GetParam();
    WriteFloatingPlace(kPlace);
    WriteSequence0();
    for (const char* pszName : kFileNameValues)
        WriteSetting(pszName, fuzz.type, fuzz.data.data(), (DWORD)fuzz.data.size());
    WriteSuite(fuzz.type, fuzz.data);

    StartShowAndExit();

    // The bar reads these values and never writes them: they are as they were.
    for (const char* pszName : kFileNameValues) {
        RegValue v = ReadSetting(pszName);
        EXPECT_TRUE(v.bExists) << pszName;
        EXPECT_EQ(v.dwType, fuzz.type) << pszName;
        EXPECT_EQ(std::string(v.data.begin(), v.data.end()), fuzz.data) << pszName << ", " << v.data.size() << " bytes";
    }
    RegValue suite = ReadSuiteValue();
    EXPECT_EQ(std::string(suite.data.begin(), suite.data.end()), fuzz.data) << "CompanyLocal, " << suite.data.size()
                                                                            << " bytes";
}

INSTANTIATE_TEST_SUITE_P(Values, RegistryFuzz,
                         ::testing::Values(Fuzz{ "Text255", REG_SZ, Repeated(255) + '\0' },
                                           Fuzz{ "Text256", REG_SZ, Repeated(256) + '\0' },
                                           Fuzz{ "Text10000", REG_SZ, Repeated(10000) + '\0' },
                                           Fuzz{ "NonAsciiText", REG_SZ, HighBytes() + '\0' },
                                           Fuzz{ "BinaryWithZeros", REG_BINARY, BinaryWithZeros() }),
                         [](const ::testing::TestParamInfo<Fuzz>& info) { return std::string(info.param.name); });

class ManyValues : public RegistryFuzz {};

TEST_F(ManyValues, TenThousandExtraValuesBarStartsShowsExitsAndSavesWhatItRead)
{
    WriteFloatingPlace(kPlace);
    WriteSequence0();
    HKEY hKey;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &hKey), ERROR_SUCCESS);
    for (int i = 0; i < 10000; i++) {
        char szName[32];
        wsprintfA(szName, "Extra%05d", i);
        ASSERT_EQ(RegSetValueExA(hKey, szName, 0, REG_BINARY, (const BYTE*)&i, sizeof i), ERROR_SUCCESS) << szName;
    }
    RegCloseKey(hKey);

    StartShowAndExit();

    DWORD cValues = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &hKey), ERROR_SUCCESS);
    RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &cValues, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(hKey);
    EXPECT_GE(cValues, 10000u) << "values in the key after the exit";
    EXPECT_EQ(ReadSetting("Extra09999").AsInt(), 9999);
}

} // namespace
