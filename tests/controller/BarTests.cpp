// The controller bar on real windows: its controls, faces, feet, menu and commands.
#include "tests/support/BarFixture.h"
#include "tests/support/Pixels.h"
#include "tests/support/Processes.h"
#include "controller/Leg.h"
#include "res/resource.h"
#include <set>

namespace {

const RECT FLOAT_RECT = { 308, 216, 716, 261 }, TOP_RECT = { 0, 0, 1024, 32 }, LEFT_RECT = { 0, 0, 32, 768 };

// A window's top-left corner, in hParent's client area when one is given; (-1, -1) for no window.
std::pair<int, int> Pos(HWND hWnd, HWND hParent = nullptr)
{
    POINT pt = { WindowRect(hWnd).left, WindowRect(hWnd).top };
    return hWnd && (!hParent || ScreenToClient(hParent, &pt)) ? std::make_pair((int)pt.x, (int)pt.y)
                                                              : std::make_pair(-1, -1);
}
// Waits until rc of hWnd's client area shows a bitmap's part at (x, y); answers the first difference.
std::string Shows(HWND hWnd, RECT rc, UINT nIDBitmap, int x = 0, int y = 0)
{
    std::string str;
    Pixels bitmap = BitmapPixels(GetModuleHandleA(nullptr), nIDBitmap, x, y, rc.right - rc.left, rc.bottom - rc.top);
    WaitUntil([&] { return !CountDifferences(ScreenPixels(hWnd, rc), bitmap, rc.right - rc.left, &(str = "")); }, 3000);
    return str;
}
class Bar : public BarTest {
protected:
    void Start()
    {
        m_pBar = StartBar();
        m_hBar = m_pBar->m_hWnd;
        ParkMouse();
    }
    void Command(UINT nID) { SendMessageA(m_hBar, WM_COMMAND, nID, 0); }
    HWND Control(int nID) const { return GetDlgItem(m_hBar, nID); }
    MenuSnapshot Menu(LPARAM lPoint)
    {
        Pump();
        return InspectMenu([&] { SendMessageA(m_hBar, WM_CONTEXTMENU, 0, lPoint); });
    }
    BarPtr m_pBar;
    HWND m_hBar = nullptr;
};

} // namespace

