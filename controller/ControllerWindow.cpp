// The bar's window state: restoring it with the modules, and the module stack.
#include "controller/ControllerDlg.h"
#include "panekit/PaneKit.h"
#include "res/resource.h"

#define MODULE_STACK_GAP    5       // first module below the floating bar
#define MODULE_STACK_STEP   97      // from one module to the next

void CControllerDlg::RestoreBarAndModules()
{
    SetModulesMinimized(0);
    ShowWindow(SW_SHOWNORMAL);
    UpdateWindow();
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
