// A frame window: a popup or overlapped window of the framework's own
// class, with a sunken client edge, that deletes its object after its last
// message unless the object is being deleted already or is owned elsewhere.
#ifndef AFX_CFRAMEWND_H
#define AFX_CFRAMEWND_H

#include "CWnd.h"

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    BOOL Create(LPCSTR pszClassName, LPCSTR pszTitle, DWORD dwStyle, const RECT& rc, CWnd* pParent = nullptr,
                LPCSTR pszMenu = nullptr, DWORD dwExStyle = 0);

    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;

    // The class of frame windows that name none of their own.
    static LPCSTR DefaultClassName();

protected:
    // Cleared by a frame whose owner keeps its object beyond the window.
    BOOL m_bAutoDelete = TRUE;
};

#endif
