// The controller bar on real windows: its controls, faces, feet, menu, commands and dialogs.
#include "tests/support/BarFixture.h"
#include "tests/support/Pixels.h"
#include "tests/support/Processes.h"
#include "controller/Leg.h"
#include "panekit/PaneKitRes.h"
#include "res/resource.h"
#include <algorithm>

namespace {

using Pos = std::pair<int, int>;
const Pos NO_WINDOW = { -1, -1 };
const RECT FLOAT_RECT = { 308, 216, 716, 261 }, TOP_RECT = { 0, 0, 1024, 32 }, BOTTOM_RECT = { 0, 736, 1024, 768 };
const RECT LEFT_RECT = { 0, 0, 32, 768 }, RIGHT_RECT = { 992, 0, 1024, 768 }, HIDDEN_RECT = { 0, 766, 1024, 798 };

// The pens of the docked faces' border and grooves; where they draw nothing the face shows its brushed
// metal, a light blue-grey: every channel from 160 to 224 (the window's own background is lighter).
constexpr DWORD BLACK = 0x000000, DARK_GREY = 0x808080, WHITE = 0xFFFFFF, METAL = 0xFF000000;
bool IsMetal(DWORD rgb)
{
    const BYTE abChannels[3] = { GetRValue(rgb), GetGValue(rgb), GetBValue(rgb) };
    return std::all_of(abChannels, abChannels + 3, [](BYTE b) { return b >= 160 && b <= 224; });
}

// A window's top-left corner, in hParent's client area when one is given.
Pos TopLeft(HWND hWnd, HWND hParent = nullptr)
{
    if (!IsWindow(hWnd))
        return NO_WINDOW;
    POINT pt = { WindowRect(hWnd).left, WindowRect(hWnd).top };
    if (hParent)
        ScreenToClient(hParent, &pt);
    return { pt.x, pt.y };
}

// Waits until rc of hWnd's client area shows the same-sized part of a bitmap at ptBitmap.
bool Shows(HWND hWnd, const RECT& rc, UINT nIDBitmap, POINT ptBitmap = {})
{
    const int cx = rc.right - rc.left;
    Pixels bitmap = BitmapPixels(GetModuleHandleA(nullptr), nIDBitmap, ptBitmap.x, ptBitmap.y, cx, rc.bottom - rc.top);
    return WaitUntil([&] { return CountDifferences(ScreenPixels(hWnd, rc), bitmap, cx) == 0; }, 3000);
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
    BarPtr m_pBar;
    HWND m_hBar = nullptr;
};

} // namespace

TEST_F(Bar, EachDeviceFoundTakesTheNextModuleButtonPlace)
{
    const struct {
        MCIERROR errCDOpen;
        UINT nMidi = 0;
        int axButtons[4]; // Volume Control, CD player, wave player, MIDI player: at y 13, -1 for none
        const char* pszWhy;
    } setups[] = {
        { .errCDOpen = MCIERR_DEVICE_OPEN, .axButtons = { 134, 166, 198, -1 }, .pszWhy = "a busy drive is a drive" },
        { .errCDOpen = MCIERR_CANNOT_LOAD_DRIVER, .nMidi = 1, .axButtons = { 134, -1, 168, 200 }, .pszWhy = "no CD" },
    };
    for (const auto& c : setups) {
        FakeDevices devices(c.errCDOpen, c.nMidi);
        Start();
        for (int i = 0; i < 4; i++) {
            const Pos posExpected = c.axButtons[i] < 0 ? NO_WINDOW : Pos(c.axButtons[i], 13);
            EXPECT_EQ(posExpected, TopLeft(Control(ID_VOLUME_BUTTON + i), m_hBar)) << c.pszWhy << ", module " << i;
        }
    }
}

