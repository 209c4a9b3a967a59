#include "TrayIconDlg.h"
#include "controller/ControllerDlg.h"
#include "res/resource.h"
#include <shellapi.h>

#define TRAY_ICON_ID        128
#define NOTIFYICON_SIZE     88      // the original record, understood by every shell

BEGIN_MESSAGE_MAP(CTrayIconDlg, CDialog)
    ON_MESSAGE(WM_CLOSEINSTANCE, OnCloseInstance)
END_MESSAGE_MAP()

CTrayIconDlg::CTrayIconDlg(CWnd* pParent)
    : CDialog(IDD_TRAYICON, pParent)
{
}

BOOL CTrayIconDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString strTitle;
    strTitle.LoadString(IDS_TRAY_TITLE);
    SetWindowText(strTitle);
    MoveWindow(0, 0, 0, 0, TRUE);
    m_hIcon = LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCEA(IDI_TYMP), (LPCSTR)RT_GROUP_ICON),
                        MAKEINTRESOURCEA(IDI_TYMP));

    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICON_SIZE;
    nid.hWnd = m_hWnd;
    nid.uID = TRAY_ICON_ID;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_TRAYNOTIFY;
    nid.hIcon = m_hIcon;
    CString strTip;
    strTip.LoadString(IDS_TRAY_TIP);
    lstrcpynA(nid.szTip, strTip, 64);
    Shell_NotifyIconA(NIM_ADD, &nid);
    return TRUE;
}

void CTrayIconDlg::DeleteIcon()
{
    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICON_SIZE;
    nid.hWnd = m_hWnd;
    nid.uID = TRAY_ICON_ID;
    Shell_NotifyIconA(NIM_DELETE, &nid);
}

void CTrayIconDlg::OnExit()
{
    DeleteIcon();
    EndDialog(0);
}

// A starting bar sends this and waits; the copy ends inside the handler.
LRESULT CTrayIconDlg::OnCloseInstance(WPARAM, LPARAM)
{
    OnExit();
    ExitProcess(0);
}
