// A modal property sheet of the system (PropertySheetA) with CPropertyPage
// objects as its pages. The sheet's own window is bound to the object for
// the time of DoModal, so a derived class's map sees its messages.
#ifndef AFX_CPROPERTYSHEET_H
#define AFX_CPROPERTYSHEET_H

#include "CPropertyPage.h"
#include <vector>

class CPropertySheet : public CWnd {
public:
    CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const { return (int)m_pages.size(); }
    // IDOK when the user confirmed the sheet with OK, IDCANCEL for any other end.
    virtual INT_PTR DoModal();

    // The header handed to the system; a derived constructor may edit its flags.
    PROPSHEETHEADERA m_psh;

protected:
    CWnd* m_pParentWnd;
    CString m_strCaption;

private:
    friend class CPropertyPage;
    std::vector<CPropertyPage*> m_pages;
    INT_PTR m_nModalResult = IDCANCEL;
};

#endif
