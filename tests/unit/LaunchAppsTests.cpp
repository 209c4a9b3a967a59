// The Launch Applications dialog on real windows and a real INI file beside
// the test program: opened from the bar, driven inside its modal loop by a
// timer, and the file read back after it closes.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "res/resource.h"
#include "settings/LaunchAppsDlg.h"
#include <gtest/gtest.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
using Section = std::vector<std::pair<std::string, std::string>>;

std::string ProgramDirectory()
{
    char sz[MAX_PATH];
    GetModuleFileNameA(nullptr, sz, sizeof sz);
    std::string path(sz);
    return path.substr(0, path.rfind('\\') + 1);
}

std::string IniPath()
{
    char sz[MAX_PATH];
    GetLaunchIniPath(sz);
    return sz;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The lines of section "Launch" as the file holds them, in order.
Section LaunchSection()
{
    Section lines;
    std::istringstream in(ReadFileBytes(IniPath()));
    std::string line;
    bool bInSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            bInSection = line == "[Launch]";
            continue;
        }
        size_t eq = line.find('=');
        if (bInSection && eq != std::string::npos)
            lines.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    return lines;
}

std::string WindowText(HWND hWnd)
{
    char sz[1024] = "";
    GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}

std::string ClassOf(HWND hWnd)
{
    char sz[64] = "";
    GetClassNameA(hWnd, sz, sizeof sz);
    return sz;
}

// Dialogs of this process, visible, with the given owner.
HWND FindOwnedDialog(HWND hOwner)
{
    for (HWND h = FindWindowA("#32770", nullptr); h; h = FindWindowExA(nullptr, h, "#32770", nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(h) && GetWindow(h, GW_OWNER) == hOwner)
            return h;
    }
    return nullptr;
}

HWND FindLaunchDialog()
{
    for (HWND h = FindWindowA("#32770", "Launch Applications"); h;
         h = FindWindowExA(nullptr, h, "#32770", "Launch Applications")) {
        if (GetDlgItem(h, IDC_LAUNCHAPPS_LIST))
            return h;
    }
    return nullptr;
}

Strings ListEntries(HWND hDlg)
{
    Strings entries;
    HWND hList = GetDlgItem(hDlg, IDC_LAUNCHAPPS_LIST);
    int n = (int)SendMessageA(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
        std::string text((size_t)SendMessageA(hList, LB_GETTEXTLEN, i, 0) + 1, '\0');
        SendMessageA(hList, LB_GETTEXT, i, (LPARAM)&text[0]);
        entries.push_back(text.c_str());
    }
    return entries;
}

BOOL CALLBACK FindEditChild(HWND hWnd, LPARAM lParam)
{
    if (ClassOf(hWnd) != "Edit")
        return TRUE;
    *(HWND*)lParam = hWnd;
    return FALSE;
}

// The file dialog's file name box: an edit (edt1), or one inside the combo box cmb13.
HWND FileNameEdit(HWND hFileDlg)
{
    for (int nID : { 1148, 1152 }) {
        HWND h = GetDlgItem(hFileDlg, nID);
        if (h && ClassOf(h) == "Edit")
            return h;
        HWND hEdit = nullptr;
        if (h)
            EnumChildWindows(h, FindEditChild, (LPARAM)&hEdit);
        if (hEdit)
            return hEdit;
    }
    return nullptr;
}

