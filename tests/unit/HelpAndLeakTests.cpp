// The help command, and long runs that must not use up handles.
#include "BarFixture.h"
#include "FakeAppBarShell.h"
#include "TestUtil.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string ProgramFolder()
{
    char sz[MAX_PATH];
    GetModuleFileNameA(nullptr, sz, sizeof sz);
    std::string str(sz);
    return str.substr(0, str.find_last_of('\\') + 1);
}

// Classes are written through HKEY_CLASSES_ROOT, which is the view this 32-bit program's shell reads.
void SetClassDefault(const char* pszKey, const std::string& strValue)
{
    HKEY hKey;
    RegCreateKeyExA(HKEY_CLASSES_ROOT, pszKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr);
    RegSetValueExA(hKey, nullptr, 0, REG_SZ, (const BYTE*)strValue.c_str(), (DWORD)strValue.size() + 1);
    RegCloseKey(hKey);
}

std::string ClassDefault(const char* pszKey)
{
    char sz[512] = "";
    LONG cb = sizeof sz;
    return RegQueryValueA(HKEY_CLASSES_ROOT, pszKey, sz, &cb) == ERROR_SUCCESS ? sz : "";
}

// How many objects of one kind can still be made: a leak shows as fewer.
template <class Make, class Free>
int RoomFor(Make make, Free free)
{
    std::vector<decltype(make())> objects;
    while (objects.size() < 200000) {
        auto h = make();
        if (!h)
            break;
        objects.push_back(h);
    }
    for (auto h : objects)
        free(h);
    return (int)objects.size();
}

int RoomForGdi()
{
    return RoomFor([] { return CreatePen(PS_SOLID, 1, 0); }, [](HPEN h) { DeleteObject(h); });
}

int RoomForUser()
{
    return RoomFor([] { return CreatePopupMenu(); }, [](HMENU h) { DestroyMenu(h); });
}

} // namespace

TEST(Help, OpensThePageFromTheHelpFolderWhateverTheCurrentFolder)
{
    // A document type of the test's own, whose "open" writes the folder it was started in.
    std::string strLog = ProgramFolder() + "help-open.log";
    DeleteFileA(strLog.c_str());
    const std::string strSavedType = ClassDefault(".htm");
    SetClassDefault(".htm", "TympTestPage");
    std::string strScript = ProgramFolder() + "help-open.cmd";
    std::ofstream(strScript) << "@echo %1> \"" << strLog << "\"\r\n@cd>> \"" << strLog << "\"\r\n";
    SetClassDefault("TympTestPage\\shell\\open\\command", "\"" + strScript + "\" \"%1\"");
    char szSaved[MAX_PATH], szWindows[MAX_PATH];
    GetCurrentDirectoryA(sizeof szSaved, szSaved);
    GetWindowsDirectoryA(szWindows, sizeof szWindows);
    SetCurrentDirectoryA(szWindows);

    ASSERT_NE(nullptr, AfxGetApp());
    LRESULT lResult = 0;
    EXPECT_TRUE(AfxGetApp()->OnWndMsg(WM_COMMAND, ID_HELP, 0, &lResult)) << "the application handles ID_HELP";

    std::string strFile, strFolder;
    PumpUntil([&] {
        std::ifstream log(strLog);
        return std::getline(log, strFile) && std::getline(log, strFolder);
    }, 10000);
    SetCurrentDirectoryA(szSaved);
    SHDeleteKeyA(HKEY_CLASSES_ROOT, "TympTestPage");
    SetClassDefault(".htm", strSavedType);
    DeleteFileA(strLog.c_str());
    DeleteFileA(strScript.c_str());

    auto lower = [](std::string str) { CharLowerA(&str[0]); return str; };
    EXPECT_NE(std::string::npos, lower(strFile).find("tympstudio.htm")) << "[" << strFile << "]";
    std::string strHelp = lower(ProgramFolder() + "Help");
    EXPECT_EQ(0u, lower(strFolder).find(strHelp)) << "[" << strFolder << "] is not " << strHelp;
}

TEST(Help, TheHelpButtonReachesTheApplication)
{
    FakeAppBarShell shell;
    BarPtr pBar = StartBar();
    // The bar's own map has no ID_HELP: it goes on to the application object.
    LRESULT lResult = 1;
    EXPECT_FALSE(pBar->OnWndMsg(WM_COMMAND, ID_HELP, 0, &lResult));
}

TEST(Leaks, PaintsOrientationChangesAndDialogsReturnEveryHandle)
{
    FakeAppBarShell shell;
    FakeDevices devices(0, 1);
    DeleteSuiteKeys();
    BarPtr pBar = StartBar();
    const int nGdiBefore = RoomForGdi(), nUserBefore = RoomForUser();
    ASSERT_GT(nGdiBefore, 1000);
    ASSERT_GT(nUserBefore, 1000);

    for (int i = 0; i < 20000; i++) {
        if (i % 5000 == 0)
            pBar->SetDockState(i % 10000 ? ABE_LEFT : ABE_TOP);
        pBar->Invalidate(FALSE);
        pBar->UpdateWindow();
    }
    static const int s_anEdges[] = { ABE_TOP, DBE_FLOAT, ABE_LEFT, ABE_BOTTOM, DBE_FLOAT, ABE_RIGHT };
    for (int i = 0; i < 300; i++)
        pBar->SetDockState(s_anEdges[i % 6]);
    pBar->SetDockState(DBE_FLOAT);
    for (int i = 0; i < 100; i++) {
        pBar->ShowWindow(SW_MINIMIZE);
        pBar->ShowWindow(SW_RESTORE);
    }
    PumpFor(100);

    const int nGdiAfter = RoomForGdi(), nUserAfter = RoomForUser();
    // A few objects may be cached by the system itself; a leak would take thousands.
    EXPECT_GT(nGdiAfter, nGdiBefore - 50) << nGdiBefore << " GDI objects could be made before, " << nGdiAfter << " after";
    EXPECT_GT(nUserAfter, nUserBefore - 50) << nUserBefore << " USER objects before, " << nUserAfter << " after";
    DeleteSuiteKeys();
}
