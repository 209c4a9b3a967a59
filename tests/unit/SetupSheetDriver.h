// Drives the modal Setup sheet from inside its own message loop: a thread
// timer runs the test's steps one after another, each until it reports
// done, so nothing assumes that a message has been handled synchronously.
#ifndef TESTS_UNIT_SETUPSHEETDRIVER_H
#define TESTS_UNIT_SETUPSHEETDRIVER_H

#include "res/resource.h"
#include "settings/RegistryKeys.h"
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

inline BOOL CALLBACK FindSetupSheetProc(HWND hWnd, LPARAM lParam)
{
    char sz[64] = "";
    GetWindowTextA(hWnd, sz, sizeof sz);
    if (lstrcmpA(sz, "Tymp Studio Setup") != 0 || !IsWindowVisible(hWnd))
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

// The sheet of this thread (another process may show one of its own), or null.
inline HWND FindSetupSheet()
{
    HWND hFound = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSetupSheetProc, (LPARAM)&hFound);
    return hFound;
}

class SetupSheetDriver {
public:
    // A step returns true when it is done; it runs again on the next tick otherwise.
    using Step = std::function<bool(HWND hSheet)>;

    SetupSheetDriver& Then(Step step) { m_steps.push_back(std::move(step)); return *this; }

    // Shows page nPage and waits until it is current.
    SetupSheetDriver& Page(int nPage)
    {
        bool bSent = false;
        return Then([=](HWND hSheet) mutable {
            if (!bSent) {
                SendMessageA(hSheet, PSM_SETCURSEL, nPage, 0);
                bSent = true;
            }
            HWND hTab = (HWND)SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0);
            return SendMessageA(hTab, TCM_GETCURSEL, 0, 0) == nPage && CurrentPage(hSheet);
        });
    }

    // Clicks a check box of the current page and waits for its mark to change.
    SetupSheetDriver& Click(int nID)
    {
        LRESULT nBefore = -1;
        return Then([=](HWND hSheet) mutable {
            HWND hBox = GetDlgItem(CurrentPage(hSheet), nID);
            if (nBefore == -1) {
                nBefore = SendMessageA(hBox, BM_GETCHECK, 0, 0);
                SendMessageA(hBox, BM_CLICK, 0, 0);
            }
            return SendMessageA(hBox, BM_GETCHECK, 0, 0) != nBefore;
        });
    }

    // Chooses entry nIndex of a list of the current page, as a user's choice tells the page.
    SetupSheetDriver& Choose(int nID, int nIndex)
    {
        return Then([=](HWND hSheet) {
            HWND hPage = CurrentPage(hSheet);
            HWND hList = GetDlgItem(hPage, nID);
            SendMessageA(hList, CB_SETCURSEL, nIndex, 0);
            SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)hList);
            return true;
        });
    }

    // Looks at the sheet once, in a step of its own.
    SetupSheetDriver& Inspect(std::function<void(HWND hSheet, HWND hPage)> fn)
    {
        return Then([=](HWND hSheet) { fn(hSheet, CurrentPage(hSheet)); return true; });
    }

    SetupSheetDriver& Press(int nButton)
    {
        return Then([=](HWND hSheet) { PostMessageA(hSheet, PSM_PRESSBUTTON, nButton, 0); return true; });
    }
    SetupSheetDriver& Ok() { return Press(PSBTN_OK); }
    SetupSheetDriver& Cancel() { return Press(PSBTN_CANCEL); }

    // Presses the bar's Setup button; returns when the sheet has closed. A
    // script that stalls is cancelled after dwTimeout and reported.
    void Run(HWND hBar, DWORD dwTimeout = 8000)
    {
        m_nStep = 0;
        m_bSawSheet = false;
        m_strStalled.clear();
        m_dwStart = GetTickCount();
        m_dwTimeout = dwTimeout;
        s_pCurrent = this;
        UINT_PTR nTimer = SetTimer(nullptr, 0, 20, Tick);
        SendMessageA(hBar, WM_COMMAND, ID_SETUP_BUTTON, 0);
        KillTimer(nullptr, nTimer);
        s_pCurrent = nullptr;
    }

    static HWND CurrentPage(HWND hSheet) { return (HWND)SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0); }

    bool m_bSawSheet = false;
    std::string m_strStalled;   // empty unless a step never finished
    bool Finished() const { return m_nStep == m_steps.size() && m_strStalled.empty(); }

