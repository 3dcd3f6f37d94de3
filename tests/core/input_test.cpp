// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"
#include "core/input/keycodes.h"
#include "core/input/memoryclipboard.h"
#include "presses.h"
#include "rowname.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvelio {
namespace {

using testing_support::press;

const NumberFormat de = NumberFormat::german();
const NumberFormat en = NumberFormat::english();

struct Desk {
    MemoryClipboard clipboard;
    Calculator calc;
    explicit Desk(const NumberFormat& f = de)
        : calc(f) {
        calc.setClipboard(&clipboard);
        calc.Form_Load();
    }
    void key(int code) {
        std::int16_t c = static_cast<std::int16_t>(code);
        calc.HandleKey(c);
        EXPECT_EQ(c, code) << "the key map never changes the code";
    }
    void keys(const std::string& text) {
        for (unsigned char ch : text)
            key(ch);
    }
    std::string readout() { return textOf(calc.state().ReadoutText, calc.format()); }
    const std::string& caption() { return calc.form().caption(Ctl::Readout); }
};

struct KeyCase {
    const char* presses;
    int code;
    const char* readout;
    const char* lastInput;
    const char* pending;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.presses << " key " << c.code;
}

class KeyMap : public testing::TestWithParam<KeyCase> { };

// Each mapped key runs the click handler of its control; the focus ends on "=".
TEST_P(KeyMap, RunsTheHandlerAndParksTheFocus) {
    const auto& c = GetParam();
    Desk d;
    press(d.calc, c.presses);
    d.calc.form().setFocus(Ctl::Cancel);
    d.key(c.code);
    EXPECT_EQ(d.readout(), c.readout);
    EXPECT_EQ(d.calc.state().LastInput, c.lastInput);
    EXPECT_EQ(d.calc.state().PendingOperator, c.pending);
    EXPECT_EQ(d.calc.form().focus(), Ctl::Equals);
}

INSTANTIATE_TEST_SUITE_P(Characters, KeyMap,
    testing::Values(KeyCase {"", '0', "0,", "NUMS", " "}, KeyCase {"", '5', "5,", "NUMS", " "},
        KeyCase {"", '9', "9,", "NUMS", " "}, KeyCase {"5", ',', "5,", "NUMS", " "},
        KeyCase {"", '.', "0,", "NUMS", " "}, KeyCase {"6", '+', "6,", "OPS", "+"},
        KeyCase {"6", '-', "6,", "OPS", "-"}, KeyCase {"6", '*', "6,", "OPS", "X"},
        KeyCase {"6", '/', "6,", "OPS", "/"}, KeyCase {"6 + 2", '=', "8", "OPS", "="},
        KeyCase {"200 + 10", '%', "20", "Ops", "+"}, KeyCase {"5 + 3", 'C', "0,", "NONE", " "},
        KeyCase {"5 + 3", 'c', "0,", "NONE", " "}, KeyCase {"5 + 3", 'E', "0,", "CE", "+"},
        KeyCase {"5 + 3", 'e', "0,", "CE", "+"}, KeyCase {"100", 'D', "195,583", "NUMS", " "},
        KeyCase {"100", 'd', "195,583", "NUMS", " "}, KeyCase {"5", 'R', "5,", "NUMS", " "},
        KeyCase {"5", 'r', "5,", "NUMS", " "}, KeyCase {"5", keys::kCopy, "5,", "NUMS", " "},
        KeyCase {"5", keys::kPaste, "5,", "NUMS", " "}),
    RowName {});

class UnmappedKey : public testing::TestWithParam<int> { };

TEST_P(UnmappedKey, ChangesNothing) {
    Desk d;
    press(d.calc, "5 + 3");
    d.calc.form().setFocus(Ctl::Num7);
    const CalcState before = d.calc.state();
    const std::string caption = d.caption();
    d.key(GetParam());
    EXPECT_EQ(d.calc.state(), before);
    EXPECT_EQ(d.caption(), caption);
    EXPECT_EQ(d.calc.form().focus(), Ctl::Num7);
}

INSTANTIATE_TEST_SUITE_P(Codes, UnmappedKey,
    testing::Values(0, 1, 2, 8, 9, 13, 27, 32, 127, 'x', 'X', 'a', 'Z', 'f', 'F', 129, 228, 255, -1),
    RowName {});

TEST(KeyMap, ConversionKeysOnlyWhileTheirButtonIsEnabled) {
    Desk d;
    d.keys("100");
    d.calc.form().setFocus(Ctl::Num7);
    d.key(keys::kEuro); // DME is enabled: 100 national units to Euro
    EXPECT_EQ(d.calc.state().ReadoutText, CalcValue(100 / 1.95583));
    EXPECT_EQ(d.calc.form().focus(), Ctl::Equals);
    d.calc.form().setFocus(Ctl::Num7);
    const CalcState before = d.calc.state();
    d.key(keys::kEuro); // now disabled: nothing at all, the focus stays
    EXPECT_EQ(d.calc.state(), before);
    EXPECT_EQ(d.calc.form().focus(), Ctl::Num7);
    d.key('D');
    EXPECT_DOUBLE_EQ(d.calc.state().ReadoutText.number(), 100);
    d.calc.form().setFocus(Ctl::Num7);
    d.key('d');
    EXPECT_EQ(d.calc.form().focus(), Ctl::Num7);
}

TEST(KeyMap, RTogglesTheTwoDecimalDisplay) {
    Desk d;
    d.keys("1234,5");
    EXPECT_EQ(d.caption(), "1.234,50");
    d.key('R');
    EXPECT_EQ(d.calc.form().control(Ctl::Digits2).value, 0);
    EXPECT_EQ(d.caption(), "1234,5");
    d.key('r');
    EXPECT_EQ(d.caption(), "1.234,50");
}

TEST(KeyMap, TypedCalculation) {
    Desk d;
    d.calc.form().setFocus(Ctl::Num3);
    d.keys("12+3=");
    EXPECT_EQ(d.caption(), "15,00");
    d.keys("2*3-1/5=");
    EXPECT_EQ(d.caption(), "1,00");
    d.keys("Cxe");
    EXPECT_EQ(d.caption(), "0,00");
}

TEST(Copy, PutsTheCaptionAsShown) {
    struct Case {
        CalcValue readout;
        const char* copied;
    };
    for (const Case& c : {Case {"1234,5678", "1.234,57"}, Case {1e11, "\u00DCberlauf"},
             Case {"Division durch 0", "Division durch 0"}}) {
        Desk d;
        d.calc.state().ReadoutText = c.readout;
        d.calc.chkdig2();
        d.calc.form().setEnabled(Ctl::EDM, false);
        const std::string caption = d.caption();
        d.key(keys::kCopy);
        EXPECT_EQ(d.clipboard.content, c.copied);
        EXPECT_EQ(d.caption(), caption);
        EXPECT_EQ(d.calc.state().ReadoutText, c.readout);
        EXPECT_TRUE(d.calc.state().ResultShown);
        EXPECT_TRUE(d.calc.form().control(Ctl::EDM).enabled);
    }
}

TEST(Copy, ErrorWordAndNextDigitStartsAfresh) {
    Desk d;
    d.keys("8/0+5=");
    EXPECT_EQ(d.caption(), "Fehler");
    d.key(keys::kCopy);
    EXPECT_EQ(d.clipboard.content, "Fehler");
    const CalcState before = d.calc.state();
    d.key(keys::kPaste);
    EXPECT_EQ(d.calc.state(), before);
    d.keys("C12");
    d.key(keys::kCopy);
    d.key('7');
    EXPECT_EQ(d.readout(), "7,");
}

TEST(Copy, UnwritableClipboardMarksNothing) {
    Desk d;
    d.keys("42");
    d.calc.form().setEnabled(Ctl::EDM, false);
    d.clipboard.writable = false;
    const CalcState before = d.calc.state();
    d.key(keys::kCopy);
    EXPECT_EQ(d.calc.state(), before);
    EXPECT_FALSE(d.calc.form().control(Ctl::EDM).enabled);
    EXPECT_EQ(d.calc.form().focus(), Ctl::Equals);
}

struct PasteCase {
    std::string text;
    bool german;
    bool accepted;
    const char* raw; // the caption with two decimals off, when accepted
    const char* ticked; // the caption with two decimals on
};

void PrintTo(const PasteCase& c, std::ostream* os) {
    *os << '"' << c.text.substr(0, 40) << '"';
}

class Paste : public testing::TestWithParam<PasteCase> { };

TEST_P(Paste, AcceptsNumbersOnly) {
    const auto& c = GetParam();
    Desk d(c.german ? de : en);
    d.keys("7+");
    d.calc.form().setEnabled(Ctl::DME, false);
    d.clipboard.content = c.text;
    const CalcState before = d.calc.state();
    const std::string caption = d.caption();
    d.key(keys::kPaste);
    if (!c.accepted) {
        EXPECT_EQ(d.calc.state(), before);
        EXPECT_EQ(d.caption(), caption);
        EXPECT_FALSE(d.calc.form().control(Ctl::DME).enabled);
        return;
    }
    const CalcState& s = d.calc.state();
    EXPECT_EQ(s.ReadoutText, CalcValue(c.text));
    EXPECT_EQ(s.DecimalEntered, -1);
    EXPECT_EQ(s.LastInput, "NUMS");
    EXPECT_TRUE(s.ResultShown);
    EXPECT_EQ(s.FirstOperand, before.FirstOperand);
    EXPECT_EQ(s.PendingOperator, "+");
    EXPECT_TRUE(d.calc.form().control(Ctl::DME).enabled);
    EXPECT_EQ(d.caption(), c.ticked);
    d.key('r');
    if (c.raw)
        EXPECT_EQ(d.caption(), c.raw);
}

INSTANTIATE_TEST_SUITE_P(German, Paste,
    testing::Values(PasteCase {"1.234,56", true, true, "1.234,56", "1.234,56"},
        PasteCase {"1.5", true, true, "1.5", "15,00"}, PasteCase {" 12 ", true, true, " 12 ", "12,00"},
        PasteCase {"\t12\r\n", true, true, "\t12\r\n", "12,00"},
        PasteCase {"\u00A012\u00A0", true, true, "\u00A012\u00A0", "12,00"},
        PasteCase {"-3,5e2", true, true, "-3,5e2", "-350,00"},
        PasteCase {
            "123456789012345678901234567890", true, true, "123456789012345678901234567890", "\u00DCberlauf"},
        PasteCase {"abc", true, false}, PasteCase {"", true, false}, PasteCase {"12a", true, false},
        PasteCase {"1,2,3", true, false}, PasteCase {"\u00DCberlauf", true, false},
        PasteCase {"Fehler", true, false}, PasteCase {"NaN", true, false}, PasteCase {"inf", true, false},
        PasteCase {"1e400", true, false}, PasteCase {std::string("12\0", 3), true, false},
        PasteCase {std::string("\0", 1), true, false},
        PasteCase {"\xFF\xFE"
                   "12",
            true, false},
        PasteCase {"\u0661\u0662", true, false}, PasteCase {"\uFF11\uFF12", true, false},
        PasteCase {"\u200F12", true, false}, PasteCase {"1 2", true, false}),
    RowName {});

INSTANTIATE_TEST_SUITE_P(English, Paste,
    testing::Values(PasteCase {"1,234.56", false, true, "1,234.56", "1,234.56"},
        PasteCase {"1.5", false, true, "1.5", "1.50"}, PasteCase {"1,5", false, true, "1,5", "15.00"},
        PasteCase {"1.2.3", false, false}),
    RowName {});

// The tool tip of a pasted megabyte holds its start and its end, not all of it.
TEST(Paste, LongNumberToolTipShowsItsStartAndEnd) {
    Desk d(de);
    d.clipboard.content = "1," + std::string(998, '2') + "3";
    d.key(keys::kPaste);
    EXPECT_EQ(d.calc.form().control(Ctl::Readout).toolTip,
        "1," + std::string(198, '2') + " \u2026 " + std::string(199, '2') + "3");
}

TEST(Paste, TakesPartInThePendingOperation) {
    Desk d;
    d.keys("7+");
    d.clipboard.content = "3";
    d.key(keys::kPaste);
    d.key('=');
    EXPECT_EQ(d.caption(), "10,00");
    d.clipboard.content = "42";
    d.key(keys::kPaste);
    d.key('5');
    EXPECT_EQ(d.readout(), "5,");
}

TEST(Paste, UnreadableOrEmptyClipboardChangesNothing) {
    for (std::optional<std::string> content :
        {std::optional<std::string>(), std::optional<std::string>("")}) {
        Desk d;
        d.keys("9");
        d.calc.form().setEnabled(Ctl::EDM, false);
        d.clipboard.content = content;
        const CalcState before = d.calc.state();
        d.key(keys::kPaste);
        EXPECT_EQ(d.calc.state(), before);
        EXPECT_FALSE(d.calc.form().control(Ctl::EDM).enabled);
    }
}

TEST(Paste, HostileSizes) {
    struct Case {
        std::string text;
        bool accepted;
    };
    const Case cases[] = {
        {std::string(10'000'000, 'a'), false},
        {std::string(10'000'000, ' '), false},
        {std::string(1'000'000, '0') + "1", true},
        {"1" + std::string(1'000'000, '0'), false},
        {std::string(5'000'000, ' ') + "7" + std::string(5'000'000, ' '), true},
    };
    for (const Case& c : cases) {
        Desk d;
        d.clipboard.content = c.text;
        d.key(keys::kPaste);
        EXPECT_EQ(d.calc.state().LastInput == "NUMS", c.accepted) << c.text.size();
        if (c.accepted) {
            EXPECT_EQ(d.calc.state().ReadoutText.text().size(), c.text.size());
            d.key(keys::kCopy);
            EXPECT_EQ(d.clipboard.content, d.caption());
        }
    }
}

} // namespace
} // namespace tarvelio
