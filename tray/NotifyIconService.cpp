#include "NotifyIconService.h"

PFNSHELLNOTIFYICONA g_pfnShellNotifyIconA = Shell_NotifyIconA;
