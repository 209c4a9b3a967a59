// Helpers for driving the real TympController.exe from outside: starting it,
// watching its windows, ending it, and reading or seeding its registry key.
#ifndef TESTS_E2E_E2ESUPPORT_H
#define TESTS_E2E_E2ESUPPORT_H

#include <windows.h>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>
#include <gtest/gtest.h>

inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& os, const RECT& rc)
{
    return os << "(" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << ")";
}

namespace e2e {

constexpr char kBarTitle[] = "Tymp Studio 3.0";
constexpr char kControllerName[] = "Tymp Studio Controller";
constexpr char kSettingsKey[] = "Software\\Marvik\\Tymp Studio\\TympController\\Settings";
constexpr UINT kCloseInstanceMessage = WM_USER + 700;
constexpr int kFloating = -2;

// Generous: a bar start takes about 2 s, more on a cold Wine.
constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kExitTimeout = 15000;

// Full path of TympController.exe, which the build puts beside this program.
std::string ControllerPath();

// Polls cond, pumping this thread's messages, until it holds or timeoutMs passes.
bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs, DWORD stepMs = 50);
// Waits, pumping messages, for the whole time.
void Pause(DWORD ms);

// One started copy of TympController.exe. The destructor ends it if it still runs.
class Controller {
public:
    // args is appended to the quoted program path as it is, leading space included.
    explicit Controller(const std::string& args = "");
    ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    bool Started() const { return m_pi.hProcess != nullptr; }
    DWORD Pid() const { return m_pi.dwProcessId; }
    bool Running() const;
    bool WaitExit(DWORD timeoutMs);
    DWORD ExitCode() const;
    DWORD StartError() const { return m_dwStartError; }

    // The visible bar of this process, or null.
    HWND Bar() const;
    // Waits for the bar to show; null if the process ends first or time runs out.
    HWND WaitForBar(DWORD timeoutMs = kStartTimeout) const;

private:
    PROCESS_INFORMATION m_pi = {};
    DWORD m_dwStartError = 0;
};

std::string WindowText(HWND hWnd);
std::string ClassName(HWND hWnd);
DWORD WindowPid(HWND hWnd);
RECT WindowRect(HWND hWnd);
RECT ScreenRect();

// Top-level windows with exactly this title (shown or not); pid 0 means any process.
std::vector<HWND> WindowsTitled(const char* pszTitle, DWORD pid = 0);
// Shown bars of every process: windows titled like the bar, less the progress window.
std::vector<HWND> VisibleBars();
bool IsBarWindow(HWND hWnd);

// Process ids of every running TympController.exe.
std::vector<DWORD> ControllerPids();
bool ProcessRunning(DWORD pid);
// Ends every copy of the program: bars and notification-icon copies are asked
// first, so the shell forgets a docked bar's space; whatever remains is terminated.
void EndAllControllers();

// The bar's orientation as it publishes it (high word of its user data).
int BarOrientation(HWND hBar);
int BarAlwaysOnTopWord(HWND hBar);

// Registry of the controller, in this Wine prefix's HKCU.
struct RegValue {
    bool bExists = false;
    DWORD dwType = REG_NONE;
    std::vector<BYTE> data;
    int AsInt() const;              // the first 4 bytes, little-endian
    std::string AsString() const;   // up to the first NUL
};
void DeleteSettings();
void WriteSetting(const char* pszName, DWORD dwType, const void* pData, DWORD cb);
void WriteIntSetting(const char* pszName, int n);     // 4-byte REG_BINARY, as the bar stores it
RegValue ReadSetting(const char* pszName);
void DeleteSettingValue(const char* pszName);

// Default floating rectangle on this screen: centred across, a sixth down.
RECT DefaultFloatRect();
// The 32-pixel band the bar takes on edge 0 left, 1 top, 2 right, 3 bottom.
RECT DockBand(int nEdge);

// Every test starts and ends with no copy of the program running and a
// settings key that only switches off the notification-icon copy.
class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Closes the bar as its system menu would and waits for the process to end.
    void CloseBar(Controller& bar, HWND hBar);
};


// ---- The suite's modules, as the stand-ins in the build tree play them ----

constexpr char kCDPlayerExe[] = "TympCDPlayer.exe";
constexpr char kWavePlayerExe[] = "TympWavePlayer.exe";
constexpr char kMidiPlayerExe[] = "TympMidiPlayer.exe";
constexpr char kVolumeExe[] = "Sndvol32.exe";
constexpr char kCDPlayerTitle[] = "Tymp Studio CDPlayer";
constexpr char kWavePlayerTitle[] = "Tymp Studio WavePlayer";
constexpr char kMidiPlayerTitle[] = "Tymp Studio MidiPlayer";
constexpr char kVolumeTitle[] = "Volume Control";
constexpr int kVolumeButton = 107, kCDButton = 108, kWaveButton = 109, kMinimizeButton = 104;
// Codes of the module message, in its lParam.
constexpr int kAttach = 0, kDetach = 1, kMinimize = 2, kRestore = 3, kExit = -1;

