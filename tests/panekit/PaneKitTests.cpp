// PaneKit's controls on a real window, under the real mouse, read back as pixels;
// the pictures, clip and cursors are the program's (this test's) resources.
#include "panekit/PaneKit.h"
#include "res/resource.h"
#include "tests/support/Mouse.h"
#include "tests/support/Pixels.h"
#include "tests/support/Processes.h"
#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

const HINSTANCE EXE = GetModuleHandleA(nullptr);
enum { FLAT, RAISED, SUNKEN, GREY }; // a button's frames, left to right

// Keeps the commands its controls send, and the mouse message of the last WM_SETCURSOR passed up to it.
struct CParent : CWnd {
    std::vector<std::pair<WPARAM, LPARAM>> m_commands;
    UINT m_uMouseMessage = 0;
    CParent() { CreateEx(WS_EX_TOPMOST, "#32770", "", WS_POPUP | WS_VISIBLE, CRect(200, 150, 520, 290), nullptr, 0); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back({ wParam, lParam });
        if (message == WM_SETCURSOR)
            m_uMouseMessage = HIWORD(lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

bool CursorIs(HCURSOR hCursor)
{
    return WaitUntil([=] { return GetCursor() == hCursor; });
}

// Waits for a shown tip with this text.
bool TipShows(const char* pszText)
{
    return WaitUntil([=] {
        HWND hTip = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr);
        while (hTip && !(IsWindowVisible(hTip) && WindowText(hTip) == pszText))
            hTip = FindWindowExA(nullptr, hTip, TOOLTIPS_CLASSA, nullptr);
        return hTip != nullptr;
    });
}

} // namespace

class PaneKit : public ::testing::Test {
protected:
    PaneKit()
    {
        ParkMouse();
        m_pButton->SetButtonCursor(m_hHand, LoadCursorA(EXE, MAKEINTRESOURCEA(IDC_BUTTON_DOWN)));
        m_logo.SetButtonCursor(m_hHand);
    }
    ~PaneKit() override { MouseUp(); }
    bool ButtonShows(int nFace)
    {
        return ShowsBitmap(*m_pButton, { 0, 0, 24, 21 }, BITMAP_HELP_BUTTON, { nFace * 24, 0 });
    }

