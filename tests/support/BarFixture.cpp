#include "BarFixture.h"
#include "app/ControllerApp.h"
#include "controller/DeviceProbe.h"
#include "res/resource.h"

namespace {

MCIERROR g_errCDOpen = MCIERR_CANNOT_LOAD_DRIVER;
UINT g_nMidiDevices = 0;

MCIERROR WINAPI FakeMciSendCommand(MCIDEVICEID id, UINT uMsg, DWORD_PTR, DWORD_PTR dwParam)
{
    if (uMsg == MCI_OPEN) {
        if (g_errCDOpen == 0)
            ((MCI_OPEN_PARMSA*)dwParam)->wDeviceID = 5;
        return g_errCDOpen;
    }
    if (uMsg == MCI_CLOSE)
        FakeDevices::s_closedDevices.push_back(id);
    return 0;
}

UINT WINAPI FakeMidiOutGetNumDevs()
{
    return g_nMidiDevices;
}

UINT WINAPI OneDevice()
{
    return 1;
}

LRESULT CALLBACK ModuleWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_uModuleMessage && g_uModuleMessage)
        g_moduleMessages.push_back({ hWnd, wParam, lParam });
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// The program registers its messages before any window; so do the tests.
[[maybe_unused]] const bool g_bMessagesRegistered = [] {
    CControllerApp::RegisterMessages();
    return true;
}();

} // namespace

std::vector<MCIDEVICEID> FakeDevices::s_closedDevices;
std::vector<ModuleMessage> g_moduleMessages;

FakeDevices::FakeDevices(MCIERROR errCDOpen, UINT nMidiDevices)
{
    g_errCDOpen = errCDOpen;
    g_nMidiDevices = nMidiDevices;
    s_closedDevices.clear();
    g_pfnMixerGetNumDevs = OneDevice;
    g_pfnWaveOutGetNumDevs = OneDevice;
    g_pfnMciSendCommandA = FakeMciSendCommand;
    g_pfnMidiOutGetNumDevs = FakeMidiOutGetNumDevs;
}

FakeDevices::~FakeDevices()
{
    g_pfnMixerGetNumDevs = mixerGetNumDevs;
    g_pfnMciSendCommandA = mciSendCommandA;
    g_pfnWaveOutGetNumDevs = waveOutGetNumDevs;
    g_pfnMidiOutGetNumDevs = midiOutGetNumDevs;
}

BarPtr StartBar()
{
    BarPtr pBar(new CBarUnderTest(nullptr, TRUE));
    EXPECT_TRUE(pBar->Create(IDD_CONTROLLER, nullptr));
    pBar->m_bInsertIconWhenQuit = FALSE;
    return pBar;
}

HWND CreateModuleWindow(const char* pszTitle, int y)
{
    static ATOM s_atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ModuleWndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TympTestModule";
        return RegisterClassA(&wc);
    }();
    return CreateWindowExA(0, MAKEINTATOM(s_atom), pszTitle, WS_OVERLAPPED | WS_VISIBLE, 600, y, 300, 90, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

void SetMessagePos(HWND hWnd, int x, int y)
{
    // A posted message carries the cursor position; retrieving it sets GetMessagePos.
    SetCursorPos(x, y);
    WaitUntil(
        [=] {
            POINT pt;
            return GetCursorPos(&pt) && pt.x == x && pt.y == y;
        },
        1000);
    PostMessageA(hWnd, WM_NULL, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, hWnd, WM_NULL, WM_NULL, PM_REMOVE))
        DispatchMessageA(&msg);
}

MenuSnapshot InspectMenu(const std::function<void()>& open)
{
    MenuSnapshot snapshot;
    ModalScript script;
    script.Then([&] {
        HWND hMenuWnd = FindWindowExA(nullptr, nullptr, "#32768", nullptr);
        while (hMenuWnd && !IsWindowVisible(hMenuWnd))
            hMenuWnd = FindWindowExA(nullptr, hMenuWnd, "#32768", nullptr);
        if (!hMenuWnd)
            return false;
        HMENU hMenu = (HMENU)SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0);
        for (int i = 0; i < GetMenuItemCount(hMenu); i++) {
            MENUITEMINFOA mii = {};
            mii.cbSize = sizeof mii;
            mii.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE;
            if (GetMenuItemInfoA(hMenu, i, TRUE, &mii) && !(mii.fType & MFT_SEPARATOR))
                snapshot.state[mii.wID] = mii.fState;
        }
        snapshot.bShown = true;
        PostMessageA(hMenuWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    // A menu that never shows ends the script by its deadline.
    script.Run(open, 3000);
    return snapshot;
}
