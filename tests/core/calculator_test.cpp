// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"
#include "core/window/layout.h"
#include "presses.h"
#include "rowname.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvelio {
namespace {

const NumberFormat de = NumberFormat::german();
const NumberFormat en = NumberFormat::english();

using testing_support::press;
using testing_support::withSeparator;

struct ReadoutCase {
    CalcValue readout;
    int digits2;
    const char* caption;
    const char* toolTip;
};

void PrintTo(const ReadoutCase& c, std::ostream* os) {
    *os << c.caption << (c.digits2 ? " ticked" : "");
}

class Readout : public testing::TestWithParam<ReadoutCase> { };

TEST_P(Readout, CaptionAndToolTip) {
    const auto& c = GetParam();
    Calculator calc(de);
    calc.Form_Load();
    calc.form().setValue(Ctl::Digits2, c.digits2);
    const CalcState before = calc.state();
    calc.state().ReadoutText = c.readout;
    calc.chkdig2();
    EXPECT_EQ(calc.form().caption(Ctl::Readout), c.caption);
    EXPECT_EQ(calc.form().control(Ctl::Readout).toolTip, c.toolTip);
    calc.state().ReadoutText = before.ReadoutText;
    EXPECT_EQ(calc.state(), before);
}

INSTANTIATE_TEST_SUITE_P(German, Readout,
    testing::Values(ReadoutCase {"0,", 0, "0,", ""}, ReadoutCase {"0,", 1, "0,00", "0,"},
        ReadoutCase {"1234567,", 1, "1.234.567,00", "1234567,"}, ReadoutCase {2.5, 0, "2,5", ""},
        ReadoutCase {9999999999.994, 1, "9.999.999.999,99", "9999999999,994"},
        ReadoutCase {10000000000.0, 1, "\u00DCberlauf", "10000000000"},
        ReadoutCase {-999999999.5, 1, "-999.999.999,50", "-999999999,5"},
        ReadoutCase {"Division durch 0", 1, "Division durch 0", "Division durch 0"},
        ReadoutCase {"-", 1, "-", "-"},
        ReadoutCase {"12345678901234567890123,", 0, "12345678901234567890123,", ""},
        ReadoutCase {"1.5", 1, "15,00", "1.5"}, ReadoutCase {977.915, 1, "977,92", "977,915"},
        ReadoutCase {"Division durch 0 und mehr", 1, "\u00DCberlauf", "Division durch 0 und mehr"}),
    RowName {});

TEST(Readout, TickingTwiceGivesTheCaptionBack) {
    Calculator calc(de);
    calc.Form_Load();
    press(calc, "1234 . 5");
    const CalcState before = calc.state();
    const std::string caption = calc.form().caption(Ctl::Readout);
    calc.form().userClick(Ctl::Digits2);
    EXPECT_EQ(calc.form().caption(Ctl::Readout), "1234,5");
    calc.form().userClick(Ctl::Digits2);
    EXPECT_EQ(calc.form().caption(Ctl::Readout), caption);
    EXPECT_EQ(calc.state(), before);
}

TEST(Readout, EnglishSeparators) {
    Calculator calc(en);
    calc.Form_Load();
    EXPECT_EQ(calc.form().caption(Ctl::Readout), "0.00");
    press(calc, "1234567 . 891");
    EXPECT_EQ(calc.form().caption(Ctl::Readout), "1,234,567.89");
    EXPECT_EQ(calc.form().control(Ctl::Readout).toolTip, "1234567.891");
}

struct EntryCase {
    const char* presses;
    const char* readout; // '|' is the decimal separator
    int decimalEntered;
};

void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << c.presses;
}

class Entry : public testing::TestWithParam<EntryCase> { };

TEST_P(Entry, BuildsTheNumber) {
    const auto& c = GetParam();
    for (const NumberFormat* f : {&de, &en}) {
        Calculator calc(*f);
        calc.Form_Load();
        press(calc, c.presses);
        EXPECT_EQ(textOf(calc.state().ReadoutText, *f), withSeparator(c.readout, *f)) << c.presses;
        EXPECT_EQ(calc.state().DecimalEntered, c.decimalEntered) << c.presses;
        EXPECT_EQ(calc.state().LastInput, "NUMS");
    }
}

