#include "LaunchAppsDlg.h"
#include "afx/CFileDialog.h"
#include "controller/ControllerDlg.h"
#include "res/resource.h"
#include <shellapi.h>
#include <cstdlib>
#include <vector>

BEGIN_MESSAGE_MAP(CLaunchAppsDlg, CDialog)
    ON_CONTROL(LBN_DBLCLK, IDC_LAUNCHAPPS_LIST, OnDblclkList)
    ON_BN_CLICKED(IDC_LAUNCHAPPS_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_LAUNCHAPPS_LAUNCH, OnLaunch)
    ON_BN_CLICKED(IDC_LAUNCHAPPS_REMOVE, OnRemove)
    ON_BN_CLICKED(IDOK, OnOK)
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

namespace {

void KeyName(int nKey, char* pszKey)
{
    _itoa(nKey, pszKey, 10);
}

CString EntryText(const CListBox& list, int nIndex)
{
    int nLength = list.GetTextLen(nIndex);
    if (nLength <= 0)
        return CString();
    std::vector<char> text((size_t)nLength + 1);
    list.GetText(nIndex, text.data());
    return CString(text.data());
}

} // namespace

void GetLaunchIniPath(char* pszPath)
{
    char szModule[256] = "";
    GetModuleFileNameA(nullptr, szModule, sizeof szModule);
    char szDrive[_MAX_DRIVE], szDir[_MAX_DIR];
    _splitpath(szModule, szDrive, szDir, nullptr, nullptr);
    _makepath(pszPath, szDrive, szDir, LAUNCH_INI_NAME, nullptr);
}

CLaunchAppsDlg::CLaunchAppsDlg(CWnd* pParent) : CDialog(IDD_LAUNCHAPPS, pParent)
{
}

void CLaunchAppsDlg::DoDataExchange()
{
    m_listApps.Bind(GetDlgItem(IDC_LAUNCHAPPS_LIST));
}

BOOL CLaunchAppsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    DoDataExchange();
    char szIniPath[MAX_PATH];
    GetLaunchIniPath(szIniPath);

    // The first missing or empty key ends the list.
    m_nLoadedCount = 0;
    for (int nKey = 1;; nKey++) {
        char szKey[16], szEntry[LAUNCH_ENTRY_SIZE];
        KeyName(nKey, szKey);
        GetPrivateProfileStringA(LAUNCH_SECTION, szKey, "", szEntry, sizeof szEntry, szIniPath);
        if (!szEntry[0])
            break;
        m_listApps.AddString(szEntry);
        m_nLoadedCount++;
    }
    return TRUE;
}

void CLaunchAppsDlg::OnBrowse()
{
    CFileDialog dlg(TRUE, nullptr, nullptr, 0, "Programs (*.exe)|*.exe|All Files (*.*)|*.*||", this);
    dlg.DoModal();
    CString strPath = dlg.GetPathName();
    if (strPath.IsEmpty())
        return;
    // The file keeps at most 255 characters a value: a longer path would come back cut.
    if (strPath.GetLength() >= LAUNCH_ENTRY_SIZE) {
        CString strText, strCaption = GetWindowText();
        strText.LoadString(IDS_LAUNCH_PATH_TOO_LONG);
        MessageBoxA(m_hWnd, strText, strCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_listApps.AddString(strPath);
}

void CLaunchAppsDlg::OnLaunch()
{
    int nSel = m_listApps.GetCurSel();
    if (nSel != LB_ERR) {
        CString strEntry = EntryText(m_listApps, nSel);
        ShellExecuteA(GetDesktopWindow(), "open", strEntry, nullptr, nullptr, SW_SHOWNORMAL);
    }
    OnOK();
}

void CLaunchAppsDlg::OnDblclkList()
{
    OnLaunch();
}

void CLaunchAppsDlg::OnRemove()
{
    int nSel = m_listApps.GetCurSel();
    if (nSel != LB_ERR)
        m_listApps.DeleteString(nSel);
}

void CLaunchAppsDlg::OnOK()
{
    char szIniPath[MAX_PATH];
    GetLaunchIniPath(szIniPath);
    char szKey[16];
    int nCount = m_listApps.GetCount();
    for (int i = 0; i < nCount; i++) {
        KeyName(i + 1, szKey);
        WritePrivateProfileStringA(LAUNCH_SECTION, szKey, EntryText(m_listApps, i), szIniPath);
    }
    // Keys beyond the ones read are not the list's: they stay as they are.
    for (int nKey = nCount + 1; nKey <= m_nLoadedCount; nKey++) {
        KeyName(nKey, szKey);
        WritePrivateProfileStringA(LAUNCH_SECTION, szKey, nullptr, szIniPath);
    }
    EndDialog(IDOK);
}

void CLaunchAppsDlg::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
    // Running modules stay stacked right behind the bar while the dialog is up.
    if (auto* pBar = dynamic_cast<CControllerDlg*>(m_pParentWnd))
        pBar->ArrangeModulesBehindBar();
}
