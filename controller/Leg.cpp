#include "Leg.h"
#include "afx/CWinApp.h"
#include "res/resource.h"
#include <cstring>

BEGIN_MESSAGE_MAP(CLeg, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ACTIVATE()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CLeg::CLeg(const RECT& rc, CWnd* pParent)
{
    // The bar owns the object; Windows may take the window down first with the bar's.
    m_bAutoDelete = FALSE;
    Create(nullptr, nullptr, WS_POPUP, rc, pParent, nullptr, WS_EX_TOOLWINDOW);
}

CLeg::~CLeg() = default;

BOOL CLeg::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style = WS_POPUP;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return CFrameWnd::PreCreateWindow(cs);
}

// The 19 x 5 picture at (2, 2) of the window, its corner pixels cut off.
void CLeg::InitShape()
{
    static const POINT s_apt[13] = { { 20, 2 }, { 20, 3 }, { 21, 3 }, { 21, 6 }, { 20, 6 }, { 20, 7 }, { 3, 7 },
                                     { 3, 6 },  { 2, 6 },  { 2, 3 },  { 3, 3 },  { 3, 2 },  { 20, 2 } };
    memcpy(m_aptShape, s_apt, sizeof m_aptShape);
}

int CLeg::OnCreate(LPCREATESTRUCTA pcs)
{
    if (CFrameWnd::OnCreate(pcs) == -1)
        return -1;
    InitShape();
    // From here on the region is the window's.
    SetWindowRgn(m_hWnd, CreatePolygonRgn(m_aptShape, 13, WINDING), TRUE);
    ShowWindow(SW_HIDE);
    return 0;
}

void CLeg::OnPaint()
{
    CPaintDC dc(m_hWnd);
    CRect rc;
    GetClientRect(&rc);
    CGdiObject<HBITMAP> bmpLeg(LoadBitmapA(AfxFindResourceHandle(MAKEINTRESOURCEA(BITMAP_LEG), (LPCSTR)RT_BITMAP),
                                           MAKEINTRESOURCEA(BITMAP_LEG)));
    CMemoryDC dcMem(dc);
    CSelectObject select(dcMem, bmpLeg);
    BitBlt(dc, 0, 0, rc.Width(), rc.Height(), dcMem, 0, 0, SRCCOPY);
}

void CLeg::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    // A click on a foot never lifts it above the bar.
    if (nState == WA_ACTIVE || nState == WA_CLICKACTIVE)
        SetWindowPos(GetParent(), 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CLeg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if (nID == SC_CLOSE)
        return;
    CFrameWnd::OnSysCommand(nID, lParam);
}
