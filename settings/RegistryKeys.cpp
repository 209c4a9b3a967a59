#include "RegistryKeys.h"
#include "RegKey.h"
#include <cstring>

static BOOL ReadSetting(LPCSTR pszKey, LPCSTR pszName, LPBYTE pBuffer)
{
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, pszKey, KEY_ALL_ACCESS))
        return FALSE;
    memset(pBuffer, 0, SETTING_BUFFER_SIZE);
    DWORD cb = SETTING_BUFFER_SIZE;
    LONG lResult = RegQueryValueExA(key, pszName, nullptr, nullptr, pBuffer, &cb);
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
