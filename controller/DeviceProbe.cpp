#include "DeviceProbe.h"

PFNGETNUMDEVS g_pfnMixerGetNumDevs = mixerGetNumDevs;
PFNMCISENDCOMMANDA g_pfnMciSendCommandA = mciSendCommandA;
PFNGETNUMDEVS g_pfnWaveOutGetNumDevs = waveOutGetNumDevs;
PFNGETNUMDEVS g_pfnMidiOutGetNumDevs = midiOutGetNumDevs;
