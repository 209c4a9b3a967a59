// The stand-in players driven by the real bar: started in the saved order at the bar's start, started again
// and removed by their buttons, told to leave, and started from damaged module settings.
#include "tests/support/Controller.h"
#include "res/resource.h"

constexpr char CD[] = "TympCDPlayer.exe";
constexpr char WAVE[] = "TympWavePlayer.exe";
constexpr char CD_TITLE[] = "Tymp Studio CDPlayer";
constexpr char WAVE_TITLE[] = "Tymp Studio WavePlayer";
const std::string STARTED_WITH_BAR = "start  StartupFromController"; // the command line of a player the bar restarts
const std::string ATTACHED = "sent " + std::to_string(MODMSG_ATTACH) + " broadcast";

class Players : public ModuleTest { };

TEST_F(Players, EachAttachesBeforeTheNextStartsAKilledOneStartsAgainAndTheRemovedOneIsToldToExit)
{
    HWND hBar = StartBar({ 2, MODULE_CDPLAYER, MODULE_WAVEPLAYER });
    HWND hWave = WaitForModule(WAVE_TITLE);
    ASSERT_NE(hWave, nullptr) << m_pLog->Dump();
    EXPECT_GE(m_pLog->IndexOf(CD, STARTED_WITH_BAR), 0) << "started with the switch alone\n" << m_pLog->Dump();
    const int nAttached = m_pLog->IndexOf(CD, ATTACHED);
    EXPECT_GE(nAttached, 0) << "the CD player attached";
    EXPECT_GT(m_pLog->IndexOf(WAVE, STARTED_WITH_BAR), nAttached) << "the wave player started after that";
    Terminate(WindowPid(hWave));
    PostMessageA(hBar, WM_COMMAND, ID_WAVEPLAYER_BUTTON, 0);
    ASSERT_TRUE(m_pLog->WaitForLine(WAVE, "start " + ProgramDirectory() + WAVE)) << m_pLog->Dump();
    HWND hNew = nullptr;
    auto attached = [&] {
        hNew = WaitForModule(WAVE_TITLE);
        return hNew != hWave && m_pLog->CodesFrom(CD, hNew) == std::vector<int> { MODMSG_ATTACH };
    };
    ASSERT_TRUE(WaitUntil(attached)) << "the CD player hears the new wave player";
    PostMessageA(hBar, WM_COMMAND, ID_CDPLAYER_BUTTON, 0);
    EXPECT_TRUE(m_pLog->WaitForLine(CD, "exit")) << "the button of a running player closes it\n" << m_pLog->Dump();
    EXPECT_EQ(m_pLog->Starts(CD), 1u) << "and starts no other";
    ASSERT_TRUE(m_pBar->Close(hBar));
    EXPECT_TRUE(m_pLog->WaitForLine(WAVE, "exit")) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(CD, hBar), std::vector<int> { MODMSG_EXIT }) << "its button's EXIT\n" << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(WAVE, hBar), (std::vector<int> { MODMSG_DETACH, MODMSG_EXIT })) << "the CD slot empty";
    EXPECT_EQ(SavedModuleSequence(), (std::vector<int> { 1, MODULE_WAVEPLAYER })) << "the new wave player once";
}

TEST_F(Players, DamagedModuleSettingsStartOnlyPlayersEachAtMostOnce)
{
    const struct {
        std::vector<int> sequence;
        size_t nCDStarts;
        size_t nWaveStarts;
        const char* pszWhy;
    } rows[] = {
        { .sequence = { -5, 1, 2, 3 }, .nCDStarts = 0, .nWaveStarts = 0, .pszWhy = "a negative count" },
        { .sequence = { 3, 0, 4, -1, 7 }, .nCDStarts = 0, .nWaveStarts = 0, .pszWhy = "no slot of a player" },
        { .sequence = { 3, 2, 2, 2 }, .nCDStarts = 0, .nWaveStarts = 1, .pszWhy = "the wave player thrice" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pszWhy);
        m_pLog.reset();
        m_pLog = std::make_unique<ModuleLog>();
        HWND hBar = StartBar(row.sequence);
        ASSERT_NE(hBar, nullptr) << "exit code " << m_pBar->ExitCode();
        EXPECT_EQ(m_pLog->Starts(CD), row.nCDStarts) << m_pLog->Dump();
        EXPECT_EQ(m_pLog->Starts(WAVE), row.nWaveStarts) << m_pLog->Dump();
        for (const ProcessEntry& child : ChildProcesses(m_pBar->Pid()))
            EXPECT_TRUE(child.exe == CD || child.exe == WAVE) << child.exe << " is no player";
        ASSERT_TRUE(m_pBar->Close(hBar));
        EndChildProcesses(m_pBar->Pid(), 5000);
    }
}
