// The bar's side of the module protocol, with module windows of the test that record what the bar posts them.
#include "tests/support/BarFixture.h"
#include "tests/support/Controller.h"
#include "res/resource.h"
#include <algorithm>
#include <climits>

namespace {

constexpr char CD_TITLE[] = "Tymp Studio CDPlayer";
constexpr char WAVE_TITLE[] = "Tymp Studio WavePlayer";
constexpr char MIDI_TITLE[] = "Tymp Studio MidiPlayer";
constexpr int NO_ORDER = -1; // the slot holds no window
constexpr int NO_TOP = INT_MIN; // the window top of a module that does not run
using Post = std::pair<HWND, LPARAM>; // a message the bar posted: to which window, with which code
const std::vector<Post> NOTHING;

// A bar that finds CD audio and a MIDI device, and the players as windows of the test.
class ModuleProtocol : public BarTest {
protected:
    ModuleProtocol() : BarTest(0, 1) { g_moduleMessages.clear(); }
    ~ModuleProtocol() override { EndBarAndModules(); }
    HWND Module(const char* pszTitle, int y = 100)
    {
        m_windows.push_back(CreateModuleWindow(pszTitle, y));
        return m_windows.back();
    }
    // The CD, wave and MIDI players attach in this order: their orders are 0, 1 and 2.
    void StartWithPlayers()
    {
        m_pBar = StartBar();
        m_hCD = Module(CD_TITLE);
        m_hWave = Module(WAVE_TITLE);
        m_hMidi = Module(MIDI_TITLE);
        Tell(m_hCD, MODMSG_ATTACH);
        Tell(m_hWave, MODMSG_ATTACH);
        Tell(m_hMidi, MODMSG_ATTACH);
    }
    void EndBarAndModules()
    {
        m_pBar.reset();
        for (HWND hWnd : std::exchange(m_windows, {}))
            DestroyWindow(hWnd);
        m_hCD = m_hWave = m_hMidi = nullptr;
        g_moduleMessages.clear();
    }
    void Tell(HWND hFrom, LPARAM lCode) { m_pBar->SendMessage(g_uModuleMessage, LOWORD((UINT_PTR)hFrom), lCode); }
    std::vector<Post> Posted() // since last asked
    {
        Pump();
        std::vector<Post> posts;
        for (const ModuleMessage& message : std::exchange(g_moduleMessages, {})) {
            EXPECT_EQ(message.wParam, LOWORD((UINT_PTR)m_pBar->m_hWnd)) << "the bar names itself by its low word";
            posts.push_back({ message.hWnd, message.lParam });
        }
        return posts;
    }
    std::vector<Post> ToEachPlayer(LPARAM lCode) const // that runs, in slot order
    {
        std::vector<Post> posts;
        for (HWND hWnd : { m_hCD, m_hWave, m_hMidi })
            if (hWnd)
                posts.push_back({ hWnd, lCode });
        return posts;
    }
    std::vector<int> Orders() const // of the CD, wave and MIDI slots
    {
        std::vector<int> orders;
        for (int i = MODULE_CDPLAYER; i <= MODULE_MIDIPLAYER; i++)
            orders.push_back(m_pBar->m_modules[i].hWnd ? m_pBar->m_modules[i].nOrder : NO_ORDER);
        return orders;
    }
    void ExpectModulesMinimized(bool bMinimized, const char* pszWhy) const
    {
        const UINT nState = GetMenuState(GetSystemMenu(m_pBar->m_hWnd, FALSE), ID_RESTORE_MODULES, 0);
        EXPECT_EQ(m_pBar->m_nModulesMinimized, bMinimized ? 1 : 0) << pszWhy;
        EXPECT_EQ((nState & MF_GRAYED) == 0, bMinimized) << pszWhy << ": the menu offers Restore while they are";
    }
    BarPtr m_pBar;
    std::vector<HWND> m_windows;
    HWND m_hCD = nullptr;
    HWND m_hWave = nullptr;
    HWND m_hMidi = nullptr;
};

} // namespace

