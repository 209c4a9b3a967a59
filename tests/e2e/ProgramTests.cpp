// TympController.exe started as a user or another program starts it: placement by "State", one bar
// however often it is started, the start switches, the notification-icon copy, a busy CD drive, no mixer.
#include "tests/support/Controller.h"
#include "res/resource.h"
#include <climits>
#include <deque>

constexpr RECT FLOAT_DEFAULT = { 308, 216, 716, 261 }; // on a 1024 x 768 screen
const char* const FLOAT_NAMES[] = { "FloatLeft", "FloatTop", "FloatRight", "FloatBottom" };

// An int as the bar writes it, 4 bytes of REG_BINARY; anything else reads as -999.
static int Saved(const char* pszName)
{
    const RegValue v = ReadValue(KEY_CONTROLLER, pszName);
    if (v.dwType != REG_BINARY || v.data.size() != 4)
        return -999;
    return v.AsInt();
}

static RECT SavedFloat()
{
    return RECT { Saved("FloatLeft"), Saved("FloatTop"), Saved("FloatRight"), Saved("FloatBottom") };
}

// The icon copy's window once the copy has handled its start: titled like the bar, with no size.
static HWND CopyWindow(DWORD pid)
{
    WaitUntil([&] { return !WindowsTitled(BAR_TITLE, pid).empty(); }, START_TIMEOUT);
    const std::vector<HWND> windows = WindowsTitled(BAR_TITLE, pid);
    if (windows.empty())
        return nullptr;
    EXPECT_TRUE(Answered(windows[0])) << "the copy handles messages";
    EXPECT_EQ(WindowRect(windows[0]), RECT {}) << "the copy's window has no size, so it shows nothing";
    return windows[0];
}

class Program : public ControllerTest { };

TEST_F(Program, StoredStatePlacesTheBarAndIsSavedBack)
{
    const struct {
        DWORD dwType = REG_BINARY;
        int nState = 0;
        RECT rcStored = {}; // empty: none stored
        RECT rcShown = {};
        int nOrientation = 0;
        int nSaved = 0;
        const char* pszWhy = "";
    } cases[] = {
        { .dwType = REG_DWORD,
          .nState = ABE_BOTTOM,
          .rcShown = { 0, 736, 1024, 768 },
          .nOrientation = 1,
          .nSaved = ABE_BOTTOM,
          .pszWhy = "the type is not looked at" },
        { .nState = DBE_FLOAT,
          .rcStored = { INT_MIN, INT_MIN, INT_MAX, INT_MAX },
          .rcShown = { -32768, -32768, -32360, -32723 },
          .nSaved = DBE_FLOAT,
          .pszWhy = "where it was left, as far as Wine's 16-bit positions go" },
        { .nState = -1, .rcShown = FLOAT_DEFAULT, .nSaved = DBE_FLOAT, .pszWhy = "no edge floats, and is saved so" },
        { .nState = 7, .rcShown = FLOAT_DEFAULT, .nSaved = 7, .pszWhy = "an unknown edge floats and is kept" },
    };
    const std::string strLong(300, '\xE9'); // longer than the bar reads
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhy);
        WriteValue(KEY_CONTROLLER, "State", c.dwType, &c.nState, 4);
        for (int n = 0; n < 4 && !IsRectEmpty(&c.rcStored); n++)
            WriteInt(KEY_CONTROLLER, FLOAT_NAMES[n], (&c.rcStored.left)[n]);
        WriteString(KEY_CONTROLLER, "WavePlayerFileName", strLong);
        WriteString(KEY_SUITE, "CompanyLocal", strLong);
        Controller bar;
        const HWND hBar = bar.WaitForBar();
        ASSERT_NE(hBar, nullptr) << "no bar; exit code " << bar.ExitCode();
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == c.rcShown; })) << "shown at " << WindowRect(hBar);
        EXPECT_EQ(GetWindowLongPtrA(hBar, GWLP_USERDATA), c.nOrientation << 16) << "orientation, not always on top";
        ASSERT_TRUE(bar.Close(hBar)) << "exit code " << bar.ExitCode();
        EXPECT_EQ(Saved("State"), c.nSaved) << "the edge saved at exit";
        const RECT rcSaved = IsRectEmpty(&c.rcStored) ? FLOAT_DEFAULT : c.rcStored;
        EXPECT_EQ(SavedFloat(), rcSaved) << "the floating rectangle saved at exit";
        EXPECT_EQ(ReadValue(KEY_CONTROLLER, "WavePlayerFileName").AsString(), strLong) << "read, never written";
        EXPECT_EQ(ReadValue(KEY_SUITE, "CompanyLocal").AsString(), strLong) << "read, never written";
        for (const char* pszName : FLOAT_NAMES)
            DeleteValue(KEY_CONTROLLER, pszName);
    }
}

