// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

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
    {"ATS", "\u00D6sterreichische Schilling", 13.7603},
    {"BEF", "Belgische Franc", 40.3399},
    {"DEM", "Deutsche Mark", 1.95583},
    {"ESP", "Spanische Peseta", 166.386},
    {"FIM", "Finmark", 5.94573},
    {"FRF", "Franz\u00F6sische Franc", 6.55957},
    {"GRD", "Griechische Drachme", 340.75},
    {"IED", "Irische Pfund", 0.787564},
    {"ITL", "Italienische Lira", 1936.27},
    {"LUF", "Luxemburgische Franc", 40.3399},
    {"NLG", "Holl\u00E4ndische Gulden", 2.20371},
    {"PTE", "Portugiesische Escudo", 200.482},
}};

// The chooser's last entry, back to the Deutsche Mark default; also the caption of the
// Euro-to-Mark button and the unit label of an amount in Deutsche Mark.
inline constexpr std::string_view kDefaultModeCode = "DM";
inline constexpr int kDeutscheMarkIndex = 2;

// The unit label of an amount in Euro.
inline constexpr std::string_view kEuroLabel = "\u20AC";
// Tool tips of the conversion buttons and the chooser: "<name> -> € (AltGr E)" for the
// way back into Euro, "€ -> <name>" for the chooser.
inline constexpr std::string_view kDeutscheMarkToEuro = "DM -> \u20AC (AltGr E)";
inline constexpr std::string_view kToEuroSuffix = " -> \u20AC (AltGr E)";
inline constexpr std::string_view kFromEuroPrefix = "\u20AC -> ";

} // namespace tarvelio
