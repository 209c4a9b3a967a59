#include "AviArea.h"
#include "PaneModule.h"
#include "afx/AfxMsgMap.h"
#include <commctrl.h>

// A clip looping for as long as the bar runs would keep an idle bar busy:
// it plays a few times when it appears, and again when the pointer comes by.
constexpr int CLIP_PLAYS = 3;
constexpr int CLIP_PLAY_TIME = CLIP_PLAYS * 16 * 66666 / 1000; // ms

BEGIN_MESSAGE_MAP(CAviArea, CBmArea)
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

// Clipped around the clip, which paints itself.
CAviArea::CAviArea(UINT nID, const RECT& rc, const RECT& rcAnim, UINT nIDBitmap, UINT nIDAvi, CWnd* pParent,
                   LPCSTR pszToolTip, int, HRGN, int, int)
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
    m_hAnimate = ::CreateWindowExA(0, ANIMATE_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | ACS_TIMER, ptAnim.x, ptAnim.y, 0,
                                   0, m_hWnd, nullptr, CPaneModule::Instance(), nullptr);
    if (!m_hAnimate)
        return;
    // The clip sizes the control; it belongs to the program, not to this DLL.
    if (::SendMessageA(m_hAnimate, ACM_OPENA, (WPARAM)CPaneModule::AppInstance(), (LPARAM)MAKEINTRESOURCEA(nIDAvi)))
        Play();
}

void CAviArea::Play()
{
    ::SendMessageA(m_hAnimate, ACM_PLAY, CLIP_PLAYS, MAKELPARAM(0, 0xFFFF));
    m_dwPlayStart = GetTickCount();
}

void CAviArea::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_hAnimate && GetTickCount() - m_dwPlayStart > CLIP_PLAY_TIME)
        Play();
    CBmArea::OnMouseMove(nFlags, point);
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
