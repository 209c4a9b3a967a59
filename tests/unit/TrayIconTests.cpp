// The notification-icon copy: its icon, menu, the commands that start the
// suite's programs, and the About box it shares with the bar.
#include "MenuInspector.h"
#include "TestUtil.h"
#include "controller/ControllerDlg.h"
#include "res/resource.h"
#include "tray/NotifyIconService.h"
#include "tray/TrayIconDlg.h"
#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <string>
#include <vector>

namespace {

std::vector<std::pair<DWORD, NOTIFYICONDATAA>> g_iconCalls;

BOOL WINAPI RecordNotifyIcon(DWORD dwMessage, PNOTIFYICONDATAA pData)
{
    NOTIFYICONDATAA nid = {};
    memcpy(&nid, pData, pData->cbSize < sizeof nid ? pData->cbSize : sizeof nid);
    g_iconCalls.push_back({ dwMessage, nid });
    return TRUE;
}

std::vector<DWORD> ProcessesNamed(const char* pszExe)
{
    std::vector<DWORD> ids;
    HANDLE hSnap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof pe;
    for (BOOL b = Process32First(hSnap, &pe); b; b = Process32Next(hSnap, &pe))
        if (lstrcmpiA(pe.szExeFile, pszExe) == 0)
            ids.push_back(pe.th32ProcessID);
    CloseHandle(hSnap);
    return ids;
}

void EndProcesses(const std::vector<DWORD>& ids)
{
    for (DWORD id : ids) {
        HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!h)
            continue;
        TerminateProcess(h, 0);
        WaitForSingleObject(h, 5000);
        CloseHandle(h);
    }
}

HWND s_hTray;
int s_nBoxes;

// Inside the first box's modal loop: ask again, count the boxes, close.
VOID CALLBACK AskAboutAgain(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hAbout = FindWindowA(nullptr, "About Tymp Studio 3.0");
    if (!hAbout || s_nBoxes >= 0)
        return;
    KillTimer(nullptr, nIDEvent);
    SendMessageA(s_hTray, WM_COMMAND, ID_TRAY_ABOUT, 0);
    s_nBoxes = 0;
    for (HWND h = nullptr; (h = FindWindowExA(nullptr, h, nullptr, "About Tymp Studio 3.0")) != nullptr;)
        s_nBoxes += IsWindowVisible(h) ? 1 : 0;
    PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
}

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_iconCalls.clear();
        g_pfnShellNotifyIconA = RecordNotifyIcon;
        ASSERT_TRUE(m_dlg.Create(IDD_TRAYICON, nullptr));
    }
    void TearDown() override
    {
        m_dlg.DestroyWindow();
        g_pfnShellNotifyIconA = Shell_NotifyIconA;
    }
    CTrayIconDlg m_dlg{ nullptr };
};

} // namespace

TEST_F(TrayIcon, AHiddenWindowOwnsTheIcon)
{
    char szTitle[64];
    GetWindowTextA(m_dlg.m_hWnd, szTitle, sizeof szTitle);
    EXPECT_STREQ("Tymp Studio 3.0", szTitle);
    EXPECT_FALSE(IsWindowVisible(m_dlg.m_hWnd));
    CRect rc;
    m_dlg.GetWindowRect(&rc);
    EXPECT_TRUE(rc.IsRectEmpty()) << rc.Width() << "x" << rc.Height();

    ASSERT_EQ(1u, g_iconCalls.size());
    const NOTIFYICONDATAA& nid = g_iconCalls[0].second;
    EXPECT_EQ((DWORD)NIM_ADD, g_iconCalls[0].first);
    EXPECT_EQ(88u, nid.cbSize);
    EXPECT_EQ(m_dlg.m_hWnd, nid.hWnd);
    EXPECT_EQ(128u, nid.uID);
    EXPECT_EQ(7u, nid.uFlags);
    EXPECT_EQ((UINT)WM_TRAYNOTIFY, nid.uCallbackMessage);
    EXPECT_EQ(m_dlg.m_hIcon, nid.hIcon);
    EXPECT_NE(nullptr, nid.hIcon);
    EXPECT_STREQ("Tymp Studio 3.0", nid.szTip);

    std::string strFolder(m_dlg.m_strCDPlayerPath);
    EXPECT_NE(std::string::npos, strFolder.find("TympCDPlayer.exe"));
}

TEST_F(TrayIcon, TheIconReturnsWhenTheTaskbarIsCreatedAgain)
{
    SendMessageA(m_dlg.m_hWnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(2u, g_iconCalls.size());
    EXPECT_EQ((DWORD)NIM_ADD, g_iconCalls[1].first);
    EXPECT_EQ(128u, g_iconCalls[1].second.uID);
}

TEST_F(TrayIcon, ExitRemovesTheIcon)
{
    SendMessageA(m_dlg.m_hWnd, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_EQ(2u, g_iconCalls.size());
    EXPECT_EQ((DWORD)NIM_DELETE, g_iconCalls[1].first);
    EXPECT_EQ(88u, g_iconCalls[1].second.cbSize);
    EXPECT_EQ(128u, g_iconCalls[1].second.uID);
}

TEST_F(TrayIcon, APressOnTheIconOpensItsMenuAtTheCursor)
{
    SetCursorPos(400, 300);
    PumpFor(50);
    for (LPARAM lMouse : { (LPARAM)WM_RBUTTONDOWN, (LPARAM)WM_LBUTTONDOWN }) {
        MenuSnapshot menu = InspectMenu([&] { SendMessageA(m_dlg.m_hWnd, WM_TRAYNOTIFY, 128, lMouse); });
        ASSERT_TRUE(menu.bShown);
        EXPECT_EQ(9u, menu.state.size());
        for (UINT nID = ID_TRAY_CONTROLLER; nID <= ID_TRAY_EXIT; nID++)
            EXPECT_FALSE(menu.Grayed(nID)) << nID;
        EXPECT_EQ(400, menu.rc.left);
        EXPECT_EQ(300, menu.rc.top);
    }
    EXPECT_FALSE(InspectMenu([&] { SendMessageA(m_dlg.m_hWnd, WM_TRAYNOTIFY, 128, WM_MOUSEMOVE); }).bShown);
}

TEST_F(TrayIcon, EachChoiceStartsAnotherCopy)
{
    EndProcesses(ProcessesNamed("TympCDPlayer.exe"));
    SendMessageA(m_dlg.m_hWnd, WM_COMMAND, ID_TRAY_CDPLAYER, 0);
    SendMessageA(m_dlg.m_hWnd, WM_COMMAND, ID_TRAY_CDPLAYER, 0);
    EXPECT_TRUE(PumpUntil([] { return ProcessesNamed("TympCDPlayer.exe").size() == 2; }))
        << ProcessesNamed("TympCDPlayer.exe").size() << " copies";
    EndProcesses(ProcessesNamed("TympCDPlayer.exe"));
}

TEST_F(TrayIcon, ASecondAboutRequestRaisesTheOpenBox)
{
    s_hTray = m_dlg.m_hWnd;
    s_nBoxes = -1;
    UINT_PTR nTimer = SetTimer(nullptr, 0, 100, AskAboutAgain);
    SendMessageA(m_dlg.m_hWnd, WM_COMMAND, ID_TRAY_ABOUT, 0);
    KillTimer(nullptr, nTimer);
    EXPECT_EQ(1, s_nBoxes);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "About Tymp Studio 3.0"));
}
