// The Setup button: the Setup sheet, and what its OK applies.
#include "controller/ControllerDlg.h"
#include "SetupPSH.h"
#include "res/resource.h"

void CControllerDlg::OnSetup()
{
    if (FindOpenDialog())
        return;

    // The sheet starts from what the docking base does now. A floating bar
    // is never topmost, yet keeps its always-on-top preference for docking.
    const BOOL bDocked = m_nSavedEdge != DBE_FLOAT;
    m_bAutoHideSetting = m_state.bAutoHide;
    if (bDocked)
        m_bAlwaysOnTopSetting = m_state.bAlwaysOnTop;
    m_bCDPlayerChanged = FALSE;

    {
        CSetupPSH sheet(IDS_SETUP_CAPTION, this, 0);
        if (sheet.DoModal() == IDOK) {
            const BOOL bAutoHide = m_bAutoHideSetting;
            if (bDocked) {
                SetAlwaysOnTop(m_bAlwaysOnTopSetting);
                m_bAlwaysOnTopSetting = m_state.bAlwaysOnTop;
            }
            // A refused auto-hide shows in the setting: it takes what was applied.
            SetAutoHide(bAutoHide);
            m_bAutoHideSetting = m_state.bAutoHide;
            SaveSettings();
            m_bFollowTaskbarState = m_bCoordinateWithTaskbar;
            // Only a box the user changed changes the association.
            if (m_bCDPlayerChanged) {
                if (m_bSetupFlag)
                    RegisterCDPlayer();
                else
                    RestoreCDPlayer();
            }
        }
    }
    m_bCDPlayerChanged = FALSE;
    LoadSettings();
}
