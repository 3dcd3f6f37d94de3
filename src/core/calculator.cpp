// SPDX-FileCopyrightText: 2026 The Tarvelio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/calculator.h"

#include "core/engine/texts.h"

#include <utility>

namespace tarvelio {

Calculator::Calculator(NumberFormat format)
    : m_format(std::move(format))
    , m_zeroText(formatPattern(0, texts::kZeroPattern, m_format))
    , m_entryTemplate(formatPattern(0, texts::kSeparatorPattern, m_format))
    , m_negativeZeroText(formatPattern(0, texts::kNegativeZeroPattern, m_format))
    , m_form(*this) {
    m_state.ReadoutText = m_zeroText;
}

namespace {

// A tool tip is laid out whole when it shows: a longer text shows its start, an ellipsis
// and its end, kShownChars characters in all.
std::string toolTipOf(std::string_view text) {
    if (afterChars(text, kShownChars) == text.size())
        return std::string(text);
    std::string tip(text.substr(0, afterChars(text, kShownChars / 2)));
    tip += texts::kToolTipEllipsis;
    tip += text.substr(lastChars(text, kShownChars / 2));
    return tip;
}

} // namespace

void Calculator::setReadout(CalcValue value) {
    m_state.ReadoutText = std::move(value);
    chkdig2();
}

void Calculator::enableConversions() {
    m_form.setEnabled(Ctl::DME, true);
    m_form.setEnabled(Ctl::EDM, true);
}

void Calculator::onClick(Ctl c) {
    if (auto digit = numberIndex(c)) {
        Number_Click(static_cast<std::int16_t>(*digit));
        return;
    }
    if (auto op = operatorIndex(c)) {
        Operator_Click(static_cast<std::int16_t>(*op));
        return;
    }
    switch (c) {
    case Ctl::Decimal:
        Decimal_Click();
        break;
    case Ctl::Digits2:
        Digits2_Click();
        break;
    case Ctl::Percent:
        Percent_Click();
        break;
    case Ctl::Cancel:
        Cancel_Click();
        break;
    case Ctl::CancelEntry:
        CancelEntry_Click();
        break;
    case Ctl::DME:
        DME_Click();
        break;
    case Ctl::EDM:
        EDM_Click();
        break;
    case Ctl::Combo1:
        Combo1_Click();
        break;
    case Ctl::cCopy:
        cCopy_Click();
        break;
    case Ctl::cPaste:
        cPaste_Click();
        break;
    default:
        break;
    }
}

void Calculator::onGotFocus(Ctl c) {
    if (c == Ctl::Combo1)
        Combo1_GotFocus();
}

void Calculator::onLostFocus(Ctl c) {
    if (c == Ctl::Combo1)
        Combo1_LostFocus();
}

void Calculator::onDropDown(Ctl c) {
    if (c == Ctl::Combo1)
        Combo1_DropDown();
}

// The readout shows the raw text, or the value rounded to two decimals with grouped
// thousands; a formatted value longer than the readout can hold becomes "Überlauf",
// with the full value in the tool tip, and is announced, even while typing.
void Calculator::chkdig2() {
    constexpr std::size_t kMaxFormatted = 16;
    if (m_form.control(Ctl::Digits2).value != 0) {
        const auto number = numberOf(m_state.ReadoutText, m_format);
        m_form.setCaption(Ctl::Readout,
            number ? formatPattern(*number, texts::kTwoDecimals, m_format)
                   : textOf(m_state.ReadoutText, m_format));
        if (charCount(m_form.caption(Ctl::Readout)) > kMaxFormatted) {
            m_form.setCaption(Ctl::Readout, std::string(texts::kOverflow));
            m_form.announce(Ctl::Readout);
        }
        const CalcValue& value = m_state.ReadoutText;
        m_form.setToolTip(
            Ctl::Readout, value.isText() ? toolTipOf(value.text()) : toolTipOf(textOf(value, m_format)));
    } else {
        m_form.setCaption(Ctl::Readout, textOf(m_state.ReadoutText, m_format));
        m_form.setToolTip(Ctl::Readout, {});
    }
}

// The readout in its other form is announced.
void Calculator::Digits2_Click() {
    chkdig2();
    m_form.announce(Ctl::Readout);
}

} // namespace tarvelio
