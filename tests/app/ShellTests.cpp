// The command line, the start-up progress window and its waits, the notification-icon copy, and the
// fonts the prefix gives captions, menus and the caption buttons.
#include "tests/support/BarFixture.h"
#include "app/ControllerApp.h"
#include "app/LoadingDlg.h"
#include "tray/NotifyIconService.h"
#include "tray/TrayIconDlg.h"
#include "app/WaitAndPump.h"
#include <new>

static size_t s_cbFail; // the next allocation of this size fails, as when memory runs out
static void* Allocate(size_t cb)
{
    return cb && cb == s_cbFail ? (s_cbFail = 0, nullptr) : malloc(cb + !cb);
}
void* operator new(size_t cb)
{
    if (void* p = Allocate(cb))
        return p;
    throw std::bad_alloc();
}
void* operator new(size_t cb, const std::nothrow_t&) noexcept
{
    return Allocate(cb);
}
void operator delete(void* p) noexcept
{
    free(p);
}
void operator delete(void* p, size_t) noexcept
{
    free(p);
}

TEST(CommandLine, SwitchesCountAnywhereWithTheirBlankAndCase)
{
    std::string strJunk; // every byte but NUL
    for (int i = 0; i < 40000; i++)
        strJunk += (char)(1 + i * 7919 % 255);
    const struct {
        std::string strLine;
        int nMode;
    } cases[] = { { "", 0 },
                  { "TympController.exe", 0 },
                  { "x AUTOCLOSE", 1 },
                  { "x AUTOCLOSEXYZ", 1 },
                  { "x/AUTOCLOSE", 0 },
                  { "x autoclose", 0 },
                  { " AUTOCLOS", 0 },
                  { "x RUNMINIMIZE", 2 },
                  { "x AUTOCLOSE RUNMINIMIZE", 2 },
                  { "x RUNMINIMIZE AUTOCLOSE", 2 },
                  { strJunk, 0 },
                  { strJunk + " RUNMINIMIZE", 2 },
                  { " AUTOCLOSE" + strJunk, 1 } };
    for (const auto& c : cases)
        EXPECT_EQ(c.nMode, CControllerApp::StartModeFromCommandLine(c.strLine.c_str())) << c.strLine.substr(0, 30);
}

static const std::string s_astrText[] = { "Preparing loading data for Tymp Studio 3.0",
                                          "Getting system device information",
                                          "Initialing Tymp Studio Controller",
                                          "Finding activate Tymp Studio module",
                                          "Loading Tymp Studio modules",
                                          "Communicating with Tymp Studio modules" };
