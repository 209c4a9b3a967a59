// Promises what a CD drive with no disc promises: one open at a time, across every process, holds it (as a
// player does), and while it is held every other open answers MCIERR_DEVICE_OPEN; with no disc it does nothing else.
// Wine has no CD audio, so the tests point the "CDAudio" MCI entry of their prefix at this DLL.
#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>

extern "C" LRESULT WINAPI DriverProc(DWORD_PTR dwDriverId, HDRVR hDriver, UINT uMsg, LPARAM lParam1, LPARAM lParam2);

namespace {

DWORD_PTR s_nLastId; // each open gets its own driver id
DWORD_PTR s_nHolderId; // the open of this process that holds the drive, if any
HANDLE s_hHeld; // exists, under its name, while any process holds the drive

LRESULT Hold(DWORD_PTR nId)
{
    const HANDLE hHeld = CreateEventA(nullptr, TRUE, FALSE, "FakeCdAudio drive held");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(hHeld);
        return MCIERR_DEVICE_OPEN;
    }
    s_hHeld = hHeld;
    s_nHolderId = nId;
    return 0;
}

LRESULT Release(DWORD_PTR nId)
{
    if (nId == s_nHolderId && s_hHeld) {
        CloseHandle(s_hHeld);
        s_hHeld = nullptr;
    }
    return 0;
}

} // namespace

extern "C" LRESULT WINAPI DriverProc(DWORD_PTR dwDriverId, HDRVR hDriver, UINT uMsg, LPARAM lParam1, LPARAM lParam2)
{
    switch (uMsg) {
    case DRV_CLOSE: return 1;
    case DRV_OPEN:
        // An MCI open passes its parameters; a plain OpenDriver passes none.
        if (lParam2) {
            auto* open = reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(lParam2);
            open->wType = MCI_DEVTYPE_CD_AUDIO;
            open->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
        }
        return ++s_nLastId;
    case MCI_OPEN_DRIVER: return Hold(dwDriverId);
    case MCI_CLOSE_DRIVER: return Release(dwDriverId);
    default: break;
    }
    // Every other MCI command: the drive can do nothing without a disc. Loading and the like as by default.
    if (uMsg > MCI_CLOSE_DRIVER && uMsg <= MCI_LAST)
        return MCIERR_UNSUPPORTED_FUNCTION;
    return DefDriverProc(dwDriverId, hDriver, uMsg, lParam1, lParam2);
}
