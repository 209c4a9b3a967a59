// The suite's About box: icon, product name, legal notice and a chime that
// plays while the box opens. Modal; closes with OK, Escape or its close box.
#ifndef PANEKIT_ABOUTDLG_H
#define PANEKIT_ABOUTDLG_H

#include "afx/CDialog.h"
#include "panekit/PaneKitApi.h"

class PANEKIT_API CAboutDlg : public CDialog {
public:
    // hIcon stays the caller's. pWave is a RIFF WAVE image in memory, or
    // NULL; it must stay valid until DoModal returns.
    CAboutDlg(const CString& strCaption, const CString& strProduct, const CString& strLegal, HICON hIcon,
              const void* pWave, CWnd* pParent);
    ~CAboutDlg() override;

    // Defined here so that callers run this module's dialog code, which
    // knows where the template is.
    INT_PTR DoModal() override;

    BOOL OnInitDialog() override;

protected:
    void OnDestroy();
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    void SetProductFont();

    CString m_strCaption;
    CString m_strProduct;
    CString m_strLegal;
    HICON m_hIcon;
    const void* m_pWave;
    BOOL m_bPlaying = FALSE;
    // Set into the product line, so it must outlive the window's controls.
    HFONT m_hFontProduct = nullptr;
};

#endif
