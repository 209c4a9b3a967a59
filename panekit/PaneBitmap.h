// A picture from the program's resources. Nothing is held between paints:
// each Draw loads, copies and releases the bitmap.
#ifndef PANEKIT_PANEBITMAP_H
#define PANEKIT_PANEBITMAP_H

#include <windows.h>

class CPaneBitmap {
public:
    explicit CPaneBitmap(UINT nID) : m_nID(nID) { }

    // Zero when the program has no such bitmap.
    SIZE GetSize() const;
    // Copies cx by cy pixels from (xSrc, 0) of the bitmap to (x, y) of hDC.
    BOOL Draw(HDC hDC, int x, int y, int cx, int cy, int xSrc) const;

private:
    HBITMAP Load() const;

    UINT m_nID;
};

#endif
