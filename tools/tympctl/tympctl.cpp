// A small command-line remote for scripts: waits for the bar and closes it
// the way a user would, through its system menu's close command.
//
//   tympctl wait TITLE [SECONDS]    wait until a window with that title shows
//   tympctl close TITLE [SECONDS]   send it SC_CLOSE and wait until it is gone
//   tympctl post TITLE MSG WPARAM LPARAM   post a message to it, shown or not
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static HWND WaitForWindow(const char* pszTitle, DWORD dwTimeout, bool bVisible)
{
    DWORD t0 = GetTickCount();
    do {
        HWND hWnd = FindWindowA(nullptr, pszTitle);
        if (hWnd && (!bVisible || IsWindowVisible(hWnd)))
            return hWnd;
        Sleep(100);
    } while (GetTickCount() - t0 < dwTimeout);
    return nullptr;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: tympctl wait|close TITLE [SECONDS] | post TITLE MSG WPARAM LPARAM\n");
        return 2;
    }
    if (strcmp(argv[1], "post") == 0 && argc == 6) {
        HWND hWnd = FindWindowA(nullptr, argv[2]);
        return hWnd && PostMessageA(hWnd, strtoul(argv[3], nullptr, 0), strtoul(argv[4], nullptr, 0),
                                    strtol(argv[5], nullptr, 0)) ? 0 : 1;
    }
    DWORD dwTimeout = (argc > 3 ? atoi(argv[3]) : 30) * 1000;
    HWND hWnd = WaitForWindow(argv[2], dwTimeout, true);
    if (!hWnd) {
        fprintf(stderr, "tympctl: no window \"%s\"\n", argv[2]);
        return 1;
    }
    if (strcmp(argv[1], "wait") == 0)
        return 0;
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
