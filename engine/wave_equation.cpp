#include "engine/wave_equation.h"

#include <muParser.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "engine/wave_type.h"

namespace korvane {
namespace {

double Floor(double x) {
    return std::floor(x);
}
double Ceil(double x) {
    return std::ceil(x);
}
// The remainder with the divisor's sign, so that mod(t - 0.25, 1) stays within one period.
double Mod(double x, double y) {
    return x - y * std::floor(x / y);
}

EquationError ErrorOf(const mu::Parser::exception_type& failure, std::size_t length) {
    const auto position = static_cast<int>(failure.GetPos());
    return {position < 0 ? -1 : std::min(position, static_cast<int>(length)), failure.GetMsg()};
}

}  // namespace

struct WaveEquation::Parser {
    mu::Parser parser;
    double t = 0.0;
    double i = 0.0;
    double n = 1.0;
    std::size_t length = 0;  // of the expression, which errors point into

    Parser() {
        parser.DefineVar("t", &t);
        parser.DefineVar("i", &i);
        parser.DefineVar("n", &n);
        parser.DefineConst("pi", std::numbers::pi);
        parser.DefineConst("e", std::numbers::e);
        parser.DefineFun("floor", Floor);
        parser.DefineFun("ceil", Ceil);
        parser.DefineFun("mod", Mod);
    }
};

WaveEquation::WaveEquation() : parser_(std::make_unique<Parser>()) {}

WaveEquation::~WaveEquation() = default;

bool WaveEquation::SetExpression(const std::string& expression, EquationError& error) {
    compiled_ = false;
    parser_->length = expression.size();
    try {
        parser_->parser.SetExpr(expression);
        parser_->parser.Eval();  // muParser checks the syntax on the first evaluation
    } catch (const mu::Parser::exception_type& failure) {
        error = ErrorOf(failure, expression.size());
        return false;
    }
    compiled_ = true;
    return true;
}

bool WaveEquation::EvaluateValues(int pointCount, std::vector<double>& values,
                                  EquationError& error) {
    if (!compiled_) {
        error = {-1, "no expression"};
        return false;
    }
    const int count = std::clamp(pointCount, 1, kMaxPoints);
    Parser& p = *parser_;
    std::vector<double> result(static_cast<std::size_t>(count));
    p.n = count;
    try {
        for (int k = 0; k < count; ++k) {
            p.i = k;
            p.t = static_cast<double>(k) / count;
            const double volts = p.parser.Eval();
            if (std::isnan(volts)) {
                // Written with a decimal point whatever the locale, as the expression is.
                char t[32];
                char* end = std::to_chars(t, t + sizeof t, p.t).ptr;
                error = {-1, "no value at point " + std::to_string(k) +
                                 " (t = " + std::string(t, end) + ")"};
                return false;
            }
            result[static_cast<std::size_t>(k)] = volts;
        }
    } catch (const mu::Parser::exception_type& failure) {
        error = ErrorOf(failure, p.length);
        return false;
    }
    values = std::move(result);
    return true;
}

bool WaveEquation::Evaluate(int pointCount, FittedWave& table, EquationError& error) {
    std::vector<double> values;
    if (!EvaluateValues(pointCount, values, error)) {
        return false;
    }
    table = FitToTable(values, {});
    return true;
}

}  // namespace korvane
