// Dragging the bar, keeping the modules behind it, and its two feet.
#include "controller/ControllerDlg.h"
#include "controller/Leg.h"
#include "res/resource.h"
#include <new>

#define STACK_BAR_HEIGHT    50      // the floating bar and the gap below it
#define STACK_MODULE_HEIGHT 97

namespace {

// Whether a window came, went or changed its title anywhere since a mouse
// move last looked for the volume control: only then is a title search due.
BOOL s_bWindowsChanged = TRUE;

void CALLBACK OnWindowEvent(HWINEVENTHOOK, DWORD, HWND, LONG idObject, LONG idChild, DWORD, DWORD)
{
    if (idObject == OBJID_WINDOW && idChild == CHILDID_SELF)
        s_bWindowsChanged = TRUE;
}

// The cursor position of the current message, in screen coordinates.
CPoint GetMessagePoint()
{
    return CPoint(GetMessagePos());
}

void DrawFocus(const RECT& rc)
{
    if (IsRectEmpty(&rc))
        return;
    CClientDC dc(nullptr);
    DrawFocusRect(dc, &rc);
}

} // namespace

void CControllerDlg::WatchWindows(BOOL bWatch)
{
    for (HWINEVENTHOOK& hHook : m_ahWindowEvents) {
        if (hHook)
            UnhookWinEvent(hHook);
        hHook = nullptr;
    }
    if (!bWatch)
        return;
    s_bWindowsChanged = TRUE;
    m_ahWindowEvents[0] = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_DESTROY, nullptr, OnWindowEvent,
                                          0, 0, WINEVENT_OUTOFCONTEXT);
    m_ahWindowEvents[1] = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                          OnWindowEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
}

int CControllerDlg::GetStackHeight() const
{
    int cy = STACK_BAR_HEIGHT;
    ForEachRunningModule([&](int) { cy += STACK_MODULE_HEIGHT; });
    return cy;
}

void CControllerDlg::GetDragDockRect(int nEdge, RECT* prc)
{
    SetRectEmpty(prc);
    if (!IsDockEdge(nEdge))
        return;
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    RECT rc = {};
    switch (nEdge) {
    case ABE_LEFT:   SetRect(&rc, 0, 0, BAR_THICKNESS, cy); break;
    case ABE_TOP:    SetRect(&rc, 0, 0, cx, BAR_THICKNESS); break;
    case ABE_RIGHT:  SetRect(&rc, cx - BAR_THICKNESS, 0, cx, cy); break;
    case ABE_BOTTOM: SetRect(&rc, 0, cy - BAR_THICKNESS, cx, cy); break;
    }
    AppBarMessage(ABM_QUERYPOS, nEdge, 0, &rc);
    // The shell moves only the conflicting side; keep the band 32 pixels thick.
    switch (nEdge) {
    case ABE_LEFT:   rc.right = rc.left + BAR_THICKNESS; break;
    case ABE_TOP:    rc.bottom = rc.top + BAR_THICKNESS; break;
    case ABE_RIGHT:  rc.left = rc.right - BAR_THICKNESS; break;
    case ABE_BOTTOM: rc.top = rc.bottom - BAR_THICKNESS; break;
    }
    *prc = rc;
}

void CControllerDlg::OnLButtonDown(UINT, CPoint)
{
    CPoint pt = GetMessagePoint();
    SetCapture(m_hWnd);
    GetWindowRect(&m_rcDragStart);
    m_rcDrag = m_rcDragStart;
    m_rcDragGroup = m_rcDragStart;
    if (m_nSavedEdge == DBE_FLOAT)
        m_rcDragGroup.bottom = m_rcDragGroup.top + GetStackHeight();
    SetRectEmpty(&m_rcFocus);
    m_ptDragStart = pt;
    Default();
}

// The rectangle a docked bar takes when a drag lets it float at pt.
static RECT FloatRectAt(POINT pt)
{
    return { pt.x - BAR_FLOAT_WIDTH / 2, pt.y - 3, pt.x + BAR_FLOAT_WIDTH / 2, pt.y - 3 + BAR_FLOAT_HEIGHT };
}

void CControllerDlg::OnMouseMove(UINT nFlags, CPoint)
{
    CPoint pt = GetMessagePoint();
    // The Volume Control takes no part in the protocol: this is how the bar learns of it.
    if (m_bHasMixer) {
        CString strTitle;
        strTitle.LoadString(IDS_TITLE_VOLUME);
        // A search after any window came or went; the window found is checked every time,
        // since not every platform reports a window that goes or is renamed.
        char szTitle[64] = "";
        if (m_hVolumeControl)
            ::GetWindowTextA(m_hVolumeControl, szTitle, sizeof szTitle);     // empty once it has gone
        if (s_bWindowsChanged || (m_hVolumeControl && strTitle != szTitle)) {
            s_bWindowsChanged = FALSE;
            m_hVolumeControl = FindWindowA(nullptr, strTitle);
        }
        BOOL bLaunch = m_hVolumeControl == nullptr;
        if (bLaunch != m_bLaunchModule[MODULE_VOLUME])
            SetModuleLaunchState(MODULE_VOLUME, bLaunch);
    }

    if (nFlags == MK_LBUTTON && GetCapture() == m_hWnd) {
        int nEdge = CalcProposedEdge(pt);
        RECT rcFocus;
        if (IsDockEdge(nEdge)) {
            GetDragDockRect(nEdge, &m_rcDrag);
            rcFocus = m_rcDrag;
        } else if (m_nSavedEdge == DBE_FLOAT) {
            m_rcDrag = m_rcDragStart;
            OffsetRect(&m_rcDrag, pt.x - m_ptDragStart.x, pt.y - m_ptDragStart.y);
            rcFocus = m_rcDragGroup;
            OffsetRect(&rcFocus, pt.x - m_ptDragStart.x, pt.y - m_ptDragStart.y);
        } else {
            m_rcDrag = FloatRectAt(pt);
            SetRect(&rcFocus, pt.x - BAR_FLOAT_WIDTH / 2, pt.y, pt.x + BAR_FLOAT_WIDTH / 2, pt.y + GetStackHeight());
        }
        // DrawFocusRect inverts: drawing the old outline again removes it.
        DrawFocus(m_rcFocus);
        m_rcFocus = rcFocus;
        DrawFocus(m_rcFocus);
    }
    Default();
}

