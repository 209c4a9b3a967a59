#include "AviArea.h"
#include "PaneModule.h"
#include "afx/AfxMsgMap.h"
#include "afx/CPaintDC.h"
#include <commctrl.h>

BEGIN_MESSAGE_MAP(CAviArea, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CAviArea::CAviArea(UINT nID, const RECT& rc, const RECT& rcAnim, UINT nIDBitmap, UINT nIDAvi,
                   CWnd* pParent, LPCSTR pszToolTip, int, HRGN, int, int)
    : m_nID(nID), m_nIDAvi(nIDAvi), m_ptAnim{ rcAnim.left, rcAnim.top }, m_bitmap(nIDBitmap),
      m_strToolTip(pszToolTip)
{
    SIZE size = m_bitmap.GetSize();
    CRect rcWnd(rc.left, rc.top, rc.left + size.cx, rc.top + size.cy);
    // Clipped around the clip, which paints itself.
    CreateEx(0, CPaneModule::ControlClass(), m_strToolTip, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
             rcWnd, pParent, (HMENU)(UINT_PTR)nID);
}

CAviArea::~CAviArea()
{
    DestroyWindow();
}

BOOL CAviArea::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.hInstance = CPaneModule::Instance();
    return TRUE;
}

BOOL CAviArea::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CAviArea::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_toolTip.RelayEvent(m_hWnd, message, wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

void CAviArea::SetButtonCursor(HCURSOR hCursor)
{
    m_hCursor = hCursor;
}

void CAviArea::CreateAnimation()
{
    CPaneModule::InitCommonControls();
    // A timer on this thread drives the frames: no drawing thread to outlive the area.
    m_hAnimate = ::CreateWindowExA(0, ANIMATE_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | ACS_TIMER,
                                   m_ptAnim.x, m_ptAnim.y, 0, 0, m_hWnd, nullptr,
                                   CPaneModule::Instance(), nullptr);
    if (!m_hAnimate)
        return;
    // The clip sizes the control; it belongs to the program, not to this DLL.
    if (::SendMessageA(m_hAnimate, ACM_OPENA, (WPARAM)CPaneModule::AppInstance(),
                       (LPARAM)MAKEINTRESOURCEA(m_nIDAvi)))
        ::SendMessageA(m_hAnimate, ACM_PLAY, (WPARAM)-1, MAKELPARAM(0, 0xFFFF));
}

int CAviArea::OnCreate(LPCREATESTRUCTA)
{
    CreateAnimation();
    m_toolTip.SetText(m_hWnd, m_strToolTip);
    return 0;
}

void CAviArea::OnDestroy()
{
    m_toolTip.Destroy();
    if (m_hAnimate) {
        ::SendMessageA(m_hAnimate, ACM_STOP, 0, 0);
        ::DestroyWindow(m_hAnimate);
        m_hAnimate = nullptr;
    }
    Default();
}

BOOL CAviArea::OnEraseBkgnd(HDC)
{
    return TRUE;
}

void CAviArea::OnPaint()
{
    CPaintDC dc(m_hWnd);
    CRect rc;
    GetClientRect(rc);
    m_bitmap.Draw(dc, 0, 0, rc.Width(), rc.Height(), 0);
}

void CAviArea::OnLButtonDown(UINT, CPoint)
{
    m_mouse.OnPress(m_hWnd);
}

void CAviArea::OnLButtonUp(UINT, CPoint point)
{
    // Posted, not sent: the parent may delete this area in its handler.
    if (m_mouse.OnRelease(m_hWnd, point))
        ::PostMessageA(GetParent(), WM_COMMAND, MAKEWPARAM(m_nID, BN_CLICKED), (LPARAM)m_hWnd);
}

void CAviArea::OnCaptureChanged(HWND)
{
    m_mouse.OnCaptureLost();
}

BOOL CAviArea::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // The clip's control passes its WM_SETCURSOR up here too.
    if (nHitTest != HTCLIENT || !m_hCursor)
        return CWnd::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(m_hCursor);
    return TRUE;
}