Strings StaticTexts(HWND hDlg)
{
    Strings texts;
    for (HWND h = GetWindow(hDlg, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (ClassOf(h) == "Static" && !WindowText(h).empty())
            texts.push_back(WindowText(h));
    }
    return texts;
}

std::string LoadText(UINT nID)
{
    char sz[512] = "";
    LoadStringA(GetModuleHandleA(nullptr), nID, sz, sizeof sz);
    return sz;
}

// Steps played inside a modal loop, one attempt per timer tick: a step that
// answers false is tried again on the next tick. Actions that open another
// modal loop are posted, so that a tick never waits inside one.
class ModalScript {
public:
    void Add(const char* pszName, std::function<bool()> step) { m_steps.push_back({ pszName, std::move(step) }); }

    // Runs fnOpen, which returns when the dialog has closed. Past dwTimeout
    // every dialog of the Launch Applications dialog is cancelled.
    void Play(const std::function<void()>& fnOpen, DWORD dwTimeout = 20000)
    {
        m_nNext = 0;
        m_bTimedOut = false;
        m_dwStart = GetTickCount();
        m_dwTimeout = dwTimeout;
        s_pPlaying = this;
        UINT_PTR nTimer = SetTimer(nullptr, 0, 40, OnTick);
        fnOpen();
        KillTimer(nullptr, nTimer);
        s_pPlaying = nullptr;
    }

    bool Finished() const { return m_nNext == m_steps.size() && !m_bTimedOut; }
    // What went wrong, for the assertion's message.
    std::string Report() const
    {
        if (m_nNext < m_steps.size())
            return std::string("stopped at step \"") + m_steps[m_nNext].first + "\"";
        return m_bTimedOut ? "every step ran but the dialog stayed open" : "finished";
    }

private:
    static VOID CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
    {
        ModalScript* p = s_pPlaying;
        if (!p || p->m_bBusy)
            return;
        p->m_bBusy = true;
        if (GetTickCount() - p->m_dwStart > p->m_dwTimeout) {
            p->m_bTimedOut = true;
            if (HWND hDlg = FindLaunchDialog()) {
                if (HWND hOwned = FindOwnedDialog(hDlg))
                    PostMessageA(hOwned, WM_COMMAND, IDCANCEL, 0);
                else
                    PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
            }
        } else if (p->m_nNext < p->m_steps.size() && p->m_steps[p->m_nNext].second()) {
            p->m_nNext++;
        }
        p->m_bBusy = false;
    }

    static ModalScript* s_pPlaying;
    std::vector<std::pair<const char*, std::function<bool()>>> m_steps;
    size_t m_nNext = 0;
    bool m_bTimedOut = false;
    bool m_bBusy = false;
    DWORD m_dwStart = 0;
    DWORD m_dwTimeout = 0;
};

ModalScript* ModalScript::s_pPlaying;

class LaunchApps : public ::testing::Test {
protected:
    void SetUp() override
    {
        GetCurrentDirectoryA(sizeof m_szDirectory, m_szDirectory);
        m_strIni = IniPath();
        m_strSaved = m_strIni + ".saved-by-test";
        MoveFileExA(m_strIni.c_str(), m_strSaved.c_str(), MOVEFILE_REPLACE_EXISTING);
        char szTemp[MAX_PATH];
        GetTempPathA(sizeof szTemp, szTemp);
        m_strTemp = std::string(szTemp) + "TympLaunchAppsTests\\";
        CreateDirectoryA(m_strTemp.c_str(), nullptr);
        m_strLog = m_strTemp + "modules.log";
        DeleteFileA(m_strLog.c_str());
        SetEnvironmentVariableA("TYMP_MODULE_LOG", m_strLog.c_str());
        m_strEditor = ProgramDirectory() + "TympWaveEditor.exe";
        DeleteSuiteKeys();
        m_pBar = StartBar();
    }
    void TearDown() override
    {
        m_pBar.reset();
        DeleteSuiteKeys();
        // Stand-ins a test started end before the next test looks at the log.
        for (HWND h; (h = FindWindowA(nullptr, "Tymp WaveEditor")) != nullptr;) {
            PostMessageA(h, WM_CLOSE, 0, 0);
            PumpUntil([h] { return !IsWindow(h); }, 5000);
        }
        SetEnvironmentVariableA("TYMP_MODULE_LOG", nullptr);
        DeleteFileA(m_strLog.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strIni.c_str());
        DeleteFileA(m_strIni.c_str());
        MoveFileExA(m_strSaved.c_str(), m_strIni.c_str(), MOVEFILE_REPLACE_EXISTING);
        SetCurrentDirectoryA(m_szDirectory);
    }

    void WriteIni(const std::string& text)
    {
        // The profile functions may cache the file: let them read it afresh.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strIni.c_str());
        WriteFileBytes(m_strIni, text);
    }

    // A file of the test's own; answers its full path.
    std::string MakeFile(const std::string& name)
    {
        std::string path = m_strTemp + name;
        WriteFileBytes(path, "test file\r\n");
        return path;
    }

    // Presses the bar's Launch Applications button and plays the steps in its dialog.
    void Play(ModalScript& script, DWORD dwTimeout = 20000)
    {
        script.Play([&] { SendMessageA(m_pBar->m_hWnd, WM_COMMAND, ID_LAUNCHAPPS_BUTTON, 0); }, dwTimeout);
    }

    // Steps
    void Opened(ModalScript& s)
    {
        s.Add("the dialog opens", [this] { return (m_hDlg = FindLaunchDialog()) != nullptr; });
    }
    void ReadList(ModalScript& s, Strings* pEntries)
    {
        s.Add("read the list", [this, pEntries] { *pEntries = ListEntries(m_hDlg); return true; });
    }
    void Select(ModalScript& s, int nIndex)
    {
        s.Add("select an entry", [this, nIndex] {
            SendDlgItemMessageA(m_hDlg, IDC_LAUNCHAPPS_LIST, LB_SETCURSEL, nIndex, 0);
            return true;
        });
    }
    void Click(ModalScript& s, int nID)
    {
        s.Add("press a button", [this, nID] {
            PostMessageA(GetDlgItem(m_hDlg, nID), BM_CLICK, 0, 0);
            return true;
        });
    }
    void Post(ModalScript& s, UINT message, WPARAM wParam, LPARAM lParam)
    {
        s.Add("post a message", [=] { PostMessageA(m_hDlg, message, wParam, lParam); return true; });
    }
    // Browse, then type a path into the file dialog and press its OK.
    void Browse(ModalScript& s, const std::string& path, bool bAllFiles = false)
    {
        Click(s, IDC_LAUNCHAPPS_BROWSE);
        s.Add("the file dialog opens", [this] {
            m_hFileDlg = FindOwnedDialog(m_hDlg);
            return m_hFileDlg && FileNameEdit(m_hFileDlg);
        });
        s.Add("choose the file", [=] {
            HWND hFilter = GetDlgItem(m_hFileDlg, 1136);
            m_fileDlgTitle = WindowText(m_hFileDlg);
            m_filters.clear();
            for (int i = 0; i < (int)SendMessageA(hFilter, CB_GETCOUNT, 0, 0); i++) {
                char sz[256] = "";
                SendMessageA(hFilter, CB_GETLBTEXT, i, (LPARAM)sz);
                m_filters.push_back(sz);
            }
            if (bAllFiles) {
                SendMessageA(hFilter, CB_SETCURSEL, 1, 0);
                SendMessageA(m_hFileDlg, WM_COMMAND, MAKEWPARAM(1136, CBN_SELCHANGE), (LPARAM)hFilter);
            }
            SetWindowTextA(FileNameEdit(m_hFileDlg), path.c_str());
            PostMessageA(m_hFileDlg, WM_COMMAND, IDOK, 0);
            return true;
        });
        s.Add("the file dialog closes", [this] { return !IsWindow(m_hFileDlg); });
    }

    bool WaitForLogLine(const std::string& start, std::string* pLine = nullptr, DWORD dwTimeout = 10000)
    {
        return PumpUntil([&] {
            std::istringstream in(ReadFileBytes(m_strLog));
            for (std::string line; std::getline(in, line);) {
                if (line.compare(0, start.size(), start) == 0) {
                    if (pLine)
                        *pLine = line;
                    return true;
                }
            }
            return false;
        }, dwTimeout);
    }

    // The stand-in's window shows a moment after its log line; it is closed
    // here so that no later test sees it.
    bool CloseStartedEditor()
    {
        HWND hEditor = nullptr;
        if (!PumpUntil([&] { return (hEditor = FindWindowA(nullptr, "Tymp WaveEditor")) != nullptr; }, 10000))
            return false;
        PostMessageA(hEditor, WM_CLOSE, 0, 0);
        return PumpUntil([&] { return !IsWindow(hEditor); }, 10000);
    }

    FakeAppBarShell m_shell;
    BarPtr m_pBar;
    HWND m_hDlg = nullptr;
    HWND m_hFileDlg = nullptr;
    std::string m_fileDlgTitle;
    Strings m_filters;
    std::string m_strIni, m_strSaved, m_strTemp, m_strLog, m_strEditor;
    char m_szDirectory[MAX_PATH] = "";
};

} // namespace

