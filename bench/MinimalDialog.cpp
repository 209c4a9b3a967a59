// The baseline for the bar's start-up, memory and idle figures: the least a
// Win32 program with a dialog does. Its template is built in memory, so it
// needs no resources; it closes on WM_CLOSE like any window.
//
// With "devices" on its command line it first does what the bar cannot show
// itself without: the same audio-device probe (mixer, CD audio through MCI,
// wave output, MIDI output), PaneKit.dll loaded with the common controls it
// registers, and a question to the shell's app-bar service, so that the
// libraries those bring in are counted on both sides. They are loaded only
// then, so that the plain dialog stays as bare as before.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <cstring>

namespace {

constexpr wchar_t kTitle[] = L"Tymp Bench Minimal Dialog";

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_CLOSE: EndDialog(hDlg, 0); return TRUE;
    }
    return FALSE;
}

template <class Fn>
Fn Import(const char* pszDll, const char* pszName)
{
    HMODULE h = LoadLibraryA(pszDll);
    return h ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(h, pszName))) : nullptr;
}

void LoadWhatTheBarNeeds()
{
    auto pfnMixerGetNumDevs = Import<UINT(WINAPI*)()>("winmm.dll", "mixerGetNumDevs");
    auto pfnMciSendCommandA =
        Import<MCIERROR(WINAPI*)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR)>("winmm.dll", "mciSendCommandA");
    auto pfnWaveOutGetNumDevs = Import<UINT(WINAPI*)()>("winmm.dll", "waveOutGetNumDevs");
    auto pfnMidiOutGetNumDevs = Import<UINT(WINAPI*)()>("winmm.dll", "midiOutGetNumDevs");
    auto pfnInitCommonControlsEx =
        Import<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("comctl32.dll", "InitCommonControlsEx");
    auto pfnAppBarMessage = Import<UINT_PTR(WINAPI*)(DWORD, APPBARDATA*)>("shell32.dll", "SHAppBarMessage");
    if (!pfnMixerGetNumDevs || !pfnMciSendCommandA || !pfnWaveOutGetNumDevs || !pfnMidiOutGetNumDevs ||
        !pfnInitCommonControlsEx || !pfnAppBarMessage || !LoadLibraryA("PaneKit.dll"))
        ExitProcess(2);

    pfnMixerGetNumDevs();
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "cdaudio";
    if (pfnMciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, (DWORD_PTR)&open) == 0 && open.wDeviceID)
        pfnMciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, 0);
    pfnWaveOutGetNumDevs();
    pfnMidiOutGetNumDevs();
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_BAR_CLASSES | ICC_ANIMATE_CLASS };
    pfnInitCommonControlsEx(&icc);
    APPBARDATA abd = {};
    abd.cbSize = sizeof abd;
    pfnAppBarMessage(ABM_GETSTATE, &abd);
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR pszCmdLine, int)
{
    if (pszCmdLine && strstr(pszCmdLine, "devices"))
        LoadWhatTheBarNeeds();
    // DLGTEMPLATE, then no menu, the default class and the title; no controls.
    alignas(4) BYTE ab[256] = {};
    auto* pTemplate = reinterpret_cast<DLGTEMPLATE*>(ab);
    pTemplate->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    pTemplate->cdit = 0;
    pTemplate->x = 10;
    pTemplate->y = 10;
    pTemplate->cx = 200;
    pTemplate->cy = 40;
    auto* pw = reinterpret_cast<WORD*>(pTemplate + 1);
    *pw++ = 0; // menu
    *pw++ = 0; // class
    memcpy(pw, kTitle, sizeof kTitle);
    return (int)DialogBoxIndirectParamW(hInstance, pTemplate, nullptr, DialogProc, 0);
}
