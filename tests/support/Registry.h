// The suite's registry keys, read and written byte for byte. The names are
// spelled here, not taken from the program, so that a changed name fails.
#ifndef TESTS_SUPPORT_REGISTRY_H
#define TESTS_SUPPORT_REGISTRY_H

#include <windows.h>
#include <shlwapi.h>
#include <cstring>
#include <string>
#include <vector>

constexpr char KEY_CONTROLLER[] = "Software\\Marvik\\Tymp Studio\\TympController\\Settings";
constexpr char KEY_WAVEPLAYER[] = "Software\\Marvik\\Tymp Studio\\TympWavePlayer\\Settings";
constexpr char KEY_AUDIOCD[] = "SOFTWARE\\classes\\AudioCD\\shell\\play\\command"; // HKLM

struct RegValue {
    bool bExists = false;
    DWORD dwType = REG_NONE;
    std::vector<BYTE> data;
    int AsInt() const // the first 4 bytes, little-endian, zero-extended
    {
        int n = 0;
        memcpy(&n, data.data(), data.size() < sizeof n ? data.size() : sizeof n);
        return n;
    }
    std::string AsString() const { return std::string(data.begin(), data.end()).c_str(); } // up to the first NUL
};

// HKEY_CURRENT_USER unless a root is given.
RegValue ReadValue(const char* pszKey, const char* pszName, HKEY hRoot = HKEY_CURRENT_USER);
inline void WriteValue(const char* pszKey, const char* pszName, DWORD dwType, const void* pData, DWORD cb,
                       HKEY hRoot = HKEY_CURRENT_USER)
{
    SHSetValueA(hRoot, pszKey, pszName, dwType, pData, cb);
}
inline void WriteInt(const char* pszKey, const char* pszName, int n) // 4-byte REG_BINARY, as the bar keeps ints
{
    WriteValue(pszKey, pszName, REG_BINARY, &n, sizeof n);
}
// "ModuleSequence": a count, then slots, 4 bytes each.
inline void WriteModuleSequence(const std::vector<int>& an)
{
    WriteValue(KEY_CONTROLLER, "ModuleSequence", REG_BINARY, an.data(), (DWORD)(an.size() * sizeof(int)));
}
inline void WriteString(const char* pszKey, const char* pszName, const std::string& str, HKEY hRoot = HKEY_CURRENT_USER)
{
    WriteValue(pszKey, pszName, REG_SZ, str.c_str(), (DWORD)str.size() + 1, hRoot);
}
// The suite's keys of the current user, with everything below them.
inline void DeleteSuiteKeys()
{
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Marvik");
}

#endif
