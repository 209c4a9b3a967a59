// Other programs and their windows, as a user or another program sees them.
#ifndef TESTS_SUPPORT_PROCESSES_H
#define TESTS_SUPPORT_PROCESSES_H

#include "Wait.h"
#include <ostream>
#include <string>
#include <vector>

// Rectangles compare by their sides and print as them in failed assertions.
inline bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}
inline std::ostream& operator<<(std::ostream& os, const RECT& rc)
{
    return os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}

inline std::string WindowText(HWND hWnd)
{
    char sz[1024] = "";
    GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}
inline DWORD WindowPid(HWND hWnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    return pid;
}
inline RECT WindowRect(HWND hWnd)
{
    RECT rc = {};
    GetWindowRect(hWnd, &rc);
    return rc;
}
// Top-level windows with exactly this title, shown or not; pid 0 means any process.
std::vector<HWND> WindowsTitled(const char* pszTitle, DWORD pid = 0);

// The folder of this test program, where the build puts every program, with its backslash.
std::string ProgramDirectory();

struct ProcessEntry {
    DWORD pid;
    DWORD parentPid;
    std::string exe; // file name only
};
std::vector<ProcessEntry> Processes();
std::vector<ProcessEntry> ChildProcesses(DWORD parentPid);
// Waits up to dwGrace for the children of parentPid to end, then terminates the rest.
void EndChildProcesses(DWORD parentPid, DWORD dwGrace);
void Terminate(DWORD pid);
// The visible window with this title that a child of parentPid shows, or null.
HWND ChildWindowTitled(const char* pszTitle, DWORD parentPid);

// A fresh log for the stand-in modules, named in this process's environment,
// so that whatever starts while it lives writes there. Each line starts with
// the module's file name: "start <command line>", "recv <code> <sender>",
// "sent <code> <to>".
class ModuleLog {
public:
    ModuleLog();
    ~ModuleLog();
    ModuleLog(const ModuleLog&) = delete;
    ModuleLog& operator=(const ModuleLog&) = delete;

    std::vector<std::string> Lines() const;
    std::vector<std::string> LinesOf(const char* pszExe) const; // without the name
    // The codes a module logged receiving from one window, in order.
    std::vector<int> CodesFrom(const char* pszExe, HWND hSender) const;
    size_t Starts(const char* pszExe) const;
    // Index in Lines() of the first line "<exe> <text>", or -1.
    int IndexOf(const char* pszExe, const std::string& strText) const;
    bool WaitForLine(const char* pszExe, const std::string& strText, DWORD dwTimeout = 10000) const
    {
        return WaitUntil([&] { return IndexOf(pszExe, strText) >= 0; }, dwTimeout);
    }
    std::string Dump() const; // for failure messages

private:
    std::string m_strPath;
};

#endif
