// The bar's moving logo: a picture with a looping clip played over part of
// it by the system's Animate control. A click anywhere on it, the clip
// included, sends its id to the parent as a command.
#ifndef PANEKIT_AVIAREA_H
#define PANEKIT_AVIAREA_H

#include "panekit/BmArea.h"

class PANEKIT_API CAviArea : public CBmArea {
public:
    // Only the left and top of rc (in pParent's client area) and of rcAnim
    // (in the area's own) count: the area takes the bitmap's size, the clip
    // its own. nIDAvi names an "AVI" resource of the program. The bar
    // passes 0, NULL, 1, 1 for the reserved values and hRgn, which are unused.
    CAviArea(UINT nID, const RECT& rc, const RECT& rcAnim, UINT nIDBitmap, UINT nIDAvi, CWnd* pParent,
             LPCSTR pszToolTip, int nReserved1, HRGN hRgn, int nReserved2, int nReserved3);
    ~CAviArea() override;

protected:
    void OnDestroy();
    void OnMouseMove(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    void CreateAnimation(POINT ptAnim, UINT nIDAvi);
    void Play();

    HWND m_hAnimate = nullptr;
    DWORD m_dwPlayStart = 0;
};

#endif
