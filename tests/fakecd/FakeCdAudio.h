// Points the prefix's "CDAudio" MCI entry at FakeCdAudio.dll for the life of
// one object, so that opening "cdaudio" finds a drive (with no disc) under Wine.
#ifndef TESTS_FAKECD_FAKECDAUDIO_H
#define TESTS_FAKECD_FAKECDAUDIO_H

#include <windows.h>
#include <string>

namespace fakecd {

// Sets one string value of HKLM and puts back what was there, or nothing, when destroyed.
class SwappedValue {
public:
    SwappedValue(const char* key, const char* name, const std::string& value) : m_name(name)
    {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                            nullptr, &m_key, nullptr) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        char old[MAX_PATH * 2] = "";
        DWORD type = 0, size = sizeof(old) - 1;
        if (RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS) {
            m_hadValue = true;
            m_oldType = type;
            m_old.assign(old, size);
        }
        m_set = RegSetValueExA(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               (DWORD)value.size() + 1) == ERROR_SUCCESS;
    }

    ~SwappedValue()
    {
        if (!m_key)
            return;
        if (m_set && m_hadValue)
            RegSetValueExA(m_key, m_name.c_str(), 0, m_oldType, reinterpret_cast<const BYTE*>(m_old.data()),
                           (DWORD)m_old.size());
        else if (m_set)
            RegDeleteValueA(m_key, m_name.c_str());
        RegCloseKey(m_key);
    }

    SwappedValue(const SwappedValue&) = delete;
    SwappedValue& operator=(const SwappedValue&) = delete;

    bool Set() const { return m_set; }

private:
    HKEY m_key = nullptr;
    std::string m_name;
    bool m_set = false;
    bool m_hadValue = false;
    DWORD m_oldType = REG_SZ;
    std::string m_old;  // the bytes as stored, terminator included
};

inline std::string DriverBesideProgram()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::string();
    std::string dll(path, n);
    dll = dll.substr(0, dll.find_last_of("\\/") + 1) + "FakeCdAudio.dll";
    // Wine's winmm reads the driver name into 128 characters; a deep build tree needs the short form.
    if (dll.size() >= 128) {
        char shortPath[MAX_PATH];
        DWORD len = GetShortPathNameA(dll.c_str(), shortPath, MAX_PATH);
        if (len > 0 && len < MAX_PATH)
            dll.assign(shortPath, len);
    }
    return dll;
}

} // namespace fakecd

// Windows reads the MCI driver names from the MCI32 key; Wine's winmm reads the
// MCI key (then system.ini's [mci] section), so both are pointed at the DLL.
class CdAudioDriverInstalled {
public:
    CdAudioDriverInstalled()
        : m_dll(fakecd::DriverBesideProgram()),
          m_windows(kMci32Key, "CDAudio", m_dll),
          m_wine(kMciKey, "CDAudio", m_dll)
    {
    }

    bool Installed() const { return !m_dll.empty() && m_windows.Set() && m_wine.Set(); }
    const std::string& DriverPath() const { return m_dll; }

private:
    static constexpr const char* kMci32Key = "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI32";
    static constexpr const char* kMciKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI";

    std::string m_dll;
    fakecd::SwappedValue m_windows;
    fakecd::SwappedValue m_wine;
};

#endif
