#include "DockingBarDlg.h"
#include "AppBarService.h"
#include <cstdlib>
#include <cstring>

UINT g_uAppBarNotifyMessage;
UINT g_uTaskbarCreatedMessage;

DWORD(WINAPI* CDockingBarDlg::s_pfnGetTickCount)() = GetTickCount;

BEGIN_MESSAGE_MAP(CDockingBarDlg, CDialog)
    ON_REGISTERED_MESSAGE(g_uAppBarNotifyMessage, OnAppBarNotify)
    ON_REGISTERED_MESSAGE(g_uTaskbarCreatedMessage, OnTaskbarCreated)
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_ENTERSIZEMOVE, OnEnterSizeMove)
    ON_WM_SIZING()
    ON_WM_MOVING()
    ON_MESSAGE(WM_EXITSIZEMOVE, OnExitSizeMove)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_ACTIVATE()
    ON_WM_NCHITTEST()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CDockingBarDlg::CDockingBarDlg(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent)
{
    m_state = {};
    m_state.cbSize = sizeof(DOCKBARSTATE);
    m_state.nEdge = ABE_BOTTOM;
    m_uTaskbarState = (UINT)AppBarMessage(ABM_GETSTATE, 0);
}

CDockingBarDlg::~CDockingBarDlg() = default;

static_assert(sizeof(void*) != 4 || sizeof(APPBARDATA) == 36, "the 32-bit APPBARDATA");
static_assert(sizeof(void*) != 8 || sizeof(APPBARDATA) == 48, "the 64-bit APPBARDATA");

UINT_PTR CDockingBarDlg::AppBarMessage(DWORD dwMessage, int nEdge, LPARAM lParam, RECT* prc)
{
    APPBARDATA abd = {};
    abd.cbSize = sizeof abd;
    abd.hWnd = m_hWnd;
    abd.uCallbackMessage = g_uAppBarNotifyMessage;
    abd.uEdge = (UINT)nEdge;
    if (prc)
        abd.rc = *prc;
    abd.lParam = lParam;
    UINT_PTR uResult = g_pfnAppBarMessage(dwMessage, &abd);
    if (prc)
        *prc = abd.rc;
    return uResult;
}

int CDockingBarDlg::GetAutoHideEdge()
{
    for (int nEdge = ABE_LEFT; nEdge <= ABE_BOTTOM; nEdge++) {
        if (GetAutoHideBar(nEdge) == m_hWnd)
            return nEdge;
    }
    return -1;
}

int CDockingBarDlg::GetEffectiveEdge() const
{
    return m_nProposedEdge != DBE_NONE ? m_nProposedEdge : m_state.nEdge;
}

void CDockingBarDlg::SetBarState(const DOCKBARSTATE* pState)
{
    if (!pState)
        return;
    // A shorter record from an older caller leaves the later fields alone.
    UINT cb = pState->cbSize < sizeof m_state ? pState->cbSize : sizeof m_state;
    memmove(&m_state, pState, cb);
    m_state.cbSize = sizeof m_state;
    if (IsWindow(m_hWnd))
        SetDockState(GetEffectiveEdge());
}

// A floating place saved on a screen that is gone moves onto the nearest
// monitor; one that touches any monitor, wherever it lies, is kept.
void CDockingBarDlg::KeepOnMonitor(RECT* prc)
{
    if (MonitorFromRect(prc, MONITOR_DEFAULTTONULL))
        return;
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    if (!GetMonitorInfoA(MonitorFromRect(prc, MONITOR_DEFAULTTONEAREST), &mi))
        return;
    const RECT& rcWork = mi.rcWork;
    int dx = prc->right > rcWork.right ? rcWork.right - prc->right : 0;
    int dy = prc->bottom > rcWork.bottom ? rcWork.bottom - prc->bottom : 0;
    if (prc->left + dx < rcWork.left)
        dx = rcWork.left - prc->left;
    if (prc->top + dy < rcWork.top)
        dy = rcWork.top - prc->top;
    OffsetRect(prc, dx, dy);
}

