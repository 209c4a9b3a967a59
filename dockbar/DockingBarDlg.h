// A dialog that is an application desktop toolbar: docked to a screen edge,
// floating, or auto-hidden, kept in the shell's books through SHAppBarMessage.
// A derived class sets the permissions and thicknesses and hears of every
// change of position through OnEdgeChanged.
#ifndef DOCKBAR_DOCKINGBARDLG_H
#define DOCKBAR_DOCKINGBARDLG_H

#include "afx/Afx.h"
#include <shellapi.h>

// Positions besides the shell's ABE_LEFT, ABE_TOP, ABE_RIGHT, ABE_BOTTOM.
constexpr int DBE_NONE = -1;
constexpr int DBE_FLOAT = -2;

constexpr DWORD DBF_ALLOWLEFTRIGHT = 0x01;
constexpr DWORD DBF_ALLOWTOPBOTTOM = 0x02;
constexpr DWORD DBF_ALLOWFLOAT = 0x04;
constexpr DWORD DBF_ALLOWAUTOHIDE = 0x10;
constexpr DWORD DBF_ALLOWALWAYSONTOP = 0x20;

constexpr int DB_AUTOHIDE_TIMER = 1;
constexpr int DB_AUTOHIDE_PERIOD = 400; // ms between auto-hide polls
constexpr int DB_SLIDE_TIME = 400; // ms a slide takes
constexpr int DB_HIDDEN_STRIP = 2; // pixels of a hidden bar left on screen

struct DOCKBARSTATE {
    UINT cbSize;
    int nEdge;
    BOOL bAutoHide;
    BOOL bAlwaysOnTop;
    int anDockSize[4]; // thickness per edge
    RECT rcFloat;
};
static_assert(sizeof(DOCKBARSTATE) == 48, "DOCKBARSTATE is stored by size");

// Registered once, before the first window, by the application (RegisterMessages).
extern UINT g_uAppBarNotifyMessage;
// The shell broadcasts this when its taskbar starts again, having forgotten every bar and icon.
extern UINT g_uTaskbarCreatedMessage;

inline BOOL IsDockEdge(int nEdge)
{
    return nEdge >= ABE_LEFT && nEdge <= ABE_BOTTOM;
}

class CDockingBarDlg : public CDialog {
public:
    CDockingBarDlg(UINT nIDTemplate, CWnd* pParent);
    ~CDockingBarDlg() override;

    void SetBarState(const DOCKBARSTATE* pState);
    void SetDockState(int nEdge);
    int GetEffectiveEdge() const;
    // The bar the shell keeps auto-hidden on an edge, or null.
    HWND GetAutoHideBar(int nEdge) { return (HWND)AppBarMessage(ABM_GETAUTOHIDEBAR, nEdge); }

    static int EdgeFromPoint(DWORD dwFlags, POINT pt);
    int CalcProposedEdge(POINT pt) const;

    // The tick source of the slide; tests replace it to cross the counter's wrap.
    static DWORD(WINAPI* s_pfnGetTickCount)();

protected:
    virtual void OnEdgeChanged(BOOL /*bProposed*/, int /*nEdge*/) { }
    virtual void OnAutoHideDenied();
    virtual void OnFullScreenApp(BOOL bOpen);
    virtual void OnTaskbarPosChanged();
    virtual void OnTaskbarStateChange(UINT uChanged, UINT uState);
    virtual void OnWindowArrange(BOOL /*bBeginning*/) { }

    void GetDockRect(int nEdge, RECT* prc);
    // The whole screen, and rc cut to the band cThick thick along nEdge.
    static RECT ScreenRect();
    static RECT EdgeBand(int nEdge, RECT rc, int cThick);
    void ApplyTaskbarState(UINT uMask, UINT uState);
    BOOL CalcAutoHideRect(BOOL bShow, RECT* prc) const;
    void ShowAutoHideBar(BOOL bShow);
    void SlideWindow(const RECT* prc);
    // The shell's whole answer: ABM_GETAUTOHIDEBAR answers a window handle.
    UINT_PTR AppBarMessage(DWORD dwMessage, int nEdge, LPARAM lParam = 0, RECT* prc = nullptr);
    int GetAutoHideEdge();

    static void KeepOnMonitor(RECT* prc);

    LRESULT OnAppBarNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    LRESULT OnDisplayChange(WPARAM, LPARAM);
    LRESULT OnEnterSizeMove(WPARAM, LPARAM);
    LRESULT OnExitSizeMove(WPARAM, LPARAM);
    void OnSizing(UINT nSide, LPRECT prc);
    void OnMoving(UINT nSide, LPRECT prc);
    int OnCreate(LPCREATESTRUCTA pcs);
    void OnDestroy();
    void OnWindowPosChanged(WINDOWPOS* pwp);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    LRESULT OnNcHitTest(CPoint point);
    void OnTimer(UINT_PTR nIDEvent);

    UINT m_uTaskbarState;
    DOCKBARSTATE m_state;
    DWORD m_dwFlags = 0;
    int m_cxSizeInc = 0;
    int m_cySizeInc = 0;
    int m_nProposedEdge = DBE_NONE;
    BOOL m_bFullScreenApp = FALSE;
    BOOL m_bAutoHideShown = FALSE;
    BOOL m_bFollowTaskbarState = FALSE;

    DECLARE_MESSAGE_MAP()
};

#endif
