// The start-up progress window as someone watching the screen sees it.
#include "E2ESupport.h"

using namespace e2e;

namespace {

const int STATUS_LINE = 1001;   // the progress window's status text

std::vector<std::string>* g_pTexts;

void Note(const std::string& strText)
{
    if (!strText.empty() && (g_pTexts->empty() || g_pTexts->back() != strText))
        g_pTexts->push_back(strText);
}

// The status texts of the progress window, each once, in the order they
// showed, until the bar itself shows.
std::vector<std::string> WatchProgress(const std::string& strArgs)
{
    std::vector<std::string> texts;
    g_pTexts = &texts;
    Controller bar(strArgs);
    DWORD t0 = GetTickCount();
    while (GetTickCount() - t0 < kStartTimeout && bar.Running() && !bar.Bar()) {
        for (HWND hWnd : WindowsTitled(kBarTitle, bar.Pid()))
            if (HWND hStatus = GetDlgItem(hWnd, STATUS_LINE))
                Note(WindowText(hStatus));
        Pause(5);
    }
    HWND hBar = bar.WaitForBar();
    EXPECT_NE(nullptr, hBar);
    for (HWND hWnd : WindowsTitled(kBarTitle, bar.Pid()))
        EXPECT_EQ(nullptr, GetDlgItem(hWnd, STATUS_LINE)) << "the progress window is gone once the bar shows";
    if (hBar) {
        PostMessageA(hBar, WM_SYSCOMMAND, SC_CLOSE, 0);
        bar.WaitExit(kExitTimeout);
    }
    return texts;
}

std::string Join(const std::vector<std::string>& texts)
{
    std::string str;
    for (const std::string& s : texts)
        str += "\n  " + s;
    return str;
}

class Progress : public ControllerTest {};

} // namespace

// Most steps take a moment only, so a watcher sees some of the texts: they
// must come in order, and the last one stays until the bar shows.
const std::vector<std::string> ALL_STEPS = {
    "Preparing loading data for Tymp Studio 3.0", "Getting system device information",
    "Initialing Tymp Studio Controller", "Finding activate Tymp Studio module",
    "Loading Tymp Studio modules", "Communicating with Tymp Studio modules",
};

bool InOrder(const std::vector<std::string>& texts)
{
    size_t i = 0;
    for (const std::string& s : texts) {
        while (i < ALL_STEPS.size() && ALL_STEPS[i] != s)
            i++;
        if (i++ == ALL_STEPS.size())
            return false;
    }
    return true;
}

TEST_F(Progress, ShowsTheStepsInOrderAndIsGoneWhenTheBarShows)
{
    std::vector<std::string> texts = WatchProgress("");
    EXPECT_TRUE(InOrder(texts)) << "seen:" << Join(texts);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(ALL_STEPS.back(), texts.back()) << "seen:" << Join(texts);
}

TEST_F(Progress, StartedFromAModuleItNeverSaysItLoadsModules)
{
    for (int nRun = 0; nRun < 2; nRun++) {
        std::vector<std::string> texts = WatchProgress(" StartFromModuleWithoutRunOther");
        EXPECT_TRUE(InOrder(texts)) << "seen:" << Join(texts);
        for (const std::string& s : texts)
            EXPECT_NE("Loading Tymp Studio modules", s);
    }
}
