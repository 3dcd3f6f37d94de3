// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/calcvalue.h"

#include <cstdint>
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

} // namespace tarvelio
