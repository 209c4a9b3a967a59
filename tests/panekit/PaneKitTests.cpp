// PaneKit's controls on a real window, under the real mouse, read back as pixels;
// the pictures, clip, cursors, icon and sound are the program's (this test's) resources.
#include "panekit/PaneKit.h"
#include "tests/support/Mouse.h"
#include "tests/support/Pixels.h"
#include "tests/support/Processes.h"
#include "tests/support/Wait.h"
#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

const HINSTANCE EXE = GetModuleHandleA(nullptr);
enum { FLAT, RAISED, SUNKEN, GREY, NONE = -1 };

// A top-level window for the controls, away from the parked pointer; keeps the commands they send.
struct CParent : CWnd {
    std::vector<std::pair<WPARAM, HWND>> m_commands;
    CParent()
    {
        ParkMouse();
        CreateEx(WS_EX_TOPMOST, "#32770", "", WS_POPUP | WS_VISIBLE, CRect(200, 150, 520, 290), nullptr, nullptr);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            m_commands.push_back({ wParam, (HWND)lParam });
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Waits until hWnd's client shows the cx by cy part at (x, 0) of bitmap nID.
bool Shows(HWND hWnd, UINT nID, int x, int cx, int cy)
{
    const Pixels expected = BitmapPixels(EXE, nID, x, 0, cx, cy);
    return WaitUntil([&] { return !CountDifferences(ScreenPixels(hWnd, { 0, 0, cx, cy }), expected, cx); });
}

} // namespace

TEST(PaneKit, ControlsShowTheirPicturesSendOneCommandPerClickAndKeepTheirTips)
{
    CParent parent;
    auto* pButton = new C3sBmButton(321, CRect(40, 30, 354, 12), &parent, 139, "Help", 0, 0, nullptr, 1, 1);
    CBmArea still(101, CRect(9, 60, 0, 0), &parent, 164, nullptr, 0, nullptr, 1, 1);
    CAviArea logo(102, CRect(200, 90, 0, 0), CRect(36, 3, 0, 0), 154, 133, &parent, nullptr, 0, nullptr, 1, 1);
    pButton->SetButtonCursor(LoadCursorA(EXE, MAKEINTRESOURCEA(137)), LoadCursorA(EXE, MAKEINTRESOURCEA(138)));
    const HWND b = *pButton, s = still, l = logo, hClip = FindWindowExA(logo, nullptr, ANIMATE_CLASSA, nullptr);
    EXPECT_EQ((RECT { 240, 180, 264, 201 }), WindowRect(b)) << "one face of the bitmap";
    EXPECT_EQ((RECT { 209, 210, 253, 237 }), WindowRect(s));
    EXPECT_EQ((RECT { 436, 243, 445, 257 }), WindowRect(hClip));
    EXPECT_TRUE(Shows(s, 164, 0, 44, 27));
    EXPECT_TRUE(Shows(l, 154, 0, 30, 21)) << "around the clip";
    const Pixels clip = ScreenPixels(hClip, { 0, 0, 9, 14 });
    EXPECT_TRUE(WaitUntil([&] {
        return CountDifferences(ScreenPixels(hClip, { 0, 0, 9, 14 }), clip, 9) > 0;
    })) << "the clip plays";

    // m move, d press, u release, c click, o press and move off before the release, e disable, E enable;
    // then the face, the cursor, and the commands so far.
    const struct {
        HWND hWnd;
        char key;
        int x, y, nFace, nCursor;
        size_t nCommands;
    } steps[] = {
        { b, 'm', 20, 18, RAISED, 137, 0 }, { b, 'd', 0, 0, SUNKEN, 138, 0 }, { b, 'm', 60, 40, FLAT, 138, 0 },
        { b, 'm', 18, 17, SUNKEN, 138, 0 }, { b, 'u', 0, 0, RAISED, 137, 1 }, { b, 'c', 20, 18, RAISED, 137, 2 },
        { b, 'm', 60, 18, FLAT, 0, 2 },     { b, 'o', 20, 18, FLAT, 0, 2 },   { b, 'e', 0, 0, GREY, 0, 2 },
        { b, 'c', 20, 18, GREY, 0, 2 },     { b, 'E', 0, 0, FLAT, 0, 2 },     { b, 'm', 18, 18, RAISED, 137, 2 },
        { b, 'm', 60, 18, FLAT, 0, 2 },     { s, 'o', 20, 12, NONE, 0, 2 },   { s, 'c', 20, 12, NONE, 0, 3 },
        { l, 'c', 12, 10, NONE, 0, 4 },     { l, 'c', 40, 10, NONE, 0, 5 }, // the last on the clip
    };
    for (const auto& step : steps) {
        const char k = step.key;
        SCOPED_TRACE(::testing::Message() << k << " " << step.x << "," << step.y << " on " << GetDlgCtrlID(step.hWnd));
        ASSERT_TRUE(strchr("eE", k) ? EnableWindow(step.hWnd, k == 'E') || true
                                    : (!strchr("mco", k) || MouseMove(step.hWnd, step.x, step.y)) &&
                                          (!strchr("dco", k) || MouseDown()) &&
                                          (k != 'o' || MouseMove(step.hWnd, step.x + 100, step.y)) &&
                                          (!strchr("uco", k) || MouseUp()));
        EXPECT_TRUE(step.nFace == NONE || Shows(step.hWnd, 139, step.nFace * 24, 24, 21)) << "face " << step.nFace;
        const HCURSOR hCursor = step.nCursor ? LoadCursorA(EXE, MAKEINTRESOURCEA(step.nCursor)) : nullptr;
        EXPECT_TRUE(!hCursor || WaitUntil([&] { return GetCursor() == hCursor; })) << "cursor " << step.nCursor;
        WaitUntil([&] { return parent.m_commands.size() >= step.nCommands; });
        Pump();
        ASSERT_EQ(step.nCommands, parent.m_commands.size());
    }
    EXPECT_EQ((std::vector<std::pair<WPARAM, HWND>> { { 321, b }, { 321, b }, { 101, s }, { 102, l }, { 102, l } }),
              parent.m_commands);

    const HWND hTip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
    ASSERT_TRUE(MouseMove(b, 12, 11));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(hTip) && WindowText(hTip) == "Help"; })) << WindowText(hTip);
    pButton->SetToolTip("Remove CDPlayer");
    EXPECT_EQ("Remove CDPlayer", WindowText(hTip)) << "the tip that shows";
    EXPECT_TRUE(IsWindowVisible(hTip));
    delete pButton;
    EXPECT_FALSE(IsWindow(hTip));
}

