// Starting the players and the Volume Control: from their buttons, and again
// at the next start in the order they were attached.
#include "E2ESupport.h"

using namespace e2e;

namespace {

constexpr char kStartupSwitch[] = " StartupFromController";

std::string WindowsDirectory()
{
    char sz[MAX_PATH] = "";
    GetWindowsDirectoryA(sz, sizeof sz);
    return sz;
}

// Values the bar reads only at its start: gone now, they show what its exit wrote.
void ForgetSavedSettings()
{
    for (const char* pszName : { "ModuleSequence", "ModulePosition", "State", "ControllerFileName" })
        DeleteSettingValue(pszName);
}

class ModuleButtons : public ModuleTest {};
class ModuleRestart : public ModuleTest {};

} // namespace

TEST_F(ModuleButtons, CDPlayerComesWithOneClickAndGoesWithTheNext)
{
    WriteSequence(0, 1, 2, 3);
    HWND hBar = StartBar("", true);
    ASSERT_NE(hBar, nullptr) << "bar not ready; running " << Bar().Running() << ", exit code " << Bar().ExitCode();
    HWND hButton = GetDlgItem(hBar, kCDButton);
    ASSERT_NE(hButton, nullptr) << "no CD player button: the bar found no CD audio device";
    EXPECT_TRUE(m_pLog->Lines().empty()) << "started with a stored count of 0\n" << m_pLog->Dump();
    ForgetSavedSettings();

    const POINT pt = Centre(hButton);
    ASSERT_EQ(WindowFromPoint(pt), hButton) << "the button is covered at " << pt.x << "," << pt.y;
    ASSERT_TRUE(ClickAt(pt.x, pt.y)) << "the pointer did not reach " << pt.x << "," << pt.y;

    const std::string strPath = ProgramDirectory() + kCDPlayerExe;
    ASSERT_TRUE(m_pLog->WaitForLine(kCDPlayerExe, "start " + strPath))
        << "expected its path as the whole command line\n" << m_pLog->Dump();
    EXPECT_TRUE(m_pLog->WaitForLine(kCDPlayerExe, "sent 0 broadcast")) << m_pLog->Dump();
    HWND hPlayer = WaitForModule(kCDPlayerTitle);
    ASSERT_NE(hPlayer, nullptr) << "no CD player window from a child of the bar";

    // Attached, the player goes down and comes back with the bar.
    PostMessageA(hBar, WM_COMMAND, kMinimizeButton, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(hPlayer) != FALSE; }, 5000)) << "the player stayed up";
    PostMessageA(hBar, WM_COMMAND, kMinimizeButton, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(hPlayer) && !IsIconic(hBar); }, 5000))
        << "player iconic " << IsIconic(hPlayer) << ", bar iconic " << IsIconic(hBar);
    EXPECT_EQ(m_pLog->CodesFrom(kCDPlayerExe, hBar), (std::vector<int>{ kMinimize, kRestore }))
        << m_pLog->Dump();

    ASSERT_TRUE(WaitUntil([&] { return WindowFromPoint(pt) == hButton; }, 5000))
        << "the button is covered at " << pt.x << "," << pt.y << " by \"" << WindowText(WindowFromPoint(pt))
        << "\"";
    // A point beside the last, so that the pointer arriving shows xdotool ran.
    ASSERT_TRUE(ClickAt(pt.x + 1, pt.y)) << "the pointer did not reach the button again";
    EXPECT_TRUE(m_pLog->WaitForLine(kCDPlayerExe, "exit")) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kCDPlayerExe, hBar), (std::vector<int>{ kMinimize, kRestore, kExit }))
        << m_pLog->Dump();
    EXPECT_TRUE(m_pLog->IndexOf(kCDPlayerExe, "sent 1 " + LowWord(hBar)) >= 0)
        << "the player did not say it leaves\n" << m_pLog->Dump();
    EXPECT_TRUE(WaitUntil([&] { return ChildProcesses(Bar().Pid()).empty(); }, 5000))
        << ChildProcesses(Bar().Pid()).size() << " children of the bar still run";
    EXPECT_EQ(m_pLog->Starts(kCDPlayerExe), 1u) << m_pLog->Dump();

    CloseBar(Bar(), hBar);
    const std::vector<int> sequence = SavedSequence();
    ASSERT_EQ(sequence.size(), 5u) << "ModuleSequence missing or not 20 bytes";
    EXPECT_EQ(sequence[0], 0) << "the detached player still counts: " << Joined(sequence);
    EXPECT_EQ(ReadSetting("ModulePosition").data.size(), 32u) << "ModulePosition not written";
    EXPECT_INT_SETTING("State", kFloating);
    EXPECT_EQ(ReadSetting("ControllerFileName").AsString(), "TympController.exe");
}

