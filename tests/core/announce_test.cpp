// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"
#include "core/input/keycodes.h"
#include "core/input/memoryclipboard.h"
#include "rowname.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvelio {
namespace {

struct AnnounceCase {
    const char* before; // keys typed first
    const char* then; // the keys whose changes are looked at
    bool readout; // the readout is announced
    bool chooser; // the chooser's entry is announced
};

void PrintTo(const AnnounceCase& c, std::ostream* os) {
    *os << c.before << " then " << c.then << (c.readout ? " readout" : "") << (c.chooser ? " chooser" : "");
}

// Keys as the key map reads them; besides, "^" opens the chooser as the Menu key does, "v"
// moves it one entry down, "p" and "k" are Ctrl+V and Ctrl+C.
void keys(Calculator& calc, const std::string& text) {
    for (const char k : text) {
        if (k == '^') {
            calc.EdmRightButtonDown();
        } else if (k == 'v') {
            calc.form().userSelect(Ctl::Combo1, calc.form().control(Ctl::Combo1).listIndex + 1);
        } else {
            std::int16_t code = k == 'p' ? keys::kPaste : k == 'k' ? keys::kCopy : std::int16_t(k);
            calc.HandleKey(code);
        }
    }
}

class Announced : public testing::TestWithParam<AnnounceCase> { };

// Results, errors, conversions, pastes, the two-decimal toggle and clearing are told to
// screen readers, and so is the chooser's entry; typing a number is not. Without keys
// before, the start-up is looked at too.
TEST_P(Announced, WhatAPersonWaitsFor) {
    const auto& c = GetParam();
    Calculator calc(NumberFormat::german());
    MemoryClipboard clipboard("12,5");
    calc.setClipboard(&clipboard);
    calc.Form_Load();
    keys(calc, c.before);
    if (*c.before)
        calc.form().takeChanges();
    keys(calc, c.then);
    const FormChanges changes = calc.form().takeChanges();
    EXPECT_EQ(changes.announces(Ctl::Readout), c.readout);
    EXPECT_EQ(changes.announces(Ctl::Combo1), c.chooser);
    EXPECT_EQ(changes.announced & ~((1U << indexOf(Ctl::Readout)) | (1U << indexOf(Ctl::Combo1))), 0U);
}

INSTANTIATE_TEST_SUITE_P(Keys, Announced,
    testing::Values(AnnounceCase {"", "", false, false}, AnnounceCase {"", "5", false, false},
        AnnounceCase {"12", "+", false, false}, AnnounceCase {"12+3", "+", true, false},
        AnnounceCase {"12+3", "=", true, false}, AnnounceCase {"12+3=", "1/", false, false},
        AnnounceCase {"1/0", "=", true, false}, AnnounceCase {"8/0+5", "+", true, false},
        AnnounceCase {"200+10", "%", true, false}, AnnounceCase {"10", "%", false, false},
        AnnounceCase {"1234567890", "1", true, false}, AnnounceCase {"500", "d", true, false},
        AnnounceCase {"1/0=", "d", true, false}, AnnounceCase {"5", "r", true, false},
        AnnounceCase {"5", "c", true, false}, AnnounceCase {"5", "e", true, false},
        AnnounceCase {"5", "p", true, false}, AnnounceCase {"5", "k", false, false},
        AnnounceCase {"100", "^", true, false}, AnnounceCase {"100^", "v", true, true},
        AnnounceCase {"1/0=^", "v", false, true}),
    RowName {});

} // namespace
} // namespace tarvelio
