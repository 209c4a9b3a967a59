// Self-check of the test prefix's helpers: the fake CD audio driver, and a
// stand-in player speaking the module protocol with a window of this test.
#include <windows.h>
#include <mmsystem.h>
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "FakeCdAudio.h"

namespace {

constexpr LONG kAttach = 0, kDetach = 1, kMinimize = 2, kRestore = 3, kExit = -1;
constexpr char kPlayerTitle[] = "Tymp Studio WavePlayer";
constexpr char kPlayerExe[] = "TympWavePlayer.exe";

std::string BesideMe(const char* name)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n < MAX_PATH ? n : 0);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
}

bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if (cond())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}

void Pause(DWORD ms)
{
    WaitUntil([] { return false; }, ms);
}

MCIERROR OpenCdAudio(MCIDEVICEID* id)
{
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "cdaudio";
    MCIERROR err = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, (DWORD_PTR)&open);
    *id = open.wDeviceID;
    return err;
}

// The "CDAudio" entry of one MCI key, or "(none)".
std::string CdAudioValue(const char* keyName = "MCI32")
{
    const std::string key = std::string("Software\\Microsoft\\Windows NT\\CurrentVersion\\") + keyName;
    char buf[MAX_PATH * 2] = "";
    DWORD size = sizeof(buf) - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "CDAudio", RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return "(none)";
    return buf;
}

// A top-level window standing where the bar would, recording the module messages.
class FakeBar {
public:
    struct Received { WORD sender; LONG code; };

    FakeBar()
    {
        s_message = RegisterWindowMessageA("WM_TYMP_BY_KVB_1");
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FakeCdTestsBar";
        RegisterClassA(&wc);
        m_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "Stand-in test bar", WS_POPUP,
                                 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        s_received.clear();
    }
    ~FakeBar() { if (m_hwnd) DestroyWindow(m_hwnd); }
    FakeBar(const FakeBar&) = delete;
    FakeBar& operator=(const FakeBar&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    WORD Low() const { return LOWORD((UINT_PTR)m_hwnd); }
    void Post(HWND module, LONG code) const { PostMessageA(module, s_message, Low(), code); }
    static const std::vector<Received>& All() { return s_received; }
    static size_t Count(WORD sender, LONG code)
    {
        size_t n = 0;
        for (const Received& r : s_received)
            n += r.sender == sender && r.code == code;
        return n;
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == s_message && s_message) {
            s_received.push_back({LOWORD(wParam), (LONG)lParam});
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    HWND m_hwnd = nullptr;
    static UINT s_message;
    static std::vector<Received> s_received;
};

UINT FakeBar::s_message;
std::vector<FakeBar::Received> FakeBar::s_received;

// One started stand-in, logging to a fresh file; ended by the destructor if still running.
class StartedModule {
public:
    // logPath overrides the fresh log file; an empty one leaves the variable unset.
    StartedModule(const char* exe, const char* title, const char* logPath = nullptr)
    {
        char dir[MAX_PATH], file[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "tym", 0, file);
        m_log = file;
        const std::string given = logPath ? logPath : m_log;
        SetEnvironmentVariableA("TYMP_MODULE_LOG", given.empty() ? nullptr : given.c_str());

        m_cmdLine = "\"" + BesideMe(exe) + "\" /test";
        std::vector<char> cmd(m_cmdLine.begin(), m_cmdLine.end());
        cmd.push_back('\0');
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
            m_pi = {};
        SetEnvironmentVariableA("TYMP_MODULE_LOG", nullptr);
        if (!m_pi.hProcess)
            return;
        WaitForInputIdle(m_pi.hProcess, 5000);
        WaitUntil([&] { return (m_hwnd = FindOwnWindow(title)) != nullptr; }, 10000);
    }

    ~StartedModule()
    {
        if (m_pi.hProcess) {
            if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(m_pi.hProcess, 1);
            CloseHandle(m_pi.hProcess);
            CloseHandle(m_pi.hThread);
        }
        DeleteFileA(m_log.c_str());
    }
    StartedModule(const StartedModule&) = delete;
    StartedModule& operator=(const StartedModule&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    WORD Low() const { return LOWORD((UINT_PTR)m_hwnd); }
    const std::string& CommandLine() const { return m_cmdLine; }
    bool WaitExit(DWORD ms) const
    {
        return m_pi.hProcess && WaitUntil([&] { return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; }, ms);
    }

    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        HANDLE h = CreateFileA(m_log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return lines;
        std::string text;
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(h, buf, sizeof(buf), &got, nullptr) && got)
            text.append(buf, got);
        CloseHandle(h);
        size_t pos = 0, nl;
        while ((nl = text.find('\n', pos)) != std::string::npos) {
            lines.push_back(text.substr(pos, nl - pos));
            pos = nl + 1;
        }
        return lines;
    }

private:
    HWND FindOwnWindow(const char* title) const
    {
        for (HWND w = FindWindowA(nullptr, title); w; w = FindWindowExA(nullptr, w, nullptr, title)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == m_pi.dwProcessId && IsWindowVisible(w))
                return w;
        }
        return nullptr;
    }

    PROCESS_INFORMATION m_pi = {};
    HWND m_hwnd = nullptr;
    std::string m_log;
    std::string m_cmdLine;
};

std::string Line(const std::string& text)
{
    return std::string(kPlayerExe) + " " + text;
}

} // namespace