TEST_F(LaunchApps, TheIniFileIsBesideTheProgram)
{
    EXPECT_EQ(ProgramDirectory() + "TympStudio.ini", IniPath());
}

TEST_F(LaunchApps, TheDialogHasItsControlsAndAnUnsortedList)
{
    WriteIni("[Launch]\r\n1=D:\\Tools\\Zebra.exe\r\n2=C:\\Apps\\Alpha.exe\r\n");
    Strings entries;
    std::string list, browse, launch, remove, close;
    DWORD dwListStyle = 0, dwCloseStyle = 0;
    ModalScript s;
    Opened(s);
    ReadList(s, &entries);
    s.Add("look at the controls", [&] {
        dwListStyle = (DWORD)GetWindowLongA(GetDlgItem(m_hDlg, IDC_LAUNCHAPPS_LIST), GWL_STYLE);
        dwCloseStyle = (DWORD)GetWindowLongA(GetDlgItem(m_hDlg, IDOK), GWL_STYLE);
        browse = WindowText(GetDlgItem(m_hDlg, 1084));
        launch = WindowText(GetDlgItem(m_hDlg, 106));
        remove = WindowText(GetDlgItem(m_hDlg, 1081));
        close = WindowText(GetDlgItem(m_hDlg, IDOK));
        return true;
    });
    s.Add("the bar owns it", [&] { return GetWindow(m_hDlg, GW_OWNER) == m_pBar->m_hWnd; });
    Click(s, IDOK);
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ((Strings{ "D:\\Tools\\Zebra.exe", "C:\\Apps\\Alpha.exe" }), entries) << "in the file's order";
    EXPECT_EQ(0u, dwListStyle & LBS_SORT) << std::hex << dwListStyle;
    // The list box takes WS_BORDER and WS_VSCROLL over itself, so they are not looked for.
    EXPECT_EQ((DWORD)(LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP),
              dwListStyle & (LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP))
        << std::hex << dwListStyle;
    EXPECT_EQ((DWORD)BS_DEFPUSHBUTTON, dwCloseStyle & 0x0F) << std::hex << dwCloseStyle;
    EXPECT_EQ((Strings{ "Browse", "Launch", "Remove", "Close" }), (Strings{ browse, launch, remove, close }));
    EXPECT_EQ(nullptr, FindLaunchDialog());
}

