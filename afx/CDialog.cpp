#include "CDialog.h"
#include "CWinApp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    // Everything else reaches the object through the subclassed window procedure.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pDlg = static_cast<CDialog*>(FromHandlePermanent(hWnd));
    return pDlg ? pDlg->OnInitDialog() : TRUE;
}

INT_PTR CDialog::DoModal()
{
    HWND hParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    CCreateHook hook(this);
    HINSTANCE hInst = m_hInstTemplate ? m_hInstTemplate : AfxGetResourceHandle();
    return ::DialogBoxParamA(hInst, MAKEINTRESOURCEA(m_nIDTemplate),
                             hParent, DialogProc, 0);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    CCreateHook hook(this);
    HINSTANCE hInst = m_hInstTemplate ? m_hInstTemplate : AfxGetResourceHandle();
    HWND hWnd = ::CreateDialogParamA(hInst, MAKEINTRESOURCEA(nIDTemplate),
                                     pParentWnd ? pParentWnd->m_hWnd : nullptr, DialogProc, 0);
    return hWnd != nullptr;
}
