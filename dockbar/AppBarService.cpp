#include "AppBarService.h"

PFNAPPBARMESSAGE g_pfnAppBarMessage = SHAppBarMessage;
