// The shell's application desktop toolbar service. Every SHAppBarMessage of
// the program goes through this pointer, which is the real shell function;
// tests point it at a model of the shell where the platform has none.
#ifndef DOCKBAR_APPBARSERVICE_H
#define DOCKBAR_APPBARSERVICE_H

#include <windows.h>
#include <shellapi.h>

typedef UINT_PTR(WINAPI* PFNAPPBARMESSAGE)(DWORD dwMessage, PAPPBARDATA pData);

extern PFNAPPBARMESSAGE g_pfnAppBarMessage;

#endif