TEST_F(ModuleButtons, VolumeControlOpensAndClosesFromItsButton)
{
    const std::string strPath = WindowsDirectory() + "\\" + kVolumeExe;
    ASSERT_NE(GetFileAttributesA(strPath.c_str()), INVALID_FILE_ATTRIBUTES)
        << "no stand-in Volume Control at " << strPath;
    WriteSequence(0, 1, 2, 3);
    HWND hBar = StartBar("", false);
    ASSERT_NE(hBar, nullptr) << "bar not ready; running " << Bar().Running() << ", exit code " << Bar().ExitCode();
    ASSERT_NE(GetDlgItem(hBar, kVolumeButton), nullptr) << "no Volume Control button";

    PostMessageA(hBar, WM_COMMAND, kVolumeButton, 0);
    HWND hVolume = WaitForModule(kVolumeTitle);
    ASSERT_NE(hVolume, nullptr) << "no Volume Control window\n" << m_pLog->Dump();
    EXPECT_GE(m_pLog->IndexOf(kVolumeExe, "start " + strPath), 0) << m_pLog->Dump();

    PostMessageA(hBar, WM_COMMAND, kVolumeButton, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hVolume); }, 10000)) << "the Volume Control stays open";
    EXPECT_TRUE(m_pLog->WaitForLine(kVolumeExe, "exit")) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->Starts(kVolumeExe), 1u) << m_pLog->Dump();

    // The applet is no player: it never joins the remembered modules.
    CloseBar(Bar(), hBar);
    const std::vector<int> sequence = SavedSequence();
    ASSERT_EQ(sequence.size(), 5u);
    EXPECT_EQ(sequence[0], 0) << Joined(sequence);
}

TEST_F(ModuleRestart, RemembersPlayersStartInTheirAttachOrder)
{
    WriteSequence(2, 2, 1, 0);
    HWND hBar = StartBar("", true);
    ASSERT_NE(hBar, nullptr) << "bar not ready; running " << Bar().Running() << ", exit code " << Bar().ExitCode();
    HWND hWave = WaitForModule(kWavePlayerTitle), hCD = WaitForModule(kCDPlayerTitle);
    ASSERT_NE(hWave, nullptr) << m_pLog->Dump();
    ASSERT_NE(hCD, nullptr) << m_pLog->Dump();

    // Each is started with the switch alone and attaches before the next starts.
    const int nWaveStart = m_pLog->IndexOf(kWavePlayerExe, std::string("start ") + kStartupSwitch);
    const int nWaveAttach = m_pLog->IndexOf(kWavePlayerExe, "sent 0 broadcast");
    const int nCDStart = m_pLog->IndexOf(kCDPlayerExe, std::string("start ") + kStartupSwitch);
    EXPECT_GE(nWaveStart, 0) << m_pLog->Dump();
    EXPECT_GT(nWaveAttach, nWaveStart) << m_pLog->Dump();
    EXPECT_GT(nCDStart, nWaveAttach) << m_pLog->Dump();
    EXPECT_TRUE(m_pLog->AttachSeen(kCDPlayerExe, hCD)) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->Starts(kWavePlayerExe), 1u);
    EXPECT_EQ(m_pLog->Starts(kCDPlayerExe), 1u);
    ForgetSavedSettings();

    HeldWindowThread heldCD(hCD);
    ASSERT_TRUE(heldCD.Held()) << "error " << GetLastError();
    CloseBar(Bar(), hBar);
    EXPECT_TRUE(m_pLog->WaitForLine(kWavePlayerExe, "exit")) << m_pLog->Dump();
    heldCD.Release();
    EXPECT_TRUE(m_pLog->WaitForLine(kCDPlayerExe, "exit")) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kWavePlayerExe, hBar), std::vector<int>{ kExit }) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kCDPlayerExe, hBar), std::vector<int>{ kExit }) << m_pLog->Dump();
    const std::vector<int> sequence = SavedSequence();
    ASSERT_EQ(sequence.size(), 5u) << "ModuleSequence missing or not 20 bytes";
    EXPECT_EQ(std::vector<int>(sequence.begin(), sequence.begin() + 3), (std::vector<int>{ 2, 2, 1 }))
        << Joined(sequence);
}

