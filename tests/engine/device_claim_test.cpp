#include "engine/device_claim.h"

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"

#include <gtest/gtest.h>

#include "support/param_name.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace korvane {
namespace {

// Records what the claim asked of the user and answers with a scripted choice.
class ScriptedChooser : public DeviceChooser {
  public:
    explicit ScriptedChooser(std::optional<int> answer = std::nullopt) : answer_(answer) {}
    void ReportNoHardware() override { ++noHardwareReports; }
    std::optional<int> ChooseDevice(const std::vector<int>& freeDevices) override {
        offered.push_back(freeDevices);
        return answer_;
    }
    int noHardwareReports = 0;
    std::vector<std::vector<int>> offered;

  private:
    std::optional<int> answer_;
};

struct FreeCase {
    int deviceCount;
    std::vector<int> taken;
    std::vector<int> expected;
};

class FreeDevicesTest : public ::testing::TestWithParam<FreeCase> {};

TEST_P(FreeDevicesTest, ListsUntakenIndicesAscending) {
    const FreeCase& c = GetParam();
    EXPECT_EQ(FreeDevices(c.deviceCount, c.taken), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FreeDevicesTest,
    ::testing::Values(FreeCase{0, {}, {}}, FreeCase{1, {}, {0}}, FreeCase{2, {0}, {1}},
                      FreeCase{3, {1}, {0, 2}}, FreeCase{2, {0, 1}, {}},
                      FreeCase{2, {-1, -1}, {0, 1}},  // demo channels hold no device
                      FreeCase{-3, {}, {}}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::ParamName("devices", p.deviceCount, "taken", p.taken);
    });

TEST(FreeDevices, OffersAtMostTwenty) {
    const std::vector<int> free = FreeDevices(30, {0, 5});
    ASSERT_EQ(free.size(), 20u);
    EXPECT_EQ(free.front(), 1);
    EXPECT_EQ(free.back(), 21);  // 1..4 and 6..21
}

TEST(ClaimDevice, NoDeviceMakesDemoAndReports) {
    ScriptedChooser chooser;
    const DeviceClaim claim = ClaimDevice(0, {}, chooser);
    EXPECT_EQ(claim.demo, 1);
    EXPECT_EQ(claim.deviceIndex, -1);
    EXPECT_EQ(claim.freeCount, 0);
    EXPECT_EQ(chooser.noHardwareReports, 1);
    EXPECT_TRUE(chooser.offered.empty());
}

TEST(ClaimDevice, EveryDeviceTakenMakesDemoAndReports) {
    ScriptedChooser chooser;
    const DeviceClaim claim = ClaimDevice(2, {0, 1}, chooser);
    EXPECT_EQ(claim.demo, 1);
    EXPECT_EQ(claim.deviceIndex, -1);
    EXPECT_EQ(chooser.noHardwareReports, 1);
}

TEST(ClaimDevice, OneFreeDeviceIsTakenWithoutAsking) {
    ScriptedChooser chooser;
    const DeviceClaim claim = ClaimDevice(2, {0}, chooser);
    EXPECT_EQ(claim.demo, 0);
    EXPECT_EQ(claim.deviceIndex, 1);
    EXPECT_EQ(claim.freeCount, 1);
    EXPECT_TRUE(chooser.offered.empty());
    EXPECT_EQ(chooser.noHardwareReports, 0);
}

TEST(ClaimDevice, SeveralFreeDevicesAreOfferedAndTheChoiceTaken) {
    ScriptedChooser chooser(1);
    const DeviceClaim claim = ClaimDevice(2, {}, chooser);
    ASSERT_EQ(chooser.offered.size(), 1u);
    EXPECT_EQ(chooser.offered[0], (std::vector<int>{0, 1}));
    EXPECT_EQ(claim.demo, 0);
    EXPECT_EQ(claim.deviceIndex, 1);
    EXPECT_EQ(claim.freeCount, 2);
}

TEST(ClaimDevice, CancelMakesDemoWithoutMessage) {
    ScriptedChooser chooser(std::nullopt);
    const DeviceClaim claim = ClaimDevice(3, {}, chooser);
    EXPECT_EQ(claim.demo, 1);
    EXPECT_EQ(claim.deviceIndex, -1);
    EXPECT_EQ(chooser.noHardwareReports, 0);
}

TEST(ClaimDevice, AnswerOutsideTheOfferCountsAsCancel) {
    ScriptedChooser chooser(0);  // device 0 is taken, so not offered
    const DeviceClaim claim = ClaimDevice(3, {0}, chooser);
    EXPECT_EQ(claim.demo, 1);
    EXPECT_EQ(claim.deviceIndex, -1);
}

TEST(SelectDevice, SetsTheChannelsDemoFlagAndDevice) {
    SimulatedDeviceLibrary library(2);
    ChannelState channel(library);
    ScriptedChooser chooser;
    EXPECT_EQ(SelectDevice(channel, 2, {0}, chooser), 1);
    EXPECT_EQ(channel.demo, 0);
    EXPECT_EQ(channel.deviceIndex, 1);
    EXPECT_EQ(SelectDevice(channel, 2, {0, 1}, chooser), 0);
    EXPECT_EQ(channel.demo, 1);
    EXPECT_EQ(channel.deviceIndex, -1);
    EXPECT_EQ(chooser.noHardwareReports, 1);
}

struct NumberCase {
    int serial;
    std::vector<int> taken;  // numbers whose name is in use
    int expected;
};

class AutomaticNameNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(AutomaticNameNumberTest, TakesSmallestFreeNumber) {
    const NumberCase& c = GetParam();
    const auto taken = [&](int k) {
        return std::find(c.taken.begin(), c.taken.end(), k) != c.taken.end();
    };
    EXPECT_EQ(AutomaticNameNumber(c.serial, taken), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, AutomaticNameNumberTest,
                         ::testing::Values(NumberCase{0, {}, 1}, NumberCase{1, {1}, 2},
                                           // A closed number comes back.
                                           NumberCase{3, {2, 3}, 1}, NumberCase{2, {1, 2}, 3},
                                           // Every candidate in use: the last one is taken.
                                           NumberCase{1, {1, 2}, 2}, NumberCase{0, {1}, 1},
                                           // A negative serial still offers number 1.
                                           NumberCase{-1, {}, 1}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return test::ParamName("serial", p.serial, "taken", p.taken);
                         });

}  // namespace
}  // namespace korvane