TEST_F(LaunchApps, AGapEndsTheListAndKeysAfterItStayUntouched)
{
    WriteIni("[Launch]\r\n1=C:\\A.exe\r\n2=C:\\B.exe\r\n4=C:\\D.exe\r\n");
    Strings entries;
    ModalScript s;
    Opened(s);
    ReadList(s, &entries);
    Click(s, IDOK);
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ((Strings{ "C:\\A.exe", "C:\\B.exe" }), entries);
    EXPECT_EQ((Section{ { "1", "C:\\A.exe" }, { "2", "C:\\B.exe" }, { "4", "C:\\D.exe" } }), LaunchSection());
}

TEST_F(LaunchApps, AnEmptyValueEndsTheList)
{
    WriteIni("[Launch]\r\n1=C:\\A.exe\r\n2=C:\\B.exe\r\n3=\r\n4=C:\\D.exe\r\n");
    Strings entries;
    ModalScript s;
    Opened(s);
    ReadList(s, &entries);
    Click(s, IDOK);
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ((Strings{ "C:\\A.exe", "C:\\B.exe" }), entries);
    EXPECT_EQ((Section{ { "1", "C:\\A.exe" }, { "2", "C:\\B.exe" }, { "3", "" }, { "4", "C:\\D.exe" } }),
              LaunchSection());
}