TEST_F(Program, FirstStartFloatsAndItsExitLeavesAnIconCopyWhoseDoubleClickStartsTheBar)
{
    DeleteSuiteKeys(); // as on a fresh system
    Controller first;
    const HWND hBar = first.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar; exit code " << first.ExitCode();
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == FLOAT_DEFAULT; })) << "at " << WindowRect(hBar);
    EXPECT_EQ(GetWindowLongPtrA(hBar, GWLP_USERDATA), 0) << "floating, not always on top";
    EXPECT_EQ(GetWindowLongA(hBar, GWL_STYLE) & WS_CAPTION, 0) << "the caption is taken off";
    ASSERT_TRUE(first.Close(hBar)) << "exit code " << first.ExitCode();
    EXPECT_EQ(SavedFloat(), FLOAT_DEFAULT) << "the default floating rectangle is saved";
    EXPECT_EQ(Saved("State"), DBE_FLOAT) << "floating is saved";
    EXPECT_EQ(Saved("InsertIconToTaskbarWhenQuit"), 1) << "the icon copy is on by default";
    EXPECT_EQ(Saved("AlwaysOnTop"), 0) << "not always on top by default";
    EXPECT_EQ(Saved("AutoHide"), 0) << "no auto-hide by default";
    EXPECT_EQ(ReadValue(KEY_CONTROLLER, "ControllerFileName").AsString(), "TympController.exe");
    // The copy started before the bar ended; a double-click on its icon starts a bar, which ends it.
    DWORD pidCopy = 0;
    for (const ProcessEntry& child : ChildProcesses(first.Pid()))
        if (child.exe == "TympController.exe")
            pidCopy = child.pid;
    const HANDLE hCopyProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pidCopy);
    ASSERT_NE(hCopyProcess, nullptr) << "the bar left no icon copy";
    const HWND hCopy = CopyWindow(pidCopy);
    ASSERT_NE(hCopy, nullptr) << "the icon copy shows no window";
    EXPECT_TRUE(ShownBars().empty()) << "the copy, its start handled, shows no bar";
    PostMessageA(hCopy, WM_TRAYNOTIFY, IDI_TYMP, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([] { return ShownBars().size() == 1; }, START_TIMEOUT)) << "no bar from the icon";
    EXPECT_EQ(WaitForSingleObject(hCopyProcess, 10000), WAIT_OBJECT_0) << "the new bar ends the copy";
    DWORD dwCode = STILL_ACTIVE;
    GetExitCodeProcess(hCopyProcess, &dwCode);
    EXPECT_EQ(dwCode, 0u) << "the copy ends quietly";
    CloseHandle(hCopyProcess);
    // A copy started by hand runs beside the bar until it is told to end.
    Controller copy(" AddIconToTaskbarWhenQuit");
    const HWND hOwn = CopyWindow(copy.Pid());
    ASSERT_NE(hOwn, nullptr) << "exit code " << copy.ExitCode();
    EXPECT_EQ(ShownBars().size(), 1u) << "the copy neither ends the bar nor shows one";
    SendMessageA(hOwn, WM_CLOSEINSTANCE, 0, 0);
    EXPECT_TRUE(copy.WaitExit()) << "told to end, the copy ends";
    EXPECT_EQ(copy.ExitCode(), 0u);
}

TEST_F(Program, StartSwitchesEndTheBarByItselfAndLeaveNoCopy)
{
    WriteInt(KEY_CONTROLLER, "InsertIconToTaskbarWhenQuit", 1);
    for (const char* pszArgs : { " AUTOCLOSE", " RUNMINIMIZE" }) {
        SCOPED_TRACE(pszArgs);
        DeleteValue(KEY_CONTROLLER, "State");
        Controller bar(pszArgs);
        EXPECT_TRUE(bar.WaitExit(START_TIMEOUT)) << "the bar never ended by itself";
        EXPECT_EQ(bar.ExitCode(), 0u);
        EXPECT_EQ(Saved("State"), DBE_FLOAT) << "the settings are saved on the way out";
        EXPECT_TRUE(ControllerPids().empty()) << "an icon copy starts before the bar ends, and none must";
    }
}

