#include "ControllerBarPage.h"
#include "SetupPSH.h"
#include "controller/ControllerDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CControllerBarPage, CPropertyPage)
    ON_BN_CLICKED(IDC_ALWAYS_ON_TOP, OnCheckAlwaysOnTop)
    ON_BN_CLICKED(IDC_AUTO_HIDE, OnCheckAutoHide)
    ON_BN_CLICKED(IDC_INSERT_ICON, OnCheckInsertIcon)
    ON_BN_CLICKED(IDC_COORDINATE, OnCheckCoordinate)
END_MESSAGE_MAP()

namespace {

BOOL IsChecked(HWND hWnd)
{
    return ::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCheck(HWND hWnd, BOOL bCheck)
{
    ::SendMessageA(hWnd, BM_SETCHECK, bCheck ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace

CControllerBarPage::CControllerBarPage() : CPropertyPage(IDD_CONTROLLER_BAR)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

CControllerBarPage::~CControllerBarPage()
{
    DeletePictures();
}

void CControllerBarPage::DoDataExchange()
{
    DDX_Control(IDC_COORDINATE, m_chkCoordinate);
    DDX_Control(IDC_INSERT_ICON, m_chkInsertIcon);
    DDX_Control(IDC_AUTO_HIDE, m_chkAutoHide);
    DDX_Control(IDC_ALWAYS_ON_TOP, m_chkAlwaysOnTop);
    DDX_Control(IDC_PREVIEW_ICON, m_picWindow);
    DDX_Control(IDC_PREVIEW_DESKTOP, m_picDesktop);
    DDX_Control(IDC_PREVIEW_BAR, m_picBar);
}

void CControllerBarPage::SetPicture(CWnd& picture, UINT nIDBitmap, HBITMAP& hbmOwned)
{
    HBITMAP hbm = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDBitmap));
    if (!hbm)
        return; // the picture stays empty
    HBITMAP hbmPrevious = (HBITMAP)picture.SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hbm);
    if (hbmPrevious && hbmPrevious != hbm)
        DeleteObject(hbmPrevious);
    if (hbmOwned && hbmOwned != hbmPrevious)
        DeleteObject(hbmOwned);
    hbmOwned = hbm;
}

void CControllerBarPage::DeletePictures()
{
    for (HBITMAP* phbm : { &m_hbmBar, &m_hbmDesktop, &m_hbmWindow }) {
        if (*phbm)
            DeleteObject(*phbm);
        *phbm = nullptr;
    }
}

BOOL CControllerBarPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_pBar = SetupBarOf(GetSheetOwner());
    if (!m_pBar)
        return TRUE;

    SetPicture(m_picBar, BITMAP_PREVIEW_BAR, m_hbmBar);
    SetPicture(m_picDesktop, BITMAP_PREVIEW_DESKTOP, m_hbmDesktop);
    SetPicture(m_picWindow, BITMAP_PREVIEW_ICON, m_hbmWindow);

    // The bar lies along the desktop's lower edge, the icon over its right end.
    RECT rc;
    m_picDesktop.GetWindowRect(&rc);
    POINT pt = { rc.left, rc.top };
    ScreenToClient(m_hWnd, &pt);
    const UINT uFlags = SWP_NOSIZE | SWP_NOACTIVATE;
    m_picBar.SetWindowPos(m_picDesktop, pt.x + 3, pt.y + 98, 0, 0, uFlags);
    m_picWindow.SetWindowPos(m_picBar, pt.x + 213, pt.y + 69, 0, 0, uFlags);

    SetCheck(m_chkAlwaysOnTop, m_pBar->m_bAlwaysOnTopSetting);
    SetCheck(m_chkAutoHide, m_pBar->m_bAutoHideSetting);
    SetCheck(m_chkInsertIcon, m_pBar->m_bInsertIconWhenQuit);
    if (m_pBar->m_bAutoHideSetting)
        m_picBar.ShowWindow(SW_HIDE);
    if (m_pBar->m_bAlwaysOnTopSetting)
        m_picWindow.ShowWindow(SW_HIDE);

    // The shell allows one auto-hide bar per edge.
    HWND hAutoHideBar = m_pBar->GetAutoHideBar(m_pBar->m_nSavedEdge);
    BOOL bSlotTaken = hAutoHideBar && hAutoHideBar != m_pBar->m_hWnd;
    if (bSlotTaken) {
        ::EnableWindow(m_chkAutoHide, FALSE);
        m_pBar->m_bAutoHideSetting = FALSE;
        SetCheck(m_chkAutoHide, FALSE);
    }

    SetCheck(m_chkCoordinate, m_pBar->m_bCoordinateWithTaskbar);

    BOOL bDocked = m_pBar->m_nSavedEdge != DBE_FLOAT;
    ::EnableWindow(m_chkAlwaysOnTop, bDocked);
    ::EnableWindow(m_chkAutoHide, bDocked && !bSlotTaken);
    return TRUE;
}

void CControllerBarPage::PostNcDestroy()
{
    CPropertyPage::PostNcDestroy();
    DeletePictures();
    m_pBar = nullptr;
}

void CControllerBarPage::OnCheckAlwaysOnTop()
{
    if (!m_pBar)
        return;
    m_pBar->m_bAlwaysOnTopSetting = IsChecked(m_chkAlwaysOnTop);
    // A topmost bar is never covered by the icon.
    m_picWindow.ShowWindow(m_pBar->m_bAlwaysOnTopSetting ? SW_HIDE : SW_SHOW);
}

void CControllerBarPage::OnCheckAutoHide()
{
    if (!m_pBar)
        return;
    m_pBar->m_bAutoHideSetting = IsChecked(m_chkAutoHide);
    m_picBar.ShowWindow(m_pBar->m_bAutoHideSetting ? SW_HIDE : SW_SHOW);
}

void CControllerBarPage::OnCheckInsertIcon()
{
    if (m_pBar)
        m_pBar->m_bInsertIconWhenQuit = IsChecked(m_chkInsertIcon);
}

void CControllerBarPage::OnCheckCoordinate()
{
    if (m_pBar)
        m_pBar->m_bCoordinateWithTaskbar = IsChecked(m_chkCoordinate);
}
