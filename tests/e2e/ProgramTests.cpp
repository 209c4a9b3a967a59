// TympController.exe started as a user or another program starts it: placement by "State", one bar
// however often it is started, the start switches, the notification-icon copy, a system with no mixer.
#include "tests/support/Controller.h"
#include <climits>
#include <deque>

constexpr RECT FLOAT_DEFAULT = { 308, 216, 716, 261 }; // on a 1024 x 768 screen
const char* const FLOAT_NAMES[] = { "FloatLeft", "FloatTop", "FloatRight", "FloatBottom" };

// An int as the bar writes it, 4 bytes of REG_BINARY; anything else reads as -999.
static int Saved(const char* pszName)
{
    const RegValue v = ReadValue(KEY_CONTROLLER, pszName);
    return v.dwType == REG_BINARY && v.data.size() == 4 ? v.AsInt() : -999;
}

static RECT SavedFloat()
{
    return RECT { Saved("FloatLeft"), Saved("FloatTop"), Saved("FloatRight"), Saved("FloatBottom") };
}
// The icon copy's window: titled like the bar, never seen.
static HWND CopyWindow(DWORD pid)
{
    HWND hCopy = nullptr;
    WaitUntil(
        [&] { return (hCopy = WindowsTitled(BAR_TITLE, pid).empty() ? nullptr : WindowsTitled(BAR_TITLE, pid)[0]); },
        START_TIMEOUT);
    RECT rc = WindowRect(hCopy);
    EXPECT_TRUE(hCopy && (!IsWindowVisible(hCopy) || IsRectEmpty(&rc))) << "the copy shows at " << rc;
    return hCopy;
}

class Program : public ControllerTest { };

TEST_F(Program, StoredStatePlacesTheBarAndIsSavedBack)
{
    // Read, never written: whatever the file names and the vendor hold stays.
    const std::string junk[] = { std::string(255, 'a'), std::string(256, 'b'), std::string(10000, 'c'),
                                 std::string(300, '\xE9') };
    const struct {
        DWORD dwType;
        std::vector<BYTE> state;
        RECT rcStored, rcShown;
        int nOrientation, nSaved;
    } cases[] = {
        { REG_BINARY, { 2, 0, 0, 0 }, {}, { 992, 0, 1024, 768 }, 2, 2 },
        { REG_DWORD, { 3, 0, 0, 0 }, {}, { 0, 736, 1024, 768 }, 1, 3 },
        { REG_BINARY, { 1 }, {}, FLOAT_DEFAULT, 0, (int)0xFFFFFF01 }, // read over -2: its low byte only
        { REG_BINARY, {}, {}, FLOAT_DEFAULT, 0, -2 },
        { REG_BINARY, { 0xFE, 0xFF, 0xFF, 0xFF }, { 100, 500, 508, 545 }, { 100, 500, 508, 545 }, 0, -2 },
        { REG_BINARY,
          { 0xFE, 0xFF, 0xFF, 0xFF },
          { INT_MIN, INT_MIN, INT_MAX, INT_MAX },
          { -32768, -32768, -32360, -32723 },
          0,
          -2 }, // Wine keeps positions in 16 bits
        { REG_BINARY, { 0xFF, 0xFF, 0xFF, 0xFF }, {}, FLOAT_DEFAULT, 0, -2 },
        { REG_BINARY, { 7, 0, 0, 0 }, {}, FLOAT_DEFAULT, 0, 7 },
        { REG_BINARY, { 0, 0, 0, 0x80 }, {}, FLOAT_DEFAULT, 0, INT_MIN },
        { REG_BINARY, std::vector<BYTE>(100, 3), {}, FLOAT_DEFAULT, 0, -2 }, // too long: missing
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) {
        const auto& c = cases[i];
        SCOPED_TRACE("row " + std::to_string(i));
        WriteValue(KEY_CONTROLLER, "State", c.dwType, c.state.data(), (DWORD)c.state.size());
        for (int n = 0; n < 4; n++)
            IsRectEmpty(&c.rcStored) ? DeleteValue(KEY_CONTROLLER, FLOAT_NAMES[n])
                                     : WriteInt(KEY_CONTROLLER, FLOAT_NAMES[n], (&c.rcStored.left)[n]);
        WriteString(KEY_CONTROLLER, "WavePlayerFileName", junk[i % 4]);
        WriteString(KEY_SUITE, "CompanyLocal", junk[i % 4]);
        Controller bar;
        HWND hBar = bar.WaitForBar();
        ASSERT_NE(hBar, nullptr) << "no bar; exit code " << bar.ExitCode();
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == c.rcShown; })) << "at " << WindowRect(hBar);
        EXPECT_EQ(GetWindowLongPtrA(hBar, GWLP_USERDATA), c.nOrientation << 16) << "orientation, always on top";
        ASSERT_TRUE(bar.Close(hBar)) << "exit code " << bar.ExitCode();
        EXPECT_EQ(Saved("State"), c.nSaved);
        EXPECT_EQ(SavedFloat(), IsRectEmpty(&c.rcStored) ? FLOAT_DEFAULT : c.rcStored);
        EXPECT_EQ(ReadValue(KEY_CONTROLLER, "WavePlayerFileName").AsString() +
                      ReadValue(KEY_SUITE, "CompanyLocal").AsString(),
                  junk[i % 4] + junk[i % 4]);
    }
}

