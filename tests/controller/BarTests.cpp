// The controller bar on real windows: its buttons, faces, feet, menu, commands and dialogs.
#include "tests/support/BarFixture.h"
#include "tests/support/Pixels.h"
#include "tests/support/Processes.h"
#include "controller/Leg.h"
#include "dockbar/AppBarService.h"
#include "panekit/PaneKitRes.h"
#include "res/resource.h"
#include <algorithm>

namespace {

// The pens of the docked faces' border and grooves; where they draw nothing the face shows its brushed
// metal, a light blue-grey: every channel from 160 to 224 (the window's own background is lighter).
constexpr DWORD BLACK = 0x000000;
constexpr DWORD DARK_GREY = 0x808080;
constexpr DWORD WHITE = 0xFFFFFF;
constexpr DWORD METAL = 0xFF000000;
// Whether a point shows the colour it must: a pen's, or the face's metal.
bool Shows(DWORD rgbExpected, DWORD rgb)
{
    if (rgbExpected != METAL)
        return rgb == rgbExpected;
    const BYTE abChannels[3] = { GetRValue(rgb), GetGValue(rgb), GetBValue(rgb) };
    return std::all_of(abChannels, abChannels + 3, [](BYTE b) { return b >= 160 && b <= 224; });
}

// A bar that finds CD audio and a MIDI device: every module has its button.
class Bar : public BarTest {
protected:
    Bar() : BarTest(0, 1) { }
    void Start()
    {
        m_pBar = StartBar();
        m_hBar = m_pBar->m_hWnd;
        ParkMouse();
    }
    void Command(UINT nID) { SendMessageA(m_hBar, WM_COMMAND, nID, 0); }
    BarPtr m_pBar;
    HWND m_hBar = nullptr;
};

} // namespace

// Docked along the top: a module button 30 pixels after the Volume Control's at 159; Help at a place of its own.
TEST_F(Bar, ButtonsSitAtTheirPlacesWithTheirPictures)
{
    WriteInt(KEY_CONTROLLER, "State", ABE_TOP);
    Start();
    EXPECT_EQ(std::vector<MCIDEVICEID> { 5 }, FakeDevices::s_closedDevices) << "the drive opened is closed at once";
    const struct {
        UINT nID;
        RECT rc;
        UINT nIDBitmap;
    } buttons[] = {
        { .nID = ID_CDPLAYER_BUTTON, .rc = { 189, 6, 213, 27 }, .nIDBitmap = BITMAP_CDPLAYER_BUTTON },
        { .nID = ID_HELP, .rc = { 294, 6, 318, 27 }, .nIDBitmap = BITMAP_HELP_BUTTON },
    };
    for (const auto& c : buttons) {
        EXPECT_EQ(c.rc, WindowRect(GetDlgItem(m_hBar, c.nID)))
            << "the place of button " << c.nID << ", docked at the top left";
        EXPECT_TRUE(ShowsBitmap(GetDlgItem(m_hBar, c.nID), { 0, 0, 24, 21 }, c.nIDBitmap))
            << "the picture of button " << c.nID;
    }
}

