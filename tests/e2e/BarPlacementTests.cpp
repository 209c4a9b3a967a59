// Where the bar appears for each stored position, and what it writes back at exit.
#include "E2ESupport.h"

using namespace e2e;

namespace {

class BarPlacement : public ControllerTest {};

void ExpectSavedFloatRect(const RECT& rc)
{
    EXPECT_INT_SETTING("FloatLeft", rc.left);
    EXPECT_INT_SETTING("FloatTop", rc.top);
    EXPECT_INT_SETTING("FloatRight", rc.right);
    EXPECT_INT_SETTING("FloatBottom", rc.bottom);
}

void ExpectSavedProgramName()
{
    RegValue file = ReadSetting("ControllerFileName");
    EXPECT_TRUE(file.bExists) << "ControllerFileName was not written";
    EXPECT_EQ(file.dwType, (DWORD)REG_SZ);
    EXPECT_EQ(file.AsString(), "TympController.exe");
}

} // namespace

TEST_F(BarPlacement, FirstStartFloatsAtTheDefaultRectangleAndSavesItsSettings)
{
    DeleteSettings();   // nothing stored at all, as on a fresh system
    Controller bar;
    ASSERT_TRUE(bar.Started()) << "CreateProcess error " << bar.StartError();
    HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar shown; running " << bar.Running() << ", exit code " << bar.ExitCode();

    const RECT rcFloat = DefaultFloatRect();
    if (GetSystemMetrics(SM_CXSCREEN) == 1024 && GetSystemMetrics(SM_CYSCREEN) == 768) {
        EXPECT_EQ(rcFloat, (RECT{ 308, 216, 716, 261 }));
    }
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == rcFloat; }, 3000))
        << "bar at " << WindowRect(hBar) << ", expected " << rcFloat;
    EXPECT_EQ(BarOrientation(hBar), 0);
    EXPECT_EQ(BarAlwaysOnTopWord(hBar), 0);
    EXPECT_EQ(GetWindowLongA(hBar, GWL_STYLE) & WS_CAPTION, 0) << std::hex << GetWindowLongA(hBar, GWL_STYLE);
    EXPECT_EQ(VisibleBars().size(), 1u);

    CloseBar(bar, hBar);
    EXPECT_INT_SETTING("State", kFloating);
    ExpectSavedFloatRect(rcFloat);
    ExpectSavedProgramName();
    EXPECT_INT_SETTING("AlwaysOnTop", 0);
    EXPECT_INT_SETTING("AutoHide", 0);
    EXPECT_INT_SETTING("InsertIconToTaskbarWhenQuit", 1);
}

TEST_F(BarPlacement, StoredFloatingRectangleIsUsedAndKept)
{
    const RECT rcStored = { 100, 500, 508, 545 };
    WriteIntSetting("State", kFloating);
    WriteIntSetting("FloatLeft", rcStored.left);
    WriteIntSetting("FloatTop", rcStored.top);
    WriteIntSetting("FloatRight", rcStored.right);
    WriteIntSetting("FloatBottom", rcStored.bottom);

    Controller bar;
    HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar shown; exit code " << bar.ExitCode();
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == rcStored; }, 3000))
        << "bar at " << WindowRect(hBar) << ", expected " << rcStored;

    CloseBar(bar, hBar);
    EXPECT_INT_SETTING("State", kFloating);
    ExpectSavedFloatRect(rcStored);
}

class DockedBar : public BarPlacement, public ::testing::WithParamInterface<int> {};

TEST_P(DockedBar, TakesItsEdgeBandAndKeepsTheEdge)
{
    const int nEdge = GetParam();
    WriteIntSetting("State", nEdge);

    Controller bar;
    HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar shown; exit code " << bar.ExitCode();
    const RECT rcBand = DockBand(nEdge);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == rcBand; }, 3000))
        << "bar at " << WindowRect(hBar) << ", expected " << rcBand;
    const bool bSideways = nEdge == 0 || nEdge == 2;
    EXPECT_EQ(BarOrientation(hBar), bSideways ? 2 : 1);
    EXPECT_EQ(BarAlwaysOnTopWord(hBar), 0);

    CloseBar(bar, hBar);
    EXPECT_INT_SETTING("State", nEdge);
    ExpectSavedFloatRect(DefaultFloatRect());    // kept for when it floats again
    ExpectSavedProgramName();
}

std::string EdgeName(const ::testing::TestParamInfo<int>& info)
{
    static const char* const names[] = { "Left", "Top", "Right", "Bottom" };
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Edges, DockedBar, ::testing::Values(0, 1, 2, 3), EdgeName);
