// Damaged stored settings and odd command lines: the bar still shows and ends cleanly.
#include "E2ESupport.h"
#include <climits>
#include <cstring>
#include <random>

using namespace e2e;

namespace {

struct StoredState {
    const char* pszName;
    DWORD dwType;
    std::vector<BYTE> data;
    int nPlacedEdge;    // kFloating: at the floating rectangle
    int nSavedBack;
};

std::vector<BYTE> IntBytes(int n)
{
    std::vector<BYTE> bytes(sizeof n);
    memcpy(bytes.data(), &n, sizeof n);
    return bytes;
}

std::vector<BYTE> TooLong()
{
    // Were the first 4 bytes taken, the bar would dock at the bottom.
    std::vector<BYTE> bytes(100, 0xAB);
    const int nBottom = 3;
    memcpy(bytes.data(), &nBottom, sizeof nBottom);
    return bytes;
}

const StoredState kStates[] = {
    { "Seven", REG_BINARY, IntBytes(7), kFloating, 7 },
    { "MinusOne", REG_BINARY, IntBytes(-1), kFloating, kFloating },
    { "MinusThousand", REG_BINARY, IntBytes(-1000), kFloating, -1000 },
    { "IntMin", REG_BINARY, IntBytes(INT_MIN), kFloating, INT_MIN },
    { "DwordType", REG_DWORD, IntBytes(3), 3, 3 },              // read by its bytes
    { "OneByte", REG_BINARY, { 1 }, 1, 1 },                     // zero-extended
    { "Empty", REG_BINARY, {}, 0, 0 },
    { "HundredBytes", REG_BINARY, TooLong(), kFloating, kFloating },
    { "Text", REG_SZ, { 'b', 'o', 't', 't', 'o', 'm', 0 }, kFloating, kFloating },
};

class BadStoredState : public ControllerTest, public ::testing::WithParamInterface<StoredState> {};

class BadStoredRect : public ControllerTest {};

class OddCommandLine : public ControllerTest {
protected:
    void RunToItsEnd(const std::string& args)
    {
        Controller bar(args);
        ASSERT_TRUE(bar.Started()) << "CreateProcess error " << bar.StartError();
        HWND hBar = bar.WaitForBar();
        EXPECT_NE(hBar, nullptr) << "no bar shown; running " << bar.Running();
        ASSERT_TRUE(bar.WaitExit(kStartTimeout)) << "did not end by itself";
        EXPECT_EQ(bar.ExitCode(), 0u) << std::hex << "0x" << bar.ExitCode();
    }
};

} // namespace

TEST_P(BadStoredState, BarShowsOnScreenEndsCleanlyAndSavesWhatItCarries)
{
    const StoredState& state = GetParam();
    WriteSetting("State", state.dwType, state.data.data(), (DWORD)state.data.size());

    Controller bar(" AUTOCLOSE");
    HWND hBar = bar.WaitForBar();
    ASSERT_NE(hBar, nullptr) << "no bar shown; running " << bar.Running() << std::hex << ", exit code 0x"
                             << bar.ExitCode();
    const RECT rcExpected = state.nPlacedEdge == kFloating ? DefaultFloatRect() : DockBand(state.nPlacedEdge);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(hBar) == rcExpected; }, 3000))
        << "bar at " << WindowRect(hBar) << ", expected " << rcExpected;
    RECT rcBar = WindowRect(hBar), rcScreen = ScreenRect(), rcOn;
    EXPECT_FALSE(IsRectEmpty(&rcBar)) << rcBar;
    EXPECT_TRUE(IntersectRect(&rcOn, &rcBar, &rcScreen)) << "bar off the screen at " << rcBar;

    ASSERT_TRUE(bar.WaitExit(10000)) << "did not end by itself";
    EXPECT_EQ(bar.ExitCode(), 0u) << std::hex << "0x" << bar.ExitCode();
    EXPECT_INT_SETTING("State", state.nSavedBack);
}

INSTANTIATE_TEST_SUITE_P(Values, BadStoredState, ::testing::ValuesIn(kStates),
                         [](const ::testing::TestParamInfo<StoredState>& info) {
                             return std::string(info.param.pszName);
                         });

TEST_F(BadStoredRect, ExtremeFloatingRectangleDoesNotCrash)
{
    // Width and height overflow an int; the values are the program's to carry, not to fix.
    WriteIntSetting("State", kFloating);
    WriteIntSetting("FloatLeft", INT_MIN);
    WriteIntSetting("FloatTop", INT_MIN);
    WriteIntSetting("FloatRight", INT_MAX);
    WriteIntSetting("FloatBottom", INT_MAX);

    Controller bar(" AUTOCLOSE");
    ASSERT_TRUE(bar.Started()) << "CreateProcess error " << bar.StartError();
    ASSERT_TRUE(bar.WaitExit(kStartTimeout)) << "did not end by itself";
    EXPECT_EQ(bar.ExitCode(), 0u) << std::hex << "0x" << bar.ExitCode();
    EXPECT_INT_SETTING("FloatLeft", INT_MIN);
    EXPECT_INT_SETTING("FloatBottom", INT_MAX);
}

TEST_F(OddCommandLine, LongRandomJunkAroundTheSwitch)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> printable(0x20, 0x7E);
    std::string junk;
    while (junk.size() < 30000)
        junk += (char)printable(random);
    junk.insert(15000, " AUTOCLOSE ");
    ASSERT_EQ(junk.find(" RUNMINIMIZE"), std::string::npos);
    ASSERT_EQ(junk.find(" AddIconToTaskbarWhenQuit"), std::string::npos);
    RunToItsEnd(" " + junk);
}

TEST_F(OddCommandLine, EmbeddedQuotes)
{
    RunToItsEnd(R"( "a "b" c" "" \" AUTOCLOSE "unterminated \\" ")");
}

TEST_F(OddCommandLine, NonAsciiBytes)
{
    RunToItsEnd(" \xE9\xFC\xA0\xFF\x80 AUTOCLOSE \x81\x8D\x8F\x90\x9D\xC0\x01\x1B\x7F");
}
