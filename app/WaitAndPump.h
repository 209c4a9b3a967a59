#ifndef APP_WAITANDPUMP_H
#define APP_WAITANDPUMP_H

#include <windows.h>

// Returns once more than dwMilliseconds have passed, dispatching every
// message of the thread meanwhile; between messages the thread sleeps.
void WaitAndPump(DWORD dwMilliseconds);

#endif