TEST_F(ModuleProtocol, StrangersTheBarsOwnPostsAndUnknownCodesChangeNothing)
{
    StartWithPlayers();
    const struct {
        const char* pszTitle = nullptr; // of a new window that sends the code; none: the bar or the wave player
        bool bChild = false;
        bool bFromBar = false;
        LPARAM lCode;
        const char* pszWhy;
    } rows[] = {
        { .pszTitle = "Tymp Studio cdplayer", .lCode = MODMSG_ATTACH, .pszWhy = "a title differing only in case" },
        { .pszTitle = "Volume Control", .lCode = MODMSG_ATTACH, .pszWhy = "the Volume Control, which takes no part" },
        { .pszTitle = CD_TITLE, .bChild = true, .lCode = MODMSG_ATTACH, .pszWhy = "a child with a player's title" },
        { .bFromBar = true, .lCode = MODMSG_MINIMIZE, .pszWhy = "the bar's own MINIMIZE" },
        { .bFromBar = true, .lCode = MODMSG_EXIT, .pszWhy = "the bar's own EXIT" },
        { .lCode = -2, .pszWhy = "code -2" },
        { .lCode = INT_MIN, .pszWhy = "a code of the sign bit alone" },
    };
    for (const auto& row : rows) {
        HWND hFrom = row.bFromBar ? m_pBar->m_hWnd : m_hWave;
        if (row.pszTitle)
            hFrom = Module(row.bChild ? "Anything" : row.pszTitle);
        if (row.bChild)
            hFrom = CreateWindowExA(0, "STATIC", row.pszTitle, WS_CHILD, 0, 0, 9, 9, hFrom, 0, 0, 0);
        Tell(hFrom, row.lCode);
        EXPECT_EQ(m_pBar->m_modules[MODULE_CDPLAYER].hWnd, m_hCD) << row.pszWhy << " takes no slot";
        EXPECT_EQ(Orders(), (std::vector<int> { 0, 1, 2 })) << row.pszWhy << " frees no slot";
        EXPECT_EQ(m_pBar->m_nNextModuleOrder, 3) << row.pszWhy << " takes no order";
        EXPECT_FALSE(m_pBar->IsIconic()) << row.pszWhy << " minimises nothing";
        EXPECT_EQ(Posted(), NOTHING) << row.pszWhy << " tells the modules nothing";
    }
}

TEST_F(ModuleProtocol, AnAttachShowsTheMinimisedBarEvenFromAStranger)
{
    m_pBar = StartBar();
    m_pBar->ShowWindow(SW_MINIMIZE);
    m_pBar->m_bHasCDAudio = FALSE;
    Tell(Module(CD_TITLE), MODMSG_ATTACH);
    EXPECT_FALSE(m_pBar->IsIconic()) << "shown again";
    EXPECT_EQ(Orders(), (std::vector<int> { NO_ORDER, NO_ORDER, NO_ORDER })) << "no CD audio: no CD player";
}

TEST_F(ModuleProtocol, ADetachClosesTheGapAndTheModuleComingBackGoesLast)
{
    StartWithPlayers();
    Tell(m_hWave, MODMSG_DETACH);
    EXPECT_EQ(Orders(), (std::vector<int> { 0, NO_ORDER, 1 })) << "the MIDI player moves up into the gap";
    EXPECT_EQ(m_pBar->m_nNextModuleOrder, 2) << "two modules hold an order";
    EXPECT_TRUE(m_pBar->m_bLaunchModule[MODULE_WAVEPLAYER]) << "the wave player's button starts it again";
    Tell(Module("Anything"), MODMSG_DETACH);
    Tell(nullptr, MODMSG_DETACH);
    EXPECT_EQ(Orders(), (std::vector<int> { 0, NO_ORDER, 1 }))
        << "a stranger's or an empty slot's DETACH frees nothing";
    Tell(m_hWave, MODMSG_ATTACH);
    EXPECT_EQ(Orders(), (std::vector<int> { 0, 2, 1 })) << "back again, the wave player goes last";
    EXPECT_FALSE(m_pBar->m_bLaunchModule[MODULE_WAVEPLAYER]) << "its button removes it again";
}

TEST_F(ModuleProtocol, AModuleAttachingAgainKeepsItsPlaceAndOneThatEndedGivesItUp)
{
    StartWithPlayers();
    Tell(m_hCD, MODMSG_ATTACH);
    EXPECT_EQ(Orders(), (std::vector<int> { 0, 1, 2 })) << "the CD player announcing itself again keeps its place";
    DestroyWindow(m_hCD); // without a DETACH
    HWND hNewCD = Module(CD_TITLE);
    Tell(hNewCD, MODMSG_ATTACH);
    EXPECT_EQ(Orders(), (std::vector<int> { 2, 0, 1 })) << "the ended player's gap is closed; the new one goes last";
    EXPECT_EQ(m_pBar->m_modules[MODULE_CDPLAYER].hWnd, hNewCD) << "the slot keeps the new window's whole handle";
}

TEST_F(ModuleProtocol, MinimisingAndRestoringReachEveryModuleButTheOneThatDidIt)
{
    const struct {
        int nEdge;
        bool bBarMinimizes;
        const char* pszWhy;
    } rows[] = {
        { .nEdge = DBE_FLOAT, .bBarMinimizes = true, .pszWhy = "floating, the bar minimises with the modules" },
        { .nEdge = ABE_TOP, .bBarMinimizes = false, .pszWhy = "docked, only the minimise button follows" },
    };
    for (const auto& row : rows) {
        StartWithPlayers();
        m_pBar->SetDockState(row.nEdge);
        Tell(m_hWave, MODMSG_MINIMIZE);
        EXPECT_EQ(m_pBar->IsIconic() != FALSE, row.bBarMinimizes) << row.pszWhy;
        ExpectModulesMinimized(true, row.pszWhy);
        EXPECT_EQ(Posted(), NOTHING) << row.pszWhy << ": a module's minimise is not told back";
        Tell(m_hWave, MODMSG_RESTORE); // followed likewise, or the button below would restore
        m_pBar->SendMessage(WM_COMMAND, ID_MINIMIZE_BUTTON);
        EXPECT_EQ(Posted(), ToEachPlayer(MODMSG_MINIMIZE)) << row.pszWhy << ": the button tells each, in slot order";
        ExpectModulesMinimized(true, row.pszWhy);
        m_pBar->SendMessage(WM_COMMAND, ID_MINIMIZE_BUTTON);
        EXPECT_EQ(Posted(), ToEachPlayer(MODMSG_RESTORE)) << row.pszWhy << ": pressed again, the button restores";
        ExpectModulesMinimized(false, row.pszWhy);
        EndBarAndModules();
    }
}