TEST_F(Program, StartedFromAModuleItStartsNoneOfTheRememberedModules)
{
    WriteValue(KEY_CONTROLLER, "ModuleSequence", REG_BINARY, std::vector<int> { 1, 2 }.data(), 8); // the wave player
    Controller bar(" StartFromModuleWithoutRunOther");
    // The remembered modules are started before the bar shows.
    ASSERT_NE(bar.WaitForBar(), nullptr) << "no bar; exit code " << bar.ExitCode();
    EXPECT_TRUE(ChildProcesses(bar.Pid()).empty()) << "a module started this bar, which starts no other";
    EndAllControllers();
    EndChildProcesses(bar.Pid(), 5000); // a module it started by mistake would be found by the next bar
}

TEST_F(Program, TenStartsMakeOneBarThatLaterStartsBringForwardUntilItIsKilled)
{
    std::deque<Controller> starts(10);
    auto running = [&] { return std::count_if(starts.begin(), starts.end(), std::mem_fn(&Controller::Running)); };
    ASSERT_TRUE(WaitUntil([&] { return running() <= 1; }, 60000)) << running() << " starts still run";
    const auto bar = std::find_if(starts.begin(), starts.end(), std::mem_fn(&Controller::Running));
    ASSERT_NE(bar, starts.end()) << "no start kept running as the bar";
    auto quiet = [](const Controller& c) { return !c.Running() && c.ExitCode() == 0; };
    EXPECT_EQ(std::count_if(starts.begin(), starts.end(), quiet), 9) << "every other start ends quietly";
    const HWND hBar = bar->WaitForBar();
    EXPECT_EQ(ShownBars(), std::vector<HWND> { hBar }) << "one bar";
    // A later start, its switch ignored, brings the bar forward; minimised, the bar is restored.
    const HWND hThief =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(hThief);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == hThief; })) << "the test's window took no focus";
    Controller again(" AUTOCLOSE");
    EXPECT_TRUE(again.WaitExit()) << "a second start ends";
    EXPECT_EQ(again.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == hBar; })) << "foreground " << GetForegroundWindow();
    DestroyWindow(hThief);
    ShowWindow(hBar, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(hBar) != FALSE; })) << "the bar would not minimise";
    Controller third;
    EXPECT_TRUE(third.WaitExit()) << "a third start ends";
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(hBar); })) << "the minimised bar is restored";
    EXPECT_EQ(ShownBars(), std::vector<HWND> { hBar }) << "its switch ignored, the second start closed no bar";
    // Killed, it leaves nothing that would keep the next start from being a bar.
    Terminate(bar->Pid());
    Controller next;
    EXPECT_NE(next.WaitForBar(), nullptr) << "running " << next.Running() << ", exit code " << next.ExitCode();
}

static bool s_bMinimised;
static LRESULT CALLBACK NoteMinimised(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_SIZE && wParam == SIZE_MINIMIZED)
        s_bMinimised = true;
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}
// This process stands in for a first instance: it holds the single-instance token and a hidden window.
TEST_F(Program, ASecondStartShowsAHiddenTympStudioControllerWindow)
{
    const HANDLE hToken = CreateSemaphoreA(nullptr, 1, 1, "Tymp Studio Controller");
    const HWND hFirst = CreateWindowExA(0, "STATIC", "Tymp Studio Controller", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                                        nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(hFirst, GWLP_WNDPROC, (LONG_PTR)NoteMinimised);
    Controller second;
    EXPECT_TRUE(WaitUntil([&] { return !second.Running(); }, START_TIMEOUT)) << "the second start never ended";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(ShownBars().empty()) << "a second start shows no bar";
    EXPECT_TRUE(IsWindowVisible(hFirst)) << "the hidden window is shown";
    EXPECT_TRUE(s_bMinimised) << "shown minimised first";
    EXPECT_FALSE(IsIconic(hFirst)) << "then restored";
    DestroyWindow(hFirst);
    CloseHandle(hToken);
}

// Held open by a player, the drive answers a second open "device open": it is still a drive.
TEST_F(Program, ABusyCdDriveStillGivesTheCdPlayerButton)
{
    CdAudioDriverInstalled driver;
    ASSERT_TRUE(driver.Installed());
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "cdaudio";
    ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, (DWORD_PTR)&open), 0u) << "the drive opens";
    Controller bar;
    const HWND hBar = bar.WaitForBar();
    EXPECT_NE(hBar, nullptr) << "no bar; exit code " << bar.ExitCode();
    EXPECT_NE(GetDlgItem(hBar, ID_CDPLAYER_BUTTON), nullptr) << "the bar found no CD drive";
    mciSendCommandA(open.wDeviceID, MCI_CLOSE, MCI_WAIT, 0);
}

