// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/texts/catalogue.h"

#include <array>
#include <string_view>

namespace tarvelio {

struct Currency {
    std::string_view code;
    std::string_view name;
    double unitsPerEuro; // the fixed legal rate
};

// The twelve former currencies of the Euro area, in the chooser's order.
inline constexpr std::array<Currency, 12> kCurrencies {{
    {"ATS", texts::kAustrianSchilling, 13.7603},
    {"BEF", texts::kBelgianFranc, 40.3399},
    {"DEM", texts::kDeutscheMark, 1.95583},
    {"ESP", texts::kSpanishPeseta, 166.386},
    {"FIM", texts::kFinnishMarkka, 5.94573},
    {"FRF", texts::kFrenchFranc, 6.55957},
    {"GRD", texts::kGreekDrachma, 340.75},
    {"IED", texts::kIrishPound, 0.787564},
    {"ITL", texts::kItalianLira, 1936.27},
    {"LUF", texts::kLuxembourgFranc, 40.3399},
    {"NLG", texts::kDutchGuilder, 2.20371},
    {"PTE", texts::kPortugueseEscudo, 200.482},
}};

// The Deutsche Mark's place in the table: the chooser's default.
inline constexpr int kDeutscheMarkIndex = 2;

} // namespace tarvelio
