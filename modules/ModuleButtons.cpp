// The bar's controls: where each sits in each orientation, and making them.
#include "controller/ControllerDlg.h"
#include <cstring>

namespace {

// left, top, right, bottom per orientation: floating, top or bottom, left or right.
// Only left and top place a control; it takes its size from its bitmap.
const RECT s_rcLogo[3]         = { { 9, 9, 63, 59 },   { 9, 2, 63, 59 },    { 2, 4, 14, 14 } };
const RECT s_rcAnim[3]         = { { 4, 13, 14, 14 },  { 4, 6, 14, 14 },    { 5, 4, 14, 14 } };
const RECT s_rcAnimFrame[3]    = { { 36, 3, 54, 18 },  { 36, 3, 54, 18 },   { 3, 36, 18, 54 } };
const RECT s_rcSetup[3]        = { { 66, 13, 99, 20 }, { 86, 6, 99, 20 },   { 4, 86, 20, 99 } };
const RECT s_rcLaunchApps[3]   = { { 94, 13, 129, 20 },{ 116, 6, 129, 20 }, { 4, 116, 20, 129 } };
const RECT s_rcHelp[3]         = { { 274, 13, 354, 12 },{ 294, 6, 354, 12 },{ 4, 294, 354, 12 } };
const RECT s_rcMinimize[3]     = { { 296, 13, 368, 12 },{ 324, 6, 368, 12 },{ 4, 324, 368, 12 } };
const RECT s_rcExit[3]         = { { 321, 13, 382, 12 },{ 354, 6, 382, 12 },{ 4, 354, 382, 12 } };

const int MODULE_BUTTON_FIRST_X = 159;
const int MODULE_BUTTON_STEP = 30;
// How far left of its docked position each module button sits on the floating bar.
const int s_anFloatShift[MODULE_COUNT] = { 25, 23, 21, 19 };

void CopyRects(RECT (&rcTo)[3], const RECT (&rcFrom)[3])
{
    memcpy(rcTo, rcFrom, sizeof rcTo);
}

void SetButtonRects(RECT (&rc)[3], int x, int nModule)
{
    SetRect(&rc[0], x - s_anFloatShift[nModule], 13, x + 24, 20);
    SetRect(&rc[1], x, 6, x + 24, 20);
    SetRect(&rc[2], 4, x, 16, x + 24);
}

} // namespace

void CControllerDlg::SetFixedRects()
{
    CopyRects(m_rcLogo, s_rcLogo);
    CopyRects(m_rcAnim, s_rcAnim);
    CopyRects(m_rcAnimFrame, s_rcAnimFrame);
    CopyRects(m_rcSetup, s_rcSetup);
    CopyRects(m_rcLaunchApps, s_rcLaunchApps);
    CopyRects(m_rcHelp, s_rcHelp);
    CopyRects(m_rcMinimize, s_rcMinimize);
    CopyRects(m_rcExit, s_rcExit);
}

// The Volume Control button sits at x 159; each player whose device is
// present takes the next place, 30 pixels on.
void CControllerDlg::SetModuleButtonRects()
{
    RECT (*apRects[MODULE_COUNT])[3] = { &m_rcVolume, &m_rcCD, &m_rcWave, &m_rcMidi };
    int x = MODULE_BUTTON_FIRST_X - MODULE_BUTTON_STEP;
    for (int i = 0; i < MODULE_COUNT; i++) {
        RECT (&rc)[3] = *apRects[i];
        for (RECT& r : rc)
            SetRectEmpty(&r);
        if (i == MODULE_VOLUME || HasModuleDevice(i))
            x += MODULE_BUTTON_STEP;
        if (HasModuleDevice(i))
            SetButtonRects(rc, x, i);
    }
}

// Stands in for the control set until the control library is in place.
void CControllerDlg::CreateControls(int)
{
}

void CControllerDlg::DestroyControls()
{
}
