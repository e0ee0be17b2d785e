// The sound card keeps its pace while the program is busy: eight device windows (six simulated
// generators and the card's two outputs) repaint as fast as they can for a minute while the card
// plays into a PulseAudio null sink of the test's own, recorded with parec.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMdiArea>
#include <QTest>
#include <fstream>
#include <memory>
#include <vector>

#include "document/command_ids.h"
#include "document/device_view.h"
#include "document/multi_tessel_doc.h"
#include "engine/device_library/composite_device_library.h"
#include "engine/device_library/library_factory.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/device_library/sound_card_alsa_output.h"
#include "engine/device_library/sound_card_device_library.h"
#include "shell_fixture.h"
#include "support/private_pulse_server.h"
#include "support/temp_folder.h"

namespace korvane {
namespace {

using test::PrivatePulseServer;

constexpr unsigned kRate = PrivatePulseServer::kRate;
constexpr int kSimulated = 6;
constexpr int kWindows = kSimulated + SoundCardDeviceLibrary::kOutputs;
constexpr int kSeconds = 60;
constexpr std::size_t kBlock = kRate / 100;  // 10 ms, ten periods of the 1 kHz sine

// The 10 ms blocks of the recording's left output whose peak is under half of `peak`: a gap the
// sink filled with silence because the card's frames came late.
std::vector<std::size_t> QuietBlocks(const std::filesystem::path& recording, double peak,
                                     std::size_t skipBlocks, std::size_t* blocks) {
    std::ifstream in(recording, std::ios::binary);
    std::vector<float> frames(2 * kBlock);
    std::vector<std::size_t> quiet;
    *blocks = 0;
    for (std::size_t block = 0;
         in.read(reinterpret_cast<char*>(frames.data()),
                 static_cast<std::streamsize>(frames.size() * sizeof(float)));
         ++block) {
        if (block < skipBlocks) {
            continue;
        }
        ++*blocks;
        float largest = 0.0f;
        for (std::size_t i = 0; i < frames.size(); i += 2) {
            largest = std::max(largest, std::abs(frames[i]));
        }
        if (largest < peak / 2.0) {
            quiet.push_back(block);
        }
    }
    return quiet;
}

TEST(SoundCardUnderLoad, NoUnderrunForAMinuteWhileEightWindowsRepaint) {
    if (!PrivatePulseServer::Installed()) {
        GTEST_SKIP() << "pulseaudio or parec is not installed";
    }
    testing::TempFolder home;
    PrivatePulseServer server(home.path());
    ASSERT_TRUE(server.Ready()) << "the private PulseAudio server did not start";

    // The program's own output settings.
    auto owned = std::make_unique<SoundCardDeviceLibrary>(
        std::make_unique<AlsaOutput>("default", AudioSettings::kDefaultRate,
                                     AudioSettings::kDefaultLatencyMs),
        "default");
    SoundCardDeviceLibrary& card = *owned;
    ASSERT_EQ(card.DDSCheck(0), 1) << card.OpenError();
    ASSERT_EQ(card.Rate(), kRate);
    auto simulatorOwned = std::make_unique<SimulatedDeviceLibrary>(kSimulated);
    SimulatedDeviceLibrary& simulator = *simulatorOwned;
    std::vector<std::unique_ptr<DeviceLibrary>> parts;
    parts.push_back(std::move(simulatorOwned));
    parts.push_back(std::move(owned));
    ProgramUnderTest program(std::make_unique<CompositeDeviceLibrary>(std::move(parts)), simulator);
    ASSERT_TRUE(program.Start());
    for (int window = 1; window < kWindows; ++window) {  // each takes the next free generator
        ASSERT_TRUE(program.ChooseMenuCommand(kCmdFileNew));
    }
    ASSERT_EQ(program.Frame().MdiArea().subWindowList().size(), kWindows);
    ASSERT_TRUE(program.ChooseMenuCommand(kCmdWindowTile));
    // The card's left window plays the new panel's wave: a 1 kHz sine of 2 V.
    ASSERT_TRUE(WaitFor([&] { return card.FramesWritten() > kRate / 2; }));

    const std::filesystem::path recording = home.path() / "monitor.raw";
    test::BackgroundProgram recorder(PrivatePulseServer::RecorderCommand(), recording.string());
    ASSERT_TRUE(recorder.Started());
    const std::uint64_t start = card.FramesWritten();
    const std::uint64_t underrunsBefore = card.Underruns();
    QElapsedTimer clock;
    clock.start();
    int paints = 0;
    while (card.FramesWritten() < start + kSeconds * std::uint64_t{kRate} &&
           clock.elapsed() < 3 * kSeconds * 1000) {
        for (int window = 0; window < kWindows; ++window) {
            program.Device(window).View()->repaint();
        }
        ++paints;
        QTest::qWait(1);
    }
    // Half a second more reaches the recording.
    QTest::qWait(500);
    recorder.Stop();
    EXPECT_GE(card.FramesWritten(), start + kSeconds * std::uint64_t{kRate})
        << "the card played slower than real time";
    EXPECT_EQ(card.Underruns(), underrunsBefore);
    std::printf("%d repaints of all %d windows in %d s of sound\n", paints, kWindows, kSeconds);

    std::size_t blocks = 0;
    const std::vector<std::size_t> quiet =
        QuietBlocks(recording, 2.0 / 3.5, /*skipBlocks=*/10, &blocks);
    EXPECT_GE(blocks, static_cast<std::size_t>(kSeconds * 100 - 10));
    EXPECT_TRUE(quiet.empty()) << quiet.size() << " blocks of 10 ms without the sine, the first at "
                               << (quiet.empty() ? 0 : quiet.front()) * 10 << " ms";
    program.Quit();
}

}  // namespace
}  // namespace korvane
