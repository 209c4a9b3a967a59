// TympController.exe started as a user or another program starts it: placement by "State", one bar
// however often it is started, the start switches, the notification-icon copy, a busy CD drive, no mixer.
#include "tests/support/Controller.h"
#include "res/resource.h"
#include <climits>
#include <deque>

constexpr UINT WM_TRAYNOTIFY = WM_USER + 800; // the notification icon's callback
constexpr RECT FLOAT_DEFAULT = { 308, 216, 716, 261 }; // on a 1024 x 768 screen
constexpr int DBE_FLOAT = -2;
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
    // Read, never written: whatever the file names and the vendor hold stays.
    const std::string junk[] = { std::string(255, 'a'), std::string(256, 'b'), std::string(10000, 'c'),
                                 std::string(300, '\xE9') };
    const struct {
        DWORD dwType = REG_BINARY;
        std::vector<BYTE> state;
        RECT rcStored = {}; // empty: none stored
        RECT rcShown = {};
        int nOrientation = 0;
        int nSaved = 0;
        const char* pszWhy = "";
    } cases[] = {
        { .state = { 2, 0, 0, 0 },
          .rcShown = { 992, 0, 1024, 768 },
          .nOrientation = 2,
          .nSaved = ABE_RIGHT,
          .pszWhy = "docked right, a column down the screen" },
        { .dwType = REG_DWORD,
          .state = { 3, 0, 0, 0 },
          .rcShown = { 0, 736, 1024, 768 },
          .nOrientation = 1,
          .nSaved = ABE_BOTTOM,
          .pszWhy = "the type is not looked at" },
        { .state = { 1 },
          .rcShown = FLOAT_DEFAULT,
          .nSaved = (int)0xFFFFFF01,
          .pszWhy = "one byte is read over the -2 the bar starts from" },
        { .state = {}, .rcShown = FLOAT_DEFAULT, .nSaved = DBE_FLOAT, .pszWhy = "an empty value" },
        { .state = { 0xFE, 0xFF, 0xFF, 0xFF },
          .rcStored = { 100, 500, 508, 545 },
          .rcShown = { 100, 500, 508, 545 },
          .nSaved = DBE_FLOAT,
          .pszWhy = "floating where it was left" },
        { .state = { 0xFE, 0xFF, 0xFF, 0xFF },
          .rcStored = { INT_MIN, INT_MIN, INT_MAX, INT_MAX },
          .rcShown = { -32768, -32768, -32360, -32723 },
          .nSaved = DBE_FLOAT,
          .pszWhy = "Wine keeps positions in 16 bits, the stored rectangle stays" },
        { .state = { 0xFF, 0xFF, 0xFF, 0xFF },
          .rcShown = FLOAT_DEFAULT,
          .nSaved = DBE_FLOAT,
          .pszWhy = "no edge floats" },
        { .state = { 7, 0, 0, 0 },
          .rcShown = FLOAT_DEFAULT,
          .nSaved = 7,
          .pszWhy = "an unknown edge floats and is kept" },
        { .state = { 0, 0, 0, 0x80 },
          .rcShown = FLOAT_DEFAULT,
          .nSaved = INT_MIN,
          .pszWhy = "the lowest int floats and is kept" },
        { .state = std::vector<BYTE>(100, 3),
          .rcShown = FLOAT_DEFAULT,
          .nSaved = DBE_FLOAT,
          .pszWhy = "too long reads as missing" },
    };
    for (size_t i = 0; i < std::size(cases); i++) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.pszWhy);
        WriteValue(KEY_CONTROLLER, "State", c.dwType, c.state.data(), (DWORD)c.state.size());
        for (int n = 0; n < 4 && !IsRectEmpty(&c.rcStored); n++)
            WriteInt(KEY_CONTROLLER, FLOAT_NAMES[n], (&c.rcStored.left)[n]);
        WriteString(KEY_CONTROLLER, "WavePlayerFileName", junk[i % 4]);
        WriteString(KEY_SUITE, "CompanyLocal", junk[i % 4]);
        Controller bar;
        const HWND hBar = bar.WaitForBar();
        ASSERT_NE(hBar, nullptr) << "no bar; exit code " << bar.ExitCode();
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == c.rcShown; })) << "shown at " << WindowRect(hBar);
        EXPECT_EQ(GetWindowLongPtrA(hBar, GWLP_USERDATA), c.nOrientation << 16) << "orientation, not always on top";
        ASSERT_TRUE(bar.Close(hBar)) << "exit code " << bar.ExitCode();
        EXPECT_EQ(Saved("State"), c.nSaved) << "the edge saved at exit";
        const RECT rcSaved = IsRectEmpty(&c.rcStored) ? FLOAT_DEFAULT : c.rcStored;
        EXPECT_EQ(SavedFloat(), rcSaved) << "the floating rectangle saved at exit";
        EXPECT_EQ(ReadValue(KEY_CONTROLLER, "WavePlayerFileName").AsString(), junk[i % 4]) << "a path it never writes";
        EXPECT_EQ(ReadValue(KEY_SUITE, "CompanyLocal").AsString(), junk[i % 4]) << "the vendor it never writes";
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
    const struct {
        const char* pszArgs;
        size_t nStarted;
        const char* pszWhy;
    } cases[] = {
        { .pszArgs = "", .nStarted = 1, .pszWhy = "a plain start starts the remembered wave player" },
        { .pszArgs = " StartFromModuleWithoutRunOther", .nStarted = 0, .pszWhy = "a module started this bar" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhy);
        WriteValue(KEY_CONTROLLER, "ModuleSequence", REG_BINARY, std::vector<int> { 1, 2 }.data(), 8);
        Controller bar(c.pszArgs);
        // The remembered modules are started before the bar shows.
        ASSERT_NE(bar.WaitForBar(), nullptr) << "no bar; exit code " << bar.ExitCode();
        EXPECT_EQ(ChildProcesses(bar.Pid()).size(), c.nStarted) << "modules started";
        EndAllControllers();
        EndChildProcesses(bar.Pid(), 5000);
    }
}

