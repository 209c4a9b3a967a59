// The Launch Applications dialog over the real TympStudio.ini beside the program.
#include "tests/support/BarFixture.h"
#include "res/resource.h"
#include <dlgs.h>
#include <fstream>

constexpr int MSGBOX_TEXT = 0xFFFF; // a message box's text

class LaunchApps : public BarTest {
protected:
    ~LaunchApps() override
    {
        EndChildProcesses(GetCurrentProcessId(), 0);
        DeleteFileA(m_strIni.c_str());
    }
    void WriteIni(const std::string& str)
    {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_strIni.c_str()); // no stale copy
        std::ofstream(m_strIni, std::ios::binary | std::ios::trunc) << str;
    }
    std::string Ini() const
    {
        std::ifstream file(m_strIni, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    void Select(int nIndex) { SendDlgItemMessageA(m_hDlg, IDC_LAUNCHAPPS_LIST, LB_SETCURSEL, nIndex, 0); }
    void Press(int nID) { PostMessageA(m_hDlg, WM_COMMAND, nID, 0); }
    // Waits for the dialog; the test adds its steps, then Run opens it with the bar's button.
    ModalScript Opened()
    {
        ModalScript script;
        script.WaitFor("Launch Applications", &m_hDlg);
        return script;
    }
    bool Run(ModalScript& script) // true when every step ran and the dialog closed
    {
        script.Run([&] { SendMessageA(*m_pBar, WM_COMMAND, ID_LAUNCHAPPS_BUTTON, 0); }, 20000);
        return script.Finished();
    }
    // Browse, and in the file dialog choose strPath, or cancel when it is empty.
    void Browse(ModalScript& script, const std::string& strPath)
    {
        script.Do([&] { Press(IDC_LAUNCHAPPS_BROWSE); });
        script.WaitFor("Open", &m_hOpen).Do([this, strPath] {
            SetDlgItemTextA(m_hOpen, cmb13, strPath.c_str());
            if (strPath.empty())
                PostMessageA(m_hOpen, WM_COMMAND, IDCANCEL, 0);
            else
                PostMessageA(m_hOpen, WM_COMMAND, IDOK, 0);
        });
        script.Then([&] { return !IsWindow(m_hOpen); });
    }

    const std::string m_strDir = ProgramDirectory();
    const std::string m_strIni = m_strDir + "TympStudio.ini";
    BarPtr m_pBar = StartBar();
    HWND m_hDlg = nullptr;
    HWND m_hOpen = nullptr;
};

// Each row opens the dialog on a file, removes an entry or none, selects one or none, and leaves the dialog its own
// way. The list holds the keys from 1 up to the first empty one, in file order, 255 characters an entry.
TEST_F(LaunchApps, ListsTheKeysLaunchesTheSelectedEntryAndOnlyLaunchAndCloseWriteTheListBack)
{
    const std::string y(255, 'y');
    const std::string strLong = "[Launch]\r\n1=" + y + "\r\n2=" + std::string(256, 'x') + "\r\n3=\r\n4=D\r\n";
    const std::string strCut = "[Launch]\r\n1=" + y + "\r\n2=" + std::string(255, 'x') + "\r\n3=\r\n4=D\r\n";
    std::string strMany = "[Launch]\r\n";
    for (int i = 1; i < 10000; i++)
        strMany += std::to_string(i) + "=P\r\n";
    const std::string strEditor = m_strDir + "TympWaveEditor.exe"; // a stand-in: it stays until ended
    const std::string ABC = "[Launch]\r\n1=A\r\n2=B\r\n3=C\r\n";
    const std::string AC = "[Launch]\r\n1=A\r\n2=C\r\n";
    const std::string TWO = "[Launch]\r\n1=X:\\N\r\n2=" + strEditor + "\r\n"; // the first names no program
    const WPARAM LAUNCH = IDC_LAUNCHAPPS_LAUNCH;
    const WPARAM DBLCLK = MAKEWPARAM(IDC_LAUNCHAPPS_LIST, LBN_DBLCLK);
    const struct {
        std::string strIni;
        int nRemove = -1; // none
        int nSelect = -1; // none
        UINT uMessage = WM_COMMAND;
        WPARAM wParam;
        size_t nStarted = 0;
        std::string strAfter = strIni; // unless the row says otherwise
        const char* pszWhy;
    } cases[] = {
        { .strIni = ABC, .nRemove = 1, .wParam = IDOK, .strAfter = AC, .pszWhy = "Close: B removed, C moves up" },
        { .strIni = strLong, .wParam = IDOK, .strAfter = strCut, .pszWhy = "Close: two entries, the second cut" },
        { .strIni = strMany + "10000=P\r\n", .nRemove = 0, .wParam = IDOK, .strAfter = strMany, .pszWhy = "all 10000" },
        { .strIni = ABC, .nRemove = 1, .wParam = IDCANCEL, .pszWhy = "Escape writes nothing" },
        { .strIni = ABC, .nRemove = 1, .uMessage = WM_SYSCOMMAND, .wParam = SC_CLOSE, .pszWhy = "nor the close box" },
        { .strIni = TWO, .nSelect = 1, .wParam = LAUNCH, .nStarted = 1, .pszWhy = "the selected entry" },
        { .strIni = TWO, .nSelect = 1, .wParam = DBLCLK, .nStarted = 1, .pszWhy = "a double click launches" },
        { .strIni = ABC, .nRemove = 1, .wParam = LAUNCH, .strAfter = AC, .pszWhy = "none selected: the list written" },
    };
    for (const auto& c : cases) {
        WriteIni(c.strIni);
        ModalScript script = Opened();
        script.Do([&] {
            PostMessageA(*m_pBar, WM_COMMAND, ID_LAUNCHAPPS_BUTTON, 0); // a second dialog would hold this one open
            Select(c.nRemove);
            Press(IDC_LAUNCHAPPS_REMOVE);
        });
        script.Do([&] {
            Select(c.nSelect);
            PostMessageA(m_hDlg, c.uMessage, c.wParam, 0);
        });
        EXPECT_TRUE(Run(script)) << c.pszWhy;
        EXPECT_EQ(c.nStarted, ChildProcesses(GetCurrentProcessId()).size()) << "programs started: " << c.pszWhy;
        EXPECT_EQ(c.strAfter, Ini()) << "the file: " << c.pszWhy;
        EndChildProcesses(GetCurrentProcessId(), 0);
    }
}

TEST_F(LaunchApps, BrowseAddsTheChosenFileAtTheEndButNoPathLongerThan255Characters)
{
    const std::string str255 = m_strDir + std::string(255 - m_strDir.size() - 4, 'n') + ".exe";
    const std::string str256 = m_strDir + std::string(256 - m_strDir.size() - 4, 'n') + ".exe";
    WriteIni("[Launch]\r\n1=A\r\n");
    HWND hBox = nullptr;
    ModalScript script = Opened();
    Browse(script, "");
    Browse(script, str256);
    script.Then([&] {
        hBox = FindThreadDialog("Launch Applications");
        return hBox != m_hDlg;
    });
    script.Do([&] {
        char sz[128] = "";
        GetDlgItemTextA(hBox, MSGBOX_TEXT, sz, sizeof sz);
        EXPECT_STREQ("This path is longer than 255 characters and cannot be added to the list.", sz)
            << "the file keeps at most 255 characters an entry";
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    });
    script.Then([&] { return IsWindowEnabled(m_hDlg) != FALSE; });
    Browse(script, str255);
    script.Do([&] { Press(IDOK); });
    EXPECT_TRUE(Run(script)) << script.m_strStalled;
    EXPECT_EQ("[Launch]\r\n1=A\r\n2=" + str255 + "\r\n", Ini())
        << "a cancelled and a too long choice add nothing; the list written back by Close";
}
