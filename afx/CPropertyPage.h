// One page of a property sheet: a dialog that the system creates inside the
// sheet when the page is first shown. The object is bound to its window
// before the window's first message, so its map and OnInitDialog work as
// they do for any CDialog.
#ifndef AFX_CPROPERTYPAGE_H
#define AFX_CPROPERTYPAGE_H

#include "CDialog.h"
#include <commctrl.h>
#include <memory>
#include <vector>

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT nIDTemplate);
    ~CPropertyPage() override;

    // The header the sheet hands to the system; a derived constructor may edit its flags.
    PROPSHEETPAGEA m_psp;

    // The sheet's own buttons end it; a page never ends a dialog itself.
    void OnOK() override { }
    void OnCancel() override { }

    DECLARE_MESSAGE_MAP()

protected:
    // Binds the page's control members, before OnInitDialog.
    virtual void DoDataExchange() { }
    // Makes wnd name the page's control nIDC; the page owns the control,
    // the member only refers to it until the page's window is gone.
    void DDX_Control(int nIDC, CWnd& wnd);
    // The window that owns the sheet (the page's parent is the sheet).
    CWnd* GetSheetOwner() const;
    void PostNcDestroy() override;

    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);

private:
    friend class CPropertySheet;
    static UINT CALLBACK PageCallback(HWND hWnd, UINT uMsg, LPPROPSHEETPAGEA ppsp);
    static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CPropertySheet* m_pSheet = nullptr;
    std::unique_ptr<CCreateHook> m_pCreateHook;
    std::vector<CWnd*> m_controls;
};

#endif
