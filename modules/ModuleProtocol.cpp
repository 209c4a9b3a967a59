// Finding the modules that run, the bar's side of the module message
// protocol, and its exit sequence.
#include "controller/ControllerDlg.h"
#include "app/WaitAndPump.h"
#include "res/resource.h"
#include <algorithm>

namespace {

void SetModuleMenuState(HMENU hSysMenu, BOOL bMinimized)
{
    EnableMenuItem(hSysMenu, ID_MINIMIZE_MODULES, MF_BYCOMMAND | (bMinimized ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(hSysMenu, ID_RESTORE_MODULES, MF_BYCOMMAND | (bMinimized ? MF_ENABLED : MF_GRAYED));
}

} // namespace

void CControllerDlg::PostToModules(LPARAM lCode)
{
    ForEachRunningModule(
        [&](int i) { ::PostMessageA(m_modules[i].hWnd, g_uModuleMessage, LOWORD((UINT_PTR)m_hWnd), lCode); });
}

void CControllerDlg::SetModulesMinimized(int nMinimized)
{
    m_nModulesMinimized = nMinimized;
    SetModuleMenuState(GetSystemMenu(FALSE), nMinimized != 0);
}

// The slot a module's window title gives it, when its device is present; 0 for none.
int CControllerDlg::SlotFromTitle(HWND hWnd) const
{
    char szTitle[256] = "";
    ::GetWindowTextA(hWnd, szTitle, sizeof szTitle);
    for (int i = MODULE_CDPLAYER; i <= MODULE_MIDIPLAYER; i++) {
        CString strTitle;
        strTitle.LoadString(IDS_TITLE_VOLUME + i);
        if (strTitle == szTitle)
            return HasModuleDevice(i) ? i : 0;
    }
    return 0;
}

// Empties a slot and closes the gap its place leaves in the stack.
void CControllerDlg::FreeSlot(int nSlot)
{
    ModuleSlot& slot = m_modules[nSlot];
    slot.hWnd = nullptr;
    for (ModuleSlot& other : m_modules)
        if (other.nOrder > slot.nOrder)
            other.nOrder--;
    m_nNextModuleOrder--;
}

LRESULT CControllerDlg::OnModuleMessage(WPARAM wParam, LPARAM lParam)
{
    const WORD wSender = LOWORD(wParam);
    if (wSender == LOWORD((UINT_PTR)m_hWnd))
        return 0; // the bar's own posts never count
    // The whole value: a code with stray high bits is no code, while a
    // 32-bit module's -1 arrives sign-extended and stays MODMSG_EXIT.
    switch (lParam) {
    case MODMSG_ATTACH: OnModuleAttach(wSender); break;
    case MODMSG_DETACH: OnModuleDetach(wSender); break;
    case MODMSG_MINIMIZE: OnModuleMinimizeOrRestore(TRUE); break;
    case MODMSG_RESTORE: OnModuleMinimizeOrRestore(FALSE); break;
    case MODMSG_EXIT: ExitController(); break;
    }
    return 0;
}

void CControllerDlg::OnModuleAttach(WORD wSender)
{
    if (m_bInitialized)
        RestoreBarAndModules();
    // Only a top-level window is a module: a child's root is a stranger's window.
    const HWND hSender = (HWND)(UINT_PTR)wSender;
    HWND hRoot = GetAncestor(hSender, GA_ROOT);
    int nSlot = SlotFromTitle(hSender);
    if (!nSlot || LOWORD((UINT_PTR)hRoot) != wSender)
        return;
    // A player that ended without leaving gives up its place first; one
    // that announces itself again keeps the place it has.
    ModuleSlot& slot = m_modules[nSlot];
    if (slot.hWnd && !IsWindow(slot.hWnd))
        FreeSlot(nSlot);
    if (!slot.hWnd)
        slot.nOrder = m_nNextModuleOrder++;
    // Kept whole: a low word alone can name another window once this one has gone.
    slot.hWnd = hRoot;
    SetModuleLaunchState(nSlot, FALSE);
}

void CControllerDlg::OnModuleDetach(WORD wSender)
{
    for (int i = MODULE_CDPLAYER; i < m_nModules && i < MODULE_COUNT; i++) {
        // An empty slot is nobody's, whatever a sender puts in wParam.
        if (m_modules[i].hWnd && LOWORD((UINT_PTR)m_modules[i].hWnd) == wSender) {
            FreeSlot(i);
            SetModuleLaunchState(i, TRUE);
            return;
        }
    }
}

// A module minimised or restored the suite: a floating bar follows as a
// window, a docked one as the state of its Minimize button.
void CControllerDlg::OnModuleMinimizeOrRestore(BOOL bMinimize)
{
    m_bModulesHiddenByBar = TRUE;
    if (m_nOrientation == ORIENT_FLOAT) {
        ShowWindow(bMinimize ? SW_MINIMIZE : SW_RESTORE);
    } else {
        SetModulesMinimized(bMinimize ? 1 : 0);
        SetMinimizeToolTip();
    }
}

void CControllerDlg::OnSize(UINT nType, int cx, int cy)
{
    CDockingBarDlg::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED) {
        ModifyStyleEx(WS_EX_TOOLWINDOW, 0);
        SetModulesMinimized(1);
        HideLegs();
        if (!m_bModulesHiddenByBar)
            PostToModules(MODMSG_MINIMIZE);
        m_bModulesHiddenByBar = FALSE;
        m_bBarMinimized = TRUE;
    } else if (nType == SIZE_RESTORED) {
        // Only a way back from minimised is a restore; a docked bar's resizes leave the modules be.
        if (m_bBarMinimized) {
            m_bBarMinimized = FALSE;
            ModifyStyleEx(0, WS_EX_TOOLWINDOW);
            SetModulesMinimized(0);
            if (m_nOrientation == ORIENT_FLOAT && m_bInitialized)
                ShowLegs();
            if (!m_bModulesHiddenByBar)
                PostToModules(MODMSG_RESTORE);
        }
        m_bModulesHiddenByBar = FALSE;
    }
}

void CControllerDlg::OnMinimizeModules()
{
    m_bModulesHiddenByBar = FALSE;
    if (m_nModulesMinimized) {
        OnRestoreModules(); // the button toggles
        return;
    }
    if (m_nSavedEdge == DBE_FLOAT) {
        ShowWindow(SW_MINIMIZE); // the size handler tells the modules
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
    // The waits below dispatch messages: an Exit click or a module's EXIT there
    // must not save again once the modules have left.
    if (m_bExiting)
        return;
    m_bExiting = TRUE;
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

    if (m_nStartMode != START_NORMAL)
        WaitAndPump(500);
    if (m_bInsertIconWhenQuit && m_nStartMode == START_NORMAL)
        StartTrayInstance();
    EndDialog(0);
}

BOOL CControllerDlg::FindModule(int nSlot)
{
    if (nSlot < 0 || nSlot >= MODULE_COUNT || !HasModuleDevice(nSlot))
        return FALSE;
    CString strTitle;
    strTitle.LoadString(IDS_TITLE_VOLUME + nSlot);
    HWND hWnd = FindWindowA(nullptr, strTitle);
    if (!hWnd)
        return FALSE;
    m_bLaunchModule[nSlot] = FALSE;
    if (nSlot != MODULE_VOLUME) {
        m_modules[nSlot].hWnd = hWnd;
        m_modules[nSlot].nOrder = m_nNextModuleOrder++;
    }
    return TRUE;
}

BOOL CControllerDlg::HasModuleDevice(int nSlot) const
{
    switch (nSlot) {
    case MODULE_VOLUME: return m_bHasMixer;
    case MODULE_CDPLAYER: return m_bHasCDAudio;
    case MODULE_WAVEPLAYER: return m_bHasWave;
    case MODULE_MIDIPLAYER: return m_bHasMidi;
    default: return FALSE;
    }
}

BOOL CControllerDlg::AnyModuleRunning() const
{
    BOOL bAny = FALSE;
    ForEachRunningModule([&](int) { bAny = TRUE; });
    return bAny;
}

// Modules that ran before the bar: tell them it is here, hide them until the
// bar has finished, and stack them in the order of their windows' heights.
void CControllerDlg::TakeOverRunningModules()
{
    int anTop[MODULE_COUNT] = {};
    for (int i = MODULE_CDPLAYER; i < MODULE_COUNT; i++) {
        HWND hWnd = m_modules[i].hWnd;
        anTop[i] = MODULE_TOP_NONE;
        if (!IsWindow(hWnd))
            continue;
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        anTop[i] = rc.top;
        ::PostMessageA(hWnd, g_uModuleMessage, LOWORD((UINT_PTR)m_hWnd), MODMSG_ATTACH);
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
        ::ShowWindow(hWnd, SW_HIDE);
    }
    // Equal tops keep slot order, so that the orders stay 0, 1 and 2.
    int anSlot[3] = { MODULE_CDPLAYER, MODULE_WAVEPLAYER, MODULE_MIDIPLAYER };
    std::stable_sort(anSlot, anSlot + 3, [&](int a, int b) { return anTop[a] < anTop[b]; });
    for (int k = 0; k < 3; k++)
        m_modules[anSlot[k]].nOrder = k;
}
