// A model of the shell's application desktop toolbar service, for what
// Wine's shell does not do: it keeps one auto-hide bar per edge, moves
// proposed rectangles clear of the taskbar and of earlier bars, tells the
// other bars (ABN_POSCHANGED, posted) when a bar's reserved strip changes,
// and lets a test raise the notifications a real taskbar sends.
#ifndef TESTS_SUPPORT_FAKEAPPBARSHELL_H
#define TESTS_SUPPORT_FAKEAPPBARSHELL_H

#include <windows.h>
#include <shellapi.h>
#include "Processes.h"
#include <vector>

class FakeAppBarShell {
public:
    FakeAppBarShell(); // becomes the program's app-bar service
    ~FakeAppBarShell(); // gives the real one back

    struct Call {
        DWORD dwMessage;
        APPBARDATA abd; // as received
    };

    RECT m_rcTaskbar = {}; // empty: no taskbar
    int m_nTaskbarEdge = ABE_BOTTOM;
    UINT m_uTaskbarState = ABS_ALWAYSONTOP;
    std::vector<Call> m_calls;

    int Count(DWORD dwMessage, HWND hWnd = nullptr) const; // from hWnd, or from any window
    // The latest call of that message from hWnd (any window if null), or null.
    const Call* Last(DWORD dwMessage, HWND hWnd = nullptr) const;
    bool IsRegistered(HWND hWnd) const;
    HWND AutoHideBar(int nEdge) const { return m_ahAutoHide[nEdge]; }
    // The strip hWnd reserves: its edge, or -1 when it reserves none.
    int ReservedEdge(HWND hWnd, RECT* prc = nullptr) const;
    // Sends a notification to every registered bar, as the shell does.
    void Notify(UINT uCode, LPARAM lParam);
    // The shell starts again: it forgets every bar, then broadcasts "TaskbarCreated".
    void Restart();

private:
    struct Bar {
        HWND hWnd;
        UINT uCallbackMessage;
        int nEdge; // -1 while it reserves nothing
        RECT rc;
    };
    static UINT_PTR WINAPI Message(DWORD dwMessage, PAPPBARDATA pData);
    UINT_PTR Handle(DWORD dwMessage, PAPPBARDATA pData);
    void ClearOf(HWND hWnd, int nEdge, RECT* prc) const;
    Bar* Find(HWND hWnd);
    void PostPosChanged(HWND hWndExcept);

    std::vector<Bar> m_bars;
    HWND m_ahAutoHide[4] = {};
    static FakeAppBarShell* s_pCurrent;
};

#endif
