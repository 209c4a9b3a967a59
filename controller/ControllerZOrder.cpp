// Keeping the running modules right behind the bar, and a dialog of the
// bar's above it.
#include "controller/ControllerDlg.h"

// Whether the running modules already stand right after the bar in exactly
// the order PutModulesBehindBar leaves them (each put behind the bar in turn,
// so the last one first); the hit test asks on every mouse move, so this
// spares the modules' processes a reordering that changes nothing.
bool CControllerDlg::ModulesBehindBar() const
{
    HWND ahRunning[MODULE_COUNT];
    int nRunning = 0;
    ForEachRunningModule([&](int i) { ahRunning[nRunning++] = m_modules[i].hWnd; });
    HWND h = m_hWnd;
    while (nRunning > 0) {
        h = ::GetWindow(h, GW_HWNDNEXT);
        if (h != ahRunning[--nRunning])
            return false;
    }
    return true;
}

void CControllerDlg::PutModulesBehindBar()
{
    if (ModulesBehindBar())
        return;
    ForEachRunningModule([&](int i) {
        ::SetWindowPos(m_modules[i].hWnd, m_hWnd, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        ::UpdateWindow(m_modules[i].hWnd);
    });
}

void CControllerDlg::ArrangeModulesBehindBar()
{
    if (m_nSavedEdge == DBE_FLOAT) {
        PutModulesBehindBar();
        return;
    }
    const UINT uFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;
    // Out of the topmost band and to the top of the ordinary windows, where modules can follow it.
    if (m_state.bAlwaysOnTop) {
        SetWindowPos(HWND_BOTTOM, 0, 0, 0, 0, uFlags | SWP_NOREDRAW);
        SetWindowPos(HWND_TOP, 0, 0, 0, 0, uFlags | SWP_NOREDRAW);
    }
    PutModulesBehindBar();
    if (m_state.bAlwaysOnTop)
        SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, uFlags);
}

void CControllerDlg::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    if (nState == WA_ACTIVE || nState == WA_CLICKACTIVE) {
        UpdateWindow();
        if (!m_nModulesMinimized)
            ArrangeModulesBehindBar();
        // A dialog that is closing is hidden first; activation then stays with the bar.
        HWND hDialog = FindOpenDialog();
        if (hDialog && ::IsWindowVisible(hDialog)) {
            ::SetWindowPos(hDialog, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
            return;
        }
    }
    CDockingBarDlg::OnActivate(nState, pWndOther, bMinimized);
}

int CControllerDlg::OnMouseActivate(CWnd*, UINT, UINT)
{
    // While a dialog is open a click on the bar only raises the dialog.
    if (HWND hDialog = FindOpenDialog()) {
        ::SetWindowPos(hDialog, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        return MA_NOACTIVATEANDEAT;
    }
    return (int)Default();
}

LRESULT CControllerDlg::OnNcHitTest(CPoint point)
{
    // The search for an open dialog walks every dialog on the desktop: it comes
    // last, when there is something to move.
    if ((m_nSavedEdge == DBE_FLOAT || !m_state.bAlwaysOnTop) && !ModulesBehindBar() && !FindOpenDialog())
        PutModulesBehindBar();
    return CDockingBarDlg::OnNcHitTest(point);
}
