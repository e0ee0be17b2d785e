// The sound card library against an output that fails as real ones do: unplugged, run dry.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "card_output_identity.h"
#include "engine/channel_state.h"
#include "engine/device_library/sound_card_device_library.h"
#include "engine/eventually.h"
#include "engine/poll_coordinator.h"

namespace korvane::test {
namespace {

// An output whose failures the test switches; it takes a period a millisecond, so the audio
// thread does not spin.
class ScriptedOutput : public AudioOutput {
  public:
    struct Script {
        std::atomic<bool> openable{true};
        std::atomic<bool> gone{false};  // every write fails as an unplugged device's does
        std::atomic<int> underruns{0};  // the next writes that report an underrun
        std::atomic<int> opens{0};
        std::atomic<std::uint64_t> frames{0};
        std::atomic<float> lastLeft{0.0f};
    };

    explicit ScriptedOutput(Script& script) : script_(script) {}

    bool Open(std::string* error) override {
        ++script_.opens;
        if (!script_.openable) {
            *error = "no such device";
            return false;
        }
        return true;
    }
    void Close() override {}
    unsigned Rate() const override { return 48000; }
    int PeriodFrames() const override { return 48; }
    WriteResult Write(const float* frames, int count) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (script_.gone) {
            return WriteResult::Gone;
        }
        script_.frames += static_cast<std::uint64_t>(count);
        script_.lastLeft = frames[2 * (count - 1)];
        int pending = script_.underruns.load();
        while (pending > 0 && !script_.underruns.compare_exchange_weak(pending, pending - 1)) {
        }
        return pending > 0 ? WriteResult::Underrun : WriteResult::Written;
    }

  private:
    Script& script_;
};

TEST(SoundCardFaults, UnderrunsAreRecoveredAndCounted) {
    ScriptedOutput::Script script;
    SoundCardDeviceLibrary library(std::make_unique<ScriptedOutput>(script), "test");
    script.underruns = 3;
    ASSERT_TRUE(Eventually([&] { return library.Underruns() == 3; }));
    const std::uint64_t frames = library.FramesWritten();
    // Playing goes on after them.
    EXPECT_TRUE(Eventually([&] { return library.FramesWritten() > frames + 480; }));
    EXPECT_EQ(library.DDSCheck(0), 1);
}

TEST(SoundCardFaults, UnpluggedCardIsMissingUntilItIsBackThenGetsEverythingAgain) {
    ScriptedOutput::Script script;
    SoundCardDeviceLibrary library(std::make_unique<ScriptedOutput>(script), "test");
    PollCoordinator coordinator;
    ChannelState channel(library, coordinator);
    channel.demo = 0;
    channel.deviceIndex = 0;
    channel.ConfigureDevice();
    for (int i = 0; i < 10; ++i) {
        channel.Poll();
    }
    ASSERT_EQ(library.DDSCheck(0), 1);

    script.openable = false;
    script.gone = true;
    ASSERT_TRUE(Eventually([&] { return library.DDSCheck(0) == 0 && library.DDSCheck(1) == 0; }));
    channel.Poll();
    EXPECT_EQ(channel.reconnectPending, 1);
    const int opens = script.opens;
    ASSERT_TRUE(Eventually([&] { return script.opens > opens + 1; }));  // it keeps trying
    EXPECT_EQ(library.DDSCheck(0), 0);

    script.gone = false;
    script.openable = true;
    ASSERT_TRUE(Eventually([&] { return library.DDSCheck(0) == 1; }));
    channel.Poll();  // the device is back: the whole configuration goes out
    EXPECT_EQ(channel.reconnectPending, 0);
    const std::uint64_t frames = script.frames;
    EXPECT_TRUE(Eventually([&] { return script.frames > frames + 480; }));
}

TEST(SoundCardFaults, TriggerAndDigitalInputsAreAbsentAndReadZero) {
    ScriptedOutput::Script script;
    SoundCardDeviceLibrary library(std::make_unique<ScriptedOutput>(script), "default");
    std::uint16_t word = 0xffff;
    EXPECT_EQ(library.DDSSetDigitalOut(0, 0x0f), 1);
    EXPECT_EQ(library.DDSGetDigitalIn(0, &word), 1);
    EXPECT_EQ(word, 0);
    EXPECT_FALSE(library.HasTriggerAndDigitalIo(0));
    EXPECT_FALSE(library.HasTriggerAndDigitalIo(1));
    EXPECT_EQ(library.Identify(0), CardOutput(DeviceIdentity::Side::kLeft, "default"));
    EXPECT_EQ(library.Identify(1), CardOutput(DeviceIdentity::Side::kRight, "default"));
    EXPECT_EQ(library.Identify(2), DeviceIdentity());  // no such output
    EXPECT_EQ(library.DDSSearch(), 2);
}

TEST(SoundCardFaults, FrequencyStopsJustBelowHalfTheRate) {
    ScriptedOutput::Script script;
    SoundCardDeviceLibrary library(std::make_unique<ScriptedOutput>(script), "test");
    EXPECT_EQ(library.MaxFrequency(0), 23999.0);
    int points = 0;
    int periods = 0;
    library.DDSSetFrequency(0, 1e6, &points, &periods);
    EXPECT_EQ(points, SoundCardDeviceLibrary::kTablePoints);
    EXPECT_EQ(periods, 1);
    std::vector<double> volts(4096, 0.0);
    volts[0] = 1.0;
    library.DDSDownloadVolts(0, volts.data(), 4096);
    double measured = 0.0;
    library.DDSGetMeasure(0, 0, &measured);
    EXPECT_NEAR(measured, 23999.0, 1e-6);
    // A channel on the card limits a typed frequency the same way.
    PollCoordinator coordinator;
    ChannelState channel(library, coordinator);
    channel.demo = 0;
    channel.deviceIndex = 1;
    channel.SetFrequency(50000.0);
    EXPECT_EQ(channel.frequency, 23999.0);
}

TEST(SoundCardFaults, SingleWavePlaysOnePeriodPerArming) {
    ScriptedOutput::Script script;
    SoundCardDeviceLibrary library(std::make_unique<ScriptedOutput>(script), "test");
    PollCoordinator coordinator;
    ChannelState channel(library, coordinator);
    channel.demo = 0;
    channel.deviceIndex = 0;
    channel.SetFrequency(4800.0);  // ten samples a period, 4.8 periods a write
    channel.ConfigureDevice();
    channel.SetSingleWave(1);
    for (int i = 0; i < 1000 && !channel.QueuedCommands().empty(); ++i) {
        channel.Poll();
    }
    ASSERT_TRUE(channel.QueuedCommands().empty());
    // Waits until the audio thread has played a hundred writes past this point; the output
    // counts a write's frames after it rendered them, and the write after the one in progress
    // plays the newest voice, so whatever was armed before has played and been counted then, on
    // a machine however slow. Long enough, too, for a wave that did not hold to show hundreds of
    // periods.
    auto playOn = [&script] {
        const std::uint64_t frames = script.frames;
        return Eventually([&] { return script.frames > frames + 4800; }, std::chrono::seconds(30));
    };
    // The configuration armed the wave too: its period is played before the counter starts, or
    // it could fall into the first arming's count.
    ASSERT_TRUE(playOn());
    for (int arming = 1; arming <= 3; ++arming) {
        library.DDSResetCounter(0);
        library.DDSSetSingleWave(0, 1);
        ASSERT_TRUE(playOn());
        double periods = -1.0;
        library.DDSGetMeasure(0, 1, &periods);
        EXPECT_EQ(periods, 1.0) << "arming " << arming;
    }
}

}  // namespace
}  // namespace korvane::test
