// Helpers shared by the in-process tests.
#ifndef TESTS_UNIT_TESTUTIL_H
#define TESTS_UNIT_TESTUTIL_H

#include "Pump.h"

// Makes the next handler that calls GetMessagePos see this point.
void SetMessagePos(HWND hWnd, int x, int y);

// Removes the suite's registry keys of the current user.
void DeleteSuiteKeys();
void SetControllerBinary(const char* pszName, const void* pData, DWORD cb, DWORD dwType = REG_BINARY);
void SetControllerInt(const char* pszName, int n);

// Runs xdotool on the test screen with printf-style arguments. Wine gives no
// usable process handle for a Unix program: wait for what it does instead.
void Xdotool(const char* pszFormat, ...);
// Pumps until the cursor is at (x, y) with no mouse button down.
bool WaitForMouse(int x, int y, DWORD dwTimeout = 5000);

// Holds Ctrl down in this thread's key state while it lives.
class CtrlKeyDown {
public:
    CtrlKeyDown();
    ~CtrlKeyDown();
private:
    BYTE m_abSaved[256];
};

#endif
