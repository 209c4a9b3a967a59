#include "FakeAppBarShell.h"
#include "dockbar/AppBarService.h"
#include <algorithm>
#if __has_include(<gtest/gtest.h>)
#include <gtest/gtest.h>
#define SHELL_REFUSAL ADD_FAILURE()
#else // in the bench, which has no test to fail
#include <iostream>
#define SHELL_REFUSAL std::cerr
#endif

FakeAppBarShell* FakeAppBarShell::s_pCurrent;

FakeAppBarShell::FakeAppBarShell()
{
    s_pCurrent = this;
    g_pfnAppBarMessage = Message;
}

FakeAppBarShell::~FakeAppBarShell()
{
    g_pfnAppBarMessage = SHAppBarMessage;
    s_pCurrent = nullptr;
}

// The shell takes a record of another size for none: it answers FALSE and does nothing. A window it does not
// know gets no place; a window of another process stands for another program's bar.
UINT_PTR WINAPI FakeAppBarShell::Message(DWORD dwMessage, PAPPBARDATA p)
{
    if (!s_pCurrent)
        return FALSE;
    if (p->cbSize != sizeof(APPBARDATA)) {
        SHELL_REFUSAL << "app-bar message " << dwMessage << " with cbSize " << p->cbSize << ", not "
                      << sizeof(APPBARDATA) << ", the size of APPBARDATA";
        return FALSE;
    }
    DWORD dwPid = 0;
    GetWindowThreadProcessId(p->hWnd, &dwPid);
    bool bPlace = dwMessage == ABM_QUERYPOS || dwMessage == ABM_SETPOS || dwMessage == ABM_SETAUTOHIDEBAR;
    if (bPlace && !s_pCurrent->Find(p->hWnd) && !(IsWindow(p->hWnd) && dwPid != GetCurrentProcessId())) {
        SHELL_REFUSAL << "app-bar message " << dwMessage << " from window " << p->hWnd
                      << ", which is not registered (no ABM_NEW, or removed since)";
        return FALSE;
    }
    return s_pCurrent->Handle(dwMessage, p);
}

int FakeAppBarShell::Count(DWORD dwMessage, HWND hWnd) const
{
    return (int)std::count_if(m_calls.begin(), m_calls.end(),
                              [=](const auto& c) { return c.first == dwMessage && (!hWnd || c.second.hWnd == hWnd); });
}

const FakeAppBarShell::Bar* FakeAppBarShell::Find(HWND hWnd) const
{
    auto it = std::find_if(m_bars.begin(), m_bars.end(), [=](const Bar& b) { return b.hWnd == hWnd; });
    return it == m_bars.end() ? nullptr : &*it;
}

// Moves each side of *prc that overlaps the taskbar or a bar registered before hWnd clear of it.
void FakeAppBarShell::ClearOf(HWND hWnd, RECT* prc) const
{
    std::vector<Bar> earlier = { { nullptr, ABE_BOTTOM, m_rcTaskbar } };
    for (size_t i = 0; i < m_bars.size() && m_bars[i].hWnd != hWnd; i++)
        earlier.push_back(m_bars[i]);
    for (const Bar& b : earlier) {
        RECT rcHit;
        if (!IntersectRect(&rcHit, prc, &b.rc))
            continue;
        switch (b.nEdge) {
        case ABE_LEFT: prc->left = b.rc.right; break;
        case ABE_TOP: prc->top = b.rc.bottom; break;
        case ABE_RIGHT: prc->right = b.rc.left; break;
        case ABE_BOTTOM: prc->bottom = b.rc.top; break;
        }
    }
}

UINT_PTR FakeAppBarShell::Handle(DWORD dwMessage, PAPPBARDATA p)
{
    m_calls.push_back({ dwMessage, *p });
    const int nEdge = (int)p->uEdge;
    const bool bEdge = nEdge >= ABE_LEFT && nEdge <= ABE_BOTTOM;
    Bar* pBar = const_cast<Bar*>(Find(p->hWnd));
    switch (dwMessage) {
    case ABM_NEW:
        if (pBar)
            return FALSE;
        m_bars.push_back({ p->hWnd, -1, {} });
        return TRUE;
    case ABM_REMOVE:
        m_bars.erase(std::remove_if(m_bars.begin(), m_bars.end(), [=](const Bar& b) { return b.hWnd == p->hWnd; }),
                     m_bars.end());
        std::replace(std::begin(m_ahAutoHide), std::end(m_ahAutoHide), p->hWnd, (HWND) nullptr);
        return TRUE;
    case ABM_QUERYPOS:
    case ABM_SETPOS:
        if (bEdge)
            ClearOf(p->hWnd, &p->rc);
        if (dwMessage == ABM_SETPOS && pBar) {
            pBar->nEdge = bEdge && !IsRectEmpty(&p->rc) ? nEdge : -1;
            pBar->rc = p->rc;
        }
        return TRUE;
    case ABM_GETSTATE: return m_bReportsAlwaysOnTop ? m_uTaskbarState : m_uTaskbarState & ABS_AUTOHIDE;
    case ABM_GETAUTOHIDEBAR: return bEdge ? (UINT_PTR)m_ahAutoHide[nEdge] : 0;
    case ABM_SETAUTOHIDEBAR:
        if (!bEdge || (p->lParam && m_ahAutoHide[nEdge] && m_ahAutoHide[nEdge] != p->hWnd))
            return FALSE; // one auto-hide bar per edge
        if (p->lParam)
            m_ahAutoHide[nEdge] = p->hWnd;
        else if (m_ahAutoHide[nEdge] == p->hWnd)
            m_ahAutoHide[nEdge] = nullptr;
        return TRUE;
    default: return TRUE; // ABM_ACTIVATE, ABM_WINDOWPOSCHANGED
    }
}

void FakeAppBarShell::Restart()
{
    const std::vector<Bar> bars = std::exchange(m_bars, {});
    std::fill(std::begin(m_ahAutoHide), std::end(m_ahAutoHide), nullptr);
    for (const Bar& b : bars)
        SendMessageA(b.hWnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}
