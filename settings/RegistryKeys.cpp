#include "RegistryKeys.h"
#include <cstring>

static BOOL ReadSetting(LPCSTR pszKey, LPCSTR pszName, LPBYTE pBuffer)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, pszKey, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return FALSE;
    memset(pBuffer, 0, SETTING_BUFFER_SIZE);
    DWORD cb = SETTING_BUFFER_SIZE;
    LONG lResult = RegQueryValueExA(hKey, pszName, nullptr, nullptr, pBuffer, &cb);
    RegCloseKey(hKey);
    // 256 bytes with no terminator would be read past the end as text.
    if (lResult == ERROR_SUCCESS && pBuffer[SETTING_BUFFER_SIZE - 1] != '\0') {
        memset(pBuffer, 0, SETTING_BUFFER_SIZE);
        return FALSE;
    }
    return lResult == ERROR_SUCCESS;
}

BOOL ReadControllerSetting(LPCSTR pszName, LPBYTE pBuffer)
{
    return ReadSetting(REGKEY_CONTROLLER, pszName, pBuffer);
}

BOOL ReadSuiteSetting(LPCSTR pszName, LPBYTE pBuffer)
{
    return ReadSetting(REGKEY_SUITE, pszName, pBuffer);
}