TEST(PaneKit, AboutBoxIsModalAndChimesOnlyWhileOpen)
{
    CParent parent;
    const HICON hIcon = LoadIconA(EXE, MAKEINTRESOURCEA(128));
    const void* pWave = LockResource(LoadResource(EXE, FindResourceA(EXE, MAKEINTRESOURCEA(136), "WAVE")));
    auto playing = [] { // PlaySound, told not to stop a sound, refuses while one plays
        const bool bFree = PlaySoundA(MAKEINTRESOURCEA(136), EXE, SND_RESOURCE | SND_ASYNC | SND_NOSTOP);
        return !(bFree && PlaySoundA(nullptr, nullptr, 0));
    };
    const struct {
        const void* pWave;
        UINT message;
        WPARAM wParam;
        INT_PTR nResult;
    } rows[] = {
        { pWave, WM_COMMAND, IDOK, IDOK },
        { nullptr, WM_KEYDOWN, VK_ESCAPE, IDCANCEL },
        { pWave, WM_SYSCOMMAND, SC_CLOSE, IDCANCEL },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        CAboutDlg dlg("About Tymp Studio 3.0", "Tymp Studio 3.0", "\251 1998 Marvik", hIcon, row.pWave, &parent);
        HWND hBox = nullptr, hIconWnd = nullptr;
        ModalScript script;
        script.WaitFor("About Tymp Studio 3.0", &hBox).Do([&] {
            EXPECT_FALSE(IsWindowEnabled(parent));
            EXPECT_EQ(parent.m_hWnd, GetWindow(hBox, GW_OWNER));
            EXPECT_TRUE(IsWindowVisible(FindWindowExA(hBox, nullptr, "Static", "Tymp Studio 3.0")));
            EXPECT_TRUE(IsWindowVisible(FindWindowExA(hBox, nullptr, "Static", "\251 1998 Marvik")));
            while ((hIconWnd = FindWindowExA(hBox, hIconWnd, "Static", nullptr)) &&
                   SendMessageA(hIconWnd, STM_GETICON, 0, 0) != (LRESULT)hIcon) { }
            EXPECT_TRUE(IsWindowVisible(hIconWnd)) << "the icon";
            EXPECT_EQ(row.pWave != nullptr, playing());
            PostMessageA(row.message == WM_KEYDOWN ? GetFocus() : hBox, row.message, row.wParam, 0);
        });
        script.Run([&] { EXPECT_EQ(row.nResult, dlg.DoModal()); });
        EXPECT_TRUE(script.Finished()) << script.m_strStalled;
        EXPECT_TRUE(IsWindowEnabled(parent));
        EXPECT_FALSE(playing()) << "the chime outlived the box";
    }
}
