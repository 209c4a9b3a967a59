// CBmArea and CAviArea on a real parent window, clicked with the real pointer.
#include "panekit/PaneKit.h"
#include "res/resource.h"
#include "PaneTestUtil.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <memory>

namespace {

const UINT ID_LOGO_AREA = 101;
const int LOGO_CX = 54, LOGO_CY = 21;      // BITMAP_LOGO_HORZ
const int CLIP_CX = 9, CLIP_CY = 14;       // AVI_LOGO_HORZ
const int CLIP_X = 36, CLIP_Y = 3;

class AreaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ParkMouse();
        m_pParent.reset(new CTestParent(200, 150, 320, 140));
    }
    void TearDown() override
    {
        m_pParent.reset();
        PumpFor(50);
    }

    size_t CommandsAfterClick()
    {
        PumpUntil([&] { return !m_pParent->m_commands.empty(); }, 3000);
        PumpFor(300);
        return m_pParent->m_commands.size();
    }

    std::unique_ptr<CTestParent> m_pParent;
};

RECT ChildRect(HWND hChild)
{
    RECT rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(nullptr, GetParent(hChild), (LPPOINT)&rc, 2);
    return rc;
}

TEST_F(AreaTest, BmAreaIsAsLargeAsItsBitmap)
{
    std::unique_ptr<CBmArea> pArea(new CBmArea(ID_LOGO_AREA, CRect(9, 9, 63, 59), m_pParent.get(),
                                               BITMAP_STILL_LOGO_FLOAT, nullptr, 0, nullptr, 1, 1));
    RECT rc = ChildRect(*pArea);
    EXPECT_EQ(9, rc.left);
    EXPECT_EQ(9, rc.top);
    EXPECT_EQ(44, rc.right - rc.left);
    EXPECT_EQ(27, rc.bottom - rc.top);
    EXPECT_EQ((int)ID_LOGO_AREA, GetDlgCtrlID(*pArea));
    EXPECT_TRUE(IsWindowVisible(*pArea));
}

TEST_F(AreaTest, BmAreaShowsItsBitmap)
{
    std::unique_ptr<CBmArea> pArea(new CBmArea(ID_LOGO_AREA, CRect(9, 9, 0, 0), m_pParent.get(),
                                               BITMAP_STILL_LOGO_FLOAT, nullptr, 0, nullptr, 1, 1));
    Pixels expected = BitmapPixels(BITMAP_STILL_LOGO_FLOAT, 0, 0, 44, 27);
    int nDiff = 0;
    std::string strFirst;
    PumpUntil([&] {
        nDiff = CountDifferences(ScreenPixels(*pArea, CRect(0, 0, 44, 27)), expected, 44, &strFirst);
        return nDiff == 0;
    }, 3000);
    EXPECT_EQ(0, nDiff) << strFirst;
}

TEST_F(AreaTest, BmAreaClickSendsItsId)
{
    std::unique_ptr<CBmArea> pArea(new CBmArea(ID_LOGO_AREA, CRect(9, 9, 63, 59), m_pParent.get(),
                                               BITMAP_STILL_LOGO_FLOAT, "Marvik", 0, nullptr, 1, 1));
    ASSERT_TRUE(ClickAt(*pArea, 20, 12));
    ASSERT_EQ(1u, CommandsAfterClick());
    EXPECT_EQ(ID_LOGO_AREA, LOWORD(m_pParent->m_commands[0].wParam));
    EXPECT_EQ((HWND)*pArea, m_pParent->m_commands[0].hWndFrom);
}

TEST_F(AreaTest, BmAreaPressMoveOffAndReleaseSendsNothing)
{
    std::unique_ptr<CBmArea> pArea(new CBmArea(ID_LOGO_AREA, CRect(9, 9, 63, 59), m_pParent.get(),
                                               BITMAP_STILL_LOGO_FLOAT, nullptr, 0, nullptr, 1, 1));
    ASSERT_TRUE(MoveMouseTo(*pArea, 20, 12));
    ASSERT_TRUE(MouseDown());
    ASSERT_TRUE(MoveMouseTo(*pArea, 120, 12));
    ASSERT_TRUE(MouseUp());
    PumpFor(500);
    EXPECT_EQ(0u, m_pParent->m_commands.size());
}

