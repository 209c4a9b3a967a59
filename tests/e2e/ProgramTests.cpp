// TympController.exe started as a user or another program starts it: the first start and its notification-icon
// copy, a start from a module, a second start, a busy CD drive, the unpacked ZIP, no mixer.
#include "tests/support/Controller.h"
#include "res/resource.h"

constexpr RECT FLOAT_DEFAULT = { 308, 216, 716, 261 }; // on a 1024 x 768 screen

class Program : public ControllerTest { };

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
    EXPECT_EQ(ReadValue(KEY_CONTROLLER, "State").AsInt(), DBE_FLOAT) << "floating is saved";
    // The copy started before the bar ended; a double-click on its icon starts a bar, which ends it.
    DWORD pidCopy = 0;
    for (const ProcessEntry& child : ChildProcesses(first.Pid()))
        if (child.exe == "TympController.exe")
            pidCopy = child.pid;
    const HANDLE hCopyProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pidCopy);
    ASSERT_NE(hCopyProcess, nullptr) << "the bar left no icon copy";
    ASSERT_TRUE(WaitUntil([&] { return !WindowsTitled(BAR_TITLE, pidCopy).empty(); }, START_TIMEOUT))
        << "the icon copy shows no window";
    const HWND hCopy = WindowsTitled(BAR_TITLE, pidCopy)[0];
    DWORD_PTR dwResult;
    EXPECT_TRUE(SendMessageTimeoutA(hCopy, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &dwResult))
        << "the copy has handled its start";
    EXPECT_EQ(WindowRect(hCopy), RECT {}) << "the copy's window has no size, so it shows nothing";
    EXPECT_TRUE(ShownBars().empty()) << "the copy, its start handled, shows no bar";
    PostMessageA(hCopy, WM_TRAYNOTIFY, IDI_TYMP, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([] { return ShownBars().size() == 1; }, START_TIMEOUT)) << "no bar from the icon";
    EXPECT_EQ(WaitForSingleObject(hCopyProcess, 10000), WAIT_OBJECT_0) << "the new bar ends the copy";
    CloseHandle(hCopyProcess);
}

TEST_F(Program, StartedFromAModuleItStartsNoneOfTheRememberedModules)
{
    WriteModuleSequence({ 1, MODULE_WAVEPLAYER });
    Controller bar(" StartFromModuleWithoutRunOther");
    // The remembered modules are started before the bar shows.
    ASSERT_NE(bar.WaitForBar(), nullptr) << "no bar; exit code " << bar.ExitCode();
    EXPECT_TRUE(ChildProcesses(bar.Pid()).empty()) << "a module started this bar, which starts no other";
    EndAllControllers();
    EndChildProcesses(bar.Pid(), 5000); // a module it started by mistake would be found by the next bar
}

