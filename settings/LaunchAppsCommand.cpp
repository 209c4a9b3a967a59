// The bar's Launch Applications button.
#include "controller/ControllerDlg.h"
#include "settings/LaunchAppsDlg.h"

void CControllerDlg::OnLaunchApplications()
{
    // One dialog at a time, the bar's or a module's.
    if (FindOpenDialog())
        return;
    CLaunchAppsDlg dlg(this);
    dlg.DoModal();
}
