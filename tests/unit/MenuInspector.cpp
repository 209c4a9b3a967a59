#include "MenuInspector.h"
#include "TestUtil.h"

#ifndef MN_GETHMENU
#define MN_GETHMENU 0x01E1
#endif

namespace {

MenuSnapshot g_snapshot;

VOID CALLBACK OnInspectTimer(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hMenuWnd = nullptr;
    while ((hMenuWnd = FindWindowExA(nullptr, hMenuWnd, "#32768", nullptr)) && !IsWindowVisible(hMenuWnd))
        ;
    if (!hMenuWnd)
        return;
    KillTimer(nullptr, nIDEvent);
    HMENU hMenu = (HMENU)SendMessageA(hMenuWnd, MN_GETHMENU, 0, 0);
    for (int i = 0; i < GetMenuItemCount(hMenu); i++) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE;
        if (GetMenuItemInfoA(hMenu, i, TRUE, &mii) && !(mii.fType & MFT_SEPARATOR)) {
            g_snapshot.state[mii.wID] = mii.fState;
            g_snapshot.type[mii.wID] = mii.fType;
        }
    }
    GetWindowRect(hMenuWnd, &g_snapshot.rc);
    g_snapshot.bShown = true;
    PostMessageA(hMenuWnd, WM_KEYDOWN, VK_ESCAPE, 0);
}

} // namespace

MenuSnapshot InspectMenu(const std::function<void()>& open)
{
    g_snapshot = {};
    UINT_PTR nTimer = SetTimer(nullptr, 0, 50, OnInspectTimer);
    open();
    KillTimer(nullptr, nTimer);
    // EndMenu leaves a cancel in the queue that would end the next menu at once.
    PumpFor(100);
    return g_snapshot;
}