TEST_F(Bar, ControlsSitWhereEachOrientationPutsThemWithTheirPicturesAndTips)
{
    FakeDevices devices(0, 1);
    WriteString(KEY_SUITE, "CompanyLocal", "MARVIK");
    Start();
    EXPECT_EQ(std::vector<MCIDEVICEID> { 5 }, FakeDevices::s_closedDevices) << "the drive opened is closed at once";
    const struct {
        UINT nID;
        Pos pos[3]; // floating, docked along a horizontal edge, along a vertical edge
        UINT nIDBitmap = 0;
    } controls[] = {
        { .nID = ID_LOGO, .pos = { { 4, 13 }, { 4, 6 }, { 5, 4 } } },
        { .nID = ID_SETUP_BUTTON, .pos = { { 66, 13 }, { 86, 6 }, { 4, 86 } }, .nIDBitmap = BITMAP_SETUP_BUTTON },
        { .nID = ID_LAUNCHAPPS_BUTTON,
          .pos = { { 94, 13 }, { 116, 6 }, { 4, 116 } },
          .nIDBitmap = BITMAP_LAUNCHAPPS_BUTTON },
        { .nID = ID_VOLUME_BUTTON, .pos = { { 134, 13 }, { 159, 6 }, { 4, 159 } }, .nIDBitmap = BITMAP_VOLUME_BUTTON },
        { .nID = ID_CDPLAYER_BUTTON,
          .pos = { { 166, 13 }, { 189, 6 }, { 4, 189 } },
          .nIDBitmap = BITMAP_CDPLAYER_BUTTON },
        { .nID = ID_WAVEPLAYER_BUTTON,
          .pos = { { 198, 13 }, { 219, 6 }, { 4, 219 } },
          .nIDBitmap = BITMAP_WAVEPLAYER_BUTTON },
        { .nID = ID_MIDIPLAYER_BUTTON,
          .pos = { { 230, 13 }, { 249, 6 }, { 4, 249 } },
          .nIDBitmap = BITMAP_MIDIPLAYER_BUTTON },
        { .nID = ID_HELP, .pos = { { 274, 13 }, { 294, 6 }, { 4, 294 } }, .nIDBitmap = BITMAP_HELP_BUTTON },
        { .nID = ID_MINIMIZE_BUTTON,
          .pos = { { 296, 13 }, { 324, 6 }, { 4, 324 } },
          .nIDBitmap = BITMAP_MINIMIZE_BUTTON },
        { .nID = ID_EXIT_BUTTON, .pos = { { 321, 13 }, { 354, 6 }, { 4, 354 } }, .nIDBitmap = BITMAP_EXIT_BUTTON },
    };
    const struct {
        UINT nCommand;
        int cxLogo;
        Pos posClip; // of the animation in the logo
    } orientations[] = {
        { .nCommand = ID_FLOAT, .cxLogo = 54, .posClip = { 36, 3 } },
        { .nCommand = ID_DOCK_BOTTOM, .cxLogo = 54, .posClip = { 36, 3 } },
        { .nCommand = ID_DOCK_RIGHT, .cxLogo = 21, .posClip = { 3, 36 } },
    };
    for (int o = 0; o < 3; o++) {
        Command(orientations[o].nCommand);
        for (const auto& c : controls) {
            EXPECT_EQ(c.pos[o], TopLeft(Control(c.nID), m_hBar)) << "control " << c.nID << " in orientation " << o;
            if (c.nIDBitmap) {
                EXPECT_TRUE(Shows(Control(c.nID), { 0, 0, 24, 21 }, c.nIDBitmap)) << "the picture of " << c.nID;
            }
        }
        HWND hLogo = Control(ID_LOGO);
        EXPECT_EQ(orientations[o].cxLogo, WindowRect(hLogo).right - WindowRect(hLogo).left) << "orientation " << o;
        EXPECT_EQ(orientations[o].posClip, TopLeft(GetWindow(hLogo, GW_CHILD), hLogo)) << "orientation " << o;
    }
    const struct {
        UINT nID;
        const char* pszTip;
    } tips[] = {
        { .nID = ID_LOGO, .pszTip = "Marvik Tymp Studio Controller" },
        { .nID = ID_SETUP_BUTTON, .pszTip = "Configure Tymp Studio" },
        { .nID = ID_LAUNCHAPPS_BUTTON, .pszTip = "Launch Applications" },
        { .nID = ID_VOLUME_BUTTON, .pszTip = "Launch Volume Control" },
        { .nID = ID_CDPLAYER_BUTTON, .pszTip = "Launch CDPlayer" },
        { .nID = ID_WAVEPLAYER_BUTTON, .pszTip = "Launch WavePlayer" },
        { .nID = ID_MIDIPLAYER_BUTTON, .pszTip = "Launch MidiPlayer" },
        { .nID = ID_HELP, .pszTip = "Help" },
        { .nID = ID_MINIMIZE_BUTTON, .pszTip = "Minimize Tymp Studio Module(s)" },
        { .nID = ID_EXIT_BUTTON, .pszTip = "Exit" },
    };
    for (const auto& c : tips)
        EXPECT_EQ(c.pszTip, WindowText(Control(c.nID))) << "a control is named by its tip";
    m_pBar->SetModuleLaunchState(MODULE_CDPLAYER, FALSE);
    Command(ID_MINIMIZE_BUTTON);
    Command(ID_DOCK_TOP);
    EXPECT_EQ("Restore Tymp Studio Module(s)", WindowText(Control(ID_MINIMIZE_BUTTON))) << "rebuilt as things are now";
    EXPECT_EQ("Remove CDPlayer", WindowText(Control(ID_CDPLAYER_BUTTON))) << "rebuilt as things are now";
}

