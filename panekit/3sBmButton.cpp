#include "3sBmButton.h"
#include "afx/AfxMsgMap.h"

BEGIN_MESSAGE_MAP(C3sBmButton, CPaneControl)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_ENABLE()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

C3sBmButton::C3sBmButton(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip, int, int, HRGN,
                         int, int)
    : CPaneControl(nID, rc, pParent, nIDBitmap, pszToolTip, FACE_COUNT, 0)
{
}

C3sBmButton::~C3sBmButton() = default;

void C3sBmButton::SetButtonCursor(HCURSOR hCursor, HCURSOR hDownCursor)
{
    m_hCursor = hCursor;
    m_hDownCursor = hDownCursor;
}

void C3sBmButton::SetToolTip(LPCSTR pszText)
{
    m_strToolTip = pszText;
    if (m_hWnd)
        m_toolTip.SetText(m_hWnd, m_strToolTip);
}

int C3sBmButton::GetFace() const
{
    if (!::IsWindowEnabled(m_hWnd))
        return FACE_DISABLED;
    if (m_mouse.IsPressed())
        return m_mouse.IsOver() ? FACE_PRESSED : FACE_NORMAL;
    return m_mouse.IsOver() ? FACE_HIGHLIGHT : FACE_NORMAL;
}

void C3sBmButton::Redraw()
{
    Invalidate(FALSE);
    UpdateWindow();
}

void C3sBmButton::OnPaint()
{
    PaintFace(GetFace());
}

void C3sBmButton::OnMouseMove(UINT, CPoint point)
{
    if (m_mouse.OnMove(m_hWnd, point))
        Redraw();
}

void C3sBmButton::OnMouseLeave()
{
    if (m_mouse.OnLeave())
        Redraw();
}

void C3sBmButton::OnLButtonDown(UINT, CPoint)
{
    m_mouse.OnPress(m_hWnd);
    // No WM_SETCURSOR reaches a window while it holds the capture.
    if (m_hDownCursor)
        ::SetCursor(m_hDownCursor);
    Redraw();
}

void C3sBmButton::OnLButtonUp(UINT, CPoint point)
{
    BOOL bClick = m_mouse.OnRelease(m_hWnd, point);
    if (bClick && m_hCursor)
        ::SetCursor(m_hCursor);
    Redraw();
    if (bClick)
        PostClick();
}

void C3sBmButton::OnCaptureChanged(HWND)
{
    if (m_mouse.OnCaptureLost())
        Redraw();
}

void C3sBmButton::OnEnable(BOOL bEnable)
{
    if (!bEnable && m_mouse.IsPressed())
        ::ReleaseCapture();
    Redraw();
}

BOOL C3sBmButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    HCURSOR hCursor = m_mouse.IsPressed() ? m_hDownCursor : m_hCursor;
    if (nHitTest != HTCLIENT || !hCursor)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(hCursor);
    return TRUE;
}
