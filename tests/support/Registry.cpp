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
    DWORD cb = 0;
    if (SHGetValueA(hRoot, pszKey, pszName, &value.dwType, nullptr, &cb) != ERROR_SUCCESS)
        return value;
    value.data.resize(cb);
    value.bExists = SHGetValueA(hRoot, pszKey, pszName, &value.dwType, value.data.data(), &cb) == ERROR_SUCCESS;
    value.data.resize(cb);
    return value;
}

void WriteValue(const char* pszKey, const char* pszName, DWORD dwType, const void* pData, DWORD cb, HKEY hRoot)
{
    SHSetValueA(hRoot, pszKey, pszName, dwType, pData, cb);
}

void DeleteValue(const char* pszKey, const char* pszName, HKEY hRoot)
{
    SHDeleteValueA(hRoot, pszKey, pszName);
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
