#include "PaneBitmap.h"
#include "PaneModule.h"
#include "afx/CPaintDC.h"

HBITMAP CPaneBitmap::Load() const
{
    return ::LoadBitmapA(CPaneModule::AppInstance(), MAKEINTRESOURCEA(m_nID));
}

SIZE CPaneBitmap::GetSize() const
{
    SIZE size = {};
    CGdiObject<HBITMAP> bmp(Load());
    BITMAP bm;
    if (bmp && ::GetObjectA(bmp, sizeof bm, &bm)) {
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight;
    }
    return size;
}

BOOL CPaneBitmap::Draw(HDC hDC, int x, int y, int cx, int cy, int xSrc) const
{
    CGdiObject<HBITMAP> bmp(Load());
    if (!bmp)
        return FALSE;
    CMemoryDC dcMem(hDC);
    CSelectObject select(dcMem, bmp);
    return ::BitBlt(hDC, x, y, cx, cy, dcMem, xSrc, 0, SRCCOPY);
}
