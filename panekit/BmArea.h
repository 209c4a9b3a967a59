// A still picture of the bar that answers a click, such as the logo: it
// sends its id to the parent as a command.
#ifndef PANEKIT_BMAREA_H
#define PANEKIT_BMAREA_H

#include "panekit/PaneControl.h"

class PANEKIT_API CBmArea : public CPaneControl {
public:
    // Only rc's left and top count; the area is as large as its bitmap.
    // pszToolTip may be NULL for no tip. The bar passes 0, NULL, 1, 1 for
    // the reserved values and hRgn, which are unused.
    CBmArea(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip, int nReserved1, HRGN hRgn,
            int nReserved2, int nReserved3);
    ~CBmArea() override;

    void SetButtonCursor(HCURSOR hCursor);

protected:
    // For areas that hold windows of their own (dwStyle adds to WS_CHILD | WS_VISIBLE).
    CBmArea(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip, DWORD dwStyle);

    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(HWND hWndNew);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()
};

#endif
