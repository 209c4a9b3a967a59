#include "ControllerApp.h"
#include "controller/ControllerDlg.h"
#include "controller/DeviceProbe.h"
#include "modules/ModuleTable.h"
#include "tray/TrayIconDlg.h"
#include "res/resource.h"
#include <mmsystem.h>
#include <shellapi.h>

BEGIN_MESSAGE_MAP(CControllerApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CControllerApp::~CControllerApp() = default;

int CControllerApp::StartModeFromCommandLine(const CString& strCommandLine)
{
    int nMode = START_NORMAL;
    if (strCommandLine.Find(SWITCH_AUTOCLOSE) >= 0)
        nMode = START_AUTOCLOSE;
    if (strCommandLine.Find(SWITCH_RUNMINIMIZE) >= 0)
        nMode = START_RUNMINIMIZE;
    return nMode;
}

void CControllerApp::RegisterMessages()
{
    g_uModuleMessage = RegisterWindowMessageA("WM_TYMP_BY_KVB_1");
    g_uAppBarNotifyMessage = RegisterWindowMessageA("AppBarNotify");
    g_uTaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
}

BOOL CControllerApp::InitInstance()
{
    RegisterMessages();
    CString strCommandLine = GetCommandLineA();

    if (strCommandLine.Find(SWITCH_TRAY_ICON) >= 0) {
        CTrayIconDlg dlg(nullptr);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }

    // The token lives as long as this process; the system closes it.
    CString strName;
    strName.LoadString(IDS_CONTROLLER_NAME);
    HANDLE hSemaphore = CreateSemaphoreA(nullptr, 1, 1, strName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ActivateFirstInstance();
        CloseHandle(hSemaphore);
        return FALSE;
    }

    if (g_pfnMixerGetNumDevs() == 0) {
        CString strText;
        strText.LoadString(IDS_NO_AUDIO_DEVICE);
        MessageBoxA(nullptr, strText, strName, MB_ICONHAND);
        return FALSE;
    }

    int nStartMode = StartModeFromCommandLine(strCommandLine);
    BOOL bStartFromModule = strCommandLine.Find(SWITCH_FROM_MODULE) >= 0;

    CControllerDlg* pBar = new CControllerDlg(nullptr, bStartFromModule);
    m_pMainWnd = pBar;
    pBar->SetStartMode(nStartMode);
    pBar->DoModal();
    m_pMainWnd = nullptr;
    delete pBar;
    return FALSE;
}

void CControllerApp::ActivateFirstInstance()
{
    CString strTitle;
    strTitle.LoadString(IDS_CONTROLLER_NAME);
    HWND hWnd = FindWindowA(nullptr, strTitle);
    if (hWnd) {
        if (!IsWindowVisible(hWnd))
            ShowWindow(hWnd, SW_SHOWMINIMIZED);
    } else {
        strTitle.LoadString(IDS_BAR_TITLE);
        hWnd = FindWindowA(nullptr, strTitle);
    }
    // With no window found these calls do nothing.
    ShowWindow(hWnd, SW_RESTORE);
    SetForegroundWindow(hWnd);
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    SetActiveWindow(hWnd);
}

void CControllerApp::OnHelp()
{
    CString strFolder = GetProgramDirectory() + "Help";
    ShellExecuteA(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, "open", "TympStudio.htm", nullptr, strFolder, SW_SHOW);
}

CControllerApp theApp;
