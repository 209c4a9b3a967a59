#include "Pixels.h"
#include "Wait.h"

namespace {

// The cx by cy part at (x, y) of what hSource holds (the screen when it is null).
Pixels Copy(HDC hSource, int x, int y, int cx, int cy)
{
    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    BitBlt(hMem, 0, 0, cx, cy, hSource ? hSource : hScreen, x, y, SRCCOPY);
    SelectObject(hMem, hOld);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    Pixels pixels((size_t)cx * cy);
    GetDIBits(hMem, hBitmap, 0, cy, pixels.data(), &bmi, DIB_RGB_COLORS);
    for (DWORD& px : pixels)
        px &= 0xFFFFFF;
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
    return pixels;
}

// The cx by cy part at (x, y) of a bitmap resource of this program; the part must lie inside the bitmap.
Pixels BitmapPixels(UINT nIDBitmap, int x, int y, int cx, int cy)
{
    HBITMAP hBitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDBitmap));
    HDC hDC = CreateCompatibleDC(nullptr);
    SelectObject(hDC, hBitmap);
    Pixels pixels = Copy(hDC, x, y, cx, cy);
    DeleteDC(hDC); // which lets the bitmap go
    DeleteObject(hBitmap);
    return pixels;
}

} // namespace

Pixels ScreenPixels(HWND hWnd, const RECT& rc)
{
    POINT pt = { rc.left, rc.top };
    if (hWnd)
        ClientToScreen(hWnd, &pt);
    return Copy(nullptr, pt.x, pt.y, rc.right - rc.left, rc.bottom - rc.top);
}

bool ShowsBitmap(HWND hWnd, const RECT& rc, UINT nIDBitmap, POINT ptBitmap)
{
    const Pixels bitmap = BitmapPixels(nIDBitmap, ptBitmap.x, ptBitmap.y, rc.right - rc.left, rc.bottom - rc.top);
    return WaitUntil([&] { return ScreenPixels(hWnd, rc) == bitmap; });
}