TEST_F(LaunchApps, RemovingTheMiddleEntryMovesTheLastUpAndDeletesItsKey)
{
    WriteIni("[Launch]\r\n1=C:\\A.exe\r\n2=C:\\B.exe\r\n3=C:\\C.exe\r\n");
    Strings after;
    int nSelAfter = 0;
    ModalScript s;
    Opened(s);
    Select(s, 1);
    Click(s, IDC_LAUNCHAPPS_REMOVE);
    s.Add("the entry goes", [&] { return ListEntries(m_hDlg).size() == 2; });
    s.Add("nothing is written yet", [&] { return LaunchSection().size() == 3; });
    ReadList(s, &after);
    s.Add("read the selection", [&] {
        nSelAfter = (int)SendDlgItemMessageA(m_hDlg, IDC_LAUNCHAPPS_LIST, LB_GETCURSEL, 0, 0);
        return true;
    });
    Click(s, IDOK);
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ((Strings{ "C:\\A.exe", "C:\\C.exe" }), after);
    EXPECT_EQ(LB_ERR, nSelAfter) << "nothing is selected after a removal";
    EXPECT_EQ((Section{ { "1", "C:\\A.exe" }, { "2", "C:\\C.exe" } }), LaunchSection());
}

TEST_F(LaunchApps, EscapeAfterAddingThreeLeavesTheFileAsItWas)
{
    const std::string before = "[Other]\r\nkept=yes\r\n";
    WriteIni(before);
    const std::string a = MakeFile("One.exe"), b = MakeFile("Two.exe"), c = MakeFile("Three.exe");
    Strings entries;
    ModalScript s;
    Opened(s);
    Browse(s, a);
    Browse(s, b);
    Browse(s, c);
    ReadList(s, &entries);
    Post(s, WM_COMMAND, IDCANCEL, 0);
    Play(s, 60000);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ((Strings{ a, b, c }), entries);
    EXPECT_EQ(before, ReadFileBytes(m_strIni));
}

TEST_F(LaunchApps, TheCloseBoxDiscardsARemoval)
{
    const std::string before = "[Launch]\r\n1=C:\\A.exe\r\n";
    WriteIni(before);
    ModalScript s;
    Opened(s);
    Select(s, 0);
    Click(s, IDC_LAUNCHAPPS_REMOVE);
    s.Add("the entry goes", [&] { return ListEntries(m_hDlg).empty(); });
    Post(s, WM_CLOSE, 0, 0);
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ(before, ReadFileBytes(m_strIni));
}

TEST_F(LaunchApps, BrowseOffersProgramsAndAllFilesAndAddsAtTheEnd)
{
    WriteIni("[Launch]\r\n1=C:\\A.exe\r\n");
    const std::string path = MakeFile("Added.exe");
    Strings entries;
    ModalScript s;
    Opened(s);
    Browse(s, path);
    ReadList(s, &entries);
    Click(s, IDOK);
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ("Open", m_fileDlgTitle);
    EXPECT_EQ((Strings{ "Programs (*.exe)", "All Files (*.*)" }), m_filters);
    EXPECT_EQ((Strings{ "C:\\A.exe", path }), entries);
    EXPECT_EQ((Section{ { "1", "C:\\A.exe" }, { "2", path } }), LaunchSection());
}

