// The bar's three faces: floating, docked top or bottom, docked left or right.
#include "controller/ControllerDlg.h"
#include "afx/CPaintDC.h"
#include "res/resource.h"

namespace {

HBITMAP LoadBarBitmap(UINT nID)
{
    return LoadBitmapA(AfxFindResourceHandle(MAKEINTRESOURCEA(nID), (LPCSTR)RT_BITMAP), MAKEINTRESOURCEA(nID));
}

SIZE BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm = {};
    GetObjectA(hBitmap, sizeof bm, &bm);
    return { bm.bmWidth, bm.bmHeight };
}

// Copies a bitmap unscaled, or stretched to cx by cy when they are given.
void DrawBitmap(HDC hDC, HDC hMemDC, HBITMAP hBitmap, int x, int y, int cx = 0, int cy = 0)
{
    if (!hBitmap)
        return;
    SIZE size = BitmapSize(hBitmap);
    CSelectObject select(hMemDC, hBitmap);
    if (cx && cy)
        StretchBlt(hDC, x, y, cx, cy, hMemDC, 0, 0, size.cx, size.cy, SRCCOPY);
    else
        BitBlt(hDC, x, y, size.cx, size.cy, hMemDC, 0, 0, SRCCOPY);
}

void Polyline3(HDC hDC, HPEN hPen, int x0, int y0, int x1, int y1, int x2, int y2)
{
    SelectObject(hDC, hPen);
    MoveToEx(hDC, x0, y0, nullptr);
    LineTo(hDC, x1, y1);
    LineTo(hDC, x2, y2);
}

} // namespace

void CControllerDlg::OnPaint()
{
    CPaintDC dc(m_hWnd);
    CRect rc;
    GetClientRect(&rc);
    const int W = rc.Width(), H = rc.Height();

    if (IsIconic()) {
        SendMessage(WM_ICONERASEBKGND, (WPARAM)(HDC)dc);
        DrawIcon(dc, (W - GetSystemMetrics(SM_CXICON) + 1) / 2, (H - GetSystemMetrics(SM_CYICON) + 1) / 2, m_hIcon);
        return;
    }
    if (!m_bInitialized)
        return;

    CMemoryDC dcMem(dc);
    CGdiObject<HPEN> penBlack(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    CGdiObject<HPEN> penDark(CreatePen(PS_SOLID, 1, RGB(128, 128, 128)));
    CGdiObject<HPEN> penLight(CreatePen(PS_SOLID, 1, RGB(192, 192, 192)));
    CGdiObject<HPEN> penWhite(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    CSelectObject selectPen(dc, penLight);

    switch (m_nOrientation) {
    case 0: {
        CGdiObject<HBITMAP> bmpFace(LoadBarBitmap(BITMAP_FACE_FLOAT));
        CSelectObject select(dcMem, bmpFace);
        BitBlt(dc, 0, 0, W, H, dcMem, 0, 0, SRCCOPY);
        return;     // the floating face is the bitmap alone
    }
    case 1: {
        CGdiObject<HBITMAP> bmpFace(LoadBarBitmap(BITMAP_FACE_HORZ));
        CGdiObject<HBITMAP> bmpPlate(LoadBarBitmap(BITMAP_PLATE_HORZ));
        DrawBitmap(dc, dcMem, bmpFace, 0, 0, W, H);
        SIZE size = BitmapSize(bmpPlate);
        DrawBitmap(dc, dcMem, bmpPlate, W - size.cx - 8, (H - size.cy) / 2);
        break;
    }
    case 2: {
        CGdiObject<HBITMAP> bmpFace(LoadBarBitmap(BITMAP_FACE_VERT));
        CGdiObject<HBITMAP> bmpPlate(LoadBarBitmap(BITMAP_PLATE_VERT));
        DrawBitmap(dc, dcMem, bmpFace, 0, 0, W, H);
        SIZE size = BitmapSize(bmpPlate);
        DrawBitmap(dc, dcMem, bmpPlate, (W - size.cx) / 2, H - size.cy - 8);
        break;
    }
    default:
        return;
    }

    // A raised border; line ends are not drawn.
    const int w = W - 1, h = H - 1;
    Polyline3(dc, penWhite, 1, h - 1, 1, 1, w - 1, 1);
    Polyline3(dc, penBlack, 0, h, w, h, w, 0);
    Polyline3(dc, penDark, 1, h - 1, w - 1, h - 1, w - 1, 1);

    // Etched separators between the groups of controls.
    const BOOL bHorizontal = m_nOrientation == ORIENT_HORZ;
    for (int nShift = 0; nShift < 2; nShift++) {
        SelectObject(dc, nShift ? (HPEN)penWhite : (HPEN)penDark);
        for (int s : m_xSeparator) {
            s += nShift;
            MoveToEx(dc, bHorizontal ? s : 5, bHorizontal ? 5 : s, nullptr);
            LineTo(dc, bHorizontal ? s : 27, bHorizontal ? 27 : s);
        }
    }
}
