// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/calculator.h"

#include "engine/texts.h"

#include <cfenv>
#include <cmath>
#include <limits>

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

// Immediate execution, left to right: each operator completes the pending operation, and
// its result becomes the left operand of the next. A failing step shows "Fehler" on the
// readout and leaves the rest undone; what ran before it stays done. A result, an error
// and whatever "=" leaves are announced; an operator that only takes the number typed
// is not, so that typing a calculation stays quiet but for the key echo.
void Calculator::Operator_Click(std::int16_t index) {
    const auto button = operatorButton(index);
    if (!button)
        return;
    const std::string op = m_form.caption(*button);
    if (!operate(op)) {
        m_form.setCaption(Ctl::Readout, std::string(texts::kError));
        m_form.announce(Ctl::Readout);
    } else if (op == "=") {
        m_form.announce(Ctl::Readout);
    }
}

bool Calculator::operate(const std::string& op) {
    auto& s = m_state;
    s.ResultShown = false;
    enableConversions();
    s.PreviousReadout = s.ReadoutText;
    if (s.LastInput == texts::kNums) {
        if (s.OperandCount == std::numeric_limits<std::int16_t>::max())
            return false;
        ++s.OperandCount;
    }
    switch (s.OperandCount) {
    case 0:
        if (op == "-" && s.LastInput != texts::kNeg) {
            setReadout(textOf(s.ReadoutText, m_format).insert(0, 1, '-'));
            s.LastInput = texts::kNeg;
        }
        break;
    case 1:
        s.FirstOperand = s.ReadoutText;
        if (op == "-" && s.LastInput != texts::kNums && s.PendingOperator != "=") {
            setReadout("-");
            s.LastInput = texts::kNeg;
        }
        break;
    case 2: {
        // After "=" the number typed is taken as it is: no result to announce.
        const bool computes = s.PendingOperator != "=";
        auto result = evaluate();
        if (!result)
            return false;
        s.FirstOperand = std::move(*result);
        setReadout(s.FirstOperand);
        if (computes)
            m_form.announce(Ctl::Readout);
        s.OperandCount = 1;
        break;
    }
    default:
        // Only after a failed evaluation, or a percentage followed by a new number:
        // nothing is evaluated until C.
        break;
    }
    if (s.LastInput != texts::kNeg) {
        s.LastInput = texts::kOps;
        s.PendingOperator = op;
    }
    return true;
}

std::optional<CalcValue> Calculator::evaluate() {
    auto& s = m_state;
    s.SecondOperand = s.PreviousReadout;
    const std::string& op = s.PendingOperator;
    const auto second = numberOf(s.SecondOperand, m_format);
    if (!second)
        return std::nullopt;
    if (op == "=")
        return CalcValue(*second);
    if (op == "/" && *second == 0)
        return CalcValue(std::string(texts::kDivisionByZero));
    const auto first = numberOf(s.FirstOperand, m_format);
    if (!first)
        return std::nullopt;
    std::optional<double> r;
    if (op == "+")
        r = checked(*first, *second, [](double a, double b) { return a + b; });
    else if (op == "-")
        r = checked(*first, *second, [](double a, double b) { return a - b; });
    else if (op == "X")
        r = checked(*first, *second, [](double a, double b) { return a * b; });
    else if (op == "/")
        r = checked(*first, *second, [](double a, double b) { return a / b; });
    else
        return std::nullopt; // not an operator caption: changes nothing
    if (!r)
        return std::nullopt;
    return CalcValue(*r);
}

// The number just typed after an operator becomes that percentage of the left operand.
// An operand that is no number, or a product beyond the range, takes the operator's
// error path: "Fehler" on the readout and no state changed.
void Calculator::Percent_Click() {
    auto& s = m_state;
    if (s.LastInput != texts::kNums || s.OperandCount != 1)
        return;
    const auto first = numberOf(s.FirstOperand, m_format);
    const auto entered = numberOf(s.ReadoutText, m_format);
    std::optional<double> product;
    if (first && entered)
        product = checked(*first, *entered, [](double a, double b) { return a * b / 100; });
    m_form.announce(Ctl::Readout);
    if (!product) {
        m_form.setCaption(Ctl::Readout, std::string(texts::kError));
        return;
    }
    setReadout(*product);
    s.LastInput = texts::kPercentTaken;
    ++s.OperandCount;
    s.DecimalEntered = -1;
    s.ResultShown = false;
}

} // namespace tarvelio
