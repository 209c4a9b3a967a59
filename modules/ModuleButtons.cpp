// The bar's controls: where each sits in each orientation, and making them.
#include "controller/ControllerDlg.h"
#include "panekit/PaneKit.h"
#include "res/resource.h"
#include <cstring>
#include <new>

namespace {

// left, top, right, bottom per orientation: floating, top or bottom, left or right.
// Only left and top place a control; it takes its size from its bitmap.
const RECT s_rcLogo[3] = { { 9, 9, 63, 59 }, { 9, 2, 63, 59 }, { 2, 4, 14, 14 } };
const RECT s_rcAnim[3] = { { 4, 13, 14, 14 }, { 4, 6, 14, 14 }, { 5, 4, 14, 14 } };
const RECT s_rcAnimFrame[3] = { { 36, 3, 54, 18 }, { 36, 3, 54, 18 }, { 3, 36, 18, 54 } };
const RECT s_rcSetup[3] = { { 66, 13, 99, 20 }, { 86, 6, 99, 20 }, { 4, 86, 20, 99 } };
const RECT s_rcLaunchApps[3] = { { 94, 13, 129, 20 }, { 116, 6, 129, 20 }, { 4, 116, 20, 129 } };
const RECT s_rcHelp[3] = { { 274, 13, 354, 12 }, { 294, 6, 354, 12 }, { 4, 294, 354, 12 } };
const RECT s_rcMinimize[3] = { { 296, 13, 368, 12 }, { 324, 6, 368, 12 }, { 4, 324, 368, 12 } };
const RECT s_rcExit[3] = { { 321, 13, 382, 12 }, { 354, 6, 382, 12 }, { 4, 354, 382, 12 } };

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
    RECT(*apRects[MODULE_COUNT])[3] = { &m_rcVolume, &m_rcCD, &m_rcWave, &m_rcMidi };
    int x = MODULE_BUTTON_FIRST_X - MODULE_BUTTON_STEP;
    for (int i = 0; i < MODULE_COUNT; i++) {
        RECT(&rc)[3] = *apRects[i];
        for (RECT& r : rc)
            SetRectEmpty(&r);
        if (i == MODULE_VOLUME || HasModuleDevice(i))
            x += MODULE_BUTTON_STEP;
        if (HasModuleDevice(i))
            SetButtonRects(rc, x, i);
    }
}

std::unique_ptr<C3sBmButton> CControllerDlg::CreateButton(UINT nID, const RECT& rc, UINT nIDBitmap, UINT nIDToolTip)
{
    CString strTip;
    strTip.LoadString(nIDToolTip);
    std::unique_ptr<C3sBmButton> pButton(new (std::nothrow)
                                             C3sBmButton(nID, rc, this, nIDBitmap, strTip, 0, 0, nullptr, 1, 1));
    if (pButton)
        pButton->SetButtonCursor(m_hButtonCursor, m_hButtonDownCursor);
    return pButton;
}

void CControllerDlg::CreateControls(int nOrientation)
{
    const int o = nOrientation >= 0 && nOrientation <= 2 ? nOrientation : 0;
    m_pMinimizeButton = CreateButton(ID_MINIMIZE_BUTTON, m_rcMinimize[o], BITMAP_MINIMIZE_BUTTON,
                                     m_nModulesMinimized ? IDS_RESTORE_MODULES : IDS_MINIMIZE_MODULES);
    m_pExitButton = CreateButton(ID_EXIT_BUTTON, m_rcExit[o], BITMAP_EXIT_BUTTON, IDS_EXIT_TIP);
    m_pHelpButton = CreateButton(ID_HELP, m_rcHelp[o], BITMAP_HELP_BUTTON, IDS_HELP_TIP);

    CreateLogo(o);
    m_pSetupButton = CreateButton(ID_SETUP_BUTTON, m_rcSetup[o], BITMAP_SETUP_BUTTON, IDS_SETUP_TIP);
    m_pLaunchAppsButton =
        CreateButton(ID_LAUNCHAPPS_BUTTON, m_rcLaunchApps[o], BITMAP_LAUNCHAPPS_BUTTON, IDS_LAUNCHAPPS_TIP);
    CreateModuleButtons(o);
}

