#include "LoadingDlg.h"
#include "afx/CPaintDC.h"
#include "controller/ControllerDlg.h"
#include "res/resource.h"

constexpr UINT WM_LOADING_PREPARE = WM_USER + 100;

BEGIN_MESSAGE_MAP(CLoadingDlg, CDialog)
    ON_MESSAGE(WM_CLOSEINSTANCE, OnCloseInstance)
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_LOADING_PREPARE, OnShowPreparing)
END_MESSAGE_MAP()

CLoadingDlg::CLoadingDlg(CWnd* pParent)
{
    Create(IDD_LOADING, pParent);
}

CLoadingDlg::~CLoadingDlg()
{
    DestroyWindow();
    if (m_bmpBackground)
        DeleteObject(m_bmpBackground);
}

BOOL CLoadingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bmpBackground = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(BITMAP_LOADING));
    if (!m_bmpBackground)
        return FALSE;
    CString strTitle;
    strTitle.LoadString(IDS_LOADING_TITLE);
    SetWindowText(strTitle);
    CenterWindow();
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    return TRUE;
}

void CLoadingDlg::ShowStatus(UINT nIDText)
{
    if (!IsWindow(m_hWnd))
        return;
    CString strText;
    strText.LoadString(nIDText);
    SetDlgItemTextA(m_hWnd, IDC_LOADING_STATUS, strText);
}

void CLoadingDlg::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (!m_bmpBackground)
        return;
    CRect rcFrame;
    ::GetWindowRect(GetDlgItem(IDC_LOADING_FRAME), &rcFrame);
    MapWindowPoints(nullptr, m_hWnd, (POINT*)&rcFrame, 2);
    BITMAP bm;
    GetObjectA(m_bmpBackground, sizeof bm, &bm);
    CMemoryDC dcMem(dc);
    CSelectObject select(dcMem, m_bmpBackground);
    StretchBlt(dc, rcFrame.left, rcFrame.top, rcFrame.Width(), rcFrame.Height(), dcMem, 0, 0, bm.bmWidth, bm.bmHeight,
               SRCCOPY);
}

BOOL CLoadingDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(m_hWnd, &pt);
        CRect rc;
        GetClientRect(&rc);
        if (rc.PtInRect(pt)) {
            SetCursor(LoadCursorA(nullptr, (LPCSTR)IDC_WAIT));
            return TRUE;
        }
    }
    return CDialog::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CLoadingDlg::OnCloseInstance(WPARAM, LPARAM)
{
    DestroyWindow();
    return 0;
}

LRESULT CLoadingDlg::OnShowPreparing(WPARAM, LPARAM)
{
    ShowStatus(IDS_LOADING_PREPARING);
    return 0;
}
