#include "Mouse.h"
#include "Wait.h"
#include <cstdio>

namespace {

// Wine starts a Unix program without giving back usable handles: callers wait
// for what it does instead.
void Xdotool(const char* pszFormat, int a, int b = 0)
{
    char szCommand[128];
    const int n = snprintf(szCommand, sizeof szCommand, "Z:\\usr\\bin\\xdotool ");
    snprintf(szCommand + n, sizeof szCommand - n, pszFormat, a, b);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    CreateProcessA(nullptr, szCommand, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
}

bool Button(const char* pszVerb, int nButton, bool bDown)
{
    Xdotool(pszVerb, nButton);
    const int nVirtKey = nButton == 3 ? VK_RBUTTON : VK_LBUTTON;
    return WaitUntil([=] { return ((GetAsyncKeyState(nVirtKey) & 0x8000) != 0) == bDown; }, 3000);
}

} // namespace

bool MouseDown(int nButton)
{
    return Button("mousedown %d", nButton, true);
}

bool MouseUp(int nButton)
{
    return Button("mouseup %d", nButton, false);
}

bool MouseMove(int x, int y)
{
    Xdotool("mousemove %d %d", x, y);
    POINT pt;
    return WaitUntil([&] { return GetCursorPos(&pt) && pt.x == x && pt.y == y; }, 3000);
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
