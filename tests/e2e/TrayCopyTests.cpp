// The notification-icon copy: it runs beside a bar, never blocks one, and a
// starting bar closes it.
#include "E2ESupport.h"

using namespace e2e;

namespace {

class TrayCopy : public ControllerTest {
protected:
    static constexpr const char* kTraySwitch = " AddIconToTaskbarWhenQuit";

    // The copy's window: titled like the bar, but without area or hidden.
    static HWND WaitForTrayWindow(DWORD pid, DWORD timeoutMs = 10000)
    {
        WaitUntil([pid] { return !WindowsTitled(kBarTitle, pid).empty() || !ProcessRunning(pid); }, timeoutMs);
        auto windows = WindowsTitled(kBarTitle, pid);
        return windows.empty() ? nullptr : windows.front();
    }

    static void ExpectUnseen(HWND hTray)
    {
        RECT rc = WindowRect(hTray);
        EXPECT_TRUE(!IsWindowVisible(hTray) || IsRectEmpty(&rc))
            << "the copy's window shows at " << rc;
    }
};

} // namespace

TEST_F(TrayCopy, RunsBesideARunningBarAndOutlivesIt)
{
    Controller bar;
    HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar shown; exit code " << bar.ExitCode();

    Controller tray(kTraySwitch);
    HWND hTray = WaitForTrayWindow(tray.Pid());
    ASSERT_NE(hTray, nullptr) << "no window from the copy; running " << tray.Running() << ", exit code "
                              << tray.ExitCode();
    ExpectUnseen(hTray);
    EXPECT_GE(WindowsTitled(kBarTitle).size(), 2u);
    EXPECT_TRUE(WindowsTitled(kControllerName, tray.Pid()).empty()) << "the copy asks the user something";
    Pause(1000);
    EXPECT_TRUE(tray.Running()) << "exit code " << tray.ExitCode();
    EXPECT_TRUE(bar.Running()) << "exit code " << bar.ExitCode();
    EXPECT_EQ(VisibleBars(), std::vector<HWND>{ hBar });

    CloseBar(bar, hBar);
    Pause(500);
    EXPECT_TRUE(tray.Running()) << "a bar that ends took the copy with it";
    PostMessageA(hTray, kCloseInstanceMessage, 0, 0);
    EXPECT_TRUE(tray.WaitExit(5000));
    EXPECT_EQ(tray.ExitCode(), 0u);
}

TEST_F(TrayCopy, DoesNotBlockABarAndIsClosedByIt)
{
    Controller tray(kTraySwitch);
    HWND hTray = WaitForTrayWindow(tray.Pid());
    ASSERT_NE(hTray, nullptr) << "no window from the copy; exit code " << tray.ExitCode();

    Controller bar;
    HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "the copy kept the bar from starting; exit code " << bar.ExitCode();
    EXPECT_TRUE(tray.WaitExit(5000)) << "the copy still runs beside the new bar";
    EXPECT_EQ(tray.ExitCode(), 0u);
    EXPECT_EQ(VisibleBars(), std::vector<HWND>{ hBar });
    CloseBar(bar, hBar);
}

TEST_F(TrayCopy, NormalExitLeavesACopyThatTheNextBarCloses)
{
    WriteIntSetting("InsertIconToTaskbarWhenQuit", 1);
    DWORD pidCopy = 0;
    {
        Controller bar;
        HWND hBar = bar.WaitForBar();
        ASSERT_NE(hBar, nullptr) << "no bar shown; exit code " << bar.ExitCode();
        const DWORD pidBar = bar.Pid();
        CloseBar(bar, hBar);
        auto findCopy = [&] {
            for (DWORD pid : ControllerPids())
                if (pid != pidBar && !WindowsTitled(kBarTitle, pid).empty())
                    pidCopy = pid;
            return pidCopy != 0;
        };
        ASSERT_TRUE(WaitUntil(findCopy, 10000)) << "no notification-icon copy after the bar ended";
    }
    ExpectUnseen(WindowsTitled(kBarTitle, pidCopy).front());
    HANDLE hCopy = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pidCopy);
    ASSERT_NE(hCopy, nullptr) << "error " << GetLastError();

    Controller next;
    HWND hNext = next.WaitForBar();
    EXPECT_NE(hNext, nullptr) << "no bar shown; exit code " << next.ExitCode();
    EXPECT_EQ(WaitForSingleObject(hCopy, 5000), WAIT_OBJECT_0) << "the copy still runs beside the new bar";
    DWORD dwCode = STILL_ACTIVE;
    GetExitCodeProcess(hCopy, &dwCode);
    EXPECT_EQ(dwCode, 0u);
    CloseHandle(hCopy);
}

TEST_F(TrayCopy, ADoubleClickOnTheIconStartsTheBarWhichEndsTheCopy)
{
    Controller tray(kTraySwitch);
    HWND hTray = WaitForTrayWindow(tray.Pid());
    ASSERT_NE(hTray, nullptr);
    const UINT WM_TRAYNOTIFY = WM_USER + 800;
    PostMessageA(hTray, WM_TRAYNOTIFY, 128, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(tray.WaitExit(kStartTimeout)) << "the new bar closes the copy";
    HWND hBar = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return !VisibleBars().empty(); }, kStartTimeout));
    if (!VisibleBars().empty())
        hBar = VisibleBars().front();
    ASSERT_NE(hBar, nullptr) << "no bar was started";
    DWORD pid = WindowPid(hBar);
    PostMessageA(hBar, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([pid] { return !ProcessRunning(pid); }, kExitTimeout));
}

TEST_F(TrayCopy, AnExitInStartModeOneOrTwoLeavesNoCopy)
{
    WriteIntSetting("InsertIconToTaskbarWhenQuit", 1);
    for (const char* pszArgs : { " AUTOCLOSE", " RUNMINIMIZE" }) {
        SCOPED_TRACE(pszArgs);
        Controller bar(pszArgs);
        ASSERT_TRUE(bar.WaitExit(kStartTimeout));
        EXPECT_EQ(0u, bar.ExitCode());
        Pause(1500);
        EXPECT_EQ(std::vector<DWORD>{}, ControllerPids()) << "no notification-icon copy";
    }
}