private:
    static VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        SetupSheetDriver* p = s_pCurrent;
        HWND hSheet = FindSetupSheet();
        if (p && !hSheet && GetTickCount() - p->m_dwStart > p->m_dwTimeout + 2000)
            p->CloseStrayDialog();
        if (!p || !hSheet || p->m_bBusy)
            return;
        p->m_bSawSheet = true;
        if (GetTickCount() - p->m_dwStart > p->m_dwTimeout) {
            if (p->m_strStalled.empty()) {
                p->m_strStalled = "step " + std::to_string(p->m_nStep) + " of " + std::to_string(p->m_steps.size()) +
                                  " never finished";
                PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            }
            return;
        }
        if (p->m_nStep >= p->m_steps.size())
            return;
        // A step's own messages may run this timer again; one step at a time.
        p->m_bBusy = true;
        if (p->m_steps[p->m_nStep](hSheet))
            p->m_nStep++;
        p->m_bBusy = false;
    }

    static BOOL CALLBACK FindOwnedDialog(HWND hWnd, LPARAM lParam)
    {
        char szClass[16] = "";
        GetClassNameA(hWnd, szClass, sizeof szClass);
        if (lstrcmpA(szClass, "#32770") == 0 && IsWindowVisible(hWnd) && GetParent(hWnd)) {
            *(HWND*)lParam = hWnd;
            return FALSE;
        }
        return TRUE;
    }

    // Whatever else still holds the bar's loop (a message box after OK) is
    // ended, so that a fault fails the test instead of hanging it.
    void CloseStrayDialog()
    {
        HWND hFound = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, (LPARAM)&hFound);
        if (hFound) {
            m_strStalled = "a dialog stayed open after the sheet";
            PostMessageA(hFound, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(hFound, WM_COMMAND, IDOK, 0);
        }
    }

    std::vector<Step> m_steps;
    size_t m_nStep = 0;
    DWORD m_dwStart = 0;
    DWORD m_dwTimeout = 0;
    bool m_bBusy = false;
    static inline SetupSheetDriver* s_pCurrent = nullptr;
};

// Every value of a registry key: name → type and bytes.
using RegistryValues = std::map<std::string, std::pair<DWORD, std::vector<BYTE>>>;

inline RegistryValues ReadKeyValues(HKEY hRoot, const char* pszKey)
{
    RegistryValues values;
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; i++) {
        char szName[256];
        BYTE ab[1024];
        DWORD cchName = sizeof szName, cb = sizeof ab, dwType = 0;
        if (RegEnumValueA(hKey, i, szName, &cchName, nullptr, &dwType, ab, &cb) != ERROR_SUCCESS)
            break;
        values[szName] = { dwType, std::vector<BYTE>(ab, ab + cb) };
    }
    RegCloseKey(hKey);
    return values;
}

inline std::string DescribeValue(const std::pair<DWORD, std::vector<BYTE>>& value)
{
    std::ostringstream os;
    const auto& ab = value.second;
    if (value.first == REG_SZ)
        return "\"" + std::string(std::string(ab.begin(), ab.end()).c_str()) + "\"";
    if (ab.size() == 4) {
        os << *(const int*)ab.data();
        return os.str();
    }
    os << ab.size() << " bytes";
    return os.str();
}

// The names whose values differ, each with its old and new value.
inline std::map<std::string, std::string> Differences(const RegistryValues& before, const RegistryValues& after)
{
    std::map<std::string, std::string> diff;
    for (const auto& [name, value] : after) {
        auto it = before.find(name);
        if (it == before.end())
            diff[name] = "(none) -> " + DescribeValue(value);
        else if (it->second != value)
            diff[name] = DescribeValue(it->second) + " -> " + DescribeValue(value);
    }
    for (const auto& [name, value] : before)
        if (!after.count(name))
            diff[name] = DescribeValue(value) + " -> (none)";
    return diff;
}

inline std::string Describe(const std::map<std::string, std::string>& diff)
{
    std::string s;
    for (const auto& [name, change] : diff)
        s += name + ": " + change + "\n";
    return s.empty() ? "(no difference)" : s;
}

// The system's audio-CD "play" command, put back as it was when this ends:
// the machine-wide key is shared with everything else in the prefix.
class SavedAudioCDCommand {
public:
    SavedAudioCDCommand()
    {
        HKEY hKey;
        m_bKeyExisted = RegOpenKeyExA(HKEY_LOCAL_MACHINE, REGKEY_AUDIOCD_PLAY, 0, KEY_READ, &hKey) == ERROR_SUCCESS;
        if (m_bKeyExisted) {
            m_bValueExisted = Query(hKey, m_strValue);
            RegCloseKey(hKey);
        }
    }
    ~SavedAudioCDCommand()
    {
        if (!m_bKeyExisted) {
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, REGKEY_AUDIOCD_PLAY);
            return;
        }
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, REGKEY_AUDIOCD_PLAY, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
            return;
        if (m_bValueExisted)
            RegSetValueExA(hKey, nullptr, 0, REG_SZ, (const BYTE*)m_strValue.c_str(), (DWORD)m_strValue.size() + 1);
        else
            RegDeleteValueA(hKey, nullptr);
        RegCloseKey(hKey);
    }

    // The current command, or "(none)" when there is none.
    static std::string Get()
    {
        HKEY hKey;
        std::string s = "(none)";
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, REGKEY_AUDIOCD_PLAY, 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
            Query(hKey, s);
            RegCloseKey(hKey);
        }
        return s;
    }
    static void Set(const std::string& s)
    {
        HKEY hKey;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, REGKEY_AUDIOCD_PLAY, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr);
        RegSetValueExA(hKey, nullptr, 0, REG_SZ, (const BYTE*)s.c_str(), (DWORD)s.size() + 1);
        RegCloseKey(hKey);
    }

private:
    static bool Query(HKEY hKey, std::string& s)
    {
        char sz[1024];
        DWORD cb = sizeof sz, dwType = 0;
        if (RegQueryValueExA(hKey, nullptr, nullptr, &dwType, (LPBYTE)sz, &cb) != ERROR_SUCCESS)
            return false;
        s.assign(sz, cb && sz[cb - 1] == '\0' ? cb - 1 : cb);
        return true;
    }
    bool m_bKeyExisted = false;
    bool m_bValueExisted = false;
    std::string m_strValue;
};

#endif
