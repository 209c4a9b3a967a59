#include "E2ESupport.h"
#include "tests/fakecd/FakeCdAudio.h"
#include <mmsystem.h>
#include <tlhelp32.h>
#include <cstring>
#include <sstream>

namespace e2e {

namespace {

constexpr int kProgressStatusId = 1001;    // only the progress window has this child
constexpr char kProgramFile[] = "TympController.exe";

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct EnumContext {
    std::function<bool(HWND)> match;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    auto* pContext = reinterpret_cast<EnumContext*>(lParam);
    if (pContext->match(hWnd))
        pContext->found.push_back(hWnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(const std::function<bool(HWND)>& match)
{
    EnumContext context{ match, {} };
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

bool IsControllerPid(DWORD pid)
{
    for (DWORD p : ControllerPids())
        if (p == pid)
            return true;
    return false;
}

void DeleteKeyTree(HKEY hParent, const char* pszKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(hParent, pszKey, 0, KEY_ALL_ACCESS, &hKey) == ERROR_SUCCESS) {
        char szSub[256];
        for (;;) {
            DWORD cch = sizeof szSub;
            if (RegEnumKeyExA(hKey, 0, szSub, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            DeleteKeyTree(hKey, szSub);
        }
        RegCloseKey(hKey);
    }
    RegDeleteKeyA(hParent, pszKey);
}

} // namespace

std::string ControllerPath()
{
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    std::string strPath = szPath;
    size_t nSlash = strPath.find_last_of("\\/");
    return strPath.substr(0, nSlash == std::string::npos ? 0 : nSlash + 1) + kProgramFile;
}

bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs, DWORD stepMs)
{
    const DWORD t0 = GetTickCount();
    for (;;) {
        PumpMessages();
        if (cond())
            return true;
        if (GetTickCount() - t0 >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, stepMs, QS_ALLINPUT);
    }
}

void Pause(DWORD ms)
{
    WaitUntil([] { return false; }, ms);
}

Controller::Controller(const std::string& args)
{
    std::string strPath = ControllerPath();
    std::string strCommandLine = "\"" + strPath + "\"" + args;
    std::vector<char> buffer(strCommandLine.begin(), strCommandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(strPath.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &m_pi)) {
        m_dwStartError = GetLastError();
        m_pi = {};
    }
}

Controller::~Controller()
{
    if (!Started())
        return;
    if (Running()) {
        TerminateProcess(m_pi.hProcess, 1);
        WaitForSingleObject(m_pi.hProcess, 5000);
    }
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
}

bool Controller::Running() const
{
    return Started() && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool Controller::WaitExit(DWORD timeoutMs)
{
    return Started() && WaitUntil([this] { return !Running(); }, timeoutMs, 20);
}

DWORD Controller::ExitCode() const
{
    DWORD dwCode = STILL_ACTIVE;
    if (Started())
        GetExitCodeProcess(m_pi.hProcess, &dwCode);
    return dwCode;
}

HWND Controller::Bar() const
{
    if (!Started())
        return nullptr;
    const DWORD pid = Pid();
    auto found = TopLevelWindows([pid](HWND h) { return WindowPid(h) == pid && IsBarWindow(h); });
    return found.empty() ? nullptr : found.front();
}

HWND Controller::WaitForBar(DWORD timeoutMs) const
{
    WaitUntil([this] { return Bar() != nullptr || !Running(); }, timeoutMs);
    return Bar();
}

std::string WindowText(HWND hWnd)
{
    char sz[1024] = "";
    GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}

std::string ClassName(HWND hWnd)
{
    char sz[256] = "";
    GetClassNameA(hWnd, sz, sizeof sz);
    return sz;
}

DWORD WindowPid(HWND hWnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    return pid;
}

RECT WindowRect(HWND hWnd)
{
    RECT rc = {};
    GetWindowRect(hWnd, &rc);
    return rc;
}

RECT ScreenRect()
{
    return RECT{ 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
}

std::vector<HWND> WindowsTitled(const char* pszTitle, DWORD pid)
{
    return TopLevelWindows([&](HWND h) {
        return (pid == 0 || WindowPid(h) == pid) && WindowText(h) == pszTitle;
    });
}

bool IsBarWindow(HWND hWnd)
{
    return IsWindowVisible(hWnd) && WindowText(hWnd) == kBarTitle && ClassName(hWnd) == "#32770" &&
           GetDlgItem(hWnd, kProgressStatusId) == nullptr;
}

std::vector<HWND> VisibleBars()
{
    // The notification-icon copy's window has no area; a bar always has some.
    return TopLevelWindows([](HWND h) {
        RECT rc = WindowRect(h);
        return IsBarWindow(h) && !IsRectEmpty(&rc);
    });
}

std::vector<DWORD> ControllerPids()
{
    std::vector<DWORD> pids;
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return pids;
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof pe;
    for (BOOL b = Process32First(hSnapshot, &pe); b; b = Process32Next(hSnapshot, &pe)) {
        const char* pszName = strrchr(pe.szExeFile, '\\');
        pszName = pszName ? pszName + 1 : pe.szExeFile;
        if (lstrcmpiA(pszName, kProgramFile) == 0 && pe.th32ProcessID != GetCurrentProcessId())
            pids.push_back(pe.th32ProcessID);
    }
    CloseHandle(hSnapshot);
    return pids;
}

bool ProcessRunning(DWORD pid)
{
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!h)
        return false;
    bool bRunning = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    CloseHandle(h);
    return bRunning;
}

void EndAllControllers()
{
    if (ControllerPids().empty())
        return;
    for (HWND h : VisibleBars())
        if (IsControllerPid(WindowPid(h)))
            PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitUntil([] { return VisibleBars().empty(); }, 5000);
    // What is left: notification-icon copies (also any a closed bar just started).
    Pause(300);
    for (HWND h : WindowsTitled(kBarTitle))
        if (IsControllerPid(WindowPid(h)) && !IsWindowVisible(h))
            PostMessageA(h, kCloseInstanceMessage, 0, 0);
    WaitUntil([] { return ControllerPids().empty(); }, 3000);
    for (DWORD pid : ControllerPids()) {
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
            TerminateProcess(h, 1);
            WaitForSingleObject(h, 5000);
            CloseHandle(h);
        }
    }
}

int BarOrientation(HWND hBar)
{
    return HIWORD((DWORD)GetWindowLongA(hBar, GWL_USERDATA));
}

int BarAlwaysOnTopWord(HWND hBar)
{
    return LOWORD((DWORD)GetWindowLongA(hBar, GWL_USERDATA));
}

int RegValue::AsInt() const
{
    int n = 0;
    memcpy(&n, data.data(), data.size() < sizeof n ? data.size() : sizeof n);
    return n;
}

std::string RegValue::AsString() const
{
    std::string str(data.begin(), data.end());
    size_t nNul = str.find('\0');
    return nNul == std::string::npos ? str : str.substr(0, nNul);
}

void DeleteSettings()
{
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
}

void WriteSetting(const char* pszName, DWORD dwType, const void* pData, DWORD cb)
{
    HKEY hKey;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_SET_VALUE, nullptr, &hKey, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cb), ERROR_SUCCESS)
        << pszName;
    RegCloseKey(hKey);
}

void WriteIntSetting(const char* pszName, int n)
{
    WriteSetting(pszName, REG_BINARY, &n, sizeof n);
}

RegValue ReadSetting(const char* pszName)
{
    RegValue value;
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return value;
    DWORD cb = 0;
    if (RegQueryValueExA(hKey, pszName, nullptr, &value.dwType, nullptr, &cb) == ERROR_SUCCESS) {
        value.data.resize(cb);
        if (RegQueryValueExA(hKey, pszName, nullptr, &value.dwType, value.data.data(), &cb) == ERROR_SUCCESS) {
            value.data.resize(cb);
            value.bExists = true;
        }
    }
    RegCloseKey(hKey);
    return value;
}

void DeleteSettingValue(const char* pszName)
{
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(hKey, pszName);
    RegCloseKey(hKey);
}

RECT DefaultFloatRect()
{
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const int left = (cx - 408) / 2, top = (cy - 336) / 2;
    return RECT{ left, top, left + 408, top + 45 };
}

RECT DockBand(int nEdge)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    switch (nEdge) {
    case 0:  return RECT{ 0, 0, 32, cy };
    case 1:  return RECT{ 0, 0, cx, 32 };
    case 2:  return RECT{ cx - 32, 0, cx, cy };
    default: return RECT{ 0, cy - 32, cx, cy };
    }
}

void ControllerTest::SetUp()
{
    ASSERT_GT(mixerGetNumDevs(), 0u) << "Wine reports no mixer; HOME needs a home with the null sound device";
    EndAllControllers();
    ASSERT_TRUE(ControllerPids().empty()) << "a copy of TympController.exe could not be ended";
    DeleteSettings();
    WriteIntSetting("InsertIconToTaskbarWhenQuit", 0);
}

void ControllerTest::TearDown()
{
    EndAllControllers();
    DeleteSettings();
}

void ControllerTest::CloseBar(Controller& bar, HWND hBar)
{
    ASSERT_TRUE(PostMessageA(hBar, WM_SYSCOMMAND, SC_CLOSE, 0)) << "error " << GetLastError();
    ASSERT_TRUE(bar.WaitExit(kExitTimeout)) << "the bar did not end after SC_CLOSE";
    EXPECT_EQ(bar.ExitCode(), 0u) << std::hex << "exit code 0x" << bar.ExitCode();
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

void EndChildProcesses(DWORD parentPid, DWORD graceMs)
{
    if (!parentPid)
        return;
    WaitUntil([&] { return ChildProcesses(parentPid).empty(); }, graceMs);
    for (const ProcessEntry& child : ChildProcesses(parentPid)) {
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, child.pid)) {
            TerminateProcess(h, 1);
            WaitForSingleObject(h, 5000);
            CloseHandle(h);
        }
    }
}

