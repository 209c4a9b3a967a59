#include "FakeAppBarShell.h"
#include "dockbar/AppBarService.h"
#include <algorithm>
#include <utility>

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

UINT_PTR WINAPI FakeAppBarShell::Message(DWORD dwMessage, PAPPBARDATA pData)
{
    return s_pCurrent ? s_pCurrent->Handle(dwMessage, pData) : 0;
}

int FakeAppBarShell::Count(DWORD dwMessage, HWND hWnd) const
{
    return (int)std::count_if(m_calls.begin(), m_calls.end(),
                              [=](const Call& c) { return c.dwMessage == dwMessage && (!hWnd || c.abd.hWnd == hWnd); });
}

const FakeAppBarShell::Call* FakeAppBarShell::Last(DWORD dwMessage, HWND hWnd) const
{
    for (auto it = m_calls.rbegin(); it != m_calls.rend(); ++it)
        if (it->dwMessage == dwMessage && (!hWnd || it->abd.hWnd == hWnd))
            return &*it;
    return nullptr;
}

int FakeAppBarShell::ReservedEdge(HWND hWnd, RECT* prc) const
{
    for (const Bar& b : m_bars) {
        if (b.hWnd == hWnd) {
            if (prc)
                *prc = b.rc;
            return b.nEdge;
        }
    }
    if (prc)
        SetRectEmpty(prc);
    return -1;
}

bool FakeAppBarShell::IsRegistered(HWND hWnd) const
{
    return std::any_of(m_bars.begin(), m_bars.end(), [=](const Bar& b) { return b.hWnd == hWnd; });
}

FakeAppBarShell::Bar* FakeAppBarShell::Find(HWND hWnd)
{
    for (Bar& b : m_bars)
        if (b.hWnd == hWnd)
            return &b;
    return nullptr;
}

// Like the shell, which tells the others from its own thread: posted, never
// inside the call that caused it.
void FakeAppBarShell::PostPosChanged(HWND hWndExcept)
{
    for (const Bar& b : m_bars) {
        if (b.hWnd != hWndExcept)
            PostMessageA(b.hWnd, b.uCallbackMessage, ABN_POSCHANGED, 0);
    }
}

// Moves the side of *prc that faces the taskbar or an earlier bar clear of it.
void FakeAppBarShell::ClearOf(HWND hWnd, int nEdge, RECT* prc) const
{
    std::vector<std::pair<int, RECT>> reserved;
    if (!IsRectEmpty(&m_rcTaskbar))
        reserved.push_back({ m_nTaskbarEdge, m_rcTaskbar });
    for (const Bar& b : m_bars) {
        if (b.hWnd == hWnd)
            break; // only bars registered earlier count
        if (b.nEdge >= ABE_LEFT && b.nEdge <= ABE_BOTTOM)
            reserved.push_back({ b.nEdge, b.rc });
    }
    for (const auto& [nOther, rc] : reserved) {
        RECT rcHit;
        if (!IntersectRect(&rcHit, prc, &rc) && nOther != nEdge)
            continue;
        switch (nOther) {
        case ABE_LEFT: prc->left = std::max(prc->left, rc.right); break;
        case ABE_TOP: prc->top = std::max(prc->top, rc.bottom); break;
        case ABE_RIGHT: prc->right = std::min(prc->right, rc.left); break;
        case ABE_BOTTOM: prc->bottom = std::min(prc->bottom, rc.top); break;
        }
    }
}

UINT_PTR FakeAppBarShell::Handle(DWORD dwMessage, PAPPBARDATA p)
{
    m_calls.push_back({ dwMessage, *p });
    int nEdge = (int)p->uEdge;
    bool bEdge = nEdge >= ABE_LEFT && nEdge <= ABE_BOTTOM;
    switch (dwMessage) {
    case ABM_NEW:
        if (Find(p->hWnd))
            return FALSE;
        m_bars.push_back({ p->hWnd, p->uCallbackMessage, -1, {} });
        return TRUE;
    case ABM_REMOVE: {
        bool bReserved = ReservedEdge(p->hWnd) != -1;
        m_bars.erase(std::remove_if(m_bars.begin(), m_bars.end(), [=](const Bar& b) { return b.hWnd == p->hWnd; }),
                     m_bars.end());
        for (HWND& h : m_ahAutoHide)
            if (h == p->hWnd)
                h = nullptr;
        if (bReserved)
            PostPosChanged(p->hWnd);
        return TRUE;
    }
    case ABM_QUERYPOS:
        if (bEdge)
            ClearOf(p->hWnd, nEdge, &p->rc);
        return TRUE;
    case ABM_SETPOS:
        if (Bar* pBar = Find(p->hWnd)) {
            if (bEdge && !IsRectEmpty(&p->rc))
                ClearOf(p->hWnd, nEdge, &p->rc);
            int nNewEdge = bEdge && !IsRectEmpty(&p->rc) ? nEdge : -1;
            bool bChanged = nNewEdge != pBar->nEdge || (nNewEdge != -1 && !EqualRect(&pBar->rc, &p->rc));
            pBar->nEdge = nNewEdge;
            pBar->rc = p->rc;
            if (bChanged)
                PostPosChanged(p->hWnd);
        }
        return TRUE;
    case ABM_GETSTATE: return m_uTaskbarState;
    case ABM_GETAUTOHIDEBAR: return bEdge && IsWindow(m_ahAutoHide[nEdge]) ? (UINT_PTR)m_ahAutoHide[nEdge] : 0;
    case ABM_SETAUTOHIDEBAR:
        if (!bEdge)
            return FALSE;
        if (p->lParam) {
            HWND hOwner = m_ahAutoHide[nEdge];
            if (hOwner && hOwner != p->hWnd && IsWindow(hOwner))
                return FALSE;
            m_ahAutoHide[nEdge] = p->hWnd;
        } else if (m_ahAutoHide[nEdge] == p->hWnd) {
            m_ahAutoHide[nEdge] = nullptr;
        }
        return TRUE;
    default: // ABM_ACTIVATE, ABM_WINDOWPOSCHANGED
        return TRUE;
    }
}

void FakeAppBarShell::Notify(UINT uCode, LPARAM lParam)
{
    for (const Bar& b : std::vector<Bar>(m_bars))
        SendMessageA(b.hWnd, b.uCallbackMessage, uCode, lParam);
}

void FakeAppBarShell::Restart()
{
    const std::vector<Bar> bars = std::exchange(m_bars, {});
    std::fill(std::begin(m_ahAutoHide), std::end(m_ahAutoHide), nullptr);
    for (const Bar& b : bars)
        SendMessageA(b.hWnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
}
