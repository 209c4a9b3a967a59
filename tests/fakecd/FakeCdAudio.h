// Points the prefix's "CDAudio" MCI entries at FakeCdAudio.dll beside this program while it lives,
// so that opening "cdaudio" finds a drive (with no disc) under Wine. Windows reads the MCI32 key,
// Wine's winmm the MCI key.
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
        for (int i = 0; i < 2; i++) {
            DWORD cb = sizeof m_aszOld[i] - 1;
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, s_apszKey[i], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_ahKey[i],
                            nullptr);
            m_abHad[i] = !RegQueryValueExA(m_ahKey[i], "CDAudio", nullptr, nullptr, (BYTE*)m_aszOld[i], &cb);
            m_abSet[i] =
                !RegSetValueExA(m_ahKey[i], "CDAudio", 0, REG_SZ, (const BYTE*)strDll.c_str(), strDll.size() + 1);
        }
    }
    ~CdAudioDriverInstalled()
    {
        for (int i = 0; i < 2; i++) {
            m_abHad[i] ? RegSetValueExA(m_ahKey[i], "CDAudio", 0, REG_SZ, (BYTE*)m_aszOld[i], lstrlenA(m_aszOld[i]) + 1)
                       : RegDeleteValueA(m_ahKey[i], "CDAudio");
            RegCloseKey(m_ahKey[i]);
        }
    }
    bool Installed() const { return m_abSet[0] && m_abSet[1]; }

private:
    static constexpr const char* s_apszKey[2] = { "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI32",
                                                  "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI" };
    HKEY m_ahKey[2] = {};
    bool m_abHad[2] = {}, m_abSet[2] = {};
    char m_aszOld[2][MAX_PATH * 2] = {};
};

#endif
