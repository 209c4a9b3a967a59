#include "Registry.h"

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

SavedValue::~SavedValue()
{
    if (m_saved.bExists)
        WriteValue(m_strKey.c_str(), m_strName.c_str(), m_saved.dwType, m_saved.data.data(), (DWORD)m_saved.data.size(),
                   m_hRoot);
    else
        SHDeleteValueA(m_hRoot, m_strKey.c_str(), m_strName.c_str());
}
