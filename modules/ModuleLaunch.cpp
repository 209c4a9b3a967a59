// Starting the suite's modules and keeping each one's launch state.
#include "controller/ControllerDlg.h"
#include "panekit/PaneKit.h"
#include "res/resource.h"

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

void CControllerDlg::StartModule(UINT nModule)
{
    if (!m_bHasMixer || nModule < MODULE_CDPLAYER || nModule > MODULE_MIDIPLAYER ||
        !HasModuleDevice((int)nModule))
        return;
    const CString* apstrPath[MODULE_COUNT] = { nullptr, &m_strCDPlayerPath, &m_strWavePlayerPath,
                                               &m_strMidiPlayerPath };
    m_bLaunchModule[nModule] = !LaunchProgram(*apstrPath[nModule], " StartupFromController", 5000);

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
