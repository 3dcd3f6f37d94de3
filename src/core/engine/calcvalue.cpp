// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/engine/calcvalue.h"

namespace tarvelio {

std::optional<double> numberOf(const CalcValue& value, const NumberFormat& format) {
    if (value.isNumber())
        return value.number();
    if (value.isEmpty())
        return 0.0;
    auto& read = std::get<CalcValue::TextPtr>(value.m_value)->read;
    if (!read || read->decimalSeparator != format.decimalSeparator
        || read->groupSeparator != format.groupSeparator)
        read = CalcValue::Reading {
            format.decimalSeparator, format.groupSeparator, readNumber(value.text(), format)};
    return read->number;
}

std::string textOf(const CalcValue& value, const NumberFormat& format) {
    if (value.isText())
        return value.text();
    if (value.isEmpty())
        return {};
    return numberText(value.number(), format);
}

} // namespace tarvelio