TEST_F(Bar, ControlsFollowTheOrientationTheDevicesAndCompanyLocal)
{
    const struct {
        MCIERROR errCD;
        UINT nMidi;
        const char* pszCompany;
        int x[4];
    } setups[] = {
        // floating lefts
        { MCIERR_DEVICE_OPEN, 0, "MARVIK", { 134, 166, 198, -1 } }, // a busy drive is still a drive
        { MCIERR_CANNOT_LOAD_DRIVER, 1, "marvik", { 134, -1, 168, 200 } },
        { 0, 1, "MARVIK", { 134, 166, 198, 230 } },
    };
    for (const auto& c : setups) {
        FakeDevices devices(c.errCD, c.nMidi);
        WriteString(KEY_SUITE, "CompanyLocal", c.pszCompany);
        Start();
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(std::make_pair(c.x[i], c.x[i] < 0 ? -1 : 13), Pos(Control(107 + i), m_hBar)) << c.pszCompany << i;
        if (*c.pszCompany == 'M')
            continue;
        EXPECT_EQ(nullptr, GetWindow(Control(101), GW_CHILD)) << "a still logo: no clip, no tip";
        EXPECT_EQ("", WindowText(Control(101)) + Shows(Control(101), { 0, 0, 44, 27 }, 164));
        Command(ID_DOCK_LEFT);
        EXPECT_EQ("", Shows(Control(101), { 0, 0, 27, 44 }, 166));
    }
    EXPECT_EQ(std::vector<MCIDEVICEID> { 5 }, FakeDevices::s_closedDevices) << "an opened drive is closed at once";
    const struct {
        int nID, pos[3][2];
        UINT nIDBitmap;
        const char* pszTip;
    } controls[] = {
        { 104, { { 296, 13 }, { 324, 6 }, { 4, 324 } }, 216, "Minimize Tymp Studio Module(s)" },
        { 102, { { 321, 13 }, { 354, 6 }, { 4, 354 } }, 215, "Exit" },
        { 57670, { { 274, 13 }, { 294, 6 }, { 4, 294 } }, 139, "Help" },
        { 101, { { 4, 13 }, { 4, 6 }, { 5, 4 } }, 0, "Marvik Tymp Studio Controller" },
        { 105, { { 66, 13 }, { 86, 6 }, { 4, 86 } }, 177, "Configure Tymp Studio" },
        { 106, { { 94, 13 }, { 116, 6 }, { 4, 116 } }, 219, "Launch Applications" },
        { 107, { { 134, 13 }, { 159, 6 }, { 4, 159 } }, 212, "Launch Volume Control" },
        { 108, { { 166, 13 }, { 189, 6 }, { 4, 189 } }, 210, "Launch CDPlayer" },
        { 109, { { 198, 13 }, { 219, 6 }, { 4, 219 } }, 213, "Launch WavePlayer" },
        { 110, { { 230, 13 }, { 249, 6 }, { 4, 249 } }, 211, "Launch MidiPlayer" },
    };
    for (int o : { 0, 1, 2 }) {
        Command(o == 1 ? ID_DOCK_BOTTOM : o == 2 ? ID_DOCK_RIGHT : ID_FLOAT);
        for (const auto& c : controls) {
            EXPECT_EQ(std::make_pair(c.pos[o][0], c.pos[o][1]), Pos(Control(c.nID), m_hBar)) << o << " " << c.nID;
            EXPECT_EQ(c.pszTip, WindowText(Control(c.nID))) << "a control is named by its tip";
            EXPECT_EQ("", c.nIDBitmap ? Shows(Control(c.nID), { 0, 0, 24, 21 }, c.nIDBitmap) : "") << c.nID;
        }
        EXPECT_EQ(o == 2 ? 21 : 54, WindowRect(Control(101)).right - WindowRect(Control(101)).left);
        EXPECT_EQ(o == 2 ? std::make_pair(3, 36) : std::make_pair(36, 3),
                  Pos(GetWindow(Control(101), GW_CHILD), Control(101)));
    }
    m_pBar->SetModuleLaunchState(MODULE_CDPLAYER, FALSE);
    for (UINT nID : { 104, ID_DOCK_TOP }) // a rebuild shows the states of the moment
        Command(nID);
    EXPECT_EQ("Restore Tymp Studio Module(s), Remove CDPlayer",
              WindowText(Control(104)) + ", " + WindowText(Control(108)));
}

TEST_F(Bar, FacesAreTheirBitmapsWithBorderAndGroovesOnlyWhenDockedAndFeetTheirPictureAlone)
{
    Start(); // floating: bitmap 135 alone, above and below the controls, where a docked bar has lines
    EXPECT_EQ("", Shows(m_hBar, { 0, 0, 408, 12 }, 135) + Shows(m_hBar, { 0, 36, 408, 45 }, 135, 0, 36));
    for (auto& pLeg : m_pBar->m_pLeg) {
        EXPECT_EQ("", Shows(pLeg->m_hWnd, { 1, 0, 18, 5 }, BITMAP_LEG, 1, 0))
            << "a foot's client area starts at (2, 2)";
        HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
        std::string strIn;
        for (POINT pt : { POINT { 2, 2 }, { 3, 2 }, { 20, 6 }, { 19, 6 }, { 20, 3 }, { 21, 3 }, { 11, 7 }, { 2, 4 } })
            strIn += GetWindowRgn(pLeg->m_hWnd, hRgn) && PtInRegion(hRgn, pt.x, pt.y) ? '1' : '0';
        DeleteObject(hRgn);
        EXPECT_EQ("01011001", strIn) << "the 19 x 5 picture at (2, 2) without its corners";
        EXPECT_TRUE((SendMessageA(pLeg->m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0), IsWindowVisible(pLeg->m_hWnd)))
            << "never closes";
    }
    for (bool bVertical : { false, true }) {
        Command(bVertical ? ID_DOCK_LEFT : ID_DOCK_TOP);
        const int L = bVertical ? 768 : 1024;
        // At a point along and across the bar: the vertical bar is the horizontal one transposed.
        auto at = [&](int a, int c, int l = 1, int t = 1) {
            return bVertical ? RECT { c, a, c + t, a + l } : RECT { a, c, a + l, c + t };
        };
        const struct {
            int a, c;
            DWORD rgb;
        } lines[] = { { 500, 31, 0 },        { L - 1, 15, 0 },     { 500, 30, 0x808080 }, { L - 2, 15, 0x808080 },
                      { 500, 1, 0xFFFFFF },  { 1, 15, 0xFFFFFF },  { 76, 5, 0x808080 },   { 148, 26, 0x808080 },
                      { 283, 16, 0x808080 }, { 77, 16, 0xFFFFFF }, { 149, 5, 0xFFFFFF },  { 284, 26, 0xFFFFFF } };
        for (const auto& p : lines)
            EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(m_hBar, at(p.a, p.c))[0] == p.rgb; }, 2000))
                << p.a << "," << p.c;
        EXPECT_EQ("", Shows(m_hBar, at(L - 86, 8, 78, 15), bVertical ? 214 : 132))
            << "name plate 8 from the end, centred";
    }
}

