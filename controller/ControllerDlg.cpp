#include "ControllerDlg.h"
#include "DeviceProbe.h"
#include "Leg.h"
#include "app/LoadingDlg.h"
#include "app/WaitAndPump.h"
#include "panekit/PaneKit.h"
#include "res/resource.h"
#include <mmsystem.h>
#include <algorithm>
#include <new>

UINT g_uModuleMessage;

BEGIN_MESSAGE_MAP(CControllerDlg, CDockingBarDlg)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_GETMINMAXINFO()
    ON_WM_CREATE()
    ON_COMMAND(ID_EXIT_BUTTON, ExitController)
    ON_COMMAND(ID_APP_EXIT, ExitController)
    ON_COMMAND(ID_MINIMIZE_BUTTON, OnMinimizeModules)
    ON_COMMAND(ID_MINIMIZE_MODULES, OnMinimizeModules)
    ON_COMMAND(ID_RESTORE_MODULES, OnRestoreModules)
    ON_COMMAND(ID_APP_ABOUT, OnAbout)
    ON_COMMAND(ID_VOLUME_BUTTON, OnVolumeControl)
    ON_COMMAND(ID_CDPLAYER_BUTTON, OnCDPlayer)
    ON_COMMAND(ID_WAVEPLAYER_BUTTON, OnWavePlayer)
    ON_COMMAND(ID_MIDIPLAYER_BUTTON, OnMidiPlayer)
    ON_COMMAND(ID_LAUNCH_WAVEEDITOR, OnLaunchWaveEditor)
    ON_COMMAND(ID_LAUNCH_MIDITRACKER, OnLaunchMidiTracker)
    ON_COMMAND(ID_LAUNCHAPPS_BUTTON, OnLaunchApplications)
    ON_COMMAND(ID_SETUP_BUTTON, OnSetup)
    ON_COMMAND(ID_LOGO, OnLogo)
    ON_COMMAND(ID_ALWAYS_ON_TOP, OnAlwaysOnTop)
    ON_COMMAND(ID_AUTO_HIDE, OnAutoHide)
    ON_COMMAND(ID_ACTIVATE_MODULES, OnActivateModules)
    ON_COMMAND(ID_DOCK_TOP, OnDockTop)
    ON_COMMAND(ID_DOCK_LEFT, OnDockLeft)
    ON_COMMAND(ID_DOCK_BOTTOM, OnDockBottom)
    ON_COMMAND(ID_DOCK_RIGHT, OnDockRight)
    ON_COMMAND(ID_FLOAT, OnFloat)
    ON_REGISTERED_MESSAGE(g_uModuleMessage, OnModuleMessage)
    ON_WM_CONTEXTMENU()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATE()
    ON_WM_NCHITTEST()
    ON_WM_MOVE()
    ON_WM_SIZE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CControllerDlg::CControllerDlg(CWnd* pParent, BOOL bStartFromModule)
    : CDockingBarDlg(IDD_CONTROLLER, pParent), m_bStartFromModule(bStartFromModule)
{
    BeginWaitCursor();
    OpenProgressWindow();
    CloseTrayInstance();

    m_hButtonCursor = LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_BUTTON));
    m_hButtonDownCursor = LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_BUTTON_DOWN));
    m_rcFloat = DefaultFloatRect();
    m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_TYMP));

    CString strTitle;
    strTitle.LoadString(IDS_BAR_TITLE);
    if (HWND hWnd = FindWindowA(nullptr, strTitle))
        ::ShowWindow(hWnd, SW_RESTORE);

    ShowStatus(IDS_LOADING_DEVICES);
    ProbeDevices();
    SetFixedRects();
    EndWaitCursor();
}

CControllerDlg::~CControllerDlg()
{
    DestroyControls(); // before the progress window
}

void CControllerDlg::OpenProgressWindow()
{
    // Without a progress window the bar starts all the same, with no texts.
    m_pLoadingDlg.reset(new (std::nothrow) CLoadingDlg(nullptr));
    WaitAndPump(500);
    ShowStatus(IDS_LOADING_PREPARING);
}

