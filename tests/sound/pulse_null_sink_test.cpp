// Real-time pacing: the sound card plays through a PulseAudio server the test starts itself, into
// a null sink whose monitor parec records.
#include <gtest/gtest.h>

#include <fstream>

#include "engine/device_library/library_factory.h"
#include "engine/device_library/sound_card_alsa_output.h"
#include "engine/device_library/sound_card_device_library.h"
#include "engine/eventually.h"
#include "support/private_pulse_server.h"
#include "support/sine_and_square.h"
#include "support/temp_folder.h"
#include "tone_analysis.h"

namespace korvane::test {
namespace {

constexpr unsigned kRate = PrivatePulseServer::kRate;

TEST(PulseNullSink, PlaysInRealTimeWithoutUnderruns) {
    if (!PrivatePulseServer::Installed()) {
        GTEST_SKIP() << "pulseaudio or parec is not installed";
    }
    testing::TempFolder home;
    PrivatePulseServer server(home.path());
    ASSERT_TRUE(server.Ready()) << "the private PulseAudio server did not start";

    SoundCardDeviceLibrary library(
        std::make_unique<AlsaOutput>("default", kRate, AudioSettings::kDefaultLatencyMs),
        "default");
    ASSERT_EQ(library.DDSCheck(0), 1) << library.OpenError();
    const SineAndSquare outputs(library);

    const std::filesystem::path recording = home.path() / "monitor.raw";
    BackgroundProgram recorder(PrivatePulseServer::RecorderCommand(), recording.string());
    ASSERT_TRUE(recorder.Started());
    // Three seconds of sound at the server's pace, then a second more for the recording.
    const std::uint64_t start = library.FramesWritten();
    ASSERT_TRUE(Eventually([&] { return library.FramesWritten() > start + 3 * kRate; },
                           std::chrono::seconds(60)));
    ASSERT_TRUE(Eventually([&] { return std::filesystem::file_size(recording) > 8 * kRate; },
                           std::chrono::seconds(60)));
    recorder.Stop();
    EXPECT_EQ(library.Underruns(), 0u);

    // The recording's last second.
    std::ifstream in(recording, std::ios::binary);
    in.seekg(-static_cast<std::streamoff>(8 * kRate), std::ios::end);
    std::vector<float> frames(2 * kRate);
    in.read(reinterpret_cast<char*>(frames.data()),
            static_cast<std::streamsize>(frames.size() * sizeof(float)));
    ASSERT_TRUE(in);
    std::vector<float> leftSamples(kRate);
    std::vector<float> rightSamples(kRate);
    for (std::size_t i = 0; i < leftSamples.size(); ++i) {
        leftSamples[i] = frames[2 * i];
        rightSamples[i] = frames[2 * i + 1];
    }
    const Spectrum spectrum(leftSamples, kRate);
    EXPECT_EQ(spectrum.Peak(), spectrum.BinOf(1000.0));
    EXPECT_NEAR(spectrum.Amplitude(spectrum.Peak()), 2.0 / 3.5, 1e-3);
    const double thdn = spectrum.ThdPlusNoiseDb(spectrum.Peak());
    std::printf("THD+N of the recorded 1 kHz sine: %.1f dB\n", thdn);
    EXPECT_LE(thdn, -100.0);

    const Spectrum square(rightSamples, kRate);
    const int fundamental = square.BinOf(5000.0);
    EXPECT_EQ(square.Peak(), fundamental);
    const double alias = square.LargestNonHarmonicDbc(fundamental);
    std::printf("largest non-harmonic component of the recorded 5 kHz square: %.1f dBc\n", alias);
    EXPECT_LE(alias, -100.0);
}

}  // namespace
}  // namespace korvane::test
