// The Setup sheet: the Controller Bar, Preference and Wave Recording Format
// pages, which edit the bar's setting members directly. The bar applies and
// saves them when the sheet ends with OK (CControllerDlg::OnSetup).
#ifndef SETTINGS_SETUPPSH_H
#define SETTINGS_SETUPPSH_H

#include "afx/CPropertySheet.h"
#include "ControllerBarPage.h"
#include "PreferencePage.h"
#include "WaveRecordingPage.h"

class CControllerDlg;

class CSetupPSH : public CPropertySheet {
public:
    CSetupPSH(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage);
    ~CSetupPSH() override;

    CControllerBarPage m_pageControllerBar;
    CPreferencePage m_pagePreference;
    CWaveRecordingPage m_pageWaveRecording;

    DECLARE_MESSAGE_MAP()

protected:
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
};

// The bar a page of the Setup sheet edits: the owner of the page's sheet.
CControllerDlg* SetupBarOf(CWnd* pSheetOwner);

#endif
