// The two audio probes the platform may lack a device for: CD audio (MCI)
// and MIDI output. They are the real functions; tests substitute devices.
#ifndef CONTROLLER_DEVICEPROBE_H
#define CONTROLLER_DEVICEPROBE_H

#include <windows.h>
#include <mmsystem.h>

typedef MCIERROR (WINAPI* PFNMCISENDCOMMANDA)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
typedef UINT (WINAPI* PFNMIDIOUTGETNUMDEVS)();

extern PFNMCISENDCOMMANDA g_pfnMciSendCommandA;
extern PFNMIDIOUTGETNUMDEVS g_pfnMidiOutGetNumDevs;

#endif