TEST_F(Program, FirstStartFloatsAndItsExitLeavesAnIconCopyWhoseDoubleClickStartsTheBar)
{
    DeleteSuiteKeys(); // as on a fresh system
    Controller first;
    HWND hBar = first.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar; exit code " << first.ExitCode();
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == FLOAT_DEFAULT; })) << "at " << WindowRect(hBar);
    EXPECT_EQ(GetWindowLongPtrA(hBar, GWLP_USERDATA) | (GetWindowLongA(hBar, GWL_STYLE) & WS_CAPTION), 0);
    ASSERT_TRUE(first.Close(hBar)) << "exit code " << first.ExitCode();
    EXPECT_TRUE(SavedFloat() == FLOAT_DEFAULT && Saved("State") == -2 && Saved("InsertIconToTaskbarWhenQuit") == 1);
    EXPECT_EQ(Saved("AlwaysOnTop") | Saved("AutoHide"), 0);
    EXPECT_EQ(ReadValue(KEY_CONTROLLER, "ControllerFileName").AsString(), "TympController.exe");
    // The copy started before the bar ended; a double-click on its icon starts a bar, which ends it.
    DWORD pidCopy = 0;
    for (const ProcessEntry& child : ChildProcesses(first.Pid()))
        pidCopy = child.exe == "TympController.exe" ? child.pid : pidCopy;
    HANDLE hCopy = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pidCopy);
    ASSERT_TRUE(hCopy && ShownBars().empty()) << "no icon copy";
    PostMessageA(CopyWindow(pidCopy), WM_USER + 800, 128, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([] { return ShownBars().size() == 1; }, START_TIMEOUT)) << "no bar from the icon";
    DWORD dwCode = STILL_ACTIVE;
    EXPECT_TRUE(WaitForSingleObject(hCopy, 10000) == WAIT_OBJECT_0 && GetExitCodeProcess(hCopy, &dwCode) && !dwCode);
    CloseHandle(hCopy);
    // A copy started by hand runs beside the bar until it is told to end.
    Controller copy(" AddIconToTaskbarWhenQuit");
    HWND hOwn = CopyWindow(copy.Pid());
    ASSERT_TRUE(Answered(hOwn) && copy.Running()) << "exit code " << copy.ExitCode();
    EXPECT_EQ(ShownBars().size(), 1u);
    SendMessageA(hOwn, WM_CLOSEINSTANCE, 0, 0);
    EXPECT_TRUE(copy.WaitExit() && copy.ExitCode() == 0);
}

TEST_F(Program, StartSwitchesEndTheBarByItselfAndLeaveNoCopy)
{
    WriteInt(KEY_CONTROLLER, "InsertIconToTaskbarWhenQuit", 1);
    for (const char* pszArgs : { " AUTOCLOSE", " RUNMINIMIZE" }) {
        DeleteValue(KEY_CONTROLLER, "State");
        Controller bar(pszArgs);
        // Settings are saved on the way out; a copy would have started before the end.
        EXPECT_TRUE(bar.WaitExit(START_TIMEOUT) && bar.ExitCode() == 0 && Saved("State") == -2 &&
                    ControllerPids().empty())
            << pszArgs << ": exit code " << bar.ExitCode() << ", State " << Saved("State") << ", "
            << ControllerPids().size();
    }
}

