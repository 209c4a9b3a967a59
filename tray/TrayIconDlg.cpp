#include "TrayIconDlg.h"
#include "NotifyIconService.h"
#include "controller/ControllerDlg.h"
#include "modules/ModuleTable.h"
#include "panekit/PaneKit.h"
#include "res/resource.h"

constexpr int TRAY_ICON_ID = 128;
constexpr DWORD NOTIFYICON_SIZE = NOTIFYICONDATAA_V1_SIZE; // the original record, understood by every shell
static_assert(sizeof(void*) != 4 || NOTIFYICON_SIZE == 88, "the 32-bit first-version NOTIFYICONDATAA");
constexpr int TRAY_START_WAIT = 2000; // ms a started program has to become idle

BEGIN_MESSAGE_MAP(CTrayIconDlg, CDialog)
    ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
    ON_COMMAND(ID_TRAY_CONTROLLER, OnStartController)
    ON_COMMAND(ID_TRAY_VOLUME, OnVolumeControl)
    ON_COMMAND(ID_TRAY_CDPLAYER, OnCDPlayer)
    ON_COMMAND(ID_TRAY_WAVEPLAYER, OnWavePlayer)
    ON_COMMAND(ID_TRAY_MIDIPLAYER, OnMidiPlayer)
    ON_COMMAND(ID_TRAY_WAVEEDITOR, OnWaveEditor)
    ON_COMMAND(ID_TRAY_MIDITRACKER, OnMidiTracker)
    ON_COMMAND(ID_TRAY_ABOUT, OnAbout)
    ON_COMMAND(ID_TRAY_EXIT, OnExit)
    ON_MESSAGE(WM_CLOSEINSTANCE, OnCloseInstance)
    ON_REGISTERED_MESSAGE(g_uTaskbarCreatedMessage, OnTaskbarCreated)
END_MESSAGE_MAP()

CTrayIconDlg::CTrayIconDlg(CWnd* pParent) : CDialog(IDD_TRAYICON, pParent)
{
}

CTrayIconDlg::~CTrayIconDlg()
{
    if (m_menu)
        DestroyMenu(m_menu);
}

BOOL CTrayIconDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString strTitle;
    strTitle.LoadString(IDS_TRAY_TITLE);
    SetWindowText(strTitle);
    MoveWindow(0, 0, 0, 0, TRUE);
    m_hIcon =
        LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCEA(IDI_TYMP), (LPCSTR)RT_GROUP_ICON), MAKEINTRESOURCEA(IDI_TYMP));
    LoadModulePaths();
    m_menu = LoadMenuA(AfxFindResourceHandle(MAKEINTRESOURCEA(IDR_TRAY_MENU), (LPCSTR)RT_MENU),
                       MAKEINTRESOURCEA(IDR_TRAY_MENU));
    m_hPopupMenu = m_menu ? GetSubMenu(m_menu, 0) : nullptr;
    AddIcon();
    return TRUE;
}

void CTrayIconDlg::AddIcon()
{
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
    g_pfnShellNotifyIconA(NIM_ADD, &nid);
}

void CTrayIconDlg::DeleteIcon()
{
    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICON_SIZE;
    nid.hWnd = m_hWnd;
    nid.uID = TRAY_ICON_ID;
    g_pfnShellNotifyIconA(NIM_DELETE, &nid);
}

LRESULT CTrayIconDlg::OnTrayNotify(WPARAM, LPARAM lParam)
{
    switch (lParam) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        POINT pt;
        GetCursorPos(&pt);
        // In the foreground, the menu closes when the user clicks elsewhere.
        SetForegroundWindow(m_hWnd);
        if (m_hPopupMenu)
            TrackPopupMenuEx(m_hPopupMenu, TPM_RIGHTBUTTON, pt.x, pt.y, m_hWnd, nullptr);
        PostMessage(WM_USER);
        break;
    }
    case WM_LBUTTONDBLCLK: OnStartController(); break;
    }
    return 0;
}

void CTrayIconDlg::OnStartController()
{
    char szPath[256] = "";
    GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    LaunchProgram(szPath, szPath, TRAY_START_WAIT);
}

// Nothing is remembered or tested first: a module that runs is started once more.
void CTrayIconDlg::OnVolumeControl()
{
    LaunchProgram(m_strVolumeControlPath, m_strVolumeControlPath, TRAY_START_WAIT);
}

void CTrayIconDlg::OnCDPlayer()
{
    LaunchProgram(m_strCDPlayerPath, m_strCDPlayerPath, TRAY_START_WAIT);
}

void CTrayIconDlg::OnWavePlayer()
{
    LaunchProgram(m_strWavePlayerPath, m_strWavePlayerPath, TRAY_START_WAIT);
}

void CTrayIconDlg::OnMidiPlayer()
{
    LaunchProgram(m_strMidiPlayerPath, m_strMidiPlayerPath, TRAY_START_WAIT);
}

void CTrayIconDlg::OnWaveEditor()
{
    LaunchProgram(m_strWaveEditorPath, m_strWaveEditorPath, 0);
}

void CTrayIconDlg::OnMidiTracker()
{
    LaunchProgram(m_strMidiTrackerPath, m_strMidiTrackerPath, 0);
}

void CTrayIconDlg::OnAbout()
{
    CString strCaption, strProduct, strLegal;
    strCaption.LoadString(IDS_TRAY_ABOUT_CAPTION);
    strProduct.LoadString(IDS_TRAY_ABOUT_PRODUCT);
    strLegal.LoadString(IDS_LEGAL_NOTICE);
    // One About box at a time, this copy's or the bar's.
    if (HWND hAbout = FindWindowA(nullptr, strCaption)) {
        BringWindowToTop(hAbout);
        return;
    }
    CAboutDlg dlg(strCaption, strProduct, strLegal, m_hIcon, LoadWaveResource(WAVE_ABOUT), this);
    dlg.DoModal();
}

void CTrayIconDlg::OnExit()
{
    DeleteIcon();
    EndDialog(0);
}

// A starting bar sends this and waits; the copy ends inside the handler.
LRESULT CTrayIconDlg::OnCloseInstance(WPARAM, LPARAM)
{
    DeleteIcon();
    ExitProcess(0);
}

LRESULT CTrayIconDlg::OnTaskbarCreated(WPARAM, LPARAM)
{
    AddIcon();
    return 0;
}
