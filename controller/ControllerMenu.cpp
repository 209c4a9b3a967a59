// The bar's pop-up menu and the commands of its position and window state.
#include "controller/ControllerDlg.h"
#include "res/resource.h"

HWND CControllerDlg::FindOpenDialog() const
{
    char szClass[256] = "";
    GetClassNameA(m_hWnd, szClass, sizeof szClass);
    for (HWND hWnd = FindWindowA(szClass, nullptr); hWnd; hWnd = FindWindowExA(nullptr, hWnd, szClass, nullptr)) {
        HWND hOwner = ::GetParent(hWnd);
        // Slots keep whole handles, as owners come.
        bool bOurs = hOwner && hOwner == m_hWnd;
        ForEachRunningModule([&](int i) { bOurs |= hOwner == m_modules[i].hWnd; });
        if (bOurs)
            return hWnd;
    }
    return nullptr;
}

void CControllerDlg::ShowBarMenu(POINT pt)
{
    if (FindOpenDialog())
        return;
    HMENU hMenu = LoadMenuA(AfxFindResourceHandle(MAKEINTRESOURCEA(IDR_BAR_MENU), (LPCSTR)RT_MENU),
                            MAKEINTRESOURCEA(IDR_BAR_MENU));
    if (!hMenu)
        return;
    HMENU hPopup = GetSubMenu(hMenu, 0);
    const BOOL bFloating = m_nSavedEdge == DBE_FLOAT;
    const struct {
        UINT nID;
        BOOL bEnabled;
    } items[] = {
        { ID_HELP, TRUE },
        { ID_ACTIVATE_MODULES, m_nNextModuleOrder > 0 },
        { ID_LAUNCH_WAVEEDITOR, m_bHasWave },
        { ID_LAUNCH_MIDITRACKER, m_bHasMidi },
        { ID_DOCK_LEFT, TRUE },
        { ID_DOCK_TOP, TRUE },
        { ID_DOCK_RIGHT, TRUE },
        { ID_DOCK_BOTTOM, TRUE },
        { ID_FLOAT, TRUE },
        { ID_MINIMIZE_MODULES, TRUE },
        { ID_ALWAYS_ON_TOP, !bFloating },
        { ID_AUTO_HIDE, !bFloating },
        { ID_APP_ABOUT, TRUE },
        { ID_APP_EXIT, TRUE },
    };
    for (const auto& item : items)
        EnableMenuItem(hPopup, item.nID, MF_BYCOMMAND | (item.bEnabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(hPopup, ID_ALWAYS_ON_TOP, MF_BYCOMMAND | (m_state.bAlwaysOnTop ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(hPopup, ID_AUTO_HIDE, MF_BYCOMMAND | (m_state.bAutoHide ? MF_CHECKED : MF_UNCHECKED));

    // The current position carries the radio mark; any value but an edge reads as floating.
    UINT nRadio = ID_FLOAT;
    switch (m_nSavedEdge) {
    case ABE_LEFT: nRadio = ID_DOCK_LEFT; break;
    case ABE_TOP: nRadio = ID_DOCK_TOP; break;
    case ABE_RIGHT: nRadio = ID_DOCK_RIGHT; break;
    case ABE_BOTTOM: nRadio = ID_DOCK_BOTTOM; break;
    }
    char szText[64];
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE | MIIM_TYPE;
    mii.dwTypeData = szText;
    mii.cch = sizeof szText;
    if (GetMenuItemInfoA(hPopup, nRadio, FALSE, &mii)) {
        mii.fType |= MFT_RADIOCHECK;
        mii.fState = MFS_CHECKED;
        SetMenuItemInfoA(hPopup, nRadio, FALSE, &mii);
    }

    TrackPopupMenu(hPopup, 0, pt.x, pt.y, 0, m_hWnd, nullptr);
    DestroyMenu(hMenu);
}

void CControllerDlg::OnLogo()
{
    ShowBarMenu(CPoint(GetMessagePos()));
}

void CControllerDlg::OnContextMenu(CWnd*, CPoint point)
{
    ShowBarMenu(point);
}

void CControllerDlg::OnAlwaysOnTop()
{
    m_bAlwaysOnTopSetting = m_state.bAlwaysOnTop;
    SetAlwaysOnTop(!m_state.bAlwaysOnTop);
    m_bAlwaysOnTopSetting = m_state.bAlwaysOnTop;
}

void CControllerDlg::OnAutoHide()
{
    m_bAutoHideSetting = m_state.bAutoHide;
    SetAutoHide(!m_state.bAutoHide);
    // A refused auto-hide has been switched off again by now.
    m_bAutoHideSetting = m_state.bAutoHide;
}

void CControllerDlg::OnActivateModules()
{
    RestoreBarAndModules();
    if (AnyModuleRunning()) {
        UpdateModulePositions();
        MoveModules();
    }
}

void CControllerDlg::DockTo(int nEdge)
{
    if (m_nSavedEdge == nEdge)
        return;
    if (m_bAlwaysOnTopSetting)
        SetAlwaysOnTop(TRUE); // floating had switched it off
    HideLegs();
    // Hidden while it moves and changes its layout.
    ShowWindow(SW_HIDE);
    SetDockState(nEdge);
    ShowWindow(SW_SHOW);
    UpdateWindow();
}

void CControllerDlg::OnDockTop()
{
    DockTo(ABE_TOP);
}

void CControllerDlg::OnDockLeft()
{
    DockTo(ABE_LEFT);
}

void CControllerDlg::OnDockBottom()
{
    DockTo(ABE_BOTTOM);
}

void CControllerDlg::OnDockRight()
{
    DockTo(ABE_RIGHT);
}

void CControllerDlg::OnFloat()
{
    if (m_nSavedEdge == DBE_FLOAT)
        return;
    if (m_bAlwaysOnTopSetting)
        SetAlwaysOnTop(FALSE); // a floating bar is never topmost; the preference stays
    SetDockState(DBE_FLOAT);
    // Come to rest above the first module of the stack.
    ForEachRunningModule([&](int i) {
        if (m_modules[i].nOrder != 0)
            return;
        RECT rc;
        ::GetWindowRect(m_modules[i].hWnd, &rc);
        ::InvalidateRect(m_modules[i].hWnd, nullptr, TRUE);
        SetWindowPos(nullptr, rc.left, rc.top - 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    });
    UpdateWindow();
    ShowLegs();
}