// A notification-icon copy of the program closes itself on this, inside its
// handler; a window of that title that hangs must not hang the bar. The
// progress window carries the same title, so it is passed over.
void CControllerDlg::CloseTrayInstance()
{
    CString strTitle;
    strTitle.LoadString(IDS_TRAY_TITLE);
    for (HWND hWnd = nullptr; (hWnd = FindWindowExA(nullptr, hWnd, nullptr, strTitle)) != nullptr;) {
        if (!m_pLoadingDlg || hWnd != m_pLoadingDlg->m_hWnd) {
            DWORD_PTR dwResult;
            ::SendMessageTimeoutA(hWnd, WM_CLOSEINSTANCE, 0, 0, SMTO_ABORTIFHUNG, BAR_CLOSEINSTANCE_TIMEOUT, &dwResult);
            return;
        }
    }
}

RECT CControllerDlg::DefaultFloatRect()
{
    int x = (GetSystemMetrics(SM_CXSCREEN) - BAR_FLOAT_WIDTH) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - BAR_FLOAT_TOP_SPAN) / 2;
    return { x, y, x + BAR_FLOAT_WIDTH, y + BAR_FLOAT_HEIGHT };
}

void CControllerDlg::ProbeDevices()
{
    m_bHasMixer = g_pfnMixerGetNumDevs() > 0;

    // Any answer but "no driver" counts as a drive, a busy one included.
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "cdaudio";
    MCIERROR err = g_pfnMciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, (DWORD_PTR)&open);
    m_bHasCDAudio = err != MCIERR_CANNOT_LOAD_DRIVER;
    if (m_bHasCDAudio && open.wDeviceID)
        g_pfnMciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, 0);

    m_bHasWave = g_pfnWaveOutGetNumDevs() > 0;
    m_bHasMidi = g_pfnMidiOutGetNumDevs() > 0;
    SetModuleButtonRects();
}

BOOL CControllerDlg::OnInitDialog()
{
    CDockingBarDlg::OnInitDialog();
    BeginWaitCursor();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    ModifyStyle(WS_CAPTION, 0);
    ApplyFirstState();

    ShowStatus(IDS_LOADING_INITIALIZING);
    CString strTitle;
    strTitle.LoadString(IDS_BAR_TITLE);
    SetWindowText(strTitle);
    m_dwFlags = DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM | DBF_ALLOWFLOAT | DBF_ALLOWAUTOHIDE | DBF_ALLOWALWAYSONTOP;
    CRect rcClient;
    GetClientRect(&rcClient);
    m_cxClient = rcClient.Width();
    m_cyClient = rcClient.Height();
    m_nLaunchOrder = m_nModules;
    m_launchOrder[0] = MODULE_CDPLAYER;
    m_launchOrder[1] = MODULE_WAVEPLAYER;
    m_launchOrder[2] = MODULE_MIDIPLAYER;

    LoadSettings();
    ApplySavedState();

    ShowStatus(IDS_LOADING_FINDING);
    BOOL abFound[MODULE_COUNT];
    for (int i = 0; i < MODULE_COUNT; i++)
        abFound[i] = FindModule(i);
    CreateControls(m_nOrientation);
    m_bModulesWereRunning = AnyModuleRunning();
    if (m_bModulesWereRunning)
        TakeOverRunningModules();
    if (!m_bStartFromModule)
        StartRememberedModules(abFound);

    ShowStatus(IDS_LOADING_COMMUNICATING);
    RebuildSystemMenu();
    m_bAutoHideSetting = m_state.bAutoHide;
    m_bAlwaysOnTopSetting = m_state.bAlwaysOnTop;
    if (m_nSavedEdge == DBE_FLOAT && m_bAlwaysOnTopSetting)
        SetAlwaysOnTop(FALSE); // a floating bar is never topmost; the setting stays
    PlaceRunningModules();

    m_bInitialized = TRUE;
    Invalidate(TRUE);
    UpdateWindow();
    WaitAndPump(1000);
    EndWaitCursor();
    m_pLoadingDlg.reset();
    ShowBarAndFollowStartMode();
    return TRUE;
}

// The place the bar waits in, 0 x 0, until its settings are read.
void CControllerDlg::ApplyFirstState()
{
    m_state.nEdge = m_nSavedEdge;
    m_state.rcFloat = m_rcFloat;
    SetBarState(&m_state);
    MoveWindow((GetSystemMetrics(SM_CXSCREEN) - BAR_FLOAT_WIDTH) / 2, BAR_INIT_TOP, 0, 0, TRUE);
}

