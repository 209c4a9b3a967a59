// The two modules the controls deal with: PaneKit.dll, which owns the
// window class and the About template, and the program, which owns the
// pictures, the animations and the cursors.
#ifndef PANEKIT_PANEMODULE_H
#define PANEKIT_PANEMODULE_H

#include <windows.h>

class CPaneModule {
public:
    static HINSTANCE Instance();
    static HINSTANCE AppInstance() { return ::GetModuleHandleA(nullptr); }
    // The class every PaneKit control is made of, registered on first use.
    static LPCSTR ControlClass();
    static void InitCommonControls();
};

#endif
