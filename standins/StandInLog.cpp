#include "StandInLog.h"

#include <windows.h>

namespace standin {

namespace {

// Owns a file handle for the length of one write.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : m_h(h) { }
    ~FileHandle()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            CloseHandle(m_h);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

std::string LogPath()
{
    char buf[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableA("TYMP_MODULE_LOG", buf, sizeof(buf));
    if (n == 0 || n >= sizeof(buf))
        return std::string(); // unset, empty or absurdly long: no log
    return std::string(buf, n);
}

} // namespace

void LogLine(const char* exeName, const std::string& text)
{
    const std::string path = LogPath();
    if (path.empty())
        return;

    std::string line = std::string(exeName) + " " + text;
    // A line break inside the text would split one event over two lines.
    for (char& c : line) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    line += '\n';

    // Appends from several stand-ins are not atomic under Wine: take turns.
    HANDLE hTurn = CreateMutexA(nullptr, FALSE, "TympStandInLog");
    if (hTurn)
        WaitForSingleObject(hTurn, 2000);
    struct Release {
        HANDLE h;
        ~Release()
        {
            if (h) {
                ReleaseMutex(h);
                CloseHandle(h);
            }
        }
    } release { hTurn };

    // Another stand-in may hold the file for a moment; try again briefly.
    for (int attempt = 0; attempt < 50; attempt++) {
        FileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Get() == INVALID_HANDLE_VALUE) {
            if (GetLastError() != ERROR_SHARING_VIOLATION)
                return;
            Sleep(10);
            continue;
        }
        DWORD written = 0;
        WriteFile(file.Get(), line.data(), (DWORD)line.size(), &written, nullptr);
        return;
    }
}

} // namespace standin
