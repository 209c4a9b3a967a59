#include "BmArea.h"
#include "PaneModule.h"
#include "afx/AfxMsgMap.h"
#include "afx/CPaintDC.h"

BEGIN_MESSAGE_MAP(CBmArea, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CBmArea::CBmArea(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip,
                 int, HRGN, int, int)
    : CBmArea(nID, rc, pParent, nIDBitmap, pszToolTip, 0)
{
}

CBmArea::CBmArea(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip, DWORD dwStyle)
    : m_nID(nID), m_bitmap(nIDBitmap), m_strToolTip(pszToolTip)
{
    SIZE size = m_bitmap.GetSize();
    CRect rcWnd(rc.left, rc.top, rc.left + size.cx, rc.top + size.cy);
    CreateEx(0, CPaneModule::ControlClass(), m_strToolTip, WS_CHILD | WS_VISIBLE | dwStyle,
             rcWnd, pParent, (HMENU)(UINT_PTR)nID);
}

CBmArea::~CBmArea()
{
    DestroyWindow();
}

BOOL CBmArea::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.hInstance = CPaneModule::Instance();
    return TRUE;
}

LRESULT CBmArea::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_toolTip.RelayEvent(m_hWnd, message, wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

void CBmArea::SetButtonCursor(HCURSOR hCursor)
{
    m_hCursor = hCursor;
}

int CBmArea::OnCreate(LPCREATESTRUCTA)
{
    m_toolTip.SetText(m_hWnd, m_strToolTip);
    return 0;
}

void CBmArea::OnDestroy()
{
    m_toolTip.Destroy();
    Default();
}

BOOL CBmArea::OnEraseBkgnd(HDC)
{
    return TRUE;
}

void CBmArea::OnPaint()
{
    CPaintDC dc(m_hWnd);
    CRect rc;
    GetClientRect(rc);
    m_bitmap.Draw(dc, 0, 0, rc.Width(), rc.Height(), 0);
}

void CBmArea::OnLButtonDown(UINT, CPoint)
{
    m_mouse.OnPress(m_hWnd);
}

void CBmArea::OnLButtonUp(UINT, CPoint point)
{
    // Posted, not sent: the parent may delete this area in its handler.
    if (m_mouse.OnRelease(m_hWnd, point))
        ::PostMessageA(GetParent(), WM_COMMAND, MAKEWPARAM(m_nID, BN_CLICKED), (LPARAM)m_hWnd);
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
