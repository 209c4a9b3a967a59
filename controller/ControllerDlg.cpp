#include "ControllerDlg.h"
#include "DeviceProbe.h"
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
    : CDockingBarDlg(IDD_CONTROLLER, pParent)
{
    BeginWaitCursor();
    m_bStartFromModule = bStartFromModule;
    m_bInitialized = FALSE;

    // Without a progress window the bar starts all the same, with no texts.
    m_pLoadingDlg = new (std::nothrow) CLoadingDlg(nullptr);
    WaitAndPump(500);
    ShowStatus(IDS_LOADING_PREPARING);

    // A notification-icon copy of the program closes itself on this, inside
    // its handler; a window of that title that hangs must not hang the bar.
    // The progress window carries the same title, so it is passed over.
    CString strTitle;
    strTitle.LoadString(IDS_TRAY_TITLE);
    for (HWND hWnd = nullptr; (hWnd = FindWindowExA(nullptr, hWnd, nullptr, strTitle)) != nullptr;) {
        if (!m_pLoadingDlg || hWnd != m_pLoadingDlg->m_hWnd) {
            DWORD_PTR dwResult;
            ::SendMessageTimeoutA(hWnd, WM_CLOSEINSTANCE, 0, 0, SMTO_ABORTIFHUNG, BAR_CLOSEINSTANCE_TIMEOUT,
                                  &dwResult);
            break;
        }
    }

    m_nStartMode = START_NORMAL;
    m_hButtonCursor = LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_BUTTON));
    m_hButtonDownCursor = LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_BUTTON_DOWN));

    m_bHasCDAudio = FALSE;
    m_wfxRecord = { 1, 11025, WAVE_FORMAT_PCM, 8 };
    m_szCDPlayerText[0] = '\0';
    m_bKeepCDSoundOnExit = TRUE;
    m_bKeepRadioSoundOnExit = TRUE;
    m_bSetupFlag = FALSE;
    m_nSavedEdge = DBE_FLOAT;
    int cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    m_rcFloat.left = (cxScreen - BAR_FLOAT_WIDTH) / 2;
    m_rcFloat.top = (cyScreen - BAR_FLOAT_TOP_SPAN) / 2;
    m_rcFloat.right = m_rcFloat.left + BAR_FLOAT_WIDTH;
    m_rcFloat.bottom = m_rcFloat.top + BAR_FLOAT_HEIGHT;
    m_bAutoHideSetting = FALSE;
    m_bAlwaysOnTopSetting = FALSE;
    m_bInsertIconWhenQuit = TRUE;
    m_bCoordinateWithTaskbar = FALSE;
    m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_TYMP));
    m_cxClient = m_cyClient = 0;
    m_nOrientation = m_nBuiltOrientation = ORIENT_FLOAT;
    m_bModulePositionSaved = FALSE;

    strTitle.LoadString(IDS_BAR_TITLE);
    if (HWND hWnd = FindWindowA(nullptr, strTitle))
        ::ShowWindow(hWnd, SW_RESTORE);

    g_uModuleMessage = RegisterWindowMessageA("WM_TYMP_BY_KVB_1");

    m_nModulesMinimized = 0;
    m_nModules = MODULE_COUNT;
    m_nNextModuleOrder = 0;
    m_pLeg[0] = m_pLeg[1] = nullptr;
    for (BOOL& bLaunch : m_bLaunchModule)
        bLaunch = TRUE;
    m_bHasMixer = m_bHasWave = m_bHasMidi = FALSE;

    ShowStatus(IDS_LOADING_DEVICES);
    ProbeDevices();

    SetFixedRects();
    m_xSeparator[0] = 76;
    m_xSeparator[1] = 148;
    m_xSeparator[2] = 283;
    EndWaitCursor();
}

CControllerDlg::~CControllerDlg()
{
    WatchWindows(FALSE);
    DestroyControls();      // before the progress window
    delete m_pLoadingDlg;
}