TEST_F(LaunchApps, CancellingTheFileDialogAddsNothing)
{
    Strings entries{ "not read" };
    ModalScript s;
    Opened(s);
    Click(s, IDC_LAUNCHAPPS_BROWSE);
    s.Add("the file dialog opens", [this] { return (m_hFileDlg = FindOwnedDialog(m_hDlg)) != nullptr; });
    s.Add("cancel it", [this] { PostMessageA(m_hFileDlg, WM_COMMAND, IDCANCEL, 0); return true; });
    s.Add("the file dialog closes", [this] { return !IsWindow(m_hFileDlg); });
    ReadList(s, &entries);
    Click(s, IDOK);
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ(Strings{}, entries);
    EXPECT_EQ(Section{}, LaunchSection());
}

TEST_F(LaunchApps, TheSameProgramMayBeListedTwice)
{
    const std::string path = MakeFile("Twice.exe");
    Strings entries, reopened;
    ModalScript s;
    Opened(s);
    Browse(s, path);
    Browse(s, path);
    ReadList(s, &entries);
    Click(s, IDOK);
    Play(s, 40000);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ((Strings{ path, path }), entries);
    EXPECT_EQ((Section{ { "1", path }, { "2", path } }), LaunchSection());

    ModalScript again;
    Opened(again);
    ReadList(again, &reopened);
    Click(again, IDOK);
    Play(again);
    ASSERT_TRUE(again.Finished()) << again.Report();
    EXPECT_EQ((Strings{ path, path }), reopened);
}

TEST_F(LaunchApps, APathLongerThan255CharactersIsRefusedWithAMessage)
{
    // A folder deep enough that a file in it passes 255 characters but stays within MAX_PATH.
    ASSERT_LT(m_strTemp.size(), 150u) << m_strTemp;
    std::string folder = m_strTemp + std::string(200 - m_strTemp.size(), 'd');
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\";
    auto nameOfLength = [&](size_t nTotal) { return folder + std::string(nTotal - folder.size() - 4, 'n') + ".exe"; };
    const std::string longPath = nameOfLength(256), fitting = nameOfLength(255);
    WriteFileBytes(longPath, "x");
    WriteFileBytes(fitting, "x");
    ASSERT_TRUE(FileExists(longPath)) << longPath;
    ASSERT_TRUE(FileExists(fitting)) << fitting;

    Strings afterLong, afterFitting, messageTexts;
    std::string messageCaption;
    HWND hMessageOwner = nullptr;
    ModalScript s;
    Opened(s);
    Browse(s, longPath);
    s.Add("the message box shows", [&] {
        HWND hBox = FindOwnedDialog(m_hDlg);
        if (!hBox || StaticTexts(hBox).empty())
            return false;
        hMessageOwner = GetWindow(hBox, GW_OWNER);
        messageCaption = WindowText(hBox);
        messageTexts = StaticTexts(hBox);
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        return true;
    });
    s.Add("the message box closes", [&] { return FindOwnedDialog(m_hDlg) == nullptr; });
    ReadList(s, &afterLong);
    Browse(s, fitting);
    ReadList(s, &afterFitting);
    Click(s, IDOK);
    Play(s, 40000);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ(m_hDlg, hMessageOwner);
    EXPECT_EQ("Launch Applications", messageCaption);
    EXPECT_EQ(Strings{ "This path is longer than 255 characters and cannot be added to the list." }, messageTexts);
    EXPECT_EQ(Strings{ LoadText(IDS_LAUNCH_PATH_TOO_LONG) }, messageTexts) << "a string-table entry";
    EXPECT_EQ(Strings{}, afterLong);
    EXPECT_EQ(Strings{ fitting }, afterFitting) << "255 characters fit";
    EXPECT_EQ((Section{ { "1", fitting } }), LaunchSection());

    DeleteFileA(longPath.c_str());
    DeleteFileA(fitting.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(LaunchApps, LaunchStartsTheSelectedProgramSavesAndCloses)
{
    WriteIni("[Launch]\r\n1=C:\\Nowhere\\First.exe\r\n2=" + m_strEditor + "\r\n");
    const std::string added = MakeFile("Third.exe");
    ModalScript s;
    Opened(s);
    Browse(s, added);
    Select(s, 1);
    Click(s, IDC_LAUNCHAPPS_LAUNCH);
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    std::string line;
    EXPECT_TRUE(WaitForLogLine("TympWaveEditor.exe start", &line)) << "log: " << ReadFileBytes(m_strLog);
    EXPECT_NE(std::string::npos, line.find("TympWaveEditor.exe")) << line;
    EXPECT_TRUE(CloseStartedEditor());
    EXPECT_EQ((Section{ { "1", "C:\\Nowhere\\First.exe" }, { "2", m_strEditor }, { "3", added } }), LaunchSection());
}

TEST_F(LaunchApps, ADoubleClickLaunchesTheEntry)
{
    WriteIni("[Launch]\r\n1=C:\\Nowhere\\First.exe\r\n2=" + m_strEditor + "\r\n");
    ModalScript s;
    Opened(s);
    Select(s, 1);
    s.Add("double-click it", [this] {
        PostMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(IDC_LAUNCHAPPS_LIST, LBN_DBLCLK),
                     (LPARAM)GetDlgItem(m_hDlg, IDC_LAUNCHAPPS_LIST));
        return true;
    });
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_TRUE(WaitForLogLine("TympWaveEditor.exe start")) << "log: " << ReadFileBytes(m_strLog);
    EXPECT_TRUE(CloseStartedEditor());
    EXPECT_EQ((Section{ { "1", "C:\\Nowhere\\First.exe" }, { "2", m_strEditor } }), LaunchSection());
}

TEST_F(LaunchApps, LaunchWithoutASelectionSavesClosesAndStartsNothing)
{
    WriteIni("[Launch]\r\n1=" + m_strEditor + "\r\n2=" + m_strEditor + "\r\n");
    ModalScript s;
    Opened(s);
    Select(s, 1);
    Click(s, IDC_LAUNCHAPPS_REMOVE);
    s.Add("the entry goes", [&] { return ListEntries(m_hDlg).size() == 1; });
    Click(s, IDC_LAUNCHAPPS_LAUNCH);
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ((Section{ { "1", m_strEditor } }), LaunchSection()) << "saved";
    EXPECT_FALSE(WaitForLogLine("TympWaveEditor.exe", nullptr, 3000)) << "log: " << ReadFileBytes(m_strLog);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "Tymp WaveEditor"));
}

