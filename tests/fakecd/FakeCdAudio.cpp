// An MCI driver that answers like a CD drive holding no disc. Wine has no CD
// audio, so the tests point the "CDAudio" MCI entry of their prefix at this
// DLL to run the bar's CD code paths for real.
#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>

extern "C" LRESULT WINAPI DriverProc(DWORD_PTR dwDriverId, HDRVR hDriver, UINT uMsg, LPARAM lParam1, LPARAM lParam2);

namespace {

// Any non-zero value names the open driver instance; there is no state to keep.
constexpr DWORD_PTR kDriverId = 1;

// The one question with an answer: no disc is in the drive.
LRESULT Status(LPARAM flags, LPARAM parms)
{
    auto* status = reinterpret_cast<MCI_STATUS_PARMS*>(parms);
    if (!status || !(flags & MCI_STATUS_ITEM) || status->dwItem != MCI_STATUS_MEDIA_PRESENT)
        return MCIERR_UNSUPPORTED_FUNCTION;
    status->dwReturn = MAKEMCIRESOURCE(FALSE, MCI_FALSE);
    return MCI_RESOURCE_RETURNED;
}

} // namespace

extern "C" LRESULT WINAPI DriverProc(DWORD_PTR dwDriverId, HDRVR hDriver, UINT uMsg, LPARAM lParam1, LPARAM lParam2)
{
    switch (uMsg) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_CLOSE: return 1;
    case DRV_OPEN:
        // An MCI open passes its parameters; a plain OpenDriver passes none.
        if (lParam2) {
            auto* open = reinterpret_cast<MCI_OPEN_DRIVER_PARMS*>(lParam2);
            open->wType = MCI_DEVTYPE_CD_AUDIO;
            open->wCustomCommandTable = MCI_NO_COMMAND_TABLE;
        }
        return kDriverId;
    case DRV_QUERYCONFIGURE: return 0;
    case MCI_OPEN_DRIVER:
    case MCI_CLOSE_DRIVER: return 0;
    case MCI_STATUS: return Status(lParam1, lParam2);
    default: break;
    }
    // Every other MCI command: the drive can do nothing without a disc.
    if (uMsg > MCI_CLOSE_DRIVER && uMsg <= MCI_LAST)
        return MCIERR_UNSUPPORTED_FUNCTION;
    return DefDriverProc(dwDriverId, hDriver, uMsg, lParam1, lParam2);
}
