// The Launch Applications dialog over the real TympStudio.ini beside the program.
#include "tests/support/BarFixture.h"
#include "res/resource.h"
#include <fstream>

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

    const std::string m_strDir = ProgramDirectory();
    const std::string m_strIni = m_strDir + "TympStudio.ini";
    BarPtr m_pBar = StartBar();
    HWND m_hDlg = nullptr;
};

// Each row opens the dialog on a file, removes an entry or none, selects one or none, and leaves the dialog its own
// way. The list holds the keys from 1 up to the first empty one, in file order, 255 characters an entry.
TEST_F(LaunchApps, ListsTheKeysLaunchesTheSelectedEntryAndOnlyLaunchAndCloseWriteTheListBack)
{
    const std::string y(255, 'y');
    const std::string strLong = "[Launch]\r\n1=" + y + "\r\n2=" + std::string(256, 'x') + "\r\n3=\r\n4=D\r\n";
    const std::string strCut = "[Launch]\r\n1=" + y + "\r\n2=" + std::string(255, 'x') + "\r\n3=\r\n4=D\r\n";
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
        WPARAM wParam;
        size_t nStarted = 0;
        std::string strAfter = strIni; // unless the row says otherwise
        const char* pszWhy;
    } cases[] = {
        { .strIni = ABC, .nRemove = 1, .wParam = IDOK, .strAfter = AC, .pszWhy = "Close: B removed, C moves up" },
        { .strIni = strLong, .wParam = IDOK, .strAfter = strCut, .pszWhy = "Close: two entries, the second cut" },
        { .strIni = ABC, .nRemove = 1, .wParam = IDCANCEL, .pszWhy = "Escape writes nothing" },
        { .strIni = TWO, .nSelect = 1, .wParam = LAUNCH, .nStarted = 1, .pszWhy = "the selected entry" },
        { .strIni = TWO, .nSelect = 1, .wParam = DBLCLK, .nStarted = 1, .pszWhy = "a double click launches" },
        { .strIni = ABC, .nRemove = 1, .wParam = LAUNCH, .strAfter = AC, .pszWhy = "none selected: the list written" },
    };
    for (const auto& c : cases) {
        WriteIni(c.strIni);
        ModalScript script;
        script.WaitFor("Launch Applications", &m_hDlg).Do([&] {
            PostMessageA(*m_pBar, WM_COMMAND, ID_LAUNCHAPPS_BUTTON, 0); // a second dialog would hold this one open
            Select(c.nRemove);
            PostMessageA(m_hDlg, WM_COMMAND, IDC_LAUNCHAPPS_REMOVE, 0);
        });
        script.Do([&] {
            Select(c.nSelect);
            PostMessageA(m_hDlg, WM_COMMAND, c.wParam, 0);
        });
        script.Run([&] { SendMessageA(*m_pBar, WM_COMMAND, ID_LAUNCHAPPS_BUTTON, 0); }, 20000);
        EXPECT_TRUE(script.Finished()) << "the dialog showed and closed: " << c.pszWhy;
        EXPECT_EQ(c.nStarted, ChildProcesses(GetCurrentProcessId()).size()) << "programs started: " << c.pszWhy;
        EXPECT_EQ(c.strAfter, Ini()) << "the file: " << c.pszWhy;
        EndChildProcesses(GetCurrentProcessId(), 0);
    }
}
