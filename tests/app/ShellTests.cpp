// The command line, the start-up progress window and its waits, and the notification-icon copy.
#include "tests/support/BarFixture.h"
#include "app/ControllerApp.h"
#include "app/LoadingDlg.h"
#include "tray/NotifyIconService.h"
#include "tray/TrayIconDlg.h"
#include "app/WaitAndPump.h"
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
    WriteValue(KEY_CONTROLLER, "ModuleSequence", REG_BINARY, std::string(20, '\0').data(), 20);
    const HHOOK hHook = SetWindowsHookExA(WH_CALLWNDPROC, WatchStatus, nullptr, GetCurrentThreadId());
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 50, CountTick);
    BarPtr pBar(new CBarUnderTest(nullptr, FALSE));
    const HWND hWnd = pBar->m_pLoadingDlg->m_hWnd;
    EXPECT_TRUE(IsWindowVisible(hWnd)) << "shown from the start";
    EXPECT_TRUE(GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) << "over every other window";
    EXPECT_NEAR(Centre(hWnd).x, 512, 1) << "centred on the screen";
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

static DWORD s_dwStreamEnd;
static LRESULT CALLBACK Stream(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_APP && GetTickCount() < s_dwStreamEnd)
        PostMessageA(hWnd, WM_APP, 0, 0); // one more for each that arrives
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}
TEST(WaitAndPump, LastsItsTimeWithOrWithoutMessagesAndNoLonger)
{
    const HWND hWnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)Stream);
    for (bool bStream : { false, true }) {
        s_dwStreamEnd = GetTickCount() + 5000;
        if (bStream)
            PostMessageA(hWnd, WM_APP, 0, 0);
        const DWORD dwStart = GetTickCount();
        WaitAndPump(500);
        EXPECT_GT(GetTickCount() - dwStart, 500u) << "a wait of 500 ms, messages streaming: " << bStream;
        MSG msg;
        EXPECT_EQ(PeekMessageA(&msg, hWnd, WM_APP, WM_APP, PM_NOREMOVE), bStream) << "a stream cannot hold it open";
        s_dwStreamEnd = 0;
        Pump();
    }
    DestroyWindow(hWnd);
}

TEST(ModalLoop, ADialogMinimisedBeforeTheQueueFirstEmptiesStaysMinimised)
{
    struct CMinimisedDlg : CDialog {
        CMinimisedDlg() : CDialog(IDD_CONTROLLER) { }
        BOOL OnInitDialog() override
        {
            ShowWindow(SW_MINIMIZE);
            return TRUE;
        }
    } dlg;
    bool bIconic = false;
    ModalScript script;
    script.Do([&] { bIconic = dlg.IsIconic(); });
    script.Do([&] { dlg.EndDialog(IDOK); });
    script.Run([&] { dlg.DoModal(); });
    EXPECT_TRUE(bIconic) << "the first idle restored it";
}

namespace {

// A dialog of the test with an owner window, which its first idle may end.
struct COwnedDlg : CDialog {
    explicit COwnedDlg(CWnd* pOwner, bool bEndAtOnce = false)
        : CDialog(IDD_CONTROLLER, pOwner), m_bEndAtOnce(bEndAtOnce)
    {
    }
    BOOL OnInitDialog() override
    {
        if (m_bEndAtOnce)
            ::PostMessageA(m_hWnd, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    bool m_bEndAtOnce;
};

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
    COwner owner;
    COwnedDlg dlg(&owner);
    s_hEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE hThread = CreateThread(nullptr, 0, SendOkFromAnotherThread, &dlg, 0, nullptr);
    EXPECT_EQ(dlg.DoModal(), IDOK) << "the sent IDOK ended it";
    SetEvent(s_hEnded);
    DWORD dwStuck = 1;
    WaitForSingleObject(hThread, 10000);
    GetExitCodeThread(hThread, &dwStuck);
    EXPECT_EQ(dwStuck, 0u) << "the loop saw its end without waiting for other input";
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd)) << "the owner is enabled again";
    CloseHandle(hThread);
    CloseHandle(s_hEnded);
}

TEST(ModalLoop, EndsWhenItsDialogIsDestroyedFromInside)
{
    COwner owner;
    COwnedDlg dlg(&owner);
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

TEST(ModalLoop, AQuitEndsItAndIsPostedAgainForTheLoopOutside)
{
    COwner owner;
    COwnedDlg dlg(&owner);
    PostQuitMessage(7); // the loop meets it first
    dlg.DoModal();
    MSG msg = {};
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is queued again";
    EXPECT_EQ(msg.wParam, 7u) << "with its exit code";
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd)) << "the owner is enabled again";
}

