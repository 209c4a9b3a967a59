#include "WaitAndPump.h"

void WaitAndPump(DWORD dwMilliseconds)
{
    const DWORD t0 = GetTickCount();
    for (;;) {
        // Read after every message, so that a steady stream cannot hold the wait open.
        DWORD dwElapsed = GetTickCount() - t0; // unsigned: the wrap is harmless
        if (dwElapsed > dwMilliseconds)
            return;
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, dwMilliseconds - dwElapsed + 1, QS_ALLINPUT);
        }
    }
}
