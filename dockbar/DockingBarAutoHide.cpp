// Auto-hide, the slide animation and following the taskbar's state.
#include "DockingBarDlg.h"

void CDockingBarDlg::ApplyTaskbarState(UINT uMask, UINT uState)
{
    BOOL bChanged = FALSE;
    if ((uMask & ABS_AUTOHIDE) && (m_dwFlags & DBF_ALLOWAUTOHIDE) &&
        m_state.bAutoHide != (BOOL)(uState & ABS_AUTOHIDE)) {
        m_state.bAutoHide = uState & ABS_AUTOHIDE;
        bChanged = TRUE;
    }
    // Always-on-top counts as a change even when it stays, so the state is re-applied.
    if ((uMask & ABS_ALWAYSONTOP) && (m_dwFlags & DBF_ALLOWALWAYSONTOP)) {
        m_state.bAlwaysOnTop = (uState & ABS_ALWAYSONTOP) != 0;
        bChanged = TRUE;
    }
    if (bChanged) {
        SetDockState(GetEffectiveEdge());
        ShowAutoHideBar(FALSE);
    }
}

BOOL CDockingBarDlg::CalcAutoHideRect(BOOL bShow, RECT* prc) const
{
    int nEdge = GetEffectiveEdge();
    if (!IsDockEdge(nEdge) || !m_state.bAutoHide)
        return FALSE;
    int cx = prc->right - prc->left;
    int cy = prc->bottom - prc->top;
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    int cyScreen = GetSystemMetrics(SM_CYSCREEN);
    int x = 0, y = 0;
    switch (nEdge) {
    case ABE_LEFT: x = bShow ? 0 : DB_HIDDEN_STRIP - cx; break;
    case ABE_TOP: y = bShow ? 0 : DB_HIDDEN_STRIP - cy; break;
    case ABE_RIGHT: x = bShow ? cxScreen - cx : cxScreen - DB_HIDDEN_STRIP; break;
    case ABE_BOTTOM: y = bShow ? cyScreen - cy : cyScreen - DB_HIDDEN_STRIP; break;
    }
    SetRect(prc, x, y, x + cx, y + cy);
    return TRUE;
}

void CDockingBarDlg::ShowAutoHideBar(BOOL bShow)
{
    RECT rc;
    GetWindowRect(&rc);
    m_bAutoHideShown = TRUE;
    if (CalcAutoHideRect(bShow, &rc)) {
        m_bAutoHideShown = bShow;
        SlideWindow(&rc);
    }
}

void CDockingBarDlg::SlideWindow(const RECT* prc)
{
    const UINT uFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    BOOL bFullDrag = FALSE;
    SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
    CRect rcOld;
    GetWindowRect(&rcOld);

    if (bFullDrag && !EqualRect(&rcOld, prc)) {
        const int cxTarget = prc->right - prc->left, cyTarget = prc->bottom - prc->top;
        DWORD t0 = s_pfnGetTickCount();
        DWORD tEnd = t0 + DB_SLIDE_TIME;
        // Unsigned: a slide that would cross the counter's wrap ends at once.
        for (DWORD t; (t = s_pfnGetTickCount()) < tEnd;) {
            int dt = (int)(t - t0);
            int x = rcOld.left - (rcOld.left - prc->left) * dt / DB_SLIDE_TIME;
            int y = rcOld.top - (rcOld.top - prc->top) * dt / DB_SLIDE_TIME;
            int cx = rcOld.Width() - (rcOld.Width() - cxTarget) * dt / DB_SLIDE_TIME;
            int cy = rcOld.Height() - (rcOld.Height() - cyTarget) * dt / DB_SLIDE_TIME;
            SetWindowPos(nullptr, x, y, cx, cy, uFlags);
            UpdateWindow();
        }
    }
    SetWindowPos(nullptr, prc->left, prc->top, prc->right - prc->left, prc->bottom - prc->top, uFlags);
    UpdateWindow();
}

void CDockingBarDlg::OnAutoHideDenied()
{
    CString strTitle = GetWindowText();
    MessageBoxA(nullptr,
                "There is already an auto hidden window on this edge.\n"
                "Only one auto hidden window is allowed on each edge.",
                strTitle, MB_OK | MB_ICONHAND);
}

void CDockingBarDlg::OnFullScreenApp(BOOL bOpen)
{
    m_bFullScreenApp = bOpen;
    SetDockState(GetEffectiveEdge());
}

void CDockingBarDlg::OnTaskbarStateChange(UINT uChanged, UINT uState)
{
    ApplyTaskbarState(uChanged, uState);
}

void CDockingBarDlg::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CDialog::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE)
        ShowAutoHideBar(FALSE);
    AppBarMessage(ABM_ACTIVATE, 0);
}

void CDockingBarDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == DB_AUTOHIDE_TIMER && GetActiveWindow() != m_hWnd) {
        CPoint pt(GetMessagePos());
        CRect rc;
        GetWindowRect(&rc);
        rc.InflateRect(2 * GetSystemMetrics(SM_CXDOUBLECLK), 2 * GetSystemMetrics(SM_CYDOUBLECLK));
        if (!rc.PtInRect(pt))
            ShowAutoHideBar(FALSE);
    }
    CDialog::OnTimer(nIDEvent);
}
