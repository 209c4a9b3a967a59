#include "CPropertyPage.h"
#include "CPropertySheet.h"
#include "CWinApp.h"

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
    ON_MESSAGE(WM_NOTIFY, OnNotify)
END_MESSAGE_MAP()

CPropertyPage::CPropertyPage(UINT nIDTemplate) : CDialog(nIDTemplate, nullptr)
{
    m_psp = {};
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEA(nIDTemplate);
    m_psp.pfnDlgProc = PageDlgProc;
    m_psp.pfnCallback = PageCallback;
    m_psp.lParam = (LPARAM)this;
}

CPropertyPage::~CPropertyPage() = default;

UINT CALLBACK CPropertyPage::PageCallback(HWND, UINT uMsg, LPPROPSHEETPAGEA ppsp)
{
    // The system creates the page's dialog right after this; bind it then.
    if (uMsg == PSPCB_CREATE) {
        auto* pPage = reinterpret_cast<CPropertyPage*>(ppsp->lParam);
        pPage->m_pCreateHook.reset();
        pPage->m_pCreateHook.reset(new CCreateHook(pPage));
    }
    return TRUE;
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    // Everything else reaches the object through the subclassed window procedure.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pPage = dynamic_cast<CPropertyPage*>(FromHandlePermanent(hWnd));
    if (!pPage)
        return TRUE;
    pPage->m_pCreateHook.reset();
    pPage->DoDataExchange();
    return pPage->OnInitDialog();
}

void CPropertyPage::DDX_Control(int nIDC, CWnd& wnd)
{
    wnd.m_hWnd = GetDlgItem(nIDC);
    m_controls.push_back(&wnd);
}

CWnd* CPropertyPage::GetSheetOwner() const
{
    HWND hSheet = GetParent();
    return hSheet ? FromHandlePermanent(::GetParent(hSheet)) : nullptr;
}

void CPropertyPage::PostNcDestroy()
{
    // The controls died with the page; their members must not name them any more.
    for (CWnd* pWnd : m_controls)
        pWnd->m_hWnd = nullptr;
    m_controls.clear();
}

LRESULT CPropertyPage::OnNotify(WPARAM, LPARAM lParam)
{
    auto* pnm = reinterpret_cast<const PSHNOTIFY*>(lParam);
    // lParam of PSN_APPLY is TRUE for OK, FALSE for Apply.
    if (pnm && pnm->hdr.code == PSN_APPLY && pnm->lParam && m_pSheet)
        m_pSheet->m_nModalResult = IDOK;
    return Default();
}
