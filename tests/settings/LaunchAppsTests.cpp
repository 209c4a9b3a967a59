// The Launch Applications dialog over the real TympStudio.ini beside the program, played by keys.
#include "tests/support/BarFixture.h"
#include <fstream>

// Keys: 0-9 select, R Remove, L Launch, D double-click, C Close, E Escape, X close box, G the bar's button again,
// M a module raised; Browse for B * (255 characters), T 256, A # (a document that @, the stand-in editor, opens),
// N nothing. Rows: the file, the keys, the list at the last key, the file after ("=": the same), programs started.
TEST_F(BarTest, LaunchApplicationsKeepTheirListInTheIniFile)
{
    const std::string dir = ProgramDirectory(), ini = dir + "TympStudio.ini", doc = dir + "Session Notes.tympdoc";
    auto pick = [&](size_t cch) { return dir + std::string(cch - dir.size() - 4, 'n') + ".exe"; };
    auto expand = [&](const std::string& str) {
        std::string strOut;
        for (char c : str)
            strOut += c == '*' ? pick(255) : c == '@' ? dir + "TympWaveEditor.exe" : c == '#' ? doc : std::string(1, c);
        return strOut;
    };
    std::ofstream(doc) << "notes";
    WriteString(".tympdoc", "", ".tympdoc", HKEY_CLASSES_ROOT);
    WriteString(".tympdoc\\shell\\open\\command", "", expand("\"@\" \"%1\""), HKEY_CLASSES_ROOT);
    BarPtr pBar = StartBar();
    HWND hModule = CreateModuleWindow("Tymp Studio WavePlayer", 400), hDlg = nullptr, hOpen = nullptr;
    SendMessageA(*pBar, g_uModuleMessage, LOWORD((UINT_PTR)hModule), MODMSG_ATTACH);
    std::string strSeen;
    auto play = [&](const std::string& keys) {
        ModalScript s;
        s.WaitFor("Launch Applications", &hDlg);
        for (char k : keys) {
            const std::map<char, WPARAM> acts = { { 'R', 1081 },     { 'L', 106 },
                                                  { 'C', IDOK },     { 'E', IDCANCEL },
                                                  { 'X', SC_CLOSE }, { 'D', MAKEWPARAM(1083, LBN_DBLCLK) },
                                                  { 'G', 106 } };
            s.Do([&, k, wParam = acts.count(k) ? acts.at(k) : 1084] {
                char sz[20000];
                strSeen.clear();
                for (int i = 0; i < (int)SendDlgItemMessageA(hDlg, 1083, LB_GETCOUNT, 0, 0); i++)
                    strSeen +=
                        (i ? "|" : "") + std::string(sz, SendDlgItemMessageA(hDlg, 1083, LB_GETTEXT, i, (LPARAM)sz));
                if (isdigit(k))
                    SendDlgItemMessageA(hDlg, 1083, LB_SETCURSEL, k - '0', 0);
                else if (k == 'M') {
                    SetWindowPos(hModule, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
                    EXPECT_NE(hModule, GetWindow(*pBar, GW_HWNDNEXT));
                    SendMessageA(hDlg, WM_ACTIVATE, WA_ACTIVE, 0);
                    EXPECT_EQ(hModule, GetWindow(*pBar, GW_HWNDNEXT)) << "right behind the bar";
                } else
                    PostMessageA(k == 'G' ? *pBar : hDlg, k == 'X' ? WM_SYSCOMMAND : WM_COMMAND, wParam, 0);
            });
            if (strchr("BTAN", k))
                s.WaitFor("Open", &hOpen)
                    .Do([&, k] {
                        EXPECT_EQ(1,
                                  SendDlgItemMessageA(hOpen, 1136, CB_FINDSTRINGEXACT, -1, (LPARAM) "All Files (*.*)"));
                        SetDlgItemTextA(hOpen, 1148, (k == 'T' ? pick(256) : expand(k == 'A' ? "#" : "*")).c_str());
                        PostMessageA(hOpen, WM_COMMAND, k == 'N' ? IDCANCEL : IDOK, 0);
                    })
                    .Then([&] { return !IsWindow(hOpen); });
            if (k == 'T')
                s.Then([&] {
                     HWND h = FindThreadDialog("Launch Applications");
                     char sz[128] = "";
                     GetDlgItemTextA(h, 0xFFFF, sz, sizeof sz);
                     return h != hDlg && PostMessageA(h, WM_COMMAND, IDOK, 0) &&
                            !strcmp(sz, "This path is longer than 255 characters and cannot be added to the list.");
                 }).Then([&] { return IsWindowEnabled(hDlg) != 0; });
        }
        s.Run([&] { SendMessageA(*pBar, WM_COMMAND, 106, 0); }, 20000);
        EXPECT_TRUE(s.Finished()) << s.m_strStalled;
    };
    const std::string x(255, 'x'), y(256, 'y'), z(10000, 'z'), odd = "\xC4\xFF\x01\x7F.exe";
    std::string huge = "[Launch]\r\n", list;
    for (int i = 1; i <= 10000; i++)
        huge += std::to_string(i) + "=P\r\n", list += i > 1 ? "|P" : "P";
    const struct {
        std::string before, keys, seen, after;
        size_t launched;
    } rows[] = {
        { "[Launch]\r\n1=Z\r\n2=A\r\n4=D\r\n", "GC", "Z|A", "=", 0 },
        { "[Launch]\r\n1=A\r\n2=B\r\n3=\r\n4=D\r\n", "C", "A|B", "=", 0 },
        { "[Launch]\r\n1=A\r\n2=B\r\n3=C\r\n", "1RRC", "A|C", "[Launch]\r\n1=A\r\n2=C\r\n", 0 },
        { "[Other]\r\nkept=yes\r\n", "BBBE", "*|*|*", "=", 0 },
        { "[Launch]\r\n1=A\r\n", "0RX", "", "=", 0 },
        { "[Launch]\r\n1=A\r\n", "BNTBC", "A|*|*", "[Launch]\r\n1=A\r\n2=*\r\n3=*\r\n", 0 },
        { "[Launch]\r\n1=X:\\N\r\n2=@\r\n", "MB1L", "X:\\N|@|*", "[Launch]\r\n1=X:\\N\r\n2=@\r\n3=*\r\n", 1 },
        { "[Launch]\r\n1=@\r\n2=@\r\n", "1RL", "@", "[Launch]\r\n1=@\r\n", 0 },
        { "[Launch]\r\n1=X:\\N\r\n2=@\r\n", "1D", "X:\\N|@", "=", 1 },
        { "", "A0L", "#", "[Launch]\r\n1=#\r\n", 1 },
        { huge, "C", list, "=", 0 },
        { "[Launch]\r\n1=" + x + "\r\n2=" + y + "\r\n3=" + z + "\r\n4=" + odd + "\r\n", "C",
          x + "|" + y.substr(1) + "|" + z.substr(9745) + "|" + odd,
          "[Launch]\r\n1=" + x + "\r\n2=" + y.substr(1) + "\r\n3=" + z.substr(9745) + "\r\n4=" + odd + "\r\n", 0 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keys + " on " + row.before.substr(0, 60));
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str()); // no stale copy
        std::ofstream(ini, std::ios::binary | std::ios::trunc) << expand(row.before);
        play(row.keys);
        EXPECT_EQ(expand(row.seen), strSeen);
        std::ifstream file(ini, std::ios::binary);
        EXPECT_EQ(expand(row.after == "=" ? row.before : row.after),
                  std::string(std::istreambuf_iterator<char>(file), {}));
        EXPECT_EQ(row.launched, ChildProcesses(GetCurrentProcessId()).size());
        EndChildProcesses(GetCurrentProcessId(), 0);
    }
    DeleteKey(".tympdoc", HKEY_CLASSES_ROOT);
    DeleteFileA(doc.c_str());
    DeleteFileA(ini.c_str());
}