TEST_F(Bar, SavedEdgesAndCommandsPlaceTheBarAndItsFeetAndMarkItsMenu)
{
    WriteInt(KEY_CONTROLLER, "AlwaysOnTop", 1);
    // A saved edge starts a bar, a command moves it. Flags: r controls rebuilt, t topmost, f floating.
    const struct {
        int nState;
        UINT nCmd;
        RECT rc;
        LONG lData;
        const char* pszFlags;
        std::set<UINT> checked;
    } steps[] = {
        { 7, 0, FLOAT_RECT, MAKELONG(1, 0), "t", { 32781, 32772 } }, // an unknown edge is kept
        { -1, 0, FLOAT_RECT, MAKELONG(1, 0), "f", { 32781 } },
        { 0, 0, LEFT_RECT, MAKELONG(1, 2), "t", { 32778, 32772 } },
        { -2, 0, FLOAT_RECT, MAKELONG(1, 0), "f", { 32781 } }, // floating is never topmost
        { 0, ID_DOCK_TOP, TOP_RECT, MAKELONG(1, 1), "rt", { 32777, 32772 } },
        { 0, ID_ALWAYS_ON_TOP, TOP_RECT, MAKELONG(1, 1), "", { 32777 } },
        { 0, ID_DOCK_BOTTOM, { 0, 736, 1024, 768 }, MAKELONG(0, 1), "", { 32779 } },
        { 0, ID_DOCK_LEFT, LEFT_RECT, MAKELONG(0, 2), "r", { 32778 } },
        { 0, ID_ALWAYS_ON_TOP, LEFT_RECT, MAKELONG(0, 2), "t", { 32778, 32772 } },
        { 0, ID_DOCK_RIGHT, { 992, 0, 1024, 768 }, MAKELONG(1, 2), "t", { 32780, 32772 } },
        { 0, ID_FLOAT, FLOAT_RECT, MAKELONG(1, 0), "rf", { 32781 } },
        { 0, ID_DOCK_BOTTOM, { 0, 736, 1024, 768 }, MAKELONG(1, 1), "rt", { 32779, 32772 } },
        { 0, ID_AUTO_HIDE, {}, MAKELONG(1, 1), "t", { 32779, 32772, 32773 } },
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << s.nState << " " << s.nCmd);
        HWND hExit = Control(102);
        s.nCmd ? Command(s.nCmd) : (WriteInt(KEY_CONTROLLER, "State", s.nState), Start());
        const bool bFloating = strchr(s.pszFlags, 'f') != nullptr;
        EXPECT_EQ(strchr(s.pszFlags, 'r') != nullptr, s.nCmd && !IsWindow(hExit));
        EXPECT_EQ(strchr(s.pszFlags, 't') != nullptr, (GetWindowLongA(m_hBar, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        EXPECT_EQ(s.lData, GetWindowLongPtrA(m_hBar, GWLP_USERDATA)) << "what other programs read";
        EXPECT_EQ(s.rc, IsRectEmpty(&s.rc) ? s.rc : WindowRect(m_hBar));
        for (int i = 0; i < 2; i++) // the feet, under a floating bar
            EXPECT_EQ(bFloating ? std::make_pair(i ? 676 : 327, 259) : std::make_pair(-1, -1),
                      IsWindowVisible(m_pBar->m_pLeg[i]->m_hWnd) ? Pos(m_pBar->m_pLeg[i]->m_hWnd)
                                                                 : std::make_pair(-1, -1));
        MenuSnapshot menu = Menu(MAKELPARAM(200, 180));
        EXPECT_EQ(std::make_pair(200L, (size_t)14), std::make_pair(menu.rc.left, menu.state.size()))
            << "all items, at the point";
        for (const auto& item : menu.state) {
            const UINT n = item.first;
            const bool bGrayed = n == 32776 || n == 32784 || (bFloating && (n == 32772 || n == 32773));
            EXPECT_EQ(std::make_pair(bGrayed, s.checked.count(n) != 0), std::make_pair(menu.Grayed(n), menu.Checked(n)))
                << n;
        }
    }
    EXPECT_TRUE(m_pBar->m_bAlwaysOnTopSetting && m_pBar->m_bAutoHideSetting) << "what the settings will keep";
    m_shell.m_calls.clear();
    for (UINT nID : { 32779, IDOK, IDCANCEL })
        Command(nID);
    EXPECT_EQ(0u, m_shell.m_calls.size()) << "the current edge again does nothing";
    EXPECT_TRUE(IsWindowVisible(m_hBar)) << "Enter and Escape never close the bar";
}

TEST_F(Bar, AnOpenDialogOfTheBarOrOfARunningModuleBlocksItsMenuAndClicks)
{
    HWND hWave = CreateModuleWindow("Tymp Studio WavePlayer", 400), hOther = CreateModuleWindow("Other", 300);
    Start();
    for (HWND hOwner : { hOther, m_hBar, hWave, hOther }) {
        HWND hDialog =
            CreateWindowExA(0, "#32770", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, hOwner, nullptr, nullptr, nullptr);
        const bool bFree = hOwner == hOther;
        SetMessagePos(m_hBar, 250, 120);
        MenuSnapshot logo = InspectMenu([&] { Command(ID_LOGO); });
        EXPECT_EQ(bFree ? std::make_pair(250L, 120L) : std::make_pair(0L, 0L),
                  std::make_pair(logo.rc.left, logo.rc.top));
        EXPECT_EQ(bFree, logo.Has(ID_ACTIVATE_MODULES) && !logo.Grayed(ID_ACTIVATE_MODULES)) << "a module runs";
        EXPECT_EQ(bFree, Menu(MAKELPARAM(-1, -1)).bShown) << "the keyboard's menu";
        EXPECT_EQ(bFree ? MA_ACTIVATE : MA_NOACTIVATEANDEAT, SendMessageA(m_hBar, WM_MOUSEACTIVATE, 0, HTCLIENT));
        DestroyWindow(hDialog);
    }
    for (HWND h : { hWave, hOther })
        DestroyWindow(h);
}

TEST_F(Bar, FloatRestsAboveTheFirstModuleActivateModulesStacksThemAndHelpOpensItsPage)
{
    HWND hWave = CreateModuleWindow("Tymp Studio WavePlayer", 400);
    WriteInt(KEY_CONTROLLER, "State", 1);
    Start();
    SendMessageA(m_hBar, g_uModuleMessage, LOWORD((UINT_PTR)hWave), MODMSG_ATTACH);
    Command(ID_FLOAT);
    EXPECT_EQ(std::make_pair(600, 350), Pos(m_hBar)) << "50 pixels above the module";
    SetWindowPos(hWave, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER), ShowWindow(hWave, SW_MINIMIZE);
    Command(ID_ACTIVATE_MODULES);
    EXPECT_TRUE(!IsIconic(hWave) && Pos(hWave) == std::make_pair(600, 400)) << "restored, 5 pixels below the bar";
    DestroyWindow(hWave);
    LRESULT lResult;
    auto page = OpenedPage([&] { AfxGetApp()->OnWndMsg(WM_COMMAND, ID_HELP, 0, &lResult); });
    EXPECT_NE(std::string::npos, page.first.find("TympStudio.htm")) << page.first;
    EXPECT_EQ(0u, page.second.find(ProgramDirectory() + "Help")) << page.second;
}
