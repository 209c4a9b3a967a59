// The start-up progress window and the waits that keep it painting.
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "controller/ControllerDlg.h"
#include "app/LoadingDlg.h"
#include "app/WaitAndPump.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string StatusText(const CLoadingDlg& dlg)
{
    char sz[128] = "";
    GetDlgItemTextA(dlg.m_hWnd, IDC_LOADING_STATUS, sz, sizeof sz);
    return sz;
}

int s_nTicks;
int s_nApp;

LRESULT CALLBACK CountApp(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        s_nApp++;
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

VOID CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD)
{
    s_nTicks++;
}

} // namespace

TEST(WaitAndPump, WaitsLongerThanAskedAndDispatchesMeanwhile)
{
    HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)CountApp);
    s_nApp = 0;
    PostMessageA(hWnd, WM_APP, 0, 0);
    PostMessageA(hWnd, WM_APP, 0, 0);
    DWORD t0 = GetTickCount();
    WaitAndPump(500);
    DWORD dt = GetTickCount() - t0;
    EXPECT_GT(dt, 500u);
    EXPECT_LT(dt, 2000u) << "it must come back";
    EXPECT_EQ(2, s_nApp) << "posted messages are dispatched during the wait";

    // A timer fires while it waits, and a zero wait still waits past the tick.
    s_nTicks = 0;
    UINT_PTR nTimer = SetTimer(nullptr, 0, 50, CountTick);
    WaitAndPump(300);
    KillTimer(nullptr, nTimer);
    EXPECT_GE(s_nTicks, 3);
    t0 = GetTickCount();
    WaitAndPump(0);
    EXPECT_GE(GetTickCount() - t0, 1u);
    DestroyWindow(hWnd);
}

TEST(ProgressWindow, ShowsItsPictureTitleAndTexts)
{
    CLoadingDlg dlg(nullptr);
    ASSERT_TRUE(IsWindow(dlg.m_hWnd));
    char szTitle[64];
    GetWindowTextA(dlg.m_hWnd, szTitle, sizeof szTitle);
    EXPECT_STREQ("Tymp Studio 3.0", szTitle);
    EXPECT_TRUE(GetWindowLongA(dlg.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));

    const struct {
        UINT nID;
        const char* pszText;
    } texts[] = {
        { IDS_LOADING_PREPARING, "Preparing loading data for Tymp Studio 3.0" },
        { IDS_LOADING_DEVICES, "Getting system device information" },
        { IDS_LOADING_INITIALIZING, "Initialing Tymp Studio Controller" },
        { IDS_LOADING_FINDING, "Finding activate Tymp Studio module" },
        { IDS_LOADING_MODULES, "Loading Tymp Studio modules" },
        { IDS_LOADING_COMMUNICATING, "Communicating with Tymp Studio modules" },
    };
    for (const auto& t : texts) {
        dlg.ShowStatus(t.nID);
        EXPECT_EQ(t.pszText, StatusText(dlg));
    }
    SendMessageA(dlg.m_hWnd, WM_USER + 100, 0, 0);
    EXPECT_EQ("Preparing loading data for Tymp Studio 3.0", StatusText(dlg));

    // Centred on the screen.
    RECT rc;
    GetWindowRect(dlg.m_hWnd, &rc);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (rc.left + rc.right) / 2, 1);
}

TEST(ProgressWindow, TheWaitCursorShowsOverTheClientAreaOnly)
{
    CLoadingDlg dlg(nullptr);
    RECT rc;
    GetWindowRect(dlg.m_hWnd, &rc);
    HCURSOR hWait = LoadCursorA(nullptr, (LPCSTR)IDC_WAIT);
    HCURSOR hArrow = LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);

    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PumpFor(50);
    SetCursor(hArrow);
    EXPECT_TRUE(SendMessageA(dlg.m_hWnd, WM_SETCURSOR, (WPARAM)dlg.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(hWait, GetCursor());

    SetCursor(hArrow);
    SendMessageA(dlg.m_hWnd, WM_SETCURSOR, (WPARAM)dlg.m_hWnd, MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
    EXPECT_NE(hWait, GetCursor()) << "the border keeps the default cursor";
}

TEST(ProgressWindow, CloseInstanceDestroysTheWindowAndLaterTextsAreHarmless)
{
    CLoadingDlg* pDlg = new CLoadingDlg(nullptr);
    HWND hWnd = pDlg->m_hWnd;
    SendMessageA(hWnd, WM_USER + 700, 0, 0);
    EXPECT_FALSE(IsWindow(hWnd));
    pDlg->ShowStatus(IDS_LOADING_MODULES);
    delete pDlg;
}

namespace {

std::vector<std::string> g_statusTexts;

// Sees every text set on a status line of this thread, however briefly it shows.
LRESULT CALLBACK WatchStatus(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && p->message == WM_SETTEXT && GetDlgCtrlID(p->hwnd) == IDC_LOADING_STATUS && p->lParam)
        g_statusTexts.push_back((const char*)p->lParam);
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

std::vector<std::string> StatusTextsOfAStart(BOOL bStartFromModule)
{
    g_statusTexts.clear();
    HHOOK hHook = SetWindowsHookExA(WH_CALLWNDPROC, WatchStatus, nullptr, GetCurrentThreadId());
    {
        FakeAppBarShell shell;
        CControllerDlg bar(nullptr, bStartFromModule);
        bar.Create(IDD_CONTROLLER, nullptr);
        bar.m_bInsertIconWhenQuit = FALSE;
        bar.DestroyWindow();
    }
    UnhookWindowsHookEx(hHook);
    return g_statusTexts;
}

} // namespace

TEST(ProgressWindow, TheStartShowsEveryStepInOrder)
{
    DeleteSuiteKeys();
    SetControllerBinary("ModuleSequence", "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20);
    const std::vector<std::string> all = {
        "Preparing loading data for Tymp Studio 3.0", "Getting system device information",
        "Initialing Tymp Studio Controller", "Finding activate Tymp Studio module",
        "Loading Tymp Studio modules", "Communicating with Tymp Studio modules",
    };
    EXPECT_EQ(all, StatusTextsOfAStart(FALSE));
    std::vector<std::string> fromModule = all;
    fromModule.erase(fromModule.begin() + 4);
    EXPECT_EQ(fromModule, StatusTextsOfAStart(TRUE));
    DeleteSuiteKeys();
}