TEST_F(ModuleProtocol, APlainResizeForgetsAModulesMinimise)
{
    StartWithPlayers();
    m_pBar->SetDockState(ABE_TOP);
    Tell(m_hWave, MODMSG_MINIMIZE);
    m_pBar->SendMessage(WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_EQ(Posted(), NOTHING) << "a docked bar's resize restores no module";
    ExpectModulesMinimized(true, "a resize is no restore");
    m_pBar->ShowWindow(SW_MINIMIZE);
    EXPECT_EQ(Posted(), ToEachPlayer(MODMSG_MINIMIZE)) << "the user's minimise after the resize reaches the modules";
}

// The exit storm: while an exit waits, a module leaves and the user clicks Exit.
TEST_F(ModuleProtocol, AnExitThatWaitsTellsEachModuleOnceAndSavesThoseThatRanWhenItBegan)
{
    StartWithPlayers();
    DestroyWindow(m_hCD); // ended without a DETACH: its slot counts as empty
    m_pBar->SetStartMode(START_AUTOCLOSE); // the exit waits, dispatching what comes meanwhile
    m_pBar->PostMessage(g_uModuleMessage, LOWORD((UINT_PTR)m_hWave), MODMSG_DETACH);
    m_pBar->PostMessage(WM_COMMAND, ID_EXIT_BUTTON);
    Tell(m_hMidi, MODMSG_EXIT);
    const std::vector<Post> expected = {
        { m_hWave, MODMSG_DETACH }, // for the empty slot, a DETACH to each module that runs
        { m_hMidi, MODMSG_DETACH },
        { m_hWave, MODMSG_EXIT }, // then an EXIT to each, in slot order
        { m_hMidi, MODMSG_EXIT },
    };
    EXPECT_EQ(Posted(), expected) << "one exit sequence: the Exit click during the wait starts no second one";
    EXPECT_EQ(SavedModuleSequence(), (std::vector<int> { 2, MODULE_WAVEPLAYER, MODULE_MIDIPLAYER }))
        << "the wave player left during the wait, the CD player had ended before";
}

TEST_F(ModuleProtocol, ModulesRunningAtStartAreStackedByTheHeightOfTheirWindows)
{
    const struct {
        int nTopCD;
        int nTopWave;
        int nTopMidi;
        std::vector<int> orders; // of the CD, wave and MIDI slots
        const char* pszWhy;
    } rows[] = {
        { .nTopCD = 300, .nTopWave = 100, .nTopMidi = 200, .orders = { 2, 0, 1 }, .pszWhy = "highest first" },
        { .nTopCD = 150, .nTopWave = 150, .nTopMidi = 150, .orders = { 0, 1, 2 }, .pszWhy = "equal: slot order" },
        { .nTopCD = 400, .nTopWave = NO_TOP, .nTopMidi = 120, .orders = { 1, NO_ORDER, 0 }, .pszWhy = "none last" },
    };
    for (const auto& row : rows) {
        if (row.nTopCD != NO_TOP)
            m_hCD = Module(CD_TITLE, row.nTopCD);
        if (row.nTopWave != NO_TOP)
            m_hWave = Module(WAVE_TITLE, row.nTopWave);
        if (row.nTopMidi != NO_TOP)
            m_hMidi = Module(MIDI_TITLE, row.nTopMidi);
        m_pBar = StartBar();
        EXPECT_EQ(Orders(), row.orders) << row.pszWhy;
        EXPECT_EQ(Posted(), ToEachPlayer(MODMSG_ATTACH)) << row.pszWhy << ": each is told the bar is here";
        EndBarAndModules();
    }
}

TEST_F(ModuleProtocol, EveryMouseMoveSeesTheVolumeControlComeAndGo)
{
    m_pBar = StartBar();
    HWND hVolume = CreateModuleWindow("Volume Control", 100);
    m_pBar->SendMessage(WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(m_pBar->m_bLaunchModule[MODULE_VOLUME]) << "running: its button closes it";
    DestroyWindow(hVolume);
    m_pBar->SendMessage(WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(m_pBar->m_bLaunchModule[MODULE_VOLUME]) << "gone: its button starts it";
}
