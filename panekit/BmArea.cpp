#include "BmArea.h"
#include "afx/AfxMsgMap.h"

BEGIN_MESSAGE_MAP(CBmArea, CPaneControl)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CBmArea::CBmArea(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip, int, HRGN, int, int)
    : CBmArea(nID, rc, pParent, nIDBitmap, pszToolTip, 0)
{
}

CBmArea::CBmArea(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip, DWORD dwStyle)
    : CPaneControl(nID, rc, pParent, nIDBitmap, pszToolTip, 1, dwStyle)
{
}

CBmArea::~CBmArea() = default;

void CBmArea::SetButtonCursor(HCURSOR hCursor)
{
    m_hCursor = hCursor;
}

void CBmArea::OnPaint()
{
    PaintFace(0);
}

void CBmArea::OnLButtonDown(UINT, CPoint)
{
    m_mouse.OnPress(m_hWnd);
}

void CBmArea::OnLButtonUp(UINT, CPoint point)
{
    if (m_mouse.OnRelease(m_hWnd, point))
        PostClick();
}

void CBmArea::OnCaptureChanged(HWND)
{
    m_mouse.OnCaptureLost();
}

BOOL CBmArea::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // A child, such as the logo's clip, passes its WM_SETCURSOR up here too.
    if (nHitTest != HTCLIENT || !m_hCursor)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(m_hCursor);
    return TRUE;
}
