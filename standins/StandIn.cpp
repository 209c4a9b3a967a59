// A small window standing in for one of the suite's modules, so the bar can
// be started, docked and tested for real. Built once per module; STANDIN_KIND
// picks the row of kModules. The players speak the module message protocol.
#include <windows.h>
#include <string>
#include "StandInLog.h"

#ifndef STANDIN_KIND
#error "STANDIN_KIND must select the module this build stands in for"
#endif

namespace {

struct Module {
    const char* exeName;
    const char* title;
    bool player;
};

const Module kModules[] = {
    { "TympCDPlayer.exe", "Tymp Studio CDPlayer", true },     { "TympWavePlayer.exe", "Tymp Studio WavePlayer", true },
    { "TympMidiPlayer.exe", "Tymp Studio MidiPlayer", true }, { "TympWaveEditor.exe", "Tymp WaveEditor", false },
    { "TympMidiTracker.exe", "Tymp MidiTracker", false },     { "Sndvol32.exe", "Volume Control", false },
};
static_assert(STANDIN_KIND >= 0 && STANDIN_KIND < (int)(sizeof(kModules) / sizeof(kModules[0])),
              "STANDIN_KIND out of range");
const Module& kSelf = kModules[STANDIN_KIND];

// Codes carried in lParam of the "WM_TYMP_BY_KVB_1" message.
constexpr LONG kAttach = 0;
constexpr LONG kDetach = 1;
constexpr LONG kMinimize = 2;
constexpr LONG kRestore = 3;
constexpr LONG kExit = -1;

constexpr char kClassName[] = "TympStandInModule";
constexpr int kWidth = 408;
constexpr int kHeight = 92;

// A size change the bar asked for, so that it is not reported back to it.
enum class Expect { Nothing, Minimized, Restored };

struct State {
    HWND hwnd = nullptr;
    UINT message = 0; // the protocol message; 0 for plain modules
    HWND bar = nullptr; // 16-bit handle of the last window that spoke to us
    bool minimized = false;
    bool closing = false;
    Expect expect = Expect::Nothing;
    HFONT nameFont = nullptr;
    HFONT textFont = nullptr;
} g;

class Font {
public:
    explicit Font(HFONT h) : m_h(h) { }
    ~Font()
    {
        if (m_h)
            DeleteObject(m_h);
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    HFONT Get() const { return m_h; }

private:
    HFONT m_h;
};

void Log(const std::string& text)
{
    standin::LogLine(kSelf.exeName, text);
}

WORD LowHandle(HWND hwnd)
{
    return LOWORD((UINT_PTR)hwnd);
}

// To the bar once it has spoken to us, otherwise to every top-level window.
void Send(LONG code)
{
    const WPARAM me = LowHandle(g.hwnd);
    if (g.bar && IsWindow(g.bar)) {
        PostMessageA(g.bar, g.message, me, code);
        Log("sent " + std::to_string(code) + " " + std::to_string(LowHandle(g.bar)));
    } else {
        PostMessageA(HWND_BROADCAST, g.message, me, code);
        Log("sent " + std::to_string(code) + " broadcast");
    }
}

// Another module's announcements reach us too; they are not the bar.
bool IsFellowModule(HWND hwnd)
{
    char title[64] = "";
    if (!IsWindow(hwnd) || !GetWindowTextA(hwnd, title, sizeof(title)))
        return false;
    for (const Module& m : kModules) {
        if (m.player && lstrcmpA(title, m.title) == 0)
            return true;
    }
    return false;
}

void CloseModule()
{
    if (g.closing)
        return;
    g.closing = true;
    if (g.message)
        Send(kDetach);
    DestroyWindow(g.hwnd);
}

void ShowAsAsked(bool minimize)
{
    if (minimize == (IsIconic(g.hwnd) != FALSE))
        return; // already so: no size change would come to consume the mark
    g.expect = minimize ? Expect::Minimized : Expect::Restored;
    ShowWindow(g.hwnd, minimize ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
}

void OnModuleMessage(WPARAM wParam, LPARAM lParam)
{
    const WORD sender = LOWORD(wParam);
    if (sender == LowHandle(g.hwnd))
        return; // our own broadcast
    const LONG code = (LONG)lParam;
    Log("recv " + std::to_string(code) + " " + std::to_string(sender));

    const HWND from = (HWND)(UINT_PTR)sender;
    if (IsFellowModule(from))
        return;
    if (IsWindow(from))
        g.bar = from;

    switch (code) {
    case kMinimize: ShowAsAsked(true); break;
    case kRestore: ShowAsAsked(false); break;
    case kExit: CloseModule(); break;
    default: break;
    }
}

void OnSize(WPARAM type)
{
    const bool nowMinimized = type == SIZE_MINIMIZED;
    if (type != SIZE_MINIMIZED && type != SIZE_RESTORED && type != SIZE_MAXIMIZED)
        return;
    if (nowMinimized == g.minimized)
        return;
    g.minimized = nowMinimized;

    const Expect reached = nowMinimized ? Expect::Minimized : Expect::Restored;
    if (g.expect == reached) {
        g.expect = Expect::Nothing;
        return;
    }
    g.expect = Expect::Nothing;
    if (g.message)
        Send(nowMinimized ? kMinimize : kRestore);
}

void Paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    InflateRect(&rc, -4, -4);
    DrawEdge(dc, &rc, EDGE_ETCHED, BF_RECT);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(dc, g.nameFont);
    TextOutA(dc, 14, 10, kSelf.title, lstrlenA(kSelf.title));
    SelectObject(dc, g.textFont);
    const std::string line = std::string("Stand-in module of the Tymp Studio suite (") + kSelf.exeName + ")";
    TextOutA(dc, 14, 32, line.c_str(), (int)line.size());
    SelectObject(dc, old);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == g.message && g.message) {
        OnModuleMessage(wParam, lParam);
        return 0;
    }
    switch (msg) {
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_SIZE: OnSize(wParam); break;
    case WM_CLOSE: CloseModule(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HFONT MakeFont(int weight, int height)
{
    LOGFONTA lf = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfWeight = weight;
    lf.lfHeight = height;
    return CreateFontIndirectA(&lf);
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow)
{
    Log(std::string("start ") + GetCommandLineA());

    Font nameFont(MakeFont(FW_BOLD, -15));
    Font textFont(MakeFont(FW_NORMAL, -12));
    g.nameFont = nameFont.Get();
    g.textFont = textFont.Get();
    if (kSelf.player)
        g.message = RegisterWindowMessageA("WM_TYMP_BY_KVB_1");

    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);

    g.hwnd = CreateWindowExA(0, kClassName, kSelf.title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, kWidth,
                             kHeight, nullptr, nullptr, hInstance, nullptr);
    if (!g.hwnd) {
        Log("exit");
        return 1;
    }

    // However the starter asked us to show, that first state is not news to the bar.
    const bool startMinimized =
        nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINIMIZED || nCmdShow == SW_SHOWMINNOACTIVE;
    g.expect = startMinimized ? Expect::Minimized : Expect::Nothing;
    ShowWindow(g.hwnd, nCmdShow);
    g.expect = Expect::Nothing;
    g.minimized = IsIconic(g.hwnd) != FALSE;
    UpdateWindow(g.hwnd);

    if (g.message) {
        PostMessageA(HWND_BROADCAST, g.message, LowHandle(g.hwnd), kAttach);
        Log("sent 0 broadcast");
    }

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Log("exit");
    return (int)msg.wParam;
}
