// What the bar's picture controls share: a child window one face of its
// bitmap wide, a tooltip, the mouse's state over it, a cursor of the
// caller's, and a click posted to the parent as a command.
#ifndef PANEKIT_PANECONTROL_H
#define PANEKIT_PANECONTROL_H

#include "afx/CWnd.h"
#include "panekit/PaneKitApi.h"
#include "panekit/PaneBitmap.h"
#include "panekit/PaneMouse.h"
#include "panekit/PaneToolTip.h"

class PANEKIT_API CPaneControl : public CWnd {
public:
    ~CPaneControl() override;

protected:
    // Only rc's left and top count. The bitmap holds nFaces faces side by
    // side; dwStyle adds to WS_CHILD | WS_VISIBLE.
    CPaneControl(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip, int nFaces, DWORD dwStyle);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCTA pcs);
    void OnDestroy();
    BOOL OnEraseBkgnd(HDC hDC);

    void PaintFace(int nFace);
    void PostClick();

    DECLARE_MESSAGE_MAP()

    UINT m_nID;
    CPaneBitmap m_bitmap;
    CString m_strToolTip;
    HCURSOR m_hCursor = nullptr;
    CPaneMouse m_mouse;
    CPaneToolTip m_toolTip;
};

#endif
