// Points the prefix's "CDAudio" MCI entry at FakeCdAudio.dll beside this program while it lives,
// so that opening "cdaudio" finds a drive (with no disc) under Wine, whose winmm reads the MCI key.
#ifndef TESTS_FAKECD_FAKECDAUDIO_H
#define TESTS_FAKECD_FAKECDAUDIO_H

#include <windows.h>
#include <string>

class CdAudioDriverInstalled {
public:
    CdAudioDriverInstalled()
    {
        char sz[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, sz, MAX_PATH);
        std::string strDll = sz;
        strDll = strDll.substr(0, strDll.find_last_of("\\/") + 1) + "FakeCdAudio.dll";
        // Wine's winmm reads the driver name into 128 characters.
        if (strDll.size() >= 128 && GetShortPathNameA(strDll.c_str(), sz, MAX_PATH))
            strDll = sz;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &m_hKey, nullptr);
        DWORD cb = sizeof m_szOld - 1;
        m_bHad = !RegQueryValueExA(m_hKey, "CDAudio", nullptr, nullptr, (BYTE*)m_szOld, &cb);
        m_bSet = !RegSetValueExA(m_hKey, "CDAudio", 0, REG_SZ, (const BYTE*)strDll.c_str(), strDll.size() + 1);
    }
    ~CdAudioDriverInstalled()
    {
        if (m_bHad)
            RegSetValueExA(m_hKey, "CDAudio", 0, REG_SZ, (BYTE*)m_szOld, lstrlenA(m_szOld) + 1);
        else
            RegDeleteValueA(m_hKey, "CDAudio");
        RegCloseKey(m_hKey);
    }
    bool Installed() const { return m_bSet; }

private:
    HKEY m_hKey = nullptr;
    bool m_bHad = false;
    bool m_bSet = false;
    char m_szOld[MAX_PATH * 2] = {};
};

#endif