INSTANTIATE_TEST_SUITE_P(Presses, Entry,
    testing::Values(EntryCase {"5", "5|", 0}, EntryCase {"5 3", "53|", 0}, EntryCase {"5 3 . 7", "53|7", -1},
        EntryCase {".", "0|", -1}, EntryCase {". 5", "0|5", -1}, EntryCase {"0 0 7", "007|", 0},
        EntryCase {"5 . . 2", "5|2", -1}, EntryCase {"- 5", "-5|", 0}, EntryCase {"- . 5", "-0|5", -1},
        EntryCase {"111111111111111111111111111111", "11111111111111111111111|", 0},
        EntryCase {"- 111111111111111111111111111111", "-1111111111111111111111|", 0},
        EntryCase {". 1111111111111111111111111111", "0|1111111111111111111111", -1}),
    RowName {});

TEST(Entry, DigitAfterAResultStartsAfreshAndEnablesBothConversions) {
    Calculator calc(de);
    calc.Form_Load();
    calc.state().ReadoutText = 195.583;
    calc.state().ResultShown = true;
    calc.form().setEnabled(Ctl::EDM, false);
    press(calc, "7");
    EXPECT_EQ(textOf(calc.state().ReadoutText, de), "7,");
    EXPECT_FALSE(calc.state().ResultShown);
    EXPECT_TRUE(calc.form().control(Ctl::DME).enabled);
    EXPECT_TRUE(calc.form().control(Ctl::EDM).enabled);
}

TEST(Entry, DecimalPointAfterAResultStartsFromZero) {
    Calculator calc(de);
    calc.Form_Load();
    calc.state().ReadoutText = 195.583;
    calc.state().ResultShown = true;
    calc.state().LastInput = "NUMS";
    calc.form().setEnabled(Ctl::DME, false);
    press(calc, ". 5");
    EXPECT_EQ(textOf(calc.state().ReadoutText, de), "0,5");
    EXPECT_TRUE(calc.form().control(Ctl::DME).enabled);
}

TEST(Entry, DigitAtTheLimitChangesNothingButTheInputKind) {
    Calculator calc(de);
    calc.Form_Load();
    press(calc, "11111111111111111111111");
    calc.state().LastInput = "NUMS";
    const std::string caption = calc.form().caption(Ctl::Readout);
    press(calc, "2");
    EXPECT_EQ(calc.form().caption(Ctl::Readout), caption);
    EXPECT_EQ(textOf(calc.state().ReadoutText, de).size(), 24u);
}

// A number without a separator, under entry: all of it is the whole-number part.
TEST(Entry, NumberWithoutSeparatorKeepsEveryDigit) {
    for (CalcValue held : {CalcValue("1955"), CalcValue(1955.0)}) {
        Calculator calc(de);
        calc.Form_Load();
        calc.state().ReadoutText = held;
        calc.state().LastInput = "NUMS";
        press(calc, "7");
        EXPECT_EQ(textOf(calc.state().ReadoutText, de), "19557,");
        press(calc, ". 2");
        EXPECT_EQ(textOf(calc.state().ReadoutText, de), "19557,2");
    }
}

