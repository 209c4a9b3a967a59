// PaneKit.dll: the bar's buttons, logo areas and About box.
#ifndef PANEKIT_PANEKIT_H
#define PANEKIT_PANEKIT_H

#include "panekit/3sBmButton.h"
#include "panekit/BmArea.h"
#include "panekit/AviArea.h"
#include "panekit/AboutDlg.h"

#endif