TEST_F(Program, TenStartsMakeOneBarAndAKilledBarKeepsNoneFromStarting)
{
    std::deque<Controller> starts(10);
    auto running = [&] { return std::count_if(starts.begin(), starts.end(), std::mem_fn(&Controller::Running)); };
    ASSERT_TRUE(WaitUntil([&] { return running() <= 1; }, 60000)) << running() << " starts still run";
    const auto bar = std::find_if(starts.begin(), starts.end(), std::mem_fn(&Controller::Running));
    ASSERT_NE(bar, starts.end()) << "no start kept running as the bar";
    for (const Controller& start : starts)
        if (&start != &*bar) {
            EXPECT_EQ(start.ExitCode(), 0u) << "a second start ends quietly";
        }
    const HWND hBar = bar->WaitForBar();
    EXPECT_EQ(ShownBars(), std::vector<HWND> { hBar }) << "one bar";
    Terminate(bar->Pid());
    Controller next;
    EXPECT_NE(next.WaitForBar(), nullptr) << "running " << next.Running() << ", exit code " << next.ExitCode();
}

TEST_F(Program, ALaterStartBringsTheBarForwardAndRestoresItMinimised)
{
    Controller bar;
    const HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar; exit code " << bar.ExitCode();
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
}

static bool s_bMinimised;
static LRESULT CALLBACK NoteMinimised(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_SIZE && wParam == SIZE_MINIMIZED)
        s_bMinimised = true;
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

// This process stands in for a first instance: it holds the single-instance token and a hidden window
// titled like it, which a second start shows minimised and then restores.
TEST_F(Program, ASecondStartShowsAHiddenTympStudioControllerWindow)
{
    const HANDLE hToken = CreateSemaphoreA(nullptr, 1, 1, "Tymp Studio Controller");
    const HWND hFirst = CreateWindowExA(0, "STATIC", "Tymp Studio Controller", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                                        nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(hFirst, GWLP_WNDPROC, (LONG_PTR)NoteMinimised);
    s_bMinimised = false;
    Controller second;
    EXPECT_TRUE(WaitUntil([&] { return !second.Running(); }, START_TIMEOUT)) << "the second start never ended";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(ShownBars().empty()) << "a second start shows no bar";
    EXPECT_TRUE(IsWindowVisible(hFirst)) << "the hidden window is shown";
    EXPECT_TRUE(s_bMinimised) << "it is shown minimised first";
    EXPECT_FALSE(IsIconic(hFirst)) << "and then restored";
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
    bool bTitled = false; // a bar, or its progress window, ever seen
    auto box = [&] {
        if (!WindowsTitled(BAR_TITLE, bar.Pid()).empty())
            bTitled = true;
        for (HWND h : WindowsTitled("Tymp Studio Controller", bar.Pid()))
            if (IsWindowVisible(h))
                return h;
        return HWND {};
    };
    ASSERT_TRUE(WaitUntil([&] { return box() || !bar.Running(); }, START_TIMEOUT)) << "exit " << bar.ExitCode();
    const HWND hBox = box();
    ASSERT_NE(hBox, nullptr) << "no message box; exit code " << bar.ExitCode();
    EXPECT_NE(FindWindowExA(hBox, nullptr, "Static",
                            "Tymp Studio can not find audio device in the system, "
                            "please check your system, and run Tymp Studio later."),
              nullptr)
        << "the box explains";
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !box() && !bar.Running(); }, 10000)) << "OK ends the program";
    EXPECT_EQ(bar.ExitCode(), 0u);
    EXPECT_FALSE(bTitled) << "neither a bar nor its progress window showed";
    Controller copy(" AddIconToTaskbarWhenQuit");
    const HWND hCopy = CopyWindow(copy.Pid());
    ASSERT_NE(hCopy, nullptr) << "no icon copy; exit code " << copy.ExitCode();
    EXPECT_TRUE(WindowsTitled("Tymp Studio Controller", copy.Pid()).empty()) << "the copy looked for a device";
    SendMessageA(hCopy, WM_CLOSEINSTANCE, 0, 0);
    EXPECT_TRUE(copy.WaitExit()) << "told to end, the copy ends";
}
