// Waiting on real windows: dispatch the thread's messages meanwhile.
#ifndef TESTS_UNIT_PUMP_H
#define TESTS_UNIT_PUMP_H

#include <windows.h>
#include <functional>

// Dispatches the thread's messages for dwMilliseconds.
void PumpFor(DWORD dwMilliseconds);
// Dispatches messages until pred holds or dwTimeout passes; answers pred().
bool PumpUntil(const std::function<bool()>& pred, DWORD dwTimeout = 5000);

#endif
