// Map entries for the mouse and painting messages the controls handle, in
// the style of afx/AfxMsgMap.h. Guarded, in case the framework gains them.
#ifndef PANEKIT_PANEMSGMAP_H
#define PANEKIT_PANEMSGMAP_H

#include "afx/AfxMsgMap.h"

#ifndef ON_WM_ERASEBKGND
#define ON_WM_ERASEBKGND() \
    AFX_HANDLE(message == WM_ERASEBKGND, *pResult = OnEraseBkgnd((HDC)wParam))
#endif
#ifndef ON_WM_MOUSEMOVE
#define ON_WM_MOUSEMOVE() \
    AFX_HANDLE(message == WM_MOUSEMOVE, OnMouseMove((UINT)wParam, CPoint((DWORD)lParam)); *pResult = 0)
#endif
#ifndef ON_WM_LBUTTONDOWN
#define ON_WM_LBUTTONDOWN() \
    AFX_HANDLE(message == WM_LBUTTONDOWN, OnLButtonDown((UINT)wParam, CPoint((DWORD)lParam)); *pResult = 0)
#endif
#ifndef ON_WM_LBUTTONUP
#define ON_WM_LBUTTONUP() \
    AFX_HANDLE(message == WM_LBUTTONUP, OnLButtonUp((UINT)wParam, CPoint((DWORD)lParam)); *pResult = 0)
#endif
#ifndef ON_WM_MOUSELEAVE
#define ON_WM_MOUSELEAVE() \
    AFX_HANDLE(message == WM_MOUSELEAVE, OnMouseLeave(); *pResult = 0)
#endif
#ifndef ON_WM_CAPTURECHANGED
#define ON_WM_CAPTURECHANGED() \
    AFX_HANDLE(message == WM_CAPTURECHANGED, OnCaptureChanged((HWND)lParam); *pResult = 0)
#endif
#ifndef ON_WM_ENABLE
#define ON_WM_ENABLE() \
    AFX_HANDLE(message == WM_ENABLE, OnEnable((BOOL)wParam); *pResult = 0)
#endif

#endif
