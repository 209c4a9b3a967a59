// Loading and saving the bar's settings in the registry.
#include "controller/ControllerDlg.h"
#include "modules/ModuleTable.h"
#include "RegistryKeys.h"
#include "RegKey.h"
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

namespace {

// Reads at most cbMember bytes into the member in place: a shorter value
// replaces only the low bytes, an empty one none; a larger one counts as
// missing. The copy keeps a failed read from leaving part of a value behind.
BOOL QueryBinary(HKEY hKey, LPCSTR pszName, void* pMember, DWORD cbMember)
{
    BYTE ab[32];
    DWORD cb = cbMember;
    if (cbMember > sizeof ab)
        return FALSE;
    memcpy(ab, pMember, cbMember);
    if (RegQueryValueExA(hKey, pszName, nullptr, nullptr, ab, &cb) != ERROR_SUCCESS)
        return FALSE;
    memcpy(pMember, ab, cbMember);
    return TRUE;
}

template <class T>
BOOL QueryInt(HKEY hKey, LPCSTR pszName, T& member)
{
    return QueryBinary(hKey, pszName, &member, sizeof member);
}

// 16-bit members are stored as REG_DWORD; the low half is kept.
BOOL QueryWord(HKEY hKey, LPCSTR pszName, WORD& member)
{
    DWORD dw = member;
    if (!QueryInt(hKey, pszName, dw))
        return FALSE;
    member = LOWORD(dw);
    return TRUE;
}

void SetBinary(HKEY hKey, LPCSTR pszName, const void* pData, DWORD cb)
{
    RegSetValueExA(hKey, pszName, 0, REG_BINARY, (const BYTE*)pData, cb);
}

void SetDword(HKEY hKey, LPCSTR pszName, DWORD dw)
{
    RegSetValueExA(hKey, pszName, 0, REG_DWORD, (const BYTE*)&dw, sizeof dw);
}

// Stored layouts other programs of the suite read, the same for both word sizes.
static_assert(sizeof(int) == 4 && sizeof(LONG) == 4 && sizeof(BOOL) == 4, "4-byte REG_BINARY settings");
static_assert(sizeof(int[5]) == 20, "\"ModuleSequence\" is 20 bytes");

// The wave player's recording format: every field a REG_DWORD, 16-bit ones too.
struct FormatField {
    LPCSTR pszName;
    DWORD RECORDFORMAT::*pdw;
    WORD RECORDFORMAT::*pw;
};
const FormatField s_formatFields[] = {
    { "nChannels", &RECORDFORMAT::nChannels, nullptr },
    { "nSamplesPerSec", &RECORDFORMAT::nSamplesPerSec, nullptr },
    { "wBitsPerSample", nullptr, &RECORDFORMAT::wBitsPerSample },
    { "wFormatTag", nullptr, &RECORDFORMAT::wFormatTag },
};

// The controller key's 4-byte values, in the order they are read and written.
struct IntSetting {
    LPCSTR pszName;
    void* pValue;
};

std::array<IntSetting, 11> IntSettings(CControllerDlg& bar)
{
    return { {
        { "State", &bar.m_nSavedEdge },
        { "FloatLeft", &bar.m_rcFloat.left },
        { "FloatTop", &bar.m_rcFloat.top },
        { "FloatRight", &bar.m_rcFloat.right },
        { "FloatBottom", &bar.m_rcFloat.bottom },
        { "AlwaysOnTop", &bar.m_bAlwaysOnTopSetting },
        { "AutoHide", &bar.m_bAutoHideSetting },
        { "CoordinateStateWithTaskbar", &bar.m_bCoordinateWithTaskbar },
        { "KeepCDSoundOnExit", &bar.m_bKeepCDSoundOnExit },
        { "KeepRadioSoundOnExit", &bar.m_bKeepRadioSoundOnExit },
        { "InsertIconToTaskbarWhenQuit", &bar.m_bInsertIconWhenQuit },
    } };
}

} // namespace

