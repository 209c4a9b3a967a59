// A registry key of the program's, closed on every path when it goes. Each
// read or write opens it with the access that it needs.
#ifndef SETTINGS_REGKEY_H
#define SETTINGS_REGKEY_H

#include <windows.h>

class RegKey {
public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    BOOL Open(HKEY hRoot, LPCSTR pszKey, REGSAM samDesired)
    {
        Close();
        return Opened(RegOpenKeyExA(hRoot, pszKey, 0, samDesired, &m_hKey));
    }
    // Opens the key, making it (non-volatile) when it is missing.
    BOOL Create(HKEY hRoot, LPCSTR pszKey, REGSAM samDesired)
    {
        Close();
        return Opened(
            RegCreateKeyExA(hRoot, pszKey, 0, nullptr, REG_OPTION_NON_VOLATILE, samDesired, nullptr, &m_hKey, nullptr));
    }
    void Close()
    {
        if (m_hKey)
            RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
    operator HKEY() const { return m_hKey; }

private:
    BOOL Opened(LONG lResult)
    {
        if (lResult != ERROR_SUCCESS)
            m_hKey = nullptr;
        return m_hKey != nullptr;
    }
    HKEY m_hKey = nullptr;
};

#endif