void CControllerDlg::ApplySavedState()
{
    DOCKBARSTATE state = {};
    state.cbSize = sizeof state;
    // A stored "no position" would leave a running bar unregistered and unseen.
    state.nEdge = m_nSavedEdge == DBE_NONE ? DBE_FLOAT : m_nSavedEdge;
    state.bAutoHide = m_bAutoHideSetting;
    state.bAlwaysOnTop = m_bAlwaysOnTopSetting;
    for (int& cThick : state.anDockSize)
        cThick = BAR_THICKNESS;
    state.rcFloat = m_rcFloat;
    m_nOrientation = OrientationFromEdge(state.nEdge, ORIENT_FLOAT);
    m_nBuiltOrientation = m_nOrientation;
    SetBarState(&state);
}

void CControllerDlg::StartRememberedModules(BOOL abFound[MODULE_COUNT])
{
    ShowStatus(IDS_LOADING_MODULES);
    for (int k = 0; k < 3; k++) {
        int nSlot = m_launchOrder[k];
        // A slot listed twice is started once.
        if (m_nLaunchOrder > k && nSlot >= MODULE_CDPLAYER && nSlot <= MODULE_MIDIPLAYER && !abFound[nSlot]) {
            StartModule(nSlot);
            abFound[nSlot] = TRUE;
        }
    }
    RestoreWaitCursor();
}

void CControllerDlg::RebuildSystemMenu()
{
    HMENU hSysMenu = GetSystemMenu(FALSE);
    if (!hSysMenu)
        return;
    CString strAbout, strMinimize, strRestore;
    strAbout.LoadString(IDS_SYSMENU_ABOUT);
    strMinimize.LoadString(IDS_SYSMENU_MINIMIZE);
    strRestore.LoadString(IDS_SYSMENU_RESTORE);
    DeleteMenu(hSysMenu, 0, MF_BYPOSITION);
    InsertMenuA(hSysMenu, 0, MF_BYPOSITION | MF_STRING, ID_APP_ABOUT, strAbout);
    InsertMenuA(hSysMenu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    InsertMenuA(hSysMenu, 2, MF_BYPOSITION | MF_STRING, ID_MINIMIZE_MODULES, strMinimize);
    InsertMenuA(hSysMenu, 3, MF_BYPOSITION | MF_STRING, ID_RESTORE_MODULES, strRestore);
    InsertMenuA(hSysMenu, 4, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

// Under a floating bar, or where a docked bar's modules were last left.
void CControllerDlg::PlaceRunningModules()
{
    if (!AnyModuleRunning())
        return;
    if (m_nOrientation == ORIENT_FLOAT) {
        UpdateModulePositions();
        MoveModules();
    } else if (m_bModulePositionSaved && !m_bModulesWereRunning) {
        ForEachRunningModule([&](int i) {
            ::SetWindowPos(m_modules[i].hWnd, nullptr, m_ptModulePos[i].x, m_ptModulePos[i].y, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER);
        });
    }
    SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CControllerDlg::ShowBarAndFollowStartMode()
{
    if (m_nStartMode != START_RUNMINIMIZE)
        RestoreBarAndModules();
    if (m_nSavedEdge == DBE_FLOAT)
        ShowLegs();

    if (m_nStartMode == START_AUTOCLOSE) {
        SetTimer(BAR_AUTOCLOSE_TIMER, BAR_AUTOCLOSE_DELAY);
    } else if (m_nStartMode == START_RUNMINIMIZE) {
        OnMinimizeModules();
        ExitController();
        m_nStartMode = START_NORMAL;
    }
}

void CControllerDlg::ShowStatus(UINT nIDText)
{
    if (m_pLoadingDlg)
        m_pLoadingDlg->ShowStatus(nIDText);
}

int CControllerDlg::OnCreate(LPCREATESTRUCTA pcs)
{
    if (CDockingBarDlg::OnCreate(pcs) == -1)
        return -1;
    CreateLegs();
    HideLegs();
    return 0;
}

void CControllerDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    switch (nID) {
    case SC_CLOSE: ExitController(); break;
    case ID_APP_ABOUT: OnAbout(); break;
    case ID_MINIMIZE_MODULES: OnMinimizeModules(); break;
    case ID_RESTORE_MODULES: OnRestoreModules(); break;
    default: CDockingBarDlg::OnSysCommand(nID, lParam); break;
    }
}

void CControllerDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == BAR_AUTOCLOSE_TIMER) {
        KillTimer(BAR_AUTOCLOSE_TIMER);
        ExitController();
        return;
    }
    CDockingBarDlg::OnTimer(nIDEvent);
}