void CControllerDlg::LoadSettings()
{
    LoadModulePaths();

    BYTE abCompany[SETTING_BUFFER_SIZE];
    m_strCompanyLocal = ReadSuiteSetting("CompanyLocal", abCompany) ? (LPCSTR)abCompany : "MARVIK";

    RegKey key;
    if (key.Open(HKEY_CURRENT_USER, REGKEY_CONTROLLER, KEY_ALL_ACCESS)) {
        int anSequence[5] = { m_nLaunchOrder, m_launchOrder[0], m_launchOrder[1], m_launchOrder[2], m_launchOrder[3] };
        if (QueryBinary(key, "ModuleSequence", anSequence, sizeof anSequence)) {
            m_nLaunchOrder = anSequence[0];
            memcpy(m_launchOrder, anSequence + 1, sizeof m_launchOrder);
        }
        m_bModulePositionSaved = QueryBinary(key, "ModulePosition", m_ptModulePos, sizeof m_ptModulePos);
        for (const IntSetting& setting : IntSettings(*this))
            QueryBinary(key, setting.pszName, setting.pValue, 4);
    }

    if (!key.Open(HKEY_CURRENT_USER, REGKEY_WAVEPLAYER, KEY_QUERY_VALUE))
        return;
    for (const FormatField& field : s_formatFields) {
        if (field.pdw)
            QueryInt(key, field.pszName, m_wfxRecord.*field.pdw);
        else
            QueryWord(key, field.pszName, m_wfxRecord.*field.pw);
    }
}

void CControllerDlg::SaveSettings()
{
    RegKey key;
    if (key.Create(HKEY_CURRENT_USER, REGKEY_CONTROLLER, KEY_SET_VALUE)) {
        char szPath[256] = "", szName[_MAX_FNAME], szExt[_MAX_EXT], szFile[_MAX_PATH];
        GetModuleFileNameA(nullptr, szPath, sizeof szPath);
        _splitpath(szPath, nullptr, nullptr, szName, szExt);
        _makepath(szFile, nullptr, nullptr, szName, szExt);
        RegSetValueExA(key, "ControllerFileName", 0, REG_SZ, (const BYTE*)szFile, (DWORD)strlen(szFile) + 1);
        for (const IntSetting& setting : IntSettings(*this))
            SetBinary(key, setting.pszName, setting.pValue, 4);
    }

    if (!key.Create(HKEY_CURRENT_USER, REGKEY_WAVEPLAYER, KEY_SET_VALUE))
        return;
    for (const FormatField& field : s_formatFields)
        SetDword(key, field.pszName, field.pdw ? m_wfxRecord.*field.pdw : m_wfxRecord.*field.pw);
}

void CControllerDlg::SaveModuleLayout()
{
    // The running modules in their stacking order. A module that ended
    // without leaving still holds its order; it is not listed, and those
    // after it move up, so the next start begins with what really ran.
    int anRunning[MODULE_COUNT];
    int nRunning = 0;
    ForEachRunningModule([&](int i) {
        RecordModulePosition(i);
        anRunning[nRunning++] = i;
    });
    // Equal orders keep slot order.
    std::stable_sort(anRunning, anRunning + nRunning,
                     [&](int a, int b) { return m_modules[a].nOrder < m_modules[b].nOrder; });
    m_nLaunchOrder = nRunning;
    for (int n = 0; n < nRunning; n++)
        m_launchOrder[n] = anRunning[n];

    RegKey key;
    if (!key.Create(HKEY_CURRENT_USER, REGKEY_CONTROLLER, KEY_SET_VALUE))
        return;
    const int anSequence[5] = { m_nLaunchOrder, m_launchOrder[0], m_launchOrder[1], m_launchOrder[2],
                                m_launchOrder[3] };
    SetBinary(key, "ModuleSequence", anSequence, sizeof anSequence);
    static_assert(sizeof m_ptModulePos == 32, "\"ModulePosition\" is 32 bytes");
    SetBinary(key, "ModulePosition", m_ptModulePos, sizeof m_ptModulePos);
}

void CControllerDlg::RecordModulePosition(int nSlot)
{
    if (nSlot < 0 || nSlot >= MODULE_COUNT)
        return;
    HWND hWnd = m_modules[nSlot].hWnd;
    if (!IsWindow(hWnd))
        return;
    if (::IsIconic(hWnd)) {
        // A minimised window reports no useful rectangle until restored.
        ::ShowWindow(hWnd, SW_HIDE);
        ::ShowWindow(hWnd, SW_RESTORE);
    }
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    m_ptModulePos[nSlot].x = rc.left;
    m_ptModulePos[nSlot].y = rc.top;
}
