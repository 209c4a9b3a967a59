#include "ModuleTable.h"
#include "settings/RegistryKeys.h"
#include <cstdlib>

CString GetProgramDirectory()
{
    char szPath[256] = "";
    GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    char szDrive[_MAX_DRIVE], szDir[_MAX_DIR], szFolder[_MAX_PATH];
    _splitpath(szPath, szDrive, szDir, nullptr, nullptr);
    _makepath(szFolder, szDrive, szDir, nullptr, nullptr);
    return szFolder;
}

CString& ModulePaths::ModulePath(int nProgram)
{
    CString* const apstrPath[PROGRAM_COUNT] = {
        &m_strVolumeControlPath, &m_strCDPlayerPath,   &m_strWavePlayerPath,
        &m_strMidiPlayerPath,    &m_strWaveEditorPath, &m_strMidiTrackerPath,
    };
    return *apstrPath[nProgram];
}

void ModulePaths::LoadModulePaths()
{
    static const struct {
        LPCSTR pszValue;
        LPCSTR pszDefault;
    } s_programs[PROGRAM_COUNT] = {
        { nullptr, nullptr },
        { "CDPlayerFileName", "TympCDPlayer.exe" },
        { "WavePlayerFileName", "TympWavePlayer.exe" },
        { "MidiPlayerFileName", "TympMidiPlayer.exe" },
        { "WaveEditorFileName", "TympWaveEditor.exe" },
        { "MidiTrackerFileName", "TympMidiTracker.exe" },
    };

    CString strDirectory = GetProgramDirectory();
    char szWindows[260] = "";
    GetWindowsDirectoryA(szWindows, sizeof szWindows);
    m_strVolumeControlPath = CString(szWindows) + "\\Sndvol32.exe";

    for (int i = PROGRAM_CDPLAYER; i < PROGRAM_COUNT; i++) {
        BYTE abName[SETTING_BUFFER_SIZE];
        LPCSTR pszName =
            ReadControllerSetting(s_programs[i].pszValue, abName) ? (LPCSTR)abName : s_programs[i].pszDefault;
        // Relative to the program's folder, as stored: nothing added, nothing checked.
        ModulePath(i) = strDirectory + pszName;
    }
}
