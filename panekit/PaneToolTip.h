// One control's tooltip: a comctl32 tooltip window with a single tool, the
// whole control. The control relays its mouse messages to it, so the tip
// needs no subclassing of the control's window.
#ifndef PANEKIT_PANETOOLTIP_H
#define PANEKIT_PANETOOLTIP_H

#include <windows.h>

class CPaneToolTip {
public:
    CPaneToolTip() = default;
    ~CPaneToolTip() { Destroy(); }
    CPaneToolTip(const CPaneToolTip&) = delete;
    CPaneToolTip& operator=(const CPaneToolTip&) = delete;

    // Creates the tip for hTool on the first call with a text; later calls
    // replace the text at once, also while the tip is showing.
    void SetText(HWND hTool, LPCSTR pszText);
    void RelayEvent(HWND hTool, UINT message, WPARAM wParam, LPARAM lParam);
    void Destroy();

    HWND m_hWnd = nullptr;

private:
    BOOL Create(HWND hTool, LPCSTR pszText);
};

#endif
