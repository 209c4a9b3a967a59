#include "Registry.h"
#include <cstring>

int RegValue::AsInt() const
{
    int n = 0;
    memcpy(&n, data.data(), data.size() < sizeof n ? data.size() : sizeof n);
    return n;
}

RegValue ReadValue(const char* pszKey, const char* pszName, HKEY hRoot)
{
    RegValue value;
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return value;
    DWORD cb = 0;
    if (RegQueryValueExA(hKey, pszName, nullptr, &value.dwType, nullptr, &cb) == ERROR_SUCCESS) {
        value.data.resize(cb);
        value.bExists =
            RegQueryValueExA(hKey, pszName, nullptr, &value.dwType, value.data.data(), &cb) == ERROR_SUCCESS;
        value.data.resize(cb);
    }
    RegCloseKey(hKey);
    return value;
}

void WriteValue(const char* pszKey, const char* pszName, DWORD dwType, const void* pData, DWORD cb, HKEY hRoot)
{
    HKEY hKey;
    if (RegCreateKeyExA(hRoot, pszKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cb);
    RegCloseKey(hKey);
}

void DeleteValue(const char* pszKey, const char* pszName, HKEY hRoot)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(hKey, pszName);
    RegCloseKey(hKey);
}

SavedValue::SavedValue(const char* pszKey, const char* pszName, HKEY hRoot)
    : m_strKey(pszKey), m_strName(pszName), m_hRoot(hRoot), m_saved(ReadValue(pszKey, pszName, hRoot))
{
}

SavedValue::~SavedValue()
{
    if (m_saved.bExists)
        WriteValue(m_strKey.c_str(), m_strName.c_str(), m_saved.dwType, m_saved.data.data(), (DWORD)m_saved.data.size(),
                   m_hRoot);
    else
        DeleteValue(m_strKey.c_str(), m_strName.c_str(), m_hRoot);
}
