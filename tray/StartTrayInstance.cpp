#include "controller/ControllerDlg.h"

// Leaves a copy of the program behind that shows only the notification icon.
void CControllerDlg::StartTrayInstance()
{
    char szPath[256] = "";
    GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    CString strCommandLine = CString(szPath) + " AddIconToTaskbarWhenQuit";
    LaunchProgram(szPath, strCommandLine, 5000);
}
