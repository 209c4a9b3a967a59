// The baseline for the bar's start-up, memory and idle figures: the least a
// Win32 program with a dialog does. Its template is built in memory, so it
// needs no resources; it closes on WM_CLOSE like any window.
#include <windows.h>
#include <cstring>

namespace {

constexpr wchar_t kTitle[] = L"Tymp Bench Minimal Dialog";

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
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
    *pw++ = 0;  // menu
    *pw++ = 0;  // class
    memcpy(pw, kTitle, sizeof kTitle);
    return (int)DialogBoxIndirectParamW(hInstance, pTemplate, nullptr, DialogProc, 0);
}
