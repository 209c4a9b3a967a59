#include "WaitAndPump.h"

void WaitAndPump(DWORD dwMilliseconds)
{
    const DWORD t0 = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DWORD dwElapsed = GetTickCount() - t0;     // unsigned: the wrap is harmless
        if (dwElapsed > dwMilliseconds)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, dwMilliseconds - dwElapsed + 1, QS_ALLINPUT);
    }
}
