// The shell's notification area. The program's calls go through this
// pointer, which is the real Shell_NotifyIconA; tests watch the calls here,
// since the icons Wine's tray holds cannot be read back.
#ifndef TRAY_NOTIFYICONSERVICE_H
#define TRAY_NOTIFYICONSERVICE_H

#include <windows.h>
#include <shellapi.h>

typedef BOOL(WINAPI* PFNSHELLNOTIFYICONA)(DWORD dwMessage, PNOTIFYICONDATAA pData);

extern PFNSHELLNOTIFYICONA g_pfnShellNotifyIconA;

#endif
