// The bar's exit with players running, closed by the user, or killed: what
// each player is told, and the layout saved for the next start.
#include "E2ESupport.h"

using namespace e2e;

namespace {

class ModuleExit : public ModuleTest {
protected:
    // The CD player and the wave player, started by the bar in that order.
    void StartWithBothPlayers()
    {
        WriteSequence(2, 1, 2, 0);
        m_hBar = StartBar("", true);
        ASSERT_NE(m_hBar, nullptr) << "bar not ready; running " << Bar().Running() << ", exit code "
                                   << Bar().ExitCode();
        m_hCD = WaitForModule(kCDPlayerTitle);
        m_hWave = WaitForModule(kWavePlayerTitle);
        ASSERT_NE(m_hCD, nullptr) << "no CD player; the bar found no CD audio device?\n" << m_pLog->Dump();
        ASSERT_NE(m_hWave, nullptr) << m_pLog->Dump();
        // Read at the start only: gone now, it shows what the exit wrote.
        DeleteSettingValue("ModuleSequence");
    }

    // The layout the exit saved: the count and that many slots.
    static std::vector<int> SavedModules()
    {
        std::vector<int> sequence = SavedSequence();
        if (sequence.size() != 5u)
            return { -99 };     // missing or of the wrong size
        std::vector<int> modules{ sequence[0] };
        for (int k = 0; k < sequence[0] && k < 3; k++)
            modules.push_back(sequence[1 + k]);
        return modules;
    }

    HWND m_hBar = nullptr;
    HWND m_hCD = nullptr;
    HWND m_hWave = nullptr;
};

class ModuleKilled : public ModuleExit {
protected:
    // The bar starts the wave player, then the CD player; then the wave player dies.
    void StartBothAndKillWavePlayer()
    {
        WriteSequence(2, 2, 1, 0);
        m_hBar = StartBar("", true);
        ASSERT_NE(m_hBar, nullptr) << "bar not ready; running " << Bar().Running() << ", exit code "
                                   << Bar().ExitCode();
        m_hWave = WaitForModule(kWavePlayerTitle);
        m_hCD = WaitForModule(kCDPlayerTitle);
        ASSERT_NE(m_hWave, nullptr) << m_pLog->Dump();
        ASSERT_NE(m_hCD, nullptr) << m_pLog->Dump();
        DeleteSettingValue("ModuleSequence");
        KillWavePlayer();
    }

    // Kills the wave player, the first to attach, as a crash or a task manager would.
    void KillWavePlayer()
    {
        const DWORD pid = WindowPid(m_hWave);
        HANDLE hProcess = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        ASSERT_NE(hProcess, nullptr) << "error " << GetLastError();
        EXPECT_TRUE(TerminateProcess(hProcess, 9));
        EXPECT_EQ(WaitForSingleObject(hProcess, 5000), WAIT_OBJECT_0);
        CloseHandle(hProcess);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(m_hWave); }, 5000)) << "the window outlived its process";
    }

    void ExpectBarAnswers()
    {
        DWORD_PTR result = 0;
        EXPECT_NE(SendMessageTimeoutA(m_hBar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0)
            << "the bar does not answer, error " << GetLastError();
        EXPECT_TRUE(Bar().Running()) << "exit code " << Bar().ExitCode();
    }
};

} // namespace

TEST_F(ModuleExit, WithAllRunningEachPlayerIsOnlyToldToExit)
{
    StartWithBothPlayers();
    if (HasFatalFailure())
        return;
    HeldWindowThread heldCD(m_hCD);
    ASSERT_TRUE(heldCD.Held()) << "error " << GetLastError();
    CloseBar(Bar(), m_hBar);
    EXPECT_TRUE(m_pLog->WaitForLine(kWavePlayerExe, "exit")) << m_pLog->Dump();
    heldCD.Release();
    EXPECT_TRUE(m_pLog->WaitForLine(kCDPlayerExe, "exit")) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kCDPlayerExe, m_hBar), std::vector<int>{ kExit }) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kWavePlayerExe, m_hBar), std::vector<int>{ kExit }) << m_pLog->Dump();
    EXPECT_EQ(SavedModules(), (std::vector<int>{ 2, 1, 2 })) << Joined(SavedSequence());
}