TEST(FakeCdAudio, OpensAsADriveWithoutDisc)
{
    const std::string before = CdAudioValue(), wineBefore = CdAudioValue("MCI");
    {
        CdAudioDriverInstalled driver;
        ASSERT_TRUE(driver.Installed());
        EXPECT_EQ(driver.DriverPath(), CdAudioValue());
        EXPECT_EQ(driver.DriverPath(), CdAudioValue("MCI"));

        MCIDEVICEID id = 0;
        ASSERT_EQ(0u, OpenCdAudio(&id));
        EXPECT_NE(0u, id);

        MCI_STATUS_PARMS status = {};
        status.dwItem = MCI_STATUS_MEDIA_PRESENT;
        EXPECT_EQ(0u, mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, (DWORD_PTR)&status));
        EXPECT_EQ(FALSE, (BOOL)status.dwReturn);
        EXPECT_EQ((MCIERROR)MCIERR_UNSUPPORTED_FUNCTION, mciSendCommandA(id, MCI_PLAY, MCI_WAIT, 0));

        EXPECT_EQ(0u, mciSendCommandA(id, MCI_CLOSE, MCI_WAIT, 0));
    }
    EXPECT_EQ(before, CdAudioValue());
    EXPECT_EQ(wineBefore, CdAudioValue("MCI"));
}

TEST(FakeCdAudio, WineDriverFailsAgainOnceRestored)
{
    { CdAudioDriverInstalled driver; }
    if (CdAudioValue() != "mcicda.dll")
        GTEST_SKIP() << "the prefix names another CD audio driver: " << CdAudioValue();
    MCIDEVICEID id = 0;
    EXPECT_EQ((MCIERROR)MCIERR_CANNOT_LOAD_DRIVER, OpenCdAudio(&id));
}

TEST(StandInPlayer, AnswersTheBarAndLogs)
{
    FakeBar bar;
    ASSERT_NE(nullptr, bar.Hwnd());
    StartedModule player(kPlayerExe, kPlayerTitle);
    ASSERT_NE(nullptr, player.Hwnd()) << "no window titled " << kPlayerTitle;

    // Its broadcast ATTACH reaches every top-level window, ours included.
    ASSERT_TRUE(WaitUntil([&] { return FakeBar::Count(player.Low(), kAttach) == 1; }, 5000));

    bar.Post(player.Hwnd(), kMinimize);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(player.Hwnd()) != FALSE; }, 5000));
    bar.Post(player.Hwnd(), kRestore);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(player.Hwnd()); }, 5000));
    Pause(300);
    EXPECT_EQ(1u, FakeBar::All().size()) << "a minimise or restore the bar asked for came back";

    bar.Post(player.Hwnd(), kExit);
    ASSERT_TRUE(player.WaitExit(10000));
    EXPECT_TRUE(WaitUntil([&] { return FakeBar::Count(player.Low(), kDetach) == 1; }, 2000));

    const std::string me = std::to_string(bar.Low());
    const std::vector<std::string> expected = {
        Line("start " + player.CommandLine()),
        Line("sent 0 broadcast"),
        Line("recv 2 " + me),
        Line("recv 3 " + me),
        Line("recv -1 " + me),
        Line("sent 1 " + me),
        Line("exit"),
    };
    EXPECT_EQ(expected, player.LogLines());
}

