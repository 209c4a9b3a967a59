// C3sBmButton on a real parent window, driven by the real pointer.
#include "panekit/PaneKit.h"
#include "res/resource.h"
#include "PaneTestUtil.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <memory>

namespace {

const UINT ID_BUTTON = 321;
const int FACE_CX = 24, FACE_CY = 21;

struct ToolTipSearch {
    HWND hTool;
    HWND hTip;
};

BOOL CALLBACK MatchToolTip(HWND hWnd, LPARAM lParam)
{
    auto* p = (ToolTipSearch*)lParam;
    char szClass[64];
    GetClassNameA(hWnd, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, TOOLTIPS_CLASSA) != 0)
        return TRUE;
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    if (SendMessageA(hWnd, TTM_ENUMTOOLSA, 0, (LPARAM)&ti) && ti.hwnd == p->hTool) {
        p->hTip = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The tooltip window whose one tool is hTool, or null.
HWND FindToolTip(HWND hTool)
{
    ToolTipSearch search = { hTool, nullptr };
    EnumThreadWindows(GetCurrentThreadId(), MatchToolTip, (LPARAM)&search);
    return search.hTip;
}

std::string ToolTipText(HWND hTip, HWND hTool)
{
    char sz[256] = "";
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = hTool;
    ti.uId = (UINT_PTR)hTool;
    ti.lpszText = sz;
    SendMessageA(hTip, TTM_GETTEXTA, sizeof sz, (LPARAM)&ti);
    return sz;
}

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ParkMouse();
        m_pParent.reset(new CTestParent(200, 150, 320, 140));
        m_pButton = new C3sBmButton(ID_BUTTON, CRect(40, 30, 354, 12), m_pParent.get(),
                                    BITMAP_HELP_BUTTON, "Help", 0, 0, nullptr, 1, 1);
        PumpFor(100);
    }
    void TearDown() override
    {
        delete m_pButton;
        m_pParent.reset();
        PumpFor(50);
    }

