#include "Mouse.h"
#include "Wait.h"
#include <cstdio>
#include <cstring>

namespace {

// Wine starts a Unix program without giving back usable handles: callers wait
// for what it does instead.
void Xdotool(const char* pszArgs)
{
    char szCommand[128];
    snprintf(szCommand, sizeof szCommand, "Z:\\usr\\bin\\xdotool %s", pszArgs);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    CreateProcessA(nullptr, szCommand, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
}

bool ButtonDown(int nButton)
{
    return (GetAsyncKeyState(nButton == 3 ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;
}

} // namespace

bool PressOrRelease(const char* pszVerb, int nButton, bool bDown)
{
    char szArgs[32];
    snprintf(szArgs, sizeof szArgs, "%s %d", pszVerb, nButton);
    Xdotool(szArgs);
    return WaitUntil([=] { return ButtonDown(nButton) == bDown; }, 3000);
}

bool MouseMove(int x, int y)
{
    char szArgs[48];
    snprintf(szArgs, sizeof szArgs, "mousemove %d %d", x, y);
    Xdotool(szArgs);
    return WaitUntil(
        [=] {
            POINT pt;
            return GetCursorPos(&pt) && pt.x == x && pt.y == y;
        },
        3000);
}

bool MouseMove(HWND hWnd, int x, int y)
{
    POINT pt = { x, y };
    ClientToScreen(hWnd, &pt);
    return MouseMove(pt.x, pt.y);
}

void ParkMouse()
{
    MouseMove(GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) / 2 + 3);
}

KeyDown::KeyDown(int nVirtKey)
{
    GetKeyboardState(m_abSaved);
    BYTE ab[256];
    memcpy(ab, m_abSaved, sizeof ab);
    ab[nVirtKey] = 0x80;
    SetKeyboardState(ab);
}

KeyDown::~KeyDown()
{
    SetKeyboardState(m_abSaved);
}
