// A three-state picture button of the bar: flat at rest, raised under the
// mouse, sunken while pressed, greyed when disabled. Its bitmap holds the
// four faces side by side; the button is one face wide.
#ifndef PANEKIT_3SBMBUTTON_H
#define PANEKIT_3SBMBUTTON_H

#include "panekit/PaneControl.h"

class PANEKIT_API C3sBmButton : public CPaneControl {
public:
    enum { FACE_NORMAL, FACE_HIGHLIGHT, FACE_PRESSED, FACE_DISABLED, FACE_COUNT };

    // Only rc's left and top count: a position in pParent's client area.
    // The reserved values and hRgn are unused; the bar passes 0, 0, NULL, 1, 1.
    C3sBmButton(UINT nID, const RECT& rc, CWnd* pParent, UINT nIDBitmap, LPCSTR pszToolTip, int nReserved1,
                int nReserved2, HRGN hRgn, int nReserved3, int nReserved4);
    ~C3sBmButton() override;

    // Cursors stay the caller's; either may be NULL for the class arrow.
    void SetButtonCursor(HCURSOR hCursor, HCURSOR hDownCursor);
    void SetToolTip(LPCSTR pszText);

protected:
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

    HCURSOR m_hDownCursor = nullptr;
};

#endif
