// Base of everything that receives messages or commands: the application
// object and every window. A message map is one function, OnWndMsg, written
// with the macros of AfxMsgMap.h; it answers TRUE when it handled a message.
#ifndef AFX_CCMDTARGET_H
#define AFX_CCMDTARGET_H

#include <windows.h>

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    virtual BOOL OnWndMsg(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT* /*pResult*/)
    {
        return FALSE;
    }

    // The hourglass while the program works without a message loop.
    void BeginWaitCursor() { ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_WAIT)); }
    void EndWaitCursor() { ::SetCursor(::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW)); }
    void RestoreWaitCursor() { BeginWaitCursor(); }
};

#endif
