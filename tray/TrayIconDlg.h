// The notification-icon copy of the program: a hidden dialog that owns the
// icon and its menu, which start the bar and the modules again. It ends
// when a bar starts.
#ifndef TRAY_TRAYICONDLG_H
#define TRAY_TRAYICONDLG_H

#include "afx/Afx.h"
#include "controller/ModulePaths.h"

class CTrayIconDlg : public CDialog, public ModulePaths {
public:
    explicit CTrayIconDlg(CWnd* pParent);
    ~CTrayIconDlg() override;

    BOOL OnInitDialog() override;

    HICON m_hIcon = nullptr;
    HMENU m_menu = nullptr;
    HMENU m_hPopupMenu = nullptr;

protected:
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnCloseInstance(WPARAM, LPARAM);
    LRESULT OnTaskbarCreated(WPARAM, LPARAM);
    void OnStartController();
    void OnVolumeControl();
    void OnCDPlayer();
    void OnWavePlayer();
    void OnMidiPlayer();
    void OnWaveEditor();
    void OnMidiTracker();
    void OnAbout();
    void OnExit();
    // Enter, Escape and Alt+F4 end the copy as Exit does, taking the icon along.
    void OnOK() override { OnExit(); }
    void OnCancel() override { OnExit(); }

    DECLARE_MESSAGE_MAP()

private:
    void AddIcon();
    void DeleteIcon();
};

#endif