TEST(StandInPlayer, ReportsTheUsersMinimiseAndRestore)
{
    FakeBar bar;
    StartedModule player(kPlayerExe, kPlayerTitle);
    ASSERT_NE(nullptr, player.Hwnd());
    ASSERT_TRUE(WaitUntil([&] { return FakeBar::Count(player.Low(), kAttach) == 1; }, 5000));
    bar.Post(player.Hwnd(), kAttach);     // as the bar answers a module it knows
    const std::string me = std::to_string(bar.Low());
    ASSERT_TRUE(WaitUntil([&] { return player.LogLines().size() == 3; }, 5000));
    EXPECT_EQ(Line("recv 0 " + me), player.LogLines().back());

    ShowWindow(player.Hwnd(), SW_MINIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return FakeBar::Count(player.Low(), kMinimize) == 1; }, 5000));
    ShowWindow(player.Hwnd(), SW_RESTORE);
    EXPECT_TRUE(WaitUntil([&] { return FakeBar::Count(player.Low(), kRestore) == 1; }, 5000));

    // Nonsense from anyone is logged and otherwise ignored.
    PostMessageA(player.Hwnd(), RegisterWindowMessageA("WM_TYMP_BY_KVB_1"), 0xFFFF1234, 77);
    PostMessageA(player.Hwnd(), RegisterWindowMessageA("WM_TYMP_BY_KVB_1"), 0, 0x7FFFFFFF);
    Pause(300);

    PostMessageA(player.Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(player.WaitExit(10000));
    EXPECT_TRUE(WaitUntil([&] { return FakeBar::Count(player.Low(), kDetach) == 1; }, 2000));

    const std::vector<std::string> lines = player.LogLines();
    ASSERT_GE(lines.size(), 8u);
    const std::vector<std::string> tail(lines.begin() + 2, lines.end());
    const std::vector<std::string> expected = {
        Line("recv 0 " + me),
        Line("sent 2 " + me),
        Line("sent 3 " + me),
        Line("recv 77 4660"),
        Line("recv 2147483647 0"),
        Line("sent 1 " + me),
        Line("exit"),
    };
    EXPECT_EQ(expected, tail);
}

TEST(StandInPlayer, TakesNoOrdersFromAnotherModule)
{
    FakeBar bar;
    StartedModule cd("TympCDPlayer.exe", "Tymp Studio CDPlayer");
    ASSERT_NE(nullptr, cd.Hwnd());
    StartedModule wave(kPlayerExe, kPlayerTitle);
    ASSERT_NE(nullptr, wave.Hwnd());
    ASSERT_TRUE(WaitUntil([&] { return FakeBar::Count(wave.Low(), kAttach) == 1; }, 5000));
    const std::string heard = "TympCDPlayer.exe recv 0 " + std::to_string(wave.Low());
    ASSERT_TRUE(WaitUntil([&] { return cd.LogLines().size() == 3; }, 5000));
    EXPECT_EQ(heard, cd.LogLines().back());

    // Knowing no bar, the CD player tells everyone; the wave player stays as it is.
    ShowWindow(cd.Hwnd(), SW_MINIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return FakeBar::Count(cd.Low(), kMinimize) == 1; }, 5000));
    Pause(300);
    EXPECT_FALSE(IsIconic(wave.Hwnd()));
    EXPECT_EQ("TympCDPlayer.exe sent 2 broadcast", cd.LogLines().back());

    PostMessageA(cd.Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(cd.WaitExit(10000));
    EXPECT_TRUE(IsWindow(wave.Hwnd())) << "another module's DETACH closed the wave player";
    bar.Post(wave.Hwnd(), kExit);
    ASSERT_TRUE(wave.WaitExit(10000));
}

TEST(StandInPlayer, RunsWithoutAUsableLog)
{
    for (const char* log : {"", "Q:\\no\\such\\folder\\modules.log", "<>|*?"}) {
        FakeBar bar;
        StartedModule player(kPlayerExe, kPlayerTitle, log);
        ASSERT_NE(nullptr, player.Hwnd()) << "log: " << log;
        ASSERT_TRUE(WaitUntil([&] { return FakeBar::Count(player.Low(), kAttach) == 1; }, 5000));
        bar.Post(player.Hwnd(), kExit);
        EXPECT_TRUE(player.WaitExit(10000)) << "log: " << log;
        EXPECT_TRUE(player.LogLines().empty());
    }
}

TEST(StandInPlain, VolumeControlClosesFromItsSystemMenu)
{
    FakeBar bar;
    StartedModule volume("Sndvol32.exe", "Volume Control");
    ASSERT_NE(nullptr, volume.Hwnd());
    PostMessageA(volume.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(volume.WaitExit(10000));
    Pause(200);
    EXPECT_TRUE(FakeBar::All().empty()) << "a plain module spoke the protocol";
    const std::vector<std::string> expected = {
        "Sndvol32.exe start " + volume.CommandLine(),
        "Sndvol32.exe exit",
    };
    EXPECT_EQ(expected, volume.LogLines());
}
