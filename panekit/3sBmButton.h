// A three-state picture button of the bar: flat at rest, raised under the
// mouse, sunken while pressed, greyed when disabled. Its bitmap holds the
// four faces side by side; the button is one face wide.
#ifndef PANEKIT_3SBMBUTTON_H
#define PANEKIT_3SBMBUTTON_H

#include "afx/CWnd.h"
#include "panekit/PaneKitApi.h"
#include "panekit/PaneBitmap.h"
#include "panekit/PaneMouse.h"
#include "panekit/PaneToolTip.h"

class PANEKIT_API C3sBmButton : public CWnd {
public:
    enum { FACE_NORMAL, FACE_HIGHLIGHT, FACE_PRESSED, FACE_DISABLED, FACE_COUNT };

    // Only rc's left and top count: a position in pParent's client area.
    // The reserved values and hRgn are unused; the bar passes 0, 0, NULL, 1, 1.
    C3sBmButton(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip,
                int nReserved1, int nReserved2, HRGN hRgn, int nReserved3, int nReserved4);
    ~C3sBmButton() override;

    // Cursors stay the caller's; either may be NULL for the class arrow.
    void SetButtonCursor(HCURSOR hCursor, HCURSOR hDownCursor);
    void SetToolTip(LPCSTR pszText);

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCTA pcs);
    void OnDestroy();
    BOOL OnEraseBkgnd(HDC hDC);
    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(HWND hWndNew);
    void OnEnable(BOOL bEnable);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    int GetFace() const;
    void Redraw();

    UINT m_nID;
    CPaneBitmap m_bitmap;
    CString m_strToolTip;
    HCURSOR m_hCursor = nullptr;
    HCURSOR m_hDownCursor = nullptr;
    CPaneMouse m_mouse;
    CPaneToolTip m_toolTip;
};

#endif
