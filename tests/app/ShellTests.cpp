// The command line, the start-up progress window and its waits, and the notification-icon copy.
#include "tests/support/BarFixture.h"
#include "app/ControllerApp.h"
#include "app/LoadingDlg.h"
#include "tray/NotifyIconService.h"
#include "tray/TrayIconDlg.h"
#include "res/resource.h"

constexpr UINT WM_LOADING_PREPARE = WM_USER + 100; // the progress window shows its first text again

TEST(CommandLine, SwitchesCountAnywhereWithTheirBlankAndCase)
{
    const struct {
        std::string strLine;
        int nMode;
        const char* pszWhy;
    } cases[] = {
        { .strLine = "x AUTOCLOSE", .nMode = START_AUTOCLOSE, .pszWhy = "the switch with its blank" },
        { .strLine = "x/AUTOCLOSE", .nMode = START_NORMAL, .pszWhy = "the blank is part of the switch" },
        { .strLine = "x autoclose", .nMode = START_NORMAL, .pszWhy = "so is its case" },
        { .strLine = "x AUTOCLOSE RUNMINIMIZE", .nMode = START_RUNMINIMIZE, .pszWhy = "minimising wins" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(CControllerApp::StartModeFromCommandLine(c.strLine.c_str()), c.nMode) << c.pszWhy;
}

const std::string PREPARING = "Preparing loading data for Tymp Studio 3.0";
const std::string DEVICES = "Getting system device information";
const std::string INITIALISING = "Initialing Tymp Studio Controller";
const std::string FINDING = "Finding activate Tymp Studio module";
const std::string LOADING = "Loading Tymp Studio modules";
const std::string COMMUNICATING = "Communicating with Tymp Studio modules";
static std::vector<std::string> s_texts; // each text set on a status line of this thread, however briefly
static LRESULT CALLBACK WatchStatus(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
    if (p->message == WM_SETTEXT && p->lParam && GetDlgCtrlID(p->hwnd) == IDC_LOADING_STATUS)
        s_texts.push_back((const char*)p->lParam);
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
static int s_nTicks;
static VOID CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD)
{
    s_nTicks++;
}

using ProgressWindow = BarTest;
TEST_F(ProgressWindow, ShowsEachStepTopmostUntilTheBarShowsWhileTheWaitsDispatchMessages)
{
    WriteModuleSequence({ 0, 0, 0, 0, 0 });
    const HHOOK hHook = SetWindowsHookExA(WH_CALLWNDPROC, WatchStatus, nullptr, GetCurrentThreadId());
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 50, CountTick);
    BarPtr pBar(new CBarUnderTest(nullptr, FALSE));
    const HWND hWnd = pBar->m_pLoadingDlg->m_hWnd;
    EXPECT_TRUE(IsWindowVisible(hWnd)) << "shown from the start";
    EXPECT_TRUE(GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) << "over every other window";
    EXPECT_NEAR(WindowRect(hWnd).left + WindowRect(hWnd).right, 1024, 2) << "centred on the screen";
    EXPECT_EQ(WindowText(hWnd), "Tymp Studio 3.0") << "titled as the suite";
    SendMessageA(hWnd, WM_LOADING_PREPARE, 0, 0);
    EXPECT_TRUE(pBar->Create(IDD_CONTROLLER, nullptr)) << "the bar is made";
    KillTimer(nullptr, nTimer);
    UnhookWindowsHookEx(hHook);
    EXPECT_FALSE(IsWindow(hWnd)) << "gone once the bar shows";
    EXPECT_GE(s_nTicks, 20) << "the waits of 500 and 1000 ms dispatch the timer's ticks of 50 ms";
    const std::vector<std::string> texts = { PREPARING, DEVICES, PREPARING,    INITIALISING,
                                             FINDING,   LOADING, COMMUNICATING };
    EXPECT_EQ(s_texts, texts) << "every step in order; the message shows the first text again";
}

namespace {

struct COwner : CWnd {
    COwner() { CreateEx(0, "#32770", "Owner", WS_POPUP | WS_VISIBLE, CRect(10, 10, 200, 100), nullptr, nullptr); }
};

HANDLE s_hEnded; // set once DoModal has returned

// Ends the dialog as another program's SendMessage would; frees a loop still waiting after 5 s.
DWORD WINAPI SendOkFromAnotherThread(LPVOID pDlg)
{
    const CDialog* pDialog = (const CDialog*)pDlg;
    for (int i = 0; i < 500 && !IsWindowVisible(pDialog->m_hWnd); i++)
        Sleep(10); // until the loop has shown the dialog and waits
    HWND hDlg = pDialog->m_hWnd;
    SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
    if (WaitForSingleObject(s_hEnded, 5000) == WAIT_OBJECT_0)
        return 0;
    PostMessageA(hDlg, WM_NULL, 0, 0);
    return 1;
}

} // namespace

TEST(ModalLoop, EndsAtOnceWhenAMessageFromAnotherThreadEndsIt)
{
    CDialog dlg(IDD_CONTROLLER);
    s_hEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE hThread = CreateThread(nullptr, 0, SendOkFromAnotherThread, &dlg, 0, nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK) << "the sent IDOK ended it";
    SetEvent(s_hEnded);
    DWORD dwStuck = 1;
    WaitForSingleObject(hThread, 10000);
    GetExitCodeThread(hThread, &dwStuck);
    EXPECT_EQ(dwStuck, 0u) << "the loop saw its end without waiting for other input";
    CloseHandle(hThread);
    CloseHandle(s_hEnded);
}

TEST(ModalLoop, EndsWhenItsDialogIsDestroyedFromInside)
{
    COwner owner;
    CDialog dlg(IDD_CONTROLLER, &owner);
    bool bStillLooping = false;
    ModalScript script;
    script.Do([&] { dlg.DestroyWindow(); });
    script.Do([&] {
        bStillLooping = true;
        PostQuitMessage(0); // ends a loop that went on; the script's last pump takes it
    });
    script.Run([&] { dlg.DoModal(); });
    EXPECT_FALSE(bStillLooping) << "the loop ended with its window";
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd)) << "the owner is enabled again";
}

