// Message-map macros. A map reads like a table and compiles to a chain of
// tests in one function; whatever a class does not handle goes to the base
// class named in BEGIN_MESSAGE_MAP.
//
//   BEGIN_MESSAGE_MAP(CControllerDlg, CDockingBarDlg)
//       ON_WM_TIMER()
//       ON_COMMAND(102, ExitController)
//   END_MESSAGE_MAP()
#ifndef AFX_AFXMSGMAP_H
#define AFX_AFXMSGMAP_H

#include "AfxTypes.h"

#define DECLARE_MESSAGE_MAP()                                                                                          \
public:                                                                                                                \
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    BOOL theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)                              \
    {                                                                                                                  \
        typedef baseClass TheBaseClass;                                                                                \
        (void)wParam;                                                                                                  \
        (void)lParam;

#define END_MESSAGE_MAP()                                                                                              \
    return TheBaseClass::OnWndMsg(message, wParam, lParam, pResult);                                                   \
    }

#define AFX_HANDLE(cond, stmt)                                                                                         \
    if (cond) {                                                                                                        \
        stmt;                                                                                                          \
        return TRUE;                                                                                                   \
    }

// Commands from menus, accelerators and controls (notification code 0 or 1).
#define ON_COMMAND(id, fn)                                                                                             \
    AFX_HANDLE(message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) <= 1, fn(); *pResult = 0)
#define ON_BN_CLICKED(id, fn)                                                                                          \
    AFX_HANDLE(message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == BN_CLICKED, fn(); *pResult = 0)
#define ON_CONTROL(code, id, fn)                                                                                       \
    AFX_HANDLE(message == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code), fn(); *pResult = 0)
#define ON_CBN_SELCHANGE(id, fn)       ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_MESSAGE(msg, fn)            AFX_HANDLE(message == (msg), *pResult = fn(wParam, lParam))
// A registered message id is known only at run time.
#define ON_REGISTERED_MESSAGE(var, fn) AFX_HANDLE(message == (var) && (var) != 0, *pResult = fn(wParam, lParam))

#define ON_WM_CREATE()  AFX_HANDLE(message == WM_CREATE, *pResult = OnCreate((LPCREATESTRUCTA)lParam))
#define ON_WM_DESTROY() AFX_HANDLE(message == WM_DESTROY, OnDestroy(); *pResult = 0)
#define ON_WM_PAINT()   AFX_HANDLE(message == WM_PAINT, OnPaint(); *pResult = 0)
#define ON_WM_TIMER()   AFX_HANDLE(message == WM_TIMER, OnTimer((UINT_PTR)wParam); *pResult = 0)
#define ON_WM_ACTIVATE()                                                                                               \
    AFX_HANDLE(message == WM_ACTIVATE,                                                                                 \
               OnActivate(LOWORD(wParam), CWnd::FromHandlePermanent((HWND)lParam), HIWORD(wParam));                    \
               *pResult = 0)
#define ON_WM_NCHITTEST()  AFX_HANDLE(message == WM_NCHITTEST, *pResult = OnNcHitTest(CPoint((DWORD)lParam)))
#define ON_WM_SYSCOMMAND() AFX_HANDLE(message == WM_SYSCOMMAND, OnSysCommand((UINT)wParam, lParam); *pResult = 0)
#define ON_WM_GETMINMAXINFO()                                                                                          \
    AFX_HANDLE(message == WM_GETMINMAXINFO, OnGetMinMaxInfo((MINMAXINFO*)lParam); *pResult = 0)
#define ON_WM_QUERYDRAGICON() AFX_HANDLE(message == WM_QUERYDRAGICON, *pResult = (LRESULT)OnQueryDragIcon())
#define ON_WM_WINDOWPOSCHANGED()                                                                                       \
    AFX_HANDLE(message == WM_WINDOWPOSCHANGED, OnWindowPosChanged((WINDOWPOS*)lParam); *pResult = 0)
#define ON_WM_SIZING() AFX_HANDLE(message == WM_SIZING, OnSizing((UINT)wParam, (LPRECT)lParam); *pResult = 0)
#define ON_WM_MOVING() AFX_HANDLE(message == WM_MOVING, OnMoving((UINT)wParam, (LPRECT)lParam); *pResult = 0)
#define ON_WM_SIZE()                                                                                                   \
    AFX_HANDLE(message == WM_SIZE, OnSize((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam)); *pResult = 0)
#define ON_WM_ERASEBKGND() AFX_HANDLE(message == WM_ERASEBKGND, *pResult = OnEraseBkgnd((HDC)wParam))
#define ON_WM_MOVE()       AFX_HANDLE(message == WM_MOVE, OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)); *pResult = 0)
#define ON_WM_CONTEXTMENU()                                                                                            \
    AFX_HANDLE(message == WM_CONTEXTMENU,                                                                              \
               OnContextMenu(CWnd::FromHandlePermanent((HWND)wParam), CPoint((DWORD)lParam));                          \
               *pResult = 0)
#define ON_WM_MOUSEACTIVATE()                                                                                          \
    AFX_HANDLE(message == WM_MOUSEACTIVATE,                                                                            \
               *pResult = OnMouseActivate(CWnd::FromHandlePermanent((HWND)wParam), LOWORD(lParam), HIWORD(lParam)))

// Mouse messages; the point is in client coordinates.
#define AFX_ON_MOUSE(msg, fn)  AFX_HANDLE(message == (msg), fn((UINT)wParam, CPoint((DWORD)lParam)); *pResult = 0)
#define ON_WM_MOUSEMOVE()      AFX_ON_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN()    AFX_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONDBLCLK()  AFX_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_LBUTTONUP()      AFX_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_RBUTTONUP()      AFX_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK()  AFX_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MOUSELEAVE()     AFX_HANDLE(message == WM_MOUSELEAVE, OnMouseLeave(); *pResult = 0)
#define ON_WM_CAPTURECHANGED() AFX_HANDLE(message == WM_CAPTURECHANGED, OnCaptureChanged((HWND)lParam); *pResult = 0)
#define ON_WM_ENABLE()         AFX_HANDLE(message == WM_ENABLE, OnEnable((BOOL)wParam); *pResult = 0)

#define ON_WM_SETCURSOR()                                                                                              \
    AFX_HANDLE(message == WM_SETCURSOR,                                                                                \
               *pResult = OnSetCursor(CWnd::FromHandlePermanent((HWND)wParam), LOWORD(lParam), HIWORD(lParam)))

#endif