void CDockingBarDlg::SetDockState(int nEdge)
{
    int nAutoHideEdge = GetAutoHideEdge();
    if (nAutoHideEdge != -1)
        AppBarMessage(ABM_SETAUTOHIDEBAR, nAutoHideEdge, FALSE);

    m_state.nEdge = nEdge;
    if (nEdge == DBE_NONE) {
        AppBarMessage(ABM_REMOVE, 0);
    } else if (IsDockEdge(nEdge)) {
        int nEffective = GetEffectiveEdge();
        if (m_state.bAutoHide && !AppBarMessage(ABM_SETAUTOHIDEBAR, nEffective, TRUE)) {
            m_state.bAutoHide = FALSE;
            OnAutoHideDenied();
        }
        RECT rc = {};
        GetDockRect(nEffective, &rc);
        if (m_state.bAutoHide) {
            RECT rcNone = {}; // an auto-hide bar reserves no space
            AppBarMessage(ABM_SETPOS, ABE_LEFT, 0, &rcNone);
        } else {
            AppBarMessage(ABM_SETPOS, nEdge, 0, &rc);
        }
        CalcAutoHideRect(m_bAutoHideShown, &rc);
        SlideWindow(&rc);
    } else {
        // Floating; an unknown position (from stored settings) floats as well,
        // so that the bar stays on the screen with the value kept as it is.
        RECT rcNone = {};
        AppBarMessage(ABM_SETPOS, DBE_FLOAT, 0, &rcNone);
        KeepOnMonitor(&m_state.rcFloat);
        const RECT& rc = m_state.rcFloat;
        SetWindowPos(nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND hWndAfter = HWND_NOTOPMOST;
    if (m_state.bAlwaysOnTop)
        hWndAfter = m_bFullScreenApp ? HWND_BOTTOM : HWND_TOPMOST;
    SetWindowPos(hWndAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    AppBarMessage(ABM_ACTIVATE, 0);
    OnEdgeChanged(FALSE, nEdge);
}

void CDockingBarDlg::GetDockRect(int nEdge, RECT* prc)
{
    if (!IsDockEdge(nEdge))
        return;
    RECT rc = ScreenRect();
    if (!m_state.bAutoHide)
        AppBarMessage(ABM_QUERYPOS, nEdge, 0, &rc);
    *prc = EdgeBand(nEdge, rc, m_state.anDockSize[nEdge]);
}

RECT CDockingBarDlg::ScreenRect()
{
    return { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
}

// rc cut to the band cThick wide along nEdge; ABM_QUERYPOS moves the
// conflicting side only, so this also restores the thickness after it.
RECT CDockingBarDlg::EdgeBand(int nEdge, RECT rc, int cThick)
{
    switch (nEdge) {
    case ABE_LEFT: rc.right = rc.left + cThick; break;
    case ABE_TOP: rc.bottom = rc.top + cThick; break;
    case ABE_RIGHT: rc.left = rc.right - cThick; break;
    case ABE_BOTTOM: rc.top = rc.bottom - cThick; break;
    }
    return rc;
}

int CDockingBarDlg::EdgeFromPoint(DWORD dwFlags, POINT pt)
{
    if (dwFlags & DBF_ALLOWFLOAT) {
        RECT rcWork;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
        InflateRect(&rcWork, -GetSystemMetrics(SM_CXVSCROLL), -GetSystemMetrics(SM_CYHSCROLL));
        if (PtInRect(&rcWork, pt) || !(dwFlags & (DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM)))
            return DBE_FLOAT;
    }
    long long cx = GetSystemMetrics(SM_CXSCREEN);
    long long cy = GetSystemMetrics(SM_CYSCREEN);
    long long dx = pt.x - cx / 2;
    long long dy = pt.y - cy / 2;
    int nSide = dx < 0 ? ABE_LEFT : ABE_RIGHT;
    int nVertical = dy < 0 ? ABE_TOP : ABE_BOTTOM;
    // Relative to the screen's proportions, at least as far out sideways as vertically.
    if (cx * llabs(dy) <= cy * llabs(dx) && (dwFlags & DBF_ALLOWLEFTRIGHT))
        return nSide;
    if (dwFlags & DBF_ALLOWTOPBOTTOM)
        return nVertical;
    return nSide;
}

int CDockingBarDlg::CalcProposedEdge(POINT pt) const
{
    if ((GetKeyState(VK_CONTROL) & 0x8000) && (m_dwFlags & DBF_ALLOWFLOAT))
        return DBE_FLOAT;
    return EdgeFromPoint(m_dwFlags, pt);
}

LRESULT CDockingBarDlg::OnEnterSizeMove(WPARAM, LPARAM)
{
    m_nProposedEdge = GetEffectiveEdge();
    return 0;
}

void CDockingBarDlg::OnMoving(UINT, LPRECT prc)
{
    CPoint pt(GetMessagePos());
    int nEdge = CalcProposedEdge(pt);
    if (m_nProposedEdge != DBE_FLOAT && nEdge == DBE_FLOAT) {
        // Leaving an edge: hang a floating-sized rectangle from the cursor.
        int cx = m_state.rcFloat.right - m_state.rcFloat.left;
        int cy = m_state.rcFloat.bottom - m_state.rcFloat.top;
        prc->left = pt.x - cx / 2;
        prc->top = pt.y;
        prc->right = prc->left + cx;
        prc->bottom = pt.y + cy;
    }
    m_nProposedEdge = nEdge;
    GetDockRect(nEdge, prc);
    OnEdgeChanged(TRUE, nEdge);
}

LRESULT CDockingBarDlg::OnExitSizeMove(WPARAM, LPARAM)
{
    int nEdge = m_nProposedEdge;
    // Without a move in progress (a stray message) there is nothing to apply.
    if (nEdge == DBE_NONE)
        return 0;
    m_nProposedEdge = DBE_NONE;
    CRect rc;
    GetWindowRect(&rc);
    if (IsDockEdge(nEdge) && nEdge == m_state.nEdge)
        m_state.anDockSize[nEdge] = (nEdge == ABE_LEFT || nEdge == ABE_RIGHT) ? rc.Width() : rc.Height();
    if (nEdge == DBE_FLOAT)
        m_state.rcFloat = rc;
    SetDockState(nEdge);
    return 0;
}

void CDockingBarDlg::OnSizing(UINT nSide, LPRECT prc)
{
    CRect rcFrame(0, 0, 0, 0);
    AdjustWindowRectEx(&rcFrame, GetStyle(), FALSE, GetExStyle());
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    // An increment of 0 means that dimension is not resizable: it keeps its size.
    auto snap = [](int cDrag, int cBorder, int nInc, int cCurrent) {
        if (nInc <= 0)
            return cCurrent;
        return ((nInc / 2 + cDrag - cBorder) / nInc) * nInc + cBorder;
    };
    int cx = snap(prc->right - prc->left, rcFrame.Width(), m_cxSizeInc, rcWindow.Width());
    int cy = snap(prc->bottom - prc->top, rcFrame.Height(), m_cySizeInc, rcWindow.Height());

    switch (nSide) {
    case WMSZ_LEFT:
    case WMSZ_TOPLEFT:
    case WMSZ_BOTTOMLEFT: prc->left = prc->right - cx; break;
    case WMSZ_RIGHT:
    case WMSZ_TOPRIGHT:
    case WMSZ_BOTTOMRIGHT: prc->right = prc->left + cx; break;
    }
    switch (nSide) {
    case WMSZ_TOP:
    case WMSZ_TOPLEFT:
    case WMSZ_TOPRIGHT: prc->top = prc->bottom - cy; break;
    case WMSZ_BOTTOM:
    case WMSZ_BOTTOMLEFT:
    case WMSZ_BOTTOMRIGHT: prc->bottom = prc->top + cy; break;
    }
}

LRESULT CDockingBarDlg::OnNcHitTest(CPoint point)
{
    LRESULT nHit = Default();
    int nEdge = GetEffectiveEdge();
    if (IsDockEdge(nEdge) && nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT) {
        BOOL bAcross = nEdge == ABE_LEFT || nEdge == ABE_RIGHT;
        if ((bAcross ? m_cxSizeInc : m_cySizeInc) == 0) {
            nHit = HTBORDER;
        } else {
            // Only the inner edge sizes a docked bar.
            CRect rc;
            GetClientRect(&rc);
            MapWindowPoints(m_hWnd, nullptr, (POINT*)&rc, 2);
            nHit = HTBORDER;
            if (nEdge == ABE_LEFT && point.x >= rc.right)
                nHit = HTRIGHT;
            else if (nEdge == ABE_TOP && point.y >= rc.bottom)
                nHit = HTBOTTOM;
            else if (nEdge == ABE_RIGHT && point.x < rc.left)
                nHit = HTLEFT;
            else if (nEdge == ABE_BOTTOM && point.y < rc.top)
                nHit = HTTOP;
        }
    }
    ShowAutoHideBar(TRUE);
    return nHit;
}

LRESULT CDockingBarDlg::OnAppBarNotify(WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case ABN_STATECHANGE:
        if (m_bFollowTaskbarState) {
            UINT uState = (UINT)AppBarMessage(ABM_GETSTATE, 0);
            UINT uChanged = (uState ^ m_uTaskbarState) & (ABS_AUTOHIDE | ABS_ALWAYSONTOP);
            OnTaskbarStateChange(uChanged, uState);
            m_uTaskbarState = uState;
        }
        break;
    case ABN_POSCHANGED: OnTaskbarPosChanged(); break;
    case ABN_FULLSCREENAPP: OnFullScreenApp((BOOL)lParam); break;
    case ABN_WINDOWARRANGE: OnWindowArrange((BOOL)lParam); break;
    }
    return 0;
}

void CDockingBarDlg::OnTaskbarPosChanged()
{
    int nEdge = GetEffectiveEdge();
    if (nEdge == DBE_FLOAT || m_state.bAutoHide)
        return;
    // The shell may grant a different rectangle now.
    SetDockState(nEdge);
    Invalidate(TRUE);
}

LRESULT CDockingBarDlg::OnTaskbarCreated(WPARAM, LPARAM)
{
    AppBarMessage(ABM_NEW, 0);
    SetDockState(m_state.nEdge);
    return 0;
}

// A docked bar spans the new screen; a floating one stays on a monitor.
LRESULT CDockingBarDlg::OnDisplayChange(WPARAM, LPARAM)
{
    SetDockState(m_state.nEdge);
    return 0;
}

int CDockingBarDlg::OnCreate(LPCREATESTRUCTA pcs)
{
    if (CDialog::OnCreate(pcs) == -1)
        return -1;
    SetTimer(DB_AUTOHIDE_TIMER, DB_AUTOHIDE_PERIOD);
    AppBarMessage(ABM_NEW, 0);
    ApplyTaskbarState(ABS_AUTOHIDE | ABS_ALWAYSONTOP, m_uTaskbarState);
    return 0;
}

void CDockingBarDlg::OnDestroy()
{
    CDialog::OnDestroy();
    KillTimer(DB_AUTOHIDE_TIMER);
    SetDockState(DBE_NONE);
}

void CDockingBarDlg::OnWindowPosChanged(WINDOWPOS* pwp)
{
    CDialog::OnWindowPosChanged(pwp);
    AppBarMessage(ABM_WINDOWPOSCHANGED, 0);
}
