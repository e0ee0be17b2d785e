// The headless tool's device list names a sound card's outputs as the program does in English.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "support/scoped_environment.h"

namespace korvane {
namespace {

TEST(CliDevices, NamesTheSoundCardsLeftAndRightOutput) {
    // ALSA's "null" PCM is always there and discards what it is given.
    testing::ScopedEnvironment audio("KVDDS_AUDIO", "null");
    testing::ScopedEnvironment driver("KVDDS_LIBRARY", nullptr);
    testing::ScopedEnvironment trace("KVDDS_TRACE", nullptr);
    const CliRun run = RunCli({"devices"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output,
              "devices: 2\n"
              "device 0: present, Sound card left output (null)\n"
              "device 1: present, Sound card right output (null)\n");
}

}  // namespace
}  // namespace korvane