// The ZIP as a user unpacks it (CTest's Package step puts it in C:\TympZip-test): the bar starts beside its
// DLL, starts the player its settings name in StandIns, opens its help page and ends with nothing left.
TEST_F(Program, TheUnpackedZipFindsItsDllStandInsAndHelp)
{
    ModuleLog log;
    WriteString(KEY_CONTROLLER, "WavePlayerFileName", "StandIns\\TympWavePlayer.exe");
    WriteValue(KEY_CONTROLLER, "ModuleSequence", REG_BINARY, std::vector<int> { 1, 2 }.data(), 8);
    // Started in its folder, as from Explorer, so that only the ZIP's PaneKit.dll is there to be found.
    char szWas[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, szWas);
    SetCurrentDirectoryA("C:\\TympZip-test");
    Controller bar(" AUTOCLOSE", "C:\\TympZip-test\\TympController.exe");
    SetCurrentDirectoryA(szWas);
    const HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar; exit code " << bar.ExitCode();
    const auto page = OpenedPage([&] { PostMessageA(hBar, WM_COMMAND, ID_HELP, 0); });
    EXPECT_NE(page.first.find("TympStudio.htm"), std::string::npos) << "the help page opened: " << page.first;
    EXPECT_EQ(lstrcmpiA(page.second.c_str(), "C:\\TympZip-test\\Help"), 0) << "opened in " << page.second;
    EXPECT_TRUE(bar.WaitExit(START_TIMEOUT)) << "the bar never closed itself";
    EXPECT_EQ(bar.ExitCode(), 0u);
    EXPECT_TRUE(log.WaitForLine("TympWavePlayer.exe", "exit")) << log.Dump();
    auto left = [] {
        std::string str;
        for (const ProcessEntry& p : Processes())
            if (p.exe.find("Tymp") == 0)
                str += p.exe + " ";
        return str;
    };
    EXPECT_TRUE(WaitUntil([&] { return left().empty(); }, 10000)) << "still running: " << left();
}

// Run with TYMP_HOME naming a home where Wine finds no sound device.
TEST(NoMixer, TheProgramExplainsAndEndsWithoutABarWhileTheIconCopyRunsAnyway)
{
    ASSERT_EQ(mixerGetNumDevs(), 0u) << "Wine reports a mixer";
    EndAllControllers();
    Controller bar(" AUTOCLOSE");
    WaitUntil([&] { return FindWindowA(nullptr, "Tymp Studio Controller") || !bar.Running(); }, START_TIMEOUT);
    const std::vector<HWND> boxes = WindowsTitled("Tymp Studio Controller", bar.Pid());
    ASSERT_EQ(boxes.size(), 1u) << "no message box; exit code " << bar.ExitCode();
    const HWND hBox = boxes[0];
    EXPECT_NE(FindWindowExA(hBox, nullptr, "Static",
                            "Tymp Studio can not find audio device in the system, "
                            "please check your system, and run Tymp Studio later."),
              nullptr)
        << "the box explains";
    EXPECT_TRUE(WindowsTitled(BAR_TITLE, bar.Pid()).empty()) << "neither a bar nor its progress window shows";
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(bar.WaitExit()) << "OK ends the program";
    EXPECT_EQ(bar.ExitCode(), 0u);
    Controller copy(" AddIconToTaskbarWhenQuit");
    const HWND hCopy = CopyWindow(copy.Pid());
    ASSERT_NE(hCopy, nullptr) << "no icon copy; exit code " << copy.ExitCode();
    EXPECT_TRUE(WindowsTitled("Tymp Studio Controller", copy.Pid()).empty()) << "the copy looked for a device";
    SendMessageA(hCopy, WM_CLOSEINSTANCE, 0, 0);
    EXPECT_TRUE(copy.WaitExit()) << "told to end, the copy ends";
}
