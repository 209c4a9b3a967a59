#include "Processes.h"
#include "Wait.h"
#include <tlhelp32.h>
#include <algorithm>
#include <fstream>
#include <sstream>

std::vector<HWND> WindowsTitled(const char* pszTitle, DWORD pid)
{
    std::vector<HWND> found;
    for (HWND h = FindWindowExA(nullptr, nullptr, nullptr, pszTitle); h;
         h = FindWindowExA(nullptr, h, nullptr, pszTitle))
        if (pid == 0 || WindowPid(h) == pid)
            found.push_back(h);
    return found;
}

std::string ProgramDirectory()
{
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    std::string strPath = szPath;
    return strPath.substr(0, strPath.find_last_of("\\/") + 1);
}

std::vector<ProcessEntry> Processes()
{
    std::vector<ProcessEntry> entries;
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return entries;
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof pe;
    for (BOOL b = Process32First(hSnapshot, &pe); b; b = Process32Next(hSnapshot, &pe)) {
        const char* pszName = strrchr(pe.szExeFile, '\\');
        entries.push_back({ pe.th32ProcessID, pe.th32ParentProcessID, pszName ? pszName + 1 : pe.szExeFile });
    }
    CloseHandle(hSnapshot);
    return entries;
}

std::vector<ProcessEntry> ChildProcesses(DWORD parentPid)
{
    std::vector<ProcessEntry> children;
    for (const ProcessEntry& entry : Processes())
        if (entry.parentPid == parentPid && entry.pid != parentPid)
            children.push_back(entry);
    return children;
}

void Terminate(DWORD pid)
{
    if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        TerminateProcess(h, 1);
        WaitForSingleObject(h, 5000);
        CloseHandle(h);
    }
}

void EndChildProcesses(DWORD parentPid, DWORD dwGrace)
{
    if (!parentPid)
        return;
    WaitUntil([&] { return ChildProcesses(parentPid).empty(); }, dwGrace);
    for (const ProcessEntry& child : ChildProcesses(parentPid))
        Terminate(child.pid);
}

HWND ChildWindowTitled(const char* pszTitle, DWORD parentPid)
{
    for (const ProcessEntry& child : ChildProcesses(parentPid))
        for (HWND h : WindowsTitled(pszTitle, child.pid))
            if (IsWindowVisible(h))
                return h;
    return nullptr;
}

ModuleLog::ModuleLog()
{
    char szDir[MAX_PATH], szFile[MAX_PATH];
    GetTempPathA(sizeof szDir, szDir);
    GetTempFileNameA(szDir, "tml", 0, szFile);
    m_strPath = szFile;
    SetEnvironmentVariableA("TYMP_MODULE_LOG", m_strPath.c_str());
}

ModuleLog::~ModuleLog()
{
    SetEnvironmentVariableA("TYMP_MODULE_LOG", nullptr);
    DeleteFileA(m_strPath.c_str());
}

std::vector<std::string> ModuleLog::Lines() const
{
    std::vector<std::string> lines;
    std::ifstream in(m_strPath, std::ios::binary);
    // A line still being written has no break yet; it counts once it is whole.
    for (std::string line; std::getline(in, line) && !in.eof();)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> ModuleLog::LinesOf(const char* pszExe) const
{
    const std::string strPrefix = std::string(pszExe) + " ";
    std::vector<std::string> lines;
    for (const std::string& line : Lines())
        if (line.compare(0, strPrefix.size(), strPrefix) == 0)
            lines.push_back(line.substr(strPrefix.size()));
    return lines;
}

std::vector<int> ModuleLog::CodesFrom(const char* pszExe, HWND hSender) const
{
    std::vector<int> codes;
    const std::string strSender = std::to_string(LOWORD((UINT_PTR)hSender));
    for (const std::string& line : LinesOf(pszExe)) {
        std::istringstream in(line);
        std::string strWord, strFrom;
        int nCode = 0;
        if (in >> strWord >> nCode >> strFrom && strWord == "recv" && strFrom == strSender)
            codes.push_back(nCode);
    }
    return codes;
}

size_t ModuleLog::Starts(const char* pszExe) const
{
    const std::vector<std::string> lines = LinesOf(pszExe);
    return std::count_if(lines.begin(), lines.end(),
                         [](const std::string& line) { return !line.compare(0, 6, "start "); });
}

int ModuleLog::IndexOf(const char* pszExe, const std::string& strText) const
{
    const std::vector<std::string> lines = Lines();
    auto it = std::find(lines.begin(), lines.end(), std::string(pszExe) + " " + strText);
    return it == lines.end() ? -1 : (int)(it - lines.begin());
}

std::string ModuleLog::Dump() const
{
    std::string str = "module log:\n";
    for (const std::string& line : Lines())
        str += "  " + line + "\n";
    return str;
}
