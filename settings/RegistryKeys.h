// Where the suite keeps its settings, and the two one-value readers.
#ifndef SETTINGS_REGISTRYKEYS_H
#define SETTINGS_REGISTRYKEYS_H

#include <windows.h>

constexpr char REGKEY_CONTROLLER[] = "Software\\Marvik\\Tymp Studio\\TympController\\Settings";
constexpr char REGKEY_WAVEPLAYER[] = "Software\\Marvik\\Tymp Studio\\TympWavePlayer\\Settings";
constexpr char REGKEY_SUITE[] = "Software\\Marvik\\Tymp Studio\\Settings";
constexpr char REGKEY_AUDIOCD_PLAY[] = "SOFTWARE\\classes\\AudioCD\\shell\\play\\command";

constexpr int SETTING_BUFFER_SIZE = 256;

// Read one value of the controller key or the suite key into a 256-byte
// buffer, whatever its type. TRUE only when it was read and, as text, fits
// with its terminating zero.
BOOL ReadControllerSetting(LPCSTR pszName, LPBYTE pBuffer);
BOOL ReadSuiteSetting(LPCSTR pszName, LPBYTE pBuffer);

#endif
