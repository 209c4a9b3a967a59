// The Wave Recording Format page: what it shows for the stored format, the
// cross rules between data bits and data format, and what OK stores.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "SetupSheetDriver.h"
#include "TestUtil.h"
#include "settings/RegistryKeys.h"
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <mmreg.h>

namespace {

enum { RATE_11025, RATE_22050, RATE_44100 };
enum { BITS_4, BITS_8, BITS_16 };
enum { FORMAT_PCM, FORMAT_ADPCM, FORMAT_ALAW, FORMAT_MULAW };
enum { CHANNEL_MONO, CHANNEL_STEREO };

struct Stored {
    DWORD nSamplesPerSec, wBitsPerSample, wFormatTag, nChannels;
};

class SetupRecording : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteSuiteKeys();
        m_pBar = StartBar();
    }
    void TearDown() override
    {
        m_pBar.reset();
        DeleteSuiteKeys();
    }

    // Stores a format as the wave player would and lets the bar read it.
    void Store(const Stored& s)
    {
        HKEY hKey;
        RegCreateKeyExA(HKEY_CURRENT_USER, REGKEY_WAVEPLAYER, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr);
        const std::pair<const char*, DWORD> values[] = {
            { "nSamplesPerSec", s.nSamplesPerSec }, { "wBitsPerSample", s.wBitsPerSample },
            { "wFormatTag", s.wFormatTag }, { "nChannels", s.nChannels },
        };
        for (const auto& [name, dw] : values)
            RegSetValueExA(hKey, name, 0, REG_DWORD, (const BYTE*)&dw, sizeof dw);
        RegCloseKey(hKey);
        m_pBar->LoadSettings();
    }

    // The stored format as "rate/bits/format/channels".
    static std::string StoredFormat()
    {
        RegistryValues values = ReadKeyValues(HKEY_CURRENT_USER, REGKEY_WAVEPLAYER);
        std::string s;
        for (const char* name : { "nSamplesPerSec", "wBitsPerSample", "wFormatTag", "nChannels" }) {
            auto it = values.find(name);
            s += (s.empty() ? "" : "/") + (it == values.end() ? std::string("-") : DescribeValue(it->second));
        }
        return s;
    }

    static int Selected(HWND hPage, int nID) { return (int)SendDlgItemMessageA(hPage, nID, CB_GETCURSEL, 0, 0); }

    void Run(SetupSheetDriver& driver)
    {
        driver.Run(m_pBar->m_hWnd);
        EXPECT_TRUE(driver.Finished()) << driver.m_strStalled;
    }

    FakeAppBarShell m_shell;
    BarPtr m_pBar;
};

} // namespace

TEST_F(SetupRecording, ListsHoldTheirEntriesInTableOrder)
{
    SetupSheetDriver driver;
    driver.Page(2).Inspect([&](HWND, HWND hPage) {
        const std::pair<int, std::vector<std::string>> lists[] = {
            { IDC_SAMPLE_RATE, { "11025 Hz", "22050 Hz", "44100 Hz" } },
            { IDC_DATA_BITS, { "4-bit", "8-bit", "16-bit" } },
            { IDC_DATA_FORMAT, { "PCM", "ADPCM", "A-Law", "Mu-Law" } },
            { IDC_CHANNEL, { "Mono", "Stereo" } },
        };
        for (const auto& [nID, texts] : lists) {
            ASSERT_EQ((LRESULT)texts.size(), SendDlgItemMessageA(hPage, nID, CB_GETCOUNT, 0, 0)) << nID;
            for (size_t i = 0; i < texts.size(); i++) {
                char sz[32] = "";
                SendDlgItemMessageA(hPage, nID, CB_GETLBTEXT, i, (LPARAM)sz);
                EXPECT_EQ(texts[i], sz) << nID << " entry " << i;
            }
        }
    }).Cancel();
    Run(driver);
}

