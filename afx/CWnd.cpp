#include "CWnd.h"
#include "CWinApp.h"
#include <unordered_map>

namespace {

// One thread, one map: every window the program creates through CWnd.
std::unordered_map<HWND, CWnd*>& HandleMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The object waiting for its window, and the hook that will bind it.
CWnd* g_pWndInit;
HHOOK g_hHookInit;

} // namespace

LRESULT CALLBACK CWnd::CreateHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && g_pWndInit) {
        CWnd* pWnd = g_pWndInit;
        // Only the first window is ours; a modal loop must not keep the hook.
        UnhookWindowsHookEx(g_hHookInit);
        g_pWndInit = nullptr;
        g_hHookInit = nullptr;
        pWnd->Attach((HWND)wParam);
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return pWnd->Dispatch(message, wParam, lParam);
}

CWnd::CCreateHook::CCreateHook(CWnd* pWnd) : m_hHookPrevious(g_hHookInit), m_pPrevious(g_pWndInit)
{
    g_pWndInit = pWnd;
    g_hHookInit = SetWindowsHookExA(WH_CBT, CreateHookProc, nullptr, GetCurrentThreadId());
}

CWnd::CCreateHook::~CCreateHook()
{
    if (g_hHookInit) // no window was created
        UnhookWindowsHookEx(g_hHookInit);
    g_pWndInit = m_pPrevious;
    g_hHookInit = m_hHookPrevious;
}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = HandleMap().find(hWnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    HandleMap()[hWnd] = this;
    m_pfnSuper = (WNDPROC)SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
}

void CWnd::Detach()
{
    HandleMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR pszClass, LPCSTR pszName, DWORD dwStyle, const RECT& rc, CWnd* pParent,
                    HMENU hMenu)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = pszClass;
    cs.lpszName = pszName;
    cs.style = (LONG)dwStyle;
    cs.x = rc.left;
    cs.y = rc.top;
    cs.cx = rc.right - rc.left;
    cs.cy = rc.bottom - rc.top;
    cs.hwndParent = pParent ? pParent->m_hWnd : nullptr;
    cs.hMenu = hMenu;
    cs.hInstance = AfxGetInstanceHandle();
    if (!PreCreateWindow(cs))
        return FALSE;
    CCreateHook hook(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msgSaved = m_msgCur;
    m_msgCur.hwnd = m_hWnd;
    m_msgCur.message = message;
    m_msgCur.wParam = wParam;
    m_msgCur.lParam = lParam;
    LRESULT lResult = WindowProc(message, wParam, lParam);
    m_msgCur = msgSaved;

    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
        m_pfnSuper = nullptr;
        Detach();
        PostNcDestroy();
    }
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (OnWndMsg(message, wParam, lParam, &lResult))
        return lResult;
    // Commands no window handles go on to the application (ID_HELP).
    if (message == WM_COMMAND && AfxGetApp() && AfxGetApp()->OnWndMsg(message, wParam, lParam, &lResult))
        return lResult;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_msgCur.message, m_msgCur.wParam, m_msgCur.lParam);
}

CString CWnd::GetWindowText() const
{
    char sz[256];
    int n = ::GetWindowTextA(m_hWnd, sz, sizeof sz);
    return CString(sz, n > 0 ? n : 0);
}

static BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd)
{
    DWORD dwOld = (DWORD)::GetWindowLongA(hWnd, nIndex);
    DWORD dwNew = (dwOld & ~dwRemove) | dwAdd;
    if (dwNew == dwOld)
        return FALSE;
    ::SetWindowLongA(hWnd, nIndex, (LONG)dwNew);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd);
}

void CWnd::CenterWindow()
{
    RECT rc, rcScreen;
    ::GetWindowRect(m_hWnd, &rc);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcScreen, 0);
    int x = rcScreen.left + (rcScreen.right - rcScreen.left - (rc.right - rc.left)) / 2;
    int y = rcScreen.top + (rcScreen.bottom - rcScreen.top - (rc.bottom - rc.top)) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
