// Arbitrary tables: how a drawn or loaded table reaches the buffer and the device.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/synthesis.h"
#include "synthesis_probe.h"

namespace korvane {
namespace {

using test::A;
using test::BufferSample;
using test::Codes;

TEST(Synthesis, ArbitraryIgnoresAmplitudeOffsetAndAttenuation) {
    WaveParams p;
    p.waveType = Arbitrary;
    p.pointCount = 4;
    p.periodCount = 2;
    p.arbPointCount = 2;
    p.arbPoints[0] = 3.5f;
    p.arbPoints[1] = -1.75f;
    p.amplitude = 0.1f;
    p.offset = 2.0;
    p.attenuate20dB = 1;
    EXPECT_DOUBLE_EQ(BufferSample(p, 0.0), static_cast<double>(3.5f * 0.2857143f));
    EXPECT_DOUBLE_EQ(BufferSample(p, 0.25), static_cast<double>(-1.75f * 0.2857143f));
    EXPECT_DOUBLE_EQ(BufferSample(p, 0.5), static_cast<double>(3.5f * 0.2857143f));
}

// A table of another length than the buffer's period (a file's) is stretched over each period:
// point j of n covers buffer points [j, j + 1) x (pointCount / periodCount) / n.
TEST(Synthesis, ATableOfAnotherLengthIsStretchedOverEachPeriod) {
    const struct {
        int pointCount;
        int periodCount;
        int tablePoints;
        double t;
        int expectedPoint;
    } cases[] = {
        {4082, 1, 300, 0.0, 0},      {4082, 1, 300, 0.4999, 149}, {4082, 1, 300, 0.5, 150},
        {4082, 1, 300, 0.9999, 299}, {4000, 2, 300, 0.25, 150},   {4000, 2, 300, 0.5, 0},
        {4000, 2, 300, 0.75, 150},   {4096, 512, 4, 0.5, 0},      {8, 1, 16, 0.5, 8},
    };
    for (const auto& c : cases) {
        WaveParams p;
        p.waveType = Arbitrary;
        p.pointCount = c.pointCount;
        p.periodCount = c.periodCount;
        p.arbPointCount = c.tablePoints;
        for (int j = 0; j < c.tablePoints; ++j) {
            p.arbPoints[static_cast<std::size_t>(j)] = 0.001f * static_cast<float>(j);
        }
        EXPECT_DOUBLE_EQ(BufferSample(p, c.t),
                         static_cast<double>(0.001f * c.expectedPoint * 0.2857143f))
            << c.pointCount << "/" << c.periodCount << " points, table " << c.tablePoints << ", t "
            << c.t;
    }
}

// Every buffer sample is the wave at t = i / n on the buffer time base, exactly: whatever the
// buffer's length (odd, and beyond one block of times), the periods and the phase.
TEST(Synthesis, BufferCodesAreTheWaveAtEachPointsTime) {
    const int lengths[] = {1, 37, 511, 512, 513, 1000, 4082, 4095, 4096};
    for (int type = 0; type < kWaveTypeCount; ++type) {
        if (type == Arbitrary) {
            continue;  // its table points are stepped in whole numbers (below)
        }
        for (int n : lengths) {
            for (int periods : {1, 3}) {
                for (float phase : {0.0f, 0.3f, -0.75f}) {
                    WaveParams p;
                    p.waveType = type;
                    p.pointCount = n;
                    p.periodCount = periods;
                    p.phase = phase;
                    p.offset = 0.25;
                    p.squareDuty = 0.3f;  // an edge that falls on a sample of 1000 points
                    const std::vector<std::uint16_t> codes = Codes(p);
                    NoiseSource noise;
                    int wrong = 0;
                    for (int i = 0; i < n; ++i) {
                        const double v =
                            Sample(p, static_cast<double>(i) / n, TimeBase::Buffer, noise);
                        wrong += codes[static_cast<std::size_t>(i)] != ToDacCode(v, 1) ? 1 : 0;
                    }
                    EXPECT_EQ(wrong, 0) << "wave type " << type << ", " << n << " points, "
                                        << periods << " periods, phase " << phase;
                }
            }
        }
    }
}

WaveParams DistinctTable(int pointCount, int periodCount, int tablePoints, float phase) {
    WaveParams p;
    p.waveType = Arbitrary;
    p.pointCount = pointCount;
    p.periodCount = periodCount;
    p.arbPointCount = tablePoints;
    p.phase = phase;
    for (int j = 0; j < tablePoints; ++j) {
        p.arbPoints[static_cast<std::size_t>(j)] = 3.0f * static_cast<float>(j) / tablePoints;
    }
    return p;
}

std::uint16_t TablePointCode(const WaveParams& p, long long j) {
    return ToDacCode(p.arbPoints[static_cast<std::size_t>(j)] * 0.2857143f, 1);
}

// A drawn wave holds exactly one period of the buffer: the device gets it point for point, none
// doubled and none skipped (22, 3000, 4000 and 4082 points lost points to rounding before).
TEST(Synthesis, ATableOfOneBufferPeriodReachesTheDevicePointForPoint) {
    const struct {
        int pointCount;
        int periodCount;
    } cases[] = {{22, 1}, {3000, 1}, {4000, 1}, {4082, 1}, {4096, 4}, {4000, 8}, {4095, 3}};
    for (const auto& c : cases) {
        const int period = c.pointCount / c.periodCount;
        const WaveParams p = DistinctTable(c.pointCount, c.periodCount, period, 0.0f);
        const std::vector<std::uint16_t> codes = Codes(p);
        int wrong = 0;
        for (int i = 0; i < c.pointCount; ++i) {
            wrong += codes[static_cast<std::size_t>(i)] != TablePointCode(p, i % period) ? 1 : 0;
        }
        EXPECT_EQ(wrong, 0) << c.pointCount << " points, " << c.periodCount << " periods";
    }
}

// Sample i reads point floor(N x count x i / n + count x phase) mod count, whatever the table's
// length, the period count and the phase (negative and beyond one period included).
TEST(Synthesis, ArbitraryPointsFollowTheExactIndex) {
    const int tableLengths[] = {1, 7, 300, 1000, 4096};
    const int periodCounts[] = {1, 3, 512};
    const float phases[] = {0.0f, 0.25f, 0.3f, 0.999f, -0.25f, 2.5f};
    for (int count : tableLengths) {
        for (int periods : periodCounts) {
            for (float phase : phases) {
                const int n = 4082;
                const WaveParams p = DistinctTable(n, periods, count, phase);
                const std::vector<std::uint16_t> codes = Codes(p);
                int wrong = 0;
                for (int i = 0; i < n; ++i) {
                    const long double x = static_cast<long double>(i) * periods * count / n +
                                          static_cast<long double>(count) * phase;
                    const auto j = static_cast<long long>(std::floor(x)) % count;
                    wrong += codes[static_cast<std::size_t>(i)] !=
                                     TablePointCode(p, j < 0 ? j + count : j)
                                 ? 1
                                 : 0;
                }
                EXPECT_EQ(wrong, 0)
                    << "table " << count << ", " << periods << " periods, phase " << phase;
            }
        }
    }
}

TEST(Synthesis, ArbitraryBufferSurvivesDamagedPhase) {
    for (float phase : {std::nanf(""), 1e30f, -1e30f, INFINITY}) {
        const WaveParams p = DistinctTable(4000, 2, 1000, phase);
        const std::vector<std::uint16_t> codes = Codes(p);
        EXPECT_EQ(codes.size(), 4000u);
        EXPECT_EQ(codes[0], TablePointCode(p, 0)) << phase;  // a shift of no point
    }
}

}  // namespace
}  // namespace korvane
