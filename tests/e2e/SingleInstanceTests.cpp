// A second start hands over to the bar that already runs and ends at once.
#include "E2ESupport.h"

using namespace e2e;

namespace {

class SingleInstance : public ControllerTest {};

// A plain window of this process, to take the foreground away from the bar.
class ForegroundThief {
public:
    ForegroundThief()
    {
        m_hWnd = CreateWindowExA(0, "STATIC", "e2e foreground thief", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 50, 50, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(m_hWnd);
    }
    ~ForegroundThief() { DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

} // namespace

TEST_F(SingleInstance, SecondStartRestoresTheMinimisedBarAndEnds)
{
    Controller first;
    HWND hBar = first.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar shown; exit code " << first.ExitCode();
    ShowWindow(hBar, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(hBar) != FALSE; }, 3000)) << "the bar could not be minimised";

    Controller second;
    ASSERT_TRUE(second.Started()) << "CreateProcess error " << second.StartError();
    EXPECT_TRUE(second.WaitExit(5000)) << "the second copy is still running";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(second.Bar(), nullptr);

    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(hBar) && IsWindowVisible(hBar); }, 3000))
        << "iconic " << IsIconic(hBar) << ", visible " << IsWindowVisible(hBar);
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(VisibleBars(), std::vector<HWND>{ hBar });
    CloseBar(first, hBar);
}

TEST_F(SingleInstance, SecondStartBringsTheBarForward)
{
    Controller first;
    HWND hBar = first.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar shown; exit code " << first.ExitCode();

    ForegroundThief thief;
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == thief.m_hWnd; }, 3000))
        << "foreground is " << GetForegroundWindow() << " \"" << WindowText(GetForegroundWindow()) << "\"";

    Controller second(" AUTOCLOSE");    // its switches are ignored: the running bar stays
    EXPECT_TRUE(second.WaitExit(5000)) << "the second copy is still running";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == hBar; }, 3000))
        << "foreground is " << GetForegroundWindow() << " \"" << WindowText(GetForegroundWindow())
        << "\", bar is " << hBar;

    Pause(2500);    // longer than the auto-close delay would be
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(VisibleBars(), std::vector<HWND>{ hBar });
    CloseBar(first, hBar);
}
