// The application object: reads the command line, keeps a single instance,
// and runs either the bar or the notification-icon copy.
#ifndef APP_CONTROLLERAPP_H
#define APP_CONTROLLERAPP_H

#include "controller/ControllerDlg.h"

constexpr char SWITCH_TRAY_ICON[] = " AddIconToTaskbarWhenQuit";
constexpr char SWITCH_AUTOCLOSE[] = " AUTOCLOSE";
constexpr char SWITCH_RUNMINIMIZE[] = " RUNMINIMIZE";
constexpr char SWITCH_FROM_MODULE[] = " StartFromModuleWithoutRunOther";

class CControllerApp : public CWinApp {
public:
    ~CControllerApp() override;
    BOOL InitInstance() override;

    // Registers the messages shared with other programs; done once, first.
    static void RegisterMessages();

    // The start mode a command line asks for (START_*).
    static int StartModeFromCommandLine(const CString& strCommandLine);

    DECLARE_MESSAGE_MAP()

protected:
    void OnHelp();

private:
    static void ActivateFirstInstance();
};

#endif
