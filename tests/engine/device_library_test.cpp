#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/device_library/library_factory.h"
#include "engine/device_library/shared_object_device_library.h"
#include "engine/device_library/simulated_device_library.h"
#include "engine/device_library/tracing_device_library.h"

namespace korvane {
namespace {

TEST(Simulator, PointsAndPeriodsForAFrequency) {
    struct Case {
        double hz;
        int points, periods;
    } cases[] = {{1000, 4082, 1}, {100000, 4000, 2}, {25000000, 4096, 512}, {1, 4096, 1}};
    SimulatedDeviceLibrary sim(1);
    for (const Case& c : cases) {
        int points = 0, periods = 0;
        sim.DDSSetFrequency(0, c.hz, &points, &periods);
        EXPECT_EQ(points, c.points) << c.hz;
        EXPECT_EQ(periods, c.periods) << c.hz;
    }
}

TEST(Simulator, UnknownDevicesAreIgnored) {
    SimulatedDeviceLibrary sim(1);
    int points = -7, periods = -7;
    sim.DDSSetFrequency(-1, 1000, &points, &periods);
    EXPECT_EQ(points, -7);
    EXPECT_EQ(sim.DDSCheck(-1), 0);
    EXPECT_EQ(sim.DDSCheck(1), 0);
    EXPECT_EQ(sim.DDSCheck(0), 1);
    EXPECT_EQ(SimulatedDeviceLibrary(0).DDSSearch(), 0);
}

TEST(Simulator, MeasuresWhatItGenerates) {
    SimulatedDeviceLibrary sim(1);
    int points = 0, periods = 0;
    sim.DDSSetFrequency(0, 1000, &points, &periods);
    double value = -1;
    sim.DDSGetMeasure(0, 0, &value);
    EXPECT_EQ(value, 0.0);  // nothing downloaded yet: a flat output
    std::vector<std::uint16_t> codes(static_cast<std::size_t>(points), 2048);
    codes[0] = 100;
    sim.DDSDownload(0, codes.data(), points);
    sim.DDSGetMeasure(0, 0, &value);
    EXPECT_NEAR(value, 200e6 / 49 / 4082, 1e-9);
    sim.DDSSetDivNum(0, 98);
    sim.DDSGetMeasure(0, 0, &value);
    EXPECT_NEAR(value, 200e6 / 98 / 4082, 1e-9);
}

TEST(Simulator, CounterRestartsOnReset) {
    SimulatedDeviceLibrary sim(1);
    int points = 0, periods = 0;
    sim.DDSSetFrequency(0, 25000000, &points, &periods);
    std::vector<std::uint16_t> codes(static_cast<std::size_t>(points), 0);
    codes[1] = 4095;
    sim.DDSDownload(0, codes.data(), points);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    double before = 0, after = 0;
    sim.DDSGetMeasure(0, 1, &before);
    sim.DDSResetCounter(0);
    sim.DDSGetMeasure(0, 1, &after);
    EXPECT_GT(before, 10000.0);  // 5 ms at 25 MHz
    EXPECT_LT(after, before);
}

TEST(Simulator, DigitalLoopBackAndSerialNumber) {
    SimulatedDeviceLibrary sim(3);
    std::uint16_t word = 0;
    sim.DDSSetDigitalOut(2, 0x801 | 0x4);
    sim.DDSGetDigitalIn(2, &word);
    EXPECT_EQ(word & 0x3c, (0x5 << 2));  // I0 and I2 follow O0 and O2
    EXPECT_EQ((word >> 6) & 3, 2);       // combine serial number
    EXPECT_EQ(sim.Device(2).digitalOut, 0x805u);
}

TEST(Simulator, UnplugLosesTheBufferUntilReplugged) {
    SimulatedDeviceLibrary sim(1);
    std::uint16_t codes[3] = {1, 2, 3};
    sim.DDSDownload(0, codes, 3);
    sim.Unplug(0);
    EXPECT_EQ(sim.DDSCheck(0), 0);
    EXPECT_TRUE(sim.Device(0).codes.empty());
    sim.DDSDownload(0, codes, 3);
    EXPECT_TRUE(sim.Device(0).codes.empty());
    sim.Replug(0);
    EXPECT_EQ(sim.DDSCheck(0), 1);
}

TEST(SharedObject, LoadsTheDriverAndForwardsCalls) {
    SharedObjectDeviceLibrary driver(KORVANE_FAKE_DRIVER);
    ASSERT_TRUE(driver.Loaded()) << driver.ErrorText();
    EXPECT_EQ(driver.DDSSearch(), 2);
    EXPECT_EQ(driver.DDSCheck(1), 0);
    int points = 0, periods = 0;
    driver.DDSSetFrequency(0, 440.0, &points, &periods);
    EXPECT_EQ(points, 1234);
    EXPECT_EQ(periods, 3);
    double value = 0;
    driver.DDSGetMeasure(0, 0, &value);
    EXPECT_EQ(value, 440.0);
    std::uint16_t word = 0;
    driver.DDSGetDigitalIn(1, &word);
    EXPECT_EQ(word, 0x41);
}

TEST(SharedObject, MissingFileMeansNoHardware) {
    SharedObjectDeviceLibrary driver("/nonexistent/libdriver.so");
    EXPECT_FALSE(driver.Loaded());
    EXPECT_NE(driver.ErrorText().find("/nonexistent/libdriver.so"), std::string::npos);
    EXPECT_EQ(driver.DDSSearch(), 0);
    EXPECT_EQ(driver.DDSCheck(0), 0);
}

TEST(SharedObject, LibraryWithoutTheFunctionsIsRefused) {
    SharedObjectDeviceLibrary driver("libm.so.6");
    EXPECT_FALSE(driver.Loaded());
    EXPECT_NE(driver.ErrorText().find("DDSSearch"), std::string::npos);
    EXPECT_EQ(driver.DDSSearch(), 0);
}

TEST(Tracing, WritesOneLinePerCall) {
    auto path = std::filesystem::temp_directory_path() /
                ("korvane_trace_" + std::to_string(::getpid()) + ".log");
    std::filesystem::remove(path);
    {
        TracingDeviceLibrary tracing(std::make_unique<SimulatedDeviceLibrary>(1), path.string());
        int points = 0, periods = 0;
        tracing.DDSSetFrequency(0, 1000.0, &points, &periods);
        tracing.DDSCheck(0);
    }
    std::ifstream in(path);
    std::string first, second, extra;
    std::getline(in, first);
    std::getline(in, second);
    EXPECT_FALSE(std::getline(in, extra));
    EXPECT_NE(first.find("DDSSetFrequency(0, 1000.000000) -> 1 points=4082 periods=1"),
              std::string::npos)
        << first;
    EXPECT_NE(second.find("DDSCheck(0) -> 1"), std::string::npos) << second;
    long long t1 = std::stoll(first), t2 = std::stoll(second);
    EXPECT_LE(t1, t2);
    std::filesystem::remove(path);
}

TEST(Factory, EnvironmentChoosesTheLibrary) {
    ::setenv("KVDDS_SIMULATED_DEVICES", "3", 1);
    EXPECT_EQ(CreateDeviceLibraryFromEnvironment()->DDSSearch(), 3);
    ::setenv("KVDDS_SIMULATED_DEVICES", "0", 1);
    EXPECT_EQ(CreateDeviceLibraryFromEnvironment()->DDSSearch(), 0);
    ::setenv("KVDDS_SIMULATED_DEVICES", "lots", 1);
    EXPECT_EQ(CreateDeviceLibraryFromEnvironment()->DDSSearch(), 1);
    ::unsetenv("KVDDS_SIMULATED_DEVICES");
    ::setenv("KVDDS_LIBRARY", KORVANE_FAKE_DRIVER, 1);
    EXPECT_EQ(CreateDeviceLibraryFromEnvironment()->DDSSearch(), 2);
    ::unsetenv("KVDDS_LIBRARY");
}

}  // namespace
}  // namespace korvane
