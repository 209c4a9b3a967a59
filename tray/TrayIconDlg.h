// The notification-icon copy of the program: a hidden dialog that owns the
// icon and ends when a bar starts.
#ifndef TRAY_TRAYICONDLG_H
#define TRAY_TRAYICONDLG_H

#include "afx/Afx.h"

class CTrayIconDlg : public CDialog {
public:
    explicit CTrayIconDlg(CWnd* pParent);

    BOOL OnInitDialog() override;

    HICON m_hIcon = nullptr;

protected:
    LRESULT OnCloseInstance(WPARAM, LPARAM);
    void OnExit();

    DECLARE_MESSAGE_MAP()

private:
    void DeleteIcon();
};

#endif
