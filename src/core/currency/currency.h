// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/engine/calcvalue.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvelio {

// The currencies and the chooser's own state.
struct CurrencyState {
    std::vector<std::string> CurrencyCodes; // 13: the twelve codes and "DM"
    std::vector<double> CurrencyRates; // 12: units per Euro
    std::vector<std::string> CurrencyNames; // 12
    std::int16_t CurrencyIndex = 0;
    CalcValue EuroAmount;
    bool DmMode = false;
    bool ListDroppedDown = false;

    friend bool operator==(const CurrencyState&, const CurrencyState&) = default;
};

// Fills the codes, rates and names from the table, the codes followed by "DM".
void fillFromTable(CurrencyState& state);

// An amount at a rate in units per Euro, into Euro (divided by the rate, never multiplied
// by its inverse) or out of it. No value for an amount that is no number or a result
// beyond the range.
std::optional<double> converted(
    const CalcValue& amount, double unitsPerEuro, bool toEuro, const NumberFormat& format);

// A chooser entry's code with its currency's name ("ESP – Spanische Peseta"); the last
// entry, "DM", stands for the Deutsche Mark too. Empty beyond the list.
std::string entryName(const CurrencyState& state, std::size_t position);

} // namespace tarvelio
