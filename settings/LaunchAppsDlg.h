// The Launch Applications list: programs of the user's choice, kept in
// "TympStudio.ini" beside the program, section "Launch", keys 1, 2, 3, ...
#ifndef SETTINGS_LAUNCHAPPSDLG_H
#define SETTINGS_LAUNCHAPPSDLG_H

#include "afx/CDialog.h"
#include "afx/CListBox.h"

constexpr char LAUNCH_INI_NAME[] = "TympStudio.ini";
constexpr char LAUNCH_SECTION[] = "Launch";
constexpr int LAUNCH_ENTRY_SIZE = 256; // an entry and a file value: 255 characters and the zero

// Fills pszPath (MAX_PATH characters) with the full path of the INI file.
void GetLaunchIniPath(char* pszPath);

class CLaunchAppsDlg : public CDialog {
public:
    explicit CLaunchAppsDlg(CWnd* pParent);
    ~CLaunchAppsDlg() override = default;

    CListBox m_listApps;
    int m_nLoadedCount = 0;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange();
    void OnDblclkList();
    void OnBrowse();
    void OnLaunch();
    void OnRemove();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);

    DECLARE_MESSAGE_MAP()
};

#endif
