// CAboutDlg: modal, with the program's texts and icon, a sound that plays
// while it is open and stops when it closes.
#include "panekit/PaneKit.h"
#include "res/resource.h"
#include "PaneTestUtil.h"
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <mmsystem.h>

namespace {

const char CAPTION[] = "About Tymp Studio 3.0 (test)";

// A RIFF WAVE image of nMilliseconds of 8 kHz 8-bit mono silence.
std::vector<BYTE> MakeWave(DWORD nMilliseconds)
{
    DWORD cbData = 8 * nMilliseconds;
    std::vector<BYTE> wave(44 + cbData, 0x80);
    auto put32 = [&](size_t at, DWORD v) { memcpy(&wave[at], &v, 4); };
    auto put16 = [&](size_t at, WORD v) { memcpy(&wave[at], &v, 2); };
    memcpy(&wave[0], "RIFF", 4);
    put32(4, 36 + cbData);
    memcpy(&wave[8], "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, WAVE_FORMAT_PCM);
    put16(22, 1);
    put32(24, 8000);
    put32(28, 8000);
    put16(32, 1);
    put16(34, 8);
    memcpy(&wave[36], "data", 4);
    put32(40, cbData);
    return wave;
}

// Whether a sound is playing: PlaySound with SND_NOSTOP refuses then.
bool SoundIsPlaying()
{
    static const std::vector<BYTE> s_blip = MakeWave(10);
    if (!PlaySoundA((LPCSTR)s_blip.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_NOSTOP | SND_NODEFAULT))
        return true;
    PlaySoundA(nullptr, nullptr, 0);
    return false;
}

// What the box looked like, seen from a timer inside its modal loop, and
// how the test then closes it.
struct Observer {
    enum Close { BY_OK, BY_ESCAPE, BY_CLOSE_BOX };
    explicit Observer(Close c) : close(c) {}
    Close close;
    HWND hParent = nullptr;
    HWND hDlg = nullptr;
    HWND hOwner = nullptr;
    bool bParentDisabled = false;
    bool bSoundPlaying = false;
    bool bProductShown = false;
    bool bLegalShown = false;
    HICON hIconShown = nullptr;
    int nTicks = 0;
};
Observer* g_pObserver;

BOOL CALLBACK FindTexts(HWND hChild, LPARAM)
{
    char sz[512];
    GetWindowTextA(hChild, sz, sizeof sz);
    if (strcmp(sz, "Tymp Studio 3.0") == 0 && IsWindowVisible(hChild))
        g_pObserver->bProductShown = true;
    if (strstr(sz, "All rights reserved.\nThis program") && IsWindowVisible(hChild))
        g_pObserver->bLegalShown = true;
    HICON hIcon = (HICON)SendMessageA(hChild, STM_GETICON, 0, 0);
    char szClass[32];
    GetClassNameA(hChild, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, "Static") == 0 && hIcon)
        g_pObserver->hIconShown = hIcon;
    return TRUE;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
{
    Observer& o = *g_pObserver;
    if (++o.nTicks > 200) {         // ten seconds: the box would not close
        if (o.hDlg && IsWindow(o.hDlg))
            EndDialog(o.hDlg, 999);
        return;
    }
    if (o.hDlg)
        return;
    o.hDlg = FindWindowA(nullptr, CAPTION);
    if (!o.hDlg || !IsWindowVisible(o.hDlg))
        return;
    o.hOwner = GetWindow(o.hDlg, GW_OWNER);
    o.bParentDisabled = o.hParent && !IsWindowEnabled(o.hParent);
    o.bSoundPlaying = SoundIsPlaying();
    EnumChildWindows(o.hDlg, FindTexts, 0);
    switch (o.close) {
    case Observer::BY_OK:
        PostMessageA(o.hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(o.hDlg, IDOK));
        break;
    case Observer::BY_ESCAPE:
        // Keyboard input goes to the control with the focus; the dialog loop turns it into Cancel.
        PostMessageA(GetFocus() ? GetFocus() : o.hDlg, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        break;
    case Observer::BY_CLOSE_BOX:
        PostMessageA(o.hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

class AboutDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pParent.reset(new CTestParent(200, 150, 320, 140));
        m_hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TYMP));
        m_wave = MakeWave(4000);
    }
    void TearDown() override
    {
        PlaySoundA(nullptr, nullptr, 0);
        m_pParent.reset();
    }

    INT_PTR Run(Observer& o, const void* pWave)
    {
        o.hParent = *m_pParent;
        g_pObserver = &o;
        UINT_PTR nTimer = SetTimer(nullptr, 0, 50, OnTick);
        std::unique_ptr<CAboutDlg> pDlg(new CAboutDlg(CAPTION, "Tymp Studio 3.0",
            "Copyright \251 1998 Marvik Inc. All rights reserved.\nThis program is protected.",
            m_hIcon, pWave, m_pParent.get()));
        INT_PTR nResult = pDlg->DoModal();
        KillTimer(nullptr, nTimer);
        g_pObserver = nullptr;
        return nResult;
    }

    std::unique_ptr<CTestParent> m_pParent;
    HICON m_hIcon = nullptr;
    std::vector<BYTE> m_wave;
};

TEST_F(AboutDlgTest, OkClosesItWithIdOk)
{
    Observer o(Observer::BY_OK);
    EXPECT_EQ(IDOK, Run(o, m_wave.data()));
    EXPECT_NE(nullptr, o.hDlg) << "no window captioned " << CAPTION;
    EXPECT_FALSE(IsWindow(o.hDlg));
}

TEST_F(AboutDlgTest, EscapeClosesItWithIdCancel)
{
    Observer o(Observer::BY_ESCAPE);
    EXPECT_EQ(IDCANCEL, Run(o, m_wave.data()));
}

TEST_F(AboutDlgTest, CloseBoxClosesItWithIdCancel)
{
    Observer o(Observer::BY_CLOSE_BOX);
    EXPECT_EQ(IDCANCEL, Run(o, m_wave.data()));
}

TEST_F(AboutDlgTest, IsModalOverItsParent)
{
    Observer o(Observer::BY_OK);
    Run(o, m_wave.data());
    EXPECT_TRUE(o.bParentDisabled);
    EXPECT_TRUE(IsWindowEnabled(*m_pParent));
    EXPECT_EQ((HWND)*m_pParent, o.hOwner);
}

TEST_F(AboutDlgTest, ShowsTheTextsAndTheIcon)
{
    Observer o(Observer::BY_OK);
    Run(o, nullptr);
    EXPECT_TRUE(o.bProductShown);
    EXPECT_TRUE(o.bLegalShown);
    EXPECT_EQ(m_hIcon, o.hIconShown);
}

TEST_F(AboutDlgTest, PlaysItsSoundWhileOpenAndStopsItWhenClosed)
{
    Observer o(Observer::BY_OK);
    EXPECT_EQ(IDOK, Run(o, m_wave.data()));
    EXPECT_TRUE(o.bSoundPlaying) << "no sound was playing while the box was open";
    EXPECT_FALSE(SoundIsPlaying()) << "the four-second sound outlived the box";
}

TEST_F(AboutDlgTest, OpensWithoutASound)
{
    Observer o(Observer::BY_OK);
    EXPECT_EQ(IDOK, Run(o, nullptr));
    EXPECT_FALSE(o.bSoundPlaying);
}

TEST_F(AboutDlgTest, PlaysTheProgramsOwnSound)
{
    HRSRC hRes = FindResourceA(nullptr, MAKEINTRESOURCEA(WAVE_ABOUT), "WAVE");
    ASSERT_NE(nullptr, hRes);
    const void* pWave = LockResource(LoadResource(nullptr, hRes));
    Observer o(Observer::BY_ESCAPE);
    EXPECT_EQ(IDCANCEL, Run(o, pWave));
    EXPECT_TRUE(o.bSoundPlaying);
}

} // namespace
