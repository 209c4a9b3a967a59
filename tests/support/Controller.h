// TympController.exe from outside, as a user or another program sees it.
#ifndef TESTS_SUPPORT_CONTROLLER_H
#define TESTS_SUPPORT_CONTROLLER_H

#include "Processes.h"
#include "Registry.h"
#include "Wait.h"
#include "controller/ControllerDlg.h"
#include "tests/fakecd/FakeCdAudio.h"
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <algorithm>
#include <memory>

constexpr char BAR_TITLE[] = "Tymp Studio 3.0"; // the bar, its progress window and the icon copy
constexpr DWORD START_TIMEOUT = 30000;

// TympController.exe, or the program strExe names, started; the destructor ends it if it still runs.
class Controller {
public:
    // strArgs follows the quoted path as it is, leading blank included.
    explicit Controller(const std::string& strArgs = "", const std::string& strExe = "TympController.exe");
    ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    bool Started() const { return m_pi.hProcess != nullptr; }
    DWORD Pid() const { return m_pi.dwProcessId; }
    bool Running() const { return Started() && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }
    bool WaitExit(DWORD dwTimeout = 15000)
    {
        return Started() && WaitUntil([this] { return !Running(); }, dwTimeout);
    }
    DWORD ExitCode() const
    {
        DWORD dw = STILL_ACTIVE;
        if (Started())
            GetExitCodeProcess(m_pi.hProcess, &dw);
        return dw;
    }

    HWND WaitForBar() const; // its bar once shown with the progress window gone; null if never
    bool Close(HWND hBar) { return PostMessageA(hBar, WM_SYSCOMMAND, SC_CLOSE, 0) && WaitExit() && ExitCode() == 0; }

private:
    PROCESS_INFORMATION m_pi = {};
};

std::vector<DWORD> ControllerPids();
std::vector<HWND> ShownBars(DWORD pid = 0); // not the progress window, not an icon copy
void EndAllControllers(); // asks bars and copies to end, then terminates the rest

// No copy running, no suite keys but: no icon copy at exit, no module to start.
class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GT(mixerGetNumDevs(), 0u) << "no mixer: HOME needs the null sound device";
        EndAllControllers();
        DeleteSuiteKeys();
        WriteInt(KEY_CONTROLLER, "InsertIconToTaskbarWhenQuit", 0);
        WriteModuleSequence({ 0 });
    }
    void TearDown() override
    {
        EndAllControllers();
        DeleteSuiteKeys();
    }
};

// "ModuleSequence" as the bar saved it: the count and that many slots; { -1 } if not 20 bytes.
inline std::vector<int> SavedModuleSequence()
{
    const std::vector<BYTE> saved = ReadValue(KEY_CONTROLLER, "ModuleSequence").data;
    const int* pn = reinterpret_cast<const int*>(saved.data());
    if (saved.size() != 20)
        return { -1 };
    return std::vector<int>(pn, pn + 1 + std::clamp(pn[0], 0, 3));
}

// Bars that find CD audio and start the stand-in players, which write to m_pLog.
class ModuleTest : public ControllerTest {
protected:
    void TearDown() override
    {
        ControllerTest::TearDown();
        EndChildProcesses(m_pBar ? m_pBar->Pid() : 0, 5000);
    }
    HWND StartBar(const std::vector<int>& sequence) // stored as "ModuleSequence"
    {
        WriteModuleSequence(sequence);
        CdAudioDriverInstalled driver; // needed only while the bar probes its devices
        EXPECT_TRUE(driver.Installed());
        m_pBar = std::make_unique<Controller>();
        return m_pBar->WaitForBar();
    }
    HWND WaitForModule(const char* pszTitle) // shown by a child of the bar; null if none comes
    {
        WaitUntil([&] { return ChildWindowTitled(pszTitle, m_pBar->Pid()) != nullptr; }, 10000);
        return ChildWindowTitled(pszTitle, m_pBar->Pid());
    }
    std::unique_ptr<ModuleLog> m_pLog = std::make_unique<ModuleLog>();
    std::unique_ptr<Controller> m_pBar;
};

#endif
