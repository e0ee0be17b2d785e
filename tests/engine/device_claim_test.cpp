#include "engine/device_claim.h"

#include "engine/channel_state.h"
#include "engine/device_library/simulated_device_library.h"

#include <gtest/gtest.h>

#include "support/param_name.h"

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

struct NameCase {
    bool demo;
    int serial;
    std::vector<std::string> inUse;
    std::string expected;
};

class AutomaticNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(AutomaticNameTest, TakesSmallestFreeNumber) {
    const NameCase& c = GetParam();
    EXPECT_EQ(AutomaticDeviceName(c.demo, c.serial, c.inUse), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AutomaticNameTest,
    ::testing::Values(
        NameCase{false, 0, {}, "Device 1"}, NameCase{true, 0, {}, "Demo 1"},
        NameCase{false, 1, {"Device 1"}, "Device 2"},
        // Real and demo channels are numbered separately.
        NameCase{true, 1, {"Device 1"}, "Demo 1"},
        NameCase{false, 2, {"Demo 1", "Demo 2"}, "Device 1"},
        // A closed number comes back.
        NameCase{false, 3, {"Device 2", "Device 3"}, "Device 1"},
        // A user-given name equal to "Device 1" in another letter case blocks that number.
        NameCase{false, 1, {"device 1"}, "Device 2"}, NameCase{false, 1, {"DEVICE 1"}, "Device 2"},
        NameCase{true, 2, {"dEmO 1", "Demo 2"}, "Demo 3"},
        // Every candidate in use: the last one is taken.
        NameCase{false, 1, {"Device 1", "Device 2"}, "Device 2"},
        NameCase{false, 0, {"Device 1"}, "Device 1"},
        // Names that only start like a candidate do not block it.
        NameCase{false, 1, {"Device 10", "Device 1 "}, "Device 1"}),
    [](const auto& info) {
        const auto& p = info.param;
        return test::ParamName(p.demo ? "demo" : "device", p.serial, "inUse", p.inUse);
    });

TEST(SameNameIgnoringCase, FoldsAsciiOnly) {
    EXPECT_TRUE(SameNameIgnoringCase("Device 1", "dEVICE 1"));
    EXPECT_FALSE(SameNameIgnoringCase("Device 1", "Device 12"));
    EXPECT_FALSE(SameNameIgnoringCase("Device", ""));
    EXPECT_TRUE(SameNameIgnoringCase("", ""));
    EXPECT_TRUE(SameNameIgnoringCase("Größe", "GRößE"));
}

}  // namespace
}  // namespace korvane
