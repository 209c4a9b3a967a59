#include "SetupPSH.h"
#include "controller/ControllerDlg.h"

BEGIN_MESSAGE_MAP(CSetupPSH, CPropertySheet)
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

CSetupPSH::CSetupPSH(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
    // No Apply and no Help: the pages edit the bar at once, OK saves.
    m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_PROPSHEETPAGE;
    m_psh.dwFlags &= ~PSH_HASHELP;
    AddPage(&m_pageControllerBar);
    AddPage(&m_pagePreference);
    AddPage(&m_pageWaveRecording);
}

CSetupPSH::~CSetupPSH() = default;

void CSetupPSH::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
    // Keep the modules stacked right behind the bar while the sheet comes and goes.
    if (CControllerDlg* pBar = SetupBarOf(m_pParentWnd))
        pBar->ArrangeModulesBehindBar();
}

CControllerDlg* SetupBarOf(CWnd* pSheetOwner)
{
    return dynamic_cast<CControllerDlg*>(pSheetOwner);
}