TEST(StartUp, StateCaptionFocusAndVisibility) {
    Calculator calc(de);
    EXPECT_FALSE(calc.form().windowVisible());
    calc.Form_Load();
    const CalcState& s = calc.state();
    EXPECT_EQ(s.DecimalEntered, 0);
    EXPECT_EQ(s.OperandCount, 0);
    EXPECT_EQ(s.LastInput, "NONE");
    EXPECT_EQ(s.PendingOperator, " ");
    EXPECT_EQ(s.ReadoutText, CalcValue("0,"));
    EXPECT_FALSE(s.ResultShown);
    EXPECT_TRUE(s.FirstOperand.isEmpty());
    EXPECT_TRUE(calc.form().windowVisible());
    EXPECT_EQ(calc.form().caption(Ctl::Readout), "0,00");
    EXPECT_EQ(calc.form().control(Ctl::Readout).toolTip, "0,");
    EXPECT_EQ(calc.form().caption(Ctl::Label2), "");
    EXPECT_EQ(calc.form().focus(), Ctl::Equals);
    int visible = 0;
    for (std::size_t i = 0; i < kControlCount; ++i)
        visible += calc.form().control(static_cast<Ctl>(i)).visible;
    EXPECT_EQ(visible, 27);
    EXPECT_FALSE(calc.form().control(Ctl::Combo1).visible);
    EXPECT_FALSE(calc.form().control(Ctl::Picture1).visible);
}

TEST(StartUp, LoadAgainResetsTheEntryAndKeepsTheCheckBox) {
    Calculator calc(de);
    calc.Form_Load();
    calc.form().userClick(Ctl::Digits2);
    press(calc, "4 2 . 5");
    calc.form().setFocus(Ctl::Num4);
    calc.Form_Load();
    EXPECT_EQ(calc.state().ReadoutText, CalcValue("0,"));
    EXPECT_EQ(calc.state().LastInput, "NONE");
    EXPECT_EQ(calc.state().DecimalEntered, 0);
    EXPECT_EQ(calc.form().caption(Ctl::Readout), "0,");
    EXPECT_EQ(calc.form().focus(), Ctl::Equals);
    EXPECT_EQ(calc.form().control(Ctl::Digits2).value, 0);
}

class RecordingSurface final : public PaintSurface {
public:
    RecordingSurface(float w, float h, float pw, float ph)
        : width(w)
        , height(h)
        , pictureW(pw)
        , pictureH(ph) { }
    float scaleWidth() const override { return width; }
    float scaleHeight() const override { return height; }
    float pictureWidth() const override { return pictureW; }
    float pictureHeight() const override { return pictureH; }
    void paintPicture(float x, float y, float w, float h) override {
        EXPECT_EQ(w, pictureW);
        EXPECT_EQ(h, pictureH);
        tiles.push_back({x, y});
    }
    float width, height, pictureW, pictureH;
    std::vector<std::pair<float, float>> tiles;
};

struct TileCase {
    float width, height, pictureWidth, pictureHeight;
    std::size_t tiles;
};

void PrintTo(const TileCase& c, std::ostream* os) {
    *os << c.width << 'x' << c.height;
}

class Tiling : public testing::TestWithParam<TileCase> { };

TEST_P(Tiling, CoversTheClientArea) {
    const auto& c = GetParam();
    RecordingSurface surface(c.width, c.height, c.pictureWidth, c.pictureHeight);
    Calculator calc(de);
    calc.Form_Load();
    calc.Form_Paint(surface);
    ASSERT_EQ(surface.tiles.size(), c.tiles);
    if (!surface.tiles.empty()) {
        EXPECT_EQ(surface.tiles.front(), std::make_pair(0.0f, 0.0f));
        // Row by row from the top, left to right within a row.
        for (std::size_t i = 1; i < surface.tiles.size(); ++i) {
            const auto& [x, y] = surface.tiles[i];
            const auto& [px, py] = surface.tiles[i - 1];
            EXPECT_TRUE((y == py && x == px + c.pictureWidth) || (x == 0 && y == py + c.pictureHeight));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, Tiling,
    testing::Values(TileCase {3270, 2535, 3270, 2535, 1}, TileCase {3271, 2535, 3270, 2535, 2},
        TileCase {6540, 2535, 3270, 2535, 2}, TileCase {6541, 5071, 3270, 2535, 9},
        TileCase {9810, 7605, 3270, 2535, 9}, TileCase {15, 15, 3270, 2535, 1},
        TileCase {0, 2535, 3270, 2535, 0}, TileCase {3270, 2535, 0, 2535, 0},
        TileCase {3270, 2535, -5, 2535, 0}),
    RowName {});

} // namespace
} // namespace tarvelio
