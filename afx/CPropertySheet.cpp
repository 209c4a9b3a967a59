#include "CPropertySheet.h"
#include "CWinApp.h"

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : m_pParentWnd(pParentWnd)
{
    m_strCaption.LoadString(nIDCaption);
    m_psh = {};
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    pPage->m_pSheet = this;
    m_pages.push_back(pPage);
}

INT_PTR CPropertySheet::DoModal()
{
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_TAB_CLASSES };
    InitCommonControlsEx(&icc);

    // The system copies the page headers; the copies carry the objects in lParam.
    std::vector<PROPSHEETPAGEA> psp;
    for (CPropertyPage* pPage : m_pages)
        psp.push_back(pPage->m_psp);
    PROPSHEETHEADERA psh = m_psh;
    psh.dwFlags |= PSH_PROPSHEETPAGE;
    psh.dwFlags &= ~PSH_MODELESS;
    psh.hwndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    psh.pszCaption = m_strCaption;
    psh.nPages = (UINT)psp.size();
    psh.ppsp = psp.data();

    m_nModalResult = IDCANCEL;
    {
        // The sheet's dialog is the first window that PropertySheetA creates.
        CCreateHook hook(this);
        if (PropertySheetA(&psh) < 0)
            return -1;
    }
    return m_nModalResult;
}
