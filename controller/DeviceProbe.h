// The audio probes: mixer, CD audio (MCI), wave output and MIDI output. They
// are the real functions; tests substitute devices, so that the answers do
// not hang on what sound device the machine has.
#ifndef CONTROLLER_DEVICEPROBE_H
#define CONTROLLER_DEVICEPROBE_H

#include <windows.h>
#include <mmsystem.h>

typedef MCIERROR(WINAPI* PFNMCISENDCOMMANDA)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
typedef UINT(WINAPI* PFNGETNUMDEVS)();

extern PFNGETNUMDEVS g_pfnMixerGetNumDevs;
extern PFNMCISENDCOMMANDA g_pfnMciSendCommandA;
extern PFNGETNUMDEVS g_pfnWaveOutGetNumDevs;
extern PFNGETNUMDEVS g_pfnMidiOutGetNumDevs;

#endif
