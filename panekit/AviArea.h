// The bar's moving logo: a picture with a looping clip played over part of
// it by the system's Animate control. A click anywhere on it, the clip
// included, sends its id to the parent as a command.
#ifndef PANEKIT_AVIAREA_H
#define PANEKIT_AVIAREA_H

#include "afx/CWnd.h"
#include "panekit/PaneKitApi.h"
#include "panekit/PaneBitmap.h"
#include "panekit/PaneMouse.h"
#include "panekit/PaneToolTip.h"

class PANEKIT_API CAviArea : public CWnd {
public:
    // Only the left and top of rc (in pParent's client area) and of rcAnim
    // (in the area's own) count: the area takes the bitmap's size, the clip
    // its own. nIDAvi names an "AVI" resource of the program. The bar
    // passes 0, NULL, 1, 1 for the reserved values and hRgn, which are unused.
    CAviArea(UINT nID, const RECT& rc, const RECT& rcAnim, UINT nIDBitmap, UINT nIDAvi, CWnd* pParent,
             LPCSTR pszToolTip, int nReserved1, HRGN hRgn, int nReserved2, int nReserved3);
    ~CAviArea() override;

    void SetButtonCursor(HCURSOR hCursor);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCTA pcs);
    void OnDestroy();
    BOOL OnEraseBkgnd(HDC hDC);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(HWND hWndNew);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    void CreateAnimation();

    UINT m_nID;
    UINT m_nIDAvi;
    POINT m_ptAnim;
    CPaneBitmap m_bitmap;
    CString m_strToolTip;
    HCURSOR m_hCursor = nullptr;
    HWND m_hAnimate = nullptr;
    CPaneMouse m_mouse;
    CPaneToolTip m_toolTip;
};

#endif
