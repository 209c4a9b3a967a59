#include "PaneMouse.h"

BOOL CPaneMouse::IsInside(HWND hWnd, POINT pt)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    return ::PtInRect(&rc, pt);
}

BOOL CPaneMouse::OnMove(HWND hWnd, POINT pt)
{
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = { sizeof tme, TME_LEAVE, hWnd, 0 };
        m_bTracking = ::TrackMouseEvent(&tme);
    }
    // While the button is held the control has the capture and sees every move.
    BOOL bOver = IsInside(hWnd, pt);
    if (bOver == m_bOver)
        return FALSE;
    m_bOver = bOver;
    return TRUE;
}

BOOL CPaneMouse::OnLeave()
{
    m_bTracking = FALSE;
    if (m_bPressed || !m_bOver)
        return FALSE;
    m_bOver = FALSE;
    return TRUE;
}

BOOL CPaneMouse::OnPress(HWND hWnd)
{
    m_bPressed = TRUE;
    m_bOver = TRUE;
    ::SetCapture(hWnd);
    return TRUE;
}

BOOL CPaneMouse::OnRelease(HWND hWnd, POINT pt)
{
    if (!m_bPressed)
        return FALSE;
    // Cleared first: releasing the capture sends WM_CAPTURECHANGED at once.
    m_bPressed = FALSE;
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    m_bOver = IsInside(hWnd, pt);
    if (!m_bOver && m_bTracking) {
        // Released elsewhere: the next entry must arm the leave tracking anew.
        TRACKMOUSEEVENT tme = { sizeof tme, TME_LEAVE | TME_CANCEL, hWnd, 0 };
        ::TrackMouseEvent(&tme);
        m_bTracking = FALSE;
    }
    return m_bOver;
}

BOOL CPaneMouse::OnCaptureLost()
{
    if (!m_bPressed)
        return FALSE;
    m_bPressed = FALSE;
    m_bOver = FALSE;
    return TRUE;
}