static std::string s_strSteps;
static int s_nTicks;
static VOID CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD)
{
    s_nTicks++;
}
// Sees every text set on a status line of this thread, however briefly it shows, as its step (6 for another).
static LRESULT CALLBACK WatchStatus(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = (const CWPSTRUCT*)lParam;
    if (nCode == HC_ACTION && p->message == WM_SETTEXT && GetDlgCtrlID(p->hwnd) == 1001 && p->lParam)
        s_strSteps += (char)('0' + (std::find(s_astrText, s_astrText + 6, (const char*)p->lParam) - s_astrText));
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
using ProgressWindow = BarTest;
TEST_F(ProgressWindow, ShowsEachStepTopmostUntilClosedWhileTheWaitsDispatchMessages)
{
    WriteValue(KEY_CONTROLLER, "ModuleSequence", REG_BINARY, std::string(20, '\0').data(), 20);
    const struct {
        BOOL bFromModule;
        UINT uMessage;
        const char* pszSteps;
    } cases[] = { { FALSE, 0x464, "0102345" }, { TRUE, WM_NULL, "01235" }, { TRUE, 0x6BC, "01" } };
    for (const auto& c : cases) {
        const HHOOK hHook = SetWindowsHookExA(WH_CALLWNDPROC, WatchStatus, nullptr, GetCurrentThreadId());
        const UINT_PTR nTimer = SetTimer(nullptr, s_nTicks = 0, 50, CountTick);
        BarPtr pBar(new CBarUnderTest(nullptr, c.bFromModule));
        const HWND hWnd = pBar->m_pLoadingDlg->m_hWnd;
        EXPECT_TRUE(IsWindowVisible(hWnd) && (GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) &&
                    abs(Centre(hWnd).x - 512) <= 1 && WindowText(hWnd) == "Tymp Studio 3.0")
            << WindowRect(hWnd);
        SendMessageA(hWnd, c.uMessage, 0, 0);
        EXPECT_TRUE(pBar->Create(102, nullptr) && UnhookWindowsHookEx(hHook) && !IsWindow(hWnd));
        EXPECT_TRUE(KillTimer(nullptr, nTimer) && s_nTicks >= 20) << s_nTicks << " ticks in waits of 500 and 1000 ms";
        EXPECT_EQ(c.pszSteps, std::exchange(s_strSteps, "")) << c.bFromModule << c.uMessage;
    }
}

static DWORD WINAPI HangWithAWindow(LPVOID hRelease)
{
    CreateWindowExA(0, "STATIC", "Tymp Studio 3.0", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    return WaitForSingleObject(hRelease, 30000); // handles no message meanwhile
}
TEST_F(ProgressWindow, NeitherMissingMemoryNorAHungWindowOfTheIconCopysTitleStopsTheStart)
{
    s_cbFail = sizeof(CLoadingDlg);
    BarPtr pBar(new CBarUnderTest(nullptr, TRUE));
    EXPECT_TRUE(!pBar->m_pLoadingDlg && pBar->Create(102, nullptr) && IsWindowVisible(pBar->m_hWnd));
    pBar.reset();
    HANDLE hRelease = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE hThread = CreateThread(nullptr, 0, HangWithAWindow, hRelease, 0, nullptr);
    WaitUntil([] { return FindWindowA(nullptr, "Tymp Studio 3.0") != nullptr; });
    pBar.reset(new CBarUnderTest(nullptr, TRUE));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(hThread, 0)) << "the start went on only once the window had gone";
    SetEvent(hRelease), WaitForSingleObject(hThread, INFINITE), CloseHandle(hThread), CloseHandle(hRelease);
}

static DWORD s_dwStreamEnd;
static LRESULT CALLBACK Stream(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_APP && GetTickCount() < s_dwStreamEnd)
        PostMessageA(h, WM_APP, 0, 0); // one more for each that arrives, for ten seconds
    return DefWindowProcA(h, m, w, l);
}
TEST(WaitAndPump, ASteadyStreamOfMessagesCannotHoldItOpen)
{
    HWND hWnd = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)Stream);
    s_dwStreamEnd = GetTickCount() + 10000;
    PostMessageA(hWnd, WM_APP, 0, 0);
    WaitAndPump(50);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, hWnd, WM_APP, WM_APP, PM_NOREMOVE)) << "the wait lasted as long as the stream";
    s_dwStreamEnd = 0, DestroyWindow(hWnd);
}

TEST(ModalLoop, ADialogMinimisedBeforeTheQueueFirstEmptiesStaysMinimised)
{
    struct CMinimisedDlg : CDialog {
        CMinimisedDlg() : CDialog(102) { }
        BOOL OnInitDialog() override
        {
            ShowWindow(SW_MINIMIZE);
            return TRUE;
        }
    } dlg;
    bool bIconic = false;
    ModalScript script;
    script.Do([&] { bIconic = dlg.IsIconic(), dlg.EndDialog(IDOK); });
    script.Run([&] { dlg.DoModal(); });
    EXPECT_TRUE(bIconic) << "the first idle restored it";
}