HWND ChildWindowTitled(const char* pszTitle, DWORD parentPid)
{
    for (HWND h : WindowsTitled(pszTitle)) {
        if (!IsWindowVisible(h))
            continue;
        for (const ProcessEntry& child : ChildProcesses(parentPid))
            if (child.pid == WindowPid(h))
                return h;
    }
    return nullptr;
}

bool BarReady(const Controller& bar)
{
    if (!bar.Bar())
        return false;
    for (HWND h : WindowsTitled(kBarTitle, bar.Pid()))
        if (GetDlgItem(h, kProgressStatusId))
            return false;
    return true;
}

bool ClickAt(int x, int y)
{
    char szCommand[96];
    wsprintfA(szCommand, "Z:\\usr\\bin\\xdotool mousemove %d %d click 1", x, y);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    // Wine starts a Unix program without real handles: pi is not to be used.
    if (!CreateProcessA(nullptr, szCommand, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    return WaitUntil([=] {
        POINT pt;
        return GetCursorPos(&pt) && pt.x == x && pt.y == y;
    }, 5000);
}

POINT Centre(HWND hWnd)
{
    RECT rc = WindowRect(hWnd);
    return POINT{ (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
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
    HANDLE h = CreateFileA(m_strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return lines;
    std::string text;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got)
        text.append(buf, got);
    CloseHandle(h);
    // A line still being written has no break yet; it counts once it is whole.
    size_t pos = 0, nl;
    while ((nl = text.find('\n', pos)) != std::string::npos) {
        lines.push_back(text.substr(pos, nl - pos));
        pos = nl + 1;
    }
    return lines;
}

std::vector<std::string> ModuleLog::LinesOf(const char* pszExe) const
{
    const std::string prefix = std::string(pszExe) + " ";
    std::vector<std::string> lines;
    for (const std::string& line : Lines())
        if (line.compare(0, prefix.size(), prefix) == 0)
            lines.push_back(line.substr(prefix.size()));
    return lines;
}

std::vector<int> ModuleLog::CodesFrom(const char* pszExe, HWND hSender) const
{
    std::vector<int> codes;
    const std::string sender = LowWord(hSender);
    for (const std::string& line : LinesOf(pszExe)) {
        std::istringstream in(line);
        std::string word, from;
        int code = 0;
        if (in >> word >> code >> from && word == "recv" && from == sender)
            codes.push_back(code);
    }
    return codes;
}

size_t ModuleLog::Starts(const char* pszExe) const
{
    size_t n = 0;
    for (const std::string& line : LinesOf(pszExe))
        n += line.compare(0, 6, "start ") == 0;
    return n;
}

int ModuleLog::IndexOf(const char* pszExe, const std::string& text) const
{
    const std::string wanted = std::string(pszExe) + " " + text;
    const std::vector<std::string> lines = Lines();
    for (size_t i = 0; i < lines.size(); i++)
        if (lines[i] == wanted)
            return (int)i;
    return -1;
}

bool ModuleLog::WaitForLine(const char* pszExe, const std::string& text, DWORD timeoutMs) const
{
    return WaitUntil([&] { return IndexOf(pszExe, text) >= 0; }, timeoutMs);
}

bool ModuleLog::AttachSeen(const char* pszExe, HWND hModule, size_t nth) const
{
    const std::string own = std::string(pszExe) + " sent 0 broadcast";
    const std::string heard = " recv 0 " + LowWord(hModule);
    size_t nOwn = 0;
    for (const std::string& line : Lines()) {
        nOwn += line == own;
        if (line.size() > heard.size() && line.compare(line.size() - heard.size(), heard.size(), heard) == 0)
            return true;
    }
    return nOwn >= nth;
}

std::string ModuleLog::Dump() const
{
    std::string str = "module log:\n";
    for (const std::string& line : Lines())
        str += "  " + line + "\n";
    return str;
}

std::string ProgramDirectory()
{
    std::string strPath = ControllerPath();
    return strPath.substr(0, strPath.find_last_of("\\/") + 1);
}

std::string Joined(const std::vector<int>& values)
{
    std::string str = "{";
    for (size_t i = 0; i < values.size(); i++)
        str += (i ? ", " : "") + std::to_string(values[i]);
    return str + "}";
}

std::string LowWord(HWND hWnd)
{
    return std::to_string(LOWORD((UINT_PTR)hWnd));
}

HeldWindowThread::HeldWindowThread(HWND hWnd)
{
    const DWORD tid = GetWindowThreadProcessId(hWnd, nullptr);
    m_hThread = tid ? OpenThread(THREAD_SUSPEND_RESUME, FALSE, tid) : nullptr;
    m_bHeld = m_hThread && SuspendThread(m_hThread) != (DWORD)-1;
}

void HeldWindowThread::Release()
{
    if (m_bHeld)
        ResumeThread(m_hThread);
    m_bHeld = false;
    if (m_hThread)
        CloseHandle(m_hThread);
    m_hThread = nullptr;
}

void ModuleTest::SetUp()
{
    ControllerTest::SetUp();
    // A player left running would be taken over instead of started.
    const char* const apszTitles[] = { kCDPlayerTitle, kWavePlayerTitle, kMidiPlayerTitle, kVolumeTitle };
    auto leftovers = [&] {
        std::vector<HWND> windows;
        for (const char* pszTitle : apszTitles)
            for (HWND h : WindowsTitled(pszTitle))
                windows.push_back(h);
        return windows;
    };
    for (HWND h : leftovers())
        PostMessageA(h, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return leftovers().empty(); }, 5000))
        << leftovers().size() << " module windows stay open, e.g. \"" << WindowText(leftovers().front()) << "\"";
    m_pLog = std::make_unique<ModuleLog>();
}

void ModuleTest::TearDown()
{
    const DWORD barPid = m_pBar ? m_pBar->Pid() : 0;
    ControllerTest::TearDown();
    EndChildProcesses(barPid, 3000);
    m_pBar.reset();
    m_pLog.reset();
}

HWND ModuleTest::StartBar(const std::string& args, bool bCdAudio)
{
    std::unique_ptr<CdAudioDriverInstalled> pDriver;
    if (bCdAudio) {
        pDriver = std::make_unique<CdAudioDriverInstalled>();
        EXPECT_TRUE(pDriver->Installed()) << "the CD audio driver could not be installed";
    }
    m_pBar = std::make_unique<Controller>(args);
    EXPECT_TRUE(m_pBar->Started()) << "CreateProcess error " << m_pBar->StartError();
    // The devices are probed before the bar shows; the driver is not needed after.
    m_pBar->WaitForBar(kStartTimeout);
    pDriver.reset();
    if (!WaitUntil([&] { return BarReady(*m_pBar) || !m_pBar->Running(); }, 2 * kStartTimeout))
        return nullptr;
    return m_pBar->Bar();
}

HWND ModuleTest::WaitForModule(const char* pszTitle, DWORD timeoutMs)
{
    HWND hWnd = nullptr;
    WaitUntil([&] { return (hWnd = ChildWindowTitled(pszTitle, m_pBar->Pid())) != nullptr; }, timeoutMs);
    return hWnd;
}

void ModuleTest::WriteSequence(int nCount, int nFirst, int nSecond, int nThird, int nReserved)
{
    const int anSequence[5] = { nCount, nFirst, nSecond, nThird, nReserved };
    WriteSetting("ModuleSequence", REG_BINARY, anSequence, sizeof anSequence);
}

std::vector<int> ModuleTest::SavedSequence()
{
    RegValue value = ReadSetting("ModuleSequence");
    if (!value.bExists || value.data.size() != 5 * sizeof(int))
        return {};
    std::vector<int> sequence(5);
    memcpy(sequence.data(), value.data.data(), value.data.size());
    return sequence;
}

} // namespace e2e
