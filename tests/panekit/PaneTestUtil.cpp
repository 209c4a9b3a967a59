#include "PaneTestUtil.h"
#include <cstdio>

namespace {

void RunXdotool(const std::string& strArgs)
{
    std::string strCmd = "Z:\\usr\\bin\\xdotool " + strArgs;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &strCmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return;
    // Wine starts a Unix program without giving back handles (the rest of
    // pi is garbage then), so the callers wait for the effect instead.
    if (pi.hProcess) {
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

bool LeftButtonIsDown()
{
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

} // namespace

bool MoveMouseToScreen(int x, int y)
{
    char sz[48];
    snprintf(sz, sizeof sz, "mousemove %d %d", x, y);
    RunXdotool(sz);
    bool bThere = PumpUntil([&] {
        POINT pt;
        return GetCursorPos(&pt) && pt.x == x && pt.y == y;
    }, 3000);
    // Let the window under the pointer see the move.
    PumpFor(50);
    return bThere;
}

bool MoveMouseTo(HWND hWnd, int x, int y)
{
    POINT pt = { x, y };
    ClientToScreen(hWnd, &pt);
    return MoveMouseToScreen(pt.x, pt.y);
}

bool MouseDown()
{
    RunXdotool("mousedown 1");
    bool bDown = PumpUntil(LeftButtonIsDown, 3000);
    PumpFor(50);
    return bDown;
}

bool MouseUp()
{
    RunXdotool("mouseup 1");
    bool bUp = PumpUntil([] { return !LeftButtonIsDown(); }, 3000);
    PumpFor(50);
    return bUp;
}

bool ClickAt(HWND hWnd, int x, int y)
{
    return MoveMouseTo(hWnd, x, y) && MouseDown() && MouseUp();
}

void ParkMouse()
{
    MoveMouseToScreen(1000, 740);
}

namespace {

Pixels ReadDIB(HDC hDC, HBITMAP hBitmap, int cx, int cy)
{
    Pixels pixels((size_t)cx * cy);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    GetDIBits(hDC, hBitmap, 0, cy, pixels.data(), &bmi, DIB_RGB_COLORS);
    for (DWORD& px : pixels)
        px &= 0xFFFFFF;
    return pixels;
}

} // namespace

Pixels ScreenPixels(HWND hWnd, const RECT& rc)
{
    POINT pt = { rc.left, rc.top };
    ClientToScreen(hWnd, &pt);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, cx, cy);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    BitBlt(hMem, 0, 0, cx, cy, hScreen, pt.x, pt.y, SRCCOPY);
    SelectObject(hMem, hOld);
    Pixels pixels = ReadDIB(hMem, hBitmap, cx, cy);
    DeleteObject(hBitmap);
    DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
    return pixels;
}

Pixels BitmapPixels(UINT nIDBitmap, int x, int y, int cx, int cy)
{
    HBITMAP hBitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDBitmap));
    BITMAP bm = {};
    GetObjectA(hBitmap, sizeof bm, &bm);
    HDC hScreen = GetDC(nullptr);
    Pixels all = ReadDIB(hScreen, hBitmap, bm.bmWidth, bm.bmHeight);
    ReleaseDC(nullptr, hScreen);
    DeleteObject(hBitmap);
    Pixels part;
    for (int row = y; row < y + cy; row++)
        for (int col = x; col < x + cx; col++)
            part.push_back(row < bm.bmHeight && col < bm.bmWidth ? all[(size_t)row * bm.bmWidth + col] : 0xFF000000);
    return part;
}

int CountDifferences(const Pixels& a, const Pixels& b, int cx, std::string* pstrFirst)
{
    int nDiff = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i++) {
        if (a[i] == b[i])
            continue;
        if (nDiff++ == 0 && pstrFirst) {
            char sz[96];
            snprintf(sz, sizeof sz, "first at (%d,%d): %06lx vs %06lx",
                     (int)(i % cx), (int)(i / cx), a[i], b[i]);
            *pstrFirst = sz;
        }
    }
    if (a.size() != b.size())
        nDiff += 1000000;
    return nDiff;
}

CTestParent::CTestParent(int x, int y, int cx, int cy)
{
    static const char szClass[] = "PaneKitTestParent";
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), szClass, &wc)) {
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = szClass;
        RegisterClassA(&wc);
    }
    CreateEx(WS_EX_TOPMOST, szClass, "PaneKit test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
             CRect(x, y, x + cx, y + cy), nullptr, nullptr);
    UpdateWindow();
}

CTestParent::~CTestParent()
{
    DestroyWindow();
}

BEGIN_MESSAGE_MAP(CTestParent, CWnd)
    ON_MESSAGE(WM_COMMAND, OnCommand)
END_MESSAGE_MAP()

LRESULT CTestParent::OnCommand(WPARAM wParam, LPARAM lParam)
{
    m_commands.push_back({ wParam, (HWND)lParam });
    return 0;
}
