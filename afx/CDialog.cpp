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

// The dialog's own modal loop, as the framework runs it: the first time the
// queue is empty it shows a dialog that is not visible yet. The system's loop
// shows it then whatever its state, and so restored a bar minimised by then.
INT_PTR CDialog::DoModal()
{
    HWND hParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    const BOOL bDisableParent = hParent && ::IsWindowEnabled(hParent);
    if (bDisableParent)
        ::EnableWindow(hParent, FALSE);
    m_bInModalLoop = TRUE;
    m_nModalResult = -1;
    if (Create(m_nIDTemplate, m_pParentWnd))
        RunModalLoop();
    m_bInModalLoop = FALSE;
    // The owner is enabled before the dialog hides: a disabled owner cannot take
    // activation back, and the system would give it to some other window.
    if (bDisableParent)
        ::EnableWindow(hParent, TRUE);
    const BOOL bWasActive = ::GetActiveWindow() == m_hWnd;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    if (hParent && bWasActive)
        ::SetActiveWindow(hParent);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    BOOL bShowOnIdle = TRUE;
    // A dialog destroyed from inside ends the loop too: nothing would end it later.
    while (m_bInModalLoop && ::IsWindow(m_hWnd)) {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowOnIdle && !::IsWindowVisible(m_hWnd))
                ShowWindow(SW_SHOWNORMAL);
            bShowOnIdle = FALSE;
            ::WaitMessage();
            continue;
        }
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam); // for the loop outside
            break;
        }
        if (!::IsDialogMessageA(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void CDialog::EndDialog(int nResult)
{
    if (!m_bInModalLoop) {
        ::EndDialog(m_hWnd, nResult);
        return;
    }
    // DoModal hides the dialog once its owner is enabled again.
    m_nModalResult = nResult;
    m_bInModalLoop = FALSE;
    // Called from a message sent by another thread, the loop may be waiting in
    // WaitMessage: a posted message wakes it to see the flag, as ::EndDialog does.
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    CCreateHook hook(this);
    HINSTANCE hInst = m_hInstTemplate ? m_hInstTemplate : AfxGetResourceHandle();
    HWND hWnd = ::CreateDialogParamA(hInst, MAKEINTRESOURCEA(nIDTemplate), pParentWnd ? pParentWnd->m_hWnd : nullptr,
                                     DialogProc, 0);
    return hWnd != nullptr;
}
