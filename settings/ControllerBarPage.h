// The Setup sheet's first page: always-on-top, auto-hide, taskbar
// coordination and the notification icon on quit, with a picture that
// previews the first two.
#ifndef SETTINGS_CONTROLLERBARPAGE_H
#define SETTINGS_CONTROLLERBARPAGE_H

#include "afx/CPropertyPage.h"

class CControllerDlg;

class CControllerBarPage : public CPropertyPage {
public:
    CControllerBarPage();
    ~CControllerBarPage() override;

    CWnd m_chkCoordinate;
    CWnd m_chkInsertIcon;
    CWnd m_chkAutoHide;
    CWnd m_chkAlwaysOnTop;
    CWnd m_picWindow;
    CWnd m_picDesktop;
    CWnd m_picBar;

    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;

    void OnCheckAlwaysOnTop();
    void OnCheckAutoHide();
    void OnCheckInsertIcon();
    void OnCheckCoordinate();

private:
    void SetPicture(CWnd& picture, UINT nIDBitmap, HBITMAP& hbmOwned);
    void DeletePictures();

    CControllerDlg* m_pBar = nullptr;
    // The pictures' bitmaps; a static control never deletes what it is given.
    HBITMAP m_hbmBar = nullptr;
    HBITMAP m_hbmDesktop = nullptr;
    HBITMAP m_hbmWindow = nullptr;
};

#endif
