// The Setup sheet's third page: the format in which the suite's wave player
// records. Two cross rules keep the data bits and the data format a pair
// the lists allow; they set the partner list from code, so they never chain.
#ifndef SETTINGS_WAVERECORDINGPAGE_H
#define SETTINGS_WAVERECORDINGPAGE_H

#include "afx/CPropertyPage.h"

class CControllerDlg;

class CWaveRecordingPage : public CPropertyPage {
public:
    CWaveRecordingPage();
    ~CWaveRecordingPage() override;

    CWnd m_cbDataBits;
    CWnd m_cbSampleRate;
    CWnd m_cbDataFormat;
    CWnd m_cbChannel;

    DECLARE_MESSAGE_MAP()

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;

    void OnSelchangeChannel();
    void OnSelchangeDataFormat();
    void OnSelchangeSampleRate();
    void OnSelchangeDataBits();

private:
    CControllerDlg* m_pBar = nullptr;
};

#endif