static std::vector<std::string> s_icons;
static BOOL WINAPI RecordIcon(DWORD dwMessage, PNOTIFYICONDATAA p)
{
    char sz[128]; // message, size, id, flags, callback, tip, owner and icon
    snprintf(sz, sizeof sz, "%lu %lu %u %u %u %.64s %d%d", dwMessage, p->cbSize, p->uID, p->uFlags, p->uCallbackMessage,
             p->szTip, p->hWnd == FindWindowA(0, "Tymp Studio 3.0"),
             p->hIcon == LoadIconA(GetModuleHandleA(0), "#128"));
    return s_icons.push_back(sz), TRUE;
}
TEST(TrayIcon, AHiddenIconWhoseMenuStartsTheSuiteAndThatComesBackWithANewTaskbar)
{
    g_pfnShellNotifyIconA = RecordIcon;
    CTrayIconDlg dlg(nullptr);
    ASSERT_TRUE(dlg.Create(153, nullptr));
    EXPECT_TRUE(!IsWindowVisible(dlg.m_hWnd) && WindowRect(dlg.m_hWnd) == RECT {}) << WindowRect(dlg.m_hWnd);
    WaitUntil([] {
        POINT p;
        return SetCursorPos(400, 300) && GetCursorPos(&p) && p.x == 400 && p.y == 300;
    });
    for (LPARAM lMouse : { WM_RBUTTONDOWN, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONUP }) {
        const MenuSnapshot menu = InspectMenu([&] { SendMessageA(dlg.m_hWnd, 0x720, 128, lMouse); });
        EXPECT_EQ(lMouse == WM_RBUTTONDOWN || lMouse == WM_LBUTTONDOWN, menu.bShown) << lMouse;
        for (UINT nID = 32785; menu.bShown && nID <= 32793; nID++)
            EXPECT_TRUE(menu.Has(nID) && !menu.Grayed(nID) && menu.rc.left == 400 && menu.rc.top == 300) << nID;
    }
    const char* const apszExe[] = { "Sndvol32.exe",       "TympCDPlayer.exe",   "TympWavePlayer.exe",
                                    "TympMidiPlayer.exe", "TympWaveEditor.exe", "TympMidiTracker.exe" };
    for (const char* const& pszExe : apszExe) {
        ModuleLog log; // each choice starts one more copy
        const UINT nID = 32786 + (&pszExe - apszExe);
        SendMessageA(dlg.m_hWnd, WM_COMMAND, nID, 0), SendMessageA(dlg.m_hWnd, WM_COMMAND, nID, 0);
        EXPECT_TRUE(WaitUntil([&] { return log.Starts(pszExe) == 2; }) &&
                    log.IndexOf(pszExe, "start " + (nID == 32786 ? "C:\\windows\\" : ProgramDirectory()) + pszExe) >= 0)
            << log.Dump();
        EndChildProcesses(GetCurrentProcessId(), 0);
    }
    SendMessageA(dlg.m_hWnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    for (UINT nID : { 32793, IDCANCEL }) // Exit, and Escape or Alt+F4
        SendMessageA(dlg.m_hWnd, WM_COMMAND, nID, 0);
    g_pfnShellNotifyIconA = Shell_NotifyIconA;
    EXPECT_EQ((std::vector<std::string> { "0 88 128 7 1824 Tymp Studio 3.0 11", "0 88 128 7 1824 Tymp Studio 3.0 11",
                                          "2 88 128 0 0  10", "2 88 128 0 0  10" }),
              std::exchange(s_icons, {}));
}

TEST(Fonts, TheCaptionButtonsCaptionsMenusAndStatusLinesGetWinesOwnFaces)
{
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = sizeof ncm;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    LOGFONTA marlett = {};
    marlett.lfHeight = -13, marlett.lfCharSet = SYMBOL_CHARSET, strcpy(marlett.lfFaceName, "Marlett");
    const HDC hDC = CreateCompatibleDC(nullptr);
    std::string strFaces; // as each font resolves
    for (const LOGFONTA* p : { &marlett, &ncm.lfCaptionFont, &ncm.lfMenuFont, &ncm.lfStatusFont }) {
        char szFace[LF_FACESIZE] = "";
        const HGDIOBJ hOld = SelectObject(hDC, CreateFontIndirectA(p));
        GetTextFaceA(hDC, sizeof szFace, szFace);
        DeleteObject(SelectObject(hDC, hOld)), strFaces += szFace + std::string(" ");
    }
    DeleteDC(hDC);
    EXPECT_EQ("Marlett Tahoma Tahoma Tahoma ", strFaces) << "a font missing from the prefix's Fonts folder";
}
