// Helpers for driving the real TympController.exe from outside: starting it,
// watching its windows, ending it, and reading or seeding its registry key.
#ifndef TESTS_E2E_E2ESUPPORT_H
#define TESTS_E2E_E2ESUPPORT_H

#include <windows.h>
#include <functional>
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
