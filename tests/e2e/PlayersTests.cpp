// The stand-in players driven by the real bar: started by a real click and in attach order at the
// bar's start, told to leave, killed, and started from damaged module settings.
#include "tests/support/Controller.h"
#include "tests/support/Mouse.h"
#include <climits>

constexpr char CD[] = "TympCDPlayer.exe", WAVE[] = "TympWavePlayer.exe";
constexpr char CD_TITLE[] = "Tymp Studio CDPlayer", WAVE_TITLE[] = "Tymp Studio WavePlayer";
const std::string AT_START = "start  StartupFromController";
enum { ATTACH, DETACH, MINIMIZE, RESTORE, EXIT = -1 };
enum { MINIMIZE_BUTTON = 104, VOLUME_BUTTON = 107, CD_BUTTON = 108, WAVE_BUTTON = 109 };

class Players : public ModuleTest { };

TEST_F(Players, RealClicksStartAndRemoveTheCDPlayerAndTheWavePlayerHearsOfTheEmptySlotAtExit)
{
    HWND hBar = StartBar({ 1, 2 }), hButton = GetDlgItem(hBar, CD_BUTTON);
    ASSERT_TRUE(hButton && WaitForModule(WAVE_TITLE)) << "no CD audio found?\n" << m_pLog->Dump();
    EXPECT_EQ(m_pLog->Starts(CD), 0u) << "not in the stored sequence";
    const POINT pt = Centre(hButton);
    ASSERT_TRUE(WindowFromPoint(pt) == hButton && Click(pt.x, pt.y));
    ASSERT_TRUE(m_pLog->WaitForLine(CD, "start " + ProgramDirectory() + CD)) << m_pLog->Dump();
    ASSERT_TRUE(WaitForModule(CD_TITLE) && m_pLog->WaitForLine(CD, "sent 0 broadcast"));
    ASSERT_TRUE(WaitUntil([&] { return WindowFromPoint(pt) == hButton; }) && Click(pt.x, pt.y));
    // Its DETACH is in the bar's queue before the close below.
    EXPECT_TRUE(m_pLog->WaitForLine(CD, "exit") && m_pLog->Starts(CD) == 1) << m_pLog->Dump();
    // The applet: started from the Windows folder, closed by the same button.
    PostMessageA(hBar, WM_COMMAND, VOLUME_BUTTON, 0);
    HWND hVolume = WaitForModule("Volume Control");
    EXPECT_GE(m_pLog->IndexOf("Sndvol32.exe", "start C:\\windows\\Sndvol32.exe"), 0) << m_pLog->Dump();
    PostMessageA(hBar, WM_COMMAND, VOLUME_BUTTON, 0);
    EXPECT_TRUE(hVolume && WaitUntil([&] { return !IsWindow(hVolume); }));
    ASSERT_TRUE(m_pBar->Close(hBar));
    EXPECT_TRUE(m_pLog->WaitForLine(WAVE, "exit"));
    EXPECT_EQ(m_pLog->CodesFrom(CD, hBar), std::vector<int> { EXIT }) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(WAVE, hBar), (std::vector<int> { DETACH, EXIT })) << m_pLog->Dump();
    EXPECT_EQ(SavedSequence(), (std::vector<int> { 1, 2 })) << "neither the removed player nor the applet counts";
    EXPECT_EQ(ReadValue(KEY_CONTROLLER, "ModulePosition").data.size(), 32u);
}

TEST_F(Players, AKilledPlayerIsDroppedAndTheFloatingBarDrivesTheOther)
{
    HWND hBar = StartBar({ 2, 2, 1 }), hWave = WaitForModule(WAVE_TITLE), hCD = WaitForModule(CD_TITLE);
    ASSERT_TRUE(hBar && hWave && hCD) << m_pLog->Dump();
    // Each is started with the switch alone and attaches before the next starts.
    const int nStart = m_pLog->IndexOf(WAVE, AT_START), nAttach = m_pLog->IndexOf(WAVE, "sent 0 broadcast");
    EXPECT_TRUE(0 <= nStart && nStart < nAttach && nAttach < m_pLog->IndexOf(CD, AT_START)) << m_pLog->Dump();
    Terminate(WindowPid(hWave));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(hWave); }) && Answered(hBar));
    PostMessageA(hBar, WM_COMMAND, MINIMIZE_BUTTON, 0); // floating, it minimises the bar and the modules
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(hCD) && IsIconic(hBar); })) << m_pLog->Dump();
    PostMessageA(hBar, WM_COMMAND, MINIMIZE_BUTTON, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(hCD) && !IsIconic(hBar); })) << m_pLog->Dump();
    ASSERT_TRUE(m_pBar->Close(hBar));
    EXPECT_TRUE(m_pLog->WaitForLine(CD, "exit"));
    EXPECT_EQ(m_pLog->CodesFrom(CD, hBar), (std::vector<int> { MINIMIZE, RESTORE, EXIT })) << m_pLog->Dump();
    EXPECT_EQ(SavedSequence(), (std::vector<int> { 1, 1 })) << "only the CD player was alive";
}