TEST_F(Bar, FloatingFaceIsItsBitmapAloneAndTheFeetTheirPictureWithoutCorners)
{
    Start();
    EXPECT_TRUE(ShowsBitmap(m_hBar, { 0, 0, 408, 12 }, BITMAP_FACE_FLOAT))
        << "above the controls: the bitmap, no lines";
    EXPECT_TRUE(ShowsBitmap(m_hBar, { 0, 36, 408, 45 }, BITMAP_FACE_FLOAT, { 0, 36 }))
        << "below the controls: the same";
    const struct {
        POINT pt; // of the foot's window
        bool bInside;
        const char* pszWhy;
    } outline[] = {
        { .pt = { 2, 2 }, .bInside = false, .pszWhy = "top left corner cut off" },
        { .pt = { 3, 2 }, .bInside = true, .pszWhy = "top row, beside the corner" },
        { .pt = { 21, 3 }, .bInside = false, .pszWhy = "right of the picture" },
        { .pt = { 20, 6 }, .bInside = false, .pszWhy = "bottom right corner cut off" },
    };
    for (const auto& pLeg : m_pBar->m_pLeg) {
        HWND hLeg = pLeg->m_hWnd;
        EXPECT_TRUE(ShowsBitmap(hLeg, { 1, 0, 18, 5 }, BITMAP_LEG, { 1, 0 }))
            << "its picture, its client area at (2, 2)";
        HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
        GetWindowRgn(hLeg, hRgn);
        for (const auto& c : outline)
            EXPECT_EQ(c.bInside, PtInRegion(hRgn, c.pt.x, c.pt.y) != 0) << c.pszWhy;
        DeleteObject(hRgn);
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
        // Points along and across the bar: the vertical bar is the horizontal one turned.
        const struct {
            int nAlong;
            int nAcross;
            DWORD rgb;
            const char* pszWhy;
        } points[] = {
            { .nAlong = 500, .nAcross = 15, .rgb = METAL, .pszWhy = "the middle shows the face" },
            { .nAlong = 500, .nAcross = 1, .rgb = WHITE, .pszWhy = "white line along the near side" },
            { .nAlong = 500, .nAcross = 2, .rgb = METAL, .pszWhy = "the white line is one pixel wide" },
            { .nAlong = 500, .nAcross = 30, .rgb = DARK_GREY, .pszWhy = "dark grey line inside the far side" },
            { .nAlong = 500, .nAcross = 31, .rgb = BLACK, .pszWhy = "black line along the far side" },
            { .nAlong = f.nEnd - 1, .nAcross = 15, .rgb = BLACK, .pszWhy = "black line across the far end" },
            { .nAlong = 76, .nAcross = 5, .rgb = DARK_GREY, .pszWhy = "the first groove's dark side" },
            { .nAlong = 76, .nAcross = 27, .rgb = METAL, .pszWhy = "the first groove ends 26 from the near side" },
            { .nAlong = 78, .nAcross = 16, .rgb = METAL, .pszWhy = "the first groove is two pixels wide" },
        };
        Command(f.nDock);
        EXPECT_TRUE(ShowsBitmap(m_hBar, f.rcPlate, f.nIDPlate)) << "the name plate";
        for (const auto& p : points) {
            const int x = f.nDock == ID_DOCK_LEFT ? p.nAcross : p.nAlong;
            const int y = f.nDock == ID_DOCK_LEFT ? p.nAlong : p.nAcross;
            const DWORD rgb = ScreenPixels(m_hBar, { x, y, x + 1, y + 1 })[0];
            EXPECT_TRUE(Shows(p.rgb, rgb)) << p.pszWhy << " at " << x << "," << y << ": " << std::hex << rgb;
        }
    }
}

