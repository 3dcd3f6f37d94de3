// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/currency/currency.h"

#include "core/currency/currencytable.h"

#include <cmath>

namespace tarvelio {

void fillFromTable(CurrencyState& state) {
    for (const auto& currency : kCurrencies) {
        state.CurrencyCodes.emplace_back(currency.code);
        state.CurrencyRates.push_back(currency.unitsPerEuro);
        state.CurrencyNames.emplace_back(currency.name);
    }
    state.CurrencyCodes.emplace_back(texts::kDefaultModeCode);
}

std::optional<double> converted(
    const CalcValue& amount, double unitsPerEuro, bool toEuro, const NumberFormat& format) {
    const auto number = numberOf(amount, format);
    if (!number)
        return std::nullopt;
    const double result = toEuro ? *number / unitsPerEuro : *number * unitsPerEuro;
    if (!std::isfinite(result))
        return std::nullopt;
    return result;
}

std::string entryName(const CurrencyState& state, std::size_t position) {
    if (position >= state.CurrencyCodes.size())
        return {};
    const std::size_t named
        = position < state.CurrencyNames.size() ? position : std::size_t {kDeutscheMarkIndex};
    return state.CurrencyCodes[position] + std::string(texts::kCodeSeparator) + state.CurrencyNames.at(named);
}

} // namespace tarvelio
