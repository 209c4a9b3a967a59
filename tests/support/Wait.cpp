#include "Wait.h"

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitUntil(const std::function<bool()>& pred, DWORD dwTimeout)
{
    const DWORD t0 = GetTickCount();
    for (;;) {
        Pump();
        if (pred())
            return true;
        if (GetTickCount() - t0 >= dwTimeout)
            return pred();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

static ModalScript* s_pPlaying;

// The visible dialog (#32770) of this thread with this title (any when null).
static HWND FindThreadDialog(const char* pszTitle)
{
    for (HWND h = FindWindowExA(nullptr, nullptr, "#32770", pszTitle); h;
         h = FindWindowExA(nullptr, h, "#32770", pszTitle))
        if (IsWindowVisible(h) && GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId())
            return h;
    return nullptr;
}

ModalScript& ModalScript::WaitFor(const char* pszTitle, HWND* phFound)
{
    return Then([=] {
        HWND hWnd = FindThreadDialog(pszTitle);
        if (phFound)
            *phFound = hWnd;
        return hWnd != nullptr;
    });
}

void ModalScript::Run(const std::function<void()>& open, DWORD dwTimeout)
{
    m_nStep = 0;
    m_strStalled.clear();
    m_dwStart = GetTickCount();
    m_dwTimeout = dwTimeout;
    ModalScript* pOuter = s_pPlaying;
    s_pPlaying = this;
    UINT_PTR nTimer = SetTimer(nullptr, 0, 20, Tick);
    open();
    KillTimer(nullptr, nTimer);
    s_pPlaying = pOuter;
    // A menu ended from a timer leaves a cancel behind that would end the next one.
    Pump();
}

VOID CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    ModalScript* p = s_pPlaying;
    if (!p || p->m_bBusy)
        return;
    if (GetTickCount() - p->m_dwStart > p->m_dwTimeout) {
        if (p->m_strStalled.empty())
            p->m_strStalled = "step " + std::to_string(p->m_nStep + 1) + " of " + std::to_string(p->m_steps.size()) +
                              " never finished";
        // Whatever still holds the loop is ended: menus, dialogs, message boxes.
        EndMenu();
        if (HWND hActive = GetActiveWindow()) {
            PostMessageA(hActive, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(hActive, WM_CLOSE, 0, 0);
        }
        return;
    }
    if (p->m_nStep >= p->m_steps.size())
        return;
    // A step's own messages may run this timer again: one step at a time.
    p->m_bBusy = true;
    if (p->m_steps[p->m_nStep]())
        p->m_nStep++;
    p->m_bBusy = false;
}
