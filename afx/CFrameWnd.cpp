#include "CFrameWnd.h"
#include "CWinApp.h"

LPCSTR CFrameWnd::DefaultClassName()
{
    static const char s_szClass[] = "AfxFrameOrView";
    static ATOM s_atom = [] {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        wc.lpszClassName = s_szClass;
        return RegisterClassA(&wc);
    }();
    (void)s_atom;
    return s_szClass;
}

CFrameWnd::~CFrameWnd()
{
    // Deleting the object destroys the window; the object must not delete itself then.
    m_bAutoDelete = FALSE;
    DestroyWindow();
}

BOOL CFrameWnd::Create(LPCSTR pszClassName, LPCSTR pszTitle, DWORD dwStyle, const RECT& rc, CWnd* pParent,
                       LPCSTR pszMenu, DWORD dwExStyle)
{
    HMENU hMenu = pszMenu ? LoadMenuA(AfxGetResourceHandle(), pszMenu) : nullptr;
    return CreateEx(dwExStyle, pszClassName ? pszClassName : DefaultClassName(), pszTitle, dwStyle, rc, pParent, hMenu);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}