TEST_F(Players, AKilledPlayerStartedAgainByItsButtonIsListedOnce)
{
    HWND hBar = StartBar({ 2, 1, 2 }), hCD = WaitForModule(CD_TITLE), hWave = WaitForModule(WAVE_TITLE), hNew = nullptr;
    ASSERT_TRUE(hBar && hCD && hWave) << m_pLog->Dump();
    EXPECT_LT(m_pLog->IndexOf(CD, AT_START), m_pLog->IndexOf(WAVE, AT_START)) << m_pLog->Dump();
    Terminate(WindowPid(hWave));
    PostMessageA(hBar, WM_COMMAND, WAVE_BUTTON, 0);
    ASSERT_TRUE(m_pLog->WaitForLine(WAVE, "start " + ProgramDirectory() + WAVE)) << m_pLog->Dump();
    ASSERT_TRUE(WaitUntil([&] { return (hNew = WaitForModule(WAVE_TITLE)) != hWave; }));
    ASSERT_TRUE(WaitUntil([&] { return m_pLog->CodesFrom(CD, hNew) == std::vector<int> { ATTACH }; }));
    ASSERT_TRUE(m_pBar->Close(hBar));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hNew) && !IsWindow(hCD); })) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(CD, hBar), std::vector<int> { EXIT }) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(WAVE, hBar), std::vector<int> { EXIT }) << m_pLog->Dump();
    EXPECT_EQ(SavedSequence(), (std::vector<int> { 2, 1, 2 })) << "the CD player attached first";
}

TEST_F(Players, DamagedModuleSettingsStartOnlyPlayersEachAtMostOnce)
{
    std::vector<int> tooLong(25, 3); // its first 20 bytes would ask for the wave player alone
    tooLong[1] = tooLong[2] = tooLong[3] = 2;
    const int anExtremes[8] = { INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MIN, INT_MAX, INT_MAX };
    const struct {
        std::vector<int> sequence;
        std::function<void()> damage;
        size_t nCD, nWave;
    } cases[] = {
        { { 1000, 1, 2, 3 },
          [&] {
              WriteValue(KEY_CONTROLLER, "ModulePosition", REG_BINARY, anExtremes, sizeof anExtremes);
              WriteInt(KEY_CONTROLLER, "State", 1);
              WriteString(KEY_CONTROLLER, "CDPlayerFileName", std::string(300, 'x')); // too long: the default
              WriteInt(KEY_CONTROLLER, "WavePlayerFileName", 12345); // names no file
          },
          1,
          0 },
        { { -5, 1, 2, 3 }, [] {}, 0, 0 },
        { { 3, 0, 4, -1, 7 }, [] {}, 0, 0 },
        { { 3, 2, 2, 2 },
          [] { WriteString(KEY_CONTROLLER, "ModulePosition", "junk"), WriteInt(KEY_CONTROLLER, "State", 3); },
          0,
          1 },
        { tooLong, [] {}, 1, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.sequence));
        m_pLog.reset(), m_pLog = std::make_unique<ModuleLog>();
        c.damage();
        HWND hBar = StartBar(c.sequence);
        ASSERT_NE(hBar, nullptr) << "exit code " << m_pBar->ExitCode();
        EXPECT_TRUE(m_pLog->Starts(CD) == c.nCD && m_pLog->Starts(WAVE) == c.nWave) << m_pLog->Dump();
        for (const ProcessEntry& child : ChildProcesses(m_pBar->Pid()))
            EXPECT_TRUE(child.exe == CD || child.exe == WAVE) << child.exe;
        ASSERT_TRUE(m_pBar->Close(hBar));
        // Each player it started was told to exit; one it lost track of would stay.
        EXPECT_TRUE(WaitUntil([&] { return ChildProcesses(m_pBar->Pid()).empty(); }, 10000));
        EndChildProcesses(m_pBar->Pid(), 0);
        DeleteSuiteKeys(), WriteInt(KEY_CONTROLLER, "InsertIconToTaskbarWhenQuit", 0);
    }
}
