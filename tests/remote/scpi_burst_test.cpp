// Bursts of remote changes: each command waits in the queue once, and the device still ends with
// the newest values.
#include <gtest/gtest.h>

#include <string>

#include "scpi_fixture.h"

namespace korvane::scpi {
namespace {

using testing::ScpiBench;
using Queue = std::vector<int>;

struct DropCase {
    const char* name;
    Queue before;
    Queue after;
};

class RemoteQueue : public ::testing::TestWithParam<DropCase> {};

TEST_P(RemoteQueue, KeepsTheFirstOfEachAndADownloadBehindTheFrequency) {
    korvane::testing::RecordingLibrary library;
    ChannelState channel(library);
    while (channel.PopCommand() != 0) {
    }
    for (int code : GetParam().before) {
        channel.PushCommand(code);
    }
    channel.CoalesceRemoteCommands();
    EXPECT_EQ(channel.QueuedCommands(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Queues, RemoteQueue,
    ::testing::Values(
        DropCase{"Empty", {}, {}},
        DropCase{"NothingRepeated", {SetFrequency, Download}, {SetFrequency, Download}},
        DropCase{"TwoFrequencyChanges",
                 {SetFrequency, Download, SetFrequency, Download},
                 {SetFrequency, Download}},
        // The frequency command before the download was sent already: the new one needs a
        // download behind it.
        DropCase{"DownloadAheadOfANewFrequency",
                 {Download, SetFrequency, Download},
                 {Download, SetFrequency, Download}},
        DropCase{"TriggerChanges", {SetTrigger, SetTrigger, SetTrigger}, {SetTrigger}},
        DropCase{"Reset",
                 {SetFrequency, SetTrigger, SetDioMode, SetSingleWave, Download, SetFrequency,
                  SetTrigger, SetDioMode, SetSingleWave, Download},
                 {SetFrequency, SetTrigger, SetDioMode, SetSingleWave, Download}},
        DropCase{"FrequencyWithoutDownload",
                 {Download, SetFrequency},
                 {Download, SetFrequency, Download}},
        DropCase{"OtherCodesKeepTheirOrder",
                 {SetDioMode, Download, SetDioMode, SetPowerOnOutput, Download},
                 {SetDioMode, Download, SetPowerOnOutput}}),
    [](const ::testing::TestParamInfo<DropCase>& info) { return std::string(info.param.name); });

TEST(ScpiBursts, TwoHundredFrequencyWritesQueueOneFrequencyCommand) {
    ScpiBench bench;
    for (int i = 1; i <= 200; ++i) {
        bench.Run("FREQ " + std::to_string(1000 + i));
        EXPECT_FALSE(bench.session.Busy());
    }
    EXPECT_EQ(bench.device.QueuedCommands(), (Queue{SetFrequency, Download}));
    bench.library.Clear();
    bench.device.Poll();
    bench.device.Poll();
    EXPECT_EQ(bench.device.frequency, 1200.0);
    EXPECT_TRUE(bench.device.QueuedCommands().empty());
    const auto calls = bench.library.Calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "DDSSetFrequency"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "DDSDownload"), 1);
}

TEST(ScpiBursts, WritesWhileTheWorkerSendsEndWithTheNewestFrequencyAndADownload) {
    ScpiBench bench;
    for (int i = 1; i <= 50; ++i) {
        bench.Run("FREQ " + std::to_string(1000 + i));
        bench.device.Poll();  // one worker cycle between writes
    }
    EXPECT_LE(bench.device.QueuedCommands().size(), 3u);
    bench.DrainDevice();
    const auto calls = bench.library.Calls();
    const auto lastFrequency = std::find(calls.rbegin(), calls.rend(), "DDSSetFrequency");
    const auto lastDownload = std::find(calls.rbegin(), calls.rend(), "DDSDownload");
    ASSERT_NE(lastFrequency, calls.rend());
    EXPECT_LT(lastDownload, lastFrequency) << "a download follows the last frequency command";
    EXPECT_EQ(bench.device.frequency, 1050.0);
}

TEST(ScpiBursts, FiveHundredResetsStayBounded) {
    ScpiBench bench;
    for (int i = 0; i < 500; ++i) {
        bench.Run("*RST");
        EXPECT_FALSE(bench.session.Busy());
    }
    EXPECT_EQ(bench.device.QueuedCommands(),
              (Queue{SetFrequency, SetTrigger, SetDioMode, SetSingleWave, Download}));
}

TEST(ScpiBursts, WritesDuringASweepStayBounded) {
    ScpiBench bench;
    bench.Run("SWE:STAT ON");
    for (int i = 0; i < 300; ++i) {
        bench.Run("SWE:STAR " + std::to_string(1000 + i) + ";:VOLT 1;:FUNC:SQU:DCYC 30;:FREQ 2000");
    }
    EXPECT_LE(bench.device.QueuedCommands().size(), 3u);
    bench.Run("SWE:STAT OFF");
    EXPECT_EQ(bench.device.QueuedCommands(), (Queue{Download, SetFrequency, Download}));
    EXPECT_EQ(bench.Run("*OPC?"), "");  // waits: nothing polls the device here
    bench.DrainDevice();
    bench.session.Resume();
    EXPECT_EQ(bench.session.TakeOutput(), "1\n");
}

}  // namespace
}  // namespace korvane::scpi
