#include "PaneModule.h"
#include <commctrl.h>

// The linker's symbol for this module's own base address.
extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE CPaneModule::Instance()
{
    return (HINSTANCE)&__ImageBase;
}

LPCSTR CPaneModule::ControlClass()
{
    static const char szClass[] = "PaneKitControl";
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(Instance(), szClass, &wc)) {
        // No CS_DBLCLKS: a quick second click is a second click, not a double one.
        // No background brush: every control paints all of itself.
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = Instance();
        wc.hCursor = ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW);
        wc.lpszClassName = szClass;
        ::RegisterClassA(&wc);
    }
    return szClass;
}

void CPaneModule::InitCommonControls()
{
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_BAR_CLASSES | ICC_ANIMATE_CLASS };
    ::InitCommonControlsEx(&icc);
}
