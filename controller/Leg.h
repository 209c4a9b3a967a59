// A foot of the floating bar: a tiny shaped popup that shows one picture,
// cannot be closed, and keeps itself right behind the bar.
#ifndef CONTROLLER_LEG_H
#define CONTROLLER_LEG_H

#include "afx/CFrameWnd.h"
#include "afx/CPaintDC.h"

constexpr int LEG_WIDTH = 24;
constexpr int LEG_HEIGHT = 11;

class CLeg : public CFrameWnd {
public:
    CLeg() = default;
    CLeg(const RECT& rc, CWnd* pParent);
    ~CLeg() override;

    POINT m_aptShape[13] = {};

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    int OnCreate(LPCREATESTRUCTA pcs);
    void OnPaint();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnSysCommand(UINT nID, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void InitShape();
};

#endif