class AviAreaTest : public AreaTest {
protected:
    void SetUp() override
    {
        AreaTest::SetUp();
        m_pArea = new CAviArea(ID_LOGO_AREA, CRect(9, 9, 63, 59), CRect(CLIP_X, CLIP_Y, 54, 18),
                               BITMAP_LOGO_HORZ, AVI_LOGO_HORZ, m_pParent.get(),
                               "Marvik Tymp Studio Controller", 0, nullptr, 1, 1);
        PumpFor(100);
    }
    void TearDown() override
    {
        delete m_pArea;
        AreaTest::TearDown();
    }
    HWND Animation() { return FindWindowExA(*m_pArea, nullptr, ANIMATE_CLASSA, nullptr); }

    CAviArea* m_pArea = nullptr;
};

TEST_F(AviAreaTest, IsAsLargeAsItsBitmapWithTheClipAtItsPlace)
{
    RECT rc = ChildRect(*m_pArea);
    EXPECT_EQ(9, rc.left);
    EXPECT_EQ(9, rc.top);
    EXPECT_EQ(LOGO_CX, rc.right - rc.left);
    EXPECT_EQ(LOGO_CY, rc.bottom - rc.top);
    HWND hAnim = Animation();
    ASSERT_NE(nullptr, hAnim);
    rc = ChildRect(hAnim);
    EXPECT_EQ(CLIP_X, rc.left);
    EXPECT_EQ(CLIP_Y, rc.top);
    EXPECT_EQ(CLIP_CX, rc.right - rc.left);
    EXPECT_EQ(CLIP_CY, rc.bottom - rc.top);
    EXPECT_TRUE(IsWindowVisible(hAnim));
}

TEST_F(AviAreaTest, TheClipPlays)
{
    RECT rcClip = { CLIP_X, CLIP_Y, CLIP_X + CLIP_CX, CLIP_Y + CLIP_CY };
    PumpFor(200);
    Pixels first = ScreenPixels(*m_pArea, rcClip);
    int nChanged = 0;
    PumpUntil([&] {
        nChanged = CountDifferences(ScreenPixels(*m_pArea, rcClip), first, CLIP_CX);
        return nChanged > 0;
    }, 2000);
    EXPECT_GT(nChanged, 0) << "the clip's pixels stayed as they were";
}

TEST_F(AviAreaTest, ShowsTheLogoAroundTheClip)
{
    Pixels expected = BitmapPixels(BITMAP_LOGO_HORZ, 0, 0, 30, LOGO_CY);
    int nDiff = 0;
    std::string strFirst;
    PumpUntil([&] {
        nDiff = CountDifferences(ScreenPixels(*m_pArea, CRect(0, 0, 30, LOGO_CY)), expected, 30, &strFirst);
        return nDiff == 0;
    }, 3000);
    EXPECT_EQ(0, nDiff) << strFirst;
}

TEST_F(AviAreaTest, ClickOnTheLogoSendsItsId)
{
    ASSERT_TRUE(ClickAt(*m_pArea, 12, 10));
    ASSERT_EQ(1u, CommandsAfterClick());
    EXPECT_EQ(ID_LOGO_AREA, LOWORD(m_pParent->m_commands[0].wParam));
    EXPECT_EQ((HWND)*m_pArea, m_pParent->m_commands[0].hWndFrom);
}

TEST_F(AviAreaTest, ClickOnTheClipSendsItsId)
{
    ASSERT_TRUE(ClickAt(*m_pArea, CLIP_X + 4, CLIP_Y + 7));
    ASSERT_EQ(1u, CommandsAfterClick());
    EXPECT_EQ(ID_LOGO_AREA, LOWORD(m_pParent->m_commands[0].wParam));
}

TEST_F(AviAreaTest, GoesWithItsClip)
{
    HWND hAnim = Animation();
    ASSERT_NE(nullptr, hAnim);
    delete m_pArea;
    m_pArea = nullptr;
    EXPECT_FALSE(IsWindow(hAnim));
}

} // namespace
