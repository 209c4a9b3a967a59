// Controller bars in the test process, on the shell double, with the devices of the test's choosing.
#ifndef TESTS_SUPPORT_BARFIXTURE_H
#define TESTS_SUPPORT_BARFIXTURE_H

#include "controller/ControllerDlg.h"
#include "FakeAppBarShell.h"
#include "Mouse.h"
#include "Registry.h"
#include "Wait.h"
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <memory>
#include <vector>

// CD audio and MIDI output as the bar's probes see them while this lives.
class FakeDevices {
public:
    FakeDevices(MCIERROR errCDOpen, UINT nMidiDevices);
    ~FakeDevices();
    static std::vector<MCIDEVICEID> s_closedDevices;
};

// The real bar, its own state opened to the tests: the one place they reach it.
class CBarUnderTest : public CControllerDlg {
public:
    using CControllerDlg::CControllerDlg;
    ~CBarUnderTest() override { DestroyWindow(); } // while still the bar, so that its own handlers see it go
    using CControllerDlg::GetDragDockRect, CControllerDlg::LoadSettings, CControllerDlg::SaveModuleLayout,
        CControllerDlg::SaveSettings;
    using CControllerDlg::m_bFollowTaskbarState, CControllerDlg::m_bLaunchModule, CControllerDlg::m_modules,
        CControllerDlg::m_nModulesMinimized, CControllerDlg::m_pLeg, CControllerDlg::m_pLoadingDlg,
        CControllerDlg::m_rcFocus, CControllerDlg::m_state;
};

using BarPtr = std::unique_ptr<CBarUnderTest>;

// Starts a bar as the program does, but modeless, so the test keeps running.
BarPtr StartBar();

struct ModuleMessage {
    HWND hWnd;
    WPARAM wParam;
    LPARAM lParam;
};
extern std::vector<ModuleMessage> g_moduleMessages;
// A top-level window titled like a module, 300 x 90 at (600, y).
HWND CreateModuleWindow(const char* pszTitle, int y);

// Makes the next handler that calls GetMessagePos see this screen point.
void SetMessagePos(HWND hWnd, int x, int y);

// What a pop-up menu showed while open() tracked it; the menu is then cancelled.
struct MenuSnapshot {
    bool bShown = false;
    std::map<UINT, UINT> state; // MFS_* by command id
    bool Grayed(UINT nID) const { return state.count(nID) && (state.at(nID) & MFS_GRAYED); }
    bool Checked(UINT nID) const { return state.count(nID) && (state.at(nID) & MFS_CHECKED); }
};
MenuSnapshot InspectMenu(const std::function<void()>& open);

// No suite keys, no notification-icon copy at exit, the shell double, and the
// devices the test names (no CD audio, no MIDI unless it says otherwise).
class BarTest : public ::testing::Test {
protected:
    BarTest(MCIERROR errCDOpen = MCIERR_CANNOT_LOAD_DRIVER, UINT nMidiDevices = 0) : m_devices(errCDOpen, nMidiDevices)
    {
        DeleteSuiteKeys();
        WriteInt(KEY_CONTROLLER, "InsertIconToTaskbarWhenQuit", 0);
    }
    ~BarTest() override { DeleteSuiteKeys(); }

    FakeAppBarShell m_shell;
    FakeDevices m_devices;
};

#endif
