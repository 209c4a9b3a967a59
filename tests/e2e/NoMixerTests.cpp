// A system without an audio device: the program says so and starts no bar.
// Runs as its own CTest entry, with a home where Wine finds no sound device.
#include "E2ESupport.h"
#include <mmsystem.h>
#include <algorithm>

using namespace e2e;

namespace {

constexpr char kNoDeviceText[] =
    "Tymp Studio can not find audio device in the system, please check your system, and run Tymp Studio later.";

class NoMixer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(mixerGetNumDevs(), 0u) << "Wine reports a mixer; run with TYMP_HOME set to a home without one";
        EndAllControllers();
        DeleteSettings();
    }
    void TearDown() override
    {
        EndAllControllers();
        DeleteSettings();
    }

    static HWND WaitForMessageBox(const Controller& c)
    {
        HWND hBox = nullptr;
        WaitUntil([&] {
            for (HWND h : WindowsTitled(kControllerName, c.Pid()))
                if (IsWindowVisible(h))
                    hBox = h;
            return hBox != nullptr || !c.Running();
        }, kStartTimeout);
        return hBox;
    }
};

BOOL CALLBACK CollectStaticText(HWND hWnd, LPARAM lParam)
{
    std::string strClass = ClassName(hWnd);
    std::transform(strClass.begin(), strClass.end(), strClass.begin(), ::tolower);
    if (strClass == "static")
        reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(WindowText(hWnd));
    return TRUE;
}

std::vector<std::string> StaticTexts(HWND hWnd)
{
    std::vector<std::string> texts;
    EnumChildWindows(hWnd, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string str;
    for (const auto& text : texts)
        str += "[" + text + "] ";
    return str;
}

} // namespace

TEST_F(NoMixer, ExplainsWithoutABarAndEndsOnOk)
{
    Controller c;
    ASSERT_TRUE(c.Started()) << "CreateProcess error " << c.StartError();
    HWND hBox = WaitForMessageBox(c);
    ASSERT_NE(hBox, nullptr) << "no message box; running " << c.Running() << ", exit code " << c.ExitCode();
    EXPECT_EQ(ClassName(hBox), "#32770");
    EXPECT_EQ(GetWindow(hBox, GW_OWNER), nullptr);
    auto texts = StaticTexts(hBox);
    EXPECT_NE(std::find(texts.begin(), texts.end(), kNoDeviceText), texts.end()) << Joined(texts);

    Pause(2500);    // a bar, had it gone on, would be up by now
    EXPECT_TRUE(WindowsTitled(kBarTitle).empty()) << WindowsTitled(kBarTitle).size() << " windows";
    EXPECT_TRUE(c.Running()) << "ended before the user answered";

    PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(c.WaitExit(5000)) << "still running after OK";
    EXPECT_EQ(c.ExitCode(), 0u);
    EXPECT_TRUE(WindowsTitled(kBarTitle).empty());
}

TEST_F(NoMixer, EndsWhenTheMessageBoxIsClosed)
{
    Controller c(" AUTOCLOSE");     // the device check comes before any start mode
    HWND hBox = WaitForMessageBox(c);
    ASSERT_NE(hBox, nullptr) << "no message box; running " << c.Running() << ", exit code " << c.ExitCode();
    PostMessageA(hBox, WM_CLOSE, 0, 0);
    ASSERT_TRUE(c.WaitExit(5000)) << "still running after the box was closed";
    EXPECT_EQ(c.ExitCode(), 0u);
}

TEST_F(NoMixer, NotificationIconCopyRunsAnyway)
{
    Controller tray(" AddIconToTaskbarWhenQuit");
    ASSERT_TRUE(WaitUntil([&] { return !WindowsTitled(kBarTitle, tray.Pid()).empty() || !tray.Running(); },
                          10000));
    ASSERT_FALSE(WindowsTitled(kBarTitle, tray.Pid()).empty()) << "exit code " << tray.ExitCode();
    EXPECT_TRUE(WindowsTitled(kControllerName, tray.Pid()).empty()) << "the copy checked for a device";
    PostMessageA(WindowsTitled(kBarTitle, tray.Pid()).front(), kCloseInstanceMessage, 0, 0);
    EXPECT_TRUE(tray.WaitExit(5000));
    EXPECT_EQ(tray.ExitCode(), 0u);
}
