// Helpers for the PaneKit tests: a message pump, real mouse input through
// xdotool, screen and bitmap pixels, and a parent window that records the
// commands its children send.
#ifndef TESTS_PANEKIT_PANETESTUTIL_H
#define TESTS_PANEKIT_PANETESTUTIL_H

#include "afx/CWnd.h"
#include "../unit/Pump.h"
#include <functional>
#include <string>
#include <vector>


// Real pointer input through xdotool on the test's X display. Each waits
// until Wine has seen the change and answers whether it did.
bool MoveMouseToScreen(int x, int y);
bool MoveMouseTo(HWND hWnd, int x, int y);      // a point of hWnd's client area
bool MouseDown();
bool MouseUp();
bool ClickAt(HWND hWnd, int x, int y);
// Moves the pointer off every test window.
void ParkMouse();

// Pixels as 0x00RRGGBB, row by row.
typedef std::vector<DWORD> Pixels;
// What the screen shows of hWnd's client rectangle rc.
Pixels ScreenPixels(HWND hWnd, const RECT& rc);
// The cx by cy part at (x, y) of one of the program's bitmaps.
Pixels BitmapPixels(UINT nIDBitmap, int x, int y, int cx, int cy);
// How many pixels differ; the first difference in pstrFirst.
int CountDifferences(const Pixels& a, const Pixels& b, int cx, std::string* pstrFirst = nullptr);

struct Command {
    WPARAM wParam;
    HWND hWndFrom;
};

// A top-level window to put controls on; keeps every WM_COMMAND it gets.
class CTestParent : public CWnd {
public:
    CTestParent(int x, int y, int cx, int cy);
    ~CTestParent() override;
    std::vector<Command> m_commands;

protected:
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

#endif
