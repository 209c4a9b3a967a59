// The start-up progress window: a picture and one line naming the step
// the bar's start-up has reached. Modeless, topmost, centred.
#ifndef APP_LOADINGDLG_H
#define APP_LOADINGDLG_H

#include "afx/Afx.h"

class CLoadingDlg : public CDialog {
public:
    explicit CLoadingDlg(CWnd* pParent);
    ~CLoadingDlg() override;

    // Shows one of the progress texts (IDS_LOADING_*); nothing once the window is gone.
    void ShowStatus(UINT nIDText);

    BOOL OnInitDialog() override;

protected:
    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    LRESULT OnCloseInstance(WPARAM, LPARAM);
    LRESULT OnShowPreparing(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    HBITMAP m_bmpBackground = nullptr;
};

#endif