    const HCURSOR m_hArrow = LoadCursorA(nullptr, IDC_ARROW), m_hHand = LoadCursorA(EXE, MAKEINTRESOURCEA(IDC_BUTTON));
    CParent m_parent;
    // A bottom above the top, as the bar gives some buttons: only the left and top count.
    std::unique_ptr<C3sBmButton> m_pButton = std::make_unique<C3sBmButton>(
        ID_HELP, CRect(40, 30, 354, 12), &m_parent, BITMAP_HELP_BUTTON, "Help", 0, 0, nullptr, 1, 1);
    CAviArea m_logo = CAviArea(ID_LOGO, CRect(200, 90, 0, 0), CRect(36, 3, 0, 0), BITMAP_LOGO_HORZ, AVI_LOGO_HORZ,
                               &m_parent, "Marvik Tymp Studio Controller", 0, nullptr, 1, 1);
};

TEST_F(PaneKit, EachControlShowsTheHandAndItsTipAndSendsItsCommandOncePerClick)
{
    const struct {
        HWND hWnd;
        POINT pt;
        const char* pszTip;
        UINT nID;
    } places[] = {
        { .hWnd = *m_pButton, .pt = { 12, 10 }, .pszTip = "Help", .nID = ID_HELP }, // the button
        // the animated logo, over its clip
        { .hWnd = m_logo, .pt = { 40, 10 }, .pszTip = "Marvik Tymp Studio Controller", .nID = ID_LOGO },
    };
    for (const auto& p : places) {
        SCOPED_TRACE(testing::Message() << "at " << p.pt.x << ", " << p.pt.y << " of control " << p.nID);
        m_parent.m_commands.clear();
        ASSERT_TRUE(MouseMove(m_parent, 150, 20));
        ASSERT_TRUE(CursorIs(m_hArrow)) << "away from the controls the pointer is the parent's arrow";
        ASSERT_TRUE(MouseMove(p.hWnd, p.pt.x, p.pt.y));
        EXPECT_TRUE(CursorIs(m_hHand)) << "over a control the pointer is the hand";
        EXPECT_TRUE(TipShows(p.pszTip)) << "the control's tip shows";
        ASSERT_TRUE(MouseDown());
        ASSERT_TRUE(MouseUp());
        EXPECT_TRUE(WaitUntil([&] { return !m_parent.m_commands.empty(); })) << "a click sends a command";
        Pump();
        ASSERT_EQ(1u, m_parent.m_commands.size()) << "one click, one command";
        EXPECT_EQ(MAKEWPARAM(p.nID, BN_CLICKED), m_parent.m_commands[0].first) << "the control's own id";
        EXPECT_EQ((LPARAM)p.hWnd, m_parent.m_commands[0].second) << "from the control's window";
    }
}

TEST_F(PaneKit, TheButtonRisesUnderThePointerSinksWhilePressedOnItAndOnlyAReleaseOnItClicks)
{
    ASSERT_TRUE(MouseMove(*m_pButton, 20, 18));
    EXPECT_TRUE(ButtonShows(RAISED)) << "under the pointer the button is raised";
    ASSERT_TRUE(MouseMove(*m_pButton, 60, 18));
    EXPECT_TRUE(ButtonShows(FLAT)) << "the pointer gone, the button is flat again";
    ASSERT_TRUE(MouseMove(*m_pButton, 20, 18));
    ASSERT_TRUE(MouseDown());
    EXPECT_TRUE(ButtonShows(SUNKEN)) << "pressed, the button sinks";
    EXPECT_TRUE(CursorIs(LoadCursorA(EXE, MAKEINTRESOURCEA(IDC_BUTTON_DOWN)))) << "pressed, it shows the pressed hand";
    ASSERT_TRUE(MouseMove(*m_pButton, 60, 40));
    EXPECT_TRUE(ButtonShows(FLAT)) << "dragged off, the button comes up";
    ASSERT_TRUE(MouseMove(*m_pButton, 18, 17));
    EXPECT_TRUE(ButtonShows(SUNKEN)) << "back on it, the button sinks again";
    ASSERT_TRUE(MouseUp());
    EXPECT_TRUE(ButtonShows(RAISED)) << "released on it, the button is raised under the pointer";
    EXPECT_TRUE(CursorIs(m_hHand)) << "released on it, the hand is back";
    ASSERT_TRUE(MouseDown());
    ASSERT_TRUE(WaitUntil([&] { return GetCapture() == *m_pButton; })) << "pressed again, the button holds the pointer";
    ASSERT_TRUE(MouseMove(*m_pButton, 120, 18));
    ASSERT_TRUE(MouseUp());
    EXPECT_TRUE(WaitUntil([] { return GetCapture() == nullptr; })) << "released off it, the button lets the pointer go";
    Pump();
    EXPECT_EQ(1u, m_parent.m_commands.size()) << "only the release on the button was a click";
    EXPECT_TRUE(CursorIs(m_hArrow)) << "released off the button, the parent's arrow comes back";
}

TEST_F(PaneKit, ADisabledButtonIsGreyAndSendsNothing)
{
    EnableWindow(*m_pButton, FALSE);
    EXPECT_TRUE(ButtonShows(GREY)) << "disabled, the button is grey";
    ASSERT_TRUE(MouseMove(*m_pButton, 20, 18));
    ASSERT_TRUE(MouseDown());
    ASSERT_TRUE(MouseUp());
    EXPECT_TRUE(WaitUntil([&] { return m_parent.m_uMouseMessage == WM_LBUTTONUP; })) << "the parent heard of the click";
    Pump();
    EXPECT_EQ(0u, m_parent.m_commands.size()) << "a disabled button sends no command";
    EnableWindow(*m_pButton, TRUE);
    EXPECT_TRUE(ButtonShows(FLAT)) << "enabled again, the button is no longer grey";
}
