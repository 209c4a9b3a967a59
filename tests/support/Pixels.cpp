#include "Pixels.h"

namespace {

Pixels ReadDIB(HDC hDC, HBITMAP hBitmap, int cx, int cy)
{
    Pixels pixels((size_t)cx * cy);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    GetDIBits(hDC, hBitmap, 0, cy, pixels.data(), &bmi, DIB_RGB_COLORS);
    for (DWORD& px : pixels)
        px &= 0xFFFFFF;
    return pixels;
}

} // namespace

Pixels ScreenPixels(HWND hWnd, const RECT& rc)
{
    POINT pt = { rc.left, rc.top };
    if (hWnd)
        ClientToScreen(hWnd, &pt);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    BitBlt(hMem, 0, 0, cx, cy, hScreen, pt.x, pt.y, SRCCOPY);
    SelectObject(hMem, hOld);
    Pixels pixels = ReadDIB(hMem, hBitmap, cx, cy);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
    return pixels;
}

Pixels BitmapPixels(HINSTANCE hInstance, UINT nIDBitmap, int x, int y, int cx, int cy)
{
    HBITMAP hBitmap = LoadBitmapA(hInstance, MAKEINTRESOURCEA(nIDBitmap));
    BITMAP bm = {};
    GetObjectA(hBitmap, sizeof bm, &bm);
    HDC hScreen = GetDC(nullptr);
    Pixels all = ReadDIB(hScreen, hBitmap, bm.bmWidth, bm.bmHeight);
    ReleaseDC(nullptr, hScreen);
    DeleteObject(hBitmap);
    Pixels part;
    for (int row = y; row < y + cy; row++)
        for (int col = x; col < x + cx; col++)
            part.push_back(row < bm.bmHeight && col < bm.bmWidth ? all[(size_t)row * bm.bmWidth + col] : 0xFF000000);
    return part;
}

int CountDifferences(const Pixels& a, const Pixels& b, int)
{
    int nDiff = a.size() == b.size() ? 0 : 1000000;
    for (size_t i = 0; i < a.size() && i < b.size(); i++) {
        if (a[i] != b[i])
            nDiff++;
    }
    return nDiff;
}
