// The controller bar: the program's main window, a docking bar with the
// suite's buttons, which starts, stacks and stops the suite's modules.
#ifndef CONTROLLER_CONTROLLERDLG_H
#define CONTROLLER_CONTROLLERDLG_H

#include "dockbar/DockingBarDlg.h"
#include "controller/ModulePaths.h"
#include <memory>

class C3sBmButton;
class CBmArea;
class CAviArea;
class CLeg;
class CLoadingDlg;

// Private messages between copies of the program.
constexpr UINT WM_CLOSEINSTANCE = WM_USER + 700;
constexpr UINT WM_TRAYNOTIFY = WM_USER + 800;

// The module protocol, registered as "WM_TYMP_BY_KVB_1".
constexpr int MODMSG_ATTACH = 0;
constexpr int MODMSG_DETACH = 1;
constexpr int MODMSG_MINIMIZE = 2;
constexpr int MODMSG_RESTORE = 3;
constexpr int MODMSG_EXIT = -1;

extern UINT g_uModuleMessage; // registered with the others by the application

// The "WAVE" resource nID of the program in memory, or null.
const void* LoadWaveResource(UINT nID);

// Starts a program as the suite does; waits up to dwWaitIdle ms for it to be idle.
BOOL LaunchProgram(LPCSTR pszPath, LPCSTR pszCommandLine, DWORD dwWaitIdle);

// Module slots: 0 Volume Control, 1 CD player, 2 wave player, 3 MIDI player.
constexpr int MODULE_VOLUME = 0;
constexpr int MODULE_CDPLAYER = 1;
constexpr int MODULE_WAVEPLAYER = 2;
constexpr int MODULE_MIDIPLAYER = 3;
constexpr int MODULE_COUNT = 4;

// How the bar was started: its start mode, from the command line.
enum { START_NORMAL, START_AUTOCLOSE, START_RUNMINIMIZE };
// The bar's orientation, which also indexes its per-orientation rectangles.
enum { ORIENT_FLOAT, ORIENT_HORZ, ORIENT_VERT };

constexpr int BAR_FLOAT_WIDTH = 408;
constexpr int BAR_FLOAT_HEIGHT = 45;
constexpr int BAR_FLOAT_TOP_SPAN = 336; // the default floating bar's top is where a window this high is centred
constexpr int BAR_INIT_TOP = 64; // where the bar waits, 0 x 0, until its place is applied
constexpr int MODULE_TOP_NONE = 32767; // the window top a slot without a module sorts by
constexpr int BAR_THICKNESS = 32;
constexpr int BAR_AUTOCLOSE_TIMER = 300;
constexpr int BAR_AUTOCLOSE_DELAY = 1500;
constexpr int BAR_CLOSEINSTANCE_TIMEOUT = 5000; // ms a notification-icon copy has to end itself

struct ModuleSlot {
    HWND hWnd;
    int x;
    int y;
    int nOrder; // stacking position beside the bar, 0 first
};

struct RECORDFORMAT {
    DWORD nChannels;
    DWORD nSamplesPerSec;
    WORD wFormatTag;
    WORD wBitsPerSample;
};

class CControllerDlg : public CDockingBarDlg, public ModulePaths {
public:
    CControllerDlg(CWnd* pParent, BOOL bStartFromModule);
    ~CControllerDlg() override;

    void SetStartMode(int nMode) { m_nStartMode = nMode; }

    BOOL OnInitDialog() override;
    void OnOK() override { }
    void OnCancel() override { }

    // For the Setup sheet, which shows and changes the settings below.
    void ArrangeModulesBehindBar();
    BOOL ReadCDPlayerAssociation();

