// PaneKit's controls on a real window, under the real mouse, read back as pixels;
// the pictures, clip, cursors, icon and sound are the program's (this test's) resources.
#include "panekit/PaneKit.h"
#include "res/resource.h"
#include "tests/support/Mouse.h"
#include "tests/support/Pixels.h"
#include "tests/support/Processes.h"
#include "tests/support/Wait.h"
#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

const HINSTANCE EXE = GetModuleHandleA(nullptr);
// The frames of a button's bitmap, left to right.
enum { FLAT, RAISED, SUNKEN, GREY };

// A top-level window for the controls, away from the parked pointer. It keeps the commands its
// controls send, and the last mouse message that a WM_SETCURSOR passed up to it announced.
struct CParent : CWnd {
    std::vector<std::pair<WPARAM, LPARAM>> m_commands;
    UINT m_uMouseMessage = 0;
    CParent()
    {
        ParkMouse();
        CreateEx(WS_EX_TOPMOST, "#32770", "", WS_POPUP | WS_VISIBLE, CRect(200, 150, 520, 290), nullptr, nullptr);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back({ wParam, lParam });
        if (message == WM_SETCURSOR)
            m_uMouseMessage = HIWORD(lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Waits until hWnd's client shows the cx by cy part at (x, 0) of bitmap nID.
bool Shows(HWND hWnd, UINT nID, int x, int cx, int cy)
{
    const Pixels expected = BitmapPixels(EXE, nID, x, 0, cx, cy);
    return WaitUntil([&] { return CountDifferences(ScreenPixels(hWnd, { 0, 0, cx, cy }), expected, cx) == 0; });
}

bool ShowsCursor(HCURSOR hCursor)
{
    return WaitUntil([&] { return GetCursor() == hCursor; });
}

// The tip that shows now, if any, and its text (empty when none shows).
HWND ShownTipWindow()
{
    HWND hTip = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
    while (hTip && !IsWindowVisible(hTip))
        hTip = FindWindowExA(nullptr, hTip, TOOLTIPS_CLASSA, nullptr);
    return hTip;
}

std::string ShownTip()
{
    const HWND hTip = ShownTipWindow();
    if (!hTip)
        return "";
    return WindowText(hTip);
}

} // namespace

class PaneKit : public ::testing::Test {
protected:
    // A bottom above the top, as the bar gives some buttons: only the left and top count.
    PaneKit()
        : m_still(ID_LOGO, CRect(9, 60, 0, 0), &m_parent, BITMAP_STILL_LOGO_FLOAT, nullptr, 0, nullptr, 1, 1),
          m_logo(ID_LOGO, CRect(200, 90, 0, 0), CRect(36, 3, 0, 0), BITMAP_LOGO_HORZ, AVI_LOGO_HORZ, &m_parent,
                 "Marvik Tymp Studio Controller", 0, nullptr, 1, 1)
    {
        m_pButton->SetButtonCursor(m_hHand, m_hHandDown);
        m_still.SetButtonCursor(m_hHand);
        m_logo.SetButtonCursor(m_hHand);
    }
    ~PaneKit() override
    {
        MouseUp();
        delete m_pButton;
    }
    bool ButtonShows(int nFace) { return Shows(*m_pButton, BITMAP_HELP_BUTTON, nFace * 24, 24, 21); }

    const HCURSOR m_hArrow = LoadCursorA(nullptr, IDC_ARROW);
    const HCURSOR m_hHand = LoadCursorA(EXE, MAKEINTRESOURCEA(IDC_BUTTON));
    const HCURSOR m_hHandDown = LoadCursorA(EXE, MAKEINTRESOURCEA(IDC_BUTTON_DOWN));
    CParent m_parent;
    C3sBmButton* m_pButton =
        new C3sBmButton(ID_HELP, CRect(40, 30, 354, 12), &m_parent, BITMAP_HELP_BUTTON, "Help", 0, 0, nullptr, 1, 1);
    CBmArea m_still;
    CAviArea m_logo;
};

TEST_F(PaneKit, ControlsTakeTheSizeOfTheirPicturesAndShowThem)
{
    const HWND hClip = FindWindowExA(m_logo, nullptr, ANIMATE_CLASSA, nullptr);
    const struct {
        HWND hWnd;
        RECT rcExpected;
        const char* pszWhy;
    } controls[] = {
        { .hWnd = *m_pButton, .rcExpected = { 240, 180, 264, 201 }, .pszWhy = "a button is one 24 x 21 frame" },
        { .hWnd = m_still, .rcExpected = { 209, 210, 253, 237 }, .pszWhy = "the still logo is its whole bitmap" },
        { .hWnd = m_logo, .rcExpected = { 400, 240, 454, 261 }, .pszWhy = "the animated logo is its whole bitmap" },
        { .hWnd = hClip,
          .rcExpected = { 436, 243, 445, 257 },
          .pszWhy = "the clip is its frame, at 36, 3 in the logo" },
    };
    for (const auto& c : controls)
        EXPECT_EQ(c.rcExpected, WindowRect(c.hWnd)) << c.pszWhy;
    EXPECT_TRUE(ButtonShows(FLAT)) << "a button at rest is flat";
    EXPECT_TRUE(Shows(m_still, BITMAP_STILL_LOGO_FLOAT, 0, 44, 27)) << "the still logo shows its picture";
    EXPECT_TRUE(Shows(m_logo, BITMAP_LOGO_HORZ, 0, 30, 21)) << "the animated logo shows its picture around the clip";
    const Pixels first = ScreenPixels(hClip, { 0, 0, 9, 14 });
    EXPECT_TRUE(WaitUntil([&] {
        return CountDifferences(ScreenPixels(hClip, { 0, 0, 9, 14 }), first, 9) > 0;
    })) << "the clip plays";
}

TEST_F(PaneKit, ThePointerRaisesTheButtonUnderTheHandAndLeavingPutsBothBack)
{
    ASSERT_TRUE(MouseMove(*m_pButton, 20, 18));
    EXPECT_TRUE(ButtonShows(RAISED)) << "under the pointer the button is raised";
    EXPECT_TRUE(ShowsCursor(m_hHand)) << "under the pointer the button shows the hand";
    ASSERT_TRUE(MouseMove(*m_pButton, 60, 18));
    EXPECT_TRUE(ButtonShows(FLAT)) << "the pointer gone, the button is flat again";
    EXPECT_TRUE(ShowsCursor(m_hArrow)) << "beside the button the parent's arrow comes back";
}

TEST_F(PaneKit, APressSinksTheButtonOnlyWhileThePointerIsOnIt)
{
    ASSERT_TRUE(MouseMove(*m_pButton, 20, 18));
    ASSERT_TRUE(MouseDown());
    EXPECT_TRUE(ButtonShows(SUNKEN)) << "pressed, the button sinks";
    EXPECT_TRUE(ShowsCursor(m_hHandDown)) << "pressed, the button shows the pressed hand";
    ASSERT_TRUE(MouseMove(*m_pButton, 60, 40));
    EXPECT_TRUE(ButtonShows(FLAT)) << "dragged off, the button comes up";
    ASSERT_TRUE(MouseMove(*m_pButton, 18, 17));
    EXPECT_TRUE(ButtonShows(SUNKEN)) << "back on it, the button sinks again";
    ASSERT_TRUE(MouseUp());
    EXPECT_TRUE(ButtonShows(RAISED)) << "released on it, the button is raised under the pointer";
    EXPECT_TRUE(ShowsCursor(m_hHand)) << "released on it, the hand is back";
    EXPECT_TRUE(WaitUntil([&] { return m_parent.m_commands.size() == 1; })) << "a release on the button is a click";
}

TEST_F(PaneKit, AReleaseOffTheButtonSendsNothing)
{
    ASSERT_TRUE(MouseMove(*m_pButton, 20, 18));
    ASSERT_TRUE(MouseDown());
    ASSERT_TRUE(WaitUntil([&] { return GetCapture() == *m_pButton; })) << "the pressed button holds the pointer";
    ASSERT_TRUE(MouseMove(*m_pButton, 120, 18));
    ASSERT_TRUE(MouseUp());
    EXPECT_TRUE(WaitUntil([&] { return GetCapture() == nullptr; })) << "the release lets the pointer go";
    Pump();
    EXPECT_EQ(0u, m_parent.m_commands.size()) << "a press dragged off the button is no click";
    EXPECT_TRUE(ButtonShows(FLAT)) << "released off it, the button is flat";
    EXPECT_TRUE(ShowsCursor(m_hArrow)) << "released off it, the parent's arrow comes back";
}

TEST_F(PaneKit, EachClickSendsItsCommandOnce)
{
    const struct {
        HWND hWnd;
        POINT pt;
        UINT nID;
        const char* pszWhy;
    } clicks[] = {
        { .hWnd = *m_pButton, .pt = { 12, 10 }, .nID = ID_HELP, .pszWhy = "a click on the button" },
        { .hWnd = m_still, .pt = { 20, 12 }, .nID = ID_LOGO, .pszWhy = "a click on the still logo" },
        { .hWnd = m_logo, .pt = { 12, 10 }, .nID = ID_LOGO, .pszWhy = "a click on the animated logo's picture" },
        { .hWnd = m_logo, .pt = { 40, 10 }, .nID = ID_LOGO, .pszWhy = "a click on the animated logo's clip" },
    };
    for (const auto& c : clicks) {
        m_parent.m_commands.clear();
        ASSERT_TRUE(MouseMove(c.hWnd, c.pt.x, c.pt.y));
        ASSERT_TRUE(MouseDown());
        ASSERT_TRUE(MouseUp());
        EXPECT_TRUE(WaitUntil([&] { return !m_parent.m_commands.empty(); })) << c.pszWhy << " sends a command";
        Pump();
        ASSERT_EQ(1u, m_parent.m_commands.size()) << c.pszWhy << " sends one command, not more";
        EXPECT_EQ(MAKEWPARAM(c.nID, BN_CLICKED), m_parent.m_commands[0].first) << c.pszWhy << ": its id";
        EXPECT_EQ((LPARAM)c.hWnd, m_parent.m_commands[0].second) << c.pszWhy << ": its window";
    }
}

TEST_F(PaneKit, ADisabledButtonIsGreyAndSendsNothing)
{
    EnableWindow(*m_pButton, FALSE);
    EXPECT_TRUE(ButtonShows(GREY)) << "disabled, the button is grey";
    ASSERT_TRUE(MouseMove(*m_pButton, 20, 18));
    ASSERT_TRUE(MouseDown());
    ASSERT_TRUE(MouseUp());
    EXPECT_TRUE(WaitUntil([&] { return m_parent.m_uMouseMessage == WM_LBUTTONUP; }))
        << "the release on the disabled button is announced to its parent";
    Pump();
    EXPECT_EQ(0u, m_parent.m_commands.size()) << "a disabled button sends no command";
    EnableWindow(*m_pButton, TRUE);
    EXPECT_TRUE(ButtonShows(FLAT)) << "enabled again, the button is flat until the pointer moves";
    ASSERT_TRUE(MouseMove(*m_pButton, 18, 18));
    EXPECT_TRUE(ButtonShows(RAISED)) << "enabled again, the button rises under the pointer";
}

TEST_F(PaneKit, TheButtonsTipShowsItsTextAndFollowsSetToolTip)
{
    ASSERT_TRUE(MouseMove(*m_pButton, 12, 11));
    EXPECT_TRUE(WaitUntil([] { return ShownTip() == "Help"; })) << "the tip shows " << ShownTip();
    const HWND hTip = ShownTipWindow();
    m_pButton->SetToolTip("Remove CDPlayer");
    EXPECT_EQ("Remove CDPlayer", ShownTip()) << "the tip that shows takes the new text at once";
    delete m_pButton;
    m_pButton = nullptr;
    EXPECT_FALSE(IsWindow(hTip)) << "the tip goes with its button";
}

TEST_F(PaneKit, TheLogosShowTheHandAndTheAnimatedOneItsTipEvenOverTheClip)
{
    const struct {
        HWND hWnd;
        POINT pt;
        const char* pszTip;
        const char* pszWhy;
    } places[] = {
        { .hWnd = m_still, .pt = { 20, 12 }, .pszTip = "", .pszWhy = "over the still logo, which has no tip" },
        { .hWnd = m_logo, .pt = { 12, 10 }, .pszTip = "Marvik Tymp Studio Controller", .pszWhy = "over the picture" },
        { .hWnd = m_logo, .pt = { 40, 10 }, .pszTip = "Marvik Tymp Studio Controller", .pszWhy = "over the clip" },
    };
    for (const auto& p : places) {
        ASSERT_TRUE(MouseMove(m_parent, 150, 20));
        ASSERT_TRUE(ShowsCursor(m_hArrow)) << "away from the controls the pointer is the parent's arrow";
        ASSERT_TRUE(WaitUntil([] { return ShownTip().empty(); })) << "no tip shows away from the controls";
        ASSERT_TRUE(MouseMove(p.hWnd, p.pt.x, p.pt.y));
        EXPECT_TRUE(ShowsCursor(m_hHand)) << p.pszWhy << " the pointer is the hand";
        EXPECT_TRUE(WaitUntil([&] { return ShownTip() == p.pszTip; }, 2000))
            << p.pszWhy << " the tip shows " << ShownTip();
    }
}

TEST(PaneKitAbout, TheAboutBoxIsModalAndChimesOnlyWhileOpen)
{
    CParent parent;
    const HICON hIcon = LoadIconA(EXE, MAKEINTRESOURCEA(IDI_TYMP));
    const void* pWave = LockResource(LoadResource(EXE, FindResourceA(EXE, MAKEINTRESOURCEA(WAVE_ABOUT), "WAVE")));
    // PlaySound, told not to stop a sound, refuses while one plays; what it starts itself it stops.
    const auto chiming = [] {
        if (!PlaySoundA(MAKEINTRESOURCEA(WAVE_ABOUT), EXE, SND_RESOURCE | SND_ASYNC | SND_NOSTOP))
            return true;
        PlaySoundA(nullptr, nullptr, 0);
        return false;
    };
    const struct {
        const void* pWave;
        bool bToFocus;
        UINT message;
        WPARAM wParam;
        INT_PTR nResult;
        const char* pszWhy;
    } closes[] = {
        { .pWave = pWave,
          .bToFocus = false,
          .message = WM_COMMAND,
          .wParam = IDOK,
          .nResult = IDOK,
          .pszWhy = "OK, with a chime" },
        { .pWave = nullptr,
          .bToFocus = true,
          .message = WM_KEYDOWN,
          .wParam = VK_ESCAPE,
          .nResult = IDCANCEL,
          .pszWhy = "Esc, without a chime" },
        { .pWave = pWave,
          .bToFocus = false,
          .message = WM_SYSCOMMAND,
          .wParam = SC_CLOSE,
          .nResult = IDCANCEL,
          .pszWhy = "closed" },
    };
    for (const auto& c : closes) {
        SCOPED_TRACE(c.pszWhy);
        CAboutDlg dlg("About Tymp Studio 3.0", "Tymp Studio 3.0", "\251 1998 Marvik", hIcon, c.pWave, &parent);
        HWND hBox = nullptr;
        ModalScript script;
        script.WaitFor("About Tymp Studio 3.0", &hBox).Do([&] {
            EXPECT_FALSE(IsWindowEnabled(parent)) << "the box is modal to its owner";
            EXPECT_EQ(parent.m_hWnd, GetWindow(hBox, GW_OWNER)) << "the box is owned by the window given";
            EXPECT_TRUE(IsWindowVisible(FindWindowExA(hBox, nullptr, "Static", "Tymp Studio 3.0"))) << "the product";
            EXPECT_TRUE(IsWindowVisible(FindWindowExA(hBox, nullptr, "Static", "\251 1998 Marvik"))) << "the notice";
            HWND hIconWnd = FindWindowExA(hBox, nullptr, "Static", nullptr);
            while (hIconWnd && SendMessageA(hIconWnd, STM_GETICON, 0, 0) != (LRESULT)hIcon)
                hIconWnd = FindWindowExA(hBox, hIconWnd, "Static", nullptr);
            EXPECT_TRUE(IsWindowVisible(hIconWnd)) << "the box shows the icon given";
            EXPECT_EQ(c.pWave != nullptr, chiming()) << "the box chimes when given a sound";
            PostMessageA(c.bToFocus ? GetFocus() : hBox, c.message, c.wParam, 0);
        });
        script.Run([&] { EXPECT_EQ(c.nResult, dlg.DoModal()) << "the way the box was closed"; });
        EXPECT_TRUE(script.Finished()) << script.m_strStalled;
        EXPECT_TRUE(IsWindowEnabled(parent)) << "the owner works again";
        EXPECT_FALSE(chiming()) << "the chime ends with the box";
    }
}
