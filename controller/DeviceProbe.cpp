#include "DeviceProbe.h"

PFNMCISENDCOMMANDA g_pfnMciSendCommandA = mciSendCommandA;
PFNMIDIOUTGETNUMDEVS g_pfnMidiOutGetNumDevs = midiOutGetNumDevs;
