// The application object: one per program, constructed before WinMain.
// Its map receives the commands that no window handles.
#ifndef AFX_CWINAPP_H
#define AFX_CWINAPP_H

#include "CWnd.h"

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }

    // Kept for the start-up sequence's shape; the system draws 3D controls itself.

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxFindResourceHandle(LPCSTR pszName, LPCSTR pszType);

#endif