TEST_F(Program, TenStartsMakeOneBarThatLaterStartsBringForwardUntilItIsKilled)
{
    std::deque<Controller> starts(10);
    Controller* pBar = nullptr;
    auto running = [&] {
        return std::count_if(starts.begin(), starts.end(), [&](Controller& c) { return c.Running() && (pBar = &c); });
    };
    ASSERT_TRUE(WaitUntil([&] { return running() <= 1; }, 60000) && pBar) << running() << " still run";
    EXPECT_TRUE(
        std::all_of(starts.begin(), starts.end(), [&](Controller& c) { return &c == pBar || c.ExitCode() == 0; }));
    HWND hBar = pBar->WaitForBar();
    ASSERT_EQ(ShownBars(), std::vector<HWND> { hBar });
    // Another start, its switches ignored, brings the bar forward and ends; minimised, the bar is restored.
    HWND hThief =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(SetForegroundWindow(hThief) && WaitUntil([&] { return GetForegroundWindow() == hThief; }));
    Controller again(" AUTOCLOSE");
    EXPECT_TRUE(again.WaitExit() && again.ExitCode() == 0);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == hBar; })) << GetForegroundWindow();
    DestroyWindow(hThief);
    ShowWindow(hBar, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(hBar) != FALSE; }));
    Controller third;
    EXPECT_TRUE(third.WaitExit() && third.ExitCode() == 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(hBar); }));
    EXPECT_EQ(ShownBars(), std::vector<HWND> { hBar });
    // Killed, it leaves nothing that would keep the next start from being a bar.
    Terminate(pBar->Pid());
    Controller next;
    EXPECT_NE(next.WaitForBar(), nullptr) << "running " << next.Running() << ", exit code " << next.ExitCode();
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
    GetCurrentDirectoryA(MAX_PATH, szWas), SetCurrentDirectoryA("C:\\TympZip-test");
    Controller bar(" AUTOCLOSE", "C:\\TympZip-test\\TympController.exe");
    SetCurrentDirectoryA(szWas);
    HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar; exit code " << bar.ExitCode();
    auto page = OpenedPage([&] { PostMessageA(hBar, WM_COMMAND, 57670, 0); }); // its Help button
    EXPECT_TRUE(page.first.find("TympStudio.htm") != std::string::npos &&
                !lstrcmpiA(page.second.c_str(), "C:\\TympZip-test\\Help"))
        << page.first << " in " << page.second;
    EXPECT_TRUE(bar.WaitExit(START_TIMEOUT) && bar.ExitCode() == 0) << "exit code " << bar.ExitCode();
    EXPECT_TRUE(log.WaitForLine("TympWavePlayer.exe", "exit")) << log.Dump();
    auto left = [] {
        std::string str;
        for (const ProcessEntry& p : Processes())
            str += p.exe.find("Tymp") ? "" : p.exe + " ";
        return str;
    };
    EXPECT_TRUE(WaitUntil([&] { return left().empty(); }, 10000)) << left();
}

// Run with TYMP_HOME naming a home where Wine finds no sound device.
TEST(NoMixer, TheProgramExplainsAndEndsWithoutABarWhileTheIconCopyRunsAnyway)
{
    ASSERT_EQ(mixerGetNumDevs(), 0u) << "Wine reports a mixer";
    EndAllControllers();
    Controller bar(" AUTOCLOSE");
    HWND hBox = nullptr;
    bool bTitled = false; // a bar, or its progress window
    auto watch = [&] {
        bTitled |= !WindowsTitled(BAR_TITLE, bar.Pid()).empty();
        for (HWND h : WindowsTitled("Tymp Studio Controller", bar.Pid()))
            hBox = IsWindowVisible(h) ? h : hBox;
        return !bar.Running();
    };
    ASSERT_TRUE(WaitUntil([&] { return watch() || hBox; }, START_TIMEOUT) && hBox) << "exit code " << bar.ExitCode();
    EXPECT_NE(FindWindowExA(hBox, nullptr, "Static",
                            "Tymp Studio can not find audio device in the system, "
                            "please check your system, and run Tymp Studio later."),
              nullptr);
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil(watch, 10000) && bar.ExitCode() == 0 && !bTitled);
    Controller copy(" AddIconToTaskbarWhenQuit");
    HWND hCopy = CopyWindow(copy.Pid());
    EXPECT_TRUE(Answered(hCopy) && WindowsTitled("Tymp Studio Controller", copy.Pid()).empty())
        << "it looked for a device";
    SendMessageA(hCopy, WM_CLOSEINSTANCE, 0, 0);
    EXPECT_TRUE(copy.WaitExit());
}
