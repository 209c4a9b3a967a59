// The framework layer: application object, windows, dialogs, strings.
#ifndef AFX_AFX_H
#define AFX_AFX_H

#include "AfxTypes.h"
#include "CString.h"
#include "CCmdTarget.h"
#include "AfxMsgMap.h"
#include "CWnd.h"
#include "CDialog.h"
#include "CWinApp.h"

#endif
