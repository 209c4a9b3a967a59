#include "TestUtil.h"
#include "settings/RegistryKeys.h"
#include <shlwapi.h>
#include <cstdarg>
#include <cstring>

void SetMessagePos(HWND hWnd, int x, int y)
{
    // A posted message carries the cursor position; retrieving it sets GetMessagePos.
    SetCursorPos(x, y);
    PumpFor(20);
    PostMessageA(hWnd, WM_NULL, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, hWnd, WM_NULL, WM_NULL, PM_REMOVE))
        DispatchMessageA(&msg);
}

void DeleteSuiteKeys()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Marvik");
}

void SetControllerBinary(const char* pszName, const void* pData, DWORD cb, DWORD dwType)
{
    HKEY hKey;
    RegCreateKeyExA(HKEY_CURRENT_USER, REGKEY_CONTROLLER, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr);
    RegSetValueExA(hKey, pszName, 0, dwType, (const BYTE*)pData, cb);
    RegCloseKey(hKey);
}

void SetControllerInt(const char* pszName, int n)
{
    SetControllerBinary(pszName, &n, sizeof n);
}

void Xdotool(const char* pszFormat, ...)
{
    char szArgs[512];
    va_list args;
    va_start(args, pszFormat);
    wvsprintfA(szArgs, pszFormat, args);
    va_end(args);
    char szCommand[600];
    wsprintfA(szCommand, "Z:\\usr\\bin\\xdotool %s", szArgs);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    CreateProcessA(nullptr, szCommand, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
}

bool WaitForMouse(int x, int y, DWORD dwTimeout)
{
    return PumpUntil([=] {
        POINT pt;
        GetCursorPos(&pt);
        return pt.x == x && pt.y == y && !(GetAsyncKeyState(VK_LBUTTON) & 0x8000) &&
               !(GetAsyncKeyState(VK_RBUTTON) & 0x8000);
    }, dwTimeout);
}

CtrlKeyDown::CtrlKeyDown()
{
    GetKeyboardState(m_abSaved);
    BYTE ab[256];
    memcpy(ab, m_abSaved, sizeof ab);
    ab[VK_CONTROL] = 0x80;
    SetKeyboardState(ab);
}

CtrlKeyDown::~CtrlKeyDown()
{
    SetKeyboardState(m_abSaved);
}
