#include "CWinApp.h"

namespace {
CWinApp* g_pApp;
}

CWinApp::CWinApp()
{
    g_pApp = this;
    m_hInstance = GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return GetModuleHandleA(nullptr);
}

HINSTANCE AfxFindResourceHandle(LPCSTR, LPCSTR)
{
    return AfxGetResourceHandle();
}