    // Waits until the screen shows face nFace of the button; reports the last difference.
    ::testing::AssertionResult ShowsFace(int nFace)
    {
        RECT rc = { 0, 0, FACE_CX, FACE_CY };
        Pixels expected = BitmapPixels(BITMAP_HELP_BUTTON, nFace * FACE_CX, 0, FACE_CX, FACE_CY);
        std::string strFirst;
        int nDiff = 0;
        PumpUntil([&] {
            nDiff = CountDifferences(ScreenPixels(*m_pButton, rc), expected, FACE_CX, &strFirst);
            return nDiff == 0;
        }, 3000);
        if (nDiff == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "face " << nFace << ": " << nDiff
                                             << " pixels differ, " << strFirst;
    }

    std::unique_ptr<CTestParent> m_pParent;
    C3sBmButton* m_pButton = nullptr;
};

TEST_F(ButtonTest, IsAVisibleChildOneFaceLargeWhateverTheRectangle)
{
    RECT rc;
    GetWindowRect(*m_pButton, &rc);
    MapWindowPoints(nullptr, *m_pParent, (LPPOINT)&rc, 2);
    EXPECT_EQ(40, rc.left);
    EXPECT_EQ(30, rc.top);
    EXPECT_EQ(FACE_CX, rc.right - rc.left);
    EXPECT_EQ(FACE_CY, rc.bottom - rc.top);
    EXPECT_EQ((HWND)*m_pParent, GetParent(*m_pButton));
    EXPECT_EQ((int)ID_BUTTON, GetDlgCtrlID(*m_pButton));
    EXPECT_TRUE(IsWindowVisible(*m_pButton));

    C3sBmButton empty(ID_BUTTON + 1, CRect(100, 50, 100, 50), m_pParent.get(),
                      BITMAP_EXIT_BUTTON, "Exit", 0, 0, nullptr, 1, 1);
    GetClientRect(empty, &rc);
    EXPECT_EQ(FACE_CX, rc.right);
    EXPECT_EQ(FACE_CY, rc.bottom);
}

TEST_F(ButtonTest, ShowsTheNormalFaceAtRest)
{
    EXPECT_TRUE(ShowsFace(C3sBmButton::FACE_NORMAL));
}

TEST_F(ButtonTest, ShowsTheHighlightedFaceUnderTheMouseAndNormalAfter)
{
    ASSERT_TRUE(MoveMouseTo(*m_pButton, FACE_CX - 2, FACE_CY - 2));
    EXPECT_TRUE(ShowsFace(C3sBmButton::FACE_HIGHLIGHT));
    ParkMouse();
    EXPECT_TRUE(ShowsFace(C3sBmButton::FACE_NORMAL));
}

TEST_F(ButtonTest, ShowsThePressedFaceWhileHeldAndOnlyOverTheButton)
{
    ASSERT_TRUE(MoveMouseTo(*m_pButton, FACE_CX - 2, FACE_CY - 2));
    ASSERT_TRUE(MouseDown());
    EXPECT_TRUE(ShowsFace(C3sBmButton::FACE_PRESSED));
    ASSERT_TRUE(MoveMouseTo(*m_pButton, FACE_CX + 60, FACE_CY + 30));
    EXPECT_TRUE(ShowsFace(C3sBmButton::FACE_NORMAL));
    ASSERT_TRUE(MoveMouseTo(*m_pButton, FACE_CX - 3, FACE_CY - 3));
    EXPECT_TRUE(ShowsFace(C3sBmButton::FACE_PRESSED));
    ASSERT_TRUE(MouseUp());
    EXPECT_TRUE(ShowsFace(C3sBmButton::FACE_HIGHLIGHT));
}

TEST_F(ButtonTest, ShowsTheDisabledFaceWhenDisabled)
{
    EnableWindow(*m_pButton, FALSE);
    EXPECT_TRUE(ShowsFace(C3sBmButton::FACE_DISABLED));
    EnableWindow(*m_pButton, TRUE);
    EXPECT_TRUE(ShowsFace(C3sBmButton::FACE_NORMAL));
}

TEST_F(ButtonTest, ClickSendsOneCommandToTheParent)
{
    ASSERT_TRUE(ClickAt(*m_pButton, 12, 10));
    PumpUntil([&] { return !m_pParent->m_commands.empty(); }, 3000);
    PumpFor(300);
    ASSERT_EQ(1u, m_pParent->m_commands.size());
    EXPECT_EQ(MAKEWPARAM(ID_BUTTON, BN_CLICKED), m_pParent->m_commands[0].wParam);
    EXPECT_EQ((HWND)*m_pButton, m_pParent->m_commands[0].hWndFrom);
}

TEST_F(ButtonTest, TwoClicksSendTwoCommands)
{
    ASSERT_TRUE(ClickAt(*m_pButton, 12, 10));
    ASSERT_TRUE(MouseDown());
    ASSERT_TRUE(MouseUp());
    PumpUntil([&] { return m_pParent->m_commands.size() >= 2; }, 3000);
    PumpFor(300);
    EXPECT_EQ(2u, m_pParent->m_commands.size());
}

TEST_F(ButtonTest, PressMoveOffAndReleaseSendsNothing)
{
    ASSERT_TRUE(MoveMouseTo(*m_pButton, 12, 10));
    ASSERT_TRUE(MouseDown());
    ASSERT_TRUE(MoveMouseTo(*m_pButton, FACE_CX + 80, 10));
    ASSERT_TRUE(MouseUp());
    PumpFor(500);
    EXPECT_EQ(0u, m_pParent->m_commands.size());
    EXPECT_TRUE(ShowsFace(C3sBmButton::FACE_NORMAL));
}

TEST_F(ButtonTest, DisabledButtonIgnoresClicks)
{
    EnableWindow(*m_pButton, FALSE);
    ASSERT_TRUE(ClickAt(*m_pButton, 12, 10));
    PumpFor(500);
    EXPECT_EQ(0u, m_pParent->m_commands.size());
}

TEST_F(ButtonTest, UsesItsCursorsOverTheButtonAndWhilePressed)
{
    HCURSOR hCursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_BUTTON));
    HCURSOR hDown = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_BUTTON_DOWN));
    ASSERT_NE(hCursor, hDown);
    m_pButton->SetButtonCursor(hCursor, hDown);
    ASSERT_TRUE(MoveMouseTo(*m_pButton, 10, 10));
    ASSERT_TRUE(MoveMouseTo(*m_pButton, 12, 10));
    EXPECT_TRUE(PumpUntil([&] { return GetCursor() == hCursor; }, 2000))
        << "cursor " << GetCursor() << ", expected " << hCursor;
    ASSERT_TRUE(MouseDown());
    EXPECT_TRUE(PumpUntil([&] { return GetCursor() == hDown; }, 2000))
        << "cursor " << GetCursor() << ", expected " << hDown;
    ASSERT_TRUE(MouseUp());
    EXPECT_TRUE(PumpUntil([&] { return GetCursor() == hCursor; }, 2000))
        << "cursor " << GetCursor() << ", expected " << hCursor;
}

TEST_F(ButtonTest, HasATooltipWithItsTextThatGoesWithIt)
{
    HWND hTip = FindToolTip(*m_pButton);
    ASSERT_NE(nullptr, hTip);
    EXPECT_EQ("Help", ToolTipText(hTip, *m_pButton));
    delete m_pButton;
    m_pButton = nullptr;
    EXPECT_FALSE(IsWindow(hTip));
}

TEST_F(ButtonTest, SetToolTipReplacesTheText)
{
    HWND hTip = FindToolTip(*m_pButton);
    ASSERT_NE(nullptr, hTip);
    m_pButton->SetToolTip("Launch Volume Control");
    EXPECT_EQ("Launch Volume Control", ToolTipText(hTip, *m_pButton));
    EXPECT_EQ(hTip, FindToolTip(*m_pButton));
}

TEST_F(ButtonTest, SetToolTipChangesATipThatIsShowing)
{
    HWND hTip = FindToolTip(*m_pButton);
    ASSERT_NE(nullptr, hTip);
    // Hover as a hand does, with a little movement, until the tip shows.
    bool bShown = false;
    for (int i = 0; i < 3 && !bShown; i++) {
        ASSERT_TRUE(MoveMouseTo(*m_pButton, 10 + i, 10));
        ASSERT_TRUE(MoveMouseTo(*m_pButton, 12 + i, 11));
        bShown = PumpUntil([&] { return IsWindowVisible(hTip) != FALSE; }, 2500);
    }
    ASSERT_TRUE(bShown) << "the tip never showed";
    m_pButton->SetToolTip("Remove CDPlayer");
    EXPECT_EQ("Remove CDPlayer", ToolTipText(hTip, *m_pButton));
    EXPECT_TRUE(IsWindowVisible(hTip));
}

} // namespace
