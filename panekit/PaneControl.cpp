#include "PaneControl.h"
#include "PaneModule.h"
#include "afx/AfxMsgMap.h"
#include "afx/CPaintDC.h"

BEGIN_MESSAGE_MAP(CPaneControl, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CPaneControl::CPaneControl(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip, int nFaces,
                           DWORD dwStyle)
    : m_nID(nID), m_bitmap(nIDBitmap), m_strToolTip(pszToolTip)
{
    SIZE size = m_bitmap.GetSize();
    CRect rcWnd(rc.left, rc.top, rc.left + size.cx / nFaces, rc.top + size.cy);
    CreateEx(0, CPaneModule::ControlClass(), m_strToolTip, WS_CHILD | WS_VISIBLE | dwStyle, rcWnd, pParent,
             (HMENU)(UINT_PTR)nID);
}

CPaneControl::~CPaneControl()
{
    // While the object is whole, so that OnDestroy still runs.
    DestroyWindow();
}

BOOL CPaneControl::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.hInstance = CPaneModule::Instance();
    return TRUE;
}

LRESULT CPaneControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_toolTip.RelayEvent(m_hWnd, message, wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

int CPaneControl::OnCreate(LPCREATESTRUCTA)
{
    m_toolTip.SetText(m_hWnd, m_strToolTip);
    return 0;
}

void CPaneControl::OnDestroy()
{
    m_toolTip.Destroy();
    Default();
}

BOOL CPaneControl::OnEraseBkgnd(HDC)
{
    // The face covers the whole control; erasing first would only flicker.
    return TRUE;
}

void CPaneControl::PaintFace(int nFace)
{
    CPaintDC dc(m_hWnd);
    CRect rc;
    GetClientRect(rc);
    m_bitmap.Draw(dc, 0, 0, rc.Width(), rc.Height(), nFace * rc.Width());
}

void CPaneControl::PostClick()
{
    // Posted, not sent: the parent may delete this control in its handler.
    ::PostMessageA(GetParent(), WM_COMMAND, MAKEWPARAM(m_nID, BN_CLICKED), (LPARAM)m_hWnd);
}
