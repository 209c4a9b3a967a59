// Dragging the bar: its outline, and where it docks or floats when let go.
#include "controller/ControllerDlg.h"
#include "afx/CPaintDC.h"

constexpr int STACK_BAR_HEIGHT = 50; // the floating bar and the gap below it
constexpr int STACK_MODULE_HEIGHT = 97;

namespace {

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

// The rectangle a docked bar takes when a drag lets it float at pt.
RECT FloatRectAt(POINT pt)
{
    return { pt.x - BAR_FLOAT_WIDTH / 2, pt.y - 3, pt.x + BAR_FLOAT_WIDTH / 2, pt.y - 3 + BAR_FLOAT_HEIGHT };
}

} // namespace

int CControllerDlg::GetStackHeight() const
{
    int cy = STACK_BAR_HEIGHT;
    ForEachRunningModule([&](int) { cy += STACK_MODULE_HEIGHT; });
    return cy;
}

// The drag outline's docked place: unlike the docking base's GetDockRect, the
// 32-pixel band at the edge, always as the shell would adjust it.
void CControllerDlg::GetDragDockRect(int nEdge, RECT* prc)
{
    if (!IsDockEdge(nEdge)) {
        SetRectEmpty(prc);
        return;
    }
    RECT rc = EdgeBand(nEdge, ScreenRect(), BAR_THICKNESS);
    AppBarMessage(ABM_QUERYPOS, nEdge, 0, &rc);
    *prc = EdgeBand(nEdge, rc, BAR_THICKNESS);
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

void CControllerDlg::OnMouseMove(UINT nFlags, CPoint)
{
    CPoint pt = GetMessagePoint();
    FollowVolumeControl();

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
        Default(); // a click without movement
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
