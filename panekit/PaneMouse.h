// The mouse over one control: whether it is over the control, and whether
// the left button went down on the control and is still held. A click is a
// press and a release both on the control.
#ifndef PANEKIT_PANEMOUSE_H
#define PANEKIT_PANEMOUSE_H

#include <windows.h>

class CPaneMouse {
public:
    BOOL IsOver() const { return m_bOver; }
    BOOL IsPressed() const { return m_bPressed; }

    // Each answers TRUE when the control's look may have changed.
    BOOL OnMove(HWND hWnd, POINT pt);
    BOOL OnLeave();
    BOOL OnPress(HWND hWnd);
    // Answers TRUE for a click.
    BOOL OnRelease(HWND hWnd, POINT pt);
    BOOL OnCaptureLost();

private:
    static BOOL IsInside(HWND hWnd, POINT pt);

    BOOL m_bOver = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bTracking = FALSE;
};

#endif
