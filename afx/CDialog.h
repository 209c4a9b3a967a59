// A dialog from a DIALOGEX template: modal through DoModal, modeless
// through Create. The window is subclassed like any CWnd, so its map sees
// WM_CREATE as well; DefDlgProc still does the dialog's own work.
#ifndef AFX_CDIALOG_H
#define AFX_CDIALOG_H

#include "CWnd.h"

class CDialog : public CWnd {
public:
    CDialog() = default;
    CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) { }

    virtual INT_PTR DoModal();
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    DECLARE_MESSAGE_MAP()

protected:
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;
    // The module holding the template, when not the program (a DLL's own dialogs).
    HINSTANCE m_hInstTemplate = nullptr;

private:
    void RunModalLoop();
    BOOL m_bInModalLoop = FALSE;
    INT_PTR m_nModalResult = -1;
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

#endif