    // The settings the registry keeps and the Setup sheet edits.
    BOOL m_bHasCDAudio = FALSE;
    RECORDFORMAT m_wfxRecord = { 1, 11025, WAVE_FORMAT_PCM, 8 };
    BOOL m_bCoordinateWithTaskbar = FALSE;
    char m_szCDPlayerText[256] = "";
    BOOL m_bKeepCDSoundOnExit = TRUE;
    BOOL m_bKeepRadioSoundOnExit = TRUE;
    BOOL m_bSetupFlag = FALSE;
    BOOL m_bCDPlayerChanged = FALSE; // the Preference page's box differs from what it showed
    int m_nSavedEdge = DBE_FLOAT;
    RECT m_rcFloat;
    BOOL m_bAutoHideSetting = FALSE;
    BOOL m_bAlwaysOnTopSetting = FALSE;
    BOOL m_bInsertIconWhenQuit = TRUE;

protected:
    // The rest is the bar's own; tests reach it through one subclass of theirs.
    void OnEdgeChanged(BOOL bProposed, int nEdge) override;

    void CreateControls(int nOrientation);
    void DestroyControls();
    void SetAlwaysOnTop(BOOL bAlwaysOnTop);
    void SetAutoHide(BOOL bAutoHide);
    BOOL FindModule(int nSlot);
    BOOL AnyModuleRunning() const;
    // Calls fn(slot) for every running module, slots 1 to 3 in order; a slot
    // whose window has gone is passed over.
    template <class Fn>
    void ForEachRunningModule(Fn fn) const
    {
        for (int i = MODULE_CDPLAYER; i < m_nModules && i < MODULE_COUNT; i++)
            if (IsWindow(m_modules[i].hWnd))
                fn(i);
    }

    // Settings store
    void LoadSettings();
    void SaveSettings();
    void SaveModuleLayout();
    void RecordModulePosition(int nSlot);

    // Modules
    void StartModule(UINT nModule);
    void SetModuleLaunchState(UINT nModule, BOOL bLaunch);
    void ExitController();
    void OnMinimizeModules();
    void OnRestoreModules();
    void StartTrayInstance();

    // Bar window state
    void RestoreBarAndModules();
    HWND FindOpenDialog() const;
    void ShowBarMenu(POINT pt);
    int GetStackHeight() const;
    void GetDragDockRect(int nEdge, RECT* prc);
    void UpdateModulePositions();
    void MoveModules();
    void PlaceLegs();
    void HideLegs();
    void ShowLegs();

    // Default CD player association
    void RegisterCDPlayer();
    void RestoreCDPlayer();

    CString m_strCompanyLocal;
    int m_cxClient = 0;
    int m_cyClient = 0;
    BOOL m_bStartFromModule;
    BOOL m_bModulesHiddenByBar = FALSE;
    HCURSOR m_hButtonCursor;
    HCURSOR m_hButtonDownCursor;
    BOOL m_bInitialized = FALSE;
    int m_nOrientation = ORIENT_FLOAT;
    int m_nBuiltOrientation = ORIENT_FLOAT;
    HICON m_hIcon;
    int m_xSeparator[3] = { 76, 148, 283 };
    int m_nModulesMinimized = 0;
    RECT m_rcDrag = {};
    RECT m_rcDragStart = {};
    POINT m_ptDragStart = {};
    RECT m_rcFocus = {};
    RECT m_rcDragGroup = {};
    BOOL m_bModulesWereRunning = FALSE;
    int m_nNextModuleOrder = 0;
    int m_nModules = MODULE_COUNT;
    ModuleSlot m_modules[MODULE_COUNT] = {};
    int m_nLaunchOrder = 0;
    int m_launchOrder[4] = {}; // three slots and the reserved word stored with them
    POINT m_ptModulePos[MODULE_COUNT] = {};
    // The controls, made afresh for each orientation; the bar owns them.
    std::unique_ptr<CBmArea> m_pLogoArea;
    std::unique_ptr<CAviArea> m_pLogoAnim;
    std::unique_ptr<C3sBmButton> m_pExitButton;
    std::unique_ptr<C3sBmButton> m_pMinimizeButton;
    std::unique_ptr<C3sBmButton> m_pHelpButton;
    std::unique_ptr<C3sBmButton> m_pSetupButton;
    std::unique_ptr<C3sBmButton> m_pLaunchAppsButton;
    std::unique_ptr<C3sBmButton> m_pVolumeButton;
    std::unique_ptr<C3sBmButton> m_pCDButton;
    std::unique_ptr<C3sBmButton> m_pWaveButton;
    std::unique_ptr<C3sBmButton> m_pMidiButton;
    BOOL m_bLaunchModule[MODULE_COUNT] = { TRUE, TRUE, TRUE, TRUE };
    BOOL m_bHasMixer = FALSE;
    BOOL m_bHasWave = FALSE;
    BOOL m_bHasMidi = FALSE;
    RECT m_rcMinimize[3], m_rcExit[3], m_rcHelp[3], m_rcAnim[3], m_rcAnimFrame[3], m_rcLogo[3];
    RECT m_rcSetup[3], m_rcLaunchApps[3], m_rcVolume[3], m_rcCD[3], m_rcWave[3], m_rcMidi[3];
    std::unique_ptr<CLeg> m_pLeg[2]; // the feet; their windows go with the bar's
    BOOL m_bModulePositionSaved = FALSE;
    int m_nStartMode = START_NORMAL;
    std::unique_ptr<CLoadingDlg> m_pLoadingDlg; // during start-up only
    BOOL m_abRepeatStart[MODULE_COUNT] = {}; // the next button command is a start's one repeat
    BOOL m_bBarMinimized = FALSE; // the last WM_SIZE minimised the bar
    BOOL m_bExiting = FALSE; // ExitController has begun