// Where a saved edge and one command leave the bar, and what its menu then shows; "Always on top" saved on.
TEST_F(Bar, OneCommandPlacesTheBarAndMarksItsMenu)
{
    struct Then {
        RECT rc;
        LONG lData; // the window user data: always on top, orientation
        UINT nMark; // the position with the radio mark
        bool bFloating = false; // not topmost; "Always on top" and "Auto hide" grey
        bool bAutoHide = false;
    };
    const struct {
        int nEdge; // saved
        UINT nCommand;
        Then then;
        const char* pszWhy;
    } cases[] = {
        { .nEdge = DBE_FLOAT,
          .nCommand = ID_DOCK_TOP,
          .then = { .rc = { 0, 0, 1024, 32 }, .lData = MAKELONG(1, 1), .nMark = ID_DOCK_TOP },
          .pszWhy = "docking makes a floating bar topmost again" },
        { .nEdge = ABE_RIGHT,
          .nCommand = ID_FLOAT,
          .then = { .rc = { 308, 216, 716, 261 }, .lData = MAKELONG(1, 0), .nMark = ID_FLOAT, .bFloating = true },
          .pszWhy = "floating again: never topmost" },
        { .nEdge = ABE_BOTTOM,
          .nCommand = ID_AUTO_HIDE,
          .then = { .rc = { 0, 766, 1024, 798 }, .lData = MAKELONG(1, 1), .nMark = ID_DOCK_BOTTOM, .bAutoHide = true },
          .pszWhy = "the auto-hidden bar leaves a 2-pixel strip at the bottom" },
    };
    for (const auto& c : cases) {
        const Then& t = c.then;
        WriteInt(KEY_CONTROLLER, "State", c.nEdge);
        WriteInt(KEY_CONTROLLER, "AlwaysOnTop", 1);
        Start();
        Command(c.nCommand);
        EXPECT_TRUE(WaitUntil([&] { return WindowRect(m_hBar) == t.rc; }, 3000))
            << c.pszWhy << ": " << WindowRect(m_hBar);
        EXPECT_EQ(t.lData, GetWindowLongPtrA(m_hBar, GWLP_USERDATA)) << c.pszWhy << ": what other programs read";
        EXPECT_NE(t.bFloating, (GetWindowLongA(m_hBar, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) << c.pszWhy << ": topmost";
        Pump();
        MenuSnapshot menu = InspectMenu([&] { SendMessageA(m_hBar, WM_CONTEXTMENU, 0, MAKELPARAM(200, 180)); });
        EXPECT_TRUE(menu.Checked(t.nMark)) << c.pszWhy << ": the radio mark on the bar's position";
        EXPECT_EQ(t.bFloating, menu.Grayed(ID_AUTO_HIDE)) << c.pszWhy << ": a floating bar never hides";
        EXPECT_EQ(!t.bFloating, menu.Checked(ID_ALWAYS_ON_TOP)) << c.pszWhy << ": always on top but when floating";
        EXPECT_EQ(t.bAutoHide, menu.Checked(ID_AUTO_HIDE)) << c.pszWhy << ": auto hide";
    }
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
    const struct {
        UINT nCommand;
        const char* pszTitle;
    } dialogs[] = {
        { .nCommand = ID_APP_ABOUT, .pszTitle = "About Tymp Studio 3.0" },
        { .nCommand = ID_LAUNCHAPPS_BUTTON, .pszTitle = "Launch Applications" },
        { .nCommand = ID_SETUP_BUTTON, .pszTitle = "Tymp Studio Setup" },
    };
    Start();
    const HICON hIcon = (HICON)SendMessageA(m_hBar, WM_GETICON, ICON_BIG, 0);
    for (const auto& c : dialogs) {
        SetForegroundWindow(m_hBar);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == m_hBar; }, 3000)) << "the bar is active first";
        HWND hDialog = nullptr;
        ModalScript script;
        script.WaitFor(c.pszTitle, &hDialog).Do([&] {
            PostMessageA(hDialog, WM_COMMAND, IDCANCEL, 0);
            if (c.nCommand != ID_APP_ABOUT)
                return;
            EXPECT_EQ("Copyright \251 1998 Marvik Inc. All rights reserved.\nThis program is protected by copyright "
                      "law and international treaties. Unauthorized reproduction or distribution of it, or of any "
                      "part of it, is prohibited.",
                      WindowText(GetDlgItem(hDialog, IDC_ABOUT_LEGAL)))
                << "the About box shows the legal notice";
            EXPECT_EQ(hIcon, (HICON)SendDlgItemMessageA(hDialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0))
                << "the About box shows the bar's icon";
        });
        script.Run([&] { Command(c.nCommand); });
        EXPECT_TRUE(script.Finished()) << c.pszTitle << " opens and closes: " << script.m_strStalled;
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == m_hBar; }, 3000))
            << "after " << c.pszTitle << " closes, the bar is the active window";
    }
}

// Another program's bar along the right half of the top edge: the outline for the left edge is the
// 32-pixel band at that edge, which that bar does not meet, not a band cut from a whole screen that meets it.
TEST_F(Bar, TheDragOutlineForAnEdgeIsTheBandThereAsTheShellPlacesIt)
{
    HWND hOther = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, nullptr, nullptr);
    APPBARDATA abd = { .cbSize = sizeof abd,
                       .hWnd = hOther,
                       .uCallbackMessage = 0,
                       .uEdge = ABE_TOP,
                       .rc = { 512, 0, 1024, 40 },
                       .lParam = 0 };
    g_pfnAppBarMessage(ABM_NEW, &abd);
    g_pfnAppBarMessage(ABM_SETPOS, &abd);
    Start();
    RECT rc;
    m_pBar->GetDragDockRect(ABE_LEFT, &rc);
    EXPECT_EQ(rc, (RECT { 0, 0, 32, 768 })) << "the band along the whole left edge";
    m_pBar->GetDragDockRect(DBE_FLOAT, &rc);
    EXPECT_TRUE(IsRectEmpty(&rc)) << "no band for floating";
    m_pBar.reset();
    g_pfnAppBarMessage(ABM_REMOVE, &abd);
    DestroyWindow(hOther);
}
