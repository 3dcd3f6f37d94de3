// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"
#include "presses.h"
#include "rowname.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tarvelio {
namespace {

using testing_support::press;
using testing_support::withSeparator;

const NumberFormat de = NumberFormat::german();
const NumberFormat en = NumberFormat::english();

// Started, with the check box cleared so that the caption shows the raw text.
struct RawCalculator {
    Calculator calc;
    explicit RawCalculator(const NumberFormat& f)
        : calc(f) {
        calc.Form_Load();
        press(calc, "#");
    }
};

struct SequenceCase {
    const char* presses;
    const char* caption;
    int operandCount = -1; // -1: not checked
    const char* lastInput = nullptr;
    const char* pendingOperator = nullptr;
};

void PrintTo(const SequenceCase& c, std::ostream* os) {
    *os << c.presses << " -> " << c.caption;
}

class Sequence : public testing::TestWithParam<SequenceCase> { };

TEST_P(Sequence, ShowsAndLeaves) {
    const auto& c = GetParam();
    for (const NumberFormat* f : {&de, &en}) {
        RawCalculator r(*f);
        press(r.calc, c.presses);
        const CalcState& s = r.calc.state();
        EXPECT_EQ(r.calc.form().caption(Ctl::Readout), withSeparator(c.caption, *f)) << c.presses;
        if (c.operandCount >= 0)
            EXPECT_EQ(s.OperandCount, c.operandCount) << c.presses;
        if (c.lastInput)
            EXPECT_EQ(s.LastInput, c.lastInput) << c.presses;
        if (c.pendingOperator)
            EXPECT_EQ(s.PendingOperator, c.pendingOperator) << c.presses;
    }
}

INSTANTIATE_TEST_SUITE_P(Chaining, Sequence,
    testing::Values(SequenceCase {"5 + 3 =", "8", 1, "OPS", "="},
        SequenceCase {"5 + 3 +", "8", 1, "OPS", "+"}, SequenceCase {"5 + 3 + 2 =", "10"},
        SequenceCase {"5 + =", "5|", 1, "OPS", "="}, SequenceCase {"5 +", "5|", 1, "OPS", "+"},
        SequenceCase {"5 + 3 = =", "8", 1, "OPS", "="}, SequenceCase {"1 / 3 =", "0|333333333333333"},
        SequenceCase {"8 / 0 = 5 + 1 =", "6"}, SequenceCase {"5 = - 3 =", "2"},
        SequenceCase {"5 + 3 X 2 - 4 / 2 =", "6"}, SequenceCase {"2 . 5 X 4 =", "10"},
        SequenceCase {". 1 + . 2 =", "0|3"}),
    RowName {});

INSTANTIATE_TEST_SUITE_P(SignRule, Sequence,
    testing::Values(SequenceCase {"- 5 + 3 =", "-2"}, SequenceCase {"-", "-0|", 0, "NEG", " "},
        SequenceCase {"- -", "-0|", 0, "NEG", " "}, SequenceCase {"5 X - 3 =", "-15"},
        SequenceCase {"5 X -", "-", 1, "NEG", "X"}, SequenceCase {"- . 5 X 2 =", "-1"},
        SequenceCase {"5 X - +", "-", 1, "NEG", "X"}),
    RowName {});

INSTANTIATE_TEST_SUITE_P(Percent, Sequence,
    testing::Values(SequenceCase {"200 + 10 %", "20", 2, "Ops", "+"}, SequenceCase {"200 + 10 % =", "220"},
        SequenceCase {"200 - 10 % =", "180"}, SequenceCase {"200 X 10 % =", "4000"},
        SequenceCase {"200 / 10 % =", "10"}, SequenceCase {"10 %", "10|", 0, "NUMS", " "},
        SequenceCase {"200 + 10 % %", "20", 2, "Ops", "+"},
        SequenceCase {"200 + 10 % 5 =", "5|", 3, "OPS", "="}, SequenceCase {"200 + 10 % + 1 =", "221"}),
    RowName {});

INSTANTIATE_TEST_SUITE_P(DivisionAndErrors, Sequence,
    testing::Values(SequenceCase {"8 / 0 =", "Division durch 0", 1, "OPS", "="},
        SequenceCase {"9 / . 0 0 =", "Division durch 0"}, SequenceCase {"9 / - 0 =", "Division durch 0"},
        SequenceCase {"8 / 0 = / 0 =", "Division durch 0"},
        SequenceCase {"8 / 0 + 5 =", "Fehler", 2, "NUMS", "+"}, SequenceCase {"8 / 0 = + 1 =", "Fehler"},
        SequenceCase {"5 + - - 3 =", "Fehler"}, SequenceCase {"8 / 0 + 5 = 1 = 2 +", "2|", 4, "OPS", "+"},
        // The decimal point draws the number again in place of the error word.
        SequenceCase {"8 / 0 + 5 = .", "5|", 2, "NUMS", "+"},
        // The operator after a conversion of the number being typed fails: the point ends
        // the converted number's whole-number part.
        SequenceCase {"8 / 0 + 1 . 9 5 5 8 3 EUR + . 5", "1|5", 2, "NUMS", "+"}),
    RowName {});

INSTANTIATE_TEST_SUITE_P(ClearAndClearEntry, Sequence,
    testing::Values(SequenceCase {"5 + 3 C", "0|", 0, "NONE", " "}, SequenceCase {"5 + 3 C 2 =", "2|"},
        SequenceCase {"5 + 3 CE 4 =", "9"}, SequenceCase {"5 + 3 CE =", "0|"},
        SequenceCase {"8 / 0 + 5 = C 2 + 3 =", "5"}, SequenceCase {"5 . 2 CE 7", "7|"},
        SequenceCase {"200 + 10 % 5 = C 1 + 1 =", "2"}, SequenceCase {"5 + 3 CE", "0|", 1, "CE", "+"}),
    RowName {});

TEST(ErrorPath, KeepsTheOperandsAndTheEntry) {
    RawCalculator r(de);
    press(r.calc, "8 / 0 + 5 =");
    const CalcState& s = r.calc.state();
    EXPECT_EQ(s.FirstOperand, CalcValue("Division durch 0"));
    EXPECT_EQ(s.SecondOperand, CalcValue("5,"));
    EXPECT_EQ(s.ReadoutText, CalcValue("5,"));
    press(r.calc, "# #");
    EXPECT_EQ(r.calc.form().caption(Ctl::Readout), "5,");
}

TEST(ErrorPath, MultiplicationBeyondTheRangeKeepsTheLeftOperand) {
    RawCalculator r(de);
    const std::string n = "99999999999999999999999";
    std::string presses;
    for (int i = 0; i < 13; ++i)
        presses += n + " X ";
    press(r.calc, presses);
    const CalcValue before = r.calc.state().FirstOperand;
    ASSERT_TRUE(before.isNumber());
    EXPECT_GT(before.number(), 9e298);
    press(r.calc, n + " =");
    EXPECT_EQ(r.calc.form().caption(Ctl::Readout), "Fehler");
    EXPECT_EQ(r.calc.state().FirstOperand, before);
    EXPECT_EQ(r.calc.state().PendingOperator, "X");
}

struct FaultCase {
    const char* op;
    double first, second;
    bool fault;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.first << ' ' << c.op << ' ' << c.second;
}

class Arithmetic : public testing::TestWithParam<FaultCase> { };

// Overflow, invalid operation and division by zero are faults; underflow and inexact
// results are not.
TEST_P(Arithmetic, FaultsTakeTheErrorPath) {
    const auto& c = GetParam();
    RawCalculator r(de);
    CalcState& s = r.calc.state();
    s.FirstOperand = c.first;
    s.ReadoutText = c.second;
    s.OperandCount = 1;
    s.PendingOperator = c.op;
    s.LastInput = "NUMS";
    press(r.calc, "=");
    EXPECT_EQ(r.calc.form().caption(Ctl::Readout) == "Fehler", c.fault);
    EXPECT_EQ(s.FirstOperand.isNumber() && s.FirstOperand.number() == c.first, c.fault);
    EXPECT_EQ(s.OperandCount, c.fault ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(Status, Arithmetic,
    testing::Values(FaultCase {"+", 1e308, 1e308, true}, FaultCase {"-", -1e308, 1e308, true},
        FaultCase {"X", 1e200, 1e200, true}, FaultCase {"/", 1e300, 1e-300, true},
        FaultCase {"X", 1e-200, 1e-200, false}, FaultCase {"/", 1e-300, 1e300, false},
        FaultCase {"+", 0.1, 0.2, false}, FaultCase {"X", -1e154, 1e154, false}),
    RowName {});

TEST(ErrorPath, CounterOverflowLeavesTheCount) {
    RawCalculator r(de);
    press(r.calc, "7 + 5");
    CalcState& s = r.calc.state();
    s.OperandCount = std::numeric_limits<std::int16_t>::max();
    r.calc.form().setEnabled(Ctl::EDM, false);
    s.ResultShown = true;
    press(r.calc, "+");
    EXPECT_EQ(r.calc.form().caption(Ctl::Readout), "Fehler");
    EXPECT_EQ(s.OperandCount, 32767);
    EXPECT_EQ(s.LastInput, "NUMS");
    EXPECT_EQ(s.PendingOperator, "+");
    EXPECT_EQ(s.PreviousReadout, CalcValue("5,"));
    EXPECT_FALSE(s.ResultShown);
    EXPECT_TRUE(r.calc.form().control(Ctl::EDM).enabled);
}

TEST(PercentError, LeavesEveryField) {
    struct Setup {
        CalcValue first, entered;
    };
    for (const Setup& setup : {Setup {"Division durch 0", "5,"}, Setup {"-", "5,"}, Setup {1e300, "1e10"}}) {
        RawCalculator r(de);
        CalcState& s = r.calc.state();
        s.FirstOperand = setup.first;
        s.ReadoutText = setup.entered;
        s.OperandCount = 1;
        s.LastInput = "NUMS";
        s.PendingOperator = "+";
        const CalcState before = s;
        press(r.calc, "%");
        EXPECT_EQ(r.calc.form().caption(Ctl::Readout), "Fehler");
        EXPECT_EQ(s, before);
    }
}

TEST(ConversionButtons, EnabledByOperatorsAndClearsNotByPercent) {
    RawCalculator r(de);
    Form& form = r.calc.form();
    for (const char* presses : {"+", "CE", "C"}) {
        form.setEnabled(Ctl::DME, false);
        form.setEnabled(Ctl::EDM, false);
        press(r.calc, std::string("5 ") + presses);
        EXPECT_TRUE(form.control(Ctl::DME).enabled && form.control(Ctl::EDM).enabled) << presses;
    }
    press(r.calc, "200 + 10");
    form.setEnabled(Ctl::DME, false);
    press(r.calc, "%");
    EXPECT_FALSE(form.control(Ctl::DME).enabled);
    EXPECT_TRUE(form.control(Ctl::EDM).enabled);
}

TEST(Clear, FocusGoesToEqualsOnlyOnC) {
    RawCalculator r(de);
    r.calc.form().setFocus(Ctl::Num7);
    press(r.calc, "CE");
    EXPECT_EQ(r.calc.form().focus(), Ctl::Num7);
    press(r.calc, "C");
    EXPECT_EQ(r.calc.form().focus(), Ctl::Equals);
}

bool allowed(const CalcState& s) {
    static const std::vector<std::string> inputs {"NONE", "NUMS", "OPS", "NEG", "CE", "Ops"};
    static const std::vector<std::string> operators {" ", "+", "-", "X", "/", "="};
    return (s.DecimalEntered == 0 || s.DecimalEntered == -1) && s.OperandCount >= 0
        && std::find(inputs.begin(), inputs.end(), s.LastInput) != inputs.end()
        && std::find(operators.begin(), operators.end(), s.PendingOperator) != operators.end();
}

// Whatever came before, C leaves the engine as a fresh start would, apart from the
// operands it sets to 0 and what it leaves alone (the previous readout, the check box).
TEST(Clear, AfterAnySequenceIsAFreshStart) {
    static const std::vector<std::string> tokens {
        "0", "1", "5", "9", ".", "+", "-", "X", "/", "=", "%", "CE", "C", "#"};
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, tokens.size() - 1), length(1, 30);
    for (int run = 0; run < 2000; ++run) {
        Calculator calc(de);
        calc.Form_Load();
        std::string presses;
        for (std::size_t n = length(random); n > 0; --n) {
            const std::string& token = tokens[pick(random)];
            presses += token + ' ';
            press(calc, token);
            ASSERT_TRUE(allowed(calc.state())) << presses;
        }
        press(calc, "C");
        Calculator fresh(de);
        fresh.Form_Load();
        fresh.form().setValue(Ctl::Digits2, calc.form().control(Ctl::Digits2).value);
        CalcState expected = fresh.state();
        expected.FirstOperand = 0.0;
        expected.SecondOperand = 0.0;
        expected.PreviousReadout = calc.state().PreviousReadout;
        ASSERT_EQ(calc.state(), expected) << presses;
        for (Ctl c : {Ctl::Readout, Ctl::Label2, Ctl::DME, Ctl::EDM}) {
            EXPECT_EQ(calc.form().caption(c), fresh.form().caption(c)) << presses;
            EXPECT_EQ(calc.form().control(c).toolTip, fresh.form().control(c).toolTip) << presses;
            EXPECT_EQ(calc.form().control(c).enabled, fresh.form().control(c).enabled) << presses;
        }
        ASSERT_EQ(calc.form().focus(), Ctl::Equals) << presses;
    }
}

} // namespace
} // namespace tarvelio