TEST_F(LaunchApps, ADocumentChosenUnderAllFilesOpensInItsProgram)
{
    // The shell opens ".tympdoc" files with the stand-in wave editor.
    const std::string command = "\"" + m_strEditor + "\" \"%1\"";
    RegSetValueA(HKEY_CLASSES_ROOT, ".tympdoc", REG_SZ, "TympTestDocument", 0);
    RegSetValueA(HKEY_CLASSES_ROOT, "TympTestDocument\\shell\\open\\command", REG_SZ, command.c_str(), 0);
    const std::string doc = MakeFile("Session Notes.tympdoc");
    Strings entries;
    ModalScript s;
    Opened(s);
    Browse(s, doc, true);
    ReadList(s, &entries);
    Select(s, 0);
    Click(s, IDC_LAUNCHAPPS_LAUNCH);
    Play(s);
    std::string line;
    bool bStarted = WaitForLogLine("TympWaveEditor.exe start", &line) && CloseStartedEditor();
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "TympTestDocument\\shell\\open\\command");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "TympTestDocument\\shell\\open");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "TympTestDocument\\shell");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "TympTestDocument");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".tympdoc");
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ(Strings{ doc }, entries);
    EXPECT_TRUE(bStarted) << "log: " << ReadFileBytes(m_strLog);
    EXPECT_NE(std::string::npos, line.find("Session Notes.tympdoc")) << line;
    EXPECT_EQ((Section{ { "1", doc } }), LaunchSection());
}