TEST_F(SetupRecording, TheFormatListSetsTheDataBitsItNeeds)
{
    // 8 bits A-law; 16-bit brings PCM with it.
    Store({ 22050, 8, WAVE_FORMAT_ALAW, 1 });
    SetupSheetDriver driver;
    driver.Page(2)
        .Inspect([&](HWND, HWND hPage) {
            EXPECT_EQ(BITS_8, Selected(hPage, IDC_DATA_BITS));
            EXPECT_EQ(FORMAT_ALAW, Selected(hPage, IDC_DATA_FORMAT));
            EXPECT_EQ(RATE_22050, Selected(hPage, IDC_SAMPLE_RATE));
            EXPECT_EQ(CHANNEL_MONO, Selected(hPage, IDC_CHANNEL));
        })
        .Choose(IDC_DATA_BITS, BITS_16)
        .Inspect([&](HWND, HWND hPage) { EXPECT_EQ(FORMAT_PCM, Selected(hPage, IDC_DATA_FORMAT)); })
        .Ok();
    Run(driver);
    EXPECT_EQ("22050/16/1/1", StoredFormat());

    // ADPCM while 16-bit is selected brings 4-bit, and stops there.
    SetupSheetDriver adpcm;
    adpcm.Page(2)
        .Choose(IDC_DATA_FORMAT, FORMAT_ADPCM)
        .Inspect([&](HWND, HWND hPage) {
            EXPECT_EQ(BITS_4, Selected(hPage, IDC_DATA_BITS));
            EXPECT_EQ(FORMAT_ADPCM, Selected(hPage, IDC_DATA_FORMAT));
        })
        .Ok();
    Run(adpcm);
    EXPECT_EQ("22050/4/2/1", StoredFormat());
}

TEST_F(SetupRecording, TheDataBitsListNeverChainsBack)
{
    // 4-bit brings ADPCM; PCM afterwards leaves 4-bit, and that pair is stored.
    Store({ 11025, 16, WAVE_FORMAT_PCM, 2 });
    SetupSheetDriver driver;
    driver.Page(2)
        .Choose(IDC_DATA_BITS, BITS_4)
        .Inspect([&](HWND, HWND hPage) { EXPECT_EQ(FORMAT_ADPCM, Selected(hPage, IDC_DATA_FORMAT)); })
        .Choose(IDC_DATA_FORMAT, FORMAT_PCM)
        .Inspect([&](HWND, HWND hPage) { EXPECT_EQ(BITS_4, Selected(hPage, IDC_DATA_BITS)); })
        .Ok();
    Run(driver);
    EXPECT_EQ("11025/4/1/2", StoredFormat());

    // 8-bit keeps Mu-law; only ADPCM gives way to PCM.
    Store({ 44100, 8, WAVE_FORMAT_MULAW, 1 });
    SetupSheetDriver mulaw;
    mulaw.Page(2)
        .Choose(IDC_DATA_BITS, BITS_8)
        .Inspect([&](HWND, HWND hPage) { EXPECT_EQ(FORMAT_MULAW, Selected(hPage, IDC_DATA_FORMAT)); })
        .Choose(IDC_DATA_FORMAT, FORMAT_ADPCM)
        .Choose(IDC_DATA_BITS, BITS_8)
        .Inspect([&](HWND, HWND hPage) { EXPECT_EQ(FORMAT_PCM, Selected(hPage, IDC_DATA_FORMAT)); })
        .Ok();
    Run(mulaw);
    EXPECT_EQ("44100/8/1/1", StoredFormat());
}

TEST_F(SetupRecording, ValuesTheListsDoNotOfferAreKeptUntilPicked)
{
    // 8000 Hz shows as 11025 Hz, 12 bits as nothing; OK stores both unchanged.
    Store({ 8000, 12, WAVE_FORMAT_PCM, 1 });
    SetupSheetDriver driver;
    driver.Page(2)
        .Inspect([&](HWND, HWND hPage) {
            EXPECT_EQ(RATE_11025, Selected(hPage, IDC_SAMPLE_RATE));
            EXPECT_EQ(CB_ERR, Selected(hPage, IDC_DATA_BITS));
            EXPECT_EQ(FORMAT_PCM, Selected(hPage, IDC_DATA_FORMAT));
        })
        .Choose(IDC_CHANNEL, CHANNEL_STEREO)
        .Ok();
    Run(driver);
    EXPECT_EQ("8000/12/1/2", StoredFormat());

    // Picking an entry replaces them.
    SetupSheetDriver pick;
    pick.Page(2).Choose(IDC_SAMPLE_RATE, RATE_11025).Choose(IDC_DATA_BITS, BITS_8).Ok();
    Run(pick);
    EXPECT_EQ("11025/8/1/2", StoredFormat());
}
