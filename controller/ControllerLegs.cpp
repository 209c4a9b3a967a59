// The floating bar's two feet: made with the bar, placed under it as it moves.
#include "controller/ControllerDlg.h"
#include "controller/Leg.h"
#include <new>

void CControllerDlg::OnMove(int, int)
{
    Default();
    CRect rc;
    GetWindowRect(&rc);
    // Only the floating bar measures 408 x 45: only floating positions are kept.
    if (rc.Width() == BAR_FLOAT_WIDTH && rc.Height() == BAR_FLOAT_HEIGHT) {
        m_rcFloat = rc;
        m_state.rcFloat = rc;
        PlaceLegs();
    }
}

void CControllerDlg::CreateLegs()
{
    for (std::unique_ptr<CLeg>& pLeg : m_pLeg)
        pLeg.reset(new (std::nothrow) CLeg(CRect(0, 0, LEG_WIDTH, LEG_HEIGHT), this));
}

void CControllerDlg::DestroyLegs()
{
    for (std::unique_ptr<CLeg>& pLeg : m_pLeg)
        pLeg.reset();
}

void CControllerDlg::SetLegsPos(const POINT* pptPos, UINT uFlags)
{
    for (int i = 0; i < 2; i++) {
        CLeg* pLeg = m_pLeg[i].get();
        if (pLeg && pLeg->m_hWnd)
            pLeg->SetWindowPos(m_hWnd, pptPos ? pptPos[i].x : 0, pptPos ? pptPos[i].y : 0, 0, 0,
                               uFlags | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CControllerDlg::PlaceLegs()
{
    CRect rc;
    GetWindowRect(&rc);
    const POINT aptPos[2] = { { rc.left + 19, rc.bottom - 2 }, { rc.left + 368, rc.bottom - 2 } };
    SetLegsPos(aptPos, SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void CControllerDlg::HideLegs()
{
    SetLegsPos(nullptr, SWP_NOMOVE | SWP_HIDEWINDOW);
}

void CControllerDlg::ShowLegs()
{
    if (IsWindowVisible())
        SetLegsPos(nullptr, SWP_NOMOVE | SWP_SHOWWINDOW);
}