TEST_F(ModuleRestart, SavedOrderIsTheAttachOrderNotTheStoredOne)
{
    WriteSequence(1, 2, 0, 0);
    HWND hBar = StartBar("", true);
    ASSERT_NE(hBar, nullptr) << "bar not ready; running " << Bar().Running() << ", exit code " << Bar().ExitCode();
    HWND hWave = WaitForModule(kWavePlayerTitle);
    ASSERT_NE(hWave, nullptr) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->Starts(kCDPlayerExe), 0u) << "not in the stored sequence\n" << m_pLog->Dump();

    PostMessageA(hBar, WM_COMMAND, kCDButton, 0);
    ASSERT_TRUE(m_pLog->WaitForLine(kCDPlayerExe, "start " + ProgramDirectory() + kCDPlayerExe))
        << m_pLog->Dump();
    HWND hCD = WaitForModule(kCDPlayerTitle);
    ASSERT_NE(hCD, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return m_pLog->AttachSeen(kCDPlayerExe, hCD); }, 5000)) << m_pLog->Dump();
    ForgetSavedSettings();

    HeldWindowThread heldWave(hWave);
    ASSERT_TRUE(heldWave.Held()) << "error " << GetLastError();
    CloseBar(Bar(), hBar);
    EXPECT_TRUE(m_pLog->WaitForLine(kCDPlayerExe, "exit")) << m_pLog->Dump();
    heldWave.Release();
    EXPECT_TRUE(m_pLog->WaitForLine(kWavePlayerExe, "exit")) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kWavePlayerExe, hBar), std::vector<int>{ kExit }) << m_pLog->Dump();
    EXPECT_EQ(m_pLog->CodesFrom(kCDPlayerExe, hBar), std::vector<int>{ kExit }) << m_pLog->Dump();
    const std::vector<int> sequence = SavedSequence();
    ASSERT_EQ(sequence.size(), 5u) << "ModuleSequence missing or not 20 bytes";
    EXPECT_EQ(std::vector<int>(sequence.begin(), sequence.begin() + 3), (std::vector<int>{ 2, 2, 1 }))
        << Joined(sequence);
}

TEST_F(ModuleRestart, StartFromModuleSwitchStartsNoOtherModule)
{
    WriteSequence(2, 2, 1, 0);
    HWND hBar = StartBar(" StartFromModuleWithoutRunOther", true);
    ASSERT_NE(hBar, nullptr) << "bar not ready; running " << Bar().Running() << ", exit code " << Bar().ExitCode();
    ASSERT_NE(GetDlgItem(hBar, kCDButton), nullptr) << "no CD player button: the bar found no CD audio device";
    // The bar is ready, so any start would have come already; a little more for a slow one.
    EXPECT_FALSE(WaitUntil([&] { return !m_pLog->Lines().empty(); }, 1500)) << m_pLog->Dump();
    EXPECT_TRUE(ChildProcesses(Bar().Pid()).empty())
        << ChildProcesses(Bar().Pid()).front().exe << " was started";
    CloseBar(Bar(), hBar);
}
