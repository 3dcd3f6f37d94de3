// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/calculator.h"

#include "engine/texts.h"

namespace tarvelio {

namespace {
// Digits beyond this many characters are dropped.
constexpr std::size_t kMaxEntryLength = 24;
} // namespace

// While the whole-number part is typed the separator stands at the end and each digit
// goes in front of it; after the decimal point digits are appended.
void Calculator::Number_Click(std::int16_t index) {
    const auto button = numberButton(index);
    if (!button)
        return;
    auto& s = m_state;
    if (s.ResultShown) {
        setReadout(m_entryTemplate);
        s.DecimalEntered = 0;
        enableConversions();
        s.ResultShown = false;
    }
    if (s.LastInput != texts::kNums) {
        setReadout(m_entryTemplate);
        s.DecimalEntered = 0;
    }
    std::string text = textOf(s.ReadoutText, m_format);
    if (charCount(text) < kMaxEntryLength) {
        const std::string& digit = m_form.caption(*button);
        if (s.DecimalEntered != 0) {
            text += digit;
        } else {
            // A number without a separator can be left after a conversion whose following
            // operator failed; all of it counts as the whole-number part then.
            const auto separator = text.find(m_entryTemplate);
            if (separator != std::string::npos)
                text.resize(separator);
            text += digit;
            text += m_entryTemplate;
        }
        setReadout(std::move(text));
    }
    if (s.LastInput == texts::kNeg)
        setReadout(textOf(s.ReadoutText, m_format).insert(0, 1, '-'));
    s.LastInput = texts::kNums;
}

void Calculator::Decimal_Click() {
    auto& s = m_state;
    if (s.ResultShown) {
        setReadout(m_zeroText);
        s.ResultShown = false;
        enableConversions();
    }
    if (s.LastInput == texts::kNeg)
        setReadout(m_negativeZeroText);
    else if (s.LastInput != texts::kNums)
        setReadout(m_zeroText);
    s.DecimalEntered = -1;
    s.LastInput = texts::kNums;
}

} // namespace tarvelio