    int OnCreate(LPCREATESTRUCTA pcs);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon() { return (HCURSOR)m_hIcon; }
    void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSize(UINT nType, int cx, int cy);
    void OnAbout();
    LRESULT OnModuleMessage(WPARAM wParam, LPARAM lParam);
    void OnModuleAttach(WORD wSender);
    void OnModuleDetach(WORD wSender);
    void OnModuleMinimizeOrRestore(BOOL bMinimize);
    void OnLogo();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnAlwaysOnTop();
    void OnAutoHide();
    void OnActivateModules();
    void OnDockTop();
    void OnDockLeft();
    void OnDockBottom();
    void OnDockRight();
    void OnFloat();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point) { OnLButtonDown(nFlags, point); }
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point) { OnRButtonUp(nFlags, point); }
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    LRESULT OnNcHitTest(CPoint point);
    void OnMove(int x, int y);
    void OnVolumeControl();
    void OnCDPlayer();
    void OnWavePlayer();
    void OnMidiPlayer();
    void OnLaunchWaveEditor();
    void OnLaunchMidiTracker();
    void OnSetup();
    void OnLaunchApplications();

    DECLARE_MESSAGE_MAP()

private:
    static int OrientationFromEdge(int nEdge, int nOrientation);
    static RECT DefaultFloatRect();
    void OpenProgressWindow();
    void CloseTrayInstance();
    void ApplyFirstState();
    void ApplySavedState();
    void StartRememberedModules(BOOL abFound[MODULE_COUNT]);
    void RebuildSystemMenu();
    void PlaceRunningModules();
    void ShowBarAndFollowStartMode();
    void ProbeDevices();
    BOOL HasModuleDevice(int nSlot) const;
    void SetFixedRects();
    void SetModuleButtonRects();
    void TakeOverRunningModules();
    void ShowStatus(UINT nIDText);
    void FollowVolumeControl();
    void PostToModules(LPARAM lCode);
    int SlotFromTitle(HWND hWnd) const;
    void FreeSlot(int nSlot);
    void OnPlayerButton(UINT nModule);
    void SetModulesMinimized(int nMinimized);
    void SetMinimizeToolTip();
    std::unique_ptr<C3sBmButton> CreateButton(UINT nID, const RECT& rc, UINT nIDBitmap, UINT nIDToolTip);
    C3sBmButton* ModuleButton(UINT nModule) const;
    void CreateLogo(int o);
    void CreateModuleButtons(int o);
    void CreateLegs();
    void DestroyLegs();
    void SetLegsPos(const POINT* pptPos, UINT uFlags);
    void PutModulesBehindBar();
    bool ModulesBehindBar() const;
    void DockTo(int nEdge);
    void WriteUserData();
};

#endif
