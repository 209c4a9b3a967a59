#include "CFileDialog.h"
#include <cstring>

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR pszDefExt, LPCSTR pszFileName, DWORD dwFlags, LPCSTR pszFilter,
                         CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileName()
{
    if (pszFileName)
        lstrcpynA(m_szFileName, pszFileName, sizeof m_szFileName);
    if (pszFilter) {
        m_strFilter = pszFilter;
        for (char& c : m_strFilter) {
            if (c == '|')
                c = '\0';
        }
        // The list of pairs ends in an empty string, whatever the caller wrote.
        m_strFilter.push_back('\0');
    }
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    m_ofn.lpstrFilter = pszFilter ? m_strFilter.c_str() : nullptr;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    if (pszDefExt) {
        m_strDefExt = pszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt.c_str();
    }
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal()
{
    // The common dialogs bring the printing system with them: loaded when first asked for.
    typedef BOOL(WINAPI * PFNGETFILENAME)(LPOPENFILENAMEA);
    static HMODULE s_hComDlg = LoadLibraryA("comdlg32.dll");
    auto pfnGetFileName = s_hComDlg ? (PFNGETFILENAME)(void*)GetProcAddress(
                                          s_hComDlg, m_bOpenFileDialog ? "GetOpenFileNameA" : "GetSaveFileNameA")
                                    : nullptr;
    BOOL bChosen = pfnGetFileName && pfnGetFileName(&m_ofn);
    if (bChosen)
        return IDOK;
    // A failed dialog may leave the size it needed in the buffer; nothing was chosen.
    m_szFileName[0] = '\0';
    return IDCANCEL;
}
