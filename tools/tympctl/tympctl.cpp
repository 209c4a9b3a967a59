// A small command-line remote for scripts: waits for the bar and its windows,
// tells where they are, and closes the bar the way a user would, through its
// system menu's close command.
//
//   tympctl wait TITLE [SECONDS]    wait until a window with that title shows
//   tympctl rect TITLE [SECONDS]    the same, then let it paint and print the part of it
//                                   on the screen as WxH+X+Y
//   tympctl gone TITLE [SECONDS]    wait until no window with that title shows
//   tympctl close TITLE [SECONDS]   send it SC_CLOSE and wait until it is gone
//   tympctl post TITLE MSG WPARAM LPARAM   post a message to it, shown or not
//   tympctl send TITLE MSG WPARAM LPARAM   send it one and wait for the answer
//
// A TITLE beginning with '#' is a window class instead: "#32768" is a menu.
// The bar's start-up progress window carries the bar's title; while it is
// there, no window with that title counts as shown.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static const char BAR_TITLE[] = "Tymp Studio 3.0";

struct Search {
    const char* pszTitle;
    HWND hAny, hShown;
    bool bProgress;
};

static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
{
    Search& s = *(Search*)lParam;
    char sz[256] = "";
    if (s.pszTitle[0] == '#')
        GetClassNameA(hWnd, sz, sizeof sz);
    else
        GetWindowTextA(hWnd, sz, sizeof sz);
    if (strcmp(sz, s.pszTitle) != 0)
        return TRUE;
    if (!s.hAny)
        s.hAny = hWnd;
    if (strcmp(sz, BAR_TITLE) == 0 && GetDlgItem(hWnd, 1001)) // the progress window's status line
        s.bProgress = true;
    else if (!s.hShown && IsWindowVisible(hWnd))
        s.hShown = hWnd;
    return TRUE;
}

static Search Find(const char* pszTitle)
{
    Search s = { pszTitle, nullptr, nullptr, false };
    EnumWindows(Visit, (LPARAM)&s);
    return s;
}

static HWND WaitForWindow(const char* pszTitle, DWORD dwTimeout, bool bShown)
{
    DWORD t0 = GetTickCount();
    do {
        Search s = Find(pszTitle);
        HWND hShown = s.bProgress ? nullptr : s.hShown;
        if (bShown == (hShown != nullptr))
            return bShown ? hShown : GetDesktopWindow();
        Sleep(100);
    } while (GetTickCount() - t0 < dwTimeout);
    return nullptr;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: tympctl wait|rect|gone|close TITLE [SECONDS] | post|send TITLE MSG WPARAM LPARAM\n");
        return 2;
    }
    const bool bPost = strcmp(argv[1], "post") == 0, bSend = strcmp(argv[1], "send") == 0;
    if ((bPost || bSend) && argc == 6) {
        HWND hWnd = Find(argv[2]).hAny;
        UINT uMsg = strtoul(argv[3], nullptr, 0);
        WPARAM wParam = strtoul(argv[4], nullptr, 0);
        LPARAM lParam = strtol(argv[5], nullptr, 0);
        DWORD_PTR dwResult;
        if (bPost)
            return hWnd && PostMessageA(hWnd, uMsg, wParam, lParam) ? 0 : 1;
        return hWnd && SendMessageTimeoutA(hWnd, uMsg, wParam, lParam, SMTO_NORMAL, 30000, &dwResult) ? 0 : 1;
    }
    DWORD dwTimeout = (argc > 3 ? atoi(argv[3]) : 30) * 1000;
    const bool bGone = strcmp(argv[1], "gone") == 0;
    HWND hWnd = WaitForWindow(argv[2], dwTimeout, !bGone);
    if (!hWnd) {
        fprintf(stderr, bGone ? "tympctl: \"%s\" still shows\n" : "tympctl: no window \"%s\"\n", argv[2]);
        return 1;
    }
    if (strcmp(argv[1], "wait") == 0 || bGone)
        return 0;
    if (strcmp(argv[1], "rect") == 0) {
        // Paints what is pending now, in the window's own thread, before this answers.
        RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT rcScreen = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) }, rc;
        GetWindowRect(hWnd, &rc);
        IntersectRect(&rc, &rc, &rcScreen);
        printf("%ldx%ld+%ld+%ld\n", rc.right - rc.left, rc.bottom - rc.top, rc.left, rc.top);
        return 0;
    }
    if (strcmp(argv[1], "close") != 0)
        return 2;

    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    HANDLE hProcess = OpenProcess(SYNCHRONIZE, FALSE, dwProcess);
    PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD dwResult = hProcess ? WaitForSingleObject(hProcess, dwTimeout) : WAIT_FAILED;
    if (hProcess)
        CloseHandle(hProcess);
    return dwResult == WAIT_OBJECT_0 ? 0 : 1;
}
