#include "Controller.h"
#include "res/resource.h"

static bool IsProgress(HWND h) // by its status line
{
    return GetDlgItem(h, IDC_LOADING_STATUS) != nullptr;
}

Controller::Controller(const std::string& strArgs, const std::string& strExe)
{
    const std::string strPath = strExe.find('\\') == std::string::npos ? ProgramDirectory() + strExe : strExe;
    std::string strLine = "\"" + strPath + "\"" + strArgs;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(strPath.c_str(), &strLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
        m_pi = {};
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

std::vector<HWND> ShownBars(DWORD pid)
{
    std::vector<HWND> bars;
    for (HWND h : WindowsTitled(BAR_TITLE, pid)) {
        RECT rc = WindowRect(h);
        if (IsWindowVisible(h) && !IsRectEmpty(&rc) && !IsProgress(h))
            bars.push_back(h);
    }
    return bars;
}

HWND Controller::WaitForBar() const
{
    auto ready = [this] {
        const std::vector<HWND> windows = WindowsTitled(BAR_TITLE, Pid());
        return !ShownBars(Pid()).empty() && std::none_of(windows.begin(), windows.end(), IsProgress);
    };
    WaitUntil([&] { return ready() || !Running(); }, START_TIMEOUT);
    return ready() ? ShownBars(Pid())[0] : nullptr;
}

std::vector<DWORD> ControllerPids()
{
    std::vector<DWORD> pids;
    for (const ProcessEntry& entry : Processes())
        if (entry.exe == "TympController.exe")
            pids.push_back(entry.pid);
    return pids;
}

void EndAllControllers()
{
    for (int nRound = 0; nRound < 2; nRound++) { // a bar that ends may leave an icon copy behind
        const std::vector<DWORD> pids = ControllerPids();
        const std::vector<HWND> bars = ShownBars();
        for (HWND h : WindowsTitled(BAR_TITLE))
            if (!IsProgress(h))
                PostMessageA(h, std::count(bars.begin(), bars.end(), h) ? WM_SYSCOMMAND : WM_CLOSEINSTANCE, SC_CLOSE,
                             0);
        WaitUntil(
            [&] {
                const std::vector<DWORD> now = ControllerPids();
                return std::find_first_of(now.begin(), now.end(), pids.begin(), pids.end()) == now.end();
            },
            10000);
    }
    for (DWORD pid : ControllerPids())
        Terminate(pid);
}
