#include "WaveRecordingPage.h"
#include "SetupPSH.h"
#include "controller/ControllerDlg.h"
#include "res/resource.h"
#include <mmsystem.h>
#include <mmreg.h>

BEGIN_MESSAGE_MAP(CWaveRecordingPage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_CHANNEL, OnSelchangeChannel)
    ON_CBN_SELCHANGE(IDC_DATA_FORMAT, OnSelchangeDataFormat)
    ON_CBN_SELCHANGE(IDC_SAMPLE_RATE, OnSelchangeSampleRate)
    ON_CBN_SELCHANGE(IDC_DATA_BITS, OnSelchangeDataBits)
END_MESSAGE_MAP()

namespace {

// One entry of a list: its text and the value it stands for.
struct ListEntry {
    UINT nIDText;
    DWORD dwValue;
};

const ListEntry SAMPLE_RATES[] = {
    { IDS_11025HZ, 11025 },
    { IDS_22050HZ, 22050 },
    { IDS_44100HZ, 44100 },
};
const ListEntry DATA_BITS[] = {
    { IDS_4BIT, 4 },
    { IDS_8BIT, 8 },
    { IDS_16BIT, 16 },
};
const ListEntry DATA_FORMATS[] = {
    { IDS_PCM, WAVE_FORMAT_PCM },
    { IDS_ADPCM, WAVE_FORMAT_ADPCM },
    { IDS_ALAW, WAVE_FORMAT_ALAW },
    { IDS_MULAW, WAVE_FORMAT_MULAW },
};
const ListEntry CHANNELS[] = {
    { IDS_MONO, 1 },
    { IDS_STEREO, 2 },
};

enum { BITS_4, BITS_8, BITS_16 };
enum { FORMAT_PCM, FORMAT_ADPCM, FORMAT_ALAW, FORMAT_MULAW };

template <size_t N>
void FillList(CWnd& list, const ListEntry (&entries)[N])
{
    for (const ListEntry& entry : entries) {
        CString strText;
        strText.LoadString(entry.nIDText);
        list.SendMessage(CB_ADDSTRING, 0, (LPARAM)(LPCSTR)strText);
    }
}

// The index of the entry that stands for dwValue, or nDefault.
template <size_t N>
int IndexOf(const ListEntry (&entries)[N], DWORD dwValue, int nDefault)
{
    for (size_t i = 0; i < N; i++)
        if (entries[i].dwValue == dwValue)
            return (int)i;
    return nDefault;
}

// The value of the list's selected entry; FALSE when nothing in the table is selected.
template <size_t N>
BOOL SelectedValue(CWnd& list, const ListEntry (&entries)[N], int& nIndex, DWORD& dwValue)
{
    nIndex = (int)list.SendMessage(CB_GETCURSEL);
    if (nIndex < 0 || nIndex >= (int)N)
        return FALSE;
    dwValue = entries[nIndex].dwValue;
    return TRUE;
}

} // namespace

CWaveRecordingPage::CWaveRecordingPage() : CPropertyPage(IDD_WAVE_RECORDING)
{
    m_psp.dwFlags &= ~PSP_HASHELP;
}

CWaveRecordingPage::~CWaveRecordingPage() = default;

void CWaveRecordingPage::DoDataExchange()
{
    DDX_Control(IDC_DATA_BITS, m_cbDataBits);
    DDX_Control(IDC_SAMPLE_RATE, m_cbSampleRate);
    DDX_Control(IDC_DATA_FORMAT, m_cbDataFormat);
    DDX_Control(IDC_CHANNEL, m_cbChannel);
}

BOOL CWaveRecordingPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_pBar = SetupBarOf(GetSheetOwner());
    if (!m_pBar)
        return TRUE;

    FillList(m_cbSampleRate, SAMPLE_RATES);
    FillList(m_cbDataBits, DATA_BITS);
    FillList(m_cbDataFormat, DATA_FORMATS);
    FillList(m_cbChannel, CHANNELS);

    // Display only: a value the lists do not offer stays stored until the user picks another.
    const RECORDFORMAT& wfx = m_pBar->m_wfxRecord;
    m_cbSampleRate.SendMessage(CB_SETCURSEL, IndexOf(SAMPLE_RATES, wfx.nSamplesPerSec, 0));
    m_cbDataBits.SendMessage(CB_SETCURSEL, IndexOf(DATA_BITS, wfx.wBitsPerSample, -1));
    m_cbDataFormat.SendMessage(CB_SETCURSEL, IndexOf(DATA_FORMATS, wfx.wFormatTag, -1));
    m_cbChannel.SendMessage(CB_SETCURSEL, wfx.nChannels == 2 ? 1 : 0);
    return TRUE;
}

void CWaveRecordingPage::PostNcDestroy()
{
    CPropertyPage::PostNcDestroy();
    m_pBar = nullptr;
}

void CWaveRecordingPage::OnSelchangeChannel()
{
    int nIndex;
    DWORD dwValue;
    if (m_pBar && SelectedValue(m_cbChannel, CHANNELS, nIndex, dwValue))
        m_pBar->m_wfxRecord.nChannels = dwValue;
}

void CWaveRecordingPage::OnSelchangeSampleRate()
{
    int nIndex;
    DWORD dwValue;
    if (m_pBar && SelectedValue(m_cbSampleRate, SAMPLE_RATES, nIndex, dwValue))
        m_pBar->m_wfxRecord.nSamplesPerSec = dwValue;
}

void CWaveRecordingPage::OnSelchangeDataBits()
{
    int nIndex;
    DWORD dwValue;
    if (!m_pBar || !SelectedValue(m_cbDataBits, DATA_BITS, nIndex, dwValue))
        return;
    RECORDFORMAT& wfx = m_pBar->m_wfxRecord;
    wfx.wBitsPerSample = (WORD)dwValue;

    // The partner list is set from code, which sends no notification: no chain.
    int nFormat = -1;
    if (nIndex == BITS_4)
        nFormat = FORMAT_ADPCM;
    else if (nIndex == BITS_16)
        nFormat = FORMAT_PCM;
    else if (m_cbDataFormat.SendMessage(CB_GETCURSEL) == FORMAT_ADPCM)
        nFormat = FORMAT_PCM; // ADPCM is 4-bit only
    if (nFormat >= 0) {
        m_cbDataFormat.SendMessage(CB_SETCURSEL, nFormat);
        wfx.wFormatTag = (WORD)DATA_FORMATS[nFormat].dwValue;
    }
}

void CWaveRecordingPage::OnSelchangeDataFormat()
{
    int nIndex;
    DWORD dwValue;
    if (!m_pBar || !SelectedValue(m_cbDataFormat, DATA_FORMATS, nIndex, dwValue))
        return;
    RECORDFORMAT& wfx = m_pBar->m_wfxRecord;
    wfx.wFormatTag = (WORD)dwValue;

    int nBits = -1;
    if (nIndex == FORMAT_ADPCM)
        nBits = BITS_4;
    else if (nIndex == FORMAT_ALAW || nIndex == FORMAT_MULAW)
        nBits = BITS_8;
    if (nBits >= 0) {
        m_cbDataBits.SendMessage(CB_SETCURSEL, nBits);
        wfx.wBitsPerSample = (WORD)DATA_BITS[nBits].dwValue;
    }
}