TEST_F(Bar, AnyOtherCompanyGetsTheStillLogoWithoutTip)
{
    WriteString(KEY_SUITE, "CompanyLocal", "marvik");
    Start();
    EXPECT_EQ(nullptr, GetWindow(Control(ID_LOGO), GW_CHILD)) << "a still logo has no clip";
    EXPECT_EQ("", WindowText(Control(ID_LOGO))) << "a still logo has no tip";
    EXPECT_TRUE(Shows(Control(ID_LOGO), { 0, 0, 44, 27 }, BITMAP_STILL_LOGO_FLOAT)) << "the floating still logo";
    Command(ID_DOCK_LEFT);
    EXPECT_TRUE(Shows(Control(ID_LOGO), { 0, 0, 27, 44 }, BITMAP_STILL_LOGO_VERT)) << "the upright still logo";
}

TEST_F(Bar, FloatingFaceIsItsBitmapAloneAndTheFeetTheirPictureWithoutCorners)
{
    Start();
    EXPECT_TRUE(Shows(m_hBar, { 0, 0, 408, 12 }, BITMAP_FACE_FLOAT)) << "above the controls: the bitmap, no lines";
    EXPECT_TRUE(Shows(m_hBar, { 0, 36, 408, 45 }, BITMAP_FACE_FLOAT, { 0, 36 })) << "below the controls: the same";
    const struct {
        POINT pt; // of the foot's window
        bool bInside;
        const char* pszWhy;
    } outline[] = {
        { .pt = { 2, 2 }, .bInside = false, .pszWhy = "top left corner cut off" },
        { .pt = { 3, 2 }, .bInside = true, .pszWhy = "top row, beside the corner" },
        { .pt = { 20, 3 }, .bInside = true, .pszWhy = "right column, below the corner" },
        { .pt = { 21, 3 }, .bInside = false, .pszWhy = "right of the picture" },
        { .pt = { 20, 6 }, .bInside = false, .pszWhy = "bottom right corner cut off" },
        { .pt = { 19, 6 }, .bInside = true, .pszWhy = "bottom row, beside the corner" },
        { .pt = { 11, 7 }, .bInside = false, .pszWhy = "below the picture" },
        { .pt = { 2, 4 }, .bInside = true, .pszWhy = "left column" },
    };
    const Pos posFeet[2] = { { 327, 259 }, { 676, 259 } }; // 19 and 368 right of the bar's left, 2 above its bottom
    for (int i = 0; i < 2; i++) {
        HWND hLeg = m_pBar->m_pLeg[i]->m_hWnd;
        EXPECT_EQ(posFeet[i], TopLeft(hLeg)) << "foot " << i;
        EXPECT_TRUE(Shows(hLeg, { 1, 0, 18, 5 }, BITMAP_LEG, { 1, 0 })) << "its picture, its client area at (2, 2)";
        HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(ERROR, GetWindowRgn(hLeg, hRgn)) << "a foot is shaped";
        for (const auto& c : outline)
            EXPECT_EQ(c.bInside, PtInRegion(hRgn, c.pt.x, c.pt.y) != 0) << c.pszWhy;
        DeleteObject(hRgn);
        SendMessageA(hLeg, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(IsWindowVisible(hLeg)) << "a foot never closes";
    }
}

TEST_F(Bar, DockedFacesAreMetalWithARaisedBorderThreeGroovesAndTheNamePlate)
{
    const struct {
        UINT nDock;
        int nEnd; // the bar's length
        RECT rcPlate; // 8 from the far end, centred
        UINT nIDPlate;
    } faces[] = {
        { .nDock = ID_DOCK_TOP, .nEnd = 1024, .rcPlate = { 938, 8, 1016, 23 }, .nIDPlate = BITMAP_PLATE_HORZ },
        { .nDock = ID_DOCK_LEFT, .nEnd = 768, .rcPlate = { 8, 682, 23, 760 }, .nIDPlate = BITMAP_PLATE_VERT },
    };
    Start();
    for (const auto& f : faces) {
        const bool bVertical = f.nDock == ID_DOCK_LEFT;
        // Points along and across the bar: the vertical bar is the horizontal one turned.
        const struct {
            int nAlong, nAcross;
            DWORD rgb;
            const char* pszWhy;
        } points[] = {
            { .nAlong = 500, .nAcross = 15, .rgb = METAL, .pszWhy = "the middle shows the face" },
            { .nAlong = 500, .nAcross = 1, .rgb = WHITE, .pszWhy = "white line along the near side" },
            { .nAlong = 500, .nAcross = 2, .rgb = METAL, .pszWhy = "the white line is one pixel wide" },
            { .nAlong = 500, .nAcross = 29, .rgb = METAL, .pszWhy = "the dark grey line is one pixel wide" },
            { .nAlong = 500, .nAcross = 30, .rgb = DARK_GREY, .pszWhy = "dark grey line inside the far side" },
            { .nAlong = 500, .nAcross = 31, .rgb = BLACK, .pszWhy = "black line along the far side" },
            { .nAlong = 1, .nAcross = 15, .rgb = WHITE, .pszWhy = "white line across the near end" },
            { .nAlong = f.nEnd - 2, .nAcross = 15, .rgb = DARK_GREY, .pszWhy = "dark grey line inside the far end" },
            { .nAlong = f.nEnd - 1, .nAcross = 15, .rgb = BLACK, .pszWhy = "black line across the far end" },
            { .nAlong = 76, .nAcross = 4, .rgb = METAL, .pszWhy = "the first groove starts 5 from the near side" },
            { .nAlong = 76, .nAcross = 5, .rgb = DARK_GREY, .pszWhy = "the first groove's dark side" },
            { .nAlong = 76, .nAcross = 26, .rgb = DARK_GREY, .pszWhy = "the first groove's dark side" },
            { .nAlong = 76, .nAcross = 27, .rgb = METAL, .pszWhy = "the first groove ends 26 from the near side" },
            { .nAlong = 77, .nAcross = 16, .rgb = WHITE, .pszWhy = "the first groove's light side" },
            { .nAlong = 78, .nAcross = 16, .rgb = METAL, .pszWhy = "the first groove is two pixels wide" },
            { .nAlong = 148, .nAcross = 16, .rgb = DARK_GREY, .pszWhy = "the second groove" },
            { .nAlong = 283, .nAcross = 16, .rgb = DARK_GREY, .pszWhy = "the third groove" },
        };
        Command(f.nDock);
        EXPECT_TRUE(Shows(m_hBar, f.rcPlate, f.nIDPlate)) << "the name plate";
        for (const auto& p : points) {
            const int x = bVertical ? p.nAcross : p.nAlong;
            const int y = bVertical ? p.nAlong : p.nAcross;
            const DWORD rgb = ScreenPixels(m_hBar, { x, y, x + 1, y + 1 })[0];
            if (p.rgb == METAL) {
                EXPECT_TRUE(IsMetal(rgb)) << p.pszWhy << " at " << x << "," << y << ": " << std::hex << rgb;
            } else {
                EXPECT_EQ(p.rgb, rgb) << p.pszWhy << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(Bar, SavedEdgeOrOneCommandPlacesTheBarAndMarksItsMenu)
{
    struct Given {
        int nEdge, bOnTop; // saved
        UINT nCommand = 0;
    };
    // bNew: the controls made anew; bTopmost: and "Always on top" checked;
    // bFloating: feet shown, "Always on top" and "Auto hide" grey.
    struct Then {
        RECT rc;
        LONG lData; // the window user data: always on top, orientation
        UINT nMark; // the position with the radio mark
        bool bNew = false, bTopmost = false, bFloating = false, bAutoHide = false;
    };
    const struct {
        Given given;
        Then then;
        const char* pszWhy;
    } cases[] = {
        { .given = { .nEdge = 7, .bOnTop = 1 },
          .then = { .rc = FLOAT_RECT, .lData = MAKELONG(1, 0), .nMark = ID_FLOAT, .bTopmost = true },
          .pszWhy = "an unknown edge is kept, in the floating place" },
        { .given = { .nEdge = DBE_NONE, .bOnTop = 1 },
          .then = { .rc = FLOAT_RECT, .lData = MAKELONG(1, 0), .nMark = ID_FLOAT, .bFloating = true },
          .pszWhy = "no edge floats" },
        { .given = { .nEdge = DBE_FLOAT, .bOnTop = 1 },
          .then = { .rc = FLOAT_RECT, .lData = MAKELONG(1, 0), .nMark = ID_FLOAT, .bFloating = true },
          .pszWhy = "a floating bar is never topmost" },
        { .given = { .nEdge = DBE_FLOAT, .bOnTop = 1, .nCommand = ID_DOCK_TOP },
          .then = { .rc = TOP_RECT, .lData = MAKELONG(1, 1), .nMark = ID_DOCK_TOP, .bNew = true, .bTopmost = true },
          .pszWhy = "docking makes a floating bar topmost again" },
        { .given = { .nEdge = ABE_TOP, .bOnTop = 1, .nCommand = ID_ALWAYS_ON_TOP },
          .then = { .rc = TOP_RECT, .lData = MAKELONG(1, 1), .nMark = ID_DOCK_TOP },
          .pszWhy = "always on top turned off" },
        { .given = { .nEdge = ABE_TOP, .bOnTop = 0, .nCommand = ID_DOCK_BOTTOM },
          .then = { .rc = BOTTOM_RECT, .lData = MAKELONG(0, 1), .nMark = ID_DOCK_BOTTOM },
          .pszWhy = "top to bottom keeps the controls" },
        { .given = { .nEdge = ABE_BOTTOM, .bOnTop = 1, .nCommand = ID_DOCK_LEFT },
          .then = { .rc = LEFT_RECT, .lData = MAKELONG(1, 2), .nMark = ID_DOCK_LEFT, .bNew = true, .bTopmost = true },
          .pszWhy = "bottom to left rebuilds the controls" },
        { .given = { .nEdge = ABE_LEFT, .bOnTop = 1, .nCommand = ID_DOCK_RIGHT },
          .then = { .rc = RIGHT_RECT, .lData = MAKELONG(1, 2), .nMark = ID_DOCK_RIGHT, .bTopmost = true },
          .pszWhy = "left to right keeps the controls" },
        { .given = { .nEdge = ABE_RIGHT, .bOnTop = 1, .nCommand = ID_FLOAT },
          .then = { .rc = FLOAT_RECT, .lData = MAKELONG(1, 0), .nMark = ID_FLOAT, .bNew = true, .bFloating = true },
          .pszWhy = "floating again: never topmost" },
        { .given = { .nEdge = ABE_BOTTOM, .bOnTop = 1, .nCommand = ID_AUTO_HIDE },
          .then = { .rc = HIDDEN_RECT,
                    .lData = MAKELONG(1, 1),
                    .nMark = ID_DOCK_BOTTOM,
                    .bTopmost = true,
                    .bAutoHide = true },
          .pszWhy = "the auto-hidden bar leaves a 2-pixel strip at the bottom" },
    };
    for (const auto& c : cases) {
        const Then& t = c.then;
        WriteInt(KEY_CONTROLLER, "State", c.given.nEdge);
        WriteInt(KEY_CONTROLLER, "AlwaysOnTop", c.given.bOnTop);
        Start();
        HWND hExit = Control(ID_EXIT_BUTTON);
        if (c.given.nCommand)
            Command(c.given.nCommand);
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(m_hBar) == t.rc; }, 3000))
            << c.pszWhy << ": " << WindowRect(m_hBar);
        EXPECT_EQ(t.lData, GetWindowLongPtrA(m_hBar, GWLP_USERDATA)) << c.pszWhy << ": what other programs read";
        EXPECT_EQ(t.bNew, !IsWindow(hExit)) << c.pszWhy << ": controls rebuilt";
        EXPECT_EQ(t.bTopmost, (GetWindowLongA(m_hBar, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) << c.pszWhy << ": topmost";
        for (const auto& pLeg : m_pBar->m_pLeg)
            EXPECT_EQ(t.bFloating, IsWindowVisible(pLeg->m_hWnd) != 0) << c.pszWhy << ": feet under a floating bar";
        Pump();
        MenuSnapshot menu = InspectMenu([&] { SendMessageA(m_hBar, WM_CONTEXTMENU, 0, MAKELPARAM(200, 180)); });
        EXPECT_EQ(200, menu.rc.left) << "the menu opens at the point";
        EXPECT_EQ(14u, menu.state.size()) << "every item but the separators";
        for (const auto& item : menu.state) {
            const UINT n = item.first;
            const bool bOnlyDocked = n == ID_ALWAYS_ON_TOP || n == ID_AUTO_HIDE;
            const bool bGrey = n == ID_ACTIVATE_MODULES || n == ID_LAUNCH_MIDITRACKER || (bOnlyDocked && t.bFloating);
            EXPECT_EQ(bGrey, menu.Grayed(n)) << c.pszWhy << ": grey, item " << n;
            const bool bChecked =
                n == t.nMark || (n == ID_ALWAYS_ON_TOP && t.bTopmost) || (n == ID_AUTO_HIDE && t.bAutoHide);
            EXPECT_EQ(bChecked, menu.Checked(n)) << c.pszWhy << ": checked, item " << n;
        }
    }
}

TEST_F(Bar, TogglesKeepTheirSettingsAndTheCurrentEdgeEnterAndEscapeDoNothing)
{
    WriteInt(KEY_CONTROLLER, "State", ABE_BOTTOM);
    Start();
    Command(ID_ALWAYS_ON_TOP);
    EXPECT_TRUE(GetWindowLongA(m_hBar, GWL_EXSTYLE) & WS_EX_TOPMOST) << "always on top turned on";
    EXPECT_EQ(MAKELONG(0, 1), GetWindowLongPtrA(m_hBar, GWLP_USERDATA)) << "the user data changes with the edge only";
    Command(ID_AUTO_HIDE);
    EXPECT_TRUE(m_pBar->m_bAlwaysOnTopSetting) << "the setting follows the toggle";
    EXPECT_TRUE(m_pBar->m_bAutoHideSetting) << "the setting follows the toggle";
    m_shell.m_calls.clear();
    Command(ID_DOCK_BOTTOM);
    EXPECT_EQ(0u, m_shell.m_calls.size()) << "the current edge again asks the shell nothing";
    Command(IDOK);
    Command(IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(m_hBar)) << "Enter and Escape never close the bar";
}

TEST_F(Bar, AnOpenDialogOfTheBarOrOfARunningModuleBlocksItsMenuAndClicks)
{
    HWND hWave = CreateModuleWindow("Tymp Studio WavePlayer", 400);
    HWND hOther = CreateModuleWindow("Other", 300);
    Start();
    const struct {
        HWND hOwner;
        bool bFree;
        const char* pszWhy;
    } owners[] = {
        { .hOwner = hOther, .bFree = true, .pszWhy = "another program's dialog blocks nothing" },
        { .hOwner = m_hBar, .bFree = false, .pszWhy = "the bar's own dialog blocks" },
        { .hOwner = hWave, .bFree = false, .pszWhy = "a running module's dialog blocks" },
        { .hOwner = hOther, .bFree = true, .pszWhy = "nothing stays blocked" },
    };
    for (const auto& c : owners) {
        HWND hDialog = CreateWindowExA(0, "#32770", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, c.hOwner, 0, 0, 0);
        SetMessagePos(m_hBar, 250, 120);
        MenuSnapshot logo = InspectMenu([&] { Command(ID_LOGO); });
        EXPECT_EQ(c.bFree, logo.bShown) << c.pszWhy << ": the logo's menu";
        EXPECT_EQ(c.bFree ? 250 : 0, logo.rc.left) << c.pszWhy << ": at the cursor of the click";
        EXPECT_EQ(c.bFree ? 120 : 0, logo.rc.top) << c.pszWhy << ": at the cursor of the click";
        EXPECT_FALSE(logo.Grayed(ID_ACTIVATE_MODULES)) << "a module runs";
        Pump();
        const MenuSnapshot keyboard = InspectMenu([&] { SendMessageA(m_hBar, WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1)); });
        EXPECT_EQ(c.bFree, keyboard.bShown) << c.pszWhy << ": the keyboard's menu";
        const LRESULT lActivate = c.bFree ? MA_ACTIVATE : MA_NOACTIVATEANDEAT;
        EXPECT_EQ(lActivate, SendMessageA(m_hBar, WM_MOUSEACTIVATE, 0, HTCLIENT)) << c.pszWhy << ": a click";
        DestroyWindow(hDialog);
    }
    DestroyWindow(hWave);
    DestroyWindow(hOther);
}

TEST_F(Bar, FloatRestsAboveTheFirstModuleAndActivateModulesStacksThem)
{
    HWND hWave = CreateModuleWindow("Tymp Studio WavePlayer", 400);
    WriteInt(KEY_CONTROLLER, "State", ABE_TOP);
    Start();
    SendMessageA(m_hBar, g_uModuleMessage, LOWORD((UINT_PTR)hWave), MODMSG_ATTACH);
    Command(ID_FLOAT);
    EXPECT_EQ(Pos(600, 350), TopLeft(m_hBar)) << "50 pixels above the module";
    SetWindowPos(hWave, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(hWave, SW_MINIMIZE);
    Command(ID_ACTIVATE_MODULES);
    EXPECT_FALSE(IsIconic(hWave)) << "the module is restored";
    EXPECT_EQ(Pos(600, 400), TopLeft(hWave)) << "5 pixels below the bar";
    DestroyWindow(hWave);
}

TEST_F(Bar, ExitSavesTheSettingsAndTakesTheBarAndItsFeetAway)
{
    Start();
    HWND hLeg = m_pBar->m_pLeg[0]->m_hWnd;
    Command(ID_APP_EXIT);
    EXPECT_EQ(DBE_FLOAT, ReadValue(KEY_CONTROLLER, "State").AsInt()) << "the settings are saved on the way out";
    EXPECT_FALSE(IsWindowVisible(m_hBar)) << "the bar is gone from the screen";
    EXPECT_FALSE(IsWindow(hLeg)) << "its feet are destroyed";
}

TEST_F(Bar, LaunchWaveEditorStartsTheEditorBesideTheBar)
{
    ModuleLog log;
    Start();
    Command(ID_LAUNCH_WAVEEDITOR);
    const std::string strPath = ProgramDirectory() + "TympWaveEditor.exe";
    EXPECT_TRUE(log.WaitForLine("TympWaveEditor.exe", "start " + strPath)) << "its path, nothing more\n" << log.Dump();
    EndChildProcesses(GetCurrentProcessId(), 0);
}

// Each dialog is opened from the active bar and closed by its script; the About box is read before it closes.
TEST_F(Bar, ItsDialogsOpenAndWhenOneClosesTheBarIsActiveAgain)
{
    std::string strLegal;
    HICON hIcon = nullptr;
    const struct {
        UINT nCommand;
        const char* pszTitle;
    } dialogs[] = {
        { .nCommand = ID_APP_ABOUT, .pszTitle = "About Tymp Studio 3.0" },
        { .nCommand = ID_LAUNCHAPPS_BUTTON, .pszTitle = "Launch Applications" },
        { .nCommand = ID_SETUP_BUTTON, .pszTitle = "Tymp Studio Setup" },
    };
    Start();
    for (const auto& c : dialogs) {
        SetForegroundWindow(m_hBar);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == m_hBar; }, 3000))
            << "the bar is active before " << c.pszTitle;
        HWND hDialog = nullptr;
        ModalScript script;
        script.WaitFor(c.pszTitle, &hDialog).Do([&] {
            strLegal = WindowText(GetDlgItem(hDialog, IDC_ABOUT_LEGAL));
            hIcon = (HICON)SendDlgItemMessageA(hDialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0);
            PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
        });
        script.Run([&] { Command(c.nCommand); });
        EXPECT_TRUE(script.Finished()) << c.pszTitle << " opens and closes: " << script.m_strStalled;
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == m_hBar; }, 3000))
            << "after " << c.pszTitle << " closes, the bar is the active window";
        if (c.nCommand != ID_APP_ABOUT)
            continue;
        EXPECT_EQ("Copyright \251 1998 Marvik Inc. All rights reserved.\nThis program is protected by copyright law "
                  "and international treaties. Unauthorized reproduction or distribution of it, or of any part of "
                  "it, is prohibited.",
                  strLegal)
            << "the About box shows the legal notice";
        EXPECT_NE(nullptr, hIcon) << "the About box shows an icon";
        EXPECT_EQ((HICON)SendMessageA(m_hBar, WM_GETICON, ICON_BIG, 0), hIcon) << "the bar's own icon";
    }
}
