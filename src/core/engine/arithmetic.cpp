// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/engine/arithmetic.h"

#include "core/engine/texts.h"

#include <cfenv>
#include <cmath>
#include <string>

namespace tarvelio {

namespace {

// One arithmetic step, with its floating-point status checked. The flags catch the
// faults of the operation itself; the finiteness test also holds where the compiler
// has moved the operation across the flag calls.
template <class Op> std::optional<double> checked(double a, double b, Op op) {
    std::feclearexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    const double r = op(a, b);
    if (std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW) || !std::isfinite(r))
        return std::nullopt;
    return r;
}

} // namespace

std::optional<CalcValue> evaluate(
    const CalcValue& first, const CalcValue& second, std::string_view op, const NumberFormat& format) {
    const auto b = numberOf(second, format);
    if (!b)
        return std::nullopt;
    if (op == "=")
        return CalcValue(*b);
    if (op == "/" && *b == 0)
        return CalcValue(std::string(texts::kDivisionByZero));
    const auto a = numberOf(first, format);
    if (!a)
        return std::nullopt;
    std::optional<double> r;
    if (op == "+")
        r = checked(*a, *b, [](double x, double y) { return x + y; });
    else if (op == "-")
        r = checked(*a, *b, [](double x, double y) { return x - y; });
    else if (op == "X")
        r = checked(*a, *b, [](double x, double y) { return x * y; });
    else if (op == "/")
        r = checked(*a, *b, [](double x, double y) { return x / y; });
    else
        return std::nullopt;
    if (!r)
        return std::nullopt;
    return CalcValue(*r);
}

std::optional<double> percentOf(const CalcValue& base, const CalcValue& percent, const NumberFormat& format) {
    const auto a = numberOf(base, format);
    const auto b = numberOf(percent, format);
    if (!a || !b)
        return std::nullopt;
    return checked(*a, *b, [](double x, double y) { return x * y / 100; });
}

} // namespace tarvelio
