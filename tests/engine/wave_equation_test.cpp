// Equations into the point table: the variables, functions and constants, clipping, and errors
// that say where the expression went wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/wave_equation.h"

namespace korvane {
namespace {

struct EquationCase {
    const char* name;
    const char* expression;
    int pointCount;
    std::vector<float> points;
};

class WaveEquationValueTest : public ::testing::TestWithParam<EquationCase> {};

TEST_P(WaveEquationValueTest, EvaluatesEveryPoint) {
    const EquationCase& c = GetParam();
    WaveEquation equation;
    EquationError error;
    ASSERT_TRUE(equation.SetExpression(c.expression, error)) << error.message;
    FittedWave table;
    ASSERT_TRUE(equation.Evaluate(c.pointCount, table, error)) << error.message;
    ASSERT_EQ(table.points.size(), c.points.size());
    for (std::size_t k = 0; k < c.points.size(); ++k) {
        EXPECT_NEAR(table.points[k], c.points[k], 1e-6f) << "point " << k;
    }
    EXPECT_EQ(table.clippedCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, WaveEquationValueTest,
    ::testing::Values(
        EquationCase{"TimeOverOnePeriod", "t", 4, {0.0f, 0.25f, 0.5f, 0.75f}},
        EquationCase{"IndexAndCount", "i - n / 2", 4, {-2.0f, -1.0f, 0.0f, 1.0f}},
        EquationCase{"SineWithPi", "2 * sin(2 * pi * t)", 4, {0.0f, 2.0f, 0.0f, -2.0f}},
        EquationCase{"EulersNumber", "ln(e) + 0 * t", 2, {1.0f, 1.0f}},
        EquationCase{"SquareByChoice", "t < 0.5 ? 1.5 : -1.5", 4, {1.5f, 1.5f, -1.5f, -1.5f}},
        EquationCase{
            "FloorCeilMod", "floor(4 * t) - ceil(t) + mod(-1, 3) - 2", 4, {0.0f, 0.0f, 1.0f, 2.0f}},
        EquationCase{
            "MaxMinAbs", "max(min(abs(2 - 4 * t), 1.5), 0.5)", 4, {1.5f, 1.0f, 0.5f, 1.0f}},
        EquationCase{"Power", "2^i / 8", 4, {0.125f, 0.25f, 0.5f, 1.0f}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadEquation {
    const char* name;
    const char* expression;
    int position;
    std::string message;
};

class WaveEquationErrorTest : public ::testing::TestWithParam<BadEquation> {};

TEST_P(WaveEquationErrorTest, SaysWhereAndWhy) {
    const BadEquation& bad = GetParam();
    WaveEquation equation;
    EquationError error;
    EXPECT_FALSE(equation.SetExpression(bad.expression, error));
    EXPECT_EQ(error.position, bad.position);
    EXPECT_EQ(error.message, bad.message);
    FittedWave table;
    EXPECT_FALSE(equation.Evaluate(8, table, error)) << "a failed expression leaves none";
    EXPECT_EQ(error.message, "no expression");
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, WaveEquationErrorTest,
    ::testing::Values(
        BadEquation{"UnknownVariable", "sin(x)", 4, "Unexpected token \"x\" found at position 4."},
        BadEquation{"UnknownFunction", "2 * foo(t)", 4,
                    "Unexpected token \"foo\" found at position 4."},
        BadEquation{"CutShort", "2 *", 3, "Unexpected end of expression at position 4"},
        BadEquation{"TwoOperators", "3 +* t", 3, "Unexpected operator \"*\" found at position 3"},
        BadEquation{"OpenParenthesis", "(1 + t", 6, "Missing parenthesis"},
        BadEquation{"Empty", "", -1, "Expression is empty."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveEquationTest, ValuesBeyondTheFullScaleAreClippedAndCounted) {
    WaveEquation equation;
    EquationError error;
    ASSERT_TRUE(equation.SetExpression("5 * sin(2 * pi * t)", error));
    FittedWave table;
    ASSERT_TRUE(equation.Evaluate(8, table, error));
    EXPECT_EQ(table.points[2], 3.5f);
    EXPECT_EQ(table.points[6], -3.5f);
    EXPECT_EQ(table.points[1], 3.5f);  // 3.54 V: clipped too
    EXPECT_EQ(table.clippedCount, 6);
    std::vector<double> values;
    ASSERT_TRUE(equation.EvaluateValues(8, values, error));
    EXPECT_NEAR(values[2], 5.0, 1e-12) << "the values themselves are not clipped";

    ASSERT_TRUE(equation.SetExpression("1 / t", error));  // an infinity at t = 0
    ASSERT_TRUE(equation.Evaluate(4, table, error));
    EXPECT_EQ(table.points, (std::vector<float>{3.5f, 3.5f, 2.0f, 1.3333334f}));
    EXPECT_EQ(table.clippedCount, 2);
}

TEST(WaveEquationTest, APointWithoutAValueIsNamedAndTheTableKept) {
    WaveEquation equation;
    EquationError error;
    ASSERT_TRUE(equation.SetExpression("sqrt(0.5 - t)", error));
    FittedWave table;
    table.points = {1.0f};
    EXPECT_FALSE(equation.Evaluate(4, table, error));
    EXPECT_EQ(error.position, -1);
    EXPECT_EQ(error.message, "no value at point 3 (t = 0.75)");
    EXPECT_EQ(table.points, std::vector<float>{1.0f});
}

TEST(WaveEquationTest, TheCountIsKeptWithinTheTable) {
    WaveEquation equation;
    EquationError error;
    ASSERT_TRUE(equation.SetExpression("t", error));
    FittedWave table;
    ASSERT_TRUE(equation.Evaluate(10000, table, error));
    EXPECT_EQ(table.points.size(), 4096u);
    EXPECT_FLOAT_EQ(table.points[4095], 4095.0f / 4096.0f);
    ASSERT_TRUE(equation.Evaluate(0, table, error));
    EXPECT_EQ(table.points, std::vector<float>{0.0f});
}

}  // namespace
}  // namespace korvane
