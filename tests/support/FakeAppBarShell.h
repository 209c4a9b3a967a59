// Promises Windows' own answers, and a failed test for every call Windows would not take from the program.
#ifndef TESTS_SUPPORT_FAKEAPPBARSHELL_H
#define TESTS_SUPPORT_FAKEAPPBARSHELL_H

#include <windows.h>
#include <shellapi.h>
#include "Processes.h"
#include <utility>
#include <vector>

class FakeAppBarShell {
public:
    FakeAppBarShell(); // becomes the program's app-bar service
    ~FakeAppBarShell(); // gives the real one back

    RECT m_rcTaskbar = {}; // at the bottom; empty: no taskbar
    UINT m_uTaskbarState = ABS_ALWAYSONTOP; // the taskbar's settings
    // ABM_GETSTATE as today's Windows answers it, without ABS_ALWAYSONTOP; TRUE: as before Windows 7, with it.
    BOOL m_bReportsAlwaysOnTop = FALSE;
    std::vector<std::pair<DWORD, APPBARDATA>> m_calls; // every call taken, the record as received
    HWND m_ahAutoHide[4] = {}; // the auto-hide bar of each edge

    int Count(DWORD dwMessage, HWND hWnd = nullptr) const; // from hWnd, or from any window
    bool IsRegistered(HWND hWnd) const { return Find(hWnd) != nullptr; }
    // The strip hWnd reserves: its edge, or -1 when it reserves none.
    int ReservedEdge(HWND hWnd) const { return Find(hWnd) ? Find(hWnd)->nEdge : -1; }
    // The shell starts again: it forgets every bar, then broadcasts "TaskbarCreated".
    void Restart();

private:
    struct Bar {
        HWND hWnd;
        int nEdge; // -1 while it reserves nothing
        RECT rc;
    };
    static UINT_PTR WINAPI Message(DWORD dwMessage, PAPPBARDATA pData);
    UINT_PTR Handle(DWORD dwMessage, PAPPBARDATA pData);
    const Bar* Find(HWND hWnd) const;
    void ClearOf(HWND hWnd, RECT* prc) const;

    std::vector<Bar> m_bars;
    static FakeAppBarShell* s_pCurrent;
};

#endif