void CControllerDlg::ProbeDevices()
{
    m_bHasMixer = mixerGetNumDevs() > 0;

    // Any answer but "no driver" counts as a drive, a busy one included.
    MCI_OPEN_PARMSA open = {};
    open.lpstrDeviceType = "cdaudio";
    MCIERROR err = g_pfnMciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, (DWORD_PTR)&open);
    m_bHasCDAudio = err != MCIERR_CANNOT_LOAD_DRIVER;
    if (m_bHasCDAudio && open.wDeviceID)
        g_pfnMciSendCommandA(open.wDeviceID, MCI_CLOSE, 0, 0);

    m_bHasWave = waveOutGetNumDevs() > 0;
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

    m_state.nEdge = m_nSavedEdge;
    m_state.rcFloat = m_rcFloat;
    SetBarState(&m_state);
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    MoveWindow((cxScreen - BAR_FLOAT_WIDTH) / 2, BAR_INIT_TOP, 0, 0, TRUE);

    ShowStatus(IDS_LOADING_INITIALIZING);
    CString strTitle;
    strTitle.LoadString(IDS_BAR_TITLE);
    SetWindowText(strTitle);
    m_dwFlags = DBF_ALLOWLEFTRIGHT | DBF_ALLOWTOPBOTTOM | DBF_ALLOWFLOAT |
                DBF_ALLOWAUTOHIDE | DBF_ALLOWALWAYSONTOP;

    CRect rcClient;
    GetClientRect(&rcClient);
    m_cxClient = rcClient.Width();
    m_cyClient = rcClient.Height();
    m_nLaunchOrder = m_nModules;
    m_launchOrder[0] = MODULE_CDPLAYER;
    m_launchOrder[1] = MODULE_WAVEPLAYER;
    m_launchOrder[2] = MODULE_MIDIPLAYER;

    LoadSettings();

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

    ShowStatus(IDS_LOADING_FINDING);
    BOOL abFound[MODULE_COUNT];
    for (int i = 0; i < MODULE_COUNT; i++)
        abFound[i] = FindModule(i);

    CreateControls(m_nOrientation);

    m_bModulesWereRunning = FALSE;
    if (AnyModuleRunning()) {
        m_bModulesWereRunning = TRUE;
        TakeOverRunningModules();
    }

    if (!m_bStartFromModule) {
        ShowStatus(IDS_LOADING_MODULES);
        for (int k = 0; k < 3; k++) {
            int nSlot = m_launchOrder[k];
            // A slot listed twice is started once.
            if (m_nLaunchOrder > k && nSlot >= MODULE_CDPLAYER && nSlot <= MODULE_MIDIPLAYER &&
                !abFound[nSlot]) {
                StartModule(nSlot);
                abFound[nSlot] = TRUE;
            }
        }
        RestoreWaitCursor();
    }

    ShowStatus(IDS_LOADING_COMMUNICATING);

    if (HMENU hSysMenu = GetSystemMenu(FALSE)) {
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

    m_bAutoHideSetting = m_state.bAutoHide;
    m_bAlwaysOnTopSetting = m_state.bAlwaysOnTop;
    if (m_nSavedEdge == DBE_FLOAT && m_bAlwaysOnTopSetting)
        SetAlwaysOnTop(FALSE);     // a floating bar is never topmost; the setting stays

    if (AnyModuleRunning()) {
        if (m_nOrientation == ORIENT_FLOAT) {
            UpdateModulePositions();
            MoveModules();
        } else if (m_bModulePositionSaved && !m_bModulesWereRunning) {
            ForEachRunningModule([&](int i) {
                ::SetWindowPos(m_modules[i].hWnd, nullptr, m_ptModulePos[i].x, m_ptModulePos[i].y,
                               0, 0, SWP_NOSIZE | SWP_NOZORDER);
            });
        }
        SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    m_bInitialized = TRUE;
    Invalidate(TRUE);
    UpdateWindow();

    WaitAndPump(1000);
    EndWaitCursor();
    delete m_pLoadingDlg;
    m_pLoadingDlg = nullptr;

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
    return TRUE;
}

// Modules that ran before the bar: tell them it is here, hide them until the
// bar has finished, and stack them in the order of their windows' heights.
void CControllerDlg::TakeOverRunningModules()
{
    int anTop[MODULE_COUNT] = {};
    for (int i = MODULE_CDPLAYER; i < MODULE_COUNT; i++) {
        HWND hWnd = m_modules[i].hWnd;
        anTop[i] = MODULE_TOP_NONE;
        if (!IsWindow(hWnd))
            continue;
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        anTop[i] = rc.top;
        ::PostMessageA(hWnd, g_uModuleMessage, LOWORD((UINT_PTR)m_hWnd), MODMSG_ATTACH);
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
        ::ShowWindow(hWnd, SW_HIDE);
    }
    // Equal tops keep slot order, so that the orders stay 0, 1 and 2.
    int anSlot[3] = { MODULE_CDPLAYER, MODULE_WAVEPLAYER, MODULE_MIDIPLAYER };
    std::stable_sort(anSlot, anSlot + 3, [&](int a, int b) { return anTop[a] < anTop[b]; });
    for (int k = 0; k < 3; k++)
        m_modules[anSlot[k]].nOrder = k;
}

void CControllerDlg::ShowStatus(UINT nIDText)
{
    if (m_pLoadingDlg)
        m_pLoadingDlg->ShowStatus(nIDText);
}

int CControllerDlg::OrientationFromEdge(int nEdge, int nOrientation)
{
    switch (nEdge) {
    case ABE_LEFT: case ABE_RIGHT: return ORIENT_VERT;
    case ABE_TOP: case ABE_BOTTOM: return ORIENT_HORZ;
    case DBE_FLOAT: return ORIENT_FLOAT;
    default: return nOrientation;
    }
}

void CControllerDlg::OnEdgeChanged(BOOL, int nEdge)
{
    if (nEdge == DBE_FLOAT) {
        Invalidate(TRUE);
        SetWindowPos(nullptr, 0, 0, BAR_FLOAT_WIDTH, BAR_FLOAT_HEIGHT,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOSENDCHANGING);
    }
    m_nOrientation = OrientationFromEdge(nEdge, m_nOrientation);
    if (m_nOrientation != m_nBuiltOrientation) {
        DestroyControls();
        CreateControls(m_nOrientation);
        if (nEdge == DBE_FLOAT && m_bInitialized)
            RestoreBarAndModules();
    }
    m_nBuiltOrientation = m_nOrientation;
    m_nSavedEdge = nEdge;
    WriteUserData();
}

// Other programs read the bar's state here: low word always-on-top, high word orientation.
void CControllerDlg::WriteUserData()
{
    SetWindowLongA(m_hWnd, GWL_USERDATA, MAKELONG(m_bAlwaysOnTopSetting, m_nOrientation));
}

int CControllerDlg::OnCreate(LPCREATESTRUCTA pcs)
{
    if (CDockingBarDlg::OnCreate(pcs) == -1)
        return -1;
    CreateLegs();
    HideLegs();
    WatchWindows(TRUE);
    return 0;
}

void CControllerDlg::OnGetMinMaxInfo(MINMAXINFO* pMMI)
{
    CRect rcInset(0, 0, 0, 0);
    AdjustWindowRectEx(&rcInset, GetStyle(), FALSE, GetExStyle());
    int nEdge = GetEffectiveEdge();
    if (nEdge == DBE_FLOAT) {
        pMMI->ptMinTrackSize.x = m_cxClient - rcInset.left + rcInset.right;
        pMMI->ptMinTrackSize.y = m_cyClient - rcInset.top + rcInset.bottom;
    }
    // A floating bar may grow to half the screen each way.
    pMMI->ptMaxTrackSize.x = GetSystemMetrics(SM_CXSCREEN);
    pMMI->ptMaxTrackSize.y = GetSystemMetrics(SM_CYSCREEN);
    if (nEdge != ABE_TOP && nEdge != ABE_BOTTOM)
        pMMI->ptMaxTrackSize.x /= 2;
    if (nEdge != ABE_LEFT && nEdge != ABE_RIGHT)
        pMMI->ptMaxTrackSize.y /= 2;
    CDockingBarDlg::OnGetMinMaxInfo(pMMI);
}

void CControllerDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    switch (nID) {
    case SC_CLOSE:              ExitController(); break;
    case ID_APP_ABOUT:          OnAbout(); break;
    case ID_MINIMIZE_MODULES:   OnMinimizeModules(); break;
    case ID_RESTORE_MODULES:    OnRestoreModules(); break;
    default:                    CDockingBarDlg::OnSysCommand(nID, lParam); break;
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

void CControllerDlg::SetAlwaysOnTop(BOOL bAlwaysOnTop)
{
    DOCKBARSTATE state = m_state;
    state.bAlwaysOnTop = bAlwaysOnTop;
    SetBarState(&state);
}

void CControllerDlg::SetAutoHide(BOOL bAutoHide)
{
    DOCKBARSTATE state = m_state;
    state.bAutoHide = bAutoHide;
    SetBarState(&state);
}

BOOL CControllerDlg::FindModule(int nSlot)
{
    if (nSlot < 0 || nSlot >= MODULE_COUNT || !HasModuleDevice(nSlot))
        return FALSE;
    CString strTitle;
    strTitle.LoadString(IDS_TITLE_VOLUME + nSlot);
    HWND hWnd = FindWindowA(nullptr, strTitle);
    if (!hWnd)
        return FALSE;
    m_bLaunchModule[nSlot] = FALSE;
    if (nSlot != MODULE_VOLUME) {
        m_modules[nSlot].hWnd = hWnd;
        m_modules[nSlot].nOrder = m_nNextModuleOrder++;
    }
    return TRUE;
}

BOOL CControllerDlg::HasModuleDevice(int nSlot) const
{
    switch (nSlot) {
    case MODULE_VOLUME:     return m_bHasMixer;
    case MODULE_CDPLAYER:   return m_bHasCDAudio;
    case MODULE_WAVEPLAYER: return m_bHasWave;
    case MODULE_MIDIPLAYER: return m_bHasMidi;
    default:                return FALSE;
    }
}

BOOL CControllerDlg::AnyModuleRunning() const
{
    BOOL bAny = FALSE;
    ForEachRunningModule([&](int) { bAny = TRUE; });
    return bAny;
}