TEST(ModalLoop, NestedDialogsEndInTurnAndGiveEachOwnerBack)
{
    COwner owner;
    COwnedDlg outer(&owner);
    COwnedDlg inner(&outer, true);
    INT_PTR nInner = 0;
    BOOL bOuterEnabledAgain = FALSE;
    ModalScript script;
    script.Do([&] {
        nInner = inner.DoModal();
        bOuterEnabledAgain = IsWindowEnabled(outer.m_hWnd);
    });
    script.Do([&] { outer.EndDialog(IDCANCEL); });
    script.Run([&] { EXPECT_EQ(outer.DoModal(), IDCANCEL) << "the outer dialog ended by itself"; });
    EXPECT_EQ(nInner, IDOK) << "the inner dialog ended inside the outer one";
    EXPECT_TRUE(bOuterEnabledAgain) << "the inner dialog gave its owner back";
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd)) << "the outer one gave its owner back";
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
    CTrayIconDlg m_dlg { nullptr };
};

TEST_F(TrayIcon, AnIconWithTheProgramsTipThatANewTaskbarGetsAgainAndAWindowThatShowsNothing)
{
    ASSERT_TRUE(m_dlg.Create(IDD_TRAYICON, nullptr));
    EXPECT_EQ(WindowRect(m_dlg.m_hWnd), RECT {}) << "no size, so nothing shows";
    SendMessageA(m_dlg.m_hWnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(s_iconCalls.size(), 2u) << "added at the start and for the new taskbar";
    for (const IconCall& call : s_iconCalls) {
        EXPECT_EQ(call.dwMessage, (DWORD)NIM_ADD) << "each call adds the icon";
        EXPECT_EQ(call.icon.hWnd, m_dlg.m_hWnd) << "the copy's window hears from the icon";
        EXPECT_EQ(call.icon.uID, (UINT)IDI_TYMP) << "the icon's id is the icon resource's";
        EXPECT_EQ(call.icon.uFlags, (UINT)(NIF_MESSAGE | NIF_ICON | NIF_TIP)) << "a message, an icon and a tip";
        EXPECT_EQ(call.icon.uCallbackMessage, WM_TRAYNOTIFY) << "the icon's mouse comes as WM_TRAYNOTIFY";
        EXPECT_EQ(call.icon.hIcon, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TYMP)))
            << "the suite's icon";
        EXPECT_STREQ(call.icon.szTip, "Tymp Studio 3.0") << "the program's tip";
    }
}

TEST_F(TrayIcon, EachModuleItemStartsItsProgramOnceMoreEveryTimeItIsChosen)
{
    ASSERT_TRUE(m_dlg.Create(IDD_TRAYICON, nullptr));
    const struct {
        UINT nID;
        const char* pszExe;
        std::string strFolder;
    } cases[] = {
        { .nID = ID_TRAY_VOLUME, .pszExe = "Sndvol32.exe", .strFolder = "C:\\windows\\" },
        { .nID = ID_TRAY_CDPLAYER, .pszExe = "TympCDPlayer.exe", .strFolder = ProgramDirectory() },
        { .nID = ID_TRAY_WAVEPLAYER, .pszExe = "TympWavePlayer.exe", .strFolder = ProgramDirectory() },
        { .nID = ID_TRAY_MIDIPLAYER, .pszExe = "TympMidiPlayer.exe", .strFolder = ProgramDirectory() },
        { .nID = ID_TRAY_WAVEEDITOR, .pszExe = "TympWaveEditor.exe", .strFolder = ProgramDirectory() },
        { .nID = ID_TRAY_MIDITRACKER, .pszExe = "TympMidiTracker.exe", .strFolder = ProgramDirectory() },
    };
    for (const auto& c : cases) {
        ModuleLog log;
        SendMessageA(m_dlg.m_hWnd, WM_COMMAND, c.nID, 0);
        SendMessageA(m_dlg.m_hWnd, WM_COMMAND, c.nID, 0);
        EXPECT_TRUE(WaitUntil([&] { return log.Starts(c.pszExe) == 2; })) << "two starts of " << c.pszExe;
        EXPECT_GE(log.IndexOf(c.pszExe, "start " + c.strFolder + c.pszExe), 0) << log.Dump();
        EndChildProcesses(GetCurrentProcessId(), 0);
    }
}

TEST_F(TrayIcon, EveryWayOutTakesTheIconAlong)
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
        script.Do([&] { PostMessageA(dlg.m_hWnd, c.uMsg, c.wParam, 0); });
        s_iconCalls.clear();
        INT_PTR nResult = -1;
        script.Run([&] { nResult = dlg.DoModal(); });
        EXPECT_TRUE(script.Finished()) << script.m_strStalled;
        EXPECT_EQ(nResult, 0) << "ended as Exit ends it";
        EXPECT_EQ(s_iconCalls.size(), 2u) << "the icon added, then deleted";
        if (s_iconCalls.size() != 2)
            continue;
        EXPECT_EQ(s_iconCalls[1].dwMessage, (DWORD)NIM_DELETE) << "then deleted";
        EXPECT_EQ(s_iconCalls[1].icon.hWnd, s_iconCalls[0].icon.hWnd) << "the icon it added";
        EXPECT_EQ(s_iconCalls[1].icon.uID, (UINT)IDI_TYMP) << "the icon it added";
    }
}
