#include "AboutDlg.h"
#include "PaneKitRes.h"
#include "PaneModule.h"
#include <mmsystem.h>

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(const CString& strCaption, const CString& strProduct, const CString& strLegal, HICON hIcon,
                     const void* pWave, CWnd* pParent)
    : CDialog(IDD_PANEKIT_ABOUT, pParent),
      m_strCaption(strCaption),
      m_strProduct(strProduct),
      m_strLegal(strLegal),
      m_hIcon(hIcon),
      m_pWave(pWave)
{
    m_hInstTemplate = CPaneModule::Instance();
}

CAboutDlg::~CAboutDlg()
{
    // A box left open (made with Create) goes with its object; PostNcDestroy frees the font.
    DestroyWindow();
}

INT_PTR CAboutDlg::DoModal()
{
    return CDialog::DoModal();
}

BOOL CAboutDlg::OnInitDialog()
{
    SetWindowText(m_strCaption);
    ::SetDlgItemTextA(m_hWnd, IDC_ABOUT_PRODUCT, m_strProduct);
    ::SetDlgItemTextA(m_hWnd, IDC_ABOUT_LEGAL, m_strLegal);
    HWND hIcon = GetDlgItem(IDC_ABOUT_ICON);
    if (m_hIcon)
        ::SendMessageA(hIcon, STM_SETICON, (WPARAM)m_hIcon, 0);
    else
        ::ShowWindow(hIcon, SW_HIDE);
    SetProductFont();

    // Asynchronous, so the box answers at once; stopped when it closes.
    if (m_pWave)
        m_bPlaying = ::PlaySoundA((LPCSTR)m_pWave, nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
    return TRUE;
}

void CAboutDlg::SetProductFont()
{
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    LOGFONTA lf;
    if (!hFont || !::GetObjectA(hFont, sizeof lf, &lf))
        return;
    lf.lfHeight = lf.lfHeight * 3 / 2;
    lf.lfWeight = FW_BOLD;
    m_hFontProduct = ::CreateFontIndirectA(&lf);
    if (m_hFontProduct)
        ::SendMessageA(GetDlgItem(IDC_ABOUT_PRODUCT), WM_SETFONT, (WPARAM)m_hFontProduct, FALSE);
}

void CAboutDlg::OnDestroy()
{
    if (m_bPlaying)
        ::PlaySoundA(nullptr, nullptr, 0);
    m_bPlaying = FALSE;
    Default();
}

void CAboutDlg::PostNcDestroy()
{
    // The product line is gone with the window; its font can go too.
    if (m_hFontProduct)
        ::DeleteObject(m_hFontProduct);
    m_hFontProduct = nullptr;
}
