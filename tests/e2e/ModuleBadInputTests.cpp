// Damaged module settings: the bar still runs and ends cleanly, starts only
// the suite's players, and never a second copy of one.
#include "E2ESupport.h"
#include <climits>
#include <cstring>
#include <functional>
#include <algorithm>
#include <set>

using namespace e2e;

namespace {

struct BadModuleSettings {
    const char* pszName;
    std::function<void()> write;
    std::vector<std::string> mustStart;     // players that start whatever else happens
    bool bOnlyThose;                        // and no other one
};

std::vector<BYTE> Ints(std::initializer_list<int> values)
{
    std::vector<BYTE> bytes(values.size() * sizeof(int));
    memcpy(bytes.data(), values.begin(), bytes.size());
    return bytes;
}

void WriteBytes(const char* pszName, DWORD dwType, const std::vector<BYTE>& bytes)
{
    WriteSetting(pszName, dwType, bytes.data(), (DWORD)bytes.size());
}

void WriteSequence(std::initializer_list<int> values)
{
    WriteBytes("ModuleSequence", REG_BINARY, Ints(values));
}

std::vector<BYTE> RepeatedSequence(size_t cb)
{
    // Were its first 20 bytes taken, they would ask for the wave player three times.
    std::vector<BYTE> bytes(cb, 0xCD);
    const std::vector<BYTE> head = Ints({ 3, 2, 2, 2, 0 });
    memcpy(bytes.data(), head.data(), head.size());
    return bytes;
}

const BadModuleSettings kCases[] = {
    { "CountOfAThousand", [] { WriteSequence({ 1000, 1, 2, 3, 0 }); }, { kCDPlayerExe, kWavePlayerExe }, true },
    { "NegativeCount", [] { WriteSequence({ -5, 1, 2, 3, 0 }); }, {}, true },
    { "SlotsOutOfRange", [] { WriteSequence({ 3, 0, 4, -1, 7 }); }, {}, true },
    { "SameSlotThrice", [] { WriteSequence({ 3, 2, 2, 2, 0 }); }, { kWavePlayerExe }, true },
    { "ThreeBytes", [] { WriteBytes("ModuleSequence", REG_BINARY, { 2, 1, 2 }); }, {}, false },
    { "HundredBytes", [] { WriteBytes("ModuleSequence", REG_BINARY, RepeatedSequence(100)); }, {}, false },
    { "PositionsAtTheExtremesDocked",
      [] {
          WriteSequence({ 2, 1, 2, 0, 0 });
          WriteBytes("ModulePosition", REG_BINARY,
                     Ints({ INT_MIN, INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MIN, INT_MAX, INT_MAX }));
          WriteIntSetting("State", 1);
      },
      { kCDPlayerExe, kWavePlayerExe }, true },
    { "PositionsAsShortText",
      [] {
          WriteSequence({ 2, 1, 2, 0, 0 });
          WriteBytes("ModulePosition", REG_SZ, { 'j', 'u', 'n', 'k', 0 });
          WriteIntSetting("State", 3);
      },
      { kCDPlayerExe, kWavePlayerExe }, true },
    { "FileNamesOfWrongTypeAndLength",
      [] {
          const DWORD dwName = 12345;
          WriteSetting("WavePlayerFileName", REG_DWORD, &dwName, sizeof dwName);
          const std::string strLong(300, 'x');
          WriteSetting("CDPlayerFileName", REG_SZ, strLong.c_str(), (DWORD)strLong.size() + 1);
      },
      { kCDPlayerExe }, false },
};

class ModuleBadInput : public ModuleTest, public ::testing::WithParamInterface<BadModuleSettings> {};

std::string Names(const std::vector<ProcessEntry>& processes)
{
    std::string str;
    for (const ProcessEntry& entry : processes)
        str += entry.exe + " ";
    return str;
}

} // namespace

TEST_P(ModuleBadInput, BarRunsAndStartsAtMostOneCopyOfEachPlayer)
{
    const BadModuleSettings& settings = GetParam();
    settings.write();
    HWND hBar = StartBar("", true);
    ASSERT_NE(hBar, nullptr) << "bar not ready; running " << Bar().Running() << std::hex << ", exit code 0x"
                             << Bar().ExitCode();

    const std::set<std::string> players = { kCDPlayerExe, kWavePlayerExe, kMidiPlayerExe };
    const std::vector<ProcessEntry> children = ChildProcesses(Bar().Pid());
    for (const ProcessEntry& child : children)
        EXPECT_EQ(players.count(child.exe), 1u) << "started " << child.exe;
    for (const std::string& strExe : players) {
        const size_t nStarts = m_pLog->Starts(strExe.c_str());
        EXPECT_LE(nStarts, 1u) << "copies of " << strExe << " started\n" << m_pLog->Dump();
        const bool bMust = std::find(settings.mustStart.begin(), settings.mustStart.end(), strExe) !=
                           settings.mustStart.end();
        if (bMust) {
            EXPECT_EQ(nStarts, 1u) << "starts of " << strExe << "\n" << m_pLog->Dump();
        } else if (settings.bOnlyThose) {
            EXPECT_EQ(nStarts, 0u) << "starts of " << strExe << ", which the settings do not ask for\n" << m_pLog->Dump();
        }
    }

    CloseBar(Bar(), hBar);
    // Each player it started was told to exit; one it lost track of would stay.
    EXPECT_TRUE(WaitUntil([&] { return ChildProcesses(Bar().Pid()).empty(); }, 10000))
        << "still running: " << Names(ChildProcesses(Bar().Pid())) << "\n" << m_pLog->Dump();
}

INSTANTIATE_TEST_SUITE_P(ModuleSettings, ModuleBadInput, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<BadModuleSettings>& info) {
                             return std::string(info.param.pszName);
                         });
