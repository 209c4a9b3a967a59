// The start switches that end the bar by itself, and look-alikes that must not.
#include "E2ESupport.h"
#include <sstream>

using namespace e2e;

namespace {

class StartModes : public ControllerTest {
protected:
    // A normal exit would leave a notification-icon copy; these modes must not.
    void SetUp() override
    {
        ControllerTest::SetUp();
        WriteIntSetting("InsertIconToTaskbarWhenQuit", 1);
    }

    void ExpectNothingLeftBehind()
    {
        Pause(1500);    // a copy would have been started before the bar ended
        std::ostringstream pids;
        for (DWORD pid : ControllerPids())
            pids << pid << " ";
        EXPECT_TRUE(ControllerPids().empty()) << "still running: " << pids.str();
        EXPECT_TRUE(WindowsTitled(kBarTitle).empty()) << WindowsTitled(kBarTitle).size() << " windows";
    }
};

std::string SwitchName(const ::testing::TestParamInfo<const char*>& info)
{
    std::string name;
    for (const char* p = info.param; *p; p++)
        name += isalnum((unsigned char)*p) ? *p : '_';
    return name;
}

} // namespace

class AutoCloseSwitch : public StartModes, public ::testing::WithParamInterface<const char*> {};

TEST_P(AutoCloseSwitch, EndsTheBarSoonAfterItShows)
{
    Controller bar(GetParam());
    HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar shown; exit code " << bar.ExitCode();
    const DWORD tShown = GetTickCount();
    ASSERT_TRUE(bar.WaitExit(10000)) << "the bar did not end by itself";
    const double seconds = (GetTickCount() - tShown) / 1000.0;
    EXPECT_GE(seconds, 1.0) << "ended too soon after showing";
    EXPECT_LE(seconds, 6.0);
    EXPECT_EQ(bar.ExitCode(), 0u) << std::hex << "0x" << bar.ExitCode();
    EXPECT_INT_SETTING("State", kFloating);     // settings saved on the way out
    ExpectNothingLeftBehind();
}

INSTANTIATE_TEST_SUITE_P(Recognised, AutoCloseSwitch, ::testing::Values(" AUTOCLOSE", " AUTOCLOSEXYZ"), SwitchName);

TEST_F(StartModes, RunMinimizeEndsWithoutBeingClosed)
{
    Controller bar(" AUTOCLOSE RUNMINIMIZE");
    ASSERT_TRUE(bar.Started()) << "CreateProcess error " << bar.StartError();
    ASSERT_TRUE(bar.WaitExit(kStartTimeout)) << "still running; bar shown: " << (bar.Bar() != nullptr);
    EXPECT_EQ(bar.ExitCode(), 0u) << std::hex << "0x" << bar.ExitCode();
    EXPECT_INT_SETTING("State", kFloating);
    ExpectNothingLeftBehind();
}

class LookAlikeSwitch : public StartModes, public ::testing::WithParamInterface<const char*> {};

TEST_P(LookAlikeSwitch, LeavesTheBarRunning)
{
    WriteIntSetting("InsertIconToTaskbarWhenQuit", 0);
    Controller bar(GetParam());
    HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar shown; exit code " << bar.ExitCode();
    Pause(4000);    // twice what the auto-close delay would take
    EXPECT_TRUE(bar.Running()) << "ended by itself, exit code " << bar.ExitCode();
    if (bar.Running())
        CloseBar(bar, hBar);
}

INSTANTIATE_TEST_SUITE_P(Ignored, LookAlikeSwitch, ::testing::Values(" /AUTOCLOSE", " autoclose"), SwitchName);
