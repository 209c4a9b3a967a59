// The command line's switches.
#include "app/ControllerApp.h"
#include <gtest/gtest.h>
#include <string>

TEST(CommandLine, StartModeFromSwitches)
{
    const struct {
        const char* psz;
        int nMode;
    } cases[] = {
        { "", START_NORMAL },
        { "TympController.exe", START_NORMAL },
        { "x AUTOCLOSE", START_AUTOCLOSE },
        { "x AUTOCLOSEXYZ", START_AUTOCLOSE },          // inside a longer word still counts
        { "x/AUTOCLOSE", START_NORMAL },                // the blank belongs to the switch
        { "x autoclose", START_NORMAL },                // and so does the case
        { "x RUNMINIMIZE", START_RUNMINIMIZE },
        { "x AUTOCLOSE RUNMINIMIZE", START_RUNMINIMIZE },
        { "x RUNMINIMIZE AUTOCLOSE", START_RUNMINIMIZE },
        { "\"C:\\a b\\TympController.exe\" \" AUTOCLOSE\"", START_AUTOCLOSE },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nMode, CControllerApp::StartModeFromCommandLine(c.psz)) << "\"" << c.psz << "\"";
}

TEST(CommandLine, LongAndBinaryLinesAreSearchedSafely)
{
    std::string strJunk;
    for (int i = 0; i < 40000; i++)
        strJunk += (char)(1 + (i * 7919) % 255);
    EXPECT_EQ(START_NORMAL, CControllerApp::StartModeFromCommandLine(strJunk.c_str()));
    EXPECT_EQ(START_RUNMINIMIZE, CControllerApp::StartModeFromCommandLine((strJunk + " RUNMINIMIZE").c_str()));
    EXPECT_EQ(START_AUTOCLOSE, CControllerApp::StartModeFromCommandLine((" AUTOCLOSE" + strJunk).c_str()));
    EXPECT_EQ(START_NORMAL, CControllerApp::StartModeFromCommandLine(" AUTOCLOS"));
}
