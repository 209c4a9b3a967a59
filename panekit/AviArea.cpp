#include "AviArea.h"
#include "PaneModule.h"
#include "afx/AfxMsgMap.h"
#include <commctrl.h>

BEGIN_MESSAGE_MAP(CAviArea, CBmArea)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// Clipped around the clip, which paints itself.
CAviArea::CAviArea(UINT nID, const RECT& rc, const RECT& rcAnim, UINT nIDBitmap, UINT nIDAvi,
                   CWnd* pParent, LPCSTR pszToolTip, int, HRGN, int, int)
    : CBmArea(nID, rc, pParent, nIDBitmap, pszToolTip, WS_CLIPCHILDREN)
{
    if (m_hWnd)
        CreateAnimation({ rcAnim.left, rcAnim.top }, nIDAvi);
}

CAviArea::~CAviArea()
{
    DestroyWindow();
}

void CAviArea::CreateAnimation(POINT ptAnim, UINT nIDAvi)
{
    CPaneModule::InitCommonControls();
    // A timer on this thread drives the frames: no drawing thread to outlive the area.
    m_hAnimate = ::CreateWindowExA(0, ANIMATE_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | ACS_TIMER,
                                   ptAnim.x, ptAnim.y, 0, 0, m_hWnd, nullptr, CPaneModule::Instance(), nullptr);
    if (!m_hAnimate)
        return;
    // The clip sizes the control; it belongs to the program, not to this DLL.
    if (::SendMessageA(m_hAnimate, ACM_OPENA, (WPARAM)CPaneModule::AppInstance(), (LPARAM)MAKEINTRESOURCEA(nIDAvi)))
        ::SendMessageA(m_hAnimate, ACM_PLAY, (WPARAM)-1, MAKELPARAM(0, 0xFFFF));
}

void CAviArea::OnDestroy()
{
    if (m_hAnimate) {
        ::SendMessageA(m_hAnimate, ACM_STOP, 0, 0);
        ::DestroyWindow(m_hAnimate);
        m_hAnimate = nullptr;
    }
    CBmArea::OnDestroy();
}
