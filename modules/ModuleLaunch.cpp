// Starting the suite's modules and keeping each one's launch state, the
// Volume Control's included, which the bar follows by its window.
#include "controller/ControllerDlg.h"
#include "panekit/PaneKit.h"
#include "res/resource.h"

static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68, "the 32-bit STARTUPINFOA");

// Creates a process the way every start of the suite does; TRUE when it
// started. With a wait, the bar blocks until the program is idle.
BOOL LaunchProgram(LPCSTR pszPath, LPCSTR pszCommandLine, DWORD dwWaitIdle)
{
    char szCommandLine[512];
    lstrcpynA(szCommandLine, pszCommandLine, sizeof szCommandLine);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(pszPath, szCommandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return FALSE;
    if (dwWaitIdle)
        WaitForInputIdle(pi.hProcess, dwWaitIdle);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return TRUE;
}

// The Volume Control takes no part in the protocol: every mouse move over the
// bar looks for its window, so the button's state is right at every move,
// whenever and however the applet came, went or was renamed.
void CControllerDlg::FollowVolumeControl()
{
    if (!m_bHasMixer)
        return;
    CString strTitle;
    strTitle.LoadString(IDS_TITLE_VOLUME);
    BOOL bLaunch = FindWindowA(nullptr, strTitle) == nullptr;
    if (bLaunch != m_bLaunchModule[MODULE_VOLUME])
        SetModuleLaunchState(MODULE_VOLUME, bLaunch);
}

void CControllerDlg::StartModule(UINT nModule)
{
    if (!m_bHasMixer || nModule < MODULE_CDPLAYER || nModule > MODULE_MIDIPLAYER || !HasModuleDevice((int)nModule))
        return;
    m_bLaunchModule[nModule] = !LaunchProgram(ModulePath(nModule), " StartupFromController", 5000);

    // The module's MODMSG_ATTACH is handled here, before the next module
    // starts, so that the modules take their stacking order in start order.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void CControllerDlg::SetModuleLaunchState(UINT nModule, BOOL bLaunch)
{
    if (nModule >= MODULE_COUNT)
        return;
    m_bLaunchModule[nModule] = bLaunch;
    if (C3sBmButton* pButton = ModuleButton(nModule)) {
        CString strTip;
        strTip.LoadString(bLaunch ? IDS_LAUNCH_VOLUME + nModule : IDS_REMOVE_VOLUME + nModule);
        pButton->SetToolTip(strTip);
    }
}

void CControllerDlg::OnVolumeControl()
{
    CString strTitle;
    strTitle.LoadString(IDS_TITLE_VOLUME);
    if (HWND hWnd = FindWindowA(nullptr, strTitle)) {
        // The applet takes no part in the protocol: close it and say so at once.
        ::PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        SetModuleLaunchState(MODULE_VOLUME, TRUE);
        return;
    }
    m_bLaunchModule[MODULE_VOLUME] = !LaunchProgram(m_strVolumeControlPath, m_strVolumeControlPath, 5000);
    SetModuleLaunchState(MODULE_VOLUME, m_bLaunchModule[MODULE_VOLUME]);
}

// A player's button: closes the running player, or starts it. A start that
// shows no window is tried once more, through the button's own command; that
// repeat leaves a window it finds alone and starts at most one more process.
void CControllerDlg::OnPlayerButton(UINT nModule)
{
    static const UINT s_anCommand[MODULE_COUNT] = { ID_VOLUME_BUTTON, ID_CDPLAYER_BUTTON, ID_WAVEPLAYER_BUTTON,
                                                    ID_MIDIPLAYER_BUTTON };
    const BOOL bRepeat = m_abRepeatStart[nModule];
    m_abRepeatStart[nModule] = FALSE;

    CString strTitle;
    strTitle.LoadString(IDS_TITLE_VOLUME + nModule);
    HWND hWnd = FindWindowA(nullptr, strTitle);
    if (IsWindow(hWnd)) {
        // The launch state changes when the module's DETACH arrives.
        if (!bRepeat)
            ::PostMessageA(hWnd, g_uModuleMessage, LOWORD((UINT_PTR)m_hWnd), (LPARAM)MODMSG_EXIT);
        return;
    }

    if (nModule == MODULE_CDPLAYER)
        BeginWaitCursor();
    m_bLaunchModule[nModule] = !LaunchProgram(ModulePath(nModule), ModulePath(nModule), 5000);
    if (!FindWindowA(nullptr, strTitle) && !bRepeat) {
        m_abRepeatStart[nModule] = TRUE;
        PostMessage(WM_COMMAND, s_anCommand[nModule], 0);
    }
    if (nModule == MODULE_CDPLAYER)
        EndWaitCursor();
}

void CControllerDlg::OnCDPlayer()
{
    OnPlayerButton(MODULE_CDPLAYER);
}

void CControllerDlg::OnWavePlayer()
{
    OnPlayerButton(MODULE_WAVEPLAYER);
}

void CControllerDlg::OnMidiPlayer()
{
    OnPlayerButton(MODULE_MIDIPLAYER);
}

void CControllerDlg::OnLaunchWaveEditor()
{
    LaunchProgram(m_strWaveEditorPath, m_strWaveEditorPath, 0);
}

void CControllerDlg::OnLaunchMidiTracker()
{
    LaunchProgram(m_strMidiTrackerPath, m_strMidiTrackerPath, 0);
}
