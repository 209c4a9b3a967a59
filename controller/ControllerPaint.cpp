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

HPEN CreateSolidPen(COLORREF cr)
{
    return CreatePen(PS_SOLID, 1, cr);
}

// A raised border; line ends are not drawn.
void DrawRaisedBorder(HDC hDC, int W, int H)
{
    CGdiObject<HPEN> penBlack(CreateSolidPen(RGB(0, 0, 0)));
    CGdiObject<HPEN> penDark(CreateSolidPen(RGB(128, 128, 128)));
    CGdiObject<HPEN> penWhite(CreateSolidPen(RGB(255, 255, 255)));
    CSelectObject selectPen(hDC, penWhite);
    const int w = W - 1, h = H - 1;
    Polyline3(hDC, penWhite, 1, h - 1, 1, 1, w - 1, 1);
    Polyline3(hDC, penBlack, 0, h, w, h, w, 0);
    Polyline3(hDC, penDark, 1, h - 1, w - 1, h - 1, w - 1, 1);
}

// Etched separators between the groups of controls, across a bar 32 thick.
void DrawSeparators(HDC hDC, const int axSeparator[3], BOOL bHorizontal)
{
    CGdiObject<HPEN> penDark(CreateSolidPen(RGB(128, 128, 128)));
    CGdiObject<HPEN> penWhite(CreateSolidPen(RGB(255, 255, 255)));
    CSelectObject selectPen(hDC, penDark);
    for (int nShift = 0; nShift < 2; nShift++) {
        SelectObject(hDC, nShift ? (HPEN)penWhite : (HPEN)penDark);
        for (int k = 0; k < 3; k++) {
            int s = axSeparator[k] + nShift;
            MoveToEx(hDC, bHorizontal ? s : 5, bHorizontal ? 5 : s, nullptr);
            LineTo(hDC, bHorizontal ? s : 27, bHorizontal ? 27 : s);
        }
    }
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
    if (m_nOrientation == ORIENT_FLOAT) {
        // The floating face is the bitmap alone.
        CGdiObject<HBITMAP> bmpFace(LoadBarBitmap(BITMAP_FACE_FLOAT));
        CSelectObject select(dcMem, bmpFace);
        BitBlt(dc, 0, 0, W, H, dcMem, 0, 0, SRCCOPY);
        return;
    }
    if (m_nOrientation != ORIENT_HORZ && m_nOrientation != ORIENT_VERT)
        return;

    const BOOL bHorizontal = m_nOrientation == ORIENT_HORZ;
    CGdiObject<HBITMAP> bmpFace(LoadBarBitmap(bHorizontal ? BITMAP_FACE_HORZ : BITMAP_FACE_VERT));
    CGdiObject<HBITMAP> bmpPlate(LoadBarBitmap(bHorizontal ? BITMAP_PLATE_HORZ : BITMAP_PLATE_VERT));
    DrawBitmap(dc, dcMem, bmpFace, 0, 0, W, H);
    SIZE size = BitmapSize(bmpPlate);
    if (bHorizontal)
        DrawBitmap(dc, dcMem, bmpPlate, W - size.cx - 8, (H - size.cy) / 2);
    else
        DrawBitmap(dc, dcMem, bmpPlate, (W - size.cx) / 2, H - size.cy - 8);
    DrawRaisedBorder(dc, W, H);
    DrawSeparators(dc, m_xSeparator, bHorizontal);
}