// A quit meets the inner of two nested dialogs: each loop ends, gives its owner back and queues the quit again.
TEST(ModalLoop, AQuitEndsNestedDialogsInTurnAndEachGivesItsOwnerBack)
{
    COwner owner;
    CDialog outer(IDD_CONTROLLER, &owner);
    CDialog inner(IDD_CONTROLLER, &outer);
    BOOL bOuterEnabledAgain = FALSE;
    MSG msg = {};
    ModalScript script;
    script.Do([&] {
        PostQuitMessage(7);
        inner.DoModal();
        bOuterEnabledAgain = IsWindowEnabled(outer.m_hWnd);
    });
    script.Run([&] {
        outer.DoModal();
        PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    });
    EXPECT_TRUE(script.Finished()) << "the quit ended the inner loop, then the outer one: " << script.m_strStalled;
    EXPECT_TRUE(bOuterEnabledAgain) << "the inner dialog gave its owner back";
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd)) << "the outer one gave its owner back";
    EXPECT_EQ(msg.message, (UINT)WM_QUIT) << "the quit is queued again for the loop outside";
    EXPECT_EQ(msg.wParam, 7u) << "with its exit code";
}

// Stands for the shell's notification area: it takes only the first-version record of this build, as every
// shell does, and keeps each call it was given.
struct IconCall {
    DWORD dwMessage;
    NOTIFYICONDATAA icon;
};
static std::vector<IconCall> s_iconCalls;
static BOOL WINAPI NotificationArea(DWORD dwMessage, PNOTIFYICONDATAA pIcon)
{
    EXPECT_EQ(pIcon->cbSize, NOTIFYICONDATAA_V1_SIZE) << "the shell takes the first-version record";
    if (pIcon->cbSize != NOTIFYICONDATAA_V1_SIZE)
        return FALSE;
    IconCall call = { .dwMessage = dwMessage, .icon = {} };
    memcpy(&call.icon, pIcon, pIcon->cbSize);
    s_iconCalls.push_back(call);
    return TRUE;
}
class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pfnShellNotifyIconA = NotificationArea;
        s_iconCalls.clear();
    }
    void TearDown() override { g_pfnShellNotifyIconA = Shell_NotifyIconA; }
};

TEST_F(TrayIcon, AnIconWithTheProgramsTipThatEveryWayOutTakesAlong)
{
    const struct {
        UINT uMsg;
        WPARAM wParam;
        const char* pszWhy;
    } cases[] = {
        { .uMsg = WM_COMMAND, .wParam = ID_TRAY_EXIT, .pszWhy = "Exit in its menu" },
        { .uMsg = WM_KEYDOWN, .wParam = VK_ESCAPE, .pszWhy = "Escape" },
        { .uMsg = WM_KEYDOWN, .wParam = VK_RETURN, .pszWhy = "Enter" },
        { .uMsg = WM_SYSCOMMAND, .wParam = SC_CLOSE, .pszWhy = "Alt+F4, which closes the window" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszWhy);
        CTrayIconDlg dlg(nullptr);
        ModalScript script;
        HWND hCopy = nullptr;
        script.Do([&] {
            hCopy = dlg.m_hWnd;
            PostMessageA(hCopy, c.uMsg, c.wParam, 0);
        });
        s_iconCalls.clear();
        INT_PTR nResult = -1;
        script.Run([&] { nResult = dlg.DoModal(); });
        EXPECT_TRUE(script.Finished()) << script.m_strStalled;
        EXPECT_EQ(nResult, 0) << "ended as Exit ends it";
        EXPECT_EQ(s_iconCalls.size(), 2u) << "the icon added, then deleted";
        if (s_iconCalls.size() != 2)
            continue;
        const NOTIFYICONDATAA& icon = s_iconCalls[0].icon;
        EXPECT_EQ(s_iconCalls[0].dwMessage, (DWORD)NIM_ADD) << "first added";
        EXPECT_EQ(icon.hWnd, hCopy) << "the copy's window hears from the icon";
        EXPECT_EQ(icon.uID, (UINT)IDI_TYMP) << "the icon's id is the icon resource's";
        EXPECT_EQ(icon.uFlags, (UINT)(NIF_MESSAGE | NIF_ICON | NIF_TIP)) << "a message, an icon and a tip";
        EXPECT_EQ(icon.uCallbackMessage, WM_TRAYNOTIFY) << "the icon's mouse comes as WM_TRAYNOTIFY";
        EXPECT_EQ(icon.hIcon, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TYMP))) << "the suite's icon";
        EXPECT_STREQ(icon.szTip, "Tymp Studio 3.0") << "the program's tip";
        EXPECT_EQ(s_iconCalls[1].dwMessage, (DWORD)NIM_DELETE) << "then deleted";
        EXPECT_EQ(s_iconCalls[1].icon.hWnd, icon.hWnd) << "the icon it added";
        EXPECT_EQ(s_iconCalls[1].icon.uID, icon.uID) << "the icon it added";
    }
}
