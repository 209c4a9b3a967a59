#include "PreferencePage.h"
#include "SetupPSH.h"
#include "controller/ControllerDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CPreferencePage, CPropertyPage)
    ON_BN_CLICKED(IDC_KEEP_CD_PLAYING, OnCheckKeepCDPlaying)
    ON_BN_CLICKED(IDC_DEFAULT_CDPLAYER, OnCheckDefaultCDPlayer)
END_MESSAGE_MAP()

CPreferencePage::CPreferencePage() : CPropertyPage(IDD_PREFERENCE)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

CPreferencePage::~CPreferencePage() = default;

void CPreferencePage::DoDataExchange()
{
    DDX_Control(IDC_DEFAULT_CDPLAYER, m_chkDefaultCDPlayer);
    DDX_Control(IDC_KEEP_CD_PLAYING, m_chkKeepCDPlaying);
}

BOOL CPreferencePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_pBar = SetupBarOf(GetSheetOwner());
    if (!m_pBar)
        return TRUE;

    m_bDefaultCDPlayerShown = FALSE;
    if (m_pBar->m_bHasCDAudio) {
        m_chkKeepCDPlaying.SendMessage(BM_SETCHECK, m_pBar->m_bKeepCDSoundOnExit ? BST_CHECKED : BST_UNCHECKED);
        m_bDefaultCDPlayerShown = m_pBar->ReadCDPlayerAssociation();
        m_chkDefaultCDPlayer.SendMessage(BM_SETCHECK, m_bDefaultCDPlayerShown ? BST_CHECKED : BST_UNCHECKED);
    } else {
        // Without a CD audio device neither choice means anything.
        ::EnableWindow(m_chkKeepCDPlaying, FALSE);
        ::EnableWindow(m_chkDefaultCDPlayer, FALSE);
    }

    // Only a change of the box by the user changes the association on OK.
    m_pBar->m_bSetupFlag = m_bDefaultCDPlayerShown;
    m_pBar->m_bCDPlayerChanged = FALSE;
    return TRUE;
}

void CPreferencePage::PostNcDestroy()
{
    CPropertyPage::PostNcDestroy();
    m_pBar = nullptr;
}

void CPreferencePage::OnCheckKeepCDPlaying()
{
    if (m_pBar)
        m_pBar->m_bKeepCDSoundOnExit = m_chkKeepCDPlaying.SendMessage(BM_GETCHECK) == BST_CHECKED;
}

void CPreferencePage::OnCheckDefaultCDPlayer()
{
    if (!m_pBar)
        return;
    m_pBar->m_bSetupFlag = m_chkDefaultCDPlayer.SendMessage(BM_GETCHECK) == BST_CHECKED;
    m_pBar->m_bCDPlayerChanged = m_pBar->m_bSetupFlag != m_bDefaultCDPlayerShown;
}
