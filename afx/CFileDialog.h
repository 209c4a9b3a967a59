// The system's file-open (or save-as) dialog, constructed as the framework
// constructs it: the filter is one string with '|' between its parts.
#ifndef AFX_CFILEDIALOG_H
#define AFX_CFILEDIALOG_H

#include "CWnd.h"
#include <commdlg.h>
#include <string>

class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR pszDefExt = nullptr, LPCSTR pszFileName = nullptr, DWORD dwFlags = 0,
                LPCSTR pszFilter = nullptr, CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file, IDCANCEL otherwise.
    INT_PTR DoModal();
    // The chosen file's full path; empty after a cancel.
    CString GetPathName() const { return m_szFileName; }

    OPENFILENAMEA m_ofn;

private:
    // Room for paths beyond MAX_PATH, so that callers see them whole and can refuse them.
    static const DWORD FILE_BUFFER_SIZE = 1024;

    BOOL m_bOpenFileDialog;
    std::string m_strDefExt;
    std::string m_strFilter; // the parts separated by NULs, ending in two
    char m_szFileName[FILE_BUFFER_SIZE];
};

#endif