// The animated logo for the maker's own cards, a still picture for others.
void CControllerDlg::CreateLogo(int o)
{
    static const UINT s_anStillLogo[3] = { BITMAP_STILL_LOGO_FLOAT, BITMAP_STILL_LOGO_HORZ, BITMAP_STILL_LOGO_VERT };

    if (m_strCompanyLocal == "MARVIK") {
        CString strTip;
        strTip.LoadString(IDS_LOGO_TIP);
        m_pLogoAnim.reset(new (std::nothrow) CAviArea(
            ID_LOGO, m_rcAnim[o], m_rcAnimFrame[o], o == ORIENT_VERT ? BITMAP_LOGO_VERT : BITMAP_LOGO_HORZ,
            o == ORIENT_VERT ? AVI_LOGO_VERT : AVI_LOGO_HORZ, this, strTip, 0, nullptr, 1, 1));
        if (m_pLogoAnim)
            m_pLogoAnim->SetButtonCursor(m_hButtonCursor);
    } else {
        m_pLogoArea.reset(new (std::nothrow)
                              CBmArea(ID_LOGO, m_rcLogo[o], this, s_anStillLogo[o], nullptr, 0, nullptr, 1, 1));
        if (m_pLogoArea)
            m_pLogoArea->SetButtonCursor(m_hButtonCursor);
    }
}

void CControllerDlg::CreateModuleButtons(int o)
{
    // No module has a button without a mixer.
    if (!m_bHasMixer)
        return;
    static const struct {
        std::unique_ptr<C3sBmButton> CControllerDlg::*pButton;
        RECT (CControllerDlg::*pRects)[3];
        UINT nID;
        UINT nIDBitmap;
    } s_modules[MODULE_COUNT] = {
        { &CControllerDlg::m_pVolumeButton, &CControllerDlg::m_rcVolume, ID_VOLUME_BUTTON, BITMAP_VOLUME_BUTTON },
        { &CControllerDlg::m_pCDButton, &CControllerDlg::m_rcCD, ID_CDPLAYER_BUTTON, BITMAP_CDPLAYER_BUTTON },
        { &CControllerDlg::m_pWaveButton, &CControllerDlg::m_rcWave, ID_WAVEPLAYER_BUTTON, BITMAP_WAVEPLAYER_BUTTON },
        { &CControllerDlg::m_pMidiButton, &CControllerDlg::m_rcMidi, ID_MIDIPLAYER_BUTTON, BITMAP_MIDIPLAYER_BUTTON },
    };
    for (int i = 0; i < MODULE_COUNT; i++) {
        if (!HasModuleDevice(i))
            continue;
        UINT nIDTip = m_bLaunchModule[i] ? IDS_LAUNCH_VOLUME + i : IDS_REMOVE_VOLUME + i;
        this->*s_modules[i].pButton =
            CreateButton(s_modules[i].nID, (this->*s_modules[i].pRects)[o], s_modules[i].nIDBitmap, nIDTip);
    }
}

void CControllerDlg::DestroyControls()
{
    // In this order, at a change of orientation and when the bar goes.
    m_pMinimizeButton.reset();
    m_pExitButton.reset();
    m_pHelpButton.reset();
    m_pLogoAnim.reset();
    m_pLogoArea.reset();
    m_pSetupButton.reset();
    m_pLaunchAppsButton.reset();
    m_pVolumeButton.reset();
    m_pCDButton.reset();
    m_pWaveButton.reset();
    m_pMidiButton.reset();
}

C3sBmButton* CControllerDlg::ModuleButton(UINT nModule) const
{
    C3sBmButton* const apButton[MODULE_COUNT] = { m_pVolumeButton.get(), m_pCDButton.get(), m_pWaveButton.get(),
                                                  m_pMidiButton.get() };
    return nModule < MODULE_COUNT ? apButton[nModule] : nullptr;
}

void CControllerDlg::SetMinimizeToolTip()
{
    if (!m_pMinimizeButton)
        return;
    CString strTip;
    strTip.LoadString(m_nModulesMinimized ? IDS_RESTORE_MODULES : IDS_MINIMIZE_MODULES);
    m_pMinimizeButton->SetToolTip(strTip);
}
