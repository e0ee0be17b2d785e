// The tools that reshape one period of arbitrary points.
#include "engine/point_tools.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace korvane {
namespace {

struct ToolCase {
    std::string name;
    std::function<PointTable(const PointTable&)> tool;
    PointTable input;
    PointTable expected;
};

class PointToolTest : public ::testing::TestWithParam<ToolCase> {};

TEST_P(PointToolTest, GivesTheExpectedTable) {
    const ToolCase& c = GetParam();
    const PointTable result = c.tool(c.input);
    ASSERT_EQ(result.size(), c.expected.size());
    for (std::size_t k = 0; k < result.size(); ++k) {
        EXPECT_NEAR(result[k], c.expected[k], 1e-5) << "point " << k;
    }
}

const auto Smooth = [](int width) {
    return [width](const PointTable& p) { return SmoothPoints(p, width); };
};
const auto Normalise = [](double peak) {
    return [peak](const PointTable& p) { return NormalisePoints(p, peak); };
};
const auto Shift = [](int by) { return [by](const PointTable& p) { return ShiftPoints(p, by); }; };

INSTANTIATE_TEST_SUITE_P(
    Tools, PointToolTest,
    ::testing::Values(
        // Width 3 averages each point with both neighbours; the ends wrap around the period.
        ToolCase{"SmoothThreeWraps", Smooth(3), {3, 0, 0, 0, 0, 3}, {2, 1, 0, 0, 1, 2}},
        // An even width reaches one point further ahead than back.
        ToolCase{"SmoothTwoLooksAhead", Smooth(2), {0, 2, 4, 6}, {1, 3, 5, 3}},
        ToolCase{"SmoothOneKeeps", Smooth(1), {1, -2, 3}, {1, -2, 3}},
        ToolCase{"SmoothZeroWidthKeeps", Smooth(0), {1, -2, 3}, {1, -2, 3}},
        // A width beyond the period averages the whole period into every point.
        ToolCase{"SmoothWiderThanPeriodIsTheMean", Smooth(99), {1, 2, 3, 6}, {3, 3, 3, 3}},
        ToolCase{"SmoothEmpty", Smooth(5), {}, {}},
        ToolCase{"NormaliseByLargestMagnitude", Normalise(3.0), {0.5, -1.5, 1.0}, {1, -3, 2}},
        ToolCase{"NormaliseUpward", Normalise(2.0), {0.1, 0.2}, {1, 2}},
        ToolCase{"NormaliseZerosStay", Normalise(3.0), {0, 0, 0}, {0, 0, 0}},
        ToolCase{"Invert", InvertPoints, {1, -2, 0, 3.5}, {-1, 2, 0, -3.5}},
        ToolCase{"Reverse", ReversePoints, {1, 2, 3, 4}, {4, 3, 2, 1}},
        ToolCase{"ReverseOne", ReversePoints, {7}, {7}},
        ToolCase{"ShiftLater", Shift(1), {1, 2, 3, 4}, {4, 1, 2, 3}},
        ToolCase{"ShiftEarlier", Shift(-1), {1, 2, 3, 4}, {2, 3, 4, 1}},
        ToolCase{"ShiftByWholePeriods", Shift(9), {1, 2, 3, 4}, {4, 1, 2, 3}},
        ToolCase{"ShiftBackManyPeriods", Shift(-10), {1, 2, 3, 4}, {3, 4, 1, 2}},
        ToolCase{"ShiftEmpty", Shift(3), {}, {}}),
    [](const ::testing::TestParamInfo<ToolCase>& info) { return info.param.name; });

TEST(SmoothPoints, KeepsTheMeanOfALongTable) {
    PointTable points(4096);
    for (std::size_t k = 0; k < points.size(); ++k) {
        points[k] = (k % 7 == 0) ? 3.5f : -0.5f;
    }
    double before = 0.0;
    double after = 0.0;
    const PointTable smoothed = SmoothPoints(points, 33);
    for (std::size_t k = 0; k < points.size(); ++k) {
        before += points[k];
        after += smoothed[k];
    }
    EXPECT_NEAR(after, before, 1e-2);
}

}  // namespace
}  // namespace korvane
