// Small value types of the framework layer: points and rectangles with the
// conveniences the bar's geometry code needs, nothing more.
#ifndef AFX_AFXTYPES_H
#define AFX_AFXTYPES_H

#include <windows.h>

class CPoint : public POINT {
public:
    CPoint()
    {
        x = 0;
        y = 0;
    }
    CPoint(int xInit, int yInit)
    {
        x = xInit;
        y = yInit;
    }
    CPoint(POINT pt)
    {
        x = pt.x;
        y = pt.y;
    }
    // A message position: signed 16-bit halves, as GetMessagePos packs them.
    explicit CPoint(DWORD dwPos)
    {
        x = (short)LOWORD(dwPos);
        y = (short)HIWORD(dwPos);
    }
    bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const { return !(*this == pt); }
};

class CRect : public RECT {
public:
    CRect() { SetRectEmpty(this); }
    CRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& rc) { CopyRect(this, &rc); }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL PtInRect(POINT pt) const { return ::PtInRect(this, pt); }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    bool operator==(const RECT& rc) const { return ::EqualRect(this, &rc) != FALSE; }
    bool operator!=(const RECT& rc) const { return !(*this == rc); }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};

#endif
