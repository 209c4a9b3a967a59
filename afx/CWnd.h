// A window object: owns one HWND, receives its messages through the one
// window procedure of the framework, and passes what its map does not handle
// to the procedure the window had before (its class's, or DefDlgProc).
#ifndef AFX_CWND_H
#define AFX_CWND_H

#include "CCmdTarget.h"
#include "AfxMsgMap.h"
#include "CString.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    // The object bound to a window of this thread, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL CreateEx(DWORD dwExStyle, LPCSTR pszClass, LPCSTR pszName, DWORD dwStyle, const RECT& rc, CWnd* pParent,
                  HMENU hMenu);
    BOOL DestroyWindow();

    // Thin wrappers, named as the platform names them.
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL UpdateWindow() { return ::UpdateWindow(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL SetWindowPos(HWND hWndAfter, int x, int y, int cx, int cy, UINT nFlags)
    {
        return ::SetWindowPos(m_hWnd, hWndAfter, x, y, cx, cy, nFlags);
    }
    void MoveWindow(int x, int y, int cx, int cy, BOOL bRepaint = TRUE)
    {
        ::MoveWindow(m_hWnd, x, y, cx, cy, bRepaint);
    }
    void GetWindowRect(LPRECT prc) const { ::GetWindowRect(m_hWnd, prc); }
    void GetClientRect(LPRECT prc) const { ::GetClientRect(m_hWnd, prc); }
    void InvalidateRect(LPCRECT prc, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, prc, bErase); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void SetWindowText(LPCSTR psz) { ::SetWindowTextA(m_hWnd, psz); }
    CString GetWindowText() const;
    DWORD GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    HMENU GetSystemMenu(BOOL bRevert) const { return ::GetSystemMenu(m_hWnd, bRevert); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) { return (HICON)SendMessage(WM_SETICON, bBigIcon, (LPARAM)hIcon); }
    void CenterWindow();

    // Called after the window's last message; frame windows delete themselves here.
    virtual void PostNcDestroy() { }
    virtual BOOL PreCreateWindow(CREATESTRUCTA& /*cs*/) { return TRUE; }

    // Default handlers, for maps that handle a message and chain explicitly.
    int OnCreate(LPCREATESTRUCTA) { return (int)Default(); }
    void OnDestroy() { Default(); }
    void OnPaint() { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    LRESULT OnNcHitTest(CPoint) { return Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }

    // The current message, passed to the window's previous procedure.
    LRESULT Default();

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Binds the next window that this thread creates to pWnd, before its
    // first message, so that WM_NCCREATE and WM_CREATE reach the map too.
    class CCreateHook {
    public:
        explicit CCreateHook(CWnd* pWnd);
        ~CCreateHook();
        CCreateHook(const CCreateHook&) = delete;
        CCreateHook& operator=(const CCreateHook&) = delete;

    private:
        HHOOK m_hHookPrevious;
        CWnd* m_pPrevious;
    };

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK CreateHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hWnd);
    void Detach();

    WNDPROC m_pfnSuper = nullptr;
    MSG m_msgCur = {};
};

#endif
