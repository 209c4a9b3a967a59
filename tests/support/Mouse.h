// The real pointer, moved by xdotool on the test's X display. Each call waits
// until Wine has seen the change and answers whether it did.
#ifndef TESTS_SUPPORT_MOUSE_H
#define TESTS_SUPPORT_MOUSE_H

#include <windows.h>

bool MouseMove(int x, int y); // screen coordinates
bool MouseMove(HWND hWnd, int x, int y); // a point of hWnd's client area
bool MouseDown(int nButton = 1); // 1 left, 3 right
bool MouseUp(int nButton = 1);
inline bool Click(int x, int y, int nButton = 1)
{
    return MouseMove(x, y) && MouseDown(nButton) && MouseUp(nButton);
}
void ParkMouse(); // off every test window

#endif