TEST_F(ModuleExit, AnEmptiedSlotIsAnnouncedBeforeTheExit)
{
    StartWithBothPlayers();
    if (HasFatalFailure())
        return;
    // The user closes the CD player: it says it leaves, then ends.
    const DWORD cdPid = WindowPid(m_hCD);
    PostMessageA(m_hCD, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !ProcessRunning(cdPid); }, 10000)) << m_pLog->Dump();
    // Its DETACH is in the bar's queue by now, ahead of the close.
    CloseBar(Bar(), m_hBar);
    EXPECT_TRUE(m_pLog->WaitForLine(kWavePlayerExe, "exit")) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kWavePlayerExe, m_hBar), (std::vector<int>{ kDetach, kExit })) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kCDPlayerExe, m_hBar), std::vector<int>{}) << m_pLog->Dump();
    EXPECT_EQ(SavedModules(), (std::vector<int>{ 1, 2 })) << Joined(SavedSequence());
}

TEST_F(ModuleKilled, BarRunsOnAndSavesOnlyTheLivingModule)
{
    // Docked, the minimise button minimises the modules alone, not the bar.
    WriteIntSetting("State", 3);
    StartBothAndKillWavePlayer();
    if (HasFatalFailure())
        return;
    ExpectBarAnswers();
    // The bar still drives the player that is left.
    PostMessageA(m_hBar, WM_COMMAND, kMinimizeButton, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(m_hCD) != FALSE; }, 5000)) << m_pLog->Dump();
    PostMessageA(m_hBar, WM_COMMAND, kMinimizeButton, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(m_hCD) && !IsIconic(m_hBar); }, 5000)) << m_pLog->Dump();
    ExpectBarAnswers();

    CloseBar(Bar(), m_hBar);
    EXPECT_TRUE(m_pLog->WaitForLine(kCDPlayerExe, "exit")) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kCDPlayerExe, m_hBar), (std::vector<int>{ kMinimize, kRestore, kExit }))
        << m_pLog->Dump();
    EXPECT_EQ(SavedModules(), (std::vector<int>{ 1, 1 }))
        << "saved " << Joined(SavedSequence()) << "; only the CD player was alive";
}

TEST_F(ModuleKilled, ItsButtonStartsItAgainAndTheLayoutListsEachOnce)
{
    StartBothAndKillWavePlayer();
    if (HasFatalFailure())
        return;
    PostMessageA(m_hBar, WM_COMMAND, kWaveButton, 0);
    ASSERT_TRUE(WaitUntil([&] { return m_pLog->Starts(kWavePlayerExe) == 2; }, 10000)) << m_pLog->Dump();
    EXPECT_GE(m_pLog->IndexOf(kWavePlayerExe, "start " + ProgramDirectory() + kWavePlayerExe), 0)
        << m_pLog->Dump();
    HWND hNewWave = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (hNewWave = ChildWindowTitled(kWavePlayerTitle, Bar().Pid())) != nullptr; },
                          10000));
    // Its ATTACH goes out after its window shows.
    ASSERT_TRUE(WaitUntil([&] { return m_pLog->AttachSeen(kWavePlayerExe, hNewWave, 2); }, 5000))
        << m_pLog->Dump();
    ExpectBarAnswers();

    HeldWindowThread heldCD(m_hCD);
    ASSERT_TRUE(heldCD.Held()) << "error " << GetLastError();
    CloseBar(Bar(), m_hBar);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hNewWave); }, 10000)) << m_pLog->Dump();
    heldCD.Release();
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hNewWave) && !IsWindow(m_hCD); }, 10000)) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kWavePlayerExe, m_hBar), std::vector<int>{ kExit }) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kCDPlayerExe, m_hBar), std::vector<int>{ kExit }) << m_pLog->Dump();
    EXPECT_EQ(SavedModules(), (std::vector<int>{ 2, 1, 2 }))
        << "saved " << Joined(SavedSequence()) << "; the CD player attached before the new wave player";
}
