// Promises Windows' own answers, and a failed test for every call Windows would not take from the program.
// Stands in for the shell's app-bar service, which Wine's does not keep: the record must be the build's
// APPBARDATA, and a window must be registered (ABM_NEW) before it queries, sets or claims a place; one auto-hide
// bar per edge; docked bars kept clear of the taskbar; ABM_GETSTATE as today's Windows answers it.
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

    RECT m_rcTaskbar = {}; // at the bottom; empty: no taskbar
    UINT m_uTaskbarState = ABS_ALWAYSONTOP; // the taskbar's settings
    BOOL m_bReportsAlwaysOnTop = FALSE; // answers as before Windows 7, when ABS_ALWAYSONTOP was a setting
    std::vector<Call> m_calls; // every call taken

    int Count(DWORD dwMessage, HWND hWnd = nullptr) const; // from hWnd, or from any window
    bool IsRegistered(HWND hWnd) const { return Find(hWnd) != nullptr; }
    HWND AutoHideBar(int nEdge) const { return m_ahAutoHide[nEdge]; }
    // The strip hWnd reserves: its edge, or -1 when it reserves none.
    int ReservedEdge(HWND hWnd, RECT* prc = nullptr) const;
    // The shell starts again: it forgets every bar, then broadcasts "TaskbarCreated".
    void Restart();

private:
    struct Bar {
        HWND hWnd;
        int nEdge; // -1 while it reserves nothing
        RECT rc;
    };
    static UINT_PTR WINAPI Message(DWORD dwMessage, PAPPBARDATA pData);
    bool Refused(DWORD dwMessage, const APPBARDATA* p) const;
    UINT_PTR Handle(DWORD dwMessage, PAPPBARDATA pData);
    const Bar* Find(HWND hWnd) const;

    std::vector<Bar> m_bars;
    HWND m_ahAutoHide[4] = {};
    static FakeAppBarShell* s_pCurrent;
};

#endif
