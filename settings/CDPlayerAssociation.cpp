// The suite's CD player as the system's player for audio CDs: the "play"
// command of the audio-CD shell class, and the command it replaced, kept in
// the controller key as "OriginalCDPLayer" so that it can be put back.
#include "controller/ControllerDlg.h"
#include "RegistryKeys.h"
#include "RegKey.h"
#include <cstdio>
#include <cstring>

namespace {

const char ORIGINAL_CDPLAYER[] = "OriginalCDPLayer";

// The suite's command: the player's path, unquoted, and " /play", at most 255 characters.
void FormSuiteCommand(const CString& strPath, char (&szCommand)[SETTING_BUFFER_SIZE])
{
    snprintf(szCommand, sizeof szCommand, "%s /play", (LPCSTR)strPath);
}

// The key's default value; FALSE (and empty) when it cannot be read whole.
BOOL QueryCommand(HKEY hKey, char (&szCommand)[SETTING_BUFFER_SIZE])
{
    LONG cb = sizeof szCommand;
    if (RegQueryValueA(hKey, nullptr, szCommand, &cb) != ERROR_SUCCESS) {
        szCommand[0] = '\0';
        return FALSE;
    }
    szCommand[sizeof szCommand - 1] = '\0';
    return TRUE;
}

void SetCommand(HKEY hKey, LPCSTR pszCommand)
{
    RegSetValueA(hKey, nullptr, REG_SZ, pszCommand, (DWORD)strlen(pszCommand));
}

} // namespace

BOOL CControllerDlg::ReadCDPlayerAssociation()
{
    char szCurrent[SETTING_BUFFER_SIZE] = "";
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, REGKEY_AUDIOCD_PLAY, KEY_READ))
        QueryCommand(key, szCurrent);

    if (key.Open(HKEY_CURRENT_USER, REGKEY_CONTROLLER, KEY_QUERY_VALUE)) {
        char szPrevious[SETTING_BUFFER_SIZE] = "";
        DWORD dwType = 0, cb = sizeof szPrevious;
        if (RegQueryValueExA(key, ORIGINAL_CDPLAYER, nullptr, &dwType, (LPBYTE)szPrevious, &cb) != ERROR_SUCCESS ||
            dwType != REG_SZ)
            szPrevious[0] = '\0';
        szPrevious[sizeof szPrevious - 1] = '\0';
        strcpy(m_szCDPlayerText, szPrevious);
    }

    char szSuite[SETTING_BUFFER_SIZE];
    FormSuiteCommand(m_strCDPlayerPath, szSuite);
    return szCurrent[0] && _stricmp(szCurrent, szSuite) == 0;
}

void CControllerDlg::RegisterCDPlayer()
{
    char szSuite[SETTING_BUFFER_SIZE];
    FormSuiteCommand(m_strCDPlayerPath, szSuite);

    // Where the suite's command is already current, it is no previous command:
    // what "OriginalCDPLayer" holds stays the command to put back.
    BOOL bAlreadyCurrent = FALSE;
    RegKey key;
    if (key.Create(HKEY_LOCAL_MACHINE, REGKEY_AUDIOCD_PLAY, KEY_ALL_ACCESS)) {
        char szCurrent[SETTING_BUFFER_SIZE];
        QueryCommand(key, szCurrent);
        bAlreadyCurrent = _stricmp(szCurrent, szSuite) == 0;
        if (!bAlreadyCurrent)
            strcpy(m_szCDPlayerText, szCurrent);
        SetCommand(key, szSuite);
    }

    // An empty previous command is kept too, so that an older one is not put back later.
    if (bAlreadyCurrent)
        return;
    if (!key.Create(HKEY_CURRENT_USER, REGKEY_CONTROLLER, KEY_SET_VALUE))
        return;
    RegSetValueExA(key, ORIGINAL_CDPLAYER, 0, REG_SZ, (const BYTE*)m_szCDPlayerText,
                   (DWORD)strlen(m_szCDPlayerText) + 1);
}

void CControllerDlg::RestoreCDPlayer()
{
    // Writing an empty command would leave the system no player for audio CDs.
    if (!m_szCDPlayerText[0])
        return;
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, REGKEY_AUDIOCD_PLAY, KEY_ALL_ACCESS))
        SetCommand(key, m_szCDPlayerText);
}