static bool s_bMinimised;
static LRESULT CALLBACK NoteMinimised(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_SIZE && wParam == SIZE_MINIMIZED)
        s_bMinimised = true;
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}
// This process stands in for a first instance: it holds the single-instance token and a window.
TEST_F(Program, ASecondStartEndsAndShowsTheFirstInstancesWindow)
{
    const struct {
        const char* pszTitle;
        int nShow;
        bool bShownMinimised;
        const char* pszWhy;
    } cases[] = {
        { .pszTitle = "Tymp Studio Controller",
          .nShow = SW_HIDE,
          .bShownMinimised = true,
          .pszWhy = "a hidden \"Tymp Studio Controller\" window is shown minimised, then restored" },
        { .pszTitle = BAR_TITLE,
          .nShow = SW_SHOWMINIMIZED,
          .bShownMinimised = false,
          .pszWhy = "without one, the minimised bar is restored" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhy);
        const HANDLE hToken = CreateSemaphoreA(nullptr, 1, 1, "Tymp Studio Controller");
        const HWND hFirst = CreateWindowExA(0, "STATIC", c.pszTitle, WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                                            nullptr, nullptr, nullptr);
        SetWindowLongPtrA(hFirst, GWLP_WNDPROC, (LONG_PTR)NoteMinimised);
        ShowWindow(hFirst, c.nShow);
        s_bMinimised = false;
        Controller second;
        EXPECT_TRUE(second.WaitExit(START_TIMEOUT)) << "the second start never ended";
        EXPECT_EQ(second.ExitCode(), 0u) << "the second start ends quietly";
        EXPECT_TRUE(IsWindowVisible(hFirst)) << "the first instance's window is shown";
        EXPECT_EQ(s_bMinimised, c.bShownMinimised) << "shown minimised first only when it was hidden";
        EXPECT_FALSE(IsIconic(hFirst)) << "restored";
        DestroyWindow(hFirst);
        CloseHandle(hToken);
    }
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

// Each ZIP as a user unpacks it (CTest's Package step puts this build's in C:\TympZip-test and, where the other
// word size runs too, that one's in C:\TympZip-other): the bar starts beside its DLL, starts the player its
// settings name in StandIns, has its help page and ends with its player.
TEST_F(Program, EachUnpackedZipFindsItsDllStandInsAndHelp)
{
    std::vector<std::string> folders = { "C:\\TympZip-test" };
    if (getenv("TYMP_OTHER_ZIP"))
        folders.push_back("C:\\TympZip-other");
    for (const std::string& strFolder : folders) {
        SCOPED_TRACE(strFolder);
        ModuleLog log;
        WriteString(KEY_CONTROLLER, "WavePlayerFileName", "StandIns\\TympWavePlayer.exe");
        WriteInt(KEY_CONTROLLER, "InsertIconToTaskbarWhenQuit", 1);
        WriteModuleSequence({ 1, MODULE_WAVEPLAYER });
        // Started in its folder, as from Explorer, so that only the ZIP's PaneKit.dll is there to be found.
        char szWas[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, szWas);
        SetCurrentDirectoryA(strFolder.c_str());
        Controller bar(" AUTOCLOSE", (strFolder + "\\TympController.exe").c_str());
        SetCurrentDirectoryA(szWas);
        const HWND hBar = bar.WaitForBar();
        ASSERT_NE(hBar, nullptr) << "no bar; exit code " << bar.ExitCode();
        const std::string strHelp = strFolder + "\\Help\\TympStudio.htm";
        EXPECT_NE(GetFileAttributesA(strHelp.c_str()), INVALID_FILE_ATTRIBUTES) << "the help page is there";
        EXPECT_TRUE(bar.WaitExit(START_TIMEOUT)) << "the bar never closed itself";
        EXPECT_EQ(bar.ExitCode(), 0u) << "the bar ends quietly";
        EXPECT_TRUE(ControllerPids().empty()) << "started with AUTOCLOSE, the bar leaves no icon copy";
        EXPECT_TRUE(log.WaitForLine("TympWavePlayer.exe", "exit")) << log.Dump();
    }
}

// Run with TYMP_HOME naming a home where Wine finds no sound device.
TEST(NoMixer, TheProgramExplainsAndEndsWithoutABar)
{
    ASSERT_EQ(mixerGetNumDevs(), 0u) << "Wine reports a mixer";
    EndAllControllers();
    Controller bar(" AUTOCLOSE");
    WaitUntil([&] { return FindWindowA(nullptr, "Tymp Studio Controller") || !bar.Running(); }, START_TIMEOUT);
    const std::vector<HWND> boxes = WindowsTitled("Tymp Studio Controller", bar.Pid());
    ASSERT_EQ(boxes.size(), 1u) << "no message box; exit code " << bar.ExitCode();
    const HWND hBox = boxes[0];
    // The box's window comes before its text: the text is waited for.
    const char* pszText = "Tymp Studio can not find audio device in the system, "
                          "please check your system, and run Tymp Studio later.";
    EXPECT_TRUE(WaitUntil([&] { return FindWindowExA(hBox, nullptr, "Static", pszText) != nullptr; }))
        << "the box explains";
    EXPECT_TRUE(WindowsTitled(BAR_TITLE, bar.Pid()).empty()) << "neither a bar nor its progress window shows";
    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(bar.WaitExit()) << "OK ends the program";
    EXPECT_EQ(bar.ExitCode(), 0u) << "the bar ends quietly";
}
