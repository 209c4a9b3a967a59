// Pixels read back from the screen and from the program's bitmaps.
#ifndef TESTS_SUPPORT_PIXELS_H
#define TESTS_SUPPORT_PIXELS_H

#include <windows.h>
#include <vector>

typedef std::vector<DWORD> Pixels; // 0x00RRGGBB, row by row

// What the screen shows of hWnd's client rectangle rc (the screen when hWnd is null).
Pixels ScreenPixels(HWND hWnd, const RECT& rc);
// Waits until rc of hWnd's client area shows the same-sized part at ptBitmap of the program's bitmap nIDBitmap.
bool ShowsBitmap(HWND hWnd, const RECT& rc, UINT nIDBitmap, POINT ptBitmap = {});

#endif
