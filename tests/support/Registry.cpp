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
