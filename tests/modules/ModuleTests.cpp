// The bar's side of the module protocol, with module windows of the test that record what the bar posts them.
#include "tests/support/BarFixture.h"
#include "tests/support/Controller.h"
#include "res/resource.h"
#include <climits>

namespace {

constexpr char CD_TITLE[] = "Tymp Studio CDPlayer";
constexpr char WAVE_TITLE[] = "Tymp Studio WavePlayer";
constexpr char MIDI_TITLE[] = "Tymp Studio MidiPlayer";
constexpr int NO_ORDER = -1; // the slot holds no window
constexpr int NO_TOP = INT_MIN; // the window top of a module that does not run
using Post = std::pair<HWND, LPARAM>; // a message the bar posted: to which window, with which code
const std::vector<Post> NOTHING;
constexpr LPARAM HIGH_BIT = (LPARAM)1 << (sizeof(LPARAM) * 8 - 2); // above every code; on 64-bit, above 32 bits

// A bar that finds CD audio and a MIDI device, and the players as windows of the test.
class ModuleProtocol : public BarTest {
protected:
    ModuleProtocol() : BarTest(0, 1) { g_moduleMessages.clear(); }
    ~ModuleProtocol() override { EndBarAndModules(); }
    HWND Module(const char* pszTitle, int y = 100) // none at NO_TOP
    {
        if (y != NO_TOP)
            m_windows.push_back(CreateModuleWindow(pszTitle, y));
        return y != NO_TOP ? m_windows.back() : nullptr;
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
    std::vector<Post> ToEachPlayer(LPARAM lCode) const // in slot order
    {
        return { { m_hCD, lCode }, { m_hWave, lCode }, { m_hMidi, lCode } };
    }
    std::vector<int> Orders() const // of the CD, wave and MIDI slots
    {
        std::vector<int> orders;
        for (int i = MODULE_CDPLAYER; i <= MODULE_MIDIPLAYER; i++)
            orders.push_back(m_pBar->m_modules[i].hWnd ? m_pBar->m_modules[i].nOrder : NO_ORDER);
        return orders;
    }
    bool RestoreOffered() const // in the system menu, while the modules are minimised
    {
        return !(GetMenuState(GetSystemMenu(m_pBar->m_hWnd, FALSE), ID_RESTORE_MODULES, 0) & MF_GRAYED);
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
        { .pszTitle = CD_TITLE, .bChild = true, .lCode = MODMSG_ATTACH, .pszWhy = "a child with a player's title" },
        { .bFromBar = true, .lCode = MODMSG_MINIMIZE, .pszWhy = "the bar's own MINIMIZE" },
        { .lCode = -2, .pszWhy = "code -2" },
        { .lCode = MAKELONG(MODMSG_MINIMIZE, 1), .pszWhy = "a code whose low word alone is MINIMIZE" },
        { .lCode = HIGH_BIT | MODMSG_DETACH, .pszWhy = "a DETACH with a high bit set" },
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
        EXPECT_FALSE(m_pBar->IsIconic()) << row.pszWhy << " minimises nothing";
        EXPECT_EQ(Posted(), NOTHING) << row.pszWhy << " tells the modules nothing";
    }
}

TEST_F(ModuleProtocol, AFloatingBarMinimisesWithAModuleAndAnAttachShowsItEvenFromAStranger)
{
    StartWithPlayers();
    m_pBar->SetDockState(DBE_FLOAT);
    Tell(m_hWave, MODMSG_MINIMIZE);
    EXPECT_TRUE(m_pBar->IsIconic()) << "floating, the bar minimises with the modules";
    EXPECT_EQ(Posted(), NOTHING) << "a module's minimise is not told back";
    m_pBar->m_bHasCDAudio = FALSE;
    Tell(Module(CD_TITLE), MODMSG_ATTACH);
    EXPECT_FALSE(m_pBar->IsIconic()) << "shown again";
    EXPECT_EQ(m_pBar->m_modules[MODULE_CDPLAYER].hWnd, m_hCD) << "no CD audio: the window is no CD player";
}

TEST_F(ModuleProtocol, ADetachOrAnEndClosesTheGapAndAModuleComingBackGoesLastOnceHoweverOftenItAttaches)
{
    StartWithPlayers();
    Tell(m_hWave, MODMSG_DETACH);
    EXPECT_EQ(Orders(), (std::vector<int> { 0, NO_ORDER, 1 })) << "the MIDI player moves up into the gap";
    Tell(Module("Anything"), MODMSG_DETACH);
    Tell(nullptr, MODMSG_DETACH);
    EXPECT_EQ(Orders(), (std::vector<int> { 0, NO_ORDER, 1 }))
        << "a stranger's or an empty slot's DETACH frees nothing";
    Tell(m_hWave, MODMSG_ATTACH);
    Tell(m_hWave, MODMSG_ATTACH);
    EXPECT_EQ(Orders(), (std::vector<int> { 0, 2, 1 })) << "back again, the wave player goes last, announced twice";
    DestroyWindow(m_hCD); // without a DETACH
    HWND hNewCD = Module(CD_TITLE);
    Tell(hNewCD, MODMSG_ATTACH);
    EXPECT_EQ(Orders(), (std::vector<int> { 2, 1, 0 })) << "the ended CD player's gap is closed; the new one goes last";
    EXPECT_EQ(m_pBar->m_modules[MODULE_CDPLAYER].hWnd, hNewCD) << "the slot keeps the new window's whole handle";
}

// A module's minimise and restore are followed by the minimise button, a resize restores nothing, and what the
// user does reaches every module.
TEST_F(ModuleProtocol, DockedTheMinimiseButtonFollowsAModuleAndTheUsersMinimiseReachesEveryModule)
{
    StartWithPlayers();
    m_pBar->SetDockState(ABE_TOP);
    Tell(m_hWave, MODMSG_MINIMIZE);
    EXPECT_FALSE(m_pBar->IsIconic()) << "docked, the bar stays";
    EXPECT_EQ(m_pBar->m_nModulesMinimized, 1) << "the minimise button follows a module's minimise";
    EXPECT_TRUE(RestoreOffered()) << "the menu offers Restore while they are minimised";
    Tell(m_hWave, MODMSG_RESTORE);
    EXPECT_EQ(m_pBar->m_nModulesMinimized, 0) << "and its restore";
    EXPECT_FALSE(RestoreOffered()) << "the menu offers no Restore once they are restored";
    m_pBar->SendMessage(WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_EQ(Posted(), NOTHING) << "a module's minimise and restore, and a resize, are not told back";
    m_pBar->ShowWindow(SW_MINIMIZE);
    EXPECT_EQ(Posted(), ToEachPlayer(MODMSG_MINIMIZE))
        << "the user's minimise after a resize tells each, in slot order";
    m_pBar->SendMessage(WM_COMMAND, ID_MINIMIZE_BUTTON);
    EXPECT_EQ(Posted(), ToEachPlayer(MODMSG_RESTORE)) << "then the button restores them";
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
        { .nTopCD = 400, .nTopWave = NO_TOP, .nTopMidi = 120, .orders = { 1, NO_ORDER, 0 }, .pszWhy = "none last" },
    };
    for (const auto& row : rows) {
        Module(CD_TITLE, row.nTopCD);
        Module(WAVE_TITLE, row.nTopWave);
        Module(MIDI_TITLE, row.nTopMidi);
        m_pBar = StartBar();
        EXPECT_EQ(Orders(), row.orders) << row.pszWhy;
        EndBarAndModules();
    }
}

// Each move is handled at once, before any window event of what came just before could arrive.
TEST_F(ModuleProtocol, EveryMouseMoveSeesTheVolumeControlAsItIsThen)
{
    m_pBar = StartBar();
    HWND hOther = Module("Sound Recorder");
    m_pBar->SendMessage(WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(m_pBar->m_bLaunchModule[MODULE_VOLUME]) << "no applet: its button starts it";
    HWND hVolume = Module("Volume Control");
    m_pBar->SendMessage(WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(m_pBar->m_bLaunchModule[MODULE_VOLUME]) << "the move right after the applet's window appears sees it";
    DestroyWindow(hVolume);
    m_pBar->SendMessage(WM_MOUSEMOVE, 0, 0);
    EXPECT_TRUE(m_pBar->m_bLaunchModule[MODULE_VOLUME]) << "the move right after it went sees it gone";
    SetWindowTextA(hOther, "Volume Control");
    m_pBar->SendMessage(WM_MOUSEMOVE, 0, 0);
    EXPECT_FALSE(m_pBar->m_bLaunchModule[MODULE_VOLUME]) << "a window renamed to the applet's title is the applet";
}

TEST_F(ModuleProtocol, TheHitTestPutsEachModuleRightBehindTheBarInTurn)
{
    StartWithPlayers();
    for (HWND hWnd : { m_hMidi, m_hWave, m_hCD })
        SetWindowPos(hWnd, m_pBar->m_hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(500, 230));
    HWND hNext = GetWindow(m_pBar->m_hWnd, GW_HWNDNEXT);
    EXPECT_EQ(hNext, m_hMidi) << "behind the floating bar, in another order, they are put in turn: MIDI first";
    hNext = GetWindow(hNext, GW_HWNDNEXT);
    EXPECT_EQ(hNext, m_hWave) << "then the wave player";
    EXPECT_EQ(GetWindow(hNext, GW_HWNDNEXT), m_hCD) << "then the CD player, put behind the bar first";
}