void CControllerDlg::OnLButtonUp(UINT, CPoint)
{
    CPoint pt = GetMessagePoint();
    if (GetCapture() != m_hWnd) {
        Default();
        return;
    }
    ReleaseCapture();
    DrawFocus(m_rcFocus);
    SetRectEmpty(&m_rcFocus);
    if (pt == m_ptDragStart) {
        Default();      // a click without movement
        return;
    }

    int nEdge = CalcProposedEdge(pt);
    if (IsDockEdge(nEdge)) {
        if (m_bAlwaysOnTopSetting)
            SetAlwaysOnTop(TRUE);
        HideLegs();
        ShowWindow(SW_HIDE);
        SetDockState(nEdge);
        ShowWindow(SW_SHOW);
        UpdateWindow();
    } else {
        if (m_nSavedEdge == DBE_FLOAT) {
            SetWindowPos(nullptr, m_rcDrag.left, m_rcDrag.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        } else {
            // Taken at the release itself, so that a drag whose moves were not
            // tracked (Shift or Ctrl held) floats the bar at the cursor too.
            m_rcDrag = FloatRectAt(pt);
            if (m_bAlwaysOnTopSetting)
                SetAlwaysOnTop(FALSE);
            ShowWindow(SW_HIDE);
            SetDockState(DBE_FLOAT);
            SetWindowPos(nullptr, m_rcDrag.left, m_rcDrag.top, m_rcDrag.right - m_rcDrag.left,
                         m_rcDrag.bottom - m_rcDrag.top, SWP_NOZORDER);
            ShowWindow(SW_SHOW);
            UpdateWindow();
            ShowLegs();
        }
        if (AnyModuleRunning()) {
            UpdateModulePositions();
            MoveModules();
        }
    }
    Default();
}

void CControllerDlg::OnRButtonUp(UINT, CPoint)
{
    // During a left-button drag the menu does not open.
    if (GetCapture() == m_hWnd)
        return;
    Default();
}

// Whether the running modules already come right after the bar in the
// z-order; the hit test asks on every mouse move, so this spares the
// modules' processes a reordering that changes nothing.
bool CControllerDlg::ModulesBehindBar() const
{
    int nRunning = 0;
    ForEachRunningModule([&](int) { nRunning++; });
    int nFound = 0;
    for (HWND h = ::GetWindow(m_hWnd, GW_HWNDNEXT); h && nFound < nRunning; h = ::GetWindow(h, GW_HWNDNEXT)) {
        bool bModule = false;
        ForEachRunningModule([&](int i) { bModule |= m_modules[i].hWnd == h; });
        if (!bModule)
            return false;
        nFound++;
    }
    return nFound == nRunning;
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
        if (HWND hDialog = FindOpenDialog()) {
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
    if (!FindOpenDialog() && (m_nSavedEdge == DBE_FLOAT || !m_state.bAlwaysOnTop))
        PutModulesBehindBar();
    return CDockingBarDlg::OnNcHitTest(point);
}

void CControllerDlg::OnMove(int, int)
{
    Default();
    CRect rc;
    GetWindowRect(&rc);
    // Only the floating bar measures 408 x 45: only floating positions are kept.
    if (rc.Width() == BAR_FLOAT_WIDTH && rc.Height() == BAR_FLOAT_HEIGHT) {
        m_rcFloat = rc;
        m_state.rcFloat = rc;
        PlaceLegs();
    }
}

void CControllerDlg::CreateLegs()
{
    for (CLeg*& pLeg : m_pLeg)
        pLeg = new (std::nothrow) CLeg(CRect(0, 0, LEG_WIDTH, LEG_HEIGHT), this);
}

void CControllerDlg::DestroyLegs()
{
    for (CLeg*& pLeg : m_pLeg) {
        if (pLeg && IsWindow(pLeg->m_hWnd))
            delete pLeg;
        pLeg = nullptr;
    }
}

void CControllerDlg::SetLegsPos(const POINT* pptPos, UINT uFlags)
{
    for (int i = 0; i < 2; i++) {
        CLeg* pLeg = m_pLeg[i];
        if (pLeg && IsWindow(pLeg->m_hWnd))
            pLeg->SetWindowPos(m_hWnd, pptPos ? pptPos[i].x : 0, pptPos ? pptPos[i].y : 0, 0, 0,
                               uFlags | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CControllerDlg::PlaceLegs()
{
    CRect rc;
    GetWindowRect(&rc);
    const POINT aptPos[2] = { { rc.left + 19, rc.bottom - 2 }, { rc.left + 368, rc.bottom - 2 } };
    SetLegsPos(aptPos, SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void CControllerDlg::HideLegs()
{
    SetLegsPos(nullptr, SWP_NOMOVE | SWP_HIDEWINDOW);
}

void CControllerDlg::ShowLegs()
{
    if (IsWindowVisible())
        SetLegsPos(nullptr, SWP_NOMOVE | SWP_SHOWWINDOW);
}
