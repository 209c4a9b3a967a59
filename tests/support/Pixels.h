// Pixels read back from the screen and from the program's bitmaps.
#ifndef TESTS_SUPPORT_PIXELS_H
#define TESTS_SUPPORT_PIXELS_H

#include <windows.h>
#include <vector>

typedef std::vector<DWORD> Pixels; // 0x00RRGGBB, row by row

// What the screen shows of hWnd's client rectangle rc (the screen when hWnd is null).
Pixels ScreenPixels(HWND hWnd, const RECT& rc);
// The cx by cy part at (x, y) of a bitmap resource of hInstance; the part must lie inside the bitmap.
Pixels BitmapPixels(HINSTANCE hInstance, UINT nIDBitmap, int x, int y, int cx, int cy);
// How many pixels differ (a size difference counts a million); cx, the width of a row, is not needed.
int CountDifferences(const Pixels& a, const Pixels& b, int cx);

#endif
