// The bar's window state: its edge and orientation, its size limits, restoring
// it with the modules, and the module stack.
#include "controller/ControllerDlg.h"
#include "panekit/PaneKit.h"
#include "res/resource.h"

constexpr int MODULE_STACK_GAP = 5; // first module below the floating bar
constexpr int MODULE_STACK_STEP = 97; // from one module to the next

void CControllerDlg::RestoreBarAndModules()
{
    // Shown while the count still says minimised: the activation this causes
    // must not arrange modules that are not restored yet.
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
    SetModulesMinimized(0);
    ForEachRunningModule([&](int i) {
        HWND hWnd = m_modules[i].hWnd;
        if (::IsIconic(hWnd)) {
            ::ShowWindow(hWnd, SW_RESTORE);
            ::UpdateWindow(hWnd);
        }
        if (!::IsWindowVisible(hWnd)) {
            ::ShowWindow(hWnd, SW_SHOWNA);
            ::UpdateWindow(hWnd);
        }
    });
}

void CControllerDlg::UpdateModulePositions()
{
    CRect rcBar;
    GetWindowRect(&rcBar);
    ForEachRunningModule([&](int i) {
        ModuleSlot& slot = m_modules[i];
        if (m_nOrientation == ORIENT_FLOAT) {
            slot.x = rcBar.left;
            slot.y = rcBar.bottom + slot.nOrder * MODULE_STACK_STEP + MODULE_STACK_GAP;
        } else {
            // Docked, the modules stay where the user put them.
            RECT rc;
            ::GetWindowRect(slot.hWnd, &rc);
            slot.x = rc.left;
            slot.y = rc.top;
        }
    });
}

void CControllerDlg::MoveModules()
{
    ForEachRunningModule([&](int i) {
        const ModuleSlot& slot = m_modules[i];
        ::SetWindowPos(slot.hWnd, nullptr, slot.x, slot.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
}

void CControllerDlg::OnAbout()
{
    CString strCaption, strProduct, strLegal;
    strCaption.LoadString(IDS_ABOUT_CAPTION);
    strProduct.LoadString(IDS_ABOUT_PRODUCT);
    strLegal.LoadString(IDS_LEGAL_NOTICE);
    CAboutDlg dlg(strCaption, strProduct, strLegal, m_hIcon, LoadWaveResource(WAVE_ABOUT), this);
    dlg.DoModal();
}

// The sound in memory, or null when any step fails.
const void* LoadWaveResource(UINT nID)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = FindResourceA(hInst, MAKEINTRESOURCEA(nID), "WAVE");
    HGLOBAL hData = hRes ? LoadResource(hInst, hRes) : nullptr;
    return hData ? LockResource(hData) : nullptr;
}

int CControllerDlg::OrientationFromEdge(int nEdge, int nOrientation)
{
    switch (nEdge) {
    case ABE_LEFT:
    case ABE_RIGHT: return ORIENT_VERT;
    case ABE_TOP:
    case ABE_BOTTOM: return ORIENT_HORZ;
    case DBE_FLOAT: return ORIENT_FLOAT;
    default: return nOrientation;
    }
}

void CControllerDlg::OnEdgeChanged(BOOL, int nEdge)
{
    if (nEdge == DBE_FLOAT) {
        Invalidate(TRUE);
        SetWindowPos(nullptr, 0, 0, BAR_FLOAT_WIDTH, BAR_FLOAT_HEIGHT, SWP_NOMOVE | SWP_NOZORDER | SWP_NOSENDCHANGING);
    }
    m_nOrientation = OrientationFromEdge(nEdge, m_nOrientation);
    if (m_nOrientation != m_nBuiltOrientation) {
        DestroyControls();
        CreateControls(m_nOrientation);
        if (nEdge == DBE_FLOAT && m_bInitialized)
            RestoreBarAndModules();
    }
    m_nBuiltOrientation = m_nOrientation;
    m_nSavedEdge = nEdge;
    WriteUserData();
}

// Other programs read the bar's state here: low word always-on-top, high word orientation.
void CControllerDlg::WriteUserData()
{
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, MAKELONG(m_bAlwaysOnTopSetting, m_nOrientation));
}

void CControllerDlg::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    CRect rcInset(0, 0, 0, 0);
    AdjustWindowRectEx(&rcInset, GetStyle(), FALSE, GetExStyle());
    int nEdge = GetEffectiveEdge();
    if (nEdge == DBE_FLOAT) {
        pMMI->ptMinTrackSize.x = m_cxClient - rcInset.left + rcInset.right;
        pMMI->ptMinTrackSize.y = m_cyClient - rcInset.top + rcInset.bottom;
    }
    // A floating bar may grow to half the screen each way.
    pMMI->ptMaxTrackSize.x = GetSystemMetrics(SM_CXSCREEN);
    pMMI->ptMaxTrackSize.y = GetSystemMetrics(SM_CYSCREEN);
    if (nEdge != ABE_TOP && nEdge != ABE_BOTTOM)
        pMMI->ptMaxTrackSize.x /= 2;
    if (nEdge != ABE_LEFT && nEdge != ABE_RIGHT)
        pMMI->ptMaxTrackSize.y /= 2;
    CDockingBarDlg::OnGetMinMaxInfo(pMMI);
}

void CControllerDlg::SetAlwaysOnTop(BOOL bAlwaysOnTop)
{
    DOCKBARSTATE state = m_state;
    state.bAlwaysOnTop = bAlwaysOnTop;
    SetBarState(&state);
}

void CControllerDlg::SetAutoHide(BOOL bAutoHide)
{
    DOCKBARSTATE state = m_state;
    state.bAutoHide = bAutoHide;
    SetBarState(&state);
}