struct ProcessEntry {
    DWORD pid;
    DWORD parentPid;
    std::string exe;    // file name only
};
std::vector<ProcessEntry> Processes();
// Processes this one started (still running; the parent may have ended since).
std::vector<ProcessEntry> ChildProcesses(DWORD parentPid);
// Terminates the children of parentPid that still run, after waiting for them up to graceMs.
void EndChildProcesses(DWORD parentPid, DWORD graceMs);

// The visible top-level window with this title that a child of parentPid shows, or null.
HWND ChildWindowTitled(const char* pszTitle, DWORD parentPid);

// The bar is shown and its progress window gone: start-up, module starts included, is over.
bool BarReady(const Controller& bar);

// A real left click at a screen point through xdotool; true once the pointer got there.
// The click itself is seen only through its effect.
bool ClickAt(int x, int y);
// Centre of a window on the screen.
POINT Centre(HWND hWnd);

// A fresh log file for the stand-ins, named in this process's environment so
// that whatever starts while it lives (a bar and the modules the bar starts) writes there.
class ModuleLog {
public:
    ModuleLog();
    ~ModuleLog();
    ModuleLog(const ModuleLog&) = delete;
    ModuleLog& operator=(const ModuleLog&) = delete;

    // Every line, each beginning with the module's file name.
    std::vector<std::string> Lines() const;
    // One module's lines, without its name.
    std::vector<std::string> LinesOf(const char* pszExe) const;
    // The codes a module logged receiving from one window, in order.
    std::vector<int> CodesFrom(const char* pszExe, HWND hSender) const;
    // How many times the module logged its start.
    size_t Starts(const char* pszExe) const;
    // Index in Lines() of the first line equal to "<exe> <text>", or -1.
    int IndexOf(const char* pszExe, const std::string& text) const;
    bool WaitForLine(const char* pszExe, const std::string& text, DWORD timeoutMs = 10000) const;
    // The module's nth ATTACH went out: its own line says so, or another module's
    // line of receiving it from hModule (one of two lines written at once may be lost).
    bool AttachSeen(const char* pszExe, HWND hModule, size_t nth = 1) const;
    // All lines, one per row, for failure messages.
    std::string Dump() const;

private:
    std::string m_strPath;
};

// The folder of this program and of the bar, with its trailing backslash.
std::string ProgramDirectory();
std::string Joined(const std::vector<int>& values);    // "{1, 2, 3}"
std::string LowWord(HWND hWnd);     // as the stand-ins log a window: its low word in decimal

// Holds the thread of another program's window, so that it handles its messages
// only once released. The stand-ins share one log file, and lines written at the
// same moment can overwrite each other: a held module writes after the others.
class HeldWindowThread {
public:
    explicit HeldWindowThread(HWND hWnd);
    ~HeldWindowThread() { Release(); }
    HeldWindowThread(const HeldWindowThread&) = delete;
    HeldWindowThread& operator=(const HeldWindowThread&) = delete;

    bool Held() const { return m_bHeld; }
    void Release();

private:
    HANDLE m_hThread = nullptr;
    bool m_bHeld = false;
};

// Bars that start modules: each test has its own module log, and whatever a
// bar of the test started is ended with it.
class ModuleTest : public ControllerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the bar, with the CD audio driver installed while it probes its
    // devices if bCdAudio, and waits until it is ready; null if it never is.
    HWND StartBar(const std::string& args, bool bCdAudio);
    Controller& Bar() { return *m_pBar; }
    // A module window of this test's bar, waited for.
    HWND WaitForModule(const char* pszTitle, DWORD timeoutMs = 10000);
    // Writes "ModuleSequence": count, the slots in attach order, the reserved entry.
    static void WriteSequence(int nCount, int nFirst, int nSecond, int nThird, int nReserved = 0);
    // The saved ModuleSequence as five ints; empty when it is missing or not 20 bytes.
    static std::vector<int> SavedSequence();

    std::unique_ptr<ModuleLog> m_pLog;
    std::unique_ptr<Controller> m_pBar;
};

} // namespace e2e

// Checks that a setting is a 4-byte REG_BINARY holding the expected int.
#define EXPECT_INT_SETTING(name, expected)                                                   \
    do {                                                                                     \
        ::e2e::RegValue v_ = ::e2e::ReadSetting(name);                                       \
        EXPECT_TRUE(v_.bExists) << name << " was not written";                               \
        EXPECT_EQ(v_.dwType, (DWORD)REG_BINARY) << name;                                     \
        EXPECT_EQ(v_.data.size(), 4u) << name;                                               \
        if (v_.data.size() >= 4) {                                                           \
            EXPECT_EQ(v_.AsInt(), (int)(expected)) << name;                                  \
        }                                                                                    \
    } while (0)

#endif
