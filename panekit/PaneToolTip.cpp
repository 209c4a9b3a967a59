#include "PaneToolTip.h"
#include "PaneModule.h"
#include <commctrl.h>

namespace {

TOOLINFOA MakeToolInfo(HWND hTool, LPCSTR pszText)
{
    TOOLINFOA ti = {};
    // The oldest size every comctl32 version accepts.
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = hTool;
    ti.uId = (UINT_PTR)hTool;
    ti.lpszText = (LPSTR)pszText;
    return ti;
}

} // namespace

BOOL CPaneToolTip::Create(HWND hTool, LPCSTR pszText)
{
    CPaneModule::InitCommonControls();
    // Always tip: the bar is seldom the active window. Unowned, so that the
    // tip's own topmost place never stands in the way of its bar's z-order.
    m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               CPaneModule::Instance(), nullptr);
    if (!m_hWnd)
        return FALSE;
    TOOLINFOA ti = MakeToolInfo(hTool, pszText);
    if (!::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, (LPARAM)&ti)) {
        Destroy();
        return FALSE;
    }
    return TRUE;
}

void CPaneToolTip::SetText(HWND hTool, LPCSTR pszText)
{
    if (!pszText)
        pszText = "";
    if (!m_hWnd) {
        if (*pszText)
            Create(hTool, pszText);
        return;
    }
    TOOLINFOA ti = MakeToolInfo(hTool, pszText);
    ::SendMessageA(m_hWnd, TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
    // Redraws and resizes a tip that is showing now.
    ::SendMessageA(m_hWnd, TTM_UPDATE, 0, 0);
}

void CPaneToolTip::RelayEvent(HWND hTool, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return;
    if (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN && message != WM_LBUTTONUP && message != WM_RBUTTONDOWN &&
        message != WM_RBUTTONUP)
        return;
    MSG msg = {};
    msg.hwnd = hTool;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = (DWORD)::GetMessageTime();
    DWORD dwPos = ::GetMessagePos();
    msg.pt.x = (short)LOWORD(dwPos);
    msg.pt.y = (short)HIWORD(dwPos);
    ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)&msg);
}

void CPaneToolTip::Destroy()
{
    // The tip is owned by the control's top-level window, which may have
    // destroyed it already.
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}
