// The Setup sheet's second page: the suite's CD player as the system's
// audio-CD player, and whether the CD keeps playing when the bar exits.
#ifndef SETTINGS_PREFERENCEPAGE_H
#define SETTINGS_PREFERENCEPAGE_H

#include "afx/CPropertyPage.h"

class CControllerDlg;

class CPreferencePage : public CPropertyPage {
public:
    CPreferencePage();
    ~CPreferencePage() override;

    CWnd m_chkDefaultCDPlayer;
    CWnd m_chkKeepCDPlaying;

    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;

    void OnCheckKeepCDPlaying();
    void OnCheckDefaultCDPlayer();

private:
    CControllerDlg* m_pBar = nullptr;
    BOOL m_bDefaultCDPlayerShown = FALSE; // the box's state when the page opened
};

#endif
