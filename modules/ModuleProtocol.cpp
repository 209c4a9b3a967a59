// The bar's side of the module message protocol, and its exit sequence.
#include "controller/ControllerDlg.h"
#include "app/WaitAndPump.h"
#include "res/resource.h"

namespace {

void SetModuleMenuState(HMENU hSysMenu, BOOL bMinimized)
{
    EnableMenuItem(hSysMenu, ID_MINIMIZE_MODULES, MF_BYCOMMAND | (bMinimized ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(hSysMenu, ID_RESTORE_MODULES, MF_BYCOMMAND | (bMinimized ? MF_ENABLED : MF_GRAYED));
}

} // namespace

void CControllerDlg::PostToModules(LPARAM lCode)
{
    for (int i = MODULE_CDPLAYER; i < m_nModules && i < MODULE_COUNT; i++) {
        if (IsWindow(m_modules[i].hWnd))
            ::PostMessageA(m_modules[i].hWnd, g_uModuleMessage, LOWORD((UINT_PTR)m_hWnd), lCode);
    }
}

void CControllerDlg::SetModulesMinimized(int nMinimized)
{
    m_nModulesMinimized = nMinimized;
    SetModuleMenuState(GetSystemMenu(FALSE), nMinimized != 0);
}

void CControllerDlg::OnMinimizeModules()
{
    m_bModulesHiddenByBar = FALSE;
    if (m_nModulesMinimized) {
        OnRestoreModules();     // the button toggles
        return;
    }
    if (m_nSavedEdge == DBE_FLOAT) {
        ShowWindow(SW_MINIMIZE);    // the size handler tells the modules
        return;
    }
    SetModulesMinimized(1);
    SetMinimizeToolTip();
    PostToModules(MODMSG_MINIMIZE);
}

void CControllerDlg::OnRestoreModules()
{
    m_bModulesHiddenByBar = FALSE;
    if (m_nSavedEdge == DBE_FLOAT) {
        ShowWindow(SW_RESTORE);
        return;
    }
    SetModulesMinimized(0);
    SetMinimizeToolTip();
    PostToModules(MODMSG_RESTORE);
}

void CControllerDlg::ExitController()
{
    SaveModuleLayout();
    SaveSettings();

    // A module whose slot lost its window is told of each remaining one first.
    for (int i = MODULE_CDPLAYER; i < m_nModules && i < MODULE_COUNT; i++) {
        if (IsWindow(m_modules[i].hWnd))
            ::PostMessageA(m_modules[i].hWnd, g_uModuleMessage, LOWORD((UINT_PTR)m_hWnd), (LPARAM)MODMSG_EXIT);
        else
            PostToModules(MODMSG_DETACH);
    }

    HideLegs();
    DestroyLegs();

    if (m_nStartMode != 0)
        WaitAndPump(500);
    if (m_bInsertIconWhenQuit && m_nStartMode == 0)
        StartTrayInstance();
    EndDialog(0);
}