TEST_F(LaunchApps, TheDialogKeepsRunningModulesBehindTheBar)
{
    HWND hModule = CreateModuleWindow("Tymp Studio WavePlayer", 400);
    SendMessageA(m_pBar->m_hWnd, g_uModuleMessage, LOWORD((UINT_PTR)hModule), MODMSG_ATTACH);
    HWND hBelowBar = nullptr;
    ModalScript s;
    Opened(s);
    s.Add("put the module in front", [&] {
        SetWindowPos(hModule, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        return GetWindow(m_pBar->m_hWnd, GW_HWNDNEXT) != hModule;
    });
    s.Add("activate the dialog again", [&] {
        SendMessageA(m_hDlg, WM_ACTIVATE, WA_ACTIVE, 0);
        hBelowBar = GetWindow(m_pBar->m_hWnd, GW_HWNDNEXT);
        return true;
    });
    Click(s, IDOK);
    Play(s);
    ASSERT_TRUE(s.Finished()) << s.Report();
    EXPECT_EQ(hModule, hBelowBar) << "the window right behind the bar";
    DestroyWindow(hModule);
}

TEST_F(LaunchApps, AnOpenDialogOfTheBarKeepsItClosed)
{
    HWND hOther = CreateWindowExA(0, "#32770", "Some dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 200, 100,
                                  m_pBar->m_hWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    ModalScript s;
    Play(s, 3000);
    EXPECT_TRUE(s.Finished()) << "the dialog opened over another";
    DestroyWindow(hOther);
}

// Files of every size and content: the list holds what fits, nothing longer
// than 255 characters is read, and what Close writes reads back the same.
TEST_F(LaunchApps, HugeAndBinaryFilesAreReadWithinTheLimits)
{
    std::string strHuge = "[Other]\r\n";
    for (int i = 0; i < 20000; i++)
        strHuge += "k" + std::to_string(i) + "=" + std::string(40, 'a' + i % 26) + "\r\n";
    strHuge += "[Launch]\r\n";
    for (int i = 1; i <= 10000; i++)
        strHuge += std::to_string(i) + "=C:\\Program " + std::to_string(i) + ".exe\r\n";
    std::string strBinary = "[Launch]\r\n1=\xC4\xD6\xDC\xE9\xFF.exe\r\n2=";
    for (int i = 0; i < 3000; i++)
        strBinary += (char)(1 + (i * 37) % 250);
    strBinary += "\r\n3=C:\\after.exe\r\n";
    const std::string str255(255, 'x'), str256(256, 'y'), str10000(10000, 'z');
    const std::string strLong = "[Launch]\r\n1=" + str255 + "\r\n2=" + str256 + "\r\n3=" + str10000 + "\r\n4=C:\\last.exe\r\n";

    for (const std::string* pFile : std::vector<const std::string*>{ &strHuge, &strBinary, &strLong }) {
        WriteIni(*pFile);
        Strings entries;
        ModalScript s;
        Opened(s);
        ReadList(s, &entries);
        Click(s, IDOK);
        Play(s, 60000);
        ASSERT_TRUE(s.Finished()) << s.Report();
        for (const std::string& e : entries)
            EXPECT_LE(e.size(), 255u) << "an entry longer than its buffer";
        if (pFile == &strHuge) {
            EXPECT_EQ(10000u, entries.size());
        } else if (pFile == &strLong) {
            ASSERT_EQ(4u, entries.size());
            EXPECT_EQ(str255, entries[0]);
            EXPECT_EQ("C:\\last.exe", entries[3]);
        } else {
            ASSERT_EQ(3u, entries.size());
            EXPECT_EQ("\xC4\xD6\xDC\xE9\xFF.exe", entries[0]);
        }

        // What Close wrote is read again as the same list.
        Strings again;
        ModalScript t;
        Opened(t);
        ReadList(t, &again);
        Post(t, WM_COMMAND, IDCANCEL, 0);
        Play(t, 60000);
        ASSERT_TRUE(t.Finished()) << t.Report();
        EXPECT_EQ(entries, again);
    }
}
