// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"
#include "core/currency/currencytable.h"
#include "core/input/keycodes.h"
#include "presses.h"
#include "rowname.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvelio {
namespace {

using testing_support::press;

const NumberFormat de = NumberFormat::german();

struct Started {
    Calculator calc {de};
    Started() { calc.Form_Load(); }
    Form& form() { return calc.form(); }
    const CalcState& state() { return calc.state(); }
    const CurrencyState& currency() { return calc.currency(); }
    double readout() { return calc.state().ReadoutText.number(); }
    const std::string& caption(Ctl c) { return calc.form().caption(c); }
    // Opens the chooser as the right-button press on "DM" does, and chooses a list position.
    void choose(int position) {
        if (!form().control(Ctl::Combo1).visible)
            EXPECT_TRUE(calc.EdmRightButtonDown());
        form().userSelect(Ctl::Combo1, position);
    }
};

TEST(CurrencyTable, BuiltOnceInTheChoosersOrder) {
    Started s;
    const std::vector<std::string> codes {
        "ATS", "BEF", "DEM", "ESP", "FIM", "FRF", "GRD", "IED", "ITL", "LUF", "NLG", "PTE", "DM"};
    EXPECT_EQ(s.currency().CurrencyCodes, codes);
    EXPECT_EQ(s.form().control(Ctl::Combo1).items, codes);
    EXPECT_EQ(s.currency().CurrencyRates.size(), 12u);
    EXPECT_EQ(s.currency().CurrencyNames.size(), 12u);
    EXPECT_EQ(s.currency().CurrencyNames[4], "Finmark");
    EXPECT_EQ(s.currency().CurrencyNames[7], "Irische Pfund");
    EXPECT_EQ(s.currency().CurrencyRates[1], s.currency().CurrencyRates[9]);
    EXPECT_EQ(s.currency().CurrencyRates[2], 1.95583);
    EXPECT_EQ(s.currency().CurrencyRates[8], 1936.27);
    press(s.calc, "5 + 3 C C");
    EXPECT_EQ(s.form().control(Ctl::Combo1).items.size(), 13u);
    EXPECT_EQ(s.currency().CurrencyCodes.size(), 13u);
}

TEST(CurrencyTable, StartsInTheDeutscheMarkDefault) {
    Started s;
    const CurrencyState& c = s.currency();
    EXPECT_EQ(c.CurrencyIndex, 2);
    EXPECT_TRUE(c.DmMode);
    EXPECT_FALSE(c.ListDroppedDown);
    EXPECT_TRUE(c.EuroAmount.isEmpty());
    EXPECT_EQ(s.caption(Ctl::Combo1), "DEM");
    EXPECT_EQ(s.form().control(Ctl::Combo1).listIndex, 2);
    EXPECT_FALSE(s.form().control(Ctl::Combo1).visible);
    EXPECT_GT(s.form().control(Ctl::Combo1).stacking, s.form().control(Ctl::EDM).stacking);
    EXPECT_TRUE(s.form().control(Ctl::Combo1).border);
    EXPECT_TRUE(s.form().control(Ctl::Combo1).readOnly);
    EXPECT_TRUE(s.form().control(Ctl::EDM).hooked);
    EXPECT_EQ(s.form().control(Ctl::Combo1).toolTip, "\u20AC -> Deutsche Mark");
    EXPECT_EQ(s.form().control(Ctl::DME).toolTip, "DM -> \u20AC (AltGr E)");
    // The start-up selection's conversion and unit label do not last.
    EXPECT_EQ(s.caption(Ctl::Readout), "0,00");
    EXPECT_EQ(s.caption(Ctl::Label2), "");
    EXPECT_TRUE(s.form().control(Ctl::DME).enabled && s.form().control(Ctl::EDM).enabled);
}

TEST(Conversion, EuroToDeutscheMarkAndBack) {
    Started s;
    press(s.calc, "100");
    s.form().userClick(Ctl::EDM);
    EXPECT_EQ(s.readout(), 100 * 1.95583);
    EXPECT_EQ(s.caption(Ctl::Readout), "195,58");
    EXPECT_EQ(s.caption(Ctl::Label2), "DM");
    EXPECT_FALSE(s.form().control(Ctl::EDM).enabled);
    EXPECT_TRUE(s.form().control(Ctl::DME).enabled);
    EXPECT_EQ(s.form().focus(), Ctl::DME);
    EXPECT_TRUE(s.state().ResultShown);
    EXPECT_EQ(s.state().DecimalEntered, 0);
    s.form().userClick(Ctl::EDM);
    EXPECT_EQ(s.readout(), 100 * 1.95583);
    s.form().userClick(Ctl::DME);
    EXPECT_EQ(s.readout(), 100 * 1.95583 / 1.95583);
    EXPECT_EQ(s.caption(Ctl::Label2), "\u20AC");
    EXPECT_FALSE(s.form().control(Ctl::DME).enabled);
    EXPECT_EQ(s.form().focus(), Ctl::EDM);
    press(s.calc, "7");
    EXPECT_TRUE(s.form().control(Ctl::DME).enabled && s.form().control(Ctl::EDM).enabled);
}

struct LegalCase {
    const char* presses;
    int currency; // -1: the default "DM" button
    const char* caption;
};

void PrintTo(const LegalCase& c, std::ostream* os) {
    *os << c.presses << " -> " << c.caption;
}

class LegalRounding : public testing::TestWithParam<LegalCase> { };

// Amounts are rounded for display only, halves away from zero on the decimal value.
TEST_P(LegalRounding, TwoDecimalDisplay) {
    const auto& c = GetParam();
    Started s;
    press(s.calc, c.presses);
    if (c.currency < 0)
        s.form().userClick(Ctl::EDM);
    else
        s.choose(c.currency);
    EXPECT_EQ(s.caption(Ctl::Readout), c.caption);
}

INSTANTIATE_TEST_SUITE_P(Amounts, LegalRounding,
    testing::Values(LegalCase {"500", -1, "977,92"}, LegalCase {"500", 5, "3.279,79"},
        LegalCase {"100", 0, "1.376,03"}, LegalCase {"100", 8, "193.627,00"}, LegalCase {"0", -1, "0,00"},
        LegalCase {"1", 8, "1.936,27"}, LegalCase {"100", 7, "78,76"}),
    RowName {});

class EveryCurrency : public testing::TestWithParam<int> { };

// Each row is named by its currency's code.
struct CurrencyCode {
    std::string operator()(const testing::TestParamInfo<int>& info) const {
        return std::string(kCurrencies.at(static_cast<std::size_t>(info.param)).code);
    }
};

TEST_P(EveryCurrency, ShowsTheSameEuroAmountAndConvertsBack) {
    const int i = GetParam();
    const Currency& currency = kCurrencies[static_cast<std::size_t>(i)];
    Started s;
    press(s.calc, "250");
    s.choose(i);
    EXPECT_EQ(s.readout(), currency.unitsPerEuro * 250.0);
    EXPECT_EQ(s.caption(Ctl::Label2), currency.code);
    EXPECT_EQ(s.form().control(Ctl::Combo1).toolTip, "\u20AC -> " + std::string(currency.name));
    EXPECT_EQ(s.form().control(Ctl::DME).toolTip, std::string(currency.name) + " -> \u20AC (AltGr E)");
    EXPECT_TRUE(s.form().control(Ctl::Combo1).visible);
    s.form().setFocus(Ctl::Equals);
    s.form().userClick(Ctl::DME);
    EXPECT_EQ(s.readout(), currency.unitsPerEuro * 250.0 / currency.unitsPerEuro);
    EXPECT_EQ(s.caption(Ctl::Readout), "250,00");
}

INSTANTIATE_TEST_SUITE_P(Table, EveryCurrency, testing::Range(0, 12), CurrencyCode {});

TEST(Chooser, RightPressConvertsIntoDeutscheMarkAndTakesTheFocus) {
    Started s;
    press(s.calc, "10");
    s.form().takeChanges();
    EXPECT_TRUE(s.calc.EdmRightButtonDown());
    EXPECT_EQ(s.readout(), 10 * 1.95583);
    EXPECT_EQ(s.caption(Ctl::Label2), "DEM");
    EXPECT_EQ(s.form().focus(), Ctl::Combo1);
    EXPECT_TRUE(s.form().control(Ctl::Combo1).visible);
    EXPECT_FALSE(s.currency().DmMode);
    EXPECT_EQ(s.currency().EuroAmount, CalcValue("10,"));
    // One Right-arrow from the focus gain and one from the press itself.
    EXPECT_EQ(s.form().takeChanges().rightArrows, 2);
}

TEST(Chooser, OtherCurrenciesFromTheSameEuroAmount) {
    Started s;
    press(s.calc, "100");
    s.choose(0);
    EXPECT_DOUBLE_EQ(s.readout(), 1376.03);
    s.choose(8);
    EXPECT_DOUBLE_EQ(s.readout(), 193627.0);
    s.choose(2);
    EXPECT_DOUBLE_EQ(s.readout(), 195.583);
    EXPECT_TRUE(s.form().control(Ctl::Combo1).visible);
}

TEST(Chooser, ChoosingDmReturnsToTheDefault) {
    Started s;
    press(s.calc, "100");
    s.choose(0);
    s.choose(12);
    EXPECT_DOUBLE_EQ(s.readout(), 195.583);
    EXPECT_EQ(s.caption(Ctl::Label2), "DM");
    EXPECT_FALSE(s.form().control(Ctl::Combo1).visible);
    EXPECT_TRUE(s.form().control(Ctl::EDM).visible);
    EXPECT_FALSE(s.form().control(Ctl::EDM).enabled);
    EXPECT_TRUE(s.form().control(Ctl::DME).enabled);
    EXPECT_EQ(s.form().control(Ctl::DME).toolTip, "DM -> \u20AC (AltGr E)");
    EXPECT_TRUE(s.currency().DmMode);
    EXPECT_EQ(s.currency().CurrencyIndex, 2);
    EXPECT_EQ(s.caption(Ctl::Combo1), "DEM");
    // The chooser had the focus; hiding it took the focus and ran its focus loss.
    EXPECT_EQ(s.form().focus(), std::nullopt);
    EXPECT_TRUE(s.state().ResultShown);
}

TEST(Chooser, FocusLeavingAndReturningConvertsAgain) {
    Started s;
    press(s.calc, "100");
    s.choose(0);
    s.form().setFocus(Ctl::Equals);
    EXPECT_TRUE(s.state().ResultShown);
    const double schilling = s.readout();
    s.form().userFocus(Ctl::Combo1);
    EXPECT_EQ(s.currency().EuroAmount, CalcValue(schilling));
    EXPECT_EQ(s.readout(), schilling * 13.7603);
    EXPECT_EQ(s.caption(Ctl::Readout), "18.934,59");
}

// A press on the arrow of the chooser without the focus opens the list and gives the
// chooser the focus; that focus gain does not convert again.
TEST(Chooser, FocusFromItsOwnListDoesNotConvert) {
    Started s;
    press(s.calc, "100");
    s.choose(0);
    s.form().setFocus(Ctl::Equals);
    s.form().userDropDown(Ctl::Combo1);
    EXPECT_DOUBLE_EQ(s.readout(), 1376.03);
    EXPECT_EQ(s.form().focus(), Ctl::Combo1);
    EXPECT_FALSE(s.currency().ListDroppedDown);
}

// Keys as the toolkit layer passes them: keys by identity, every other key as one that
// means nothing to the chooser; at the chooser, and at "=" when the chooser is hidden.
struct KeyDownCase {
    std::int16_t key;
    std::int16_t shift;
    bool keeps; // the chooser keeps the focus
    bool opens; // the key opens the chooser from elsewhere
};

void PrintTo(const KeyDownCase& c, std::ostream* os) {
    *os << "key " << c.key << " shift " << c.shift;
}

class KeyDown : public testing::TestWithParam<KeyDownCase> { };

TEST_P(KeyDown, OnlyEnterAndArrowsOtherThanLeftKeepTheFocus) {
    const KeyDownCase c = GetParam();
    Started s;
    s.calc.EdmRightButtonDown();
    EXPECT_EQ(s.form().userKey(Ctl::Combo1, {c.key, c.shift, std::nullopt}), !c.keeps);
    EXPECT_EQ(s.form().focus(), c.keeps ? Ctl::Combo1 : Ctl::Equals);
    Started elsewhere;
    elsewhere.form().userKey(Ctl::Equals, {c.key, c.shift, std::nullopt});
    EXPECT_EQ(elsewhere.form().control(Ctl::Combo1).visible, c.opens);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyDown,
    testing::Values(KeyDownCase {keys::kEnter, 0, true, false}, KeyDownCase {keys::kUp, 0, true, false},
        KeyDownCase {keys::kRight, 0, true, false}, KeyDownCase {keys::kDown, 0, true, false},
        KeyDownCase {keys::kUp, keys::kShift, true, false},
        KeyDownCase {keys::kDown, keys::kCtrl, true, false},
        KeyDownCase {keys::kDown, keys::kAlt, false, false}, KeyDownCase {keys::kLeft, 0, false, false},
        KeyDownCase {'0', 0, false, false}, KeyDownCase {'A', 0, false, false},
        KeyDownCase {27, 0, false, false}, KeyDownCase {9, 0, false, false},
        KeyDownCase {keys::kOutside, 0, false, false}, KeyDownCase {keys::kMenu, 0, false, true},
        KeyDownCase {keys::kMenu, keys::kShift, false, true},
        KeyDownCase {keys::kF10, keys::kShift, false, true}, KeyDownCase {keys::kF10, 0, false, false},
        KeyDownCase {keys::kF10, keys::kShift | keys::kCtrl, false, false}),
    RowName {});

// Screen readers hear what the chooser is and what each of its codes stands for.
TEST(Chooser, AccessibleNamesCarryTheCurrency) {
    Started s;
    EXPECT_EQ(s.calc.chooserAccessibleName(), "W\u00E4hrung: DEM");
    s.calc.EdmRightButtonDown();
    s.choose(0);
    EXPECT_EQ(s.calc.chooserAccessibleName(), "W\u00E4hrung: ATS");
    EXPECT_EQ(s.calc.chooserEntryName(0), "ATS \u2013 \u00D6sterreichische Schilling");
    EXPECT_EQ(s.calc.chooserEntryName(12), "DM \u2013 Deutsche Mark");
    EXPECT_EQ(s.calc.chooserEntryName(13), "");
}

TEST(Chooser, ClearKeepsTheCurrencyAndTheShownChooser) {
    Started s;
    press(s.calc, "100");
    s.choose(0);
    press(s.calc, "C");
    EXPECT_EQ(s.currency().CurrencyIndex, 0);
    EXPECT_FALSE(s.currency().DmMode);
    EXPECT_TRUE(s.form().control(Ctl::Combo1).visible);
    EXPECT_EQ(s.form().control(Ctl::Combo1).items.size(), 13u);
    EXPECT_EQ(s.caption(Ctl::Label2), "");
    EXPECT_EQ(s.form().focus(), Ctl::Equals);
    press(s.calc, "2");
    s.calc.EDM_Click();
    EXPECT_EQ(s.readout(), 2 * 13.7603);
    // "DM" converted while the chooser covers it: the label names the chosen currency.
    EXPECT_EQ(s.caption(Ctl::Label2), "ATS");
}

TEST(RightPress, TakenOnlyWhileHookedEnabledAndUncovered) {
    {
        Started s;
        s.form().userClick(Ctl::EDM);
        EXPECT_FALSE(s.calc.EdmRightButtonDown());
        EXPECT_FALSE(s.form().control(Ctl::Combo1).visible);
    }
    {
        Started s;
        EXPECT_TRUE(s.calc.EdmRightButtonDown());
        EXPECT_FALSE(s.calc.EdmRightButtonDown());
    }
    {
        Started s;
        s.calc.Form_Unload();
        EXPECT_FALSE(s.form().control(Ctl::EDM).hooked);
        EXPECT_FALSE(s.calc.EdmRightButtonDown());
    }
}

// A readout that is no number converts to nothing: "Fehler" on the label, nothing else.
TEST(NoNumber, ConversionsShowFehlerAndChangeNothing) {
    for (const char* presses : {"5 + -", "8 / 0 ="}) {
        for (Ctl button : {Ctl::EDM, Ctl::DME}) {
            Started s;
            press(s.calc, presses);
            const CalcState before = s.state();
            s.form().userClick(button);
            EXPECT_EQ(s.caption(Ctl::Readout), "Fehler") << presses;
            EXPECT_EQ(s.state(), before) << presses;
            EXPECT_TRUE(s.form().control(Ctl::DME).enabled && s.form().control(Ctl::EDM).enabled);
        }
    }
}

TEST(NoNumber, ChooserLeavesTheReadoutAndUnitLabel) {
    Started s;
    press(s.calc, "5 + -");
    EXPECT_TRUE(s.calc.EdmRightButtonDown());
    EXPECT_EQ(s.state().ReadoutText, CalcValue("-"));
    EXPECT_EQ(s.caption(Ctl::Label2), "");
    s.form().userSelect(Ctl::Combo1, 0);
    EXPECT_EQ(s.state().ReadoutText, CalcValue("-"));
    EXPECT_EQ(s.caption(Ctl::Label2), "");
    EXPECT_EQ(s.currency().CurrencyIndex, 0);
    s.form().userSelect(Ctl::Combo1, 12);
    EXPECT_FALSE(s.form().control(Ctl::Combo1).visible);
    EXPECT_EQ(s.caption(Ctl::Label2), "");
}

TEST(NoNumber, ResultBeyondTheRangeIsRefused) {
    Started s;
    s.calc.state().ReadoutText = 1.7e308;
    s.form().userClick(Ctl::EDM);
    EXPECT_EQ(s.caption(Ctl::Readout), "Fehler");
    EXPECT_EQ(s.state().ReadoutText, CalcValue(1.7e308));
}

} // namespace
} // namespace tarvelio
