// A list box control of a dialog: a handle and the list messages under their
// framework names. The dialog owns the window; this object never destroys it.
#ifndef AFX_CLISTBOX_H
#define AFX_CLISTBOX_H

#include "CWnd.h"

class CListBox : public CWnd {
public:
    // Binds the control; it stays unbound to the handle map, so ~CWnd leaves it alone.
    void Bind(HWND hWndControl) { m_hWnd = hWndControl; }

    int AddString(LPCSTR psz) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)psz); }
    int DeleteString(int nIndex) { return (int)SendMessage(LB_DELETESTRING, (WPARAM)nIndex); }
    int GetCount() const { return (int)::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0); }
    int GetCurSel() const { return (int)::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0); }
    int SetCurSel(int nSelect) { return (int)SendMessage(LB_SETCURSEL, (WPARAM)nSelect); }
    int GetTextLen(int nIndex) const { return (int)::SendMessageA(m_hWnd, LB_GETTEXTLEN, (WPARAM)nIndex, 0); }
    // pszBuffer must hold GetTextLen(nIndex) + 1 characters.
    int GetText(int nIndex, LPSTR pszBuffer) const
    {
        return (int)::SendMessageA(m_hWnd, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)pszBuffer);
    }
};

#endif
