// Starting controller bars in the test process, with devices of the test's choosing.
#ifndef TESTS_UNIT_BARFIXTURE_H
#define TESTS_UNIT_BARFIXTURE_H

#include "controller/ControllerDlg.h"
#include <memory>
#include <vector>

// CD audio and MIDI output as the bar's probes see them while this lives.
class FakeDevices {
public:
    FakeDevices(MCIERROR errCDOpen, UINT nMidiDevices);
    ~FakeDevices();
    static std::vector<MCIDEVICEID> s_closedDevices;
};

struct BarDeleter {
    void operator()(CControllerDlg* p) const;
};
using BarPtr = std::unique_ptr<CControllerDlg, BarDeleter>;

// Starts a bar as the program does, but modeless, so the test keeps running.
BarPtr StartBar();

// A stand-in module window that records the protocol messages it gets.
struct ModuleMessage {
    HWND hWnd;
    WPARAM wParam;
    LPARAM lParam;
};
extern std::vector<ModuleMessage> g_moduleMessages;
HWND CreateModuleWindow(const char* pszTitle, int y);

#endif
