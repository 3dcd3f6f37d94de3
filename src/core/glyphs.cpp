// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/glyphs.h"

#include "core/currency/currencytable.h"
#include "core/texts/catalogue.h"
#include "core/window/layout.h"

namespace tarvelio {

std::string charactersToDraw(const NumberFormat& format) {
    std::string all = "0123456789+-eE";
    for (const auto& control : kLayout)
        all.append(control.caption).append(control.toolTip);
    for (const auto& currency : kCurrencies)
        all.append(currency.code).append(currency.name);
    for (std::string_view text : {texts::kWindowTitle, texts::kDefaultModeCode, texts::kEuroLabel,
             texts::kToEuroSuffix, texts::kFromEuroPrefix, texts::kToolTipEllipsis, texts::kOverflow,
             texts::kError, texts::kDivisionByZero})
        all.append(text);
    for (std::string_view blank : kReadableBlanks)
        all.append(blank);
    for (std::string_view group : kSpaceGroupSeparators)
        all.append(group);
    for (std::string_view group : kApostropheGroupSeparators)
        all.append(group);
    all.append(format.decimalSeparator).append(format.groupSeparator);
    return all;
}

bool drawsAll(std::string_view text, const std::function<bool(char32_t)>& covers) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        if (c >= 0x20 && c != 0x7F && !covers(c))
            return false;
    }
    return true;
}

} // namespace tarvelio
